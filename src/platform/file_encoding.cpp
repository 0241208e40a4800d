#include "platform/file_encoding.h"

#include <unicode/utf16.h>
#include <unicode/utf8.h>

#include "platform/error_catalogue.h"
#include "platform/text.h"

namespace lorvane {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LEMark = "\xFF\xFE";
constexpr std::string_view kUtf16BEMark = "\xFE\xFF";

void decodeUtf16(std::string_view bytes, bool bigEndian, std::u16string& out) {
    const std::size_t units = bytes.size() / 2;
    const std::size_t start = out.size();
    out.resize(start + units);
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    for (std::size_t i = 0; i < units; ++i) {
        const unsigned first = data[2 * i];
        const unsigned second = data[2 * i + 1];
        out[start + i] = static_cast<char16_t>(bigEndian ? (first << 8) | second
                                                         : (second << 8) | first);
    }
    // A file cut in the middle of a unit: the half unit is no character.
    if (bytes.size() % 2 != 0) out += u'\uFFFD';
}

void appendUtf16(std::u16string_view text, bool bigEndian, std::string& out) {
    const std::size_t start = out.size();
    out.resize(start + 2 * text.size());
    char* target = out.data() + start;
    for (char16_t c : text) {
        const char high = static_cast<char>(c >> 8);
        const char low = static_cast<char>(c & 0xFF);
        *target++ = bigEndian ? high : low;
        *target++ = bigEndian ? low : high;
    }
}

void appendAscii(std::string& out, std::u16string_view text) {
    for (char16_t c : text)
        out += static_cast<char>(c);
}

std::u16string rtfUnit(char16_t unit) {
    return u"\\u" + decimal(static_cast<int16_t>(unit)) + u"?";
}

// The replacement for the character at `i` (one or two units); advances `i` past it.
void appendReplacement(std::u16string_view text, std::size_t& i, Unrepresentable how,
                       std::string& out) {
    const char16_t unit = text[i];
    switch (how) {
        case Unrepresentable::QuestionMark:
            out += '?';
            break;
        case Unrepresentable::HtmlReference: {
            char32_t codePoint = unit;
            if (U16_IS_LEAD(unit) && i + 1 < text.size() && U16_IS_TRAIL(text[i + 1])) {
                codePoint = U16_GET_SUPPLEMENTARY(unit, text[i + 1]);
                ++i;
            }
            appendAscii(out, u"&#" + decimal(codePoint) + u";");
            break;
        }
        case Unrepresentable::RtfUnicode:
            appendAscii(out, rtfUnit(unit));
            break;
    }
    ++i;
}

void encodeSingleByte(std::u16string_view text, const CodePage& page, Unrepresentable how,
                      std::string& out) {
    if (how == Unrepresentable::QuestionMark) {
        page.encodeAppend(text, out);
        return;
    }
    // Most documents are whole in their page: one pass without looking for replacements.
    std::string whole;
    if (page.tryEncode(text, whole)) {
        out += whole;
        return;
    }
    out.reserve(out.size() + text.size());
    for (std::size_t i = 0; i < text.size();) {
        const int code = page.codeOf(text[i]);
        if (code >= 0) {
            out += static_cast<char>(code);
            ++i;
        } else {
            appendReplacement(text, i, how, out);
        }
    }
}

void encodeUtf8(std::u16string_view text, Unrepresentable how, std::string& out) {
    if (how == Unrepresentable::QuestionMark) {
        out += toUtf8(text, U'?');
        return;
    }
    out.reserve(out.size() + text.size());
    const auto n = static_cast<int32_t>(text.size());
    int32_t pos = 0;
    while (pos < n) {
        const int32_t start = pos;
        UChar32 c;
        U16_NEXT(text.data(), pos, n, c);
        if (U_IS_SURROGATE(c)) {
            std::size_t at = static_cast<std::size_t>(start);
            appendReplacement(text, at, how, out);
            continue;
        }
        char buffer[4];
        int32_t length = 0;
        [[maybe_unused]] UBool error = false;
        U8_APPEND(reinterpret_cast<uint8_t*>(buffer), length, 4, c, error);
        out.append(buffer, static_cast<std::size_t>(length));
    }
}

// RTF is read as 8-bit text: in a Unicode result every character beyond ASCII is written as
// a Unicode control word, so the document stays readable whatever reads it.
void encodeRtfAscii(std::u16string_view text, std::string& out) {
    out.reserve(out.size() + text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] < 0x80) {
            out += static_cast<char>(text[i++]);
        } else {
            appendReplacement(text, i, Unrepresentable::RtfUnicode, out);
        }
    }
}

}  // namespace

ByteOrderMark markOf(std::string_view bytes) {
    if (bytes.starts_with(kUtf8Mark)) return ByteOrderMark::Utf8;
    if (bytes.starts_with(kUtf16LEMark)) return ByteOrderMark::Utf16LE;
    if (bytes.starts_with(kUtf16BEMark)) return ByteOrderMark::Utf16BE;
    return ByteOrderMark::None;
}

std::string_view markBytes(ByteOrderMark mark) {
    switch (mark) {
        case ByteOrderMark::Utf8:
            return kUtf8Mark;
        case ByteOrderMark::Utf16LE:
            return kUtf16LEMark;
        case ByteOrderMark::Utf16BE:
            return kUtf16BEMark;
        case ByteOrderMark::None:
            break;
    }
    return {};
}

std::u16string decodeFileBytes(std::string_view bytes, const CodePage& page,
                               FileEncoding* found) {
    const ByteOrderMark mark = markOf(bytes);
    const std::string_view body = bytes.substr(markBytes(mark).size());
    std::u16string text;
    FileEncoding encoding{mark, nullptr};
    switch (mark) {
        case ByteOrderMark::None:
            // Room for the line end a reader may give the last line, so it costs no copy.
            text.reserve(body.size() + 2);
            page.decodeAppend(body, text);
            if (found != nullptr) encoding = unmarkedEncoding(body, page);
            break;
        case ByteOrderMark::Utf8:
            text = fromUtf8(body);
            encoding.page = CodePage::forNumber(CodePage::kUtf8).value();
            break;
        case ByteOrderMark::Utf16LE:
        case ByteOrderMark::Utf16BE:
            decodeUtf16(body, mark == ByteOrderMark::Utf16BE, text);
            break;
    }
    if (found != nullptr) *found = std::move(encoding);
    return text;
}

FileEncoding unmarkedEncoding(std::string_view bytes, const CodePage& page) {
    FileEncoding encoding{ByteOrderMark::None, CodePage::forNumber(page.number()).value()};
    encoding.looksLikeUtf8 = page.isSingleByte() && looksLikeUtf8(bytes);
    return encoding;
}

bool looksLikeUtf8(std::string_view bytes) {
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
    const auto n = static_cast<int32_t>(bytes.size());
    bool multiByte = false;
    int32_t pos = 0;
    while (pos < n) {
        if (data[pos] < 0x80) {
            ++pos;
            continue;
        }
        UChar32 c;
        U8_NEXT(data, pos, n, c);
        if (c < 0) return false;
        multiByte = true;
    }
    return multiByte;
}

Expected<FileEncoding> encodingForCodePage(int number) {
    if (number == kUtf16LECodePage) return FileEncoding{ByteOrderMark::Utf16LE, nullptr};
    if (number == kUtf16BECodePage) return FileEncoding{ByteOrderMark::Utf16BE, nullptr};
    auto page = CodePage::forNumber(number);
    if (!page) return page.failure();
    return FileEncoding{ByteOrderMark::None, *page};
}

void encodeFileText(std::u16string_view text, const FileEncoding& encoding, Unrepresentable how,
                    std::string& out) {
    if (how == Unrepresentable::RtfUnicode && encoding.isUnicode()) {
        encodeRtfAscii(text, out);
        return;
    }
    switch (encoding.mark) {
        case ByteOrderMark::Utf16LE:
        case ByteOrderMark::Utf16BE:
            appendUtf16(text, encoding.mark == ByteOrderMark::Utf16BE, out);
            return;
        case ByteOrderMark::Utf8:
            encodeUtf8(text, how, out);
            return;
        case ByteOrderMark::None:
            break;
    }
    if (encoding.page->isSingleByte())
        encodeSingleByte(text, *encoding.page, how, out);
    else
        encodeUtf8(text, how, out);
}

}  // namespace lorvane
