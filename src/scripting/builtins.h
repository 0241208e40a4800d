// The built-in functions and constants of the script language, as data: each function is a
// {name, minArgs, maxArgs, fn} entry, grouped by theme in the builtins_*.cpp files.
#pragma once

#include <deque>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "scripting/value.h"

namespace lorvane::vbs {

class Evaluator;

// Arguments arrive as values (objects as objects); a left-out argument is Empty. A variable
// given as an argument is read in place, so Mid(text, i, 1) does not copy the whole text.
class BuiltinArgs {
  public:
    void pushValue(Variant value) {
        owned_.push_back(std::move(value));
        items_.push_back(&owned_.back());
    }
    void pushRef(const Variant& value) { items_.push_back(&value); }

    std::size_t size() const { return items_.size(); }
    bool empty() const { return items_.empty(); }
    const Variant& operator[](std::size_t i) const { return *items_[i]; }
    std::vector<Variant> values() const {
        std::vector<Variant> out;
        out.reserve(items_.size());
        for (const Variant* item : items_)
            out.push_back(*item);
        return out;
    }

  private:
    std::vector<const Variant*> items_;
    std::deque<Variant> owned_;
};
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
