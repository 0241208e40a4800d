// The archive list "Arch.txt" of the program folder: which source files are archives, and the
// argument template the archiver of each archive type is run with.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lorvane {

// The archive type of a source path: its text after the last ".", letter case kept; nothing when
// the path holds no "." at all.
std::optional<std::u16string> archiveType(std::u16string_view srcPath);

// A source is an archive when it ends in ".zip" or ".rar" (exact letter case), or when a line of
// the archive list begins with its extension, dot included (exact letter case).
bool isArchive(std::u16string_view srcPath, std::u16string_view archiveList);

// The template of the first line "type template" (type, one space, template), case-sensitive,
// with its leading space and without its line end. A last line holding the type alone matches
// with an empty template; the same line elsewhere does not. Nothing when no line matches.
std::optional<std::u16string> findArchiveTemplate(std::u16string_view archiveList,
                                                  std::u16string_view type);

}  // namespace lorvane
