// The interpreter as a host sees it: compile and run-time failures with their numbers and
// places, objects added with global members, code that accumulates in one module, procedures
// run with arguments and results.
#include "scripting/interpreter.h"

#include <gtest/gtest.h>

#include <thread>

#include "platform/code_page.h"
#include "platform/desktop.h"
#include "platform/error_catalogue.h"
#include "platform/text.h"
#include "scripting/coerce.h"
#include "scripting/script_error.h"
#include "scripting/wscript_object.h"

namespace lorvane::vbs {
namespace {

struct ErrorCase {
    const char* source;
    int number;
    int line;
    int column;
};

std::optional<Failure> failureOf(const char* source) {
    Interpreter interpreter(HostContext{*CodePage::forNumber(1251), nullptr});
    Status added = interpreter.AddCode(fromUtf8(source), u"up.vbs");
    if (!added) return added.failure();
    return std::nullopt;
}

TEST(CompileErrors, CarryNumberAndPlace) {
    const ErrorCase cases[] = {
        {"Dim a\na = 1 2\n", errors::kExpectedEndOfStatement, 2, 7},
        {"x = 1\nIf x Then\n  x = 2\n", errors::kExpectedEnd, 4, 1},
        {"For i = 1 To\nNext\n", errors::kExpectedExpression, 1, 13},
        {"Dim 5\n", errors::kExpectedIdentifier, 1, 5},
        {"x = \"abc\n", errors::kUnterminatedString, 1, 5},
        {"Next\n", errors::kUnexpectedNext, 1, 1},
        {"Exit For\n", errors::kInvalidExitStatement, 1, 6},
        {"Sub S\n  Exit Function\nEnd Sub\n", errors::kInvalidExitStatement, 2, 8},
        {"Sub F(a, b)\nEnd Sub\nF(1, 2)\n", errors::kCannotUseParensCallingSub, 3, 2},
        {"x = 1 $ 2\n", errors::kInvalidCharacter, 1, 7},
        {"Loop\n", errors::kExpectedStatement, 1, 1},
        {"Dim a, a\n", errors::kNameRedefined, 1, 8},
        {"Dim A\nSub A\nEnd Sub\n", errors::kNameRedefined, 2, 5},
        {"Class A\nEnd Class\nFunction A\nEnd Function\n", errors::kNameRedefined, 3, 10},
        {"x = &h\n", errors::kExpectedExpression, 1, 5},
        {"Property = 1\nProperty Get P\nEnd Property\n", errors::kMustBeDefinedInsideClass, 2, 10},
        {"Class C\n  Property Get P\n  End Sub\nEnd Class\n", errors::kExpectedProperty, 3, 7},
        {"Sub S\n  Sub T\n  End Sub\nEnd Sub\n", errors::kSyntaxError, 2, 3},
        {"Do\n  x = 1\n", errors::kExpectedLoop, 3, 1},
        {"While x\n", errors::kExpectedWend, 2, 1},
        {"For i = 1 To 2\n", errors::kExpectedNext, 2, 1},
        {"If x Then\nEnd Sub\n", errors::kExpectedIf, 2, 5},
        {"x = (1 + 2\n", errors::kExpectedCloseParen, 1, 11},
        {"If x y\n", errors::kExpectedThen, 1, 6},
        {"Select Case x\nCase 1\nEnd If\n", errors::kExpectedSelect, 3, 5},
        {"Const c = x\n", errors::kExpectedLiteralConstant, 1, 11},
        {"Dim a(n)\n", errors::kExpectedInteger, 1, 7},
        {"Class C\n  Sub Class_Initialize(x)\n  End Sub\nEnd Class\n",
         errors::kClassInitializeNoArguments, 2, 3},
        {"Property Get P\nEnd Property\n", errors::kMustBeDefinedInsideClass, 1, 10},
        {"x = #13/45/2000#\n", errors::kSyntaxError, 1, 5},
        {"On Error Goto 1\n", errors::kSyntaxError, 1, 15},
        {"x = 5 +\n", errors::kExpectedExpression, 1, 8},
        {"x = &HFFFFFFFFF\n", errors::kInvalidNumber, 1, 5},
    };
    for (const auto& c : cases) {
        auto failure = failureOf(c.source);
        EXPECT_TRUE(failure.has_value()) << c.source;
        if (!failure) continue;
        EXPECT_EQ(failure->number, c.number) << c.source << failure->message();
        EXPECT_EQ(failure->line, c.line) << c.source << failure->message();
        EXPECT_EQ(failure->column, c.column) << c.source << failure->message();
        EXPECT_EQ(failure->file, u"up.vbs");
    }
}

TEST(CompileErrors, MessageNamesFileAndPlace) {
    auto failure = failureOf("x = 1\n\ny = 2 3\n");
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->message(), "up.vbs(3, 7) error 1025: Expected end of statement");
}

TEST(CompileErrors, DeeplyNestedTextFailsCleanly) {
    std::string deep = "x = " + std::string(5000, '(') + "1" + std::string(5000, ')') + "\n";
    auto failure = failureOf(deep.c_str());
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->number, errors::kOutOfStackSpace);
    std::string blocks;
    for (int i = 0; i < 3000; ++i)
        blocks += "If x Then\n";
    failure = failureOf(blocks.c_str());
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->number, errors::kOutOfStackSpace);
}

TEST(RuntimeErrors, CarryNumberAndPlaceOfTheFailingStatement) {
    const ErrorCase cases[] = {
        {"x = 1\ny = \"a\" + x\n", errors::kTypeMismatch, 2, 1},
        {"Dim a(2)\n  a(3) = 1\n", errors::kSubscriptOutOfRange, 2, 3},
        {"Option Explicit\nDim a\nb = 1\n", errors::kVariableUndefined, 3, 1},
        {"Option Explicit\nDim a\na = b + 1\n", errors::kVariableUndefined, 3, 1},
        {"Sub F(a)\nEnd Sub\nF 1, 2\n", errors::kWrongNumberOfArguments, 3, 1},
        {"x = Mid(\"a\", 0)\n", errors::kInvalidProcedureCall, 1, 1},
        {"x = CInt(40000)\n", errors::kOverflow, 1, 1},
        {"x = CStr(Null)\n", errors::kInvalidUseOfNull, 1, 1},
        {"Set x = 5\n", errors::kObjectRequired, 1, 1},
        {"Set x = CreateObject(\"No.Such\")\n", errors::kCannotCreateObject, 1, 1},
        {"Set x = New NoSuchClass\n", errors::kCannotCreateObject, 1, 1},
        {"Dim a(2)\nReDim a(5)\n", errors::kArrayFixedOrLocked, 2, 1},
        {"Dim o\nSet o = Nothing\no.x = 1\n", errors::kObjectVariableNotSet, 3, 1},
        {"Class C\nEnd Class\nSet o = New C\no.Missing\n", errors::kObjectDoesNotSupportProperty, 4,
         1},
        {"Class C\nPrivate p\nEnd Class\nSet o = New C\nx = o.p\n",
         errors::kObjectDoesNotSupportProperty, 5, 1},
        {"Function F()\n  F = 1 / 0\nEnd Function\nx = F()\n", errors::kDivisionByZero, 2, 3},
        {"x = 0 / 0\n", errors::kOverflow, 1, 1},
        {"Err.Raise 1000, \"me\", \"custom text\"\n", 1000, 1, 1},
        {"Const c = 1\nc = 2\n", errors::kIllegalAssignment, 2, 1},
        {"x = UndefinedFunction(1)\n", errors::kTypeMismatch, 1, 1},
        {"x = Array(1)\nFor Each v In 5\nNext\n", errors::kObjectNotCollection, 2, 1},
        {"x = Split(\"a\")(3)\n", errors::kSubscriptOutOfRange, 1, 1},
        {"x = UBound(5)\n", errors::kTypeMismatch, 1, 1},
        {"Dim d()\nx = UBound(d)\n", errors::kSubscriptOutOfRange, 2, 1},
        {"x = Len()\n", errors::kWrongNumberOfArguments, 1, 1},
        {"x = Space(-1)\n", errors::kInvalidProcedureCall, 1, 1},
        {"x = Chr(300)\n", errors::kInvalidProcedureCall, 1, 1},
        {"x = \"5\" * \"x\"\n", errors::kTypeMismatch, 1, 1},
        {"x = 1 \\ 0\n", errors::kDivisionByZero, 1, 1},
        {"x = Sqr(-1)\n", errors::kInvalidProcedureCall, 1, 1},
        {"x = 10 ^ 400\n", errors::kOverflow, 1, 1},
        {"With 5\nEnd With\n", errors::kObjectRequired, 1, 1},
    };
    for (const auto& c : cases) {
        auto failure = failureOf(c.source);
        EXPECT_TRUE(failure.has_value()) << c.source;
        if (!failure) continue;
        EXPECT_EQ(failure->number, c.number) << c.source << failure->message();
        EXPECT_EQ(failure->line, c.line) << c.source << failure->message();
        EXPECT_EQ(failure->column, c.column) << c.source << failure->message();
    }
}

TEST(RuntimeErrors, RaisedDescriptionReachesTheHost) {
    auto failure = failureOf("Err.Raise 1000, \"me\", \"custom text\"\n");
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->description, u"custom text");
}

// An object whose members become global names: Greet(name) and a Count property.
class Greeter : public Object {
  public:
    std::u16string typeName() const override { return u"Greeter"; }
    MemberId findMember(std::u16string_view name) const override {
        if (equalsIgnoringCase(name, u"greet")) return 0;
        if (equalsIgnoringCase(name, u"count") || equalsIgnoringCase(name, u"rem")) return 1;
        if (equalsIgnoringCase(name, u"twice")) return 2;
        return kNoMember;
    }
    Variant get(MemberId member, Arguments& args) override {
        if (member == 0) {
            ++count;
            return Variant::fromString(u"hello " + toString(args[0]));
        }
        if (member == 2) {  // doubles its by-reference argument in place
            args.ref(0) = Variant::fromLong(toLong(args[0]) * 2);
            return {};
        }
        return Variant::fromLong(count);
    }
    void let(MemberId member, Arguments&, const Variant& value) override {
        if (member != 1) raise(errors::kObjectDoesNotSupportProperty);
        count = toLong(value);
    }
    int count = 0;
};

class Host : public testing::Test {
  protected:
    Host() : interpreter(HostContext{*CodePage::forNumber(1251), nullptr}) {
        interpreter.AddObject(u"Greeter", greeter, true);
    }
    std::u16string run(const std::u16string& procedure) {
        auto result = interpreter.Run(procedure);
        EXPECT_TRUE(result.ok()) << result.failure().message();
        return result.ok() ? toString(*result) : u"";
    }
    std::shared_ptr<Greeter> greeter = std::make_shared<Greeter>();
    Interpreter interpreter;
};

TEST_F(Host, ObjectMembersAreGlobalNamesAndReachableByName) {
    ASSERT_TRUE(
        interpreter
            .AddCode(u"Function Main()\n"
                     u"  Main = Greet(\"a\") & \"/\" & Greeter.Greet(\"b\") & \"/\" & Count\n"
                     u"End Function\n",
                     u"g.vbs")
            .ok());
    EXPECT_EQ(run(u"Main"), u"hello a/hello b/2");
    ASSERT_TRUE(
        interpreter.AddCode(u"Count = 10\nGreeter.Count = Greeter.Count + 1\n", u"h.vbs").ok());
    EXPECT_EQ(greeter->count, 11);
}

TEST_F(Host, ByReferenceArgumentsOfHostMethodsAreWritable) {
    ASSERT_TRUE(
        interpreter
            .AddCode(u"Function Main()\n  Dim n\n  n = 21\n  Twice n\n  Main = n\nEnd Function\n",
                     u"r.vbs")
            .ok());
    EXPECT_EQ(run(u"Main"), u"42");
}

TEST_F(Host, ScriptNamesComeBeforeObjectMembers) {
    ASSERT_TRUE(interpreter
                    .AddCode(u"Function Greet(x)\n  Greet = \"own \" & x\nEnd Function\n"
                             u"Function Main()\n  Main = Greet(1)\nEnd Function\n",
                             u"o.vbs")
                    .ok());
    EXPECT_EQ(run(u"Main"), u"own 1");
}

TEST_F(Host, ReservedWordsAfterADotAreMemberNames) {
    ASSERT_TRUE(interpreter
                    .AddCode(u"Function Main()\n  Greeter.Count = 7\n"
                             u"  Main = Greeter.Rem + Greeter.rem Rem the last one is a comment\n"
                             u"End Function\n",
                             u"r.vbs")
                    .ok());
    EXPECT_EQ(run(u"Main"), u"14");
}

TEST_F(Host, AddedCodeAccumulatesAndLaterProceduresReplaceEarlierOnes) {
    ASSERT_TRUE(interpreter
                    .AddCode(u"Function Helper()\n  Helper = \"h\"\nEnd Function\n"
                             u"Function Main()\n  Main = \"first\"\nEnd Function\n",
                             u"a.vbs")
                    .ok());
    EXPECT_EQ(run(u"Main"), u"first");
    ASSERT_TRUE(
        interpreter
            .AddCode(u"Function Main()\n  Main = \"second \" & Helper()\nEnd Function\n", u"b.vbs")
            .ok());
    EXPECT_EQ(run(u"Main"), u"second h");
    // Adding the same file again (as every script run does) is no redefinition.
    ASSERT_TRUE(
        interpreter
            .AddCode(u"Dim total\nFunction Main()\n  Main = \"third\"\nEnd Function\n", u"b.vbs")
            .ok());
    ASSERT_TRUE(
        interpreter
            .AddCode(u"Dim total\nFunction Main()\n  Main = \"third\"\nEnd Function\n", u"b.vbs")
            .ok());
    EXPECT_EQ(run(u"Main"), u"third");
}

TEST_F(Host, CodeThatFailsToCompileAddsNothing) {
    ASSERT_TRUE(interpreter.AddCode(u"Function Main()\n  Main = 1\nEnd Function\n", u"a.vbs").ok());
    Status broken = interpreter.AddCode(u"Function Main()\n  Main = 2 2\nEnd Function\n", u"b.vbs");
    ASSERT_FALSE(broken.ok());
    EXPECT_EQ(broken.failure().file, u"b.vbs");
    EXPECT_EQ(run(u"Main"), u"1");
}

TEST_F(Host, TopLevelStatementsRunWhenCodeIsAdded) {
    ASSERT_TRUE(interpreter
                    .AddCode(u"Dim n\nn = 41\nn = n + 1\n"
                             u"Function Main()\n  Main = n\nEnd Function\n",
                             u"t.vbs")
                    .ok());
    EXPECT_EQ(run(u"Main"), u"42");
}

TEST_F(Host, RunPassesArgumentsAndReportsUnknownProcedures) {
    ASSERT_TRUE(
        interpreter.AddCode(u"Function Add(a, b)\n  Add = a + b\nEnd Function\n", u"x.vbs").ok());
    auto sum = interpreter.Run(u"add", {Variant::fromInteger(2), Variant::fromInteger(3)});
    ASSERT_TRUE(sum.ok());
    EXPECT_EQ(toString(*sum), u"5");
    auto wrong = interpreter.Run(u"Add", {Variant::fromInteger(2)});
    ASSERT_FALSE(wrong.ok());
    EXPECT_EQ(wrong.failure().number, errors::kWrongNumberOfArguments);
    auto missing = interpreter.Run(u"Nowhere");
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.failure().number, errors::kSubOrFunctionNotDefined);
    EXPECT_FALSE(interpreter.hasProcedure(u"Nowhere"));
    EXPECT_TRUE(interpreter.hasProcedure(u"ADD"));
}

TEST_F(Host, RunTimeFailureNamesTheInnermostPlace) {
    ASSERT_TRUE(interpreter
                    .AddCode(u"Sub Inner()\n  x = 1 / 0\nEnd Sub\nSub Main()\n  Inner\nEnd Sub\n",
                             u"deep.vbs")
                    .ok());
    auto result = interpreter.Run(u"Main");
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.failure().message(), "deep.vbs(2, 3) error 11: Division by zero");
}

TEST_F(Host, QuitPassesToTheCaller) {
    auto wscript = std::make_shared<WScriptObject>(u"q.vbs", std::vector<std::u16string>{},
                                                   [](const std::u16string&) {});
    interpreter.AddObject(u"WScript", wscript, false);
    try {
        (void)interpreter.AddCode(u"On Error Resume Next\nWScript.Quit 3\nx = 1\n", u"q.vbs");
        FAIL() << "Quit did not end the script";
    } catch (const ScriptQuit& quit) {
        EXPECT_EQ(quit.exitCode, 3);
    }
}

TEST_F(Host, TimeLimitAppliesToEachCall) {
    InterpreterOptions options;
    options.timeLimit = std::chrono::milliseconds(100);
    interpreter.setOptions(options);
    ASSERT_TRUE(
        interpreter.AddCode(u"Sub Spin()\n  Do\n  Loop\nEnd Sub\nSub Quick()\nEnd Sub\n", u"s.vbs")
            .ok());
    auto spun = interpreter.Run(u"Spin");
    ASSERT_FALSE(spun.ok());
    EXPECT_EQ(spun.failure().number, errors::kScriptTimedOut);
    EXPECT_EQ(spun.failure().line, 2);
    EXPECT_TRUE(interpreter.Run(u"Quick").ok());
}

}  // namespace
}  // namespace lorvane::vbs

namespace lorvane::vbs {
namespace {

// A user who takes a while to answer the message box.
class SlowUser : public Desktop {
  public:
    void beep() override {}
    int showMessage(const MessageRequest& request) override {
        shown.push_back(request);
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        return kAnswerYes;
    }
    std::u16string inputBox(const std::u16string&, const std::u16string&,
                            const std::u16string& proposed) override {
        return proposed + u"!";
    }
    std::u16string chooseFile(const std::u16string&, const std::u16string&,
                              const std::u16string&) override {
        return {};
    }
    std::u16string clipboardText() override { return {}; }
    void setBusy(bool) override {}
    void openWithShell(const std::u16string&) override {}
    bool startProcess(const std::vector<std::u16string>&) override { return false; }
    std::vector<MessageRequest> shown;
};

TEST(Dialogs, MessageAndInputBoxesGoThroughTheDesktopAndDoNotCountAgainstTheTimeLimit) {
    SlowUser user;
    InterpreterOptions options;
    options.timeLimit = std::chrono::milliseconds(150);
    Interpreter interpreter(HostContext{*CodePage::forNumber(1251), &user}, options);
    ASSERT_TRUE(interpreter
                    .AddCode(u"Function Main()\n"
                             u"  a = MsgBox(\"Go on?\", vbYesNo + vbQuestion, \"Check\")\n"
                             u"  Main = a & InputBox(\"Name\", \"Who\", \"Ann\")\n"
                             u"End Function\n",
                             u"ask.vbs")
                    .ok());
    auto result = interpreter.Run(u"Main");
    ASSERT_TRUE(result.ok()) << result.failure().message();
    EXPECT_EQ(toString(*result), u"6Ann!");
    ASSERT_EQ(user.shown.size(), 1u);
    EXPECT_EQ(user.shown[0].text, u"Go on?");
    EXPECT_EQ(user.shown[0].caption, u"Check");
    EXPECT_EQ(user.shown[0].buttons, 4);
    EXPECT_EQ(user.shown[0].icon, MessageIcon::Question);
}

}  // namespace
}  // namespace lorvane::vbs
