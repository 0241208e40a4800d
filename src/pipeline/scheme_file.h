// Reading a combined-scheme file: each line "marker == table path" makes an entry, "default"
// lines name the default entry for the lines after them.
#pragma once

#include <string>
#include <vector>

#include "pipeline/scheme_entry.h"

namespace lorvane {

struct SchemeFile {
    SchemeEntries entries;
    std::vector<int> entryLines;  // the 1-based line of each entry
    // 1-based numbers of the non-empty lines that hold no " == " and were ignored.
    std::vector<int> ignoredLines;
};

// Parses the text as the text reader returns it (CR LF line ends). The text after the last
// CR LF is not a line. Entry paths written with "\" get the platform separator.
SchemeFile parseScheme(const std::u16string& text);

// Splits at every CR LF; the piece after the last one is dropped, so only terminated lines count.
std::vector<std::u16string> terminatedLines(const std::u16string& text);

}  // namespace lorvane
