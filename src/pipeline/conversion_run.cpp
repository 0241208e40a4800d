// The run over the chosen sources: which files a scope converts, in which order, and what is
// opened afterwards.

#include <utility>

#include "pipeline/conversion_session.h"
#include "pipeline/encoding_hint.h"
#include "pipeline/file_set.h"
#include "pipeline/output_naming.h"
#include "pipeline/result_mark.h"
#include "pipeline/session_state.h"
#include "platform/error_catalogue.h"
#include "platform/paths.h"
#include "platform/text_file_reader.h"

namespace lorvane {
namespace {

enum Scope : int { kSingleSource = 0, kWholeFolder = 1, kChooseFiles = 2, kPickedFiles = 3 };

class BusyPointer {
  public:
    explicit BusyPointer(Desktop& desktop) : desktop_(desktop) { desktop_.setBusy(true); }
    ~BusyPointer() { desktop_.setBusy(false); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

  private:
    Desktop& desktop_;
};

std::u16string inFolder(const std::u16string& folder, const std::u16string& name) {
    return folder + std::u16string(1, kPathSeparator) + name;
}

// The files of the source's folder that the lister shows when the run begins; results the run
// writes there are not converted in the same run. Without a source the lister's folder is
// listed as it stands.
Expected<std::vector<std::u16string>> folderSources(const std::u16string& srcPath,
                                                    FileLister& lister) {
    if (!srcPath.empty()) {
        const std::u16string folder = folderPart(srcPath);
        if (!lister.setFolder(folder.empty() ? u"." : folder)) {
            return failureFor(errors::kPathNotFound, folder);
        }
    } else {
        lister.refresh();
    }
    std::vector<std::u16string> sources;
    if (lister.folder().empty()) return sources;
    for (const std::u16string& entry : lister.entries()) {
        std::u16string path = inFolder(lister.folder(), entry);
        // Results of earlier runs are no sources: converting them again would convert the
        // conversion (psalm11.txt, a page wrapped in a page).
        if (!isMarkedResult(path)) sources.push_back(std::move(path));
    }
    return sources;
}

std::vector<std::u16string> pickedSources(const std::vector<std::u16string>& picked,
                                          const FileLister& lister) {
    std::vector<std::u16string> sources;
    for (const std::u16string& entry : picked) {
        const bool fullPath = entry.find(kPathSeparator) != std::u16string::npos;
        sources.push_back(fullPath ? entry : inFolder(lister.folder(), entry));
    }
    return sources;
}

}  // namespace

RunOutcome ConversionSession::Rewrite(const RunRequest& request) {
    State& s = *state_;
    RunOutcome outcome;
    s.engine.settings.charset = -1;
    if (request.scope == kChooseFiles) return outcome;

    Desktop& desktop = s.desktop();
    BusyPointer busy(desktop);
    FileLister& lister = request.lister != nullptr ? *request.lister : s.folderLister;
    std::vector<std::u16string> sources;
    if (request.scope == kSingleSource) {
        sources.push_back(request.srcPath);
    } else if (request.scope == kWholeFolder) {
        auto listed = folderSources(request.srcPath, lister);
        if (!listed) {
            outcome.failure = listed.failure();
            outcome.failedSource = request.srcPath;
            return outcome;
        }
        sources = std::move(*listed);
    } else if (request.scope == kPickedFiles) {
        sources = pickedSources(request.picked, lister);
    }

    std::size_t next = 0;
    FileSet results;
    // The first source is converted here, which shows whether the tables run scripts and
    // gives the settings every later source starts from. The rest go to the parallel run even
    // with one job: it writes results while the next source is converted. A trace follows
    // this session's engine, so a traced run stays here.
    if (sources.size() > 2 && !s.clipboard && !s.tables.tracing()) {
        const unsigned scriptsBefore = s.counted.runs;
        if (!convertSequentially(sources, 0, request, outcome, 1, results)) return outcome;
        next = 1;
        if (s.counted.runs == scriptsBefore) {
            auto rest = convertInParallel(sources, 1, request, outcome, results);
            if (!rest) return outcome;
            next = *rest;
        }
    }
    if (!convertSequentially(sources, next, request, outcome, sources.size(), results)) {
        return outcome;
    }

    if (!request.openResult) return outcome;
    if (request.scope == kSingleSource) {
        if (!outcome.written.empty()) desktop.openWithShell(outcome.written.front());
    } else {
        const std::u16string folder =
            !s.config.outputFolder.empty() ? withoutTrailingSeparator(s.config.outputFolder)
            : request.srcPath.empty()      ? lister.folder()
                                           : withoutTrailingSeparator(folderPart(request.srcPath));
        desktop.openWithShell(folder);
    }
    return outcome;
}

bool ConversionSession::convertSequentially(const std::vector<std::u16string>& sources,
                                            std::size_t from, const RunRequest& request,
                                            RunOutcome& outcome, std::size_t until,
                                            FileSet& results) {
    State& s = *state_;
    const int count = static_cast<int>(sources.size());
    for (std::size_t i = from; i < until && i < sources.size(); ++i) {
        const std::u16string& source = sources[i];
        if (request.progress) request.progress(static_cast<int>(i), count, source);
        // A source an earlier result of this run was written over now holds that result; the
        // user's text of it was kept as its backup.
        if (!s.clipboard && results.holds(source)) {
            outcome.skipped.push_back(source);
            continue;
        }
        auto result = ConvertFile(source);
        if (!result) {
            failRun(outcome, result.failure(), source);
            return false;
        }
        outcome.written.push_back(*result);
        noteSource(outcome, source, state_->sourceLooksUtf8);
        results.addResult(*result, s.resultTookFreeName);
        if (!s.keptBackup.empty()) outcome.backups.push_back(s.keptBackup);
        if (request.written) request.written(*result);
    }
    return true;
}

void ConversionSession::failRun(RunOutcome& outcome, const Failure& failure,
                                const std::u16string& source) const {
    outcome.failure = failure;
    outcome.failedSource =
        state_->clipboard ? clipboardSourcePath(state_->config.documentsFolder) : source;
}

void ConversionSession::noteSource(RunOutcome& outcome, const std::u16string& source,
                                   bool looksLikeUtf8) const {
    if (looksLikeUtf8) {
        outcome.hints.push_back(utf8LookingSourceHint(source, state_->documents->number()));
    }
}

Expected<std::string> ConversionSession::RewriteStream(std::string_view bytes,
                                                       FileEncoding* found) {
    State& s = *state_;
    s.engine.settings.charset = -1;
    return failingOnExhaustion({}, [&]() -> Expected<std::string> {
        FileEncoding encoding;
        std::u16string text = decodeFileBytes(bytes, *s.documents, &encoding);
        normalizeLineEnds(text);
        if (found != nullptr) *found = encoding;
        if (Status converted =
                convertIntoWorkingText(DocumentText::ofUnits(std::move(text)), encoding);
            !converted) {
            return converted.failure();
        }
        return takeEncodedResult();
    });
}

}  // namespace lorvane
