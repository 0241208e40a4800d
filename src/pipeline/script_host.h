// The program's script host: runs a user script from the program folder's "Scripts" folder on
// a text, with the one "Output" object registered for the host's whole life, and hands back the
// text the script sent. The tables a script applies run their own scripts on this host.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "engine/engine_state.h"
#include "engine/script_runner.h"
#include "engine/table_engine.h"
#include "platform/code_page.h"
#include "platform/desktop.h"
#include "pipeline/display_class.h"
#include "scripting/interpreter.h"

namespace lorvane {

class ScriptHost : public ScriptRunner {
  public:
    // Reads a whole script file (the empty text when it cannot be read).
    using Reader = std::function<std::u16string(const std::u16string& path)>;

    ScriptHost(EngineState& state, TableEngine& engine, Desktop& desktop, Reader reader,
               std::shared_ptr<const CodePage> codePage, vbs::InterpreterOptions options = {});

    // Adds the script's code (an empty or unreadable file adds none) and runs its Main. Fails
    // with the script's compile or run-time error, when there is no Main, or when Main returns
    // without having sent a non-empty text.
    Expected<std::u16string> RunScript(const std::u16string& name, std::u16string& text) override;

    // The path RunScript reads for a script name.
    std::u16string scriptPath(const std::u16string& name) const;
    static std::u16string scriptPathIn(const std::u16string& programFolder,
                                       const std::u16string& name);

    vbs::Interpreter& interpreter() { return interpreter_; }
    DisplayClass& output() { return *output_; }

  private:
    EngineState& state_;
    Reader reader_;
    std::shared_ptr<DisplayClass> output_;
    vbs::Interpreter interpreter_;
};

}  // namespace lorvane
