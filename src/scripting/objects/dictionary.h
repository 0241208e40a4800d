// "Scripting.Dictionary": items stored under unique keys, kept in the order they were added,
// with the members, default member (Item) and errors of the Windows object. For Each walks
// the keys.
#pragma once

#include <list>
#include <memory>
#include <string>
#include <unordered_map>

#include "scripting/host_object.h"
#include "scripting/objects/dictionary_key.h"

namespace lorvane::vbs {

class Dictionary : public Object {
  public:
    std::u16string typeName() const override { return u"Dictionary"; }
    MemberId findMember(std::u16string_view name) const override;
    MemberId defaultMember() const override;
    Variant get(MemberId member, Arguments& args) override;
    void let(MemberId member, Arguments& args, const Variant& value) override;
    void set(MemberId member, Arguments& args, const Variant& value) override;
    std::unique_ptr<Enumerator> enumerate() override;

  private:
    struct Entry {
        Variant key;
        Variant item;
    };
    using EntryList = std::list<Entry>;

    DictionaryKey identityOf(const Variant& key) const;
    EntryList::iterator find(const Variant& key);
    // The entry of `key`, added with an Empty item when there is none.
    Entry& findOrAdd(const Variant& key);
    void add(const Variant& key, const Variant& item);
    void remove(const Variant& key);
    void removeAll();
    void renameKey(const Variant& oldKey, const Variant& newKey);
    void setCompareMode(int32_t mode);
    Variant keys() const;
    Variant items() const;

    EntryList entries_;
    std::unordered_map<DictionaryKey, EntryList::iterator, DictionaryKeyHash> index_;
    int32_t compareMode_ = 0;  // 0 binary, 1 text, 2 database (compared as text)
};

}  // namespace lorvane::vbs
