// The last steps of a conversion: the document script, then the output form the extension
// asks for (plain text, HTML, RTF, or a user template).
#pragma once

#include <string>

#include "engine/table_settings.h"
#include "pipeline/script_step.h"
#include "pipeline/user_format.h"
#include "platform/failure.h"

namespace lorvane {

// `text` is the converted document with CR LF line ends. The extension is compared exactly:
// ".txt" leaves the text as it is, ".htm" and ".rtf" render it, anything else goes through
// the user templates (plain text when none applies). `unicodeCharset` names the Unicode
// encoding the result is written in ("utf-8"), empty for an 8-bit code page.
Expected<std::u16string> renderDocument(std::u16string text, TableSettings& settings,
                                        UserFormats& formats, const ScriptStep& runScript,
                                        std::u16string_view unicodeCharset = {});

}  // namespace lorvane
