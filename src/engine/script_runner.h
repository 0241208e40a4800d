// What the table engine needs of the script host: run a named user script on the working text
// and hand back the text it sent, or the failure that stopped it.
#pragma once

#include <string>

#include "platform/failure.h"

namespace lorvane {

class ScriptRunner {
  public:
    virtual ~ScriptRunner() = default;
    virtual Expected<std::u16string> RunScript(const std::u16string& name) = 0;
};

// The runner of a program without a script host: every script fails, so script steps are
// skipped and document scripts end the run, as a failing script does.
class NoScriptRunner : public ScriptRunner {
  public:
    Expected<std::u16string> RunScript(const std::u16string& name) override;
};

}  // namespace lorvane
