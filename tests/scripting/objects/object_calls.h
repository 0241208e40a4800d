// Calls on script objects as the interpreter makes them, for tests: members by name, the
// error number a call raises, the items a For Each would visit.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "scripting/host_object.h"

namespace lorvane::vbs::test {

Variant str(std::u16string_view text);

// obj.Member(args) whose value is used.
Variant get(Object& object, std::u16string_view member, std::vector<Variant> args = {});
// obj.Member(args) = value and Set obj.Member(args) = value.
void let(Object& object, std::u16string_view member, std::vector<Variant> args, Variant value);
void set(Object& object, std::u16string_view member, std::vector<Variant> args, Variant value);
// obj(args), through the default member.
Variant getDefault(Object& object, std::vector<Variant> args);

// The number of the ScriptError `action` raises; 0 when it raises none.
int errorOf(const std::function<void()>& action);

// What For Each visits.
std::vector<Variant> enumerateAll(Object& object);

// The object a Variant holds (must be one).
Object& objectIn(const Variant& value);

// The elements of a one-dimensional array, as texts.
std::vector<std::u16string> arrayTexts(const Variant& array);

}  // namespace lorvane::vbs::test
