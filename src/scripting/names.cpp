#include "scripting/names.h"

#include "platform/text.h"

namespace lorvane::vbs {

NameId NameTable::intern(std::u16string_view name) {
    std::u16string folded = toLower(name);
    auto found = ids_.find(folded);
    if (found != ids_.end()) return found->second;
    const auto id = static_cast<NameId>(names_.size());
    names_.push_back(folded);
    ids_.emplace(std::move(folded), id);
    return id;
}

NameId NameTable::find(std::u16string_view name) const {
    auto found = ids_.find(toLower(name));
    return found == ids_.end() ? -1 : found->second;
}

}  // namespace lorvane::vbs
