// The script parser on any text: a syntax tree, or a catalogued compile error at a place of the
// text; the same for Eval's expression parser on the text's first line.
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "platform/error_catalogue.h"
#include "scripting/parser.h"

namespace {

void checkCompileError(const lorvane::vbs::CompileError& error) {
    // Compile errors, and "Out of stack space" for nesting too deep to compile.
    FUZZ_CHECK((error.number >= 1000 && error.number < 1100) ||
               error.number == lorvane::errors::kOutOfStackSpace);
    FUZZ_CHECK(lorvane::errors::description(error.number) != u"Unknown runtime error");
    FUZZ_CHECK(error.line >= 1 && error.column >= 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace lorvane;
    const std::u16string text = fuzz::decode1251(fuzz::bytesOf(data, size));
    vbs::NameTable names;
    try {
        auto module = vbs::parseModule(text, u"fuzz.vbs", names);
        FUZZ_CHECK(module != nullptr);
    } catch (const vbs::CompileError& error) {
        checkCompileError(error);
    }
    try {
        const std::u16string_view first = std::u16string_view(text).substr(0, text.find(u'\n'));
        auto expression = vbs::parseExpression(first, names);
        FUZZ_CHECK(expression != nullptr);
    } catch (const vbs::CompileError& error) {
        checkCompileError(error);
    }
    return 0;
}
