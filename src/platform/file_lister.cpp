#include "platform/file_lister.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>

#include "platform/paths.h"
#include "platform/text.h"
#include "platform/wildcard.h"

namespace lorvane {
namespace fs = std::filesystem;
namespace {

// On POSIX a name beginning with "." is hidden; nothing counts as a system file.
bool isHidden(std::u16string_view name) {
    return !name.empty() && name.front() == u'.';
}

// Letter-case-blind alphabetical order, exact order among names that differ only in case, so a
// listing is the same on every run.
void sortNames(std::vector<std::u16string>& names) {
    std::sort(names.begin(), names.end(), [](const std::u16string& a, const std::u16string& b) {
        const int order = compareIgnoringCase(a, b);
        return order != 0 ? order < 0 : a < b;
    });
}

std::optional<std::u16string> existingFolder(std::u16string_view folder) {
    if (!isDirectory(folder)) return std::nullopt;
    std::error_code error;
    fs::path absolute = fs::absolute(toFsPath(folder), error);
    if (error) return std::nullopt;
    std::u16string path = fromFsPath(absolute.lexically_normal());
    return withoutTrailingSeparator(path);
}

// Names of the entries of `folder` for which `keep` holds, hidden ones left out.
template <class Keep>
std::vector<std::u16string> listNames(const std::u16string& folder, Keep keep) {
    std::vector<std::u16string> names;
    std::error_code error;
    for (fs::directory_iterator it(toFsPath(folder), error), end; !error && it != end;
         it.increment(error)) {
        std::u16string name = fromFsPath(it->path().filename());
        if (isHidden(name)) continue;
        std::error_code kindError;
        if (keep(*it, kindError, name) && !kindError) names.push_back(std::move(name));
    }
    sortNames(names);
    return names;
}

}  // namespace

bool FileLister::setFolder(std::u16string_view folder) {
    auto existing = existingFolder(folder);
    if (!existing) return false;
    folder_ = std::move(*existing);
    refresh();
    return true;
}

void FileLister::setPattern(std::u16string_view pattern) {
    pattern_ = std::u16string(pattern);
    refresh();
}

void FileLister::refresh() {
    if (folder_.empty()) {
        entries_.clear();
        return;
    }
    entries_ = listNames(folder_, [this](const fs::directory_entry& e, std::error_code& error,
                                         const std::u16string& name) {
        return e.is_regular_file(error) && matchesPatternList(name, pattern_);
    });
}

bool FolderLister::setFolder(std::u16string_view folder) {
    auto existing = existingFolder(folder);
    if (!existing) return false;
    folder_ = std::move(*existing);
    auto names = listNames(folder_, [](const fs::directory_entry& e, std::error_code& error,
                                       const std::u16string&) { return e.is_directory(error); });
    entries_.clear();
    const std::u16string prefix =
        folder_ == u"/" ? folder_ : folder_ + std::u16string(1, kPathSeparator);
    for (auto& name : names)
        entries_.push_back(prefix + name);
    return true;
}

}  // namespace lorvane
