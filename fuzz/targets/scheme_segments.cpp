// Scheme files and segmenting: a scheme text (normalised as the reader leaves it) is parsed
// into entries and a document is cut at their markers. The segments must join back into the
// document (with its separator characters turned into spaces), and the entry chosen for a
// segment must be one whose marker opens it (or the default, cutting nothing). A later marker
// may cut inside an earlier one, so a segment need not begin with a marker.
//
// Input: the scheme file, NUL, the document.
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "pipeline/scheme_file.h"
#include "pipeline/segmenting.h"
#include "platform/text_file_reader.h"

using namespace lorvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto parts = fuzz::sections(fuzz::bytesOf(data, size), 2);
    std::u16string schemeText = fuzz::decode1251(parts[0]);
    normalizeLineEnds(schemeText);
    const SchemeFile scheme = parseScheme(schemeText);
    const auto lines = terminatedLines(schemeText);
    FUZZ_CHECK(scheme.entries.size() + scheme.ignoredLines.size() <= lines.size());
    for (const SchemeEntry& entry : scheme.entries) {
        FUZZ_CHECK(entry.Path.find(u'\\') == std::u16string::npos);
        FUZZ_CHECK(entry.Name.find(u"\r\n") == std::u16string::npos);
    }

    const std::u16string document = fuzz::decode1251(parts[1]);
    const auto segments = cutSegments(document, scheme.entries);
    FUZZ_CHECK(!segments.empty());
    std::u16string joined;
    for (std::size_t k = 0; k < segments.size(); ++k) {
        joined += segments[k];

        const SegmentEntry chosen = chooseSegmentEntry(segments[k], scheme.entries);
        FUZZ_CHECK(chosen.markerLength <= segments[k].size());
        if (chosen.entry == nullptr) continue;
        if (chosen.markerLength > 0 || (chosen.entry->Name.empty() && !segments[k].empty())) {
            FUZZ_CHECK(std::u16string_view(segments[k]).starts_with(chosen.entry->Name));
        } else {
            FUZZ_CHECK(chosen.entry->IsDefault);
        }
    }
    std::u16string expected = document;
    for (char16_t& c : expected) {
        if (c == kSegmentSeparator) c = u' ';
    }
    FUZZ_CHECK(joined == expected);
    return 0;
}
