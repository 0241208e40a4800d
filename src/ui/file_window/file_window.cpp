#include "ui/file_window/file_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include "pipeline/encoding_hint.h"
#include "pipeline/result_mark.h"
#include "pipeline/run_messages.h"
#include "platform/error_catalogue.h"
#include "platform/text_file_reader.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "ui/file_window/file_patterns.h"

namespace lorvane {
namespace {

// The preview shows at most this many characters of a file.
constexpr std::size_t kPreviewLimit = 32760;

QString toQ(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

std::u16string fromQ(const QString& text) {
    return text.toStdU16String();
}

std::shared_ptr<const CodePage> pageOrDefault(int number) {
    auto page = CodePage::forNumber(number);
    if (page) return *page;
    auto fallback = CodePage::forNumber(CodePage::kDefault);
    return fallback ? *fallback : nullptr;
}

// The first characters of a text, never ending inside a surrogate pair.
std::u16string_view cut(std::u16string_view text, std::size_t limit) {
    if (text.size() <= limit) return text;
    std::size_t end = limit;
    if (end > 0 && text[end - 1] >= 0xD800 && text[end - 1] <= 0xDBFF) --end;
    return text.substr(0, end);
}

// A run that stopped before converting anything because no mode, table or scheme entries are
// chosen.
bool needsChoice(const RunOutcome& outcome) {
    if (!outcome.failure || !outcome.written.empty()) return false;
    const int number = outcome.failure->number;
    return number == errors::kNoModeSelected || number == errors::kNoTableSelected ||
           number == errors::kSchemeEntriesOpen;
}

}  // namespace

FileWindow::FileWindow(RunFunction run, SettingsStore& settings, Desktop& desktop,
                       const StartupValues& startup, QWidget* parent)
    : QWidget(parent),
      run_(std::move(run)),
      settings_(settings),
      desktop_(desktop),
      startup_(startup),
      documentPage_(pageOrDefault(CodePage::numberFromEnvironment())),
      tablePage_(pageOrDefault(CodePage::tableNumberFromEnvironment())) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Файлы"));
    buildControls();
    connectSignals();
    const double dpi = logicalDpi();
    widths_ = file_window::paneWidths(Check1->sizeHint().width(), dpi);
    const QSize minimum = file_window::snappedInnerSize(QSize(0, 0), widths_.minimumInner, dpi);
    setMinimumSize(minimum);
    resize(twipsToPixels(7200, dpi), minimum.height());
}

FileWindow::~FileWindow() = default;

void FileWindow::buildControls() {
    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setSelectionMode(QAbstractItemView::MultiSelection);
    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setReadOnly(true);
    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Check1 = new QCheckBox(QStringLiteral("Настройки по умолчанию"), this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command2 = new QPushButton(QStringLiteral("Отмена"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    // F1 reaches the window whichever control has the focus.
    for (QWidget* control : {static_cast<QWidget*>(List1), static_cast<QWidget*>(Text1),
                             static_cast<QWidget*>(Combo1), static_cast<QWidget*>(Check1),
                             static_cast<QWidget*>(Command1), static_cast<QWidget*>(Command2)}) {
        control->installEventFilter(this);
    }
}

void FileWindow::connectSignals() {
    connect(Combo1, &QComboBox::currentIndexChanged, this, [this] { onPatternChanged(); });
    connect(List1, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { onEntryClicked(item); });
    connect(Command1, &QPushButton::clicked, this, [this] { onOk(); });
    connect(Command2, &QPushButton::clicked, this, [this] { onCancel(); });
}

void FileWindow::load() {
    if (loaded_) return;
    loaded_ = true;
    fillPatternList();
    selectDefaultPattern();
    lister_.setFolder(folderPart(startup_.SrcPath));
    picked_ = PickedNames(fileNamePart(startup_.SrcPath));
    Mut2(lister_.folder(), false);
}

void FileWindow::fillPatternList() {
    const std::u16string fileTypes =
        tablePage_ ? ReadTextFile(startup_.programFolder + kPathSeparator + u"files.txt",
                                  *tablePage_, &desktop_)
                  : std::u16string();
    // Filling selects nothing yet: the default pattern is selected afterwards, as a click.
    const QSignalBlocker blocker(Combo1);
    Combo1->clear();
    for (const auto& entry : buildPatternList(fileTypes))
        Combo1->addItem(toQ(entry));
    Combo1->setCurrentIndex(-1);
}

void FileWindow::selectDefaultPattern() {
    const auto choice = chooseDefaultPattern(
        settings_.get(kSettingsSection, u"DefaultPattern", u"99"), Combo1->count());
    if (choice.tickDefault) Check1->setChecked(true);
    selectPattern(choice.index);
}

void FileWindow::Mut2(const std::u16string& strArg, bool Chcked) {
    load();
    lister_.setFolder(strArg);  // a missing folder keeps the lister where it was
    lister_.setPattern(selectedPattern());
    Text1->clear();
    List1->clear();
    for (const auto& name : lister_.entries()) {
        auto* item = new QListWidgetItem(toQ(name), List1);
        // A folder's results of earlier runs are listed but not picked: a folder run converts
        // the user's files, not the conversions.
        const bool all = Chcked && !isMarkedResult(entryPath(name));
        if (all || picked_.contains(name)) item->setSelected(true);
    }
}

void FileWindow::clearList() {
    load();
    List1->clear();
}

void FileWindow::addEntry(const std::u16string& text, bool selected) {
    load();
    auto* item = new QListWidgetItem(toQ(text), List1);
    item->setSelected(selected);
}

int FileWindow::patternCount() {
    load();
    return Combo1->count();
}

void FileWindow::selectPattern(int index) {
    load();
    if (index < 0 || index >= Combo1->count()) return;
    // Choosing the entry already selected still runs the pattern change, as a click would.
    if (index == Combo1->currentIndex()) {
        onPatternChanged();
    } else {
        Combo1->setCurrentIndex(index);
    }
}

void FileWindow::setPatternListVisible(bool visible) {
    load();
    Combo1->setVisible(visible);
}

bool FileWindow::patternListVisible() {
    load();
    return !Combo1->isHidden();
}

FileLister& FileWindow::lister() {
    load();
    return lister_;
}

void FileWindow::show() {
    load();
    QWidget::show();
    activateWindow();
}

std::vector<std::u16string> FileWindow::selectedEntries() {
    load();
    std::vector<std::u16string> entries;
    for (int i = 0; i < List1->count(); ++i) {
        if (List1->item(i)->isSelected()) entries.push_back(fromQ(List1->item(i)->text()));
    }
    return entries;
}

void FileWindow::takeOverFrom(const QWidget& mainWindow, int mainClientHeight, int tableListWidth) {
    load();
    move(mainWindow.pos());
    resize(previewPaneWidth() + tableListWidth, mainClientHeight);
    show();
}

void FileWindow::closeWindow() {
    close();
}

int FileWindow::previewPaneWidth() const {
    return widths_.preview;
}

// Entries picked under the old pattern stay picked when they reappear under the new one.
void FileWindow::onPatternChanged() {
    for (int i = 0; i < List1->count(); ++i) {
        const QListWidgetItem* item = List1->item(i);
        picked_.note(fromQ(item->text()), item->isSelected());
    }
    Mut2(folderPart(startup_.SrcPath), false);
}

void FileWindow::onEntryClicked(QListWidgetItem* item) {
    if (item == nullptr) return;
    const std::u16string text = previewOf(entryPath(fromQ(item->text())));
    Text1->setPlainText(toQ(text));
    // Nothing to convert in an empty or unreadable file.
    if (text.empty()) item->setSelected(false);
}

void FileWindow::onOk() {
    // A message shown during the run lets events through; OK must not start a second run.
    if (running_ || ending_) return;
    running_ = true;
    settings_.save(kSettingsSection, u"DefaultPattern",
                   Check1->isChecked() ? decimal(Combo1->currentIndex()) : u"99");
    RunRequest request;
    request.scope = 3;
    request.srcPath = startup_.SrcPath;
    request.lister = &lister_;
    request.picked = selectedEntries();
    const RunOutcome outcome = run_(request);
    if (needsChoice(outcome)) {
        // The stored default cannot run (a scheme with open entries, a mode that is gone): the
        // main window, where the user can choose, carries on with the picked files.
        running_ = false;
        desktop_.beep();
        hide();
        emit selectionNeeded();
        return;
    }
    if (auto notes = runNotesMessage(outcome)) desktop_.showMessage(*notes);
    if (outcome.failure) {
        desktop_.beep();
        desktop_.showMessage(runFailureMessage(*outcome.failure, outcome.failedSource));
    }
    if (!outcome.hints.empty()) desktop_.showMessage(hintsMessage(outcome.hints));
    running_ = false;
    endProgram();
}

void FileWindow::onCancel() {
    endProgram();
}

void FileWindow::openHelp() {
    desktop_.openWithShell(startup_.programFolder + kPathSeparator + u"Help2.htm");
}

void FileWindow::endProgram() {
    if (ending_) return;
    ending_ = true;
    emit programEnding();
    close();
    QCoreApplication::quit();
}

std::u16string FileWindow::selectedPattern() const {
    const int index = Combo1->currentIndex();
    return index < 0 ? std::u16string() : patternOf(fromQ(Combo1->itemText(index)));
}

std::u16string FileWindow::entryPath(const std::u16string& entry) const {
    if (entry.find(kPathSeparator) != std::u16string::npos) return entry;
    return lister_.folder() + kPathSeparator + entry;
}

std::u16string FileWindow::previewOf(const std::u16string& path) {
    if (!documentPage_) return {};
    const std::u16string text = ReadTextFile(path, *documentPage_, &desktop_);
    std::u16string shown(cut(text, kPreviewLimit));
    replaceAll(shown, u"\r\n", u"\n");
    return shown;
}

double FileWindow::logicalDpi() const {
    return logicalDpiX();
}

// Shown by any route (QWidget::show included), the window is loaded first.
void FileWindow::showEvent(QShowEvent* event) {
    load();
    QWidget::showEvent(event);
}

void FileWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (isMinimized()) return;
    if (!isMaximized()) {
        // Window managers that ignore the minimum size get it applied here.
        const QSize snapped =
            file_window::snappedInnerSize(size(), widths_.minimumInner, logicalDpi());
        if (snapped != size()) {
            resize(snapped);
            return;
        }
    }
    layOutControls();
}

void FileWindow::layOutControls() {
    const auto geometry = file_window::layOut(
        size(), widths_.preview, {Combo1->sizeHint().height(), Check1->sizeHint().height()},
        logicalDpi());
    List1->setGeometry(geometry.list);
    Text1->setGeometry(geometry.preview);
    Combo1->setGeometry(geometry.patternList);
    Check1->setGeometry(geometry.checkBox);
    Command1->setGeometry(geometry.ok);
    Command2->setGeometry(geometry.cancel);
}

void FileWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        openHelp();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool FileWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        openHelp();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace lorvane
