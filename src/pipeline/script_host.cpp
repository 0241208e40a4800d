#include "pipeline/script_host.h"

#include "platform/error_catalogue.h"
#include "platform/paths.h"

namespace lorvane {

ScriptHost::ScriptHost(EngineState& state, TableEngine& engine, Desktop& desktop, Reader reader,
                       std::shared_ptr<const CodePage> codePage, vbs::InterpreterOptions options)
    : state_(state),
      reader_(std::move(reader)),
      output_(std::make_shared<DisplayClass>(state, engine)),
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

Expected<std::u16string> ScriptHost::RunScript(const std::u16string& name) {
    // A script may run another one through a table it applies; the outer script's answer must
    // survive that, so the buffer is kept aside for the inner run.
    std::u16string outer = output_->scriptResult();
    struct Restore {
        DisplayClass& output;
        std::u16string text;
        ~Restore() { output.setScriptResult(std::move(text)); }
    } restore{*output_, std::move(outer)};
    output_->setScriptResult({});

    const std::u16string fileName = normalizeSeparators(name);
    const std::u16string text = reader_(scriptPath(name));
    if (!text.empty()) {
        if (Status added = interpreter_.AddCode(text, fileName); !added) return added.failure();
    }
    if (!interpreter_.hasProcedure(u"Main")) return failureFor(errors::kNoMainProcedure, fileName);
    if (auto ran = interpreter_.Run(u"Main"); !ran) return ran.failure();
    if (output_->scriptResult().empty()) return failureFor(errors::kNoResultSent, fileName);
    return output_->scriptResult();
}

}  // namespace lorvane
