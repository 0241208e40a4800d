#include "startup/archive_check.h"

namespace lorvane {

namespace {

bool endsWith(const std::u16string& text, std::u16string_view suffix) {
    return text.size() >= suffix.size() &&
           std::u16string_view(text).substr(text.size() - suffix.size()) == suffix;
}

bool listRecognises(const std::u16string& extension, const std::u16string& archiveList) {
    const std::u16string text = u"\r\n" + archiveList + u"\r\n";
    const std::u16string needle = u"\r\n" + extension;
    for (std::size_t at = text.find(needle); at != std::u16string::npos;
         at = text.find(needle, at + 1)) {
        const std::size_t after = at + needle.size();
        if (after >= text.size()) return true;
        if (text[after] == u'\r' || text[after] == u' ' || text[after] == u'\t') return true;
    }
    return false;
}

}  // namespace

std::optional<std::u16string> archiveType(const std::u16string& path,
                                          const std::u16string& archiveList) {
    const std::size_t dot = path.rfind(u'.');
    const std::u16string extension =
        dot == std::u16string::npos ? std::u16string() : path.substr(dot);
    const bool archive = endsWith(path, u".zip") || endsWith(path, u".rar") ||
                         (!extension.empty() && listRecognises(extension, archiveList));
    if (!archive) return std::nullopt;
    return extension.empty() ? std::u16string() : extension.substr(1);
}

}  // namespace lorvane
