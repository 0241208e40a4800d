// Cutting a document into the segments of a combined scheme: every marker of a scheme entry
// starts a new segment, and each segment is converted with its marker's table.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "pipeline/scheme_entry.h"

namespace lorvane {

// Only inserted separators cut the text: the same character already in the source becomes a
// space first.
inline constexpr char16_t kSegmentSeparator = u'\x01';
// A segment's index is the 16-bit level of its table lines.
inline constexpr std::size_t kMaxSegments = 32767;

// Segment 0 is the text before the first marker (empty when the text begins with one); every
// later segment begins with its marker. Markers are searched exactly, entry by entry.
std::vector<std::u16string> cutSegments(std::u16string text, const SchemeEntries& entries);

struct SegmentEntry {
    const SchemeEntry* entry = nullptr;  // the table's entry; none: the segment has no table
    std::size_t markerLength = 0;        // characters to cut from the segment's start
};

// The first entry whose marker opens the segment (an empty marker opens every non-empty
// segment); else the last entry marked default, with nothing cut; else none.
SegmentEntry chooseSegmentEntry(std::u16string_view segment, const SchemeEntries& entries);

}  // namespace lorvane
