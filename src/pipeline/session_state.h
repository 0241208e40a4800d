// The state a conversion session owns, shared by the per-file conversion and the run over the
// sources. Internal to the pipeline.
#pragma once

#include <memory>
#include <new>
#include <optional>
#include <stdexcept>

#include "engine/engine_state.h"
#include "engine/script_runner.h"
#include "engine/table_engine.h"
#include "pipeline/conversion_session.h"
#include "pipeline/result_encoding.h"
#include "pipeline/script_step.h"
#include "pipeline/user_format.h"
#include "platform/error_catalogue.h"
#include "pipeline/script_host.h"

namespace lorvane {

// Runs a conversion step; when memory runs out (or a text would outgrow the longest string)
// the step fails naming `source`, like any other failure of the run, instead of ending the
// program.
template <class Convert>
auto failingOnExhaustion(const std::u16string& source, Convert convert) -> decltype(convert()) {
    try {
        return convert();
    } catch (const std::bad_alloc&) {
        return failureFor(errors::kOutOfMemory, source);
    } catch (const std::length_error&) {
        return failureFor(errors::kOutOfStringSpace, source);
    }
}

// The desktop of a session created without one: no messages, no clipboard, nothing opened.
class SilentDesktop : public Desktop {
  public:
    void beep() override {}
    int showMessage(const MessageRequest&) override { return kAnswerOk; }
    std::u16string inputBox(const std::u16string&, const std::u16string&,
                            const std::u16string&) override {
        return {};
    }
    std::u16string chooseFile(const std::u16string&, const std::u16string&,
                              const std::u16string&) override {
        return {};
    }
    std::u16string clipboardText() override { return {}; }
    void setBusy(bool) override {}
    void openWithShell(const std::u16string&) override {}
    bool startProcess(const std::vector<std::u16string>&) override { return false; }
};

// Passes every script run on to the session's runner and counts them: a run whose first source
// ran no script may convert the others on several threads.
class CountingScriptRunner : public ScriptRunner {
  public:
    Expected<std::u16string> RunScript(const std::u16string& name, std::u16string& text) override {
        ++runs;
        return target->RunScript(name, text);
    }
    ScriptRunner* target = nullptr;
    unsigned runs = 0;
};

struct ConversionSession::State {
    State(SessionConfig sessionConfig, std::shared_ptr<const CodePage> documentPage,
          std::shared_ptr<const CodePage> tablePage);

    Desktop& desktop() { return config.desktop != nullptr ? *config.desktop : silent; }
    const CodePage& tablePage() const { return *engine.codePage; }
    // How a document read without a mark from somewhere other than a file is taken.
    FileEncoding documentEncoding() const { return FileEncoding{ByteOrderMark::None, documents}; }
    // Runs a script on a text as the working text and hands back the script's result.
    ScriptStep scriptStep();
    // True when the converted text, still in bytes, is already the result file's content: a
    // plain text without a script, written in the page of its bytes without a mark.
    bool resultStaysInBytes(const DocumentText& text) const;

    SessionConfig config;
    std::shared_ptr<const CodePage> documents;
    // The encoding of the document last converted, as it is to be written.
    ResultEncoding result;
    // The result file's whole content (it has no mark), final CR LF included, when the
    // document was converted without ever being widened (see resultStaysInBytes); the working
    // text is empty then.
    std::optional<std::string> resultBytes;
    bool sourceLooksUtf8 = false;  // the source last read
    SilentDesktop silent;
    EngineState engine;
    TableEngine tables;
    // The one script host of the session's life: scripts added to it stay there, and "Output"
    // stays bound to the one script object.
    std::unique_ptr<ScriptHost> host;
    ScriptRunner* scripts = nullptr;
    CountingScriptRunner counted;  // what the session gives the engine and the output steps
    SelectionModel selection;
    FileLister mainLister;    // the main window's file lister (format folder)
    FileLister folderLister;  // a run's lister when the caller brings none
    UserFormats formats;
    bool clipboard = false;
    std::u16string keptBackup;  // the user's file the last result replaced, kept under this name
    bool resultTookFreeName = false;  // the last result took a name nothing stood under
};

}  // namespace lorvane
