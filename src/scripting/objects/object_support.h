// Helpers the built-in object kinds share: member tables looked up by name ignoring letter case,
// argument checks that raise the language's errors, and the conversions of optional arguments.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "scripting/host_object.h"

namespace lorvane::vbs {

struct MemberEntry {
    std::u16string_view name;
    MemberId id;
};

// The id of the entry named `name` (letter case ignored), or kNoMember.
MemberId findMemberIn(std::span<const MemberEntry> table, std::u16string_view name);

// Fails with 450 unless min <= args.size() <= max.
void expectArgumentCount(const Arguments& args, std::size_t min, std::size_t max);

// An optional argument counts as given when it is there and not Empty: an argument left out
// between commas reaches a host object as Empty.
bool isGiven(const Arguments& args, std::size_t i);

// The argument's value (an object's default value), converted by the language's rules.
std::u16string stringArgument(const Arguments& args, std::size_t i);
int32_t longArgument(const Arguments& args, std::size_t i);
bool boolArgument(const Arguments& args, std::size_t i);

// For Each over values taken when the loop starts, so that changing the collection inside the
// loop cannot disturb the walk.
class SnapshotEnumerator : public Enumerator {
  public:
    explicit SnapshotEnumerator(std::vector<Variant> values) : values_(std::move(values)) {}
    bool next(Variant& item) override;

  private:
    std::vector<Variant> values_;
    std::size_t position_ = 0;
};

// The index argument of a collection's Item, 0-based; fails with 5 when it is not below `count`.
std::size_t indexArgument(const Arguments& args, std::size_t i, std::size_t count);

// A one-dimensional script array (0 to size - 1) holding these values.
Variant makeArray(std::vector<Variant> values);

}  // namespace lorvane::vbs
