#include "ui/main_window/main_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>

#include "engine/diagnostics.h"
#include "engine/engine_state.h"
#include "pipeline/conversion_session.h"
#include "pipeline/table_checker.h"
#include "platform/paths.h"
#include "settings/settings_store.h"
#include "startup/program_end.h"
#include "ui/main_window/file_window_link.h"
#include "ui/main_window/main_window_layout.h"
#include "ui/main_window/stored_index.h"

namespace lorvane {

namespace {

QString q(const std::u16string& text) {
    return QString::fromStdU16String(text);
}

int indexOf(const std::vector<std::u16string>& list, const std::u16string& text) {
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i] == text) return static_cast<int>(i);
    return -1;
}

// Puts the items into a list without running its click handling; the model has run it.
void showItems(QListWidget* list, const std::vector<std::u16string>& items, int selected) {
    const QSignalBlocker blocker(list);
    list->clear();
    for (const std::u16string& item : items)
        list->addItem(q(item));
    list->clearSelection();
    list->setCurrentRow(selected);
}

}  // namespace

MainWindow::MainWindow(ConversionSession& session, SettingsStore& settings, Desktop& desktop,
                       const StartupValues& values, FileWindowLink& fileWindow,
                       ProgramEnd& programEnd, QWidget* parent)
    : QWidget(parent),
      session_(session),
      settings_(settings),
      desktop_(desktop),
      values_(values),
      fileWindow_(fileWindow),
      programEnd_(programEnd) {
    setObjectName("Form1");
    setWindowTitle(QStringLiteral("Параметры"));
    buildControls();
    buildMenu();
    connectSignals();
    const QSize minimum = minimumClientSize(false, dpi(), captionWidth());
    setMinimumSize(minimum);
    resize(std::max(twipsToPixels(design::clientWidth, dpi()), minimum.width()),
           std::max(twipsToPixels(design::clientHeight, dpi()), minimum.height()));
}

MainWindow::~MainWindow() = default;

void MainWindow::buildControls() {
    const auto place = [this](QWidget* control, const char* name, const Twips& geometry) {
        control->setObjectName(name);
        control->setGeometry(toPixels(geometry, dpi()));
    };
    Label1 = new QLabel(QStringLiteral("Источник текста как:"), this);
    place(Label1, "Label1", design::Label1);
    Combo1 = new QComboBox(this);
    place(Combo1, "Combo1", design::Combo1);
    Label2 = new QLabel(QStringLiteral("Преобразовать в:"), this);
    place(Label2, "Label2", design::Label2);
    List1 = new QListWidget(this);
    place(List1, "List1", design::List1);
    Text1 = new QPlainTextEdit(this);
    place(Text1, "Text1", design::Text1);
    Text1->setReadOnly(true);
    Text1->hide();
    List2 = new QListWidget(this);
    place(List2, "List2", design::List2);
    List2->hide();
    Combo2 = new QComboBox(this);
    place(Combo2, "Combo2", design::Combo2);
    Combo2->addItems({QStringLiteral("В файле "), QStringLiteral("Во всей папке"),
                      QStringLiteral("Выбрать файлы")});
    Check1 = new QCheckBox(QStringLiteral("Настройки по умолчанию"), this);
    place(Check1, "Check1", design::Check1);
    Command1 = new QPushButton(QStringLiteral("OK"), this);
    place(Command1, "Command1", design::Command1);
    Command1->setDefault(true);
    Command1->setAutoDefault(true);
    Command2 = new QPushButton(QStringLiteral("Отмена"), this);
    place(Command2, "Command2", design::Command2);
    Command2->setAutoDefault(true);
    // A right click opens the menu without changing the table selection.
    List1->viewport()->installEventFilter(this);
}

void MainWindow::buildMenu() {
    mnu = new QMenu(QStringLiteral("[mnu]"), this);
    mnu->setObjectName("mnu");
    QAction* view = mnu->addAction(QStringLiteral("Просмотр"));
    view->setObjectName("mnuView");
    connect(view, &QAction::triggered, this, &MainWindow::mnuView_Click);
    QAction* check = mnu->addAction(QStringLiteral("Проверить таблицу"));
    check->setObjectName("mnuCheck");
    connect(check, &QAction::triggered, this, &MainWindow::mnuCheck_Click);
}

void MainWindow::connectSignals() {
    connect(Combo1, &QComboBox::currentIndexChanged, this, &MainWindow::Combo1_Click);
    connect(List1, &QListWidget::currentRowChanged, this, &MainWindow::List1_Click);
    connect(List1, &QListWidget::itemDoubleClicked, this, &MainWindow::Command1_Click);
    connect(List2, &QListWidget::currentRowChanged, this, &MainWindow::List2_Click);
    connect(List2, &QListWidget::itemDoubleClicked, this, &MainWindow::List2_DblClick);
    connect(Command1, &QPushButton::clicked, this, &MainWindow::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &MainWindow::Command2_Click);
}

// --- start-up's port -------------------------------------------------------------------------

void MainWindow::setClipboardSource(bool clipboard) {
    ensureLoaded();
    session_.setClipboardSource(clipboard);
}

bool MainWindow::clipboardSource() {
    ensureLoaded();
    return session_.clipboardSource();
}

void MainWindow::setScopeListVisible(bool visible) {
    ensureLoaded();
    Combo2->setHidden(!visible);
    layoutControls();
}

void MainWindow::setFirstScopeText(const std::u16string& text) {
    ensureLoaded();
    Combo2->setItemText(0, q(text));
}

void MainWindow::show() {
    ensureLoaded();
    if (programEnd_.requested()) return;
    QWidget::show();
}

// --- loading ---------------------------------------------------------------------------------

void MainWindow::ensureLoaded() {
    if (!loaded_) Form_Load();
}

void MainWindow::Form_Load() {
    loaded_ = true;
    model().buildModeList();
    {
        const QSignalBlocker blocker(Combo1);
        for (const std::u16string& entry : model().modeList())
            Combo1->addItem(q(entry));
    }
    if (model().modeList().empty()) {
        endProgram();
        return;
    }
    if (model().selectedMode() != 0) model().selectMode(0);
    {
        const QSignalBlocker blocker(Combo1);
        Combo1->setCurrentIndex(0);
    }
    showSelection();
    selectInitialEntries();
    layoutControls();
}

// The start option's mode and table, else the stored defaults. A step that does not fit its
// list is skipped and the earlier selection stays.
void MainWindow::selectInitialEntries() {
    int mode = values_.StartMode.empty() ? -1 : indexOf(model().modeList(), values_.StartMode);
    if (mode < 0) {
        const auto stored = storedIndex(settings_.get(kSettingsSection, u"DefaultFolder", u"0"));
        if (stored && *stored >= 0 && *stored < Combo1->count()) mode = *stored;
    }
    if (mode >= 0) Combo1->setCurrentIndex(mode);
    if (!values_.StartTable.empty()) {
        const int table = indexOf(model().tableList(), values_.StartTable);
        if (table >= 0) List1->setCurrentRow(table);
    }
    const auto scope = storedIndex(settings_.get(kSettingsSection, u"DefaultMode", u"0"));
    if (scope && *scope >= 0 && *scope < Combo2->count()) Combo2->setCurrentIndex(*scope);
}

void MainWindow::Chk() {
    const auto stored = storedIndex(settings_.get(kSettingsSection, u"DefaultFolder", u"0"));
    Check1->setChecked(stored && *stored == Combo1->currentIndex());
}

// --- the lists -------------------------------------------------------------------------------

void MainWindow::Combo1_Click(int index) {
    if (index < 0) return;
    model().selectMode(index);
    showSelection();
}

void MainWindow::showSelection() {
    Text1->hide();
    setEntryListShown(model().entryListShown());
    showItems(List2, model().entryList(), model().selectedEntry());
    showTables();
    if (model().schemeTextShown()) {
        QString text = q(model().schemeText());
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        Text1->setPlainText(text);
        Text1->setGeometry(List1->geometry());
        Text1->show();
        Text1->raise();
    }
    if (!model().SchemeMode()) Chk();
}

void MainWindow::showTables() {
    showItems(List1, model().tableList(), model().selectedTable());
}

void MainWindow::List1_Click(int row) {
    if (row >= 0) model().selectTable(row);
}

void MainWindow::List2_Click(int row) {
    if (row < 0) return;
    model().selectEntry(row);
    showTables();
}

void MainWindow::List2_DblClick() {
    desktop_.openWithShell(model().schemeFilePath());
}

void MainWindow::mnuView_Click() {
    if (model().selectedTable() < 0) return;
    const std::u16string folder = withoutTrailingSeparator(model().tableFolder());
    desktop_.openWithShell(resolveCaseInsensitive(folder + u"/" + model().tableText() + u".txt"));
}

// The findings for the selected table, or for the selected scheme and its tables.
void MainWindow::mnuCheck_Click() {
    SelectionModel& selection = model();
    TableChecker checker(values_.programFolder, session_.engineState().codePage);
    std::u16string subject;
    if (selection.SchemeMode()) {
        subject = selection.schemeFilePath();
        checker.checkScheme(subject);
    } else if (selection.selectedTable() >= 0) {
        subject = resolveCaseInsensitive(withoutTrailingSeparator(selection.tableFolder()) + u"/" +
                                         selection.tableText() + u".txt");
        checker.checkTable(subject, selection.modeText());
    } else {
        return;
    }
    MessageRequest request;
    request.caption = u"Проверка таблицы";
    if (checker.diagnostics().empty()) {
        request.text = u"Ошибок не найдено: " + subject;
        request.icon = MessageIcon::Information;
    } else {
        for (const Diagnostic& diagnostic : checker.diagnostics()) {
            request.text += formatDiagnostic(diagnostic, Language::Russian) + u"\r\n";
        }
        request.icon = MessageIcon::Exclamation;
    }
    desktop_.showMessage(request);
}

void MainWindow::openHelp() {
    desktop_.openWithShell(values_.programFolder + u"/Help2.htm");
}

// --- size and keys ---------------------------------------------------------------------------

// Showing the entry list widens the window by its width, so the table list keeps its width.
void MainWindow::setEntryListShown(bool shown) {
    if (shown == entryListShown_) return;
    entryListShown_ = shown;
    List2->setHidden(!shown);
    const int change = shown ? List2->width() : -List2->width();
    const int target = width() + change;
    const QSize minimum = minimumClientSize(shown, dpi(), captionWidth());
    setMinimumSize(minimum);
    // A maximised or full-screen window keeps its size: the lists share its width.
    if (!isMaximized() && !isFullScreen()) widenWithinScreen(std::max(target, minimum.width()));
    layoutControls();
}

// The window grows to `clientWidth` as far as the screen allows, and moves left when its right
// edge would leave the screen, so the entry list stays reachable.
void MainWindow::widenWithinScreen(int clientWidth) {
    const QScreen* shownOn = screen();
    if (shownOn == nullptr) {
        resize(clientWidth, height());
        return;
    }
    const QRect available = shownOn->availableGeometry();
    const int frame = frameGeometry().width() - width();
    resize(std::max(minimumWidth(), std::min(clientWidth, available.width() - frame)), height());
    const int overhang = frameGeometry().right() - available.right();
    if (overhang > 0) move(std::max(available.left(), x() - overhang), y());
}

bool MainWindow::scopeListShown() const {
    return !Combo2->isHidden();
}

void MainWindow::layoutControls() {
    if (isMinimized()) return;
    const MainWindowGeometry g = layoutMainWindow(size(), entryListShown_, scopeListShown(), dpi());
    Combo1->setGeometry(g.Combo1);
    List1->setGeometry(g.List1);
    Text1->setGeometry(g.Text1);
    List2->setGeometry(g.List2);
    Combo2->setGeometry(g.Combo2);
    Check1->setGeometry(g.Check1.adjusted(0, 0, checkBoxGrowth(), 0));
    Command1->setGeometry(g.Command1);
    Command2->setGeometry(g.Command2);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutControls();
}

// F1 reaches the window from whichever control has the focus: none of them handles it.
void MainWindow::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_F1:
            openHelp();
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            Command1->click();
            return;
        case Qt::Key_Escape:
            Command2->click();
            return;
        default:
            QWidget::keyPressEvent(event);
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == List1->viewport() && event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            mnu->popup(mouse->globalPosition().toPoint());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// Closing the window is Cancel; hiding it for the file window is not.
void MainWindow::closeEvent(QCloseEvent* event) {
    endProgram();
    QWidget::closeEvent(event);
}

// The captions were laid out for the design's 8-point font; a wider font lets the check box,
// the widest caption, grow to its text instead of cutting it off.
int MainWindow::checkBoxGrowth() const {
    return std::max(0, Check1->sizeHint().width() - toPixels(design::Check1, dpi()).width());
}

int MainWindow::captionWidth() const {
    const QRect check = toPixels(design::Check1, dpi());
    return check.left() + check.width() + checkBoxGrowth() + check.left();
}

SelectionModel& MainWindow::model() {
    return session_.selection();
}

double MainWindow::dpi() const {
    return logicalDpiX();
}

}  // namespace lorvane
