// Chromium opens the HTML documents and shows the characters they mean: the Cyrillic psalm of
// the bundled HTML table (windows-1251, older letters as character references), the Greek of
// the bundled Greek table (windows-1253 through the META element) and the bundled hip sample in
// UTF-8. The DOM Chromium builds holds every paragraph's text and the font element with the
// table's face; a screenshot of the psalm is kept for people to look at.
#include <gtest/gtest.h>

#include <ostream>

#include "external_tool.h"
#include "reader_documents.h"
#include "temp_folder.h"

namespace lorvane::test {
namespace {

namespace fs = std::filesystem;

struct HtmlCase {
    const char* sample;  // in bundle/samples
    bool linesJoined;    // the table joins the lines of a paragraph
    const char* mode;
    const char* table;
    const char* codePage;  // the code page the META element names
    const char* face;      // the face of the font element
    const char* size;      // its size, "" when the table gives none
    const char* opening;   // how the first paragraph begins, as a reader shows it
};

const HtmlCase kCases[] = {
    {"psalm22.txt", true, "hip", "Церковный-HTML", "windows-1251", "Times New Roman", "5",
     "Ѱало́мъ Дави́ду"},
    {"greek.txt", false, "hip-grk", "!Греческий%Arial%", "windows-1253", "Arial", "",
     "Άγιος ο Θεός"},
    // A real-style hip text in UTF-8: its Russian first paragraph stays Russian.
    {"moleben.hip", true, "hip", "Юникод-HTML", "utf-8",
     "Ponomar Unicode, Monomakh Unicode, Fedorovsk Unicode, Noto Serif, serif", "5",
     "Образец текста в разметке hip"},
};

void PrintTo(const HtmlCase& c, std::ostream* out) {
    *out << c.sample << " with " << c.mode << "/" << c.table;
}

class HtmlInChromium : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto found = findOnPath("chromium");
        if (!found) GTEST_SKIP() << missingTool("chromium", "chromium");
        chromium_ = *found;
    }

    ProgramRun runChromium(std::vector<std::string> arguments) {
        std::vector<std::string> all = chromiumArguments(work_.path());
        all.insert(all.end(), arguments.begin(), arguments.end());
        const ProgramRun run = runWithin(120, chromium_, all, {{"HOME", work_.path().string()}});
        log_ = describeRun(chromium_, all, run);
        return run;
    }

    fs::path document(const HtmlCase& c) {
        const fs::path source = work_.path() / "docs" / c.sample;
        fs::create_directories(source.parent_path());
        fs::copy_file(bundled(std::string("samples/") + c.sample), source);
        std::string log;
        const fs::path written = convert(bundleHome(), source, c.mode, c.table, log);
        EXPECT_EQ(written.extension(), ".htm") << log;
        return written;
    }

    TempFolder work_;
    fs::path chromium_;
    std::string log_;
};

// The text nodes of serialised HTML, tags dropped and the serialiser's escapes undone.
std::string domText(const std::string& dom) {
    std::string text;
    for (std::size_t i = 0; i < dom.size(); ++i) {
        if (dom[i] == '<') {
            i = dom.find('>', i);
            if (i == std::string::npos) break;
            continue;
        }
        text += dom[i];
    }
    for (const auto& [escape, character] : {std::pair<std::string, std::string>{"&lt;", "<"},
                                            {"&gt;", ">"},
                                            {"&nbsp;", "\xC2\xA0"},
                                            {"&amp;", "&"}}) {
        for (std::size_t at = text.find(escape); at != std::string::npos;
             at = text.find(escape, at + character.size()))
            text.replace(at, escape.size(), character);
    }
    return text;
}

// The value of `attribute` in the first start tag `tag` of serialised HTML.
std::string attributeOf(const std::string& dom, const std::string& tag,
                        const std::string& attribute) {
    const std::size_t start = dom.find("<" + tag + " ");
    if (start == std::string::npos) return "(no " + tag + " element)";
    const std::string element = dom.substr(start, dom.find('>', start) - start);
    const std::size_t at = element.find(" " + attribute + "=\"");
    if (at == std::string::npos) return "";
    const std::size_t value = at + attribute.size() + 3;
    return element.substr(value, element.find('"', value) - value);
}

std::vector<std::string> nonEmptyTrimmedLines(const std::string& text) {
    std::vector<std::string> lines;
    for (std::string line : splitLines(text)) {
        line.erase(0, line.find_first_not_of(' '));
        line.erase(line.find_last_not_of(' ') + 1);
        if (!line.empty()) lines.push_back(line);
    }
    return lines;
}

class HtmlOfBundledTables : public HtmlInChromium,
                            public ::testing::WithParamInterface<HtmlCase> {};

TEST_P(HtmlOfBundledTables, DomHoldsTheTextAndTheFontFace) {
    const HtmlCase& c = GetParam();
    const fs::path page = document(c);
    ASSERT_FALSE(page.empty());
    const ProgramRun run = runChromium({"--dump-dom", "file://" + page.string()});
    ASSERT_EQ(run.exitCode, 0) << log_;
    ASSERT_NE(run.out.find("<body>"), std::string::npos) << log_;

    EXPECT_EQ(attributeOf(run.out, "font", "face"), c.face) << run.out;
    EXPECT_EQ(attributeOf(run.out, "font", "size"), c.size) << run.out;
    const std::vector<std::string> shown = nonEmptyTrimmedLines(domText(run.out));
    const std::vector<std::string> meant = htmlParagraphs(readBytes(page), c.codePage);
    EXPECT_EQ(shown, meant);
    EXPECT_EQ(shown.size(), sourceParagraphs(readBytes(bundled(std::string("samples/") + c.sample)),
                                             c.linesJoined)
                                .size());
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.front().rfind(c.opening, 0), 0u) << shown.front();
}

INSTANTIATE_TEST_SUITE_P(InChromium, HtmlOfBundledTables, ::testing::ValuesIn(kCases),
                         [](const auto& info) {
                             const std::string sample = info.param.sample;
                             return sample.substr(0, sample.find('.'));
                         });

TEST_F(HtmlInChromium, ScreenshotShowsThePsalm) {
    const fs::path page = document(kCases[0]);
    ASSERT_FALSE(page.empty());
    const fs::path shot = fs::path(LORVANE_SCREENSHOT_DIR) / "html_output.png";
    fs::create_directories(shot.parent_path());
    fs::remove(shot);
    const ProgramRun run = runChromium(
        {"--window-size=900,640", "--screenshot=" + shot.string(), "file://" + page.string()});
    ASSERT_EQ(run.exitCode, 0) << log_;
    const std::string png = readBytes(shot);
    ASSERT_GE(png.size(), 24u) << log_;
    EXPECT_EQ(png.compare(0, 8, "\x89PNG\r\n\x1a\n"), 0);
    // A page of text compresses far less than an empty one (about 3 KB at this size).
    EXPECT_GT(png.size(), 20000u) << "the screenshot looks empty: " << shot;
}

}  // namespace
}  // namespace lorvane::test
