// A document's text on its way through a conversion, in one of two forms: its characters, or,
// in a single-byte page, that page's bytes for them. The page decodes every byte to one
// character and encodes it back to the same byte, so the bytes stand for exactly the same
// characters; a text that is only read, searched and rewritten by pairs can stay in bytes from
// the source file to the result file, at half the memory and without a decode or an encode.
#pragma once

#include <string>
#include <utility>

#include "platform/code_page.h"

namespace lorvane {

struct DocumentText {
    std::u16string units;
    std::string bytes;  // when inBytes: the text in the page of the step holding it
    bool inBytes = false;

    static DocumentText ofUnits(std::u16string text) { return {std::move(text), {}, false}; }
    static DocumentText ofBytes(std::string text) { return {{}, std::move(text), true}; }

    // The characters, decoded in `page` (once) when the text is in bytes.
    std::u16string& unitsIn(const CodePage& page) {
        if (inBytes) {
            units.clear();
            page.decodeAppend(bytes, units);
            std::string().swap(bytes);
            inBytes = false;
        }
        return units;
    }
};

}  // namespace lorvane
