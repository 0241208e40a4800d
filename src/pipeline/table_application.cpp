#include "pipeline/table_application.h"

#include "engine/table_engine.h"
#include "pipeline/scheme_file.h"
#include "pipeline/text_file_reader.h"

namespace lorvane {
namespace {

constexpr std::u16string_view kComment = u"// ";
constexpr std::u16string_view kHiddenLine = u"// * ";

}  // namespace

std::vector<std::u16string> readTableLines(std::u16string_view path, const CodePage& page,
                                           Desktop* desktop) {
    return terminatedLines(ReadTextFile(path, page, desktop));
}

void applyTableLines(TableEngine& engine, const std::vector<std::u16string>& lines, int16_t level) {
    for (const std::u16string& line : lines) {
        const std::u16string_view text(line);
        if (!text.starts_with(kComment)) {
            engine.Rplc(text, level);
        } else if (text.starts_with(kHiddenLine)) {
            engine.Rplc(text.substr(kHiddenLine.size()), level);
        }
    }
}

void completeExtension(std::u16string& extent, std::u16string_view tableName) {
    if (extent.empty())
        extent = tableName.find(u'%') != std::u16string_view::npos ? u"htm" : u"txt";
    if (extent.front() != u'.') extent.insert(extent.begin(), u'.');
}

std::optional<std::u16string> faceFromTableName(std::u16string_view tableName) {
    std::size_t start = 0;
    for (std::size_t end = tableName.find(u'%'); end != std::u16string_view::npos;
         end = tableName.find(u'%', start)) {
        const std::u16string_view piece = tableName.substr(start, end - start);
        if (piece.find(u'!') == std::u16string_view::npos) return std::u16string(piece);
        start = end + 1;
    }
    return std::nullopt;
}

}  // namespace lorvane
