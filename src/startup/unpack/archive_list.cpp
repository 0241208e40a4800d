#include "startup/unpack/archive_list.h"

namespace lorvane {
namespace {

constexpr std::u16string_view kLineEnd = u"\r\n";

}  // namespace

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
