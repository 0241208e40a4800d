// What the table engine needs of the script host: run a named user script on a text and hand
// back the text it sent, or the failure that stopped it. The engine is given a runner with every
// call that may reach a script; it keeps none.
#pragma once

#include <string>

#include "platform/failure.h"

namespace lorvane {

class ScriptRunner {
  public:
    virtual ~ScriptRunner() = default;
    // `text` is the text the script works on, the caller's working text: the script reads it
    // (Output.X), and a table the script applies replaces it, as tables replace the working text.
    virtual Expected<std::u16string> RunScript(const std::u16string& name,
                                               std::u16string& text) = 0;
};

}  // namespace lorvane
