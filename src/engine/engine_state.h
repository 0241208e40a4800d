// The state every table line acts on. It belongs to the conversion session; the engine only
// borrows it.
#pragma once

#include <memory>
#include <string>

#include "engine/table_settings.h"
#include "platform/code_page.h"

namespace lorvane {

struct EngineState {
    std::u16string tmpText;  // the working text
    std::u16string Tablett;  // full path of the table file being applied
    TableSettings settings;
    std::u16string modeName;       // the mode-list entry: a mode name, or "?" + scheme file name
    std::u16string programFolder;  // no trailing separator
    std::shared_ptr<const CodePage> codePage;
};

}  // namespace lorvane
