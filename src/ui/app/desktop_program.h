// One start of the desktop program, wired together: the conversion session, both windows, and
// start-up with the program's text reader and archive unpacking. The executable adds the real
// desktop, the settings file and the event loop; tests plug in recording ones.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/code_page.h"
#include "platform/desktop.h"
#include "settings/settings_store.h"
#include "startup/program_end.h"
#include "startup/startup.h"
#include "startup/startup_values.h"

namespace lorvane {

class ConversionSession;
class FileWindow;
class FileWindowAdapter;
class MainWindow;

struct DesktopProgramConfig {
    std::u16string programFolder;  // no trailing separator
    std::shared_ptr<const CodePage> codePage;  // documents
    Desktop& desktop;
    SettingsStore& settings;
    std::function<void()> stopEventLoop;               // when a window ends the program
    std::function<std::u16string(int)> specialFolder;  // SpecialFolderPath when empty
    std::u16string executableName = u"lorvane";
    // The program folder's own files; the documents' page when not given.
    std::shared_ptr<const CodePage> tableCodePage = nullptr;
};

class DesktopProgram {
  public:
    explicit DesktopProgram(DesktopProgramConfig config);
    ~DesktopProgram();

    // Runs start-up over the arguments (without the program's own name).
    StartupOutcome start(const std::vector<std::u16string>& arguments);
    bool ended() const { return programEnd_.requested(); }

    ConversionSession& session() { return *session_; }
    MainWindow& mainWindow() { return *mainWindow_; }
    FileWindow& fileWindow() { return *fileWindow_; }
    const StartupValues& values() const { return values_; }

  private:
    DesktopProgramConfig config_;
    StartupValues values_;
    ProgramEnd programEnd_;
    std::unique_ptr<ConversionSession> session_;
    std::unique_ptr<FileWindow> fileWindow_;
    std::unique_ptr<FileWindowAdapter> fileLink_;
    std::unique_ptr<MainWindow> mainWindow_;
};

}  // namespace lorvane
