#include "startup/special_folder_path.h"

#include "platform/special_folders.h"

namespace lorvane {

std::u16string SpecialFolderPath(int folder) {
    switch (folder) {
        case kPersonalFolder:
            return documentsFolder();
        case kDesktopFolder:
            return desktopFolder();
        default:
            return {};
    }
}

}  // namespace lorvane
