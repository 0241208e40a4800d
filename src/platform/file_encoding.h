// How a file's bytes become text and a text becomes a file's bytes: a file that begins with a
// byte-order mark is read by its mark (UTF-8, UTF-16LE, UTF-16BE), whatever the code page set;
// any other file in its code page. A result is written back in an encoding of the same kind.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/code_page.h"
#include "platform/failure.h"

namespace lorvane {

enum class ByteOrderMark { None, Utf8, Utf16LE, Utf16BE };

// The encoding a file was read in, or a result is to be written in.
struct FileEncoding {
    ByteOrderMark mark = ByteOrderMark::None;
    // The page of a file without a mark; UTF-8 for the UTF-8 mark; unused for UTF-16.
    std::shared_ptr<const CodePage> page;
    // Read without a mark in a single-byte page, yet valid UTF-8 with multi-byte sequences: the
    // file is most likely UTF-8 read in the wrong page.
    bool looksLikeUtf8 = false;

    bool isUnicode() const {
        return mark != ByteOrderMark::None || (page && page->number() == CodePage::kUtf8);
    }
};

// Windows' numbers for the UTF-16 forms, which `>codepage` accepts besides the code pages.
inline constexpr int kUtf16LECodePage = 1200;
inline constexpr int kUtf16BECodePage = 1201;

// The mark the bytes begin with.
ByteOrderMark markOf(std::string_view bytes);
std::string_view markBytes(ByteOrderMark mark);

// The text of a file's bytes: by the mark when there is one (the mark is not part of the text),
// else in `page`. `found`, when given, receives the encoding read in.
std::u16string decodeFileBytes(std::string_view bytes, const CodePage& page,
                               FileEncoding* found = nullptr);

// The encoding of bytes without a mark read in `page`, with the note that they look like UTF-8
// when a single-byte page reads them.
FileEncoding unmarkedEncoding(std::string_view bytes, const CodePage& page);

// True when the bytes are valid UTF-8 throughout and hold at least one multi-byte sequence.
bool looksLikeUtf8(std::string_view bytes);

// The encoding a code-page number names for a result: 1200 and 1201 are UTF-16 with their mark,
// 65001 UTF-8 without one, any other number a code page CodePage::forNumber knows.
Expected<FileEncoding> encodingForCodePage(int number);

// How a character the encoding cannot hold is written.
enum class Unrepresentable {
    QuestionMark,   // the code page's replacement "?", one per UTF-16 unit
    HtmlReference,  // "&#N;", N the character's code point
    RtfUnicode,     // "\uN?", N the UTF-16 unit as a signed 16-bit number, one per unit
};

// The text's bytes in the encoding (without the mark), appended to `out`. A lone surrogate has
// no form in UTF-8 and is unrepresentable there.
void encodeFileText(std::u16string_view text, const FileEncoding& encoding, Unrepresentable how,
                    std::string& out);

}  // namespace lorvane
