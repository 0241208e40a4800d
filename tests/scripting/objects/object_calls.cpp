#include "object_calls.h"

#include <gtest/gtest.h>

#include "scripting/coerce.h"
#include "scripting/script_error.h"

namespace lorvane::vbs::test {
namespace {

MemberId memberOf(const Object& object, std::u16string_view member) {
    const MemberId id = object.findMember(member);
    EXPECT_NE(id, kNoMember) << "no member " << std::string(member.begin(), member.end());
    return id;
}

}  // namespace

Variant str(std::u16string_view text) {
    return Variant::fromString(std::u16string(text));
}

Variant get(Object& object, std::u16string_view member, std::vector<Variant> args) {
    Arguments arguments(std::move(args));
    return object.get(memberOf(object, member), arguments);
}

void let(Object& object, std::u16string_view member, std::vector<Variant> args, Variant value) {
    Arguments arguments(std::move(args));
    object.let(memberOf(object, member), arguments, value);
}

void set(Object& object, std::u16string_view member, std::vector<Variant> args, Variant value) {
    Arguments arguments(std::move(args));
    object.set(memberOf(object, member), arguments, value);
}

Variant getDefault(Object& object, std::vector<Variant> args) {
    Arguments arguments(std::move(args));
    return object.get(object.defaultMember(), arguments);
}

int errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const ScriptError& error) {
        return error.number;
    }
    return 0;
}

std::vector<Variant> enumerateAll(Object& object) {
    std::vector<Variant> items;
    auto enumerator = object.enumerate();
    if (!enumerator) return items;
    Variant item;
    while (enumerator->next(item))
        items.push_back(item);
    return items;
}

Object& objectIn(const Variant& value) {
    return *value.asObject();
}

std::vector<std::u16string> arrayTexts(const Variant& array) {
    std::vector<std::u16string> texts;
    for (const auto& element : array.asArray().elements())
        texts.push_back(toString(element));
    return texts;
}

}  // namespace lorvane::vbs::test
