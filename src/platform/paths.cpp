#include "platform/paths.h"

#include <unicode/utf16.h>
#include <unicode/utf8.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <system_error>
#include <vector>

#include "platform/text.h"

namespace lorvane {
namespace fs = std::filesystem;

std::u16string normalizeSeparators(std::u16string_view userPath) {
    std::u16string out(userPath);
    std::replace(out.begin(), out.end(), u'\\', kPathSeparator);
    return out;
}

namespace {

constexpr char16_t kEscapedByte = 0xDC00;  // + the byte, for bytes 0x80-0xFF that are no UTF-8

bool isEscapedByte(char16_t c) {
    return c >= kEscapedByte + 0x80 && c <= kEscapedByte + 0xFF;
}

}  // namespace

fs::path toFsPath(std::u16string_view path) {
    std::string bytes;
    bytes.reserve(path.size());
    std::size_t start = 0;
    for (std::size_t i = 0; i <= path.size(); ++i) {
        if (i < path.size() && !isEscapedByte(path[i])) continue;
        // A low surrogate right after a high one is half of a pair, not an escaped byte.
        if (i < path.size() && i > start && U16_IS_LEAD(path[i - 1])) continue;
        bytes += toUtf8(path.substr(start, i - start));
        if (i < path.size()) bytes.push_back(static_cast<char>(path[i] - kEscapedByte));
        start = i + 1;
    }
    return fs::path(std::move(bytes));
}

std::u16string fromFsBytes(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
    const auto n = static_cast<int32_t>(bytes.size());
    int32_t pos = 0;
    while (pos < n) {
        const int32_t start = pos;
        UChar32 c;
        U8_NEXT(data, pos, n, c);
        if (c < 0) {
            out.push_back(static_cast<char16_t>(kEscapedByte + data[start]));
            pos = start + 1;
        } else if (c > 0xFFFF) {
            out.push_back(U16_LEAD(c));
            out.push_back(U16_TRAIL(c));
        } else {
            out.push_back(static_cast<char16_t>(c));
        }
    }
    return out;
}

std::u16string fromFsPath(const fs::path& path) {
    return fromFsBytes(path.native());
}

namespace {

bool pathExists(const fs::path& path) {
    std::error_code error;
    return fs::exists(fs::symlink_status(path, error)) && !error;
}

// The entry of `folder` whose name equals `name` ignoring case, first in name order.
std::optional<std::string> findIgnoringCase(const fs::path& folder, std::u16string_view name) {
    std::error_code error;
    std::vector<std::string> matches;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::string entry = it->path().filename().native();
        if (equalsIgnoringCase(fromUtf8(entry), name)) matches.push_back(std::move(entry));
    }
    if (matches.empty()) return std::nullopt;
    return *std::min_element(matches.begin(), matches.end());
}

}  // namespace

std::u16string resolveCaseInsensitive(std::u16string_view path) {
    const fs::path written = toFsPath(path);
    if (path.empty() || pathExists(written)) return std::u16string(path);

    fs::path resolved = written.root_path();
    const fs::path relative = written.relative_path();
    for (const fs::path& component : relative) {
        const fs::path candidate = resolved / component;
        if (component == "." || component == ".." || pathExists(candidate)) {
            resolved = candidate;
            continue;
        }
        auto match =
            findIgnoringCase(resolved.empty() ? fs::path(".") : resolved, fromFsPath(component));
        if (!match) return std::u16string(path);
        resolved /= *match;
    }
    std::u16string result = fromFsPath(resolved);
    // Keep a trailing separator the caller wrote: it marks a folder.
    if (!path.empty() && path.back() == kPathSeparator && !result.empty() &&
        result.back() != kPathSeparator) {
        result.push_back(kPathSeparator);
    }
    return result;
}

std::u16string folderPart(std::u16string_view path) {
    const auto last = path.rfind(kPathSeparator);
    if (last == std::u16string_view::npos) return {};
    return std::u16string(path.substr(0, last + 1));
}

std::u16string fileNamePart(std::u16string_view path) {
    const auto last = path.rfind(kPathSeparator);
    if (last == std::u16string_view::npos) return std::u16string(path);
    return std::u16string(path.substr(last + 1));
}

bool isDirectory(std::u16string_view path) {
    if (path.empty()) return false;
    std::error_code error;
    return fs::is_directory(toFsPath(path), error);
}

bool isRegularFile(std::u16string_view path) {
    if (path.empty()) return false;
    std::error_code error;
    return fs::is_regular_file(toFsPath(path), error);
}

std::u16string withoutTrailingSeparator(std::u16string_view folder) {
    while (folder.size() > 1 && folder.back() == kPathSeparator)
        folder.remove_suffix(1);
    return std::u16string(folder);
}

std::u16string locateProgramFolder() {
    if (const char* home = std::getenv("LORVANE_HOME"); home != nullptr && *home != '\0') {
        std::error_code error;
        fs::path absolute = fs::absolute(fs::path(home), error);
        return withoutTrailingSeparator(fromFsPath(error ? fs::path(home) : absolute));
    }
    std::error_code error;
    fs::path executable = fs::read_symlink("/proc/self/exe", error);
    if (error) return withoutTrailingSeparator(fromFsPath(fs::current_path(error)));
    return withoutTrailingSeparator(fromFsPath(executable.parent_path()));
}

}  // namespace lorvane
