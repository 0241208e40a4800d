// The template lines of the archive list "Arch.txt": the argument template the archiver of each
// archive type is run with. (Which sources are archives is start-up's archive check.)
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lorvane {

// The template of the first line "type template" (type, one space, template), case-sensitive,
// with its leading space and without its line end. A last line holding the type alone matches
// with an empty template; the same line elsewhere does not. Nothing when no line matches.
std::optional<std::u16string> findArchiveTemplate(std::u16string_view archiveList,
                                                  std::u16string_view type);

}  // namespace lorvane
