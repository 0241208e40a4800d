// The Err object: the number, description and source of the last run-time error caught under
// On Error Resume Next, with Clear and Raise.
#pragma once

#include <string>

#include "scripting/host_object.h"
#include "scripting/script_error.h"

namespace lorvane::vbs {

inline constexpr char16_t kRuntimeErrorSource[] = u"Microsoft VBScript runtime error";

class ErrObject : public Object {
  public:
    void clear();
    void record(const ScriptError& error);
    int number() const { return number_; }

    std::u16string typeName() const override { return u"ErrObject"; }
    MemberId findMember(std::u16string_view name) const override;
    MemberId defaultMember() const override { return 0; }
    Variant get(MemberId member, Arguments& args) override;
    void let(MemberId member, Arguments& args, const Variant& value) override;

  private:
    int number_ = 0;
    std::u16string description_;
    std::u16string source_;
    std::u16string helpFile_;
    int helpContext_ = 0;
};

}  // namespace lorvane::vbs
