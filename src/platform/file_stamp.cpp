#include "platform/file_stamp.h"

#include <sys/stat.h>

#include "platform/paths.h"

namespace lorvane {
namespace {

std::optional<FileStamp> stampOfKind(const std::u16string& path, bool folder) {
    struct stat info {};
    if (path.empty() || ::stat(toFsPath(path).c_str(), &info) != 0 ||
        (folder ? !S_ISDIR(info.st_mode) : !S_ISREG(info.st_mode))) {
        return std::nullopt;
    }
    FileStamp stamp;
    stamp.device = static_cast<std::uint64_t>(info.st_dev);
    stamp.inode = static_cast<std::uint64_t>(info.st_ino);
    stamp.size = static_cast<std::uint64_t>(info.st_size);
    stamp.modified = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 +
                     static_cast<std::int64_t>(info.st_mtim.tv_nsec);
    return stamp;
}

}  // namespace

std::optional<FileStamp> stampOf(const std::u16string& path) {
    return stampOfKind(path, false);
}

std::optional<FileStamp> folderStampOf(const std::u16string& path) {
    return stampOfKind(path, true);
}

}  // namespace lorvane
