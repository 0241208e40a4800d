// Encodings from source to result: every file read by its byte-order mark, the documents' and
// the tables' code pages apart, the result in its source's encoding or the one ">codepage"
// names, and characters beyond it written as each output kind reads them.
#include <gtest/gtest.h>

#include "pipeline/conversion_session.h"
#include "platform/text_file_reader.h"
#include "platform/file_encoding.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "session_fixture.h"

namespace lorvane {
namespace {

std::shared_ptr<const CodePage> page(int number) {
    return CodePage::forNumber(number).value();
}

// A text as a file in the encoding its mark names, mark first.
std::string marked(ByteOrderMark mark, std::u16string_view text) {
    std::string bytes(markBytes(mark));
    encodeFileText(text, FileEncoding{mark, page(CodePage::kUtf8)}, Unrepresentable::QuestionMark,
                   bytes);
    return bytes;
}

std::string utf8(std::u16string_view text) {
    return toUtf8(text);
}

const char* nameOf(ByteOrderMark mark) {
    switch (mark) {
        case ByteOrderMark::Utf8:
            return "UTF-8";
        case ByteOrderMark::Utf16LE:
            return "UTF-16LE";
        case ByteOrderMark::Utf16BE:
            return "UTF-16BE";
        case ByteOrderMark::None:
            break;
    }
    return "none";
}

constexpr ByteOrderMark kMarks[] = {ByteOrderMark::Utf8, ByteOrderMark::Utf16LE,
                                    ByteOrderMark::Utf16BE};

class EncodingTest : public test::SessionFixture {
  protected:
    void file(const std::string& relative, const std::string& bytes) { table(relative, bytes); }
    // Converts the source `name` with `bytes` and returns the bytes written to `result` (under
    // docs/).
    std::string convertSource(const std::string& name, const std::string& bytes,
                              const std::string& result) {
        return convert(source(name, bytes), "docs/" + result);
    }
    void restart() { session_.reset(); }
};

// Each mark, on each kind of file the program reads: the characters written with it (here "ѣ",
// which cp1251 has not) arrive whole, whatever the code pages say.
TEST_F(EncodingTest, EveryKindOfFileIsReadByItsMark) {
    for (ByteOrderMark mark : kMarks) {
        struct Case {
            const char* kind;
            std::string table;                 // @lat/T.txt
            std::string extra, extraContent;  // another file of the program folder
            std::string source;
            std::string expected;  // the result, as UTF-8 without a mark
        } cases[] = {
            {"table", marked(mark, u"a == ѣ\r\n>codepage 65001\r\n"), "", "", "a", "ѣ\r\n"},
            {"include", ">go@inc.txt\r\n>codepage 65001\r\n", "@lat/@inc.txt",
             marked(mark, u"a == ѣ\r\n"), "a", "ѣ\r\n"},
            {"script", ">script s.vbs\r\n>codepage 65001\r\n", "Scripts/s.vbs",
             marked(mark, u"Sub Main\r\n  Send X() & \"ѣ\"\r\nEnd Sub\r\n"), "a", "aѣ\r\n"},
            {"template", ">extent q\r\n>codepage 65001\r\n", "format/q.txt",
             marked(mark, u"<ѣ>[%Файл]</ѣ>"), "a", "<ѣ>a</ѣ>\r\n"},
        };
        for (const Case& c : cases) {
            restart();
            file("@lat/T.txt", c.table);
            if (!c.extra.empty()) file(c.extra, c.extraContent);
            select(u"lat", u"T");
            const std::string result = c.extra == "format/q.txt" ? "s.q" : "s1.txt";
            EXPECT_EQ(convertSource("s.txt", c.source, result), c.expected)
                << c.kind << " with the " << nameOf(mark) << " mark";
        }

        // A source: its mark comes back with the result.
        restart();
        file("@lat/T.txt", "a == b\r\n");
        select(u"lat", u"T");
        EXPECT_EQ(convertSource("s.txt", marked(mark, u"ѣa\r\nѣ"), "s1.txt"),
                  marked(mark, u"ѣb\r\nѣ\r\n"))
            << "a source with the " << nameOf(mark) << " mark";

        // A scheme file: its markers are found in a source with the same characters.
        restart();
        file("@lat/U.txt", "a == b\r\n");
        file("r@mix.txt", marked(mark, u"<ѣ> == @lat\\U.txt\r\n"));
        selectScheme(u"?mix.txt");
        EXPECT_EQ(convertSource("m.txt", marked(ByteOrderMark::Utf8, u"a<ѣ>a"), "m1.txt"),
                  marked(ByteOrderMark::Utf8, u"ab\r\n"))
            << "a scheme file with the " << nameOf(mark) << " mark";
    }
}

TEST_F(EncodingTest, TheReaderTakesTheMarkInSmallAndLargeFiles) {
    for (ByteOrderMark mark : kMarks) {
        for (std::size_t length : {std::size_t{10}, kLineByLineSize}) {
            std::u16string text(length, u'ѣ');
            text.replace(length / 2, 1, u"\n");
            temp.write("f.txt", marked(mark, text));
            FileEncoding found;
            const std::u16string read = ReadTextFile(temp.u16("f.txt"), *page(1251), nullptr, &found);
            replaceAll(text, u"\n", u"\r\n");
            if (length >= kLineByLineSize) text += u"\r\n";  // every line read gets a line end
            EXPECT_EQ(read, text) << nameOf(mark) << ", " << length;
            EXPECT_EQ(found.mark, mark);
        }
    }
}

TEST_F(EncodingTest, DocumentsAndTablesHaveTheirOwnCodePages) {
    // UTF-8 documents with the bundled kind of table (cp1251 "Ж" == "J").
    file("@lat/T.txt", "\xc6 == J\r\n");
    session(65001, 1251);
    select(u"lat", u"T");
    EXPECT_EQ(convertSource("s.txt", "\xd0\x96\xd1\xa3", "s1.txt"), "J\xd1\xa3\r\n");

    // cp1251 documents with a UTF-8 table.
    restart();
    file("@lat/T.txt", "\xd0\x96 == J\r\n");
    session(1251, 65001);
    select(u"lat", u"T");
    EXPECT_EQ(convertSource("s.txt", "\xc6\xc6", "s1.txt"), "JJ\r\n");
}

TEST_F(EncodingTest, TheTableNamesTheResultsCodePage) {
    struct Case {
        const char* name;
        std::string table, source, expected;
    } cases[] = {
        {"UTF-8 from a cp1251 source", ">codepage 65001\r\n\xc6 == \xbf\r\n", "\xc6\xc0",
         "\xd1\x97\xd0\x90\r\n"},
        {"letter case and a later line", "\xc6 == \xbf\r\n>CODEPAGE   65001  \r\n", "\xc6",
         "\xd1\x97\r\n"},
        {"UTF-16LE, with its mark", ">codepage 1200\r\n", "\xc6", std::string("\xff\xfe\x16\x04\r\0\n\0", 8)},
        {"UTF-16BE, with its mark", ">codepage 1201\r\n", "a", std::string("\xfe\xff\0a\0\r\0\n", 8)},
        {"another single-byte page", ">codepage 1252\r\n", "\xc6\xe9", "??\r\n"},
        {"UTF-8 from a marked source: no mark", ">codepage 65001\r\n", "\xef\xbb\xbf\xd1\xa3",
         "\xd1\xa3\r\n"},
        {"cp1251 from a marked source", ">codepage 1251\r\n", "\xef\xbb\xbf\xd0\x96\xd1\xa3",
         "\xc6?\r\n"},
        {"an unknown page is ignored", ">codepage 932\r\n", "\xc6", "\xc6\r\n"},
        {"no number is ignored", ">codepage utf-8\r\n", "\xc6", "\xc6\r\n"},
        {"without an argument", ">codepage\r\n", "\xc6", "\xc6\r\n"},
        {"an include cannot set it", ">go@inc.txt\r\n", "\xc6", "\xc6\r\n"},
    };
    for (const Case& c : cases) {
        restart();
        file("@lat/T.txt", c.table);
        file("@lat/@inc.txt", ">codepage 65001\r\n");
        select(u"lat", u"T");
        EXPECT_EQ(convertSource("s.txt", c.source, "s1.txt"), c.expected) << c.name;
    }
}

TEST_F(EncodingTest, OnlyTheFirstSegmentsTableNamesTheCodePage) {
    file("@lat/A.txt", ">codepage 65001\r\n");
    file("@lat/B.txt", "b == \xbf\r\n");
    // The first segment, before any marker, goes to the default entry's table.
    file("r@one.txt", "default == <a>\r\n<a> == @lat\\A.txt\r\n<b> == @lat\\B.txt\r\n");
    file("r@two.txt", "default == <b>\r\n<b> == @lat\\B.txt\r\n<a> == @lat\\A.txt\r\n");
    for (const auto& [scheme, source, expected] :
         {std::tuple{u"?one.txt", "x<b>b", "x\xd1\x97\r\n"}, std::tuple{u"?two.txt", "b<a>x", "\xbfx\r\n"}}) {
        restart();
        selectScheme(scheme);
        EXPECT_EQ(convertSource("s.txt", source, "s1.txt"), expected) << toUtf8(scheme);
    }
}

// Characters beyond a cp1251 result: "ѣ" and, beyond the BMP, "𝄞".
TEST_F(EncodingTest, EachOutputKindWritesWhatItsReadersUnderstand) {
    struct Case {
        const char* kind;
        std::string table;
        std::string result;
        std::string expected;
    } cases[] = {
        {"text", "", "s1.txt", "\xc6?a??\r\n"},
        {"user format", ">extent q\r\n", "s.q", "<\xc6?a?" "?>\r\n"},
        {"HTML", ">extent htm\r\n", "s.htm",
         "<html>\r\n<body>\xc6&#1123;a&#119070;</body></html>\r\n"},
        {"RTF", ">extent rtf\r\n", "s.rtf",
         "{\\cf0 \xc6\\u1123?a\\u-10188?\\u-8930?}}}}}\r\n"},
    };
    for (const Case& c : cases) {
        restart();
        file("@lat/T.txt", c.table + ">codepage 1251\r\n");
        file("format/q.txt", "     <[%\xd4\xe0\xe9\xeb]>");
        select(u"lat", u"T");
        const std::string written = convertSource("s.txt", utf8(u"\uFEFFЖѣa𝄞"), c.result);
        ASSERT_GE(written.size(), c.expected.size()) << c.kind;
        EXPECT_EQ(written.substr(written.size() - c.expected.size()), c.expected) << c.kind;
    }
}

TEST_F(EncodingTest, AnRtfResultInUnicodeIsWrittenInAscii) {
    file("@lat/T.txt", ">extent rtf\r\n>fontface Face\r\n");
    select(u"lat", u"T");
    const std::string written = convertSource("s.txt", utf8(u"\uFEFFЖ{𝄞"), "s.rtf");
    EXPECT_TRUE(written.starts_with("{\\rtf1\\ansi {\\fonttbl\r\n")) << "no mark before it";
    EXPECT_NE(written.find("{\\cf0 \\u1046?{\\u-10188?\\u-8930?}}}}}\r\n"), std::string::npos)
        << written;
}

TEST_F(EncodingTest, HtmlDeclaresWhatItsBytesAre) {
    struct Case {
        const char* name;
        std::string table, source, expectedStart;
    } cases[] = {
        {"8-bit: the character set's page", ">charset 204\r\n", "a",
         "<html><META http-equiv=Content-Type content=\"text/html; charset=windows-1251\">\r\n"},
        {"8-bit without a character set: none", "", "a", "<html>\r\n"},
        {"UTF-8 by the table, whatever the character set", ">charset 161\r\n>codepage 65001\r\n",
         "a", "<html><META http-equiv=Content-Type content=\"text/html; charset=utf-8\">\r\n"},
        {"UTF-8 from the source's mark, no character set", "", "\xef\xbb\xbf" "a",
         "\xef\xbb\xbf<html><META http-equiv=Content-Type content=\"text/html; charset=utf-8\">"},
        {"UTF-16", ">codepage 1201\r\n", "a",
         marked(ByteOrderMark::Utf16BE,
                u"<html><META http-equiv=Content-Type content=\"text/html; charset=utf-16\">")},
    };
    for (const Case& c : cases) {
        restart();
        file("@lat/T.txt", ">extent htm\r\n" + c.table);
        select(u"lat", u"T");
        const std::string written = convertSource("s.txt", c.source, "s.htm");
        EXPECT_TRUE(written.starts_with(c.expectedStart)) << c.name << ": " << written;
    }
}

TEST_F(EncodingTest, AClipboardResultIsWrittenInTheDocumentsCodePage) {
    file("@lat/T.txt", "a == b\r\n");
    select(u"lat", u"T");
    session().setClipboardSource(true);
    desktop.clipboard = u"Жѣa";
    auto written = session().ConvertFile(u"");
    ASSERT_TRUE(written.ok());
    EXPECT_EQ(temp.read("my/Lorva1.txt"), "\xc6?b\r\n");
}

TEST_F(EncodingTest, TheStreamRunKeepsItsMarkAndReportsWhatItRead) {
    file("@lat/T.txt", "a == b\r\n");
    select(u"lat", u"T");
    FileEncoding read;
    auto document = session().RewriteStream(marked(ByteOrderMark::Utf16LE, u"a\nѣ"), &read);
    ASSERT_TRUE(document.ok());
    EXPECT_EQ(*document, marked(ByteOrderMark::Utf16LE, u"b\r\nѣ\r\n"));
    EXPECT_EQ(read.mark, ByteOrderMark::Utf16LE);

    ASSERT_TRUE(session().RewriteStream("\xd1\xa3", &read).ok());
    EXPECT_TRUE(read.looksLikeUtf8);
}

TEST_F(EncodingTest, ARunNamesTheSourcesThatLookLikeUtf8) {
    file("@lat/T.txt", "a == b\r\n");
    source("u.txt", "\xd0\x96");
    source("w.txt", "\xc6");
    source("m.txt", "\xef\xbb\xbf\xd0\x96");
    FileLister lister;
    lister.setPattern(u"?.txt");
    select(u"lat", u"T");
    RunRequest request;
    request.scope = 1;
    request.srcPath = temp.u16("docs/u.txt");
    request.lister = &lister;
    request.openResult = false;
    const RunOutcome outcome = session().Rewrite(request);
    ASSERT_FALSE(outcome.failure);
    ASSERT_EQ(outcome.hints.size(), 1u);
    EXPECT_TRUE(outcome.hints[0].starts_with(temp.u16("docs/u.txt") + u" looks like UTF-8"));
    EXPECT_NE(outcome.hints[0].find(u"--codepage 65001"), std::u16string::npos);
}

}  // namespace
}  // namespace lorvane
