// What the selected table's name supplies when its table leaves them unset: the output
// extension and the font face.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lorvane {

// An empty extension becomes "htm" for a table whose name holds "%", else "txt"; a "." is put
// in front when missing.
void completeExtension(std::u16string& extent, std::u16string_view tableName);

// The font face a table name gives ("Face%" gives Face): the first piece ending at a "%" that
// holds no "!". Nothing when the name has no such piece.
std::optional<std::u16string> faceFromTableName(std::u16string_view tableName);

}  // namespace lorvane
