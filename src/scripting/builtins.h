// The built-in functions and constants of the script language, as data: each function is a
// {name, minArgs, maxArgs, fn} entry, grouped by theme in the builtins_*.cpp files.
#pragma once

#include <span>
#include <string>
#include <utility>
#include <vector>

#include "scripting/value.h"

namespace lorvane::vbs {

class Evaluator;

// Arguments arrive as values (objects as objects); a left-out argument is Empty.
using BuiltinArgs = std::vector<Variant>;
using BuiltinFn = Variant (*)(Evaluator& evaluator, BuiltinArgs& args);

struct Builtin {
    const char16_t* name;
    int minArgs;
    int maxArgs;
    BuiltinFn fn;
};

std::span<const Builtin> stringBuiltins();
std::span<const Builtin> conversionBuiltins();
std::span<const Builtin> mathBuiltins();
std::span<const Builtin> arrayBuiltins();
std::span<const Builtin> dateBuiltins();
std::span<const Builtin> hostBuiltins();

// vbCrLf, vbTextCompare, vbOKOnly ... with their values.
std::vector<std::pair<std::u16string, Variant>> builtinConstants();

}  // namespace lorvane::vbs
