#include "scripting/objects/object_support.h"

#include <memory>

#include "platform/error_catalogue.h"
#include "platform/text.h"
#include "scripting/coerce.h"
#include "scripting/script_error.h"

namespace lorvane::vbs {

MemberId findMemberIn(std::span<const MemberEntry> table, std::u16string_view name) {
    for (const auto& entry : table) {
        if (equalsIgnoringCase(entry.name, name)) return entry.id;
    }
    return kNoMember;
}

void expectArgumentCount(const Arguments& args, std::size_t min, std::size_t max) {
    if (args.size() < min || args.size() > max) raise(errors::kWrongNumberOfArguments);
}

bool isGiven(const Arguments& args, std::size_t i) {
    return i < args.size() && !args[i].isEmpty();
}

std::u16string stringArgument(const Arguments& args, std::size_t i) {
    return toString(valueOf(args[i]));
}

int32_t longArgument(const Arguments& args, std::size_t i) {
    return toLong(valueOf(args[i]));
}

bool boolArgument(const Arguments& args, std::size_t i) {
    return toBool(valueOf(args[i]));
}

bool SnapshotEnumerator::next(Variant& item) {
    if (position_ >= values_.size()) return false;
    item = values_[position_++];
    return true;
}

std::size_t indexArgument(const Arguments& args, std::size_t i, std::size_t count) {
    const int32_t index = longArgument(args, i);
    if (index < 0 || static_cast<std::size_t>(index) >= count) raise(errors::kInvalidProcedureCall);
    return static_cast<std::size_t>(index);
}

Variant makeArray(std::vector<Variant> values) {
    auto array =
        std::make_shared<Array>(std::vector<int32_t>{static_cast<int32_t>(values.size()) - 1});
    array->elements() = std::move(values);
    return Variant::fromArray(std::move(array));
}

}  // namespace lorvane::vbs
