// File-name patterns as the file choosers and listers take them: "*" any run, "?" one character,
// letter case ignored, several patterns separated by ";".
#pragma once

#include <string_view>

namespace lorvane {

bool matchesPattern(std::u16string_view name, std::u16string_view pattern);
bool matchesPatternList(std::u16string_view name, std::u16string_view patterns);

}  // namespace lorvane
