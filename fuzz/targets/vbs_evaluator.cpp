// Scripts run as the conversion runs them: through the script host, with the "Output" object
// over an engine state, a small step budget and a short time limit. Every script either sends
// a text back or fails with a catalogued error; nothing may crash, hang or leak. Objects that
// reach the file system are not creatable here, so a fuzzed script cannot touch any file.
#include <chrono>
#include <cstdint>
#include <string>

#include "engine/engine_state.h"
#include "engine/table_engine.h"
#include "fuzz_support.h"
#include "platform/code_page.h"
#include "platform/error_catalogue.h"
#include "pipeline/script_host.h"

namespace {

using namespace lorvane;

class QuietDesktop : public Desktop {
  public:
    void beep() override {}
    int showMessage(const MessageRequest&) override { return kAnswerOk; }
    std::u16string inputBox(const std::u16string&, const std::u16string&,
                            const std::u16string& proposed) override {
        return proposed;
    }
    std::u16string chooseFile(const std::u16string&, const std::u16string&,
                              const std::u16string&) override {
        return {};
    }
    std::u16string clipboardText() override { return u"clip"; }
    void setBusy(bool) override {}
    void openWithShell(const std::u16string&) override {}
    bool startProcess(const std::vector<std::u16string>&) override { return false; }
};

constexpr std::uint64_t kStepBudget = 20000;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto page = *CodePage::forNumber(1251);
    const std::u16string script = page->decode(fuzz::bytesOf(data, size));

    EngineState state;
    state.tmpText = u"ch. 12, v. 3 and more\r\n";
    state.Tablett = u"/nonexistent/@hip/t.txt";
    state.modeName = u"hip";
    state.programFolder = u"/nonexistent";
    state.codePage = page;
    TableEngine engine(state);
    QuietDesktop desktop;
    vbs::InterpreterOptions options;
    options.stepLimit = kStepBudget;
    options.timeLimit = std::chrono::milliseconds(2000);
    ScriptHost host(
        state, engine, desktop, [&script](const std::u16string&) { return script; }, page, options);
    host.interpreter().objects().add(u"Scripting.FileSystemObject",
                                     [](const vbs::HostContext&) { return vbs::ObjectRef(); });

    auto result = host.RunScript(u"fuzz.vbs", state.tmpText);
    if (!result) {
        // A script may raise any number of its own (Err.Raise); the host's own are catalogued.
        FUZZ_CHECK(result.failure().number != 0);
        FUZZ_CHECK(!result.failure().description.empty());
    } else {
        FUZZ_CHECK(!result->empty());
    }
    return 0;
}
