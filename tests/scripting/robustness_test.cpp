// Mangled scripts (the script tests, cut, spliced and sprinkled with tokens) never crash the
// interpreter: each either runs or fails with a catalogued error. LORVANE_FUZZ_ROUNDS sets how
// many scripts to try (a few hundred by default).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "platform/code_page.h"
#include "platform/error_catalogue.h"
#include "platform/text.h"
#include "scripting/interpreter.h"
#include "scripting/wscript_object.h"
#include "temp_folder.h"

namespace lorvane::vbs {
namespace {

std::vector<std::string> corpus() {
    std::vector<std::string> texts;
    for (const auto& entry : std::filesystem::directory_iterator(LORVANE_SCRIPT_TESTS_DIR)) {
        if (entry.path().extension() == ".vbs") texts.push_back(test::readBytes(entry.path()));
    }
    std::sort(texts.begin(), texts.end());
    return texts;
}

const char* const kTokens[] = {
    "(",
    ")",
    ",",
    ".",
    ":",
    "\n",
    " _\n",
    "=",
    "&",
    "+",
    "-",
    "*",
    "/",
    "\\",
    "^",
    "<",
    ">",
    "If ",
    " Then ",
    "Else ",
    "End ",
    "For ",
    " To ",
    "Next",
    "Do ",
    "Loop",
    "While ",
    "Wend",
    "Sub ",
    "Function ",
    "Class ",
    "Dim ",
    "ReDim ",
    "Preserve ",
    "Set ",
    "New ",
    "Nothing",
    "Null",
    "Empty",
    "Me",
    "With ",
    "Select ",
    "Case ",
    "Exit ",
    "Call ",
    "\"",
    "\"\"",
    "'",
    "#",
    "&H",
    "1E308",
    "32767",
    "-2147483648",
    "0.5",
    "Array(",
    "Split(",
    "Mid(",
    "Err.Raise 5",
    "On Error Resume Next\n",
    "On Error GoTo 0\n",
    "Execute \"",
    "Eval(\"",
    "x",
    "y(1)",
    "z.w",
    "Property ",
    "Get ",
    "Let ",
    "Public ",
    "Private ",
    "Default ",
    "ByRef ",
    "ByVal ",
    "Is ",
    "Not ",
    "And ",
    "Or ",
    "Mod ",
    "Erase ",
    "Const ",
    "Option Explicit\n",
    "Randomize\n",
};

std::string mangle(std::string text, const std::vector<std::string>& others, std::mt19937& rng) {
    const int edits = 1 + static_cast<int>(rng() % 6);
    for (int i = 0; i < edits; ++i) {
        const std::size_t at = text.empty() ? 0 : rng() % (text.size() + 1);
        switch (rng() % 5) {
            case 0:  // cut
                text.erase(at, rng() % 40);
                break;
            case 1:  // insert a token
                text.insert(at, kTokens[rng() % std::size(kTokens)]);
                break;
            case 2: {  // splice a piece of another script
                const std::string& other = others[rng() % others.size()];
                if (other.empty()) break;
                const std::size_t from = rng() % other.size();
                text.insert(at, other.substr(from, rng() % 200));
                break;
            }
            case 3:  // duplicate a stretch
                text.insert(at, text.substr(at, rng() % 80));
                break;
            default:  // a random byte
                text.insert(text.begin() + static_cast<std::ptrdiff_t>(at),
                            static_cast<char>(rng() % 128));
                break;
        }
    }
    return text;
}

TEST(Robustness, MangledScriptsRunOrFailWithCataloguedErrors) {
    const std::vector<std::string> texts = corpus();
    ASSERT_FALSE(texts.empty());
    const char* env = std::getenv("LORVANE_FUZZ_ROUNDS");
    const int rounds = env ? std::atoi(env) : 300;
    const char* seed = std::getenv("LORVANE_FUZZ_SEED");
    std::mt19937 rng(seed ? static_cast<unsigned>(std::atoi(seed)) : 12345u);
    auto page = *CodePage::forNumber(1251);
    InterpreterOptions options;
    options.timeLimit = std::chrono::milliseconds(200);
    options.stepLimit = 20000;
    int failed = 0;
    for (int round = 0; round < rounds; ++round) {
        const std::string source = mangle(texts[rng() % texts.size()], texts, rng);
        Interpreter interpreter(HostContext{page, nullptr}, options);
        interpreter.AddObject(
            u"WScript",
            std::make_shared<WScriptObject>(u"f.vbs", std::vector<std::u16string>{},
                                            [](const std::u16string&) {}),
            false);
        try {
            Status added = interpreter.AddCode(fromUtf8(source), u"f.vbs");
            std::optional<Failure> failure;
            if (!added)
                failure = added.failure();
            else if (interpreter.hasProcedure(u"Main")) {
                auto ran = interpreter.Run(u"Main");
                if (!ran) failure = ran.failure();
            }
            if (failure) {
                ++failed;
                // Only Err.Raise can produce numbers outside the catalogue.
                const bool known = errors::description(failure->number) != u"Unknown runtime error";
                EXPECT_TRUE(known || source.find("Raise") != std::string::npos)
                    << failure->message() << "\n"
                    << source;
            }
        } catch (const ScriptQuit&) {
        }
    }
    EXPECT_GT(failed, 0);  // the mangling does break scripts
}

}  // namespace
}  // namespace lorvane::vbs
