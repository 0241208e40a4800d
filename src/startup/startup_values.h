// The values start-up settles once and every later stage reads: the single source, the user's
// folders, the mode and table named with the "@" option, and the program folder.
#pragma once

#include <string>

namespace lorvane {

struct StartupValues {
    // The single source file; empty for a list of files, a folder, an archive or the clipboard.
    std::u16string SrcPath;
    std::u16string DocsPath;       // the documents folder, no trailing separator
    std::u16string DesktopPath;    // the desktop folder, no trailing separator
    std::u16string StartMode;      // mode named with the "@" option; empty when absent
    std::u16string StartTable;     // table named with the "@" option; empty when absent
    std::u16string programFolder;  // no trailing separator
};

}  // namespace lorvane
