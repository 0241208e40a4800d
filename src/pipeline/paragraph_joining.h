// Joining the lines of paragraphs: an empty line ends a paragraph, a single line end becomes a
// space.
#pragma once

#include <string>

namespace lorvane {

// The placeholder that keeps paragraph breaks apart while single line ends are joined; a
// source that holds this text gets a line break in its place.
inline constexpr std::u16string_view kParagraphPlaceholder = u"!%$%$%$%!";

// CR LF CR LF -> placeholder, then CR LF -> space, then placeholder -> CR LF.
void joinParagraphs(std::u16string& text);

}  // namespace lorvane
