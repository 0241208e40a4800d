#include <gtest/gtest.h>

#include "pipeline/html_renderer.h"
#include "pipeline/rtf_renderer.h"
#include "platform/error_catalogue.h"
#include "platform/text.h"

namespace lorvane {
namespace {

ScriptStep noScript() {
    return [](const std::u16string& name, std::u16string) -> Expected<std::u16string> {
        ADD_FAILURE() << "unexpected script " << toUtf8(name);
        return failureFor(errors::kNoScriptHost, name);
    };
}

TableSettings settingsWith(std::u16string face, int16_t size, int16_t charset) {
    TableSettings settings;
    settings.fontFace = std::move(face);
    settings.fontSize = size;
    settings.charset = charset;
    return settings;
}

TEST(HtmlRenderer, TheWorkedExample) {
    TableSettings settings = settingsWith(u"F", 12, 204);
    auto html = renderHtml(u"L1\r\nL2", settings, noScript());
    ASSERT_TRUE(html.ok());
    EXPECT_EQ(*html,
              u"<html><META http-equiv=Content-Type content=\"text/html; charset=windows-1251\">"
              u"\r\n<body><font face=\"F\" size=5>\r\nL1\r\n<p>L2\r\n</font></body></html>");
    EXPECT_EQ(settings.fontSize, 5) << "the reduced size is kept";
}

TEST(HtmlRenderer, FontAndMetaElementsFollowTheSettings) {
    struct Case {
        const char* name;
        TableSettings settings;
        std::u16string text, expected;
    } cases[] = {
        {"no font, no charset", settingsWith(u"", 0, -1), u"a\r\nb",
         u"<html>\r\n<body>a\r\n<p>b</body></html>"},
        {"text ending with a line end, no font", settingsWith(u"", 0, -1), u"a\r\n",
         u"<html>\r\n<body>a\r\n<p></body></html>"},
        {"text ending with a line end", settingsWith(u"F", 0, -1), u"a\r\n",
         u"<html>\r\n<body><font face=\"F\">\r\na\r\n<p>\r\n</font></body></html>"},
        {"size only", settingsWith(u"", 8, -1), u"a",
         u"<html>\r\n<body><font size=1>\r\na\r\n</font></body></html>"},
        {"negative size stays", settingsWith(u"", -3, -1), u"a",
         u"<html>\r\n<body><font size=-3>\r\na\r\n</font></body></html>"},
        {"Greek charset", settingsWith(u"", 0, 161), u"a",
         u"<html><META http-equiv=Content-Type content=\"text/html; charset=windows-1253\">\r\n"
         u"<body>a</body></html>"},
        {"unknown charset", settingsWith(u"", 0, 2), u"a", u"<html>\r\n<body>a</body></html>"},
        {"nothing escaped", settingsWith(u"", 0, -1), u"<&\">{\\}",
         u"<html>\r\n<body><&\">{\\}</body></html>"},
    };
    for (auto& c : cases) {
        auto html = renderHtml(c.text, c.settings, noScript());
        ASSERT_TRUE(html.ok()) << c.name;
        EXPECT_EQ(*html, c.expected) << c.name;
    }
}

TEST(HtmlRenderer, SizesAreReducedIntoOneToSeven) {
    const std::pair<int16_t, int16_t> sizes[] = {{12, 5}, {14, 7}, {15, 1}, {21, 7},
                                                 {22, 1}, {7, 7},  {0, 0},  {-9, -9}};
    for (auto [size, reduced] : sizes) {
        TableSettings settings = settingsWith(u"", size, -1);
        ASSERT_TRUE(renderHtml(u"", settings, noScript()).ok());
        EXPECT_EQ(settings.fontSize, reduced) << size;
    }
}

TEST(HtmlRenderer, CharsetCodePages) {
    const std::pair<int16_t, std::u16string_view> pages[] = {
        {0, u"1252"},   {161, u"1253"}, {162, u"1254"}, {163, u"1258"}, {177, u"1255"},
        {178, u"1256"}, {204, u"1251"}, {-1, u""},      {1, u""},       {186, u""}};
    for (auto [charset, page] : pages)
        EXPECT_EQ(htmlCodePage(charset), page) << charset;
}

TEST(HtmlRenderer, TheMarkupScriptSeesTheParagraphTags) {
    TableSettings settings = settingsWith(u"", 0, -1);
    settings.script2 = u"mark.vbs";
    std::u16string seen;
    ScriptStep script = [&seen](const std::u16string& name, std::u16string text) {
        EXPECT_EQ(name, u"mark.vbs");
        seen = text;
        return Expected<std::u16string>(u"[" + text + u"]");
    };
    auto html = renderHtml(u"a\r\nb", settings, script);
    ASSERT_TRUE(html.ok());
    EXPECT_EQ(seen, u"a\r\n<p>b");
    EXPECT_EQ(*html, u"<html>\r\n<body>[a\r\n<p>b]</body></html>");
}

TEST(HtmlRenderer, AFailingMarkupScriptFailsTheRendering) {
    TableSettings settings = settingsWith(u"", 0, -1);
    settings.script2 = u"bad.vbs";
    ScriptStep script = [](const std::u16string& name, std::u16string) -> Expected<std::u16string> {
        return failureFor(errors::kTypeMismatch, name);
    };
    auto html = renderHtml(u"a", settings, script);
    ASSERT_FALSE(html.ok());
    EXPECT_EQ(html.failure().number, errors::kTypeMismatch);
}

std::u16string rtf(std::u16string_view fontLine, std::u16string_view size,
                   std::u16string_view text) {
    return u"{\\rtf1\\ansi {\\fonttbl\r\n" + std::u16string(fontLine) +
           u"\r\n}\r\n{\\colortbl\r\n\\red0\\green0\\blue0;\r\n}\r\n{\\plain\r\n{\\f1 {\\fs" +
           std::u16string(size) + u"\r\n{\\cf0 " + std::u16string(text) + u"}}}}}";
}

TEST(RtfRenderer, WritesTheFontTableSizeAndParagraphs) {
    struct Case {
        const char* name;
        TableSettings settings;
        std::u16string text, expected;
    } cases[] = {
        {"defaults", settingsWith(u"", 0, -1), u"a\r\nb",
         rtf(u"{\\f0 \\fnil\\fcharset204 Arial;}{\\f1 \\fnil\\fcharset204 Arial;}", u"24", u"a\\par \r\nb")},
        {"table settings", settingsWith(u"Face", 10, 161), u"a",
         rtf(u"{\\f0 \\fnil\\fcharset161 Face;}{\\f1 \\fnil\\fcharset161 Face;}", u"20", u"a")},
        {"empty text", settingsWith(u"", 0, -1), u"",
         rtf(u"{\\f0 \\fnil\\fcharset204 Arial;}{\\f1 \\fnil\\fcharset204 Arial;}", u"24", u"")},
        {"nothing escaped", settingsWith(u"", 0, -1), u"{\\x}<",
         rtf(u"{\\f0 \\fnil\\fcharset204 Arial;}{\\f1 \\fnil\\fcharset204 Arial;}", u"24", u"{\\x}<")},
        {"negative size", settingsWith(u"", -4, 0), u"a",
         rtf(u"{\\f0 \\fnil\\fcharset0 Arial;}{\\f1 \\fnil\\fcharset0 Arial;}", u"-8", u"a")},
        {"size beyond the RTF range", settingsWith(u"", 20000, 0), u"a",
         rtf(u"{\\f0 \\fnil\\fcharset0 Arial;}{\\f1 \\fnil\\fcharset0 Arial;}", u"32767", u"a")},
    };
    for (auto& c : cases) {
        auto document = renderRtf(c.text, c.settings, noScript());
        ASSERT_TRUE(document.ok()) << c.name;
        EXPECT_EQ(*document, c.expected) << c.name;
    }
}

TEST(RtfRenderer, DefaultsAreStoredBack) {
    TableSettings settings = settingsWith(u"", 0, -1);
    ASSERT_TRUE(renderRtf(u"", settings, noScript()).ok());
    EXPECT_EQ(settings.charset, 204);
    EXPECT_EQ(settings.fontFace, u"Arial");
    EXPECT_EQ(settings.fontSize, 12);
}

TEST(RtfRenderer, TheMarkupScriptSeesTheParagraphMarks) {
    TableSettings settings = settingsWith(u"", 0, -1);
    settings.script2 = u"s";
    ScriptStep script = [](const std::u16string&, std::u16string text) {
        EXPECT_EQ(text, u"a\\par \r\nb");
        return Expected<std::u16string>(u"X");
    };
    auto document = renderRtf(u"a\r\nb", settings, script);
    ASSERT_TRUE(document.ok());
    EXPECT_EQ(*document, rtf(u"{\\f0 \\fnil\\fcharset204 Arial;}{\\f1 \\fnil\\fcharset204 Arial;}", u"24", u"X"));
}

}  // namespace
}  // namespace lorvane
