// LibreOffice opens the RTF documents and shows the characters they mean: the Cyrillic psalm
// of the bundled RTF table (character set 204, letters outside code page 1251 as \uN) and a
// Greek text in character set 161, and the bundled hip sample in Unicode (Church Slavonic marks
// as \uN, its Russian paragraph as plain 1251). The text comes back character for character and
// with its paragraphs where the source had them, so the font table's \fcharset was honoured. One
// LibreOffice start converts every document: its first start is slow.
#include <gtest/gtest.h>

#include "external_tool.h"
#include "reader_documents.h"
#include "temp_folder.h"

namespace lorvane::test {
namespace {

namespace fs = std::filesystem;

struct RtfCase {
    const char* sample;  // in bundle/samples
    bool linesJoined;    // the table joins the lines of a paragraph
    const char* mode;    // mode and table of the program folder the case uses
    const char* table;
    const char* codePage;  // the code page of the table's character set
    const char* opening;   // how the first paragraph begins, as a reader shows it
};

const RtfCase kCases[] = {
    {"psalm22.txt", true, "hip", "Церковный-RTF", "windows-1251", "Ѱало́мъ Дави́ду"},
    {"greek.txt", false, "grk-rtf", "Греческий-RTF", "windows-1253", "Άγιος ο Θεός"},
    {"moleben.hip", true, "hip", "Юникод-RTF", "windows-1251", "Образец текста в разметке hip"},
};

// A program folder with the bundled hip mode and a Greek RTF table: the bundled Greek HTML
// table with RTF output and font 0 (the one the font table declares) chosen for the text.
fs::path greekRtfHome(const TempFolder& work) {
    const fs::path home = work.path() / "home";
    fs::create_directories(home / "@grk-rtf");
    fs::copy(bundleHome() / "@hip", home / "@hip", fs::copy_options::recursive);
    work.write("home/@grk-rtf/Греческий-RTF.txt",
               ">extent rtf\r\n>fontface Arial\r\n>prae \\f0{}\r\n" +
                   readBytes(bundled("@hip-grk/!Греческий%Arial%.txt")));
    return home;
}

TEST(RtfInLibreOffice, ShowsTheCharactersAndParagraphsOfTheDocuments) {
    const auto soffice = findOnPath("soffice");
    if (!soffice) GTEST_SKIP() << missingTool("soffice", "libreoffice-writer-nogui");
    TempFolder work;
    const fs::path greekHome = greekRtfHome(work);

    std::vector<std::string> arguments =
        libreOfficeArguments(work.path(), "txt:Text (encoded):UTF8", work.path() / "text");
    std::vector<fs::path> documents;
    for (const RtfCase& c : kCases) {
        const fs::path source = work.path() / "docs" / c.sample;
        fs::create_directories(source.parent_path());
        fs::copy_file(bundled(std::string("samples/") + c.sample), source);
        std::string log;
        const fs::path home = std::string(c.mode) == "hip" ? bundleHome() : greekHome;
        documents.push_back(convert(home, source, c.mode, c.table, log));
        ASSERT_EQ(documents.back().extension(), ".rtf") << log;
        arguments.push_back(documents.back().string());
    }
    const ProgramRun run = runWithin(300, *soffice, arguments, {{"HOME", work.path().string()}});
    ASSERT_EQ(run.exitCode, 0) << describeRun(*soffice, arguments, run);

    for (std::size_t i = 0; i < std::size(kCases); ++i) {
        const RtfCase& c = kCases[i];
        SCOPED_TRACE(std::string(c.sample) + " with " + c.table);
        const fs::path shown =
            work.path() / "text" / documents[i].filename().replace_extension(".txt");
        ASSERT_TRUE(fs::is_regular_file(shown)) << describeRun(*soffice, arguments, run);
        const std::vector<std::string> lines = textLines(readBytes(shown));
        const std::vector<std::string> meant = rtfParagraphs(readBytes(documents[i]), c.codePage);
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines, meant);
        EXPECT_EQ(
            lines.size(),
            sourceParagraphs(readBytes(bundled(std::string("samples/") + c.sample)), c.linesJoined)
                .size());
        EXPECT_EQ(lines.front().rfind(c.opening, 0), 0u) << lines.front();
    }
}

}  // namespace
}  // namespace lorvane::test
