// The shell's special-folder numbers the program uses, answered from the desktop's own folders.
#pragma once

#include <string>

namespace lorvane {

inline constexpr int kPersonalFolder = 5;  // the documents folder
inline constexpr int kDesktopFolder = 16;  // the desktop folder

// The folder's path without a trailing separator; empty for a number without a folder here or
// a folder that cannot be resolved.
std::u16string SpecialFolderPath(int folder);

}  // namespace lorvane
