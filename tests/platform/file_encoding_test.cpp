#include "platform/file_encoding.h"

#include <gtest/gtest.h>

namespace lorvane {
namespace {

std::shared_ptr<const CodePage> page(int number) {
    return CodePage::forNumber(number).value();
}

TEST(FileEncoding, AFileIsReadByItsMarkWhateverThePage) {
    struct Case {
        const char* name;
        std::string bytes;
        ByteOrderMark mark;
        std::u16string text;
    } cases[] = {
        {"UTF-8", "\xEF\xBB\xBF\xD1\xA3\xF0\x9D\x84\x9E", ByteOrderMark::Utf8, u"ѣ\U0001D11E"},
        {"UTF-16LE", std::string("\xFF\xFE\x63\x04\x34\xD8\x1E\xDD", 8), ByteOrderMark::Utf16LE,
         u"ѣ\U0001D11E"},
        {"UTF-16BE", std::string("\xFE\xFF\x04\x63\xD8\x34\xDD\x1E", 8), ByteOrderMark::Utf16BE,
         u"ѣ\U0001D11E"},
        {"UTF-16 cut inside a unit", std::string("\xFF\xFE\x41\x00\x42", 5),
         ByteOrderMark::Utf16LE, u"A\uFFFD"},
        {"only the mark", "\xEF\xBB\xBF", ByteOrderMark::Utf8, u""},
        {"no mark: the page", "\xC0\xEF\xBB\xBF", ByteOrderMark::None, u"А\u043f\u00bb\u0457"},
        {"half a UTF-8 mark is page text", "\xEF\xBB", ByteOrderMark::None, u"\u043f\u00bb"},
        {"a mark later in the file is text", "a\xFF\xFE", ByteOrderMark::None, u"a\u044f\u044e"},
    };
    for (const Case& c : cases) {
        FileEncoding found;
        EXPECT_EQ(decodeFileBytes(c.bytes, *page(1251), &found), c.text) << c.name;
        EXPECT_EQ(found.mark, c.mark) << c.name;
        EXPECT_EQ(markOf(c.bytes), c.mark) << c.name;
        EXPECT_FALSE(found.looksLikeUtf8) << c.name;
    }
}

TEST(FileEncoding, Utf8WithoutAMarkIsNoticedInASingleBytePage) {
    struct Case {
        std::string bytes;
        bool looksLikeUtf8;
    } cases[] = {
        {"\xD1\x84\xD0\xB0", true},        // "фа"
        {"abc \xE2\x80\x94 d", true},      // an em dash among ASCII
        {"plain ASCII", false},            // nothing multi-byte: nothing to say
        {"\xF4\xE0", false},               // cp1251 "фа"
        {"\xD1\x84\xE0", false},           // valid first, then a stray byte
        {"\xC0\x80", false},               // an overlong form is no UTF-8
        {"\xED\xA0\x80", false},           // nor an encoded surrogate
        {"\xD1", false},                   // cut short
    };
    for (const Case& c : cases) {
        EXPECT_EQ(looksLikeUtf8(c.bytes), c.looksLikeUtf8) << c.bytes;
        FileEncoding found;
        decodeFileBytes(c.bytes, *page(1251), &found);
        EXPECT_EQ(found.looksLikeUtf8, c.looksLikeUtf8) << c.bytes;
        decodeFileBytes(c.bytes, *page(CodePage::kUtf8), &found);
        EXPECT_FALSE(found.looksLikeUtf8) << "read as UTF-8 already: " << c.bytes;
    }
}

TEST(FileEncoding, CodePageNumbersNameResultEncodings) {
    EXPECT_EQ(encodingForCodePage(1200)->mark, ByteOrderMark::Utf16LE);
    EXPECT_EQ(encodingForCodePage(1201)->mark, ByteOrderMark::Utf16BE);
    auto utf8 = encodingForCodePage(65001);
    ASSERT_TRUE(utf8.ok());
    EXPECT_EQ(utf8->mark, ByteOrderMark::None);
    EXPECT_TRUE(utf8->isUnicode());
    auto cyrillic = encodingForCodePage(1251);
    ASSERT_TRUE(cyrillic.ok());
    EXPECT_FALSE(cyrillic->isUnicode());
    for (int bad : {0, -1, 12345, 932}) EXPECT_FALSE(encodingForCodePage(bad).ok()) << bad;
}

// Every way of writing a character beyond the encoding, for every kind of encoding.
TEST(FileEncoding, CharactersBeyondTheEncodingAreWrittenAsTheFormatReadsThem) {
    const FileEncoding cp1251{ByteOrderMark::None, page(1251)};
    const FileEncoding utf8{ByteOrderMark::None, page(CodePage::kUtf8)};
    const FileEncoding utf8Marked{ByteOrderMark::Utf8, page(CodePage::kUtf8)};
    const FileEncoding utf16le{ByteOrderMark::Utf16LE, nullptr};
    const FileEncoding utf16be{ByteOrderMark::Utf16BE, nullptr};
    const std::u16string text = u"Аѣ\U0001D11E\uFFFF";  // in cp1251, then not, twice
    const std::u16string lone = u"a\xD800z";           // a lone surrogate
    struct Case {
        const char* name;
        std::u16string text;
        FileEncoding encoding;
        Unrepresentable how;
        std::string expected;
    } cases[] = {
        {"text cp1251", text, cp1251, Unrepresentable::QuestionMark, "\xC0????"},
        {"html cp1251", text, cp1251, Unrepresentable::HtmlReference,
         "\xC0&#1123;&#119070;&#65535;"},
        {"rtf cp1251", text, cp1251, Unrepresentable::RtfUnicode,
         "\xC0\\u1123?\\u-10188?\\u-8930?\\u-1?"},
        {"text utf-8", text, utf8, Unrepresentable::QuestionMark,
         "\xD0\x90\xD1\xA3\xF0\x9D\x84\x9E\xEF\xBF\xBF"},
        {"html utf-8", text, utf8Marked, Unrepresentable::HtmlReference,
         "\xD0\x90\xD1\xA3\xF0\x9D\x84\x9E\xEF\xBF\xBF"},
        {"rtf utf-8: ASCII with control words", u"a" + text, utf8, Unrepresentable::RtfUnicode,
         "a\\u1040?\\u1123?\\u-10188?\\u-8930?\\u-1?"},
        {"rtf utf-16 likewise", u"{a}", utf16le, Unrepresentable::RtfUnicode, "{a}"},
        {"utf-16le", text, utf16le, Unrepresentable::QuestionMark,
         std::string("\x10\x04\x63\x04\x34\xD8\x1E\xDD\xFF\xFF", 10)},
        {"utf-16be", text, utf16be, Unrepresentable::HtmlReference,
         std::string("\x04\x10\x04\x63\xD8\x34\xDD\x1E\xFF\xFF", 10)},
        {"lone surrogate, text utf-8", lone, utf8, Unrepresentable::QuestionMark, "a?z"},
        {"lone surrogate, html utf-8", lone, utf8, Unrepresentable::HtmlReference, "a&#55296;z"},
        {"lone surrogate, html cp1251", lone, cp1251, Unrepresentable::HtmlReference,
         "a&#55296;z"},
    };
    for (const Case& c : cases) {
        std::string out = "<";
        encodeFileText(c.text, c.encoding, c.how, out);
        EXPECT_EQ(out, "<" + c.expected) << c.name;
    }
}

TEST(FileEncoding, EveryByteOfASingleBytePageSurvivesTheHtmlAndRtfForms) {
    std::string all;
    for (int byte = 0; byte < 256; ++byte) all.push_back(static_cast<char>(byte));
    const FileEncoding cp1251{ByteOrderMark::None, page(1251)};
    const std::u16string text = decodeFileBytes(all, *page(1251));
    for (auto how : {Unrepresentable::HtmlReference, Unrepresentable::RtfUnicode}) {
        std::string out;
        encodeFileText(text, cp1251, how, out);
        EXPECT_EQ(out, all);
    }
}

}  // namespace
}  // namespace lorvane
