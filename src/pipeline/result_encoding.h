// The encoding a result is written in: its source's, unless its table names another with
// ">codepage"; and how each output kind writes the characters that encoding cannot hold.
#pragma once

#include <string>
#include <string_view>

#include "platform/file_encoding.h"

namespace lorvane {

struct ResultEncoding {
    FileEncoding encoding;
    Unrepresentable unrepresentable = Unrepresentable::QuestionMark;
    bool writesMark = false;

    // The result's bytes for a piece of the document, appended to `out` (no mark).
    void encode(std::u16string_view piece, std::string& out) const {
        encodeFileText(piece, encoding, unrepresentable, out);
    }
    std::string_view mark() const { return writesMark ? markBytes(encoding.mark) : ""; }
};

// `codepage` is the table's ">codepage" number, 0 when it gave none; `extent` the output
// extension with its dot.
ResultEncoding resultEncodingFor(const FileEncoding& source, int codepage,
                                 std::u16string_view extent);

// The charset an HTML result declares when its bytes are Unicode ("utf-8", "utf-16"); empty for
// a result in an 8-bit code page, whose META element follows the font's character set.
std::u16string_view unicodeCharsetOf(const FileEncoding& encoding);

}  // namespace lorvane
