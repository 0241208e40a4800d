#include "pipeline/conversion_session.h"

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <utility>

#include "engine/table_reader.h"
#include "pipeline/document_rendering.h"
#include "pipeline/output_naming.h"
#include "pipeline/output_writer.h"
#include "pipeline/paragraph_joining.h"
#include "pipeline/program_paths.h"
#include "pipeline/segmenting.h"
#include "pipeline/session_state.h"
#include "pipeline/table_application.h"
#include "platform/error_catalogue.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "platform/text_file_reader.h"

namespace lorvane {
namespace {

std::shared_ptr<const CodePage> pageOrThrow(int number) {
    auto page = CodePage::forNumber(number);
    if (!page) throw std::invalid_argument(toUtf8(page.failure().description));
    return *page;
}

// Source modes whose name begins with "hip" separate paragraphs by an empty line.
bool modeJoinsParagraphs(std::u16string_view mode) {
    return startsWithIgnoringCase(mode, u"hip");
}

Status checkSelection(const SelectionModel& selection) {
    if (selection.selectedMode() < 0) return failureFor(errors::kNoModeSelected);
    if (!selection.SchemeMode() && selection.selectedTable() < 0) {
        return failureFor(errors::kNoTableSelected, selection.tableFolder());
    }
    if (selection.hasOpenEntries()) {
        return failureFor(errors::kSchemeEntriesOpen, selection.schemeFilePath());
    }
    return {};
}

}  // namespace

// Tables, schemes, templates and scripts are the program folder's files, read in its page;
// the script host works in that page too, so a script's Chr and Asc agree with the tables.
ConversionSession::State::State(SessionConfig sessionConfig,
                                std::shared_ptr<const CodePage> documentPage,
                                std::shared_ptr<const CodePage> page)
    : config(std::move(sessionConfig)),
      documents(std::move(documentPage)),
      tables(engine),
      selection(config.programFolder, page, config.desktop),
      formats(config.programFolder, page, mainLister) {
    engine.programFolder = config.programFolder;
    engine.codePage = page;
    result.encoding = documentEncoding();
    auto readScript = [this](const std::u16string& path) {
        return ReadTextFile(path, tablePage(), &desktop());
    };
    host = std::make_unique<ScriptHost>(engine, tables, desktop(), readScript, std::move(page));
    scripts = host.get();
    counted.target = scripts;
}

ScriptStep ConversionSession::State::scriptStep() {
    return [this](const std::u16string& name, std::u16string text) {
        engine.tmpText = std::move(text);
        return counted.RunScript(name, engine.tmpText);
    };
}

ConversionSession::ConversionSession(SessionConfig config) {
    config.programFolder = withoutTrailingSeparator(config.programFolder);
    auto documentPage = pageOrThrow(config.codePage);
    auto tablePage = pageOrThrow(config.tableCodePage);
    state_ =
        std::make_unique<State>(std::move(config), std::move(documentPage), std::move(tablePage));
}

ConversionSession::~ConversionSession() = default;

SelectionModel& ConversionSession::selection() {
    return state_->selection;
}
const TableSettings& ConversionSession::settings() const {
    return state_->engine.settings;
}
EngineState& ConversionSession::engineState() {
    return state_->engine;
}
TableEngine& ConversionSession::tableEngine() {
    return state_->tables;
}
const std::u16string& ConversionSession::templateEol() const {
    return state_->formats.templateEol();
}

void ConversionSession::setClipboardSource(bool clipboard) {
    state_->clipboard = clipboard;
}
bool ConversionSession::clipboardSource() const {
    return state_->clipboard;
}

void ConversionSession::setScriptRunner(ScriptRunner& runner) {
    state_->scripts = &runner;
    state_->counted.target = &runner;
}

Expected<std::u16string> ConversionSession::ConvertText(std::u16string text) {
    return failingOnExhaustion({}, [&]() -> Expected<std::u16string> {
        const FileEncoding source = state_->documentEncoding();
        if (Status converted =
                convertIntoWorkingText(DocumentText::ofUnits(std::move(text)), source);
            !converted) {
            return converted.failure();
        }
        return state_->engine.tmpText;
    });
}

std::string ConversionSession::takeEncodedResult() {
    State& s = *state_;
    // A result never widened has no mark (see resultStaysInBytes): its bytes are all of it.
    if (s.resultBytes) return *std::exchange(s.resultBytes, std::nullopt);
    std::string bytes(s.result.mark());
    const std::u16string& text = s.engine.tmpText;
    bytes.reserve(bytes.size() + text.size() + 2);  // one allocation for a single-byte page
    s.result.encode(text, bytes);
    s.result.encode(u"\r\n", bytes);
    return bytes;
}

bool ConversionSession::State::resultStaysInBytes(const DocumentText& text) const {
    const TableSettings& settings = engine.settings;
    const FileEncoding& encoding = result.encoding;
    return text.inBytes && settings.extent == u".txt" && settings.script1.empty() &&
           encoding.mark == ByteOrderMark::None && encoding.page &&
           encoding.page->number() == tablePage().number();
}

// Whole texts are moved from step to step, never copied: a large document then needs little
// more memory than its working text. A text that comes in bytes stays in bytes as long as
// every step leaves it so, and then goes out as the result's bytes.
Status ConversionSession::convertIntoWorkingText(DocumentText text, const FileEncoding& source) {
    State& s = *state_;
    s.resultBytes.reset();
    const SelectionModel& selection = s.selection;
    if (Status ready = checkSelection(selection); !ready) return ready;
    EngineState& engine = s.engine;
    const CodePage& page = s.tablePage();
    TableSettings& settings = engine.settings;
    settings.codepage = 0;  // each document's table names its result's page anew
    engine.modeName = selection.modeText();
    if (modeJoinsParagraphs(engine.modeName)) settings.eol2 = true;

    std::vector<DocumentText> segments;
    if (selection.SchemeMode()) {
        for (std::u16string& cut : cutSegments(std::move(text.unitsIn(page)), selection.entries()))
            segments.push_back(DocumentText::ofUnits(std::move(cut)));
        if (segments.size() > kMaxSegments) return failureFor(errors::kTooManySegments);
    } else {
        segments.push_back(std::move(text));
    }

    const std::u16string& program = s.config.programFolder;
    DocumentText result;
    for (std::size_t k = 0; k < segments.size(); ++k) {
        std::size_t markerLength = 0;
        std::optional<FileStamp> stamp;
        if (!selection.SchemeMode()) {
            // The usual case, a table file under its name as written, takes one look at it.
            engine.Tablett = writtenTableFilePath(program, engine.modeName, selection.tableText());
            stamp = s.tables.stampOf(engine.Tablett);
            if (!stamp) {
                engine.Tablett = tableFilePath(program, engine.modeName, selection.tableText());
                stamp = s.tables.stampOf(engine.Tablett);
            }
        } else {
            const SegmentEntry chosen = chooseSegmentEntry(segments[k].units, selection.entries());
            markerLength = chosen.markerLength;
            engine.Tablett = chosen.entry != nullptr ? programRelative(program, chosen.entry->Path)
                                                     : program + u"/";
            stamp = s.tables.stampOf(engine.Tablett);
        }
        const auto table = s.tables.topLevelTable(engine.Tablett, stamp, &s.desktop());
        DocumentText segment = std::move(segments[k]);
        if (markerLength > 0) segment.units.erase(0, markerLength);  // scheme segments: units
        settings.prae.clear();
        settings.post.clear();
        segment =
            s.tables.applyTable(*table, std::move(segment), static_cast<int16_t>(k), s.counted);

        completeExtension(settings.extent, selection.tableText());
        if (settings.fontFace.empty()) {
            if (auto face = faceFromTableName(selection.tableText())) settings.fontFace = *face;
        }
        if (settings.eol2 && !(segment.inBytes && joinParagraphs(segment.bytes, page))) {
            joinParagraphs(segment.unitsIn(page));
        }
        std::string prae, post;
        if (segment.inBytes && page.tryEncode(settings.prae, prae) &&
            page.tryEncode(settings.post, post)) {
            segment.bytes.insert(0, prae);
            segment.bytes += post;
        } else {
            std::u16string& units = segment.unitsIn(page);
            units.insert(0, settings.prae);
            units += settings.post;
        }
        if (k == 0) {
            result = std::move(segment);
        } else {
            result.unitsIn(page) += segment.unitsIn(page);
        }
    }

    s.result = resultEncodingFor(source, settings.codepage, settings.extent);
    if (s.resultStaysInBytes(result)) {
        // Nothing reads the characters: the bytes are the result's, in the page it is written in.
        s.resultBytes = std::move(result.bytes);
        s.result.encode(u"\r\n", *s.resultBytes);
        std::u16string().swap(engine.tmpText);
        return {};
    }
    auto document = renderDocument(std::move(result.unitsIn(page)), settings, s.formats,
                                   s.scriptStep(), unicodeCharsetOf(s.result.encoding));
    if (!document) return document.failure();
    engine.tmpText = std::move(*document);
    return {};
}

Expected<std::u16string> ConversionSession::ConvertFile(const std::u16string& path) {
    return failingOnExhaustion(path, [&] { return convertFileUnguarded(path); });
}

Expected<std::u16string> ConversionSession::convertToTarget(const std::u16string& path,
                                                            std::optional<SourceReadAhead> ahead) {
    State& s = *state_;
    std::u16string source = path;
    DocumentText text;
    FileEncoding encoding = s.documentEncoding();
    if (s.clipboard) {
        text = DocumentText::ofUnits(s.desktop().clipboardText());
        source = clipboardSourcePath(s.config.documentsFolder);
    } else {
        // A source that no longer exists (removed since it was listed or picked) fails here
        // rather than giving an empty result written over an older result of that name.
        // The bytes themselves serve a table in the documents' own page: one segment, no trace.
        const bool bytesWelcome = !s.selection.SchemeMode() && !s.tables.tracing() &&
                                  s.documents->number() == s.tablePage().number();
        auto read =
            ReadSource(path, *s.documents, &s.desktop(), &encoding, bytesWelcome, std::move(ahead));
        if (!read) return read.failure();
        text = std::move(*read);
    }
    s.sourceLooksUtf8 = encoding.looksLikeUtf8;
    if (Status converted = convertIntoWorkingText(std::move(text), encoding); !converted) {
        return converted.failure();
    }
    std::u16string target = outputPath(source, s.engine.settings.extent);
    if (!s.config.outputFolder.empty()) {
        target = withoutTrailingSeparator(s.config.outputFolder) + u"/" + fileNamePart(target);
    }
    // The extension comes from a table: with a separator in it ("\" too, the separator of
    // the tables' home system) the result would land in another folder than its source.
    if (s.engine.settings.extent.find_first_of(u"/\\") != std::u16string::npos) {
        return failureFor(errors::kBadFileNameOrNumber, target);
    }
    return target;
}

Expected<std::u16string> ConversionSession::convertFileUnguarded(const std::u16string& path) {
    State& s = *state_;
    s.keptBackup.clear();
    s.resultTookFreeName = false;
    auto converted = convertToTarget(path);
    if (!converted) return converted.failure();
    const std::u16string& target = *converted;
    // Encoded a piece at a time, so a large result never stands in memory in both forms.
    constexpr std::size_t kPiece = 1 << 20;
    const std::u16string_view document = s.engine.tmpText;
    std::size_t next = 0;
    std::string piece(s.result.mark());
    ContentPieces pieces = [&]() -> std::string_view {
        if (next > document.size()) return {};
        std::size_t length = std::min(kPiece, document.size() - next);
        // A piece never ends between the two halves of a surrogate pair.
        if (next + length < document.size() && (document[next + length - 1] & 0xFC00) == 0xD800) {
            --length;
        }
        if (next > 0) piece.clear();  // the first piece begins with the mark
        s.result.encode(document.substr(next, length), piece);
        next += length;
        if (next >= document.size()) {
            s.result.encode(u"\r\n", piece);
            next = document.size() + 1;
        }
        return piece;
    };
    // A clipboard text has no file of its own to protect.
    const std::u16string_view protectedSource = s.clipboard ? std::u16string_view{} : path;
    // A result never widened is written as it stands: it has no mark (see resultStaysInBytes).
    auto written = s.resultBytes
                       ? writeResult(target, std::string_view(*s.resultBytes), protectedSource)
                       : writeResult(target, pieces, protectedSource);
    s.resultBytes.reset();
    if (!written) return written.failure();
    s.keptBackup = std::move(written->backup);
    s.resultTookFreeName = written->tookFreeName;
    return target;
}

}  // namespace lorvane
