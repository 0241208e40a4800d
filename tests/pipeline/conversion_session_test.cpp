#include "pipeline/conversion_session.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <map>

#include "engine/engine_state.h"
#include "engine/script_runner.h"
#include "platform/error_catalogue.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "recording_desktop.h"
#include "session_fixture.h"
#include "temp_folder.h"

namespace lorvane {
namespace {

namespace fs = std::filesystem;

// Scripts as functions of the working text; an unknown name fails as a missing script does.
class FakeScripts : public ScriptRunner {
  public:
    explicit FakeScripts(EngineState& state) : state_(state) {}
    Expected<std::u16string> RunScript(const std::u16string& name, std::u16string&) override {
        ran.push_back(name);
        auto found = scripts.find(name);
        if (found == scripts.end()) return failureFor(errors::kFileNotFound, name);
        return found->second(state_.tmpText);
    }
    std::map<std::u16string, std::function<std::u16string(const std::u16string&)>> scripts;
    std::vector<std::u16string> ran;

  private:
    EngineState& state_;
};

// The program folder lies in home/, sources in docs/, clipboard results in my/.
using SessionTest = test::SessionFixture;

TEST_F(SessionTest, DirectModeAppliesTheTableAndWritesPlainText) {
    table("@lat/T.txt", "a == x\r\n");
    select(u"lat", u"T");
    EXPECT_EQ(convert(source("ab.txt", "ab"), "docs/ab1.txt"), "xb\r\n");
    EXPECT_EQ(session().engineState().Tablett, temp.u16("home/@lat/T.txt"));
}

// Tables are kept between documents while their files stay unchanged; whatever is edited in
// the program folder between two documents shows in the second. The files are dated long ago, as
// tables are, so only their changes can tell the session to read them again.
TEST_F(SessionTest, TablesEditedBetweenDocumentsAreReadAgain) {
    auto age = [&](const std::string& relative) {
        const fs::path path = temp.path() / relative;
        fs::last_write_time(path, fs::last_write_time(path) - std::chrono::hours(24 * 400));
    };
    table("@lat/T.txt", "a == x\r\n>go@inc.txt\r\n>go@later.txt\r\n");
    table("@lat/@inc.txt", "b == y\r\n");
    for (const char* file : {"home/@lat/T.txt", "home/@lat/@inc.txt", "home/@lat", "home"})
        age(file);
    select(u"lat", u"T");
    const std::u16string document = source("abc.txt", "abc");
    EXPECT_EQ(convert(document, "docs/abc1.txt"), "xyc\r\n");

    const struct {
        const char* what;
        std::function<void()> edit;
        const char* expected;
    } edits[] = {
        {"the include rewritten", [&] { table("@lat/@inc.txt", "b == z\r\n"); }, "xzc\r\n"},
        {"the table rewritten, same size",
         [&] { table("@lat/T.txt", "a == w\r\n>go@inc.txt\r\n>go@later.txt\r\n"); }, "wzc\r\n"},
        {"an include it names added", [&] { table("@lat/@later.txt", "c == v\r\n"); }, "wzv\r\n"},
        {"the include replaced by a rename",
         [&] {
             table("@lat/new.txt", "b == q\r\n");
             fs::rename(temp.path() / "home/@lat/new.txt", temp.path() / "home/@lat/@inc.txt");
         },
         "wqv\r\n"},
        {"an include removed", [&] { fs::remove(temp.path() / "home/@lat/@later.txt"); },
         "wqc\r\n"},
    };
    for (const auto& edit : edits) {
        edit.edit();
        for (const char* file : {"home/@lat/T.txt", "home/@lat/@inc.txt", "home/@lat"})
            age(file);
        EXPECT_EQ(convert(document, "docs/abc1.txt"), edit.expected) << edit.what;
    }
}

TEST_F(SessionTest, TableFilesAreFoundWithoutRegardToLetterCase) {
    table("@lat/Upper.TXT", "a == x\r\n");
    select(u"lat", u"Upper");
    EXPECT_EQ(convert(source("ab.txt", "ab"), "docs/ab1.txt"), "xb\r\n");
    EXPECT_EQ(session().engineState().Tablett, temp.u16("home/@lat/Upper.TXT"));
}

TEST_F(SessionTest, TableLinesCommentsAndHiddenLines) {
    table("@lat/T.txt", "// a == 1\r\n// * b == 2\r\nc == 3\r\nd == 4");
    select(u"lat", u"T");
    EXPECT_EQ(convert(source("s.txt", "abcd"), "docs/s1.txt"), "a23d\r\n")
        << "a comment does nothing, a hidden line counts, an unterminated last line does not";
}

TEST_F(SessionTest, TextBeforeAndAfterTheConvertedText) {
    table("@lat/T.txt", ">prae [\r\n>post ]\r\n");
    select(u"lat", u"T");
    EXPECT_EQ(convert(source("s.txt", "one\r\ntwo"), "docs/s1.txt"), "[one\r\ntwo]\r\n");
}

TEST_F(SessionTest, HipModesJoinTheLinesOfParagraphs) {
    table("@HIPtext/T.txt", "// no pairs\r\n");
    table("@HIPtext/Off.txt", ">noteol2\r\n");
    select(u"HIPtext", u"T");
    EXPECT_EQ(convert(source("s.txt", "a\r\nb\r\n\r\nc\r\n"), "docs/s1.txt"), "a b\r\nc \r\n");
    select(u"HIPtext", u"Off");
    EXPECT_EQ(convert(source("s.txt", "a\r\nb\r\n"), "docs/s1.txt"), "a\r\nb\r\n\r\n");
}

TEST_F(SessionTest, LineEndsOfTheSourceAreNormalised) {
    table("@lat/T.txt", "");
    select(u"lat", u"T");
    EXPECT_EQ(convert(source("s.txt", "a\nb\rc\n\rd"), "docs/s1.txt"), "a\r\nb\r\nc\r\nd\r\n");
}

class SchemeSessionTest : public SessionTest {
  protected:
    void SetUp() override {
        SessionTest::SetUp();
        table("@lat/T2.txt", "x == X\r\nz == Z\r\n>extent htm\r\n>prae (\r\n>post )\r\n");
        table("@grk/T1.txt", "y == Y\r\n>extent rtf\r\n");
        table("r@mix.txt", "<g> == @grk\\T1.txt\r\ndefault == <l>\r\n<l> == @lat\\T2.txt\r\n");
        selectScheme(u"?mix.txt");
    }
};

TEST_F(SchemeSessionTest, TheWorkedExample) {
    // Segments x (T2, level 0), y (T1, level 1), z (T2, level 2): only level 0 sets the
    // extension, prae and post belong to each segment, markers never reach the output.
    EXPECT_EQ(convert(source("s.txt", "x<g>y<l>z"), "docs/s.htm"),
              "<html>\r\n<body>(X)Y(Z)</body></html>\r\n");
    EXPECT_EQ(session().engineState().Tablett, temp.u16("home/@lat/T2.txt"))
        << "the last segment's table";
}

TEST_F(SchemeSessionTest, ASourceBeginningWithAMarkerHasAnEmptyFirstSegment) {
    EXPECT_EQ(convert(source("s.txt", "<g>y"), "docs/s.htm"),
              "<html>\r\n<body>()Y</body></html>\r\n");
}

TEST_F(SchemeSessionTest, MoreSegmentsThanLevelsFailTheConversion) {
    std::string text;
    for (int i = 0; i < 32768; ++i)
        text += "<g>y";
    auto written = session().ConvertFile(source("big.txt", text));
    ASSERT_FALSE(written.ok());
    EXPECT_EQ(written.failure().number, errors::kTooManySegments);
    EXPECT_FALSE(temp.exists("docs/big.htm"));
}

TEST_F(SessionTest, OpenSchemeEntriesMustBeCompleted) {
    table("@grk/T1.txt", "y == Y\r\n");
    table("@lat/T2.txt", "x == X\r\n");
    table("r@open.txt", "default == <l>\r\n<g> == @grk\\\r\n<l> == @lat\\T2.txt\r\n");
    selectScheme(u"?open.txt");
    SelectionModel& selection = session().selection();
    ASSERT_EQ(selection.entryList(), std::vector<std::u16string>{u"<g>"});
    auto refused = session().ConvertFile(source("s.txt", "x<g>y"));
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.failure().number, errors::kSchemeEntriesOpen);

    selection.selectTable(selection.findTable(u"T1"));
    EXPECT_EQ(convert(source("s.txt", "x<g>y"), "docs/s1.txt"), "XY\r\n");
}

TEST_F(SessionTest, NoTableToConvertWith) {
    temp.makeFolder("home/@empty");
    auto refused = session().ConvertFile(source("s.txt", "x"));
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.failure().number, errors::kNoTableSelected);
}

TEST_F(SessionTest, HtmlWithTheTablesFontAndCharacterSet) {
    table("@lat/T.txt", ">extent htm\r\n>fontface F\r\n>fontsize 12\r\n>charset 204\r\n");
    select(u"lat", u"T");
    EXPECT_EQ(convert(source("s.txt", "L1\r\nL2"), "docs/s.htm"),
              "<html><META http-equiv=Content-Type content=\"text/html; charset=windows-1251\">"
              "\r\n<body><font face=\"F\" size=5>\r\nL1\r\n<p>L2\r\n</font></body></html>\r\n");
}

TEST_F(SessionTest, ATableNamedAfterAFaceGivesHtml) {
    table("@lat/Face%.txt", "");
    table("@lat/!x%.txt", "");
    select(u"lat", u"Face%");
    EXPECT_EQ(convert(source("s.txt", "t"), "docs/s.htm"),
              "<html>\r\n<body><font face=\"Face\">\r\nt\r\n</font></body></html>\r\n");
}

TEST_F(SessionTest, ATableNamedWithABangGivesHtmlWithoutAFace) {
    table("@lat/!x%.txt", "");
    select(u"lat", u"!x%");
    EXPECT_EQ(convert(source("s.txt", "t"), "docs/s.htm"), "<html>\r\n<body>t</body></html>\r\n");
}

TEST_F(SessionTest, RtfWithTheDefaults) {
    table("@lat/T.txt", ">extent .rtf\r\n");
    select(u"lat", u"T");
    EXPECT_EQ(convert(source("s.txt", "a\r\n{b}"), "docs/s.rtf"),
              "{\\rtf1\\ansi {\\fonttbl\r\n{\\f0 \\fnil\\fcharset204 Arial;}{\\f1 \\fnil\\fcharset204 "
              "Arial;}\r\n}\r\n"
              "{\\colortbl\r\n\\red0\\green0\\blue0;\r\n}\r\n{\\plain\r\n{\\f1 {\\fs24\r\n"
              "{\\cf0 a\\par \r\n{b}}}}}}\r\n");
}

TEST_F(SessionTest, AUserTemplate) {
    table("@lat/T.txt", ">extent xyz\r\n>fontface Face\r\n");
    table("format/xyz.txt",
          "!!<br>[%p]\r\n<html><body><font face=\"[%FontFace]\">\r\n[%\xd4\xe0\xe9\xeb]\r\n"
          "</font></body></html>");
    select(u"lat", u"T");
    EXPECT_EQ(convert(source("name.txt", "a\r\nb\r\n"), "docs/name.xyz"),
              "<html><body><font face=\"Face\">\r\na<br>\r\nb<br>\r\n\r\n</font></body></html>"
              "\r\n");
    EXPECT_EQ(session().templateEol(), u"<br>\r\n");
}

TEST_F(SessionTest, AnExtensionWithoutTemplateIsWrittenAsPlainText) {
    table("@lat/T.txt", ">extent abc\r\n");
    select(u"lat", u"T");
    EXPECT_EQ(convert(source("s.txt", "a\r\nb"), "docs/s.abc"), "a\r\nb\r\n");
}

TEST_F(SessionTest, DocumentScriptsRunOnTheWholeText) {
    table("@lat/T.txt", ">script1 up.vbs\r\n>script2 wrap.vbs\r\n>extent htm\r\n");
    select(u"lat", u"T");
    FakeScripts scripts(session().engineState());
    scripts.scripts[u"up.vbs"] = [](const std::u16string& text) { return toUpper(text); };
    scripts.scripts[u"wrap.vbs"] = [](const std::u16string& text) { return u"{" + text + u"}"; };
    session().setScriptRunner(scripts);
    EXPECT_EQ(convert(source("s.txt", "a\r\nb"), "docs/s.htm"),
              "<html>\r\n<body>{A\r\n<p>B}</body></html>\r\n");
    EXPECT_EQ(scripts.ran, (std::vector<std::u16string>{u"up.vbs", u"wrap.vbs"}));
}

TEST_F(SessionTest, AFailingDocumentScriptFailsTheConversion) {
    table("@lat/T.txt", ">script1 missing.vbs\r\n");
    select(u"lat", u"T");
    auto failed = session().ConvertFile(source("s.txt", "a"));
    ASSERT_FALSE(failed.ok());
    // A missing script adds no code, and no earlier script left a Main to run.
    EXPECT_EQ(failed.failure().number, errors::kNoMainProcedure);
    EXPECT_FALSE(temp.exists("docs/s1.txt"));
}

TEST_F(SessionTest, RealScriptsRunFromTablesDocumentsAndTemplates) {
    temp.write("home/Scripts/up.vbs", "Sub Main\r\n  Send UCase(X())\r\nEnd Sub\r\n");
    temp.write("home/Scripts/lines.vbs",
               "Sub Main\r\n  Dim parts: parts = Split(X(), vbCrLf)\r\n"
               "  Send Join(parts, \" | \") & \" (\" & (UBound(parts) + 1) & \")\"\r\nEnd Sub\r\n");
    temp.write("home/Scripts/mark.vbs", "Sub Main\r\n  Send \"*\" & X() & \"*\"\r\nEnd Sub\r\n");
    table("@lat/T.txt", ">script up.vbs\r\nB == b\r\n>script1 lines.vbs\r\n>extent q\r\n");
    table("format/q.txt", "<[%\xd4\xe0\xe9\xeb=mark.vbs]>");
    select(u"lat", u"T");
    EXPECT_EQ(convert(source("s.txt", "ab\r\ncd"), "docs/s.q"), "<*Ab | CD (2)*>\r\n");
}

TEST_F(SessionTest, AScriptThatAppliesItsOwnTableAgainEnds) {
    // The table runs a script that applies the same table, which runs the script again: the
    // nesting limit ends it, the failing innermost steps are skipped, the conversion succeeds.
    temp.write("home/Scripts/self.vbs", "Sub Main\r\n  Send Rpl3(X()) & \"!\"\r\nEnd Sub\r\n");
    table("@lat/T.txt", ">script self.vbs\r\na == b\r\n");
    select(u"lat", u"T");
    const std::string written = convert(source("s.txt", "a"), "docs/s1.txt");
    EXPECT_EQ(written.substr(0, 1), "b");
    EXPECT_NE(written.find('!'), std::string::npos);
}

TEST_F(SessionTest, ALargeUtf8ResultIsWrittenWholeAcrossPieces) {
    // A result larger than the writer's pieces, with characters outside the BMP at every
    // position, comes out byte for byte as its source.
    table("@lat/T.txt", "q == q\r\n");
    session_ = std::make_unique<ConversionSession>(
        SessionConfig{temp.u16("home"), 65001, temp.u16("my"), &desktop});
    session_->selection().buildModeList();
    select(u"lat", u"T");
    std::string text = "a";  // one unit first, so pairs straddle the pieces' even boundaries
    for (int i = 0; text.size() < (3u << 20); ++i) text += i % 3 == 0 ? "\xF0\x9D\x84\x9E" : "ab";
    // A large source is read line by line and so gains a final line end; the writer adds its own.
    EXPECT_EQ(convert(source("big.txt", text), "docs/big1.txt"), text + "\r\n\r\n");
}

TEST_F(SessionTest, ATemplateScriptRuns) {
    table("@lat/T.txt", ">extent q\r\n");
    table("format/q.txt", "<[%\xd4\xe0\xe9\xeb=up.vbs]>");
    select(u"lat", u"T");
    FakeScripts scripts(session().engineState());
    scripts.scripts[u"up.vbs"] = [](const std::u16string& text) { return toUpper(text); };
    session().setScriptRunner(scripts);
    EXPECT_EQ(convert(source("s.txt", "ab"), "docs/s.q"), "<AB>\r\n");
}

TEST_F(SessionTest, AnUnreadableSourceConvertsAnEmptyText) {
    table("@lat/T.txt", ">prae [\r\n>post ]\r\n");
    select(u"lat", u"T");
    temp.makeFolder("docs/unreadable.txt");
    EXPECT_EQ(convert(temp.u16("docs/unreadable.txt"), "docs/unreadable1.txt"), "[]\r\n");
    // A source that does not exist at all fails instead (tests/hardening/).
    EXPECT_FALSE(session().ConvertFile(temp.u16("docs/missing.txt")).ok());
}

TEST_F(SessionTest, AResultIsNeverWrittenOverItsSource) {
    table("@lat/T.txt", "a == b\r\n");
    select(u"lat", u"T");
    const std::u16string path = source("psalm.TXT", "aaa");
    fs::create_hard_link(temp.path() / "docs/psalm.TXT", temp.path() / "docs/psalm.txt");
    auto refused = session().ConvertFile(path);
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.failure().number, errors::kOutputIsSource);
    EXPECT_EQ(temp.read("docs/psalm.TXT"), "aaa");
}

TEST_F(SessionTest, ClipboardTextIsTakenAsItIs) {
    table("@lat/T.txt", "a == x\r\n");
    select(u"lat", u"T");
    session().setClipboardSource(true);
    desktop.clipboard = u"a\nb";
    EXPECT_EQ(convert(u"/ignored/path.txt", "my/Lorva1.txt"), "x\nb\r\n");
}

TEST_F(SessionTest, TheStreamRunReadsTheTextAsASourceFile) {
    table("@lat/T.txt", ">extent htm\r\n");
    select(u"lat", u"T");
    auto document = session().RewriteStream("a\nb\r\nc");
    ASSERT_TRUE(document.ok());
    EXPECT_EQ(*document, "<html>\r\n<body>a\r\n<p>b\r\n<p>c</body></html>\r\n");
}

class RunTest : public SessionTest {
  protected:
    void SetUp() override {
        SessionTest::SetUp();
        table("@lat/T.txt", "a == x\r\n");
        table("@lat/Cyr.txt", ">charset 204\r\n>extent htm\r\n");
        table("@lat/Html.txt", ">extent htm\r\n");
        select(u"lat", u"T");
    }
};

TEST_F(RunTest, TheSingleSourceIsConvertedAndOpened) {
    RunRequest request;
    request.srcPath = source("a.txt", "a");
    const RunOutcome outcome = session().Rewrite(request);
    ASSERT_FALSE(outcome.failure) << outcome.failure->message();
    EXPECT_EQ(outcome.written, std::vector<std::u16string>{temp.u16("docs/a1.txt")});
    EXPECT_EQ(desktop.opened, std::vector<std::u16string>{temp.u16("docs/a1.txt")});
    EXPECT_EQ(desktop.busyChanges, (std::vector<bool>{true, false}));
}

TEST_F(RunTest, EveryRunStartsWithoutACharacterSet) {
    RunRequest request;
    request.openResult = false;
    request.srcPath = source("a.txt", "a");
    select(u"lat", u"Cyr");
    ASSERT_FALSE(session().Rewrite(request).failure);
    EXPECT_EQ(session().settings().charset, 204);
    select(u"lat", u"Html");
    ASSERT_FALSE(session().Rewrite(request).failure);
    EXPECT_EQ(temp.read("docs/a.htm"), "<html>\r\n<body>a</body></html>\r\n");
}

TEST_F(RunTest, TheWholeFolderIsConvertedOnce) {
    source("a.txt", "a");
    source("b.txt", "ba");
    source("c.htm", "skip");
    source(".hidden.txt", "a");
    FileLister lister;
    lister.setPattern(u"*.txt");
    RunRequest request;
    request.scope = 1;
    request.srcPath = temp.u16("docs/b.txt");
    request.lister = &lister;
    std::vector<std::u16string> progress;
    request.progress = [&progress](int index, int count, const std::u16string& path) {
        EXPECT_EQ(count, 2);
        progress.push_back(decimal(index) + u" " + path);
    };
    const RunOutcome outcome = session().Rewrite(request);
    ASSERT_FALSE(outcome.failure);
    EXPECT_EQ(outcome.written,
              (std::vector<std::u16string>{temp.u16("docs/a1.txt"), temp.u16("docs/b1.txt")}));
    EXPECT_EQ(progress, (std::vector<std::u16string>{u"0 " + temp.u16("docs/a.txt"),
                                                     u"1 " + temp.u16("docs/b.txt")}));
    EXPECT_EQ(temp.read("docs/b1.txt"), "bx\r\n");
    EXPECT_FALSE(temp.exists("docs/a11.txt")) << "results are not converted in the same run";
    EXPECT_EQ(desktop.opened, std::vector<std::u16string>{temp.u16("docs")});
}

TEST_F(RunTest, AMissingFolderFailsInsteadOfListingAnother) {
    FileLister lister;
    ASSERT_TRUE(lister.setFolder(temp.u16("home")));
    RunRequest request;
    request.scope = 1;
    request.srcPath = temp.u16("gone/a.txt");
    request.lister = &lister;
    const RunOutcome outcome = session().Rewrite(request);
    ASSERT_TRUE(outcome.failure);
    EXPECT_EQ(outcome.failure->number, errors::kPathNotFound);
    EXPECT_TRUE(outcome.written.empty());
    EXPECT_TRUE(desktop.opened.empty());
}

TEST_F(RunTest, ChoosingFilesConvertsNothing) {
    RunRequest request;
    request.scope = 2;
    request.srcPath = source("a.txt", "a");
    session().engineState().settings.charset = 161;
    const RunOutcome outcome = session().Rewrite(request);
    EXPECT_FALSE(outcome.failure);
    EXPECT_TRUE(outcome.written.empty());
    EXPECT_EQ(session().settings().charset, -1);
    EXPECT_TRUE(desktop.opened.empty());
    EXPECT_TRUE(desktop.busyChanges.empty());
}

TEST_F(RunTest, PickedFilesAreConvertedInListOrder) {
    source("x.txt", "a");
    const std::u16string elsewhere = fromFsPath(temp.write("other/z.txt", "aa"));
    FileLister lister;
    ASSERT_TRUE(lister.setFolder(temp.u16("docs")));
    RunRequest request;
    request.scope = 3;
    request.lister = &lister;
    request.picked = {u"x.txt", elsewhere};
    const RunOutcome outcome = session().Rewrite(request);
    ASSERT_FALSE(outcome.failure);
    EXPECT_EQ(outcome.written,
              (std::vector<std::u16string>{temp.u16("docs/x1.txt"), temp.u16("other/z1.txt")}));
    EXPECT_EQ(desktop.opened, std::vector<std::u16string>{temp.u16("docs")});

    request.picked.clear();
    desktop.opened.clear();
    EXPECT_TRUE(session().Rewrite(request).written.empty());
    EXPECT_EQ(desktop.opened, std::vector<std::u16string>{temp.u16("docs")})
        << "the folder is opened even when nothing was picked";
}

TEST_F(RunTest, AFailureStopsTheRunAndKeepsWhatWasWritten) {
    const std::u16string a = source("a.txt", "a");
    const std::u16string b = source("b.txt", "a");
    const std::u16string c = source("c.txt", "a");
    temp.makeFolder("docs/b1.txt");  // b's result cannot be written
    RunRequest request;
    request.scope = 3;
    request.picked = {a, b, c};
    const RunOutcome outcome = session().Rewrite(request);
    ASSERT_TRUE(outcome.failure);
    EXPECT_EQ(outcome.failure->number, errors::kPathFileAccessError);
    EXPECT_EQ(outcome.failure->file, temp.u16("docs/b1.txt"));
    EXPECT_EQ(outcome.failedSource, b);
    EXPECT_EQ(outcome.written, std::vector<std::u16string>{temp.u16("docs/a1.txt")});
    EXPECT_EQ(temp.read("docs/a1.txt"), "x\r\n");
    EXPECT_FALSE(temp.exists("docs/c1.txt"));
    EXPECT_TRUE(desktop.opened.empty()) << "nothing is opened after a failure";
    EXPECT_EQ(desktop.busyChanges, (std::vector<bool>{true, false}));
}

TEST_F(RunTest, AResultBehindARegularFileFails) {
    temp.write("docs/blocker", "a file, not a folder");
    RunRequest request;
    request.srcPath = temp.u16("docs/blocker/a.txt");
    const RunOutcome outcome = session().Rewrite(request);
    ASSERT_TRUE(outcome.failure);
    // No source can lie behind a regular file: the missing source is what fails.
    EXPECT_EQ(outcome.failure->number, errors::kFileNotFound);
    EXPECT_EQ(outcome.failure->file, temp.u16("docs/blocker/a.txt"));
}

}  // namespace
}  // namespace lorvane
