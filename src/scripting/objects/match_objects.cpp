#include "scripting/objects/match_objects.h"

#include "platform/error_catalogue.h"
#include "scripting/objects/object_support.h"
#include "scripting/script_error.h"

namespace lorvane::vbs {
namespace {

enum CollectionMember : MemberId { kCount, kItem };
constexpr MemberEntry kCollectionMembers[] = {{u"Count", kCount}, {u"Item", kItem}};

enum MatchMember : MemberId { kFirstIndex, kLength, kSubMatches, kValue };
constexpr MemberEntry kMatchMembers[] = {
    {u"FirstIndex", kFirstIndex},
    {u"Length", kLength},
    {u"SubMatches", kSubMatches},
    {u"Value", kValue},
};

// Count and Item(i) of a read-only collection.
Variant collectionGet(const std::vector<Variant>& values, MemberId member, Arguments& args) {
    if (member == kCount) {
        expectArgumentCount(args, 0, 0);
        return Variant::fromLong(static_cast<int32_t>(values.size()));
    }
    if (member == kItem) {
        expectArgumentCount(args, 1, 1);
        return values[indexArgument(args, 0, values.size())];
    }
    raise(errors::kObjectDoesNotSupportProperty);
}

std::vector<Variant> groupValues(const std::u16string& text, const MatchSpan& span) {
    std::vector<Variant> values;
    for (std::size_t k = 0; k < span.groupStart.size(); ++k) {
        if (span.groupStart[k] < 0) {
            values.emplace_back();
            continue;
        }
        const auto start = static_cast<std::size_t>(span.groupStart[k]);
        const auto length = static_cast<std::size_t>(span.groupEnd[k] - span.groupStart[k]);
        values.push_back(Variant::fromString(text.substr(start, length)));
    }
    return values;
}

}  // namespace

MemberId SubMatches::findMember(std::u16string_view name) const {
    return findMemberIn(kCollectionMembers, name);
}

MemberId SubMatches::defaultMember() const {
    return kItem;
}

Variant SubMatches::get(MemberId member, Arguments& args) {
    return collectionGet(values_, member, args);
}

std::unique_ptr<Enumerator> SubMatches::enumerate() {
    return std::make_unique<SnapshotEnumerator>(values_);
}

Match::Match(const std::u16string& text, const MatchSpan& span)
    : value_(text.substr(static_cast<std::size_t>(span.start),
                         static_cast<std::size_t>(span.end - span.start))),
      firstIndex_(span.start),
      subMatches_(std::make_shared<SubMatches>(groupValues(text, span))) {}

MemberId Match::findMember(std::u16string_view name) const {
    return findMemberIn(kMatchMembers, name);
}

MemberId Match::defaultMember() const {
    return kValue;
}

Variant Match::get(MemberId member, Arguments& args) {
    // m.SubMatches(i) reads the collection's item, as property reads with arguments do on
    // Windows when the property itself takes none.
    if (member == kSubMatches && !args.empty())
        return subMatches_->get(subMatches_->defaultMember(), args);
    expectArgumentCount(args, 0, 0);
    switch (member) {
        case kFirstIndex:
            return Variant::fromLong(firstIndex_);
        case kLength:
            return Variant::fromLong(static_cast<int32_t>(value_.size()));
        case kSubMatches:
            return Variant::fromObject(subMatches_);
        case kValue:
            return Variant::fromString(value_);
        default:
            raise(errors::kObjectDoesNotSupportProperty);
    }
}

MatchCollection::MatchCollection(const std::u16string& text, const std::vector<MatchSpan>& spans) {
    matches_.reserve(spans.size());
    for (const auto& span : spans)
        matches_.push_back(Variant::fromObject(std::make_shared<Match>(text, span)));
}

MemberId MatchCollection::findMember(std::u16string_view name) const {
    return findMemberIn(kCollectionMembers, name);
}

MemberId MatchCollection::defaultMember() const {
    return kItem;
}

Variant MatchCollection::get(MemberId member, Arguments& args) {
    return collectionGet(matches_, member, args);
}

std::unique_ptr<Enumerator> MatchCollection::enumerate() {
    return std::make_unique<SnapshotEnumerator>(matches_);
}

}  // namespace lorvane::vbs
