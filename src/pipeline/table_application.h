// Applying a segment's table: its lines go to the line handler at the segment's level, and the
// selected table's name supplies the output extension and font face a table leaves unset.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/code_page.h"
#include "platform/desktop.h"

namespace lorvane {

class TableEngine;

// The lines of a top-level table: read through the text reader and split at CR LF. A last line
// without a line end does not count; an unreadable table has no lines.
std::vector<std::u16string> readTableLines(std::u16string_view path, const CodePage& page,
                                           Desktop* desktop);

// Every line in file order, except comments ("// "); a hidden line ("// * ") is handed on from
// its sixth character.
void applyTableLines(TableEngine& engine, const std::vector<std::u16string>& lines, int16_t level);

// An empty extension becomes "htm" for a table whose name holds "%", else "txt"; a "." is put
// in front when missing.
void completeExtension(std::u16string& extent, std::u16string_view tableName);

// The font face a table name gives ("Face%" gives Face): the first piece ending at a "%" that
// holds no "!". Nothing when the name has no such piece.
std::optional<std::u16string> faceFromTableName(std::u16string_view tableName);

}  // namespace lorvane
