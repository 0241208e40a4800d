#include "engine/script_runner.h"

#include "platform/error_catalogue.h"

namespace lorvane {

Expected<std::u16string> NoScriptRunner::RunScript(const std::u16string& name) {
    return failureFor(errors::kNoScriptHost, name);
}

}  // namespace lorvane
