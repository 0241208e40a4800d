// The RegExp object (`New RegExp`, CreateObject("VBScript.RegExp")): Pattern, Global,
// IgnoreCase and MultiLine, with Test, Execute and Replace as the Windows object has them. The
// pattern is compiled when it is first used, so an invalid one fails there, not when assigned.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "scripting/host_object.h"
#include "scripting/objects/regexp_search.h"

namespace lorvane::vbs {

class RegExp : public Object {
  public:
    explicit RegExp(int32_t matchStepLimit = kDefaultMatchStepLimit);
    ~RegExp() override;

    std::u16string typeName() const override { return u"IRegExp2"; }
    MemberId findMember(std::u16string_view name) const override;
    Variant get(MemberId member, Arguments& args) override;
    void let(MemberId member, Arguments& args, const Variant& value) override;

  private:
    const CompiledPattern& compiled();
    std::vector<MatchSpan> find(const std::u16string& text, bool global);
    std::u16string replace(const std::u16string& text, const std::u16string& replacement);

    std::u16string pattern_;
    bool global_ = false;
    bool ignoreCase_ = false;
    bool multiLine_ = false;
    int32_t matchStepLimit_;
    std::unique_ptr<CompiledPattern> compiled_;  // null until used, and after every change
};

// The replacement text for one match: $& the match, $` the text before it, $' the text after
// it, $1..$99 a group (Empty groups give ""), $$ a "$"; any other "$" stands for itself.
std::u16string expandReplacement(std::u16string_view replacement, const std::u16string& text,
                                 const MatchSpan& match);

}  // namespace lorvane::vbs
