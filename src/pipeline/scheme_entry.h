// The combined-scheme model: each entry names a marker and the table for the text after it.
#pragma once

#include <string>
#include <vector>

namespace lorvane {

struct SchemeEntry {
    std::u16string Name;  // the marker text
    std::u16string Path;  // relative to the program folder; ends with "/" while still open
    bool IsDefault = false;

    bool isOpen() const { return !Path.empty() && Path.back() == u'/'; }
};

using SchemeEntries = std::vector<SchemeEntry>;

}  // namespace lorvane
