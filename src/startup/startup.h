// The program's start: the user's folders, the shortcut script, the "@" start option and the
// source named on the command line (the clipboard, one file, a folder, a list of files or an
// archive, or the file asked for when nothing is named). It prepares both windows through their
// ports and shows exactly one of them.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/desktop.h"
#include "startup/program_end.h"
#include "startup/source_filter.h"
#include "startup/startup_values.h"
#include "startup/window_ports.h"

namespace lorvane {

struct StartupContext {
    std::vector<std::u16string> arguments;  // as handed over, without the program's own name
    // The argument text as one line, where the system hands it over unsplit; when set it is
    // used instead of `arguments`.
    std::optional<std::u16string> commandText;
    std::u16string executableName;  // the program's file name without its extension
    Desktop& desktop;
    MainWindowPort& mainWindow;
    FileWindowPort& fileWindow;
    ProgramEnd& programEnd;       // a window may end the program while it loads
    TextFileReader readTextFile;  // the program's text reader (whole file, CR LF line ends)
    // Unpacks an archive of the type given (extension without its dot) and returns the folder
    // holding its files, or the empty text when that failed.
    std::function<std::u16string(const std::u16string& type)> unpack;
    std::function<std::u16string(int)> specialFolder;  // SpecialFolderPath when empty
};

enum class StartupOutcome {
    MainWindowShown,
    FileWindowShown,
    Ended,  // the program ends now: an error was reported, or a window ended it
};

inline constexpr char16_t kErrorCaption[] = u"Ошибка!";

// `values.programFolder` must be set; every other value is settled here before either window
// is first touched, so their load handling sees them.
StartupOutcome runStartup(StartupValues& values, const StartupContext& context);

}  // namespace lorvane
