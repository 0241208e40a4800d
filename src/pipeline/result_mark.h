// Results carry a mark, an extended attribute, so that a later run can tell a file Lorvane wrote
// from one the user wrote: the user's files are kept when a result replaces them, and folder
// runs do not take results as sources. On file systems without extended attributes nothing is
// marked and every existing file counts as the user's.
#pragma once

#include <string_view>

namespace lorvane {

// Marks the open file `fd` as a result; false when the file system keeps no marks.
bool markAsResult(int fd);

// True when the file at `path` carries the result mark.
bool isMarkedResult(std::u16string_view path);

}  // namespace lorvane
