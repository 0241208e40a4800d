// The file types offered when start-up asks for the source file: the user's types from the
// file-type list "files.txt", then the two built-in ones.
#pragma once

#include <functional>
#include <string>

namespace lorvane {

inline constexpr char16_t kBuiltInTypes[] =
    u"Текстовые документы (*.txt)|*.txt|Все файлы (*.*)|*.*";

// The filter from the file-type list's text (CR LF line ends): line ends become "|", runs of
// "|" collapse, spaces at both ends go, a "|" closes the user's part and the built-in types
// follow. Every line counts, also one without "|"; an empty text gives a leading "|".
std::u16string sourceFilterFromTypeList(const std::u16string& typeList);

using TextFileReader = std::function<std::u16string(const std::u16string& path)>;

// The filter for the program folder's "files.txt". Without that file the built-in types alone.
std::u16string SourceFilter(const std::u16string& programFolder, const TextFileReader& read);

}  // namespace lorvane
