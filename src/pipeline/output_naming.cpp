#include "pipeline/output_naming.h"

#include "platform/paths.h"

namespace lorvane {

std::u16string outputPath(std::u16string_view source, std::u16string_view extent) {
    std::u16string path(source);
    const std::size_t lastSeparator = path.rfind(kPathSeparator);
    const std::size_t dot = path.rfind(u'.');
    const bool hasExtension = dot != std::u16string::npos &&
                              (lastSeparator == std::u16string::npos || dot > lastSeparator);
    if (hasExtension) {
        const bool same = std::u16string_view(path).substr(dot) == extent;
        path.erase(dot);
        if (same) path += u"1";
    }
    path += extent;
    return path;
}

std::u16string clipboardSourcePath(std::u16string_view documentsFolder) {
    std::u16string path = withoutTrailingSeparator(documentsFolder);
    path.push_back(kPathSeparator);
    path += u"Lorva.txt";
    return path;
}

}  // namespace lorvane
