#include "pipeline/table_application.h"

namespace lorvane {

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
