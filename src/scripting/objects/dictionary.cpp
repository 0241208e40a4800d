#include "scripting/objects/dictionary.h"

#include <vector>

#include "platform/error_catalogue.h"
#include "scripting/coerce.h"
#include "scripting/objects/object_support.h"
#include "scripting/script_error.h"

namespace lorvane::vbs {
namespace {

enum Member : MemberId {
    kAdd,
    kCompareMode,
    kCount,
    kExists,
    kItem,
    kItems,
    kKey,
    kKeys,
    kRemove,
    kRemoveAll
};

constexpr MemberEntry kMembers[] = {
    {u"Add", kAdd},       {u"CompareMode", kCompareMode},
    {u"Count", kCount},   {u"Exists", kExists},
    {u"Item", kItem},     {u"Items", kItems},
    {u"Key", kKey},       {u"Keys", kKeys},
    {u"Remove", kRemove}, {u"RemoveAll", kRemoveAll},
};

}  // namespace

MemberId Dictionary::findMember(std::u16string_view name) const {
    return findMemberIn(kMembers, name);
}

MemberId Dictionary::defaultMember() const {
    return kItem;
}

Variant Dictionary::get(MemberId member, Arguments& args) {
    switch (member) {
        case kAdd:
            expectArgumentCount(args, 2, 2);
            add(args[0], args[1]);
            return {};
        case kCompareMode:
            expectArgumentCount(args, 0, 0);
            return Variant::fromLong(compareMode_);
        case kCount:
            expectArgumentCount(args, 0, 0);
            return Variant::fromLong(static_cast<int32_t>(entries_.size()));
        case kExists:
            expectArgumentCount(args, 1, 1);
            return Variant::fromBool(find(args[0]) != entries_.end());
        case kItem:
            expectArgumentCount(args, 1, 1);
            return findOrAdd(args[0]).item;
        case kItems:
            expectArgumentCount(args, 0, 0);
            return items();
        case kKeys:
            expectArgumentCount(args, 0, 0);
            return keys();
        case kRemove:
            expectArgumentCount(args, 1, 1);
            remove(args[0]);
            return {};
        case kRemoveAll:
            expectArgumentCount(args, 0, 0);
            removeAll();
            return {};
        default:  // Key can only be assigned
            raise(errors::kObjectDoesNotSupportProperty);
    }
}

void Dictionary::let(MemberId member, Arguments& args, const Variant& value) {
    switch (member) {
        case kItem:
            expectArgumentCount(args, 1, 1);
            findOrAdd(args[0]).item = value;
            return;
        case kKey:
            expectArgumentCount(args, 1, 1);
            renameKey(args[0], value);
            return;
        case kCompareMode:
            expectArgumentCount(args, 0, 0);
            setCompareMode(toLong(valueOf(value)));
            return;
        default:
            Object::let(member, args, value);
    }
}

void Dictionary::set(MemberId member, Arguments& args, const Variant& value) {
    if (member == kItem || member == kKey) {
        let(member, args, value);
        return;
    }
    Object::set(member, args, value);
}

std::unique_ptr<Enumerator> Dictionary::enumerate() {
    std::vector<Variant> snapshot;
    snapshot.reserve(entries_.size());
    for (const auto& entry : entries_)
        snapshot.push_back(entry.key);
    return std::make_unique<SnapshotEnumerator>(std::move(snapshot));
}

DictionaryKey Dictionary::identityOf(const Variant& key) const {
    return makeDictionaryKey(key, compareMode_ != 0);
}

Dictionary::EntryList::iterator Dictionary::find(const Variant& key) {
    auto found = index_.find(identityOf(key));
    return found == index_.end() ? entries_.end() : found->second;
}

Dictionary::Entry& Dictionary::findOrAdd(const Variant& key) {
    DictionaryKey identity = identityOf(key);
    auto found = index_.find(identity);
    if (found != index_.end()) return *found->second;
    auto entry = entries_.insert(entries_.end(), Entry{key, Variant()});
    index_.emplace(std::move(identity), entry);
    return *entry;
}

void Dictionary::add(const Variant& key, const Variant& item) {
    DictionaryKey identity = identityOf(key);
    if (index_.count(identity) != 0) raise(errors::kKeyAlreadyAssociated);
    auto entry = entries_.insert(entries_.end(), Entry{key, item});
    index_.emplace(std::move(identity), entry);
}

void Dictionary::remove(const Variant& key) {
    auto found = index_.find(identityOf(key));
    if (found == index_.end()) raise(errors::kElementNotFound);
    entries_.erase(found->second);
    index_.erase(found);
}

void Dictionary::removeAll() {
    index_.clear();
    entries_.clear();
}

void Dictionary::renameKey(const Variant& oldKey, const Variant& newKey) {
    auto found = index_.find(identityOf(oldKey));
    if (found == index_.end()) raise(errors::kElementNotFound);
    DictionaryKey newIdentity = identityOf(newKey);
    if (!(newIdentity == found->first) && index_.count(newIdentity) != 0)
        raise(errors::kKeyAlreadyAssociated);
    auto entry = found->second;
    index_.erase(found);
    entry->key = newKey;
    index_.emplace(std::move(newIdentity), entry);
}

void Dictionary::setCompareMode(int32_t mode) {
    // Changing how keys compare would change which stored keys are equal, so the Windows
    // object allows it only while the dictionary is empty.
    if (mode < 0 || mode > 2 || !entries_.empty()) raise(errors::kInvalidProcedureCall);
    compareMode_ = mode;
}

Variant Dictionary::keys() const {
    std::vector<Variant> values;
    values.reserve(entries_.size());
    for (const auto& entry : entries_)
        values.push_back(entry.key);
    return makeArray(std::move(values));
}

Variant Dictionary::items() const {
    std::vector<Variant> values;
    values.reserve(entries_.size());
    for (const auto& entry : entries_)
        values.push_back(entry.item);
    return makeArray(std::move(values));
}

}  // namespace lorvane::vbs
