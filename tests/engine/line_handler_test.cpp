#include <gtest/gtest.h>

#include "engine_fixture.h"
#include "platform/text.h"

namespace lorvane::test {
namespace {

using LineHandler = EngineTest;

TEST_F(LineHandler, DirectivesFillTheSettings) {
    struct Case {
        std::u16string line;
        int16_t level;
        std::function<bool(const TableSettings&)> check;
        const char* what;
    } cases[] = {
        {u">CHARSET 204", 0, [](auto& s) { return s.charset == 204; }, "charset any case"},
        {u">charset 204", -1, [](auto& s) { return s.charset == 204; }, "charset at any level"},
        {u">charset 0", 0, [](auto& s) { return s.charset == -1; }, "zero leaves charset"},
        {u">charset abc", 0, [](auto& s) { return s.charset == -1; }, "text leaves charset"},
        {u">charset204", 0, [](auto& s) { return s.charset == -1; }, "no space, no argument"},
        {u">charsetX 161", 0, [](auto& s) { return s.charset == 161; }, "keyword continues"},
        {u">charset 40000", 0, [](auto& s) { return s.charset == -1; }, "out of range"},
        {u">fontsize 12.5", 0, [](auto& s) { return s.fontSize == 12; }, "even rounding down"},
        {u">fontsize 13.5", 0, [](auto& s) { return s.fontSize == 14; }, "even rounding up"},
        {u">fontsize 40000", 0, [](auto& s) { return s.fontSize == 0; }, "size out of range"},
        {u">fontsize 12", 1, [](auto& s) { return s.fontSize == 0; }, "size level 0 only"},
        {u">fontface   Arial  ", 0, [](auto& s) { return s.fontFace == u"Arial"; }, "trimmed"},
        {u">fontface Times New Roman", 0, [](auto& s) { return s.fontFace == u"Times New Roman"; },
         "inner spaces kept"},
        {u">fontface", 0, [](auto& s) { return s.fontFace.empty(); }, "face without argument"},
        {u">fontface\tArial", 0, [](auto& s) { return s.fontFace.empty(); }, "tab is no space"},
        {u">extent rtf", 0, [](auto& s) { return s.extent == u"rtf"; }, "extent"},
        {u">extent rtf", 1, [](auto& s) { return s.extent.empty(); }, "extent level 1"},
        {u">extent rtf", -1, [](auto& s) { return s.extent.empty(); }, "extent level -1"},
        {u">extentrtf", 0, [](auto& s) { return s.extent.empty(); }, "extent needs its space"},
        {u">Prae [", -1, [](auto& s) { return s.prae == u"["; }, "prae any level"},
        {u">post ]", 2, [](auto& s) { return s.post == u"]"; }, "post any level"},
        {u">script1 doc.vbs", 0, [](auto& s) { return s.script1 == u"doc.vbs"; }, "script1"},
        {u">script1 doc.vbs", -1, [](auto& s) { return s.script1.empty(); }, "script1 level"},
        {u">script2 mark.vbs", 0, [](auto& s) { return s.script2 == u"mark.vbs"; }, "script2"},
        {u"  >EOL2  ", 0, [](auto& s) { return s.eol2; }, "eol2 between spaces"},
        {u" >charset 204", 0, [](auto& s) { return s.charset == -1; }, "keyword at position 1"},
        {u">EOL2  ", -1, [](auto& s) { return s.eol2; }, "eol2 trimmed, any case"},
        {u">eol2 please", 0, [](auto& s) { return !s.eol2; }, "eol2 whole line"},
        {u"charset 204", 0, [](auto& s) { return s.charset == -1; }, "no >"},
    };
    for (const auto& c : cases) {
        state.settings = TableSettings{};
        engine.Rplc(c.line, c.level, scripts);
        EXPECT_TRUE(c.check(state.settings)) << c.what << ": " << toUtf8(c.line);
    }
}

TEST_F(LineHandler, NotEol2SwitchesOff) {
    state.settings.eol2 = true;
    engine.Rplc(u" >NotEol2 ", 0, scripts);
    EXPECT_FALSE(state.settings.eol2);
}

TEST_F(LineHandler, PraeLineIsAlsoAPair) {
    EXPECT_EQ(apply(u">prae a == b", u"x>prae ay"), u"xby");
    EXPECT_EQ(state.settings.prae, u"a == b");
}

TEST_F(LineHandler, PairsReplaceAllWithoutRescan) {
    struct Case {
        std::u16string line, text, expected;
    } cases[] = {
        {u"a == b", u"AaA", u"AbA"},         {u"ab == b", u"aab", u"ab"},
        {u"a == aa", u"aa", u"aaaa"},        {u"a == b == c", u"xa", u"xb == c"},
        {u"a == ", u"banana", u"bnn"},       {u" == x", u"a b", u"a b"},
        {u"300 == x", u"a\x01,", u"a\x01,"}, {u"9 == _", u"a\tb\t", u"a_b_"},
        {u"2nd == x", u"2nd\x02", u"2ndx"},  {u"1 == x", u"1\x01", u"1x"},
        {u"49 == x", u"1\x01", u"x\x01"},    {u"0 == o", u"10", u"1o"},
        {u"&HC0 == A", u"\u0410!", u"A!"},   {u"-5 == x", u"-5", u"-5"},
        {u"кс == ks", u"кскс к", u"ksks к"}, {u"a  ==  b", u"a ", u" b"},
        {u"a  ==  b", u"xa y", u"x by"},     {u"aa == a", u"aaaaa", u"aaa"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(apply(c.line, c.text), c.expected) << toUtf8(c.line) << " on " << toUtf8(c.text);
    }
}

TEST_F(LineHandler, DigitsConvertAtOnceWithTheModeFromTheLastCharacter) {
    EXPECT_EQ(apply(u">digits 1", u"ch. 12, v. 3 and more"), u"ch. в~i~, v. г~ and more");
    EXPECT_EQ(apply(u">digits 3", u"12 "), u"XII ");
    EXPECT_EQ(apply(u">digits 12", u"12 "), u"вi<_>' ");
    EXPECT_EQ(apply(u">digitsfoo 3", u"4 "), u"IV ");
    EXPECT_EQ(apply(u">digits", u"4 "), u"д~ ");
    state.Tablett = folder.u16("@Grk/t.txt");
    EXPECT_EQ(apply(u">digits 0", u"4 "), u"д<_>' ");
}

TEST_F(LineHandler, ScriptLinesReplaceTheTextOrLeaveItOnFailure) {
    scripts.answers[u"up.vbs"] = [] { return Expected<std::u16string>(u"UP"); };
    EXPECT_EQ(apply(u">script up.vbs", u"x", -1), u"UP");
    EXPECT_EQ(apply(u">script missing.vbs", u"x"), u"x");
    EXPECT_EQ(apply(u">script0 up.vbs", u"x", 0), u"UP");
    EXPECT_EQ(apply(u">script0 up.vbs", u"x", -1), u"x");
    EXPECT_EQ(apply(u">script 1", u"x"), u"x");
    EXPECT_EQ(scripts.calls,
              (std::vector<std::u16string>{u"up.vbs", u"missing.vbs", u"up.vbs", u"1"}));
}

TEST_F(LineHandler, FailingScriptRestoresWhatItChanged) {
    scripts.answers[u"bad.vbs"] = [this]() -> Expected<std::u16string> {
        state.tmpText = u"half-done";
        return failureFor(errors::kTypeMismatch, u"bad.vbs");
    };
    EXPECT_EQ(apply(u">script bad.vbs", u"original"), u"original");
}

TEST_F(LineHandler, MalformedLinesNeverCrash) {
    const std::u16string lines[] = {
        u"",
        u">",
        u" ",
        u"==",
        u" == ",
        u">go@",
        u">digits",
        u">script ",
        u">charset ",
        std::u16string(u"\0\0 == \0", 7),
        std::u16string(100000, u'a') + u" == b",
        u"\xD800 == \xDC00",
        u">go@../../../../../etc/@passwd",
        u">fontsize &H",
        u"1e999 == x",
    };
    const std::u16string original(u"abc\0def", 7);
    for (const auto& line : lines) {
        state.tmpText = original;
        engine.Rplc(line, 0, scripts);
        EXPECT_EQ(state.tmpText, original) << toUtf8(line.substr(0, 40));
    }
}

}  // namespace
}  // namespace lorvane::test
