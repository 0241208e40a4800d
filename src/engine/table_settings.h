// The document-level settings that table directives fill and the output stage reads.
#pragma once

#include <cstdint>
#include <string>

namespace lorvane {

struct TableSettings {
    std::u16string prae;      // put before each converted segment
    std::u16string post;      // put after each converted segment
    std::u16string extent;    // output extension (".txt", ".htm", ".rtf" or a user format)
    int16_t fontSize = 0;     // points; 0 = not given
    std::u16string fontFace;  // empty = not given
    bool eol2 = false;        // paragraphs are separated by an empty line; single line ends join
    int16_t charset = -1;     // font character-set number; -1 = not given
    std::u16string script1;   // script run on the whole converted document
    std::u16string script2;   // script run at the markup stage of HTML and RTF output
    int codepage = 0;         // code page the result is written in; 0 = its source's encoding

    bool operator==(const TableSettings&) const = default;
};

}  // namespace lorvane
