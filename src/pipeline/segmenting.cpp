#include "pipeline/segmenting.h"

#include <algorithm>

#include "platform/text.h"

namespace lorvane {

std::vector<std::u16string> cutSegments(std::u16string text, const SchemeEntries& entries) {
    std::replace(text.begin(), text.end(), kSegmentSeparator, u' ');
    for (const SchemeEntry& entry : entries) {
        if (entry.Name.empty()) continue;
        replaceAll(text, entry.Name, std::u16string(1, kSegmentSeparator) + entry.Name);
    }
    std::vector<std::u16string> segments;
    std::size_t start = 0;
    for (std::size_t cut = text.find(kSegmentSeparator); cut != std::u16string::npos;
         cut = text.find(kSegmentSeparator, start)) {
        segments.emplace_back(text, start, cut - start);
        start = cut + 1;
    }
    segments.emplace_back(text, start, std::u16string::npos);
    return segments;
}

SegmentEntry chooseSegmentEntry(std::u16string_view segment, const SchemeEntries& entries) {
    for (const SchemeEntry& entry : entries) {
        const bool opens = entry.Name.empty() ? !segment.empty() : segment.starts_with(entry.Name);
        if (opens) return {&entry, entry.Name.size()};
    }
    auto fallback = std::find_if(entries.rbegin(), entries.rend(),
                                 [](const SchemeEntry& e) { return e.IsDefault; });
    if (fallback == entries.rend()) return {};
    return {&*fallback, 0};
}

}  // namespace lorvane
