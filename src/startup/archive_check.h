// Whether the single source is an archive to unpack first: by its ".zip" or ".rar" suffix, or
// by a recognition line of the archive list "Arch.txt".
#pragma once

#include <optional>
#include <string>

namespace lorvane {

// The archive type (the extension without its dot, letter case as written) when the path names
// an archive, else nothing. `archiveList` is the list's text with CR LF line ends. The suffix
// tests are case-sensitive. A recognition line begins with the path's "." + extension followed
// by the line's end or a space or tab, so a line ".rar" does not make "notes.r" an archive. A
// path without a dot has no extension and is an archive only by the suffix tests.
std::optional<std::u16string> archiveType(const std::u16string& path,
                                          const std::u16string& archiveList);

}  // namespace lorvane
