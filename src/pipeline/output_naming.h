// The name of a result: the source's path with its extension replaced by the output
// extension, and "1" put before it when the two extensions are the same.
#pragma once

#include <string>
#include <string_view>

namespace lorvane {

// `extent` begins with ".". The extension compared is the source's, dot included, exactly
// (letter case counts).
std::u16string outputPath(std::u16string_view source, std::u16string_view extent);

// The name a clipboard text stands under: the documents folder + "/Lorva.txt".
std::u16string clipboardSourcePath(std::u16string_view documentsFolder);

}  // namespace lorvane
