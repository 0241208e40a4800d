// Applying a table file line by line (level -1) and finding include files.
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "engine/table_engine.h"
#include "platform/error_catalogue.h"
#include "platform/file_lister.h"
#include "platform/paths.h"

namespace lorvane {
namespace {

Expected<std::string> readBytes(const std::u16string& path) {
    if (path.empty() || isDirectory(path)) return failureFor(errors::kFileNotFound, path);
    std::ifstream in(toFsPath(path), std::ios::binary);
    if (!in) {
        return failureFor(isRegularFile(path) ? errors::kPermissionDenied : errors::kFileNotFound,
                          path);
    }
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return failureFor(errors::kDeviceIoError, path);
    return bytes;
}

// Calls `handle` with each line; a line ends at CR LF or at a lone CR (a lone LF stays inside).
template <class Handle>
void forEachLine(std::u16string_view text, Handle handle) {
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(u'\r', start);
        if (end == std::u16string_view::npos) {
            handle(text.substr(start));
            return;
        }
        handle(text.substr(start, end - start));
        start = end + 1;
        if (start < text.size() && text[start] == u'\n') ++start;
    }
}

bool isComment(std::u16string_view line) {
    return line.substr(0, 3) == u"// ";
}

}  // namespace

Status TableEngine::Rplc2(const std::u16string& Fil) {
    if (nesting_ >= kMaxNesting) return failureFor(errors::kOutOfStackSpace, Fil);
    auto bytes = readBytes(Fil);
    if (!bytes) return bytes.failure();
    const std::u16string text = state_.codePage->decode(*bytes);
    bytes.value().clear();

    std::vector<std::u16string_view> lines;
    forEachLine(text, [&lines](std::u16string_view line) {
        if (line.size() > 4 && !isComment(line)) lines.push_back(line);
    });
    ++nesting_;
    applyLines(lines, -1);
    --nesting_;
    return {};
}

// The include name begins with "@". Without a folder part it names a file of the current mode's
// folder; with one, the folder is taken relative to the program folder. The file name must match
// exactly, letter case included.
void TableEngine::applyInclude(std::u16string_view name) {
    const std::u16string normalised = normalizeSeparators(name);
    std::u16string folder;
    std::u16string fileName;
    const auto slash = normalised.rfind(kPathSeparator);
    if (slash == std::u16string::npos) {
        folder = state_.programFolder + u"/@" + state_.modeName;
        fileName = normalised;
    } else {
        folder = state_.programFolder + u"/" + normalised.substr(0, slash);
        fileName = normalised.substr(slash + 1);
    }
    FileLister lister;
    if (!lister.setFolder(resolveCaseInsensitive(folder))) return;
    for (const std::u16string& entry : lister.entries()) {
        if (entry == fileName) {
            ++textVersion_;
            (void)Rplc2(lister.folder() + u"/" + entry);  // a failing include is a skipped step
            return;
        }
    }
}

}  // namespace lorvane
