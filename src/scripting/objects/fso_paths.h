// Paths as FileSystemObject takes them from scripts: "\" written for the platform separator,
// letter case resolved as on the file systems the scripts were written for, relative paths
// taken from the current directory. The name functions work on the text alone, as the Windows
// object's do, without looking at the disk.
#pragma once

#include <string>
#include <string_view>

namespace lorvane::vbs::fso {

// The path with "\" turned into "/", resolved without regard to letter case when it does not
// exist as written.
std::u16string resolveExisting(std::u16string_view userPath);
// A path to create: an existing entry found ignoring letter case is reused; otherwise the
// folder part is resolved that way and the name is kept as written.
std::u16string resolveForCreation(std::u16string_view userPath);

// The last component, trailing separators ignored ("a/b/" gives "b"; "/" gives "").
std::u16string fileName(std::u16string_view userPath);
// The last component without its extension (the text from its last ".").
std::u16string baseName(std::u16string_view userPath);
// The text after the last "." of the last component; "" when it has none.
std::u16string extensionName(std::u16string_view userPath);
// Everything before the last component, without a trailing separator except for the root.
std::u16string parentFolderName(std::u16string_view userPath);
// The two parts joined by exactly one separator.
std::u16string buildPath(std::u16string_view path, std::u16string_view name);
// The full path of a path relative to the current directory, "." and ".." worked out.
std::u16string absolutePathName(std::u16string_view userPath);

}  // namespace lorvane::vbs::fso
