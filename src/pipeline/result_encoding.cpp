#include "pipeline/result_encoding.h"

namespace lorvane {

ResultEncoding resultEncodingFor(const FileEncoding& source, int codepage,
                                 std::u16string_view extent) {
    ResultEncoding result;
    result.encoding = source;
    if (codepage != 0) {
        if (auto named = encodingForCodePage(codepage)) result.encoding = std::move(*named);
    }
    result.encoding.looksLikeUtf8 = false;
    if (extent == u".htm") {
        result.unrepresentable = Unrepresentable::HtmlReference;
    } else if (extent == u".rtf") {
        result.unrepresentable = Unrepresentable::RtfUnicode;
    }
    // An RTF document in a Unicode encoding is written in ASCII with Unicode control words;
    // a mark in front of it would hide the "{\rtf" readers look for.
    result.writesMark = result.unrepresentable != Unrepresentable::RtfUnicode;
    return result;
}

std::u16string_view unicodeCharsetOf(const FileEncoding& encoding) {
    switch (encoding.mark) {
        case ByteOrderMark::Utf16LE:
        case ByteOrderMark::Utf16BE:
            return u"utf-16";
        case ByteOrderMark::Utf8:
            return u"utf-8";
        case ByteOrderMark::None:
            break;
    }
    return encoding.isUnicode() ? u"utf-8" : u"";
}

}  // namespace lorvane
