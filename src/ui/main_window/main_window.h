// The main window "Параметры": the source mode or combined scheme, the table, the scope and the
// default check box, then OK. It is a view over the session's selection model; the conversion
// itself is the session's. Start-up reaches it through MainWindowPort; the first touch loads it.
#pragma once

#include <QWidget>

#include "startup/startup_values.h"
#include "startup/window_ports.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;

namespace lorvane {

class ConversionSession;
class Desktop;
class FileWindowLink;
class ProgramEnd;
class SelectionModel;
class SettingsStore;
struct Failure;

class MainWindow : public QWidget, public MainWindowPort {
    Q_OBJECT

  public:
    MainWindow(ConversionSession& session, SettingsStore& settings, Desktop& desktop,
               const StartupValues& values, FileWindowLink& fileWindow, ProgramEnd& programEnd,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    // MainWindowPort: each loads the window first.
    void setClipboardSource(bool clipboard) override;
    bool clipboardSource() override;
    void setScopeListVisible(bool visible) override;
    void setFirstScopeText(const std::u16string& text) override;
    void show() override;

    // Ticks the default check box when the stored default mode is the selected one.
    void Chk();
    void Command1_Click();  // OK
    void Command2_Click();  // Cancel

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildControls();
    void buildMenu();
    void connectSignals();
    void ensureLoaded();
    void Form_Load();
    void selectInitialEntries();
    void layoutControls();

    void Combo1_Click(int index);
    void List1_Click(int row);
    void List2_Click(int row);
    void List2_DblClick();
    void mnuView_Click();
    void mnuCheck_Click();
    void openHelp();

    void showSelection();
    void showTables();
    void setEntryListShown(bool shown);
    void widenWithinScreen(int clientWidth);
    bool scopeListShown() const;

    void runScope(int scope);
    void handOverToFileWindow();
    void endProgram();

    SelectionModel& model();
    double dpi() const;
    int checkBoxGrowth() const;
    int captionWidth() const;

    ConversionSession& session_;
    SettingsStore& settings_;
    Desktop& desktop_;
    const StartupValues& values_;
    FileWindowLink& fileWindow_;
    ProgramEnd& programEnd_;

    bool loaded_ = false;
    bool entryListShown_ = false;
    bool ending_ = false;
    bool running_ = false;

    QLabel* Label1 = nullptr;
    QComboBox* Combo1 = nullptr;
    QLabel* Label2 = nullptr;
    QListWidget* List1 = nullptr;
    QPlainTextEdit* Text1 = nullptr;
    QListWidget* List2 = nullptr;
    QComboBox* Combo2 = nullptr;
    QCheckBox* Check1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QMenu* mnu = nullptr;
};

}  // namespace lorvane
