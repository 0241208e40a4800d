#include "platform/qt/qt_desktop.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QUrl>

#include "platform/headless_desktop.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "platform/qt/message_buttons.h"
#include "platform/qt/name_filters.h"
#include "platform/text.h"

namespace lorvane {

namespace {

QString q(const std::u16string& text) {
    return QString::fromStdU16String(text);
}

QMessageBox::Icon qtIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Stop:
            return QMessageBox::Critical;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

// The dialog trimmed the spaces around what was typed; a real name with spaces stays.
std::u16string trimmedChoice(const std::u16string& path) {
    std::u16string trimmed(trimSpaces(path));
    if (trimmed != path && isRegularFile(path)) return path;
    return trimmed;
}

}  // namespace

QtDesktop::QtDesktop(QWidget* owner) : owner_(owner) {}

void QtDesktop::beep() {
    QApplication::beep();
}

int QtDesktop::showMessage(const MessageRequest& request) {
    const MessageIcon icon = iconFor(request);
    const QtButtons buttons = qtButtonsFor(request.buttons);
    QMessageBox box(qtIcon(icon), q(request.caption), q(request.text), buttons.buttons, owner_);
    box.setDefaultButton(buttons.defaultButton);
    if (buttons.escapeButton != QMessageBox::NoButton) box.setEscapeButton(buttons.escapeButton);
    if (icon != MessageIcon::None) beep();
    box.exec();
    return answerFor(box.standardButton(box.clickedButton()));
}

std::u16string QtDesktop::inputBox(const std::u16string& prompt, const std::u16string& caption,
                                   const std::u16string& proposed) {
    bool accepted = false;
    const QString answer = QInputDialog::getText(owner_, q(caption), q(prompt), QLineEdit::Normal,
                                                 q(proposed), &accepted);
    return accepted ? answer.toStdU16String() : std::u16string();
}

std::u16string QtDesktop::chooseFile(const std::u16string& title, const std::u16string& filter,
                                     const std::u16string& initialFolder) {
    QFileDialog dialog(owner_, q(title), q(initialFolder));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    const QStringList filters = toQtNameFilters(filter);
    if (!filters.isEmpty()) dialog.setNameFilters(filters);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return trimmedChoice(dialog.selectedFiles().front().toStdU16String());
}

std::u16string QtDesktop::clipboardText() {
    return QGuiApplication::clipboard()->text().toStdU16String();
}

void QtDesktop::setBusy(bool busy) {
    if (busy == busy_) return;
    busy_ = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void QtDesktop::openWithShell(const std::u16string& path) {
    if (path.empty() || shellOpenDisabled()) return;
    QDesktopServices::openUrl(QUrl::fromLocalFile(q(path)));
}

bool QtDesktop::startProcess(const std::vector<std::u16string>& arguments) {
    return startDetached(arguments);
}

}  // namespace lorvane
