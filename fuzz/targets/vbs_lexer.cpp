// The script lexer on any text: it either fails with a catalogued compile error at a place
// inside the text, or yields tokens whose places stand in order and end with one End token.
#include <algorithm>
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "platform/error_catalogue.h"
#include "scripting/lexer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace lorvane;
    const std::u16string text = fuzz::decode1251(fuzz::bytesOf(data, size));
    const int lines = 1 + static_cast<int>(std::count(text.begin(), text.end(), u'\n') +
                                           std::count(text.begin(), text.end(), u'\r'));
    std::vector<vbs::Token> tokens;
    try {
        tokens = vbs::tokenize(text);
    } catch (const vbs::CompileError& error) {
        FUZZ_CHECK(error.number >= 1000 && error.number < 1100);
        FUZZ_CHECK(errors::description(error.number) != u"Unknown runtime error");
        FUZZ_CHECK(error.line >= 1 && error.line <= lines + 1);
        FUZZ_CHECK(error.column >= 1);
        return 0;
    }
    FUZZ_CHECK(!tokens.empty() && tokens.back().type == vbs::Tok::End);
    int line = 1;
    int column = 0;
    for (const vbs::Token& token : tokens) {
        FUZZ_CHECK(token.line >= 1 && token.column >= 1);
        FUZZ_CHECK(token.line > line || (token.line == line && token.column >= column));
        line = token.line;
        column = token.column;
    }
    FUZZ_CHECK(line <= lines + 1);
    return 0;
}
