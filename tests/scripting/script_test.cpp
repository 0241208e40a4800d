// Runs every script under scripts/ and compares what it echoes with the expectations written
// in it: "' expect: <line>" for each line of WScript.Echo output in order, "' expect error N"
// (optionally "at LINE:COLUMN") for a script that must fail, "' option: timeout MS" and
// "' option: steps N" for its limits.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "platform/code_page.h"
#include "platform/text.h"
#include "scripting/interpreter.h"
#include "sanitizers.h"
#include "scripting/wscript_object.h"
#include "temp_folder.h"

namespace lorvane::vbs {
namespace {

namespace fs = std::filesystem;

struct ScriptCase {
    std::string name;
    fs::path path;
};

void PrintTo(const ScriptCase& c, std::ostream* out) {
    *out << c.path;
}

std::vector<ScriptCase> discover() {
    std::vector<ScriptCase> cases;
    for (const auto& entry : fs::directory_iterator(LORVANE_SCRIPT_TESTS_DIR)) {
        if (entry.path().extension() != ".vbs") continue;
        std::string name = entry.path().stem().string();
        std::replace_if(
            name.begin(), name.end(),
            [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
        cases.push_back({name, entry.path()});
    }
    std::sort(cases.begin(), cases.end(),
              [](const ScriptCase& a, const ScriptCase& b) { return a.name < b.name; });
    return cases;
}

struct Expectation {
    std::vector<std::string> output;
    std::optional<int> error;
    int line = 0;
    int column = 0;
    long timeoutMs = 0;
    unsigned long long steps = 0;
};

Expectation expectationsOf(const std::string& text) {
    static const std::regex kOutput(R"(' expect: ?(.*?)\r?$)");
    static const std::regex kError(R"(' expect error (\d+)(?: at (\d+):(\d+))?)");
    static const std::regex kTimeout(R"(' option: timeout (\d+))");
    static const std::regex kSteps(R"(' option: steps (\d+))");
    Expectation e;
    std::istringstream lines(text);
    std::string line;
    std::smatch m;
    while (std::getline(lines, line)) {
        if (std::regex_search(line, m, kOutput)) {
            e.output.push_back(m[1]);
        } else if (std::regex_search(line, m, kError)) {
            e.error = std::stoi(m[1]);
            if (m[2].matched) {
                e.line = std::stoi(m[2]);
                e.column = std::stoi(m[3]);
            }
        } else if (std::regex_search(line, m, kTimeout)) {
            e.timeoutMs = std::stol(m[1]);
        } else if (std::regex_search(line, m, kSteps)) {
            e.steps = std::stoull(m[1]);
        }
    }
    return e;
}

class ScriptFile : public testing::TestWithParam<ScriptCase> {};

TEST_P(ScriptFile, RunsAsExpected) {
    const ScriptCase& c = GetParam();
    const std::string source = test::readBytes(c.path);
    const Expectation expected = expectationsOf(source);

    InterpreterOptions options;
    if (expected.timeoutMs) {
        options.timeLimit = std::chrono::milliseconds(expected.timeoutMs);
    } else if (test::kBuiltWithAddressSanitizer) {
        // Sanitized code runs several times slower: a script the default limit lets finish in
        // an ordinary build must not time out here. Scripts that test the limit set their own.
        options.timeLimit *= 6;
    }
    options.stepLimit = expected.steps;
    auto page = CodePage::forNumber(1251);
    ASSERT_TRUE(page.ok());
    Interpreter interpreter(HostContext{*page, nullptr}, options);
    std::vector<std::string> output;
    const std::u16string fileName = fromUtf8(c.path.filename().string());
    interpreter.AddObject(u"WScript",
                          std::make_shared<WScriptObject>(
                              fileName, std::vector<std::u16string>{},
                              [&](const std::u16string& line) { output.push_back(toUtf8(line)); }),
                          false);

    std::optional<Failure> failure;
    Status added = interpreter.AddCode(fromUtf8(source), fileName);
    if (!added) {
        failure = added.failure();
    } else if (interpreter.hasProcedure(u"Main")) {
        auto ran = interpreter.Run(u"Main");
        if (!ran) failure = ran.failure();
    }

    if (expected.error) {
        ASSERT_TRUE(failure.has_value()) << c.path << " was expected to fail";
        EXPECT_EQ(failure->number, *expected.error) << failure->message();
        if (expected.line) {
            EXPECT_EQ(failure->line, expected.line) << failure->message();
            EXPECT_EQ(failure->column, expected.column) << failure->message();
        }
    } else {
        EXPECT_FALSE(failure.has_value()) << failure->message();
    }
    EXPECT_EQ(output, expected.output) << c.path;
}

INSTANTIATE_TEST_SUITE_P(Scripts, ScriptFile, testing::ValuesIn(discover()),
                         [](const testing::TestParamInfo<ScriptCase>& info) {
                             return info.param.name;
                         });

}  // namespace
}  // namespace lorvane::vbs
