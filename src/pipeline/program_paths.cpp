#include "pipeline/program_paths.h"

#include "platform/paths.h"

namespace lorvane {
namespace {

std::u16string written(std::u16string_view programFolder, std::u16string_view rest) {
    std::u16string path(programFolder);
    path.push_back(kPathSeparator);
    path.append(rest);
    return path;
}

std::u16string under(std::u16string_view programFolder, std::u16string_view rest) {
    return resolveCaseInsensitive(written(programFolder, rest));
}

}  // namespace

std::u16string programRelative(std::u16string_view programFolder, std::u16string_view path) {
    if (!path.empty() && path.front() == kPathSeparator) return resolveCaseInsensitive(path);
    return under(programFolder, path);
}

std::u16string modeFolderPath(std::u16string_view programFolder, std::u16string_view mode) {
    return under(programFolder, u"@" + std::u16string(mode));
}

std::u16string tableFilePath(std::u16string_view programFolder, std::u16string_view mode,
                             std::u16string_view table) {
    return resolveCaseInsensitive(writtenTableFilePath(programFolder, mode, table));
}

std::u16string writtenTableFilePath(std::u16string_view programFolder, std::u16string_view mode,
                                    std::u16string_view table) {
    return written(programFolder,
                   u"@" + std::u16string(mode) + u"/" + std::u16string(table) + u".txt");
}

std::u16string schemeFilePath(std::u16string_view programFolder, std::u16string_view entry) {
    if (!entry.empty() && entry.front() == u'?') entry.remove_prefix(1);
    return under(programFolder, u"r@" + std::u16string(entry));
}

std::u16string formatFolderPath(std::u16string_view programFolder) {
    return under(programFolder, u"format");
}

}  // namespace lorvane
