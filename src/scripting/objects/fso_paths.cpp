#include "scripting/objects/fso_paths.h"

#include <filesystem>
#include <system_error>

#include "platform/paths.h"

namespace lorvane::vbs::fso {
namespace {

bool exists(std::u16string_view path) {
    std::error_code error;
    return std::filesystem::exists(toFsPath(path), error);
}

// The path without trailing separators, except that the root stays "/".
std::u16string_view trimTrailingSeparators(std::u16string_view path) {
    while (path.size() > 1 && path.back() == kPathSeparator)
        path.remove_suffix(1);
    return path;
}

}  // namespace

std::u16string resolveExisting(std::u16string_view userPath) {
    return resolveCaseInsensitive(normalizeSeparators(userPath));
}

std::u16string resolveForCreation(std::u16string_view userPath) {
    const std::u16string path = resolveExisting(userPath);
    if (exists(path)) return path;
    const std::u16string folder = folderPart(path);
    if (folder.empty()) return path;
    return resolveCaseInsensitive(folder) + fileNamePart(path);
}

std::u16string fileName(std::u16string_view userPath) {
    const std::u16string path = normalizeSeparators(userPath);
    const std::u16string_view trimmed = trimTrailingSeparators(path);
    if (trimmed == u"/") return {};
    return fileNamePart(trimmed);
}

std::u16string baseName(std::u16string_view userPath) {
    const std::u16string name = fileName(userPath);
    const auto dot = name.rfind(u'.');
    return dot == std::u16string::npos ? name : name.substr(0, dot);
}

std::u16string extensionName(std::u16string_view userPath) {
    const std::u16string name = fileName(userPath);
    const auto dot = name.rfind(u'.');
    return dot == std::u16string::npos ? std::u16string() : name.substr(dot + 1);
}

std::u16string parentFolderName(std::u16string_view userPath) {
    const std::u16string path = normalizeSeparators(userPath);
    const std::u16string_view trimmed = trimTrailingSeparators(path);
    const auto last = trimmed.rfind(kPathSeparator);
    if (last == std::u16string_view::npos || trimmed == u"/") return {};
    if (last == 0) return u"/";
    return std::u16string(trimTrailingSeparators(trimmed.substr(0, last)));
}

std::u16string buildPath(std::u16string_view path, std::u16string_view name) {
    std::u16string left = normalizeSeparators(path);
    std::u16string right = normalizeSeparators(name);
    if (left.empty()) return right;
    if (right.empty()) return left;
    const bool leftEnds = left.back() == kPathSeparator;
    const bool rightStarts = right.front() == kPathSeparator;
    if (leftEnds && rightStarts) return left + right.substr(1);
    if (leftEnds || rightStarts) return left + right;
    return left + kPathSeparator + right;
}

std::u16string absolutePathName(std::u16string_view userPath) {
    std::error_code error;
    const std::filesystem::path written = toFsPath(normalizeSeparators(userPath));
    const std::filesystem::path absolute = written.empty()
                                               ? std::filesystem::current_path(error)
                                               : std::filesystem::absolute(written, error);
    if (error) return normalizeSeparators(userPath);
    std::u16string result = fromFsPath(absolute.lexically_normal());
    return std::u16string(trimTrailingSeparators(result));
}

}  // namespace lorvane::vbs::fso
