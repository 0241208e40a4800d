#include "startup/startup.h"

#include <filesystem>
#include <system_error>

#include "platform/file_lister.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "platform/text.h"
#include "startup/archive_check.h"
#include "startup/command_text.h"
#include "startup/special_folder_path.h"

namespace lorvane {

namespace {

constexpr char16_t kListSeparator[] = u"\" \"";

class Startup {
  public:
    Startup(StartupValues& values, const StartupContext& context)
        : values_(values), context_(context) {}

    StartupOutcome run() {
        resolveFolders();
        startShortcutScript();
        const std::u16string rest =
            takeStartOption(context_.commandText ? *context_.commandText
                                                 : commandTextFromArguments(context_.arguments),
                            values_);
        if (!decideSource(rest)) return StartupOutcome::Ended;
        if (!unpackArchive()) return StartupOutcome::Ended;
        return showWindow();
    }

  private:
    // Step 1.
    void resolveFolders() {
        const auto folder = context_.specialFolder ? context_.specialFolder : SpecialFolderPath;
        values_.DocsPath = folder(kPersonalFolder);
        values_.DesktopPath = folder(kDesktopFolder);
    }

    // Step 2: the script host reads the script's path and the program's own path without its
    // extension. It exists only where a Windows script host is installed.
    void startShortcutScript() {
        if (!isProgramAvailable(u"wscript.exe")) return;
        const std::u16string& folder = values_.programFolder;
        context_.desktop.startProcess(
            {u"wscript.exe", folder + u"/Shortcut.vbs", folder + u"/" + context_.executableName});
    }

    // Step 4; false when the program ends.
    bool decideSource(const std::u16string& text) {
        if (text.empty()) return askForSource();
        if (startsWithIgnoringCase(text, u"-c")) {
            takeClipboard();
            skipUnpacking_ = true;
            return !ended();
        }
        if (text.find(kListSeparator) != std::u16string::npos) {
            takeFileList(text);
            return !ended();
        }
        return takeOnePath(text);
    }

    bool askForSource() {
        const std::u16string chosen = context_.desktop.chooseFile(
            u"Выберите файл-исходник", SourceFilter(values_.programFolder, context_.readTextFile),
            values_.DocsPath);
        if (chosen.empty()) {
            takeClipboard();
            return !ended();
        }
        if (!std::filesystem::exists(toFsPath(chosen))) return reportMissing(chosen);
        values_.SrcPath = chosen;
        return true;
    }

    void takeClipboard() {
        context_.mainWindow.setScopeListVisible(false);
        context_.mainWindow.setClipboardSource(true);
    }

    void takeFileList(const std::u16string& text) {
        std::vector<std::u16string> parts;
        std::size_t start = 0;
        for (std::size_t at = text.find(kListSeparator);; at = text.find(kListSeparator, start)) {
            std::u16string part = text.substr(start, at == std::u16string::npos ? at : at - start);
            replaceAll(part, u"\"", u"");
            parts.push_back(std::move(part));
            if (at == std::u16string::npos) break;
            start = at + 3;
        }
        FileWindowPort& files = context_.fileWindow;
        files.clearList();
        for (const std::u16string& part : parts)
            files.addEntry(part, true);
        context_.mainWindow.setScopeListVisible(false);
        files.setPatternListVisible(false);
        files.lister().setFolder(folderPart(parts.front()));
    }

    bool takeOnePath(std::u16string path) {
        replaceAll(path, u"\"", u"");
        if (isDirectory(path)) {
            listFolder(path);
            return !ended();
        }
        if (!std::filesystem::exists(toFsPath(path))) return reportMissing(path);
        values_.SrcPath = path;
        return true;
    }

    // The file window lists every file of the folder, all selected, and no scope is offered.
    void listFolder(const std::u16string& folder) {
        FileWindowPort& files = context_.fileWindow;
        files.selectPattern(files.patternCount() - 1);
        files.Mut2(folder, true);
        context_.mainWindow.setScopeListVisible(false);
    }

    // Step 5; false when the program ends.
    bool unpackArchive() {
        if (skipUnpacking_ || values_.SrcPath.empty()) return true;
        const std::u16string list =
            context_.readTextFile(resolveCaseInsensitive(values_.programFolder + u"/Arch.txt"));
        const auto type = archiveType(values_.SrcPath, list);
        if (!type) return true;
        const std::u16string folder = context_.unpack ? context_.unpack(*type) : std::u16string();
        if (ended()) return false;
        if (folder.empty()) {
            showError(values_.SrcPath + u"\r\nНе могу распаковать архив");
            return false;
        }
        values_.SrcPath.clear();
        listFolder(folder);
        return !ended();
    }

    // Step 6. All three values are read, so both windows are loaded whichever is shown.
    StartupOutcome showWindow() {
        const bool noSource = values_.SrcPath.empty();
        const bool clipboard = context_.mainWindow.clipboardSource();
        const bool patternsShown = context_.fileWindow.patternListVisible();
        if (ended()) return StartupOutcome::Ended;
        if (noSource && !clipboard && !patternsShown) {
            context_.fileWindow.show();
            return StartupOutcome::FileWindowShown;
        }
        if (!noSource && !clipboard)
            context_.mainWindow.setFirstScopeText(fileNamePart(values_.SrcPath));
        context_.mainWindow.show();
        return StartupOutcome::MainWindowShown;
    }

    bool reportMissing(const std::u16string& path) {
        showError(path + u"\r\nНе могу найти файл или папку");
        return false;
    }

    void showError(const std::u16string& text) {
        context_.desktop.showMessage({text, kErrorCaption, MessageIcon::Stop, 0});
        context_.programEnd.request();
    }

    bool ended() const { return context_.programEnd.requested(); }

    StartupValues& values_;
    const StartupContext& context_;
    bool skipUnpacking_ = false;
};

}  // namespace

StartupOutcome runStartup(StartupValues& values, const StartupContext& context) {
    return Startup(values, context).run();
}

}  // namespace lorvane
