// Joining the lines of paragraphs: an empty line ends a paragraph, a single line end becomes a
// space.
#pragma once

#include <string>

#include "platform/code_page.h"

namespace lorvane {

// The placeholder that keeps paragraph breaks apart while single line ends are joined; a
// source that holds this text gets a line break in its place.
inline constexpr std::u16string_view kParagraphPlaceholder = u"!%$%$%$%!";

// CR LF CR LF -> placeholder, then CR LF -> space, then placeholder -> CR LF.
void joinParagraphs(std::u16string& text);
// The same on a text in a single-byte page's bytes, each of those texts in the page's bytes;
// false, the text untouched, when the page cannot write one of them.
bool joinParagraphs(std::string& bytes, const CodePage& page);

}  // namespace lorvane
