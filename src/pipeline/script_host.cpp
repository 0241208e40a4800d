#include "pipeline/script_host.h"

#include "platform/error_catalogue.h"
#include "platform/paths.h"

namespace lorvane {

ScriptHost::ScriptHost(EngineState& state, TableEngine& engine, Desktop& desktop, Reader reader,
                       std::shared_ptr<const CodePage> codePage, vbs::InterpreterOptions options)
    : state_(state),
      reader_(std::move(reader)),
      output_(std::make_shared<DisplayClass>(state, engine, *this)),
      interpreter_(vbs::HostContext{std::move(codePage), &desktop}, options) {
    interpreter_.AddObject(u"Output", output_, true);
}

std::u16string ScriptHost::scriptPathIn(const std::u16string& programFolder,
                                        const std::u16string& name) {
    return resolveCaseInsensitive(programFolder + u"/Scripts/" + normalizeSeparators(name));
}

std::u16string ScriptHost::scriptPath(const std::u16string& name) const {
    return scriptPathIn(state_.programFolder, name);
}

Expected<std::u16string> ScriptHost::RunScript(const std::u16string& name, std::u16string& text) {
    // Each run has its own answer: a script run by a table this one applies answers apart.
    DisplayClass::Call call{text, {}};
    const DisplayClass::CallScope current(*output_, call);

    const std::u16string fileName = normalizeSeparators(name);
    const std::u16string code = reader_(scriptPath(name));
    if (!code.empty()) {
        if (Status added = interpreter_.AddCode(code, fileName); !added) return added.failure();
    }
    if (!interpreter_.hasProcedure(u"Main")) return failureFor(errors::kNoMainProcedure, fileName);
    if (auto ran = interpreter_.Run(u"Main"); !ran) return ran.failure();
    if (call.sent.empty()) return failureFor(errors::kNoResultSent, fileName);
    return std::move(call.sent);
}

}  // namespace lorvane
