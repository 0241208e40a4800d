// Compiles script text into a syntax tree. Errors are the language's compile errors (1002
// syntax error, 1024 expected statement, 1025 expected end of statement ...) thrown as
// CompileError with the place of the offending token.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "scripting/ast.h"
#include "scripting/lexer.h"
#include "scripting/names.h"

namespace lorvane::vbs {

std::unique_ptr<Module> parseModule(std::u16string_view source, std::u16string file,
                                    NameTable& names);

// One expression, for Eval.
ExprPtr parseExpression(std::u16string_view source, NameTable& names);

}  // namespace lorvane::vbs
