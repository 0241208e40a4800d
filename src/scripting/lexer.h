// Turns script text into tokens: letter case of reserved words ignored, comments (' and Rem)
// dropped, " _" line continuations joined, literals read (strings with "", numbers, &H and &O,
// #dates#). A lexical error throws CompileError with its place.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "scripting/token.h"

namespace lorvane::vbs {

struct CompileError {
    int number;
    int line;
    int column;
};

std::vector<Token> tokenize(std::u16string_view source);

}  // namespace lorvane::vbs
