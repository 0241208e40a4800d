// The file-selection window "Файлы": the files of one folder that match a file type chosen from
// the pattern list, picked by the user, with a preview of the clicked file; OK converts the
// picked files and ends the program, Cancel just ends it.
#pragma once

#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "pipeline/conversion_session.h"
#include "platform/code_page.h"
#include "platform/desktop.h"
#include "platform/file_lister.h"
#include "settings/settings_store.h"
#include "startup/startup_values.h"
#include "startup/window_ports.h"
#include "ui/file_window/file_window_layout.h"
#include "ui/file_window/picked_names.h"

class QCheckBox;
class QComboBox;
class QListWidget;
class QListWidgetItem;
class QPlainTextEdit;
class QPushButton;

namespace lorvane {

class FileWindow : public QWidget, public FileWindowPort {
    Q_OBJECT

  public:
    // Carries out a conversion run; the session's Rewrite in the program.
    using RunFunction = std::function<RunOutcome(const RunRequest&)>;

    // `startup` is read when the window loads and at every pattern change, so it must outlive
    // the window; start-up may still fill it after the window is made.
    FileWindow(ConversionSession& session, SettingsStore& settings, Desktop& desktop,
               const StartupValues& startup, QWidget* parent = nullptr)
        : FileWindow([&session](const RunRequest& request) { return session.Rewrite(request); },
                     settings, desktop, startup, parent) {}
    FileWindow(RunFunction run, SettingsStore& settings, Desktop& desktop,
               const StartupValues& startup, QWidget* parent = nullptr);
    ~FileWindow() override;

    // The window's port for start-up and unpacking; every call loads the window first.
    void Mut2(const std::u16string& strArg, bool Chcked) override;
    void clearList() override;
    void addEntry(const std::u16string& text, bool selected) override;
    int patternCount() override;
    void selectPattern(int index) override;  // runs the pattern change, as a click does
    void setPatternListVisible(bool visible) override;
    bool patternListVisible() override;
    FileLister& lister() override;
    void show() override;

    // Builds the pattern list from "files.txt", selects the default pattern and lists the
    // source's folder with the source picked. Runs once; every use of the window runs it first.
    void load();

    // The selected entries of the file list, in list order: full paths, or names in the
    // lister's folder.
    std::vector<std::u16string> selectedEntries();
    // Shows the window in the main window's place: its top left, the main window's client
    // height, and as wide as the preview pane plus the main window's table list (pixels).
    void takeOverFrom(const QWidget& mainWindow, int mainClientHeight, int tableListWidth);
    // Closes the window without ending the program itself.
    void closeWindow();

    int previewPaneWidth() const;

  signals:
    // OK's run is over, or Cancel was pressed: the program ends. Emitted before the
    // application is told to quit.
    void programEnding();
    // OK found no mode, table or scheme entries chosen to convert with; the window has hidden
    // itself and the main window should be shown to choose them.
    void selectionNeeded();

  protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildControls();
    void connectSignals();
    void fillPatternList();
    void selectDefaultPattern();
    void layOutControls();

    void onPatternChanged();
    void onEntryClicked(QListWidgetItem* item);
    void onOk();
    void onCancel();
    void openHelp();
    void endProgram();

    std::u16string selectedPattern() const;
    std::u16string entryPath(const std::u16string& entry) const;
    std::u16string previewOf(const std::u16string& path);
    double logicalDpi() const;

    RunFunction run_;
    SettingsStore& settings_;
    Desktop& desktop_;
    const StartupValues& startup_;
    std::shared_ptr<const CodePage> documentPage_;  // previews of sources
    std::shared_ptr<const CodePage> tablePage_;     // the file-type list
    FileLister lister_;
    PickedNames picked_;
    file_window::PaneWidths widths_{};
    bool loaded_ = false;
    bool running_ = false;
    bool ending_ = false;

    QListWidget* List1 = nullptr;
    QPlainTextEdit* Text1 = nullptr;
    QComboBox* Combo1 = nullptr;
    QCheckBox* Check1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
};

}  // namespace lorvane
