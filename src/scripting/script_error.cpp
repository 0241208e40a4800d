#include "scripting/script_error.h"

#include "platform/error_catalogue.h"

namespace lorvane::vbs {

void raise(int number) {
    throw ScriptError{number, errors::description(number), {}};
}

void raise(int number, std::u16string description, std::u16string source) {
    if (description.empty()) description = errors::description(number);
    throw ScriptError{number, std::move(description), std::move(source)};
}

}  // namespace lorvane::vbs
