// Whole-table application with includes: a scratch program folder holds the mode folder "@m"
// with the table "t.txt" and include files, all built from the input, and one document is
// converted through the conversion session. Scripts are played by a stand-in that applies
// tables again (Rpl3, Table), so re-entry and recursion are reached too.
//
// The document is also converted as a file, which reads it as its bytes where it can and may
// keep it so to the result, and as a stream, which always reads characters: each in a session of
// its own, with scripts of their own; both must give the same bytes.
//
// Input: the table, NUL, the document text, then up to six include files, each after a NUL:
// its name on the first line ("@x.txt", or "@folder/@x.txt" for one in another folder of the
// program folder), its content after that.
#include <cmath>
#include <cstdint>
#include <string>

#include "engine/engine_state.h"
#include "engine/leading_number.h"
#include "engine/table_engine.h"
#include "fuzz_support.h"
#include "pipeline/conversion_session.h"
#include "platform/error_catalogue.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "platform/text_file_reader.h"

namespace {

using namespace lorvane;

constexpr std::size_t kIncludes = 6;

// Script runs per input: a real script is stopped at its time limit, this one at a count.
constexpr int kScriptRuns = 16;

// "rpl3..." applies the current table to the working text; "table NAME" applies the table
// NAME (relative to the program folder); names beginning with "x" fail; any other script sends
// back the working text with its name in front.
class ReentrantScripts : public ScriptRunner {
  public:
    explicit ReentrantScripts(ConversionSession& session) : session_(session) {}
    Expected<std::u16string> RunScript(const std::u16string& name, std::u16string& text) override {
        if (name.starts_with(u"x") || ++runs_ > kScriptRuns) {
            return failureFor(errors::kFileNotFound, name);
        }
        if (name.starts_with(u"rpl3")) return session_.tableEngine().Rpl3(text, *this);
        if (name.starts_with(u"table ")) {
            return session_.tableEngine().Table(text, std::u16string_view(name).substr(6), *this);
        }
        return name + text.substr(0, 256);
    }

  private:
    ConversionSession& session_;
    int runs_ = 0;
};

// Where an include's file goes: "@m/NAME", or "FOLDER/NAME" for a name with one folder part.
std::u16string includePath(std::string_view header, int index) {
    const std::u16string fallback = u"@" + decimal(index) + u".txt";
    std::u16string name = normalizeSeparators(fuzz::decode1251(header));
    const std::size_t slash = name.find(kPathSeparator);
    if (slash == std::u16string::npos) return u"@m/" + fuzz::safeFileName(name, fallback);
    const std::u16string folder = fuzz::safeFileName(name.substr(0, slash), u"@m");
    return folder + u"/" + fuzz::safeFileName(name.substr(slash + 1), fallback);
}

// True when the tables might multiply the document past fuzz::kMaxGrownText: the growth the
// pairs and numerals of every file allow, counted once for every line that may apply a table
// again (includes, scripts).
bool mayGrowTooFar(const std::vector<std::string_view>& parts) {
    double bits = 0;  // log2 of the growth one application of every file allows
    int reapplications = 1;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i == 1) continue;  // the document
        const std::u16string text = fuzz::decode1251(parts[i]);
        for (const std::u16string_view line : fuzz::tableLines(text)) {
            const std::u16string lower = toLower(line);
            if (lower.find(u"go@") != std::u16string::npos) ++reapplications;
            if (lower.find(u"script") != std::u16string::npos) ++reapplications;
            if (lower.find(u"digits") != std::u16string::npos)
                bits += lower.ends_with(u"3") ? 18 : 5;
            const std::size_t separator = line.find(u" == ");
            if (separator == std::u16string_view::npos) continue;
            const bool numeric = ReadLeadingNumber(line.substr(0, separator)) != 0;
            const double search = numeric ? 1.0 : static_cast<double>(separator);
            const double replacement = static_cast<double>(line.size() - separator - 4);
            if (search > 0 && replacement > search) bits += std::log2(replacement / search);
        }
    }
    const double document = std::log2(1.0 + static_cast<double>(parts[1].size()));
    return bits * reapplications + document > std::log2(static_cast<double>(fuzz::kMaxGrownText));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto parts = fuzz::sections(fuzz::bytesOf(data, size), 2 + kIncludes);
    if (mayGrowTooFar(parts)) return 0;
    const fuzz::ScratchFolder& folder = fuzz::ScratchFolder::instance();
    folder.clear();
    folder.write(u"@m/t.txt", parts[0]);
    for (std::size_t i = 0; i < kIncludes; ++i) {
        const std::string_view include = parts[2 + i];
        if (include.empty()) continue;
        const std::size_t newline = include.find('\n');
        const std::string_view header = include.substr(0, newline);
        const std::string_view body =
            newline == std::string_view::npos ? std::string_view{} : include.substr(newline + 1);
        folder.write(includePath(header, static_cast<int>(i)), body);
    }

    const std::u16string document = folder.u16path() + u"/doc.txt";
    folder.write(u"doc.txt", parts[1]);

    struct Conversion {
        ConversionSession session;
        ReentrantScripts scripts{session};
        explicit Conversion(const fuzz::ScratchFolder& folder)
            : session(SessionConfig{folder.u16path(), 1251, folder.u16path(), nullptr}) {
            session.setScriptRunner(scripts);
            SelectionModel& selection = session.selection();
            FUZZ_CHECK(selection.buildModeList() >= 1);
            selection.selectMode(selection.findMode(u"m"));
            selection.selectTable(selection.findTable(u"t"));
            FUZZ_CHECK(selection.selectedTable() >= 0);
        }
    };
    {
        Conversion text(folder);
        auto converted = text.session.ConvertText(fuzz::decode1251(parts[1]));
        (void)converted;  // a failing document script is an ordinary outcome
    }
    Conversion stream(folder);
    auto streamed = stream.session.RewriteStream(parts[1]);
    Conversion file(folder);
    auto written = file.session.ConvertFile(document);
    if (!streamed.ok()) {
        FUZZ_CHECK(!written.ok());
    } else if (!written.ok()) {
        // Only a file has a result to write, under a name the extension may spoil (too long, a
        // separator in it): the failure names the result, never the document.
        FUZZ_CHECK(!written.failure().file.empty() && written.failure().file != document);
    } else if (parts[1].size() < kLineByLineSize) {
        // (A large file read line by line gets an end on its last line; a stream does not.)
        FUZZ_CHECK(fuzz::readFile(toFsPath(*written)) == *streamed);
    }
    return 0;
}
