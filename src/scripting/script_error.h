// Run-time errors of scripts. Anything that fails while a script runs (the interpreter itself,
// built-in functions, host objects) throws ScriptError; the interpreter turns it into the Err
// object's values under On Error Resume Next, or into a lorvane::Failure for the host.
#pragma once

#include <string>

namespace lorvane::vbs {

struct ScriptError {
    int number = 0;
    std::u16string description;  // empty: the catalogue's wording of the number
    std::u16string source;       // empty: the interpreter fills in its own source name
};

// Throws the error with the catalogue's wording (src/platform/error_catalogue.h).
[[noreturn]] void raise(int number);
[[noreturn]] void raise(int number, std::u16string description, std::u16string source = {});

}  // namespace lorvane::vbs
