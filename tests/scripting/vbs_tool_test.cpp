// lorvane-vbs end to end: the working text from standard input, Send to standard output in the
// code page, WScript.Echo and Arguments, Quit's status, errors on standard error.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "temp_folder.h"

namespace lorvane {
namespace {

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

class VbsTool : public testing::Test {
  protected:
    Outcome run(const std::string& arguments, const std::string& input = "") {
        temp.write("in.txt", input);
        const std::string dir = temp.path().string();
        const std::string command = "cd '" + dir + "' && '" LORVANE_VBS_TOOL "' --home '" + dir +
                                    "' " + arguments + " < in.txt > out.txt 2> err.txt";
        const int raw = std::system(command.c_str());
        Outcome outcome;
        outcome.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        outcome.out = temp.read("out.txt");
        outcome.err = temp.read("err.txt");
        return outcome;
    }
    test::TempFolder temp;
};

TEST_F(VbsTool, WorkingTextInLastSendOutInTheCodePage) {
    // "Привет" in Windows-1251, with a lone LF that the program turns into CR LF.
    temp.write("up.vbs", "Sub Main\n  Send UCase(X()) & Len(X())\nEnd Sub\n");
    Outcome o = run("up.vbs", "\xcf\xf0\xe8\xe2\xe5\xf2\nab");
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.out, "\xcf\xd0\xc8\xc2\xc5\xd2\r\nAB10");
}

TEST_F(VbsTool, EchoArgumentsAndQuit) {
    temp.write("args.vbs",
               "WScript.Echo WScript.Arguments.Count, WScript.Arguments(0), "
               "WScript.Arguments.Item(1)\n"
               "For Each a In WScript.Arguments\n  s = s & \"<\" & a & \">\"\nNext\n"
               "WScript.Echo s\nWScript.Quit 3\nWScript.Echo \"never\"\n");
    Outcome o = run("args.vbs first second");
    EXPECT_EQ(o.status, 3);
    EXPECT_EQ(o.out, "2 first second\n<first><second>\n");
}

TEST_F(VbsTool, ErrorsGoToStandardErrorWithTheirPlace) {
    temp.write("bad.vbs", "x = 1\ny = 2 3\n");
    Outcome o = run("bad.vbs");
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.err, "bad.vbs(2, 7) error 1025: Expected end of statement\n");
    temp.write("div.vbs", "WScript.Echo \"before\"\nSub Main\n  x = 1 / 0\nEnd Sub\n");
    o = run("div.vbs");
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.out, "before\n");
    EXPECT_EQ(o.err, "div.vbs(3, 3) error 11: Division by zero\n");
}

TEST_F(VbsTool, ScriptVariablesHideMembersOfOutput) {
    // x and send are the script's own variables; the working text stays reachable as Output.X.
    temp.write("own.vbs",
               "x = 41\nx = x + 1\nsend = \"mine\"\n"
               "WScript.Echo x, send, Output.X()\nOutput.Send \"out\"\n");
    Outcome o = run("own.vbs", "text");
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.out, "42 mine text\nout");
    // With Option Explicit an undeclared name is the member again.
    temp.write("explicit.vbs", "Option Explicit\nSend \"via member\"\n");
    o = run("explicit.vbs");
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.out, "via member");
}

TEST_F(VbsTool, TablesOfTheProgramFolderAndTheCurrentTable) {
    temp.write("@hip/t.txt", "abc == xyz\r\n");
    temp.write("t.vbs",
               "Sub Main\n  Send Table(\"abc!\", \"@hip\\t.txt\") & Rpl3(\"-abc\")\nEnd Sub\n");
    Outcome o = run("--table @hip/t.txt t.vbs");
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.out, "xyz!-xyz");
}

TEST_F(VbsTool, BadUsage) {
    EXPECT_EQ(run("").status, 2);
    EXPECT_EQ(run("--codepage x t.vbs").status, 2);
    Outcome o = run("missing.vbs");
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.err, "missing.vbs error 53: File not found\n");
}

}  // namespace
}  // namespace lorvane
