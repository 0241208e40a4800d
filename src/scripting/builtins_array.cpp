// Built-in array functions: Array, UBound, LBound.
#include "platform/error_catalogue.h"
#include "scripting/builtins.h"
#include "scripting/coerce.h"
#include "scripting/script_error.h"

namespace lorvane::vbs {
namespace {

using Args = BuiltinArgs;

Variant fnArray(Evaluator&, Args& a) {
    auto array = std::make_shared<Array>(std::vector<int32_t>{static_cast<int32_t>(a.size()) - 1});
    array->elements() = a.values();
    return Variant::fromArray(std::move(array));
}

// The dimension asked for (1-based, 1 when left out) of an array that has it.
int dimension(const Args& a) {
    if (!a[0].isArray()) raise(errors::kTypeMismatch);
    const int32_t d = a.size() > 1 && !a[1].isEmpty() ? toLong(a[1]) : 1;
    if (d < 1 || d > a[0].asArray().dimensions()) raise(errors::kSubscriptOutOfRange);
    return d - 1;
}

Variant fnUBound(Evaluator&, Args& a) {
    const int d = dimension(a);
    return Variant::fromLong(a[0].asArray().upperBound(d));
}

Variant fnLBound(Evaluator&, Args& a) {
    dimension(a);
    return Variant::fromLong(0);
}

constexpr Builtin kArrayBuiltins[] = {
    {u"Array", 0, 1 << 16, fnArray},
    {u"UBound", 1, 2, fnUBound},
    {u"LBound", 1, 2, fnLBound},
};

}  // namespace

std::span<const Builtin> arrayBuiltins() {
    return kArrayBuiltins;
}

}  // namespace lorvane::vbs
