// The pattern list of the file-selection window: its entries from the file-type list "files.txt",
// the file pattern of an entry, and which entry the stored "DefaultPattern" selects.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lorvane {

// Every line of the file-type list that holds a "|", each put at the top in turn (so in reverse
// file order), before the two built-in entries; the last entry is always all files.
std::vector<std::u16string> buildPatternList(std::u16string_view fileTypeList);

// The text after an entry's last "|" (the whole entry when it holds none).
std::u16string patternOf(std::u16string_view entry);

struct DefaultPatternChoice {
    int index;         // the entry to select
    bool tickDefault;  // tick "Настройки по умолчанию"
};

// A stored index below the index of the last entry selects that entry and ticks the box; any
// other value, "99", a value that is no 16-bit number or a negative one, selects the last entry
// and leaves the box as it is.
DefaultPatternChoice chooseDefaultPattern(std::u16string_view stored, int entryCount);

}  // namespace lorvane
