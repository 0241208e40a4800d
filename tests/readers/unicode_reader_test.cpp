// The readers show what a user's own tables mean: an RTF table of the user's (face, character
// set, no ">prae") opens in LibreOffice with its characters and its face, and a UTF-8 HTML
// result opens in Chromium with the characters cp1251 has not.
#include <gtest/gtest.h>

#include "external_tool.h"
#include "reader_documents.h"
#include "temp_folder.h"

namespace lorvane::test {
namespace {

namespace fs = std::filesystem;

constexpr char kFace[] = "Lorvane Test Face";

// A program folder of the user's: the mode "cyr" with the given tables.
fs::path userHome(const TempFolder& work,
                  const std::vector<std::pair<std::string, std::string>>& tables) {
    for (const auto& [name, content] : tables) work.write("home/@cyr/" + name + ".txt", content);
    return work.path() / "home";
}

fs::path userSource(const TempFolder& work, const std::string& name, const std::string& bytes) {
    return work.write("docs/" + name, bytes);
}

std::string resolveXmlEscapes(std::string text) {
    for (const auto& [escape, character] :
         {std::pair<std::string, std::string>{"&lt;", "<"}, {"&gt;", ">"}, {"&apos;", "'"},
          {"&quot;", "\""}, {"&amp;", "&"}}) {
        for (std::size_t at = text.find(escape); at != std::string::npos;
             at = text.find(escape, at + character.size()))
            text.replace(at, escape.size(), character);
    }
    return text;
}

// The paragraphs of a flat ODF text document, tags dropped.
std::vector<std::string> odfParagraphs(const std::string& fodt) {
    std::vector<std::string> paragraphs;
    for (std::size_t at = fodt.find("<text:p"); at != std::string::npos;
         at = fodt.find("<text:p", at + 1)) {
        const std::size_t end = fodt.find("</text:p>", at);
        if (end == std::string::npos) break;
        std::string text;
        for (std::size_t i = fodt.find('>', at) + 1; i < end; ++i) {
            if (fodt[i] == '<') {
                i = fodt.find('>', i);
                continue;
            }
            text += fodt[i];
        }
        if (!text.empty()) paragraphs.push_back(resolveXmlEscapes(text));
    }
    return paragraphs;
}

// The font names the document's own (automatic) styles give its text.
std::vector<std::string> odfTextFonts(const std::string& fodt) {
    const std::size_t start = fodt.find("<office:automatic-styles>");
    const std::size_t end = fodt.find("</office:automatic-styles>");
    std::vector<std::string> fonts;
    if (start == std::string::npos || end == std::string::npos) return fonts;
    const std::string marker = "style:font-name=\"";
    for (std::size_t at = fodt.find(marker, start); at != std::string::npos && at < end;
         at = fodt.find(marker, at + 1)) {
        const std::size_t value = at + marker.size();
        fonts.push_back(fodt.substr(value, fodt.find('"', value) - value));
    }
    return fonts;
}

TEST(UserRtfInLibreOffice, ShowsTheCharactersInTheTablesFace) {
    const auto soffice = findOnPath("soffice");
    if (!soffice) GTEST_SKIP() << missingTool("soffice", "libreoffice-writer-nogui");
    TempFolder work;
    const std::string settings =
        ">extent rtf\r\n>fontface " + std::string(kFace) + "\r\n>charset 204\r\n";
    // The second table is UTF-8 with its mark, so it can name letters cp1251 has not; the
    // result stays cp1251 (its source's page) and carries them as \uN.
    const fs::path home = userHome(
        work, {{"Plain", settings},
               {"Older", "\xef\xbb\xbf" + settings +
                             "\xd0\xb5 == \xd1\xa3\r\n\xd0\xbe == \xd1\xa1\r\n"
                             "\xd1\x83 == \xea\x99\x8b\r\n\xd1\x8a == \xd1\x8a\xd2\x83\r\n"}});
    // "Федоръ пишетъ" / "к уму" in cp1251, two paragraphs.
    const std::string text = "\xd4\xe5\xe4\xee\xf0\xfa \xef\xe8\xf8\xe5\xf2\xfa\r\n\xea \xf3\xec\xf3\r\n";
    std::vector<fs::path> documents;
    for (const char* table : {"Plain", "Older"}) {
        std::string log;
        documents.push_back(
            convert(home, userSource(work, std::string(table) + ".txt", text), "cyr", table, log));
        ASSERT_EQ(documents.back().extension(), ".rtf") << log;
    }
    std::vector<std::string> arguments =
        libreOfficeArguments(work.path(), "fodt", work.path() / "shown");
    for (const fs::path& document : documents) arguments.push_back(document.string());
    const ProgramRun run = runWithin(300, *soffice, arguments, {{"HOME", work.path().string()}});
    ASSERT_EQ(run.exitCode, 0) << describeRun(*soffice, arguments, run);

    const std::vector<std::vector<std::string>> meant = {
        {"Федоръ пишетъ", "к уму"}, {"Фѣдѡръ҃ пишѣтъ҃", "к ꙋмꙋ"}};
    for (std::size_t i = 0; i < documents.size(); ++i) {
        SCOPED_TRACE(documents[i].filename().string());
        const std::string fodt =
            readBytes(work.path() / "shown" / documents[i].filename().replace_extension(".fodt"));
        ASSERT_FALSE(fodt.empty()) << describeRun(*soffice, arguments, run);
        EXPECT_EQ(odfParagraphs(fodt), meant[i]);
        EXPECT_EQ(odfParagraphs(fodt), rtfParagraphs(readBytes(documents[i]), "windows-1251"));
        EXPECT_EQ(odfTextFonts(fodt), std::vector<std::string>{kFace});
    }
}

TEST(Utf8HtmlInChromium, ShowsTheCharactersAndTheFace) {
    const auto chromium = findOnPath("chromium");
    if (!chromium) GTEST_SKIP() << missingTool("chromium", "chromium");
    TempFolder work;
    // A cp1251 source, a UTF-8 table (by its mark) that asks for a UTF-8 result: the META
    // element alone tells the browser what the bytes are.
    const fs::path home = userHome(
        work, {{"Html", "\xef\xbb\xbf>extent htm\r\n>fontface " + std::string(kFace) +
                            "\r\n>charset 204\r\n>codepage 65001\r\n"
                            "\xd0\xb5 == \xd1\xa3\r\n\xd1\x83 == \xea\x99\x8b\r\n"}});
    std::string log;
    const fs::path page = convert(
        home, userSource(work, "s.txt", "\xd4\xe5\xe4\xee\xf0\xfa\r\n\xea \xf3\xec\xf3"), "cyr",
        "Html", log);
    ASSERT_EQ(page.extension(), ".htm") << log;
    ASSERT_EQ(readBytes(page).rfind("<html><META", 0), 0u) << "no byte-order mark";

    std::vector<std::string> arguments = chromiumArguments(work.path());
    arguments.insert(arguments.end(), {"--dump-dom", "file://" + page.string()});
    const ProgramRun run = runWithin(120, *chromium, arguments, {{"HOME", work.path().string()}});
    ASSERT_EQ(run.exitCode, 0) << describeRun(*chromium, arguments, run);
    const std::string& dom = run.out;
    EXPECT_NE(dom.find("<font face=\"" + std::string(kFace) + "\">"), std::string::npos) << dom;
    const std::vector<std::string> meant = htmlParagraphs(readBytes(page), "utf-8");
    EXPECT_EQ(meant, (std::vector<std::string>{"Фѣдоръ", "к ꙋмꙋ"}));
    for (const std::string& paragraph : meant)
        EXPECT_NE(dom.find(paragraph), std::string::npos) << paragraph << " in " << dom;
}

}  // namespace
}  // namespace lorvane::test
