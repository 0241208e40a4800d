// The RTF form of a converted document: one font of the table's face and character set, the
// table's size, "\par" at every line end. Nothing is escaped: braces and backslashes the
// tables produce reach the reader unchanged.
#pragma once

#include <string>

#include "engine/table_settings.h"
#include "pipeline/script_step.h"
#include "platform/failure.h"

namespace lorvane {

// `text` has CR LF line ends. A missing character set becomes 204, a missing face "Arial", a
// missing size 12, stored back into `settings`; `script2`, when set, runs on the text with its
// "\par" marks.
Expected<std::u16string> renderRtf(std::u16string text, TableSettings& settings,
                                   const ScriptStep& runScript);

}  // namespace lorvane
