// The conversion state of one program run and the operations on it: converting one document and
// carrying out a run over the chosen sources. The main window and the command-line front end
// each own one; neither reaches into the engine around it.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/table_settings.h"
#include "pipeline/selection_model.h"
#include "platform/desktop.h"
#include "platform/document_text.h"
#include "platform/failure.h"
#include "platform/file_encoding.h"
#include "platform/file_lister.h"
#include "platform/text_file_reader.h"

namespace lorvane {

class FileSet;
class ScriptRunner;
class TableEngine;
struct EngineState;

struct SessionConfig {
    std::u16string programFolder;    // no trailing separator
    int codePage = 1251;             // documents: sources, results, the clipboard's fallback
    std::u16string documentsFolder;  // where clipboard results go
    Desktop* desktop = nullptr;      // messages, clipboard, busy pointer, shell open
    // The program folder's own files: tables, includes, schemes, scripts, templates. Both
    // pages must be pages CodePage::forNumber knows.
    int tableCodePage = 1251;
    std::u16string outputFolder{};  // every result goes here; empty: beside its source
};

// What a run converts. Scope 0: the single source (or the clipboard); 1: every file the
// lister shows in the source's folder; 2: nothing (the desktop program shows its file-selection
// window); 3: the picked entries (full paths, or names in the lister's folder).
struct RunRequest {
    int scope = 0;
    std::u16string srcPath;
    FileLister* lister = nullptr;  // the file-selection window's lister (scopes 1 and 3)
    std::vector<std::u16string> picked;
    bool openResult = true;  // hand the result or its folder to the shell afterwards
    // Called as each source's turn comes, before its result is written: index, count, source
    // path. In a run of several, later sources may already have been read.
    std::function<void(int, int, const std::u16string&)> progress;
    // Called with each result as soon as it is written.
    std::function<void(const std::u16string&)> written;
    // Sources converted at once in a run of several. Results take their names, are reported
    // and failures met in source order, exactly as one after another; a run whose tables run
    // scripts stays sequential (scripts share one host and may touch files). Results are
    // written to the disk several at once whatever the number.
    int jobs = 1;
};

struct RunOutcome {
    std::vector<std::u16string> written;  // every result written, in order
    std::optional<Failure> failure;       // what stopped the run
    std::u16string failedSource;          // the source being converted when it stopped
    // What the user should know about sources that were converted all the same: one text for
    // each source read without a mark in a single-byte page that looks like UTF-8.
    std::vector<std::u16string> hints;
    std::vector<std::u16string> backups;  // files the user wrote that results replaced, kept
                                          // under these names (NAME~)
    std::vector<std::u16string> skipped;  // sources not converted: an earlier result of the
                                          // run had replaced them
};

class ConversionSession {
  public:
    // Throws std::invalid_argument for a code page CodePage::forNumber does not know.
    explicit ConversionSession(SessionConfig config);
    ~ConversionSession();
    ConversionSession(const ConversionSession&) = delete;
    ConversionSession& operator=(const ConversionSession&) = delete;

    SelectionModel& selection();
    const TableSettings& settings() const;
    // The working text (the last rendered document; empty after a file that went through as
    // its bytes), the last table path and the settings, as the engine and the script host see
    // them.
    EngineState& engineState();
    TableEngine& tableEngine();
    // What a template's "!!" line made of line ends; it stays for the session's life.
    const std::u16string& templateEol() const;

    void setClipboardSource(bool clipboard);
    bool clipboardSource() const;

    // Replaces the session's own script host (tests put a scripted fake in its place).
    void setScriptRunner(ScriptRunner& runner);

    // Converts one source and returns the path of the result written beside it.
    Expected<std::u16string> ConvertFile(const std::u16string& path);
    // Converts the text of a document (already read) and returns the rendered document.
    Expected<std::u16string> ConvertText(std::u16string text);
    // Converts the sources of the request one after another, then opens the result.
    RunOutcome Rewrite(const RunRequest& request);
    // A run over one document given as bytes (standard input), read as a source file is read
    // (mark, code page, line ends); returns the bytes a result file would hold, mark and final
    // CR LF included. `found`, when given, receives the encoding the bytes were read in.
    Expected<std::string> RewriteStream(std::string_view bytes, FileEncoding* found = nullptr);

  private:
    Expected<std::u16string> convertFileUnguarded(const std::u16string& path);
    // Converts a source and leaves the rendered document in the working text; returns the
    // path the result is to be written to. `ahead`: the start of its reading, done earlier.
    Expected<std::u16string> convertToTarget(const std::u16string& path,
                                             std::optional<SourceReadAhead> ahead = std::nullopt);
    // Converts sources[from, until) one after another; false when a conversion failed.
    // `results` holds every result of the run written so far.
    bool convertSequentially(const std::vector<std::u16string>& sources, std::size_t from,
                             const RunRequest& request, RunOutcome& outcome, std::size_t until,
                             FileSet& results);
    // Converts sources[from...] on request.jobs threads, writing on others, taking the
    // results' names in order. Returns the index
    // from which the rest must be converted one after another (sources.size() when done), or
    // nothing when a conversion failed.
    std::optional<std::size_t> convertInParallel(const std::vector<std::u16string>& sources,
                                                 std::size_t from, const RunRequest& request,
                                                 RunOutcome& outcome, FileSet& results);
    // Stops the run at a failed source.
    void failRun(RunOutcome& outcome, const Failure& failure, const std::u16string& source) const;
    // Adds what the user should know about a source converted all the same.
    void noteSource(RunOutcome& outcome, const std::u16string& source, bool looksLikeUtf8) const;
    // Converts the text read in `source` and leaves the rendered document in the working
    // text, and the encoding it is to be written in in the state.
    Status convertIntoWorkingText(DocumentText text, const FileEncoding& source);
    // The converted document as bytes for a result file, with the mark and the final CR LF; a
    // result never widened is handed over rather than copied.
    std::string takeEncodedResult();

    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace lorvane
