#include "cli/cli_sources.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "pipeline/result_mark.h"
#include "platform/error_catalogue.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace lorvane::cli {
namespace {

namespace fs = std::filesystem;

constexpr std::u16string_view kStandardInput = u"-";

Failure usage(std::u16string message) {
    Failure failure = failureFor(errors::kInvalidProcedureCall);
    failure.description = std::move(message);
    return failure;
}

std::u16string absolutePath(const std::u16string& source) {
    std::error_code error;
    const fs::path absolute = fs::absolute(toFsPath(source), error);
    return error ? source : fromFsPath(absolute.lexically_normal());
}

Status checkReadable(const std::u16string& path) {
    if (!isRegularFile(path) && !isDirectory(path)) {
        return usage(u"the SOURCE " + path + u" does not exist: check its name");
    }
    if (::access(toFsPath(path).c_str(), R_OK) != 0) {
        return usage(u"the SOURCE " + path + u" cannot be read: check its permissions");
    }
    return {};
}

Expected<SourcePlan> planFolderRun(const CliOptions& options, const std::u16string& source) {
    SourcePlan plan;
    plan.lister = std::make_unique<FileLister>();
    plan.lister->setPattern(options.pattern);
    plan.request.scope = 1;
    // The scope lists the folder part of its source, so a folder names itself with a final "/".
    plan.request.srcPath = isDirectory(source) ? withoutTrailingSeparator(source) + u"/" : source;
    plan.request.lister = plan.lister.get();
    return plan;
}

}  // namespace

Expected<SourcePlan> planSources(const CliOptions& options) {
    const auto& sources = options.sources;
    if (sources.empty()) {
        return usage(
            u"no SOURCE given: name the files or folders to convert, or - for "
            u"standard input (see --help)");
    }
    for (const std::u16string& source : sources) {
        if (source == kStandardInput && sources.size() > 1) {
            return usage(
                u"- (standard input) must be the only SOURCE: convert files in a "
                u"separate run");
        }
    }
    if (sources.front() == kStandardInput) {
        if (options.folder) return usage(u"--folder needs a file or folder SOURCE, not -");
        SourcePlan plan;
        plan.standardInput = true;
        return plan;
    }
    if (options.folder && sources.size() > 1) {
        return usage(u"--folder converts the folder of one SOURCE: give just one");
    }

    std::vector<std::u16string> paths;
    for (const std::u16string& source : sources) {
        paths.push_back(absolutePath(source));
        if (Status readable = checkReadable(paths.back()); !readable) return readable.failure();
    }
    if (options.folder) return planFolderRun(options, paths.front());

    SourcePlan plan;
    plan.lister = std::make_unique<FileLister>();
    plan.request.lister = plan.lister.get();
    if (paths.size() == 1 && isRegularFile(paths.front())) {
        plan.request.scope = 0;
        plan.request.srcPath = paths.front();
        return plan;
    }
    plan.request.scope = 3;
    FileLister folder;
    folder.setPattern(options.pattern);
    for (const std::u16string& path : paths) {
        if (!isDirectory(path)) {
            plan.request.picked.push_back(path);
            continue;
        }
        if (!folder.setFolder(path)) continue;
        for (const std::u16string& entry : folder.entries()) {
            std::u16string file = folder.folder() + u"/" + entry;
            // Earlier results in the folder are not converted again.
            if (!isMarkedResult(file)) plan.request.picked.push_back(std::move(file));
        }
    }
    // The results' folder, opened after the run: the first SOURCE's.
    const std::u16string& first = paths.front();
    plan.lister->setFolder(isDirectory(first) ? first : folderPart(first));
    return plan;
}

}  // namespace lorvane::cli
