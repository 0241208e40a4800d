// The HTML form of a converted document: paragraph tags at the line ends, a font element from
// the table's face and size, and the code page of the table's character set (or the Unicode
// encoding of the result). Nothing is escaped: the font encodings the tables produce reach the
// reader unchanged.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/table_settings.h"
#include "pipeline/script_step.h"
#include "platform/failure.h"

namespace lorvane {

// The Windows code page HTML declares for a font character set ("1251" for 204); empty for a
// set without one (-1 included).
std::u16string_view htmlCodePage(int16_t charset);

// `text` has CR LF line ends. The font size is reduced into 1..7 in `settings` itself (sizes of
// 7 and less stay); `script2`, when set, runs on the text with its paragraph tags. A result
// written in a Unicode encoding declares that encoding (`unicodeCharset`, such as "utf-8")
// whatever the character set: the font's character set cannot describe its bytes.
Expected<std::u16string> renderHtml(std::u16string text, TableSettings& settings,
                                    const ScriptStep& runScript,
                                    std::u16string_view unicodeCharset = {});

}  // namespace lorvane
