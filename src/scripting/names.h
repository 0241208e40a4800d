// Interned names: every identifier of every script, folded to lower case, gets a small number,
// so lookups compare integers and the letter case a script uses never matters.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "scripting/ast.h"

namespace lorvane::vbs {

class NameTable {
  public:
    NameId intern(std::u16string_view name);
    // The id of a name already interned, or -1.
    NameId find(std::u16string_view name) const;
    const std::u16string& folded(NameId id) const { return names_[static_cast<std::size_t>(id)]; }
    std::size_t size() const { return names_.size(); }

  private:
    std::unordered_map<std::u16string, NameId> ids_;
    std::vector<std::u16string> names_;
};

}  // namespace lorvane::vbs
