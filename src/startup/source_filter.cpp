#include "startup/source_filter.h"

#include "platform/paths.h"
#include "platform/text.h"

namespace lorvane {

std::u16string sourceFilterFromTypeList(const std::u16string& typeList) {
    std::u16string text = typeList;
    replaceAll(text, u"\r\n", u"|");
    while (replaceAll(text, u"||", u"|") > 0) {
    }
    text = std::u16string(trimSpaces(text));
    if (text.empty() || text.back() != u'|') text += u'|';
    return text + kBuiltInTypes;
}

std::u16string SourceFilter(const std::u16string& programFolder, const TextFileReader& read) {
    const std::u16string path = resolveCaseInsensitive(programFolder + u"/files.txt");
    if (!isRegularFile(path)) return kBuiltInTypes;
    return sourceFilterFromTypeList(read(path));
}

}  // namespace lorvane
