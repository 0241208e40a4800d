// Paths of the program's own files, formed from the program folder and the names users give in
// lists and files. Names that come from user data are looked up without regard to letter case
// when they do not exist as written.
#pragma once

#include <string>
#include <string_view>

namespace lorvane {

// A path from a user's file ("\" already turned into "/"): relative to the program folder
// unless it is absolute.
std::u16string programRelative(std::u16string_view programFolder, std::u16string_view path);

// The folder of the mode `mode`: P/@mode.
std::u16string modeFolderPath(std::u16string_view programFolder, std::u16string_view mode);
// The table `table` of the mode `mode`: P/@mode/table.txt.
std::u16string tableFilePath(std::u16string_view programFolder, std::u16string_view mode,
                             std::u16string_view table);
// The same path spelled as the names give it, before any lookup without regard to letter case:
// tableFilePath gives exactly this whenever something exists under it.
std::u16string writtenTableFilePath(std::u16string_view programFolder, std::u16string_view mode,
                                    std::u16string_view table);
// The scheme file of the mode-list entry "?" + name: P/r@name.
std::u16string schemeFilePath(std::u16string_view programFolder, std::u16string_view entry);
// The folder of user output templates: P/format.
std::u16string formatFolderPath(std::u16string_view programFolder);

}  // namespace lorvane
