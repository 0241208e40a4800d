// A script's limits hold whatever it does: the time limit stops it inside long built-in
// operations, not only between statements, and text that grows without end fails with
// "Out of memory" instead of taking the machine's memory. Each script here must stop within
// its time limit plus one second.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "platform/code_page.h"
#include "platform/error_catalogue.h"
#include "platform/text.h"
#include "scripting/interpreter.h"

namespace lorvane::vbs {
namespace {

using Clock = std::chrono::steady_clock;

struct LimitCase {
    const char* what;
    const char* source;
    int expectedError;
    // Scripts that must run out of memory get the ordinary time limit, so that a busy machine
    // does not stop them first; each must still stop within its limit plus one second.
    std::chrono::milliseconds timeLimit{1000};
    // Those get a smaller bound than the ordinary 256 MB too, which keeps them quick on a busy
    // machine; the ordinary bound is tested on its own below.
    std::size_t textBound = InterpreterOptions{}.maxTextLength;
};

constexpr std::chrono::milliseconds kOrdinaryLimit{10000};
constexpr std::size_t kTestTextBound = std::size_t{1} << 22;

class Limits : public testing::TestWithParam<LimitCase> {};

TEST_P(Limits, ScriptStopsInTime) {
    const LimitCase& c = GetParam();
    InterpreterOptions options;
    options.timeLimit = c.timeLimit;
    options.maxTextLength = c.textBound;
    Interpreter interpreter(HostContext{*CodePage::forNumber(1251), nullptr}, options);
    const auto started = Clock::now();
    Status ran = interpreter.AddCode(fromUtf8(c.source), u"limit.vbs");
    const auto took = Clock::now() - started;
    ASSERT_FALSE(ran.ok()) << c.what << " finished";
    EXPECT_EQ(ran.failure().number, c.expectedError) << c.what << ": " << ran.failure().message();
    EXPECT_LT(took, c.timeLimit + std::chrono::seconds(1))
        << c.what << " took "
        << std::chrono::duration_cast<std::chrono::milliseconds>(took).count() << " ms";
}

const LimitCase kCases[] = {
    {"many Replace calls on a long text",
     "Dim s, i\ns = String(20000000, \"a\")\n"
     "For i = 1 To 24\n  s = Replace(s, \"a\", \"b\")\n  s = Replace(s, \"b\", \"a\")\nNext\n",
     errors::kScriptTimedOut},
    {"one Replace whose result keeps growing",
     "Dim s\ns = String(100000, \"a\")\ns = Replace(s, \"a\", String(400, \"b\"))\n",
     errors::kOutOfMemory, kOrdinaryLimit, kTestTextBound},
    {"text doubled at each nested call",
     "Function Grow(s)\n  Grow = Grow(s & s)\nEnd Function\nGrow \"ab\"\n", errors::kOutOfMemory,
     kOrdinaryLimit, kTestTextBound},
    {"text doubled in a loop", "s = \"x\"\nDo\n  s = s & s\nLoop\n", errors::kOutOfMemory,
     kOrdinaryLimit, kTestTextBound},
    {"Split and Join of a long text in a loop",
     "s = String(3000000, \"a\") & \",\"\nDo\n  s = Join(Split(s & s, \",\"), \",\")\n"
     "  s = Left(s, 6000000)\nLoop\n",
     errors::kScriptTimedOut},
    {"regular expression replacements over a long text",
     "Set r = New RegExp\nr.Global = True\nr.Pattern = \"a\"\ns = Replace(Space(1000000), \" \", \"ab\")\n"
     "Do\n  s = r.Replace(s, \"a\")\nLoop\n",
     errors::kScriptTimedOut},
    {"Space and String beyond the bound", "s = Space(5000000)\n", errors::kOutOfMemory,
     kOrdinaryLimit, kTestTextBound},
};

INSTANTIATE_TEST_SUITE_P(Scripts, Limits, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<LimitCase>& info) {
                             return "case" + std::to_string(info.index);
                         });

// With the ordinary bound, 256 MB of text.
TEST(Limits, OutOfMemoryIsAnErrorTheScriptCanHandle) {
    Interpreter interpreter(HostContext{*CodePage::forNumber(1251), nullptr});
    ASSERT_TRUE(interpreter
                    .AddCode(u"On Error Resume Next\ns = Space(150000000)\nr = Err.Number & \" \" & Len(s)\n"
                             u"Function Main()\n  Main = r\nEnd Function\n",
                             u"oom.vbs")
                    .ok());
    auto result = interpreter.Run(u"Main");
    ASSERT_TRUE(result.ok()) << result.failure().message();
    EXPECT_EQ(result->asString(), u"7 0");
}

}  // namespace
}  // namespace lorvane::vbs
