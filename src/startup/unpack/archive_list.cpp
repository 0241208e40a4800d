#include "startup/unpack/archive_list.h"

namespace lorvane {
namespace {

constexpr std::u16string_view kLineEnd = u"\r\n";

bool endsWith(std::u16string_view text, std::u16string_view suffix) {
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

}  // namespace

std::optional<std::u16string> archiveType(std::u16string_view srcPath) {
    const auto dot = srcPath.rfind(u'.');
    if (dot == std::u16string_view::npos) return std::nullopt;
    return std::u16string(srcPath.substr(dot + 1));
}

bool isArchive(std::u16string_view srcPath, std::u16string_view archiveList) {
    if (endsWith(srcPath, u".zip") || endsWith(srcPath, u".rar")) return true;
    const auto dot = srcPath.rfind(u'.');
    if (dot == std::u16string_view::npos || archiveList.empty()) return false;
    // A line that begins with the extension: the extension right after a line end, the start of
    // the list counting as one.
    std::u16string list(kLineEnd);
    list += archiveList;
    std::u16string needle(kLineEnd);
    needle += srcPath.substr(dot);
    return list.find(needle) != std::u16string::npos;
}

std::optional<std::u16string> findArchiveTemplate(std::u16string_view archiveList,
                                                  std::u16string_view type) {
    if (archiveList.empty()) return std::nullopt;
    // The space and line end appended let a last line of the type alone match as well.
    std::u16string list(kLineEnd);
    list += archiveList;
    list += u' ';
    list += kLineEnd;
    std::u16string needle(kLineEnd);
    needle += type;
    needle += u' ';
    const auto found = list.find(needle);
    if (found == std::u16string::npos) return std::nullopt;
    const auto start = found + needle.size() - 1;  // the space after the type
    const auto end = list.find(kLineEnd, start);
    return list.substr(start, end - start);
}

}  // namespace lorvane
