// The WScript object of the stand-alone script runner: Echo writes a line of output, Arguments
// holds the command-line arguments, Quit ends the script with an exit status.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "scripting/host_object.h"

namespace lorvane::vbs {

class WScriptObject : public Object {
  public:
    using Output = std::function<void(const std::u16string& line)>;

    WScriptObject(std::u16string scriptPath, std::vector<std::u16string> arguments, Output echo);

    std::u16string typeName() const override { return u"Object"; }
    MemberId findMember(std::u16string_view name) const override;
    Variant get(MemberId member, Arguments& args) override;

  private:
    std::u16string scriptPath_;
    ObjectRef arguments_;
    Output echo_;
};

}  // namespace lorvane::vbs
