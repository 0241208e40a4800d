// Applying a table file line by line (level -1) and finding include files.
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "engine/table_engine.h"
#include "platform/error_catalogue.h"
#include "platform/file_encoding.h"
#include "platform/file_lister.h"
#include "platform/paths.h"

namespace lorvane {
namespace {

Expected<std::string> readBytes(const std::u16string& path) {
    if (path.empty() || isDirectory(path)) return failureFor(errors::kFileNotFound, path);
    // Only regular files are tables: a device (/dev/zero) or a pipe may never end.
    std::error_code error;
    if (!isRegularFile(path) && std::filesystem::exists(toFsPath(path), error)) {
        return failureFor(errors::kPathFileAccessError, path);
    }
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

bool identityOf(const std::u16string& path, std::uint64_t& device, std::uint64_t& inode) {
    struct stat info {};
    if (::stat(toFsPath(path).c_str(), &info) != 0) return false;
    device = static_cast<std::uint64_t>(info.st_dev);
    inode = static_cast<std::uint64_t>(info.st_ino);
    return true;
}

}  // namespace

Status TableEngine::Rplc2(const std::u16string& Fil) {
    if (nesting_ == 0) applications_ = 0;
    if (nesting_ >= kMaxNesting || applications_ >= kMaxApplications) {
        return failureFor(errors::kOutOfStackSpace, Fil);
    }
    ++applications_;
    auto bytes = readBytes(Fil);
    if (!bytes) return bytes.failure();
    const std::u16string text = decodeFileBytes(*bytes, *state_.codePage);
    bytes.value().clear();

    std::vector<std::u16string_view> lines;
    forEachLine(text, [&lines](std::u16string_view line) {
        if (line.size() > 4 && !isComment(line)) lines.push_back(line);
    });
    FileIdentity identity;
    (void)identityOf(Fil, identity.device, identity.inode);
    // Left as it was even when memory runs out on the way, so the engine can go on afterwards.
    struct Nested {
        TableEngine& engine;
        ~Nested() {
            engine.applying_.pop_back();
            --engine.nesting_;
        }
    };
    ++nesting_;
    applying_.push_back(identity);
    const Nested nested{*this};
    applyLines(lines, -1);
    return {};
}

bool TableEngine::isBeingApplied(const std::u16string& path) const {
    FileIdentity identity;
    if (!identityOf(path, identity.device, identity.inode)) return false;
    return std::find(applying_.begin(), applying_.end(), identity) != applying_.end();
}

// The include name begins with "@". Without a folder part it names a file of the current mode's
// folder; with one, the folder is taken relative to the program folder. The file name must match
// exactly, letter case included. An include of a table that is already being applied (a table
// that includes itself, directly or through others) is skipped: nothing in a table can end such
// a recursion, and a table that includes itself twice would otherwise be applied 2^32 times
// before the nesting limit stops it.
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
            const std::u16string path = lister.folder() + u"/" + entry;
            if (isBeingApplied(path)) return;
            ++textVersion_;
            (void)Rplc2(path);  // a failing include is a skipped step
            return;
        }
    }
}

}  // namespace lorvane
