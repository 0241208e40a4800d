#include "ui/file_window/file_patterns.h"

#include <charconv>
#include <cstdint>
#include <optional>

#include "platform/text.h"

namespace lorvane {
namespace {

constexpr std::u16string_view kBuiltIn[] = {u"Текстовые документы (*.txt)|*.txt",
                                            u"Все файлы (*.*)|*.*"};

std::optional<int16_t> readShort(std::u16string_view text) {
    const std::string digits = toUtf8(trimSpaces(text));
    int value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    if (value < INT16_MIN || value > INT16_MAX) return std::nullopt;
    return static_cast<int16_t>(value);
}

}  // namespace

std::vector<std::u16string> buildPatternList(std::u16string_view fileTypeList) {
    std::vector<std::u16string> lines;
    std::size_t start = 0;
    while (start <= fileTypeList.size()) {
        auto end = fileTypeList.find(u"\r\n", start);
        if (end == std::u16string_view::npos) end = fileTypeList.size();
        const auto line = fileTypeList.substr(start, end - start);
        if (line.find(u'|') != std::u16string_view::npos) lines.emplace_back(line);
        start = end + 2;
    }
    std::vector<std::u16string> entries(lines.rbegin(), lines.rend());
    for (auto builtIn : kBuiltIn)
        entries.emplace_back(builtIn);
    return entries;
}

std::u16string patternOf(std::u16string_view entry) {
    const auto bar = entry.rfind(u'|');
    return std::u16string(bar == std::u16string_view::npos ? entry : entry.substr(bar + 1));
}

DefaultPatternChoice chooseDefaultPattern(std::u16string_view stored, int entryCount) {
    const int last = entryCount - 1;
    const auto index = readShort(stored);
    if (index && *index >= 0 && *index < last) return {*index, true};
    return {last, false};
}

}  // namespace lorvane
