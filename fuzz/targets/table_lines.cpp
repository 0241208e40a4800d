// The line handler over a text: the same table lines given one by one to Rplc and given
// together to applyLines (with and without the pass shortcuts) must leave the same working text
// and the same settings. The input is the table's lines, a NUL, then the text; an input that
// begins with the UTF-8 byte-order mark is read as UTF-8 (code page 65001) instead of 1251.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/table_engine.h"
#include "fuzz_support.h"
#include "platform/code_page.h"
#include "platform/error_catalogue.h"
#include "platform/text.h"

namespace {

using namespace lorvane;

// A script host stand-in that answers from the working text, so every way of applying the
// lines sees the same answers. Scripts whose name begins with "x" fail.
constexpr std::size_t kScriptAnswer = 256;

class EchoScripts : public ScriptRunner {
  public:
    Expected<std::u16string> RunScript(const std::u16string& name, std::u16string& text) override {
        if (name.starts_with(u"x") || name.size() > 64) {
            return failureFor(errors::kFileNotFound, name);
        }
        // U+4E2D has no code in a single-byte page: the byte passes must then step aside.
        return u"\u4E2D" + name + text.substr(0, kScriptAnswer - 1 - name.size());
    }
};

struct Outcome {
    std::u16string text;
    TableSettings settings;
};

enum class Way { kOneByOne, kTogether, kTogetherWithShortcuts };

// Nothing when the plain way lets the text grow past what the fuzzer can hold.
std::optional<Outcome> apply(const std::vector<std::u16string_view>& lines,
                             const std::u16string& text, int16_t level,
                             const std::shared_ptr<const CodePage>& page, Way way) {
    EngineState state;
    state.tmpText = text;
    state.Tablett = u"/nonexistent/@mode/table.txt";
    state.modeName = u"mode";
    state.programFolder = u"/nonexistent";
    state.codePage = page;
    EchoScripts scripts;
    TableEngine engine(state);
    if (way == Way::kOneByOne) {
        for (const std::u16string_view line : lines) {
            if (fuzz::lineBound(line, state.tmpText, kScriptAnswer) > fuzz::kMaxGrownText) {
                return std::nullopt;
            }
            engine.Rplc(line, level, scripts);
        }
    } else {
        if (way == Way::kTogetherWithShortcuts) engine.setShortcutThreshold(0);
        engine.applyLines(lines, level, scripts);
    }
    return Outcome{std::move(state.tmpText), std::move(state.settings)};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace lorvane;
    std::string_view input = fuzz::bytesOf(data, size);
    int pageNumber = 1251;
    if (input.starts_with("\xEF\xBB\xBF")) {
        input.remove_prefix(3);
        pageNumber = CodePage::kUtf8;
    }
    const auto page = *CodePage::forNumber(pageNumber);
    const auto parts = fuzz::sections(input, 2);
    const std::u16string table = page->decode(parts[0]);
    const std::u16string text = page->decode(parts[1]);
    const auto lines = fuzz::tableLines(table);
    const int16_t level = static_cast<int16_t>(static_cast<int>(size % 3) - 1);

    const auto plain = apply(lines, text, level, page, Way::kOneByOne);
    if (!plain) return 0;
    const auto together = apply(lines, text, level, page, Way::kTogether);
    const auto shortcuts = apply(lines, text, level, page, Way::kTogetherWithShortcuts);
    FUZZ_CHECK(together->text == plain->text);
    FUZZ_CHECK(shortcuts->text == plain->text);
    FUZZ_CHECK(together->settings == plain->settings);
    FUZZ_CHECK(shortcuts->settings == plain->settings);
    return 0;
}
