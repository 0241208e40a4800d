#include "engine/table_engine.h"

#include <optional>

#include "engine/leading_number.h"
#include "engine/numerals.h"
#include "engine/pair_line.h"
#include "engine/pair_replace.h"
#include "engine/pass_runner.h"
#include "platform/file_encoding.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace lorvane {
namespace {

// The argument of a directive: the text after the first space, spaces trimmed at both ends.
// A line without a space has none.
std::optional<std::u16string_view> argumentOf(std::u16string_view line) {
    const auto space = line.find(u' ');
    if (space == std::u16string_view::npos) return std::nullopt;
    return trimSpaces(line.substr(space));
}

bool startsWith(std::u16string_view text, std::u16string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

}  // namespace

TableEngine::TableEngine(EngineState& state, ScriptRunner& scripts)
    : state_(state), scripts_(&scripts), shortcutThreshold_(PassRunner::kDefaultThreshold) {}

void TableEngine::applyLines(const std::vector<std::u16string_view>& lines, int16_t Stp) {
    PassRunner runner(state_.tmpText, *state_.codePage, shortcutThreshold_);
    for (const std::u16string_view line : lines) {
        if (isPlainPairLine(line)) {
            if (auto pair = parsePair(line, *state_.codePage)) runner.add(*pair);
            continue;
        }
        if (!mayTouchText(line)) {  // a setting: the passes need not stop for it
            Rplc(line, Stp);
            continue;
        }
        runner.flush();
        const unsigned before = textVersion_;
        Rplc(line, Stp);
        if (textVersion_ != before) runner.textChanged();
    }
    runner.flush();
}

// The tests run in this order, each on its own: one line may be a directive and a pair at once.
void TableEngine::Rplc(std::u16string_view Lin, int16_t Stp) {
    // Only a line whose first non-space character is ">" can be a directive (">eol2" and
    // ">noteol2" may stand between spaces).
    const auto first = Lin.find_first_not_of(u' ');
    if (first != std::u16string_view::npos && Lin[first] == u'>') {
        handleDirectives(Lin, toLower(Lin), Stp);
    }
    if (Lin.find(u" == ") != std::u16string_view::npos) applyPair(Lin);
}

void TableEngine::handleDirectives(std::u16string_view line, std::u16string_view lower,
                                   int16_t level) {
    TableSettings& settings = state_.settings;
    const bool documentLevel = level == 0;
    const auto argument = argumentOf(line);

    if (startsWith(lower, u">charset") && argument) {
        const double number = ReadLeadingNumber(*argument);
        if (number != 0) {
            if (auto charset = toInt16(number)) settings.charset = *charset;
        }
    }
    if (documentLevel && startsWith(lower, u">fontsize") && argument) {
        if (auto size = toInt16(ReadLeadingNumber(*argument))) settings.fontSize = *size;
    }
    if (documentLevel && startsWith(lower, u">fontface") && argument) {
        settings.fontFace = std::u16string(*argument);
    }
    if (documentLevel && startsWith(lower, u">extent ")) settings.extent = *argument;
    if (startsWith(lower, u">prae ")) settings.prae = *argument;
    if (startsWith(lower, u">post ")) settings.post = *argument;
    if (startsWith(lower, u">digits")) {
        const std::u16string_view trimmed = trimSpaces(line);
        if (auto mode = toInt16(ReadLeadingNumber(trimmed.substr(trimmed.size() - 1)))) {
            ++textVersion_;
            DigitRuns(state_.tmpText, *mode, state_.Tablett);
        }
    }
    if (startsWith(lower, u">script ")) runScriptStep(line);
    if (documentLevel && startsWith(lower, u">script0")) runScriptStep(line);
    if (documentLevel && startsWith(lower, u">script1") && argument) settings.script1 = *argument;
    if (documentLevel && startsWith(lower, u">script2") && argument) settings.script2 = *argument;
    // A number that names no encoding this program can write leaves the result's encoding as
    // it was, like any other failing step.
    if (documentLevel && startsWith(lower, u">codepage") && argument) {
        const auto number = toInt32(ReadLeadingNumber(*argument));
        if (number && encodingForCodePage(*number)) settings.codepage = *number;
    }

    const std::u16string_view trimmedLower = trimSpaces(lower);
    if (trimmedLower == u">eol2") settings.eol2 = true;
    if (trimmedLower == u">noteol2") settings.eol2 = false;
    if (startsWith(lower, u">go@")) applyInclude(line.substr(3));
}

// A script step replaces the working text with the script's answer; a failing script leaves
// the text as it was before the line, whatever the script did to it on the way.
void TableEngine::runScriptStep(std::u16string_view line) {
    const auto name = argumentOf(line);
    if (!name || name->empty()) return;
    ++textVersion_;
    std::u16string before = state_.tmpText;
    auto result = scripts_->RunScript(std::u16string(*name));
    if (result)
        state_.tmpText = std::move(*result);
    else
        state_.tmpText = std::move(before);
}

bool TableEngine::applyPair(std::u16string_view line) {
    auto pair = parsePair(line, *state_.codePage);
    if (!pair) return false;
    ++textVersion_;
    replaceOccurrences(state_.tmpText, pair->search, pair->replacement);
    return true;
}

Expected<std::u16string> TableEngine::Table(std::u16string Txt, std::u16string_view Tbl) {
    ++textVersion_;
    state_.tmpText = std::move(Txt);
    const std::u16string path =
        resolveCaseInsensitive(state_.programFolder + u"/" + normalizeSeparators(Tbl));
    if (Status status = Rplc2(path); !status) return status.failure();
    return state_.tmpText;
}

Expected<std::u16string> TableEngine::Rpl3(std::u16string Arg) {
    ++textVersion_;
    state_.tmpText = std::move(Arg);
    if (Status status = Rplc2(state_.Tablett); !status) return status.failure();
    return state_.tmpText;
}

}  // namespace lorvane
