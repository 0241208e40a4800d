// The bridge between scripts and the program: the "Output" object's methods against a real
// table engine on table files in a temporary program folder, and RunScript's rules.
#include "pipeline/script_host.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "comma_locale.h"
#include "platform/code_page.h"
#include "platform/error_catalogue.h"
#include "platform/headless_desktop.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "temp_folder.h"

namespace lorvane {
namespace {

class Bridge : public testing::Test {
  protected:
    Bridge()
        : page(*CodePage::forNumber(1251)),
          desktop(messages),
          engine(state),
          host(
              state, engine, desktop, [this](const std::u16string& path) { return read(path); },
              page) {
        state.programFolder = temp.u16path();
        state.codePage = page;
        temp.write("@hip/plain.txt", "abc == xyz\r\n~ == T\r\n");
        temp.write("@hip/upper.txt", "a == A\r\nb == B\r\n");
        state.Tablett = temp.u16("@hip/plain.txt");
    }

    // Script files are written as UTF-8 here and read back the same way.
    std::u16string read(const std::u16string& path) {
        reads.push_back(path);
        return fromUtf8(test::readBytes(toFsPath(path)));
    }

    void script(const std::string& name, const std::string& text) {
        temp.write("Scripts/" + name, text);
    }

    std::u16string runOk(const std::u16string& name) {
        auto result = host.RunScript(name, state.tmpText);
        EXPECT_TRUE(result.ok()) << result.failure().message();
        return result.ok() ? *result : u"";
    }

    int runFails(const std::u16string& name) {
        auto result = host.RunScript(name, state.tmpText);
        EXPECT_FALSE(result.ok()) << toUtf8(*result);
        return result.ok() ? 0 : result.failure().number;
    }

    test::TempFolder temp;
    std::shared_ptr<const CodePage> page;
    std::ostringstream messages;
    HeadlessDesktop desktop;
    EngineState state;
    TableEngine engine;
    ScriptHost host;
    std::vector<std::u16string> reads;
};

TEST_F(Bridge, SendingBackWhatXReturnsLeavesTheTextUnchanged) {
    script("same.vbs", "Sub Main\n  Send X()\nEnd Sub\n");
    state.tmpText = u"Текст\r\nвторая строка";
    EXPECT_EQ(runOk(u"same.vbs"), u"Текст\r\nвторая строка");
}

TEST_F(Bridge, NumbersAreReadAndPrintedAlikeUnderEveryLocale) {
    script("numbers.vbs",
           "Sub Main\n"
           "  Send (1.5 * 2) & \"|\" & 1.5 & \"|\" & CDbl(\"2.25\") * 2 & \"|\" & "
           "FormatNumber(1234.5, 2) & \"|\" & 1E-20 & \"|\" & CStr(-0.125)\n"
           "End Sub\n");
    for (const char* locale : test::kNumberLocales) {
        test::ScopedLocale scoped(locale);
        if (!scoped.active()) GTEST_SKIP() << locale << " cannot be set or generated";
        EXPECT_EQ(runOk(u"numbers.vbs"), u"3|1.5|4.5|1,234.50|1E-20|-0.125") << locale;
    }
}

TEST_F(Bridge, NumeralsOfTheThreeKinds) {
    script("num.vbs",
           "Sub Main\n  Send ToSlv(12) & \"|\" & ToGrk(12) & \"|\" & Output.ToRom(\"1999\")\n"
           "End Sub\n");
    EXPECT_EQ(runOk(u"num.vbs"), u"в~i~|вi<_>'|MCMXCIX");
}

TEST_F(Bridge, NumeralsGoThroughTheCurrentTableOnlyWhenAsked) {
    script("rpl.vbs",
           "Sub Main\n  Send ToSlv(12, 1) & \"|\" & ToSlv(12, 0) & \"|\" & ToSlv(12)\nEnd Sub\n");
    EXPECT_EQ(runOk(u"rpl.vbs"), u"вTiT|в~i~|в~i~");
}

TEST_F(Bridge, Rpl3LeavesItsResultInTheWorkingText) {
    script("rpl3.vbs", "Sub Main\n  r = Rpl3(\"abc\")\n  Send X() & \"/\" & r\nEnd Sub\n");
    state.tmpText = u"original";
    EXPECT_EQ(runOk(u"rpl3.vbs"), u"xyz/xyz");
}

TEST_F(Bridge, TableNamesItsFileRelativeToTheProgramFolder) {
    script("table.vbs",
           "Sub Main\n  Send Table(\"abc\", \"@hip\\upper.txt\") & \"/\" & X()\nEnd Sub\n");
    EXPECT_EQ(runOk(u"table.vbs"), u"ABc/ABc");
}

TEST_F(Bridge, AMissingTableIsARunTimeErrorOfTheCall) {
    script("missing.vbs",
           "Sub Main\n  On Error Resume Next\n  t = Table(\"abc\", \"@hip/none.txt\")\n"
           "  Send \"error \" & Err.Number\nEnd Sub\n");
    EXPECT_EQ(runOk(u"missing.vbs"), u"error 53");
    script("missing2.vbs", "Sub Main\n  Send Table(\"abc\", \"@hip/none.txt\")\nEnd Sub\n");
    auto result = host.RunScript(u"missing2.vbs", state.tmpText);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.failure().number, errors::kFileNotFound);
    EXPECT_EQ(result.failure().line, 2);
}

TEST_F(Bridge, AFailingScriptLeavesTheTextAsItWasBeforeItsLine) {
    script("bad.vbs", "Sub Main\n  Send \"partial\"\n  x = 1 / 0\nEnd Sub\n");
    state.tmpText = u"before";
    engine.Rplc(u">script bad.vbs", 0, host);
    EXPECT_EQ(state.tmpText, u"before");
    script("good.vbs", "Sub Main\n  Send UCase(X())\nEnd Sub\n");
    engine.Rplc(u">script good.vbs", 0, host);
    EXPECT_EQ(state.tmpText, u"BEFORE");
}

TEST_F(Bridge, CompileErrorsNameTheScript) {
    script("broken.vbs", "Sub Main\n  Send 1 2\nEnd Sub\n");
    auto result = host.RunScript(u"broken.vbs", state.tmpText);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.failure().message(),
              "broken.vbs(2, 10) error 1025: Expected end of statement");
}

TEST_F(Bridge, MainMustSendANonEmptyText) {
    script("silent.vbs", "Sub Main\n  t = X()\nEnd Sub\n");
    EXPECT_EQ(runFails(u"silent.vbs"), errors::kNoResultSent);
    script("empty.vbs", "Sub Main\n  Send \"\"\nEnd Sub\n");
    EXPECT_EQ(runFails(u"empty.vbs"), errors::kNoResultSent);
    script("null.vbs", "Sub Main\n  Send Null\nEnd Sub\n");
    EXPECT_EQ(runFails(u"null.vbs"), errors::kInvalidUseOfNull);
}

TEST_F(Bridge, AScriptWithoutMainFails) {
    script("nomain.vbs", "Sub Other\nEnd Sub\n");
    EXPECT_EQ(runFails(u"nomain.vbs"), errors::kNoMainProcedure);
}

TEST_F(Bridge, MainIsTheOneOfTheScriptJustAdded) {
    script("a.vbs", "Sub Main\n  Send \"a\"\nEnd Sub\n");
    script("b.vbs", "Sub Main\n  Send \"b\"\nEnd Sub\n");
    EXPECT_EQ(runOk(u"a.vbs"), u"a");
    EXPECT_EQ(runOk(u"b.vbs"), u"b");
    EXPECT_EQ(runOk(u"a.vbs"), u"a");
    // A missing script adds nothing, so the Main left by the last one runs.
    EXPECT_EQ(runOk(u"gone.vbs"), u"a");
}

TEST_F(Bridge, ScriptNamesAreResolvedIgnoringLetterCaseAndBackslashes) {
    script("Sub/Up.VBS", "Sub Main\n  Send \"up\"\nEnd Sub\n");
    EXPECT_EQ(runOk(u"sub\\up.vbs"), u"up");
    EXPECT_EQ(reads.back(), temp.u16("Scripts/Sub/Up.VBS"));
}

TEST_F(Bridge, AScriptRunByATableItAppliesKeepsTheOuterAnswer) {
    temp.write("@hip/runs.txt", ">script inner.vbs\r\n");
    script("inner.vbs", "Sub Main\n  Send \"[\" & X() & \"]\"\nEnd Sub\n");
    script("outer.vbs",
           "Sub Main\n  Send \"outer\"\n  t = Table(\"abc\", \"@hip/runs.txt\")\n"
           "  Send Output.X() & \" then \" & t\nEnd Sub\n");
    // Running inner.vbs re-binds Main; the outer script's own Main has already started.
    EXPECT_EQ(runOk(u"outer.vbs"), u"[abc] then [abc]");
}

TEST_F(Bridge, ScriptsMayShowMessagesThroughTheDesktop) {
    script("msg.vbs",
           "Sub Main\n  a = MsgBox(\"Привет\", vbOKOnly, \"Заголовок\")\n  Send a\nEnd Sub\n");
    EXPECT_EQ(runOk(u"msg.vbs"), u"1");
    EXPECT_NE(messages.str().find("Привет"), std::string::npos);
}

TEST_F(Bridge, ChrAndAscUseTheCodePage) {
    script("chr.vbs", "Sub Main\n  Send Chr(192) & Asc(\"я\") & ChrW(1046)\nEnd Sub\n");
    EXPECT_EQ(runOk(u"chr.vbs"), u"А255Ж");
}

TEST_F(Bridge, ARunawayScriptIsStopped) {
    vbs::InterpreterOptions options;
    options.timeLimit = std::chrono::milliseconds(100);
    host.interpreter().setOptions(options);
    script("spin.vbs", "Sub Main\n  Do\n  Loop\nEnd Sub\n");
    EXPECT_EQ(runFails(u"spin.vbs"), errors::kScriptTimedOut);
}

}  // namespace
}  // namespace lorvane

namespace lorvane {
namespace {

// The scripts shipped in the bundled program folder compile and define Main.
TEST(BundledScripts, CompileAndDefineMain) {
    auto page = *CodePage::forNumber(1251);
    int seen = 0;
    for (const auto& entry : std::filesystem::directory_iterator(
             std::filesystem::path(LORVANE_BUNDLE_DIR) / "Scripts")) {
        if (entry.path().extension() != ".vbs") continue;
        ++seen;
        vbs::Interpreter interpreter(vbs::HostContext{page, nullptr});
        const std::u16string text = page->decode(test::readBytes(entry.path()));
        Status added = interpreter.AddCode(text, fromUtf8(entry.path().filename().string()));
        EXPECT_TRUE(added.ok()) << added.failure().message();
        EXPECT_TRUE(interpreter.hasProcedure(u"Main")) << entry.path();
    }
    EXPECT_GT(seen, 0);
}

}  // namespace
}  // namespace lorvane
