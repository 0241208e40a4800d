#include "platform/file_errors.h"

#include <cerrno>

#include "platform/error_catalogue.h"

namespace lorvane {

Failure fileFailure(int error, FileAction action, std::u16string file) {
    int number = errors::kPathFileAccessError;
    switch (error) {
        case ENOENT:
            number = action == FileAction::Read ? errors::kFileNotFound : errors::kPathNotFound;
            break;
        case ENOTDIR:
        case ENAMETOOLONG:
        case ELOOP:
            number = errors::kPathNotFound;
            break;
        case EACCES:
        case EPERM:
        case EROFS:
        case ETXTBSY:
            number = errors::kPermissionDenied;
            break;
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            number = errors::kDiskFull;
            break;
        case EIO:
            number = errors::kDeviceIoError;
            break;
        case EMFILE:
        case ENFILE:
            number = errors::kTooManyFiles;
            break;
        case ENOMEM:
            number = errors::kOutOfMemory;
            break;
        default:
            break;
    }
    return failureFor(number, std::move(file));
}

}  // namespace lorvane
