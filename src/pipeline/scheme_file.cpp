#include "pipeline/scheme_file.h"

#include "platform/paths.h"
#include "platform/text.h"

namespace lorvane {
namespace {

constexpr std::u16string_view kSeparator = u" == ";

}  // namespace

std::vector<std::u16string> terminatedLines(const std::u16string& text) {
    std::vector<std::u16string> lines;
    std::size_t start = 0;
    for (std::size_t end = text.find(u"\r\n"); end != std::u16string::npos;
         end = text.find(u"\r\n", start)) {
        lines.emplace_back(text, start, end - start);
        start = end + 2;
    }
    return lines;
}

SchemeFile parseScheme(const std::u16string& text) {
    SchemeFile scheme;
    std::u16string defaultName;
    bool haveDefault = false;
    int number = 0;
    for (const std::u16string& line : terminatedLines(text)) {
        ++number;
        const std::size_t first = line.find(kSeparator);
        if (first == std::u16string::npos) {
            if (!line.empty()) scheme.ignoredLines.push_back(number);
            continue;
        }
        std::u16string left = line.substr(0, first);
        const std::size_t rightStart = first + kSeparator.size();
        const std::size_t second = line.find(kSeparator, rightStart);
        std::u16string right =
            line.substr(rightStart, second == std::u16string::npos ? std::u16string::npos
                                                                   : second - rightStart);

        if (toLower(left) == u"default") {
            defaultName = std::move(right);
            haveDefault = true;
            continue;
        }
        SchemeEntry entry;
        entry.IsDefault = haveDefault && left == defaultName;
        entry.Name = std::move(left);
        entry.Path = normalizeSeparators(right);
        scheme.entries.push_back(std::move(entry));
        scheme.entryLines.push_back(number);
    }
    return scheme;
}

}  // namespace lorvane
