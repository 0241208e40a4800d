// The main window's OK and Cancel: OK checks the selection, stores the defaults and starts the
// one conversion run of this start; Cancel ends the program without converting.
#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>

#include "pipeline/conversion_session.h"
#include "pipeline/encoding_hint.h"
#include "pipeline/run_messages.h"
#include "platform/text.h"
#include "settings/settings_store.h"
#include "startup/program_end.h"
#include "startup/startup.h"
#include "ui/main_window/file_window_link.h"
#include "ui/main_window/main_window.h"

namespace lorvane {

void MainWindow::Command1_Click() {
    if (running_ || ending_) return;
    const bool scopeShown = scopeListShown();
    // A plain mode always needs a table; the check also runs in a scheme while the sources are
    // still to be chosen, as the scope list shows.
    if (model().selectedTable() < 0 && (scopeShown || !model().SchemeMode())) {
        desktop_.beep();
        if (List1->count() > 0) List1->setCurrentRow(0);
        return;
    }
    if (model().SchemeMode() && model().hasOpenEntries()) {
        desktop_.beep();
        desktop_.showMessage({u"Таблицы определены не для всех языковых режимов!",
                              u"Комбинированная схема: " + model().modeText().substr(1),
                              MessageIcon::Exclamation, 0});
        return;
    }
    if (Check1->isChecked()) {
        settings_.save(kSettingsSection, u"DefaultFolder", decimal(Combo1->currentIndex()));
        if (scopeShown)
            settings_.save(kSettingsSection, u"DefaultMode", decimal(Combo2->currentIndex()));
    }
    const int scope = scopeShown ? Combo2->currentIndex() : (session_.clipboardSource() ? 0 : 3);
    if (scope == 2) {
        handOverToFileWindow();
        return;
    }
    runScope(scope);
    endProgram();
}

void MainWindow::Command2_Click() {
    endProgram();
}

void MainWindow::runScope(int scope) {
    running_ = true;
    RunRequest request;
    request.scope = scope;
    request.srcPath = values_.SrcPath;
    request.lister = &fileWindow_.lister();
    if (scope == 3) request.picked = fileWindow_.selectedEntries();
    const RunOutcome outcome = session_.Rewrite(request);
    running_ = false;
    if (auto notes = runNotesMessage(outcome)) desktop_.showMessage(*notes);
    if (outcome.failure) {
        desktop_.showMessage(runFailureMessage(*outcome.failure, outcome.failedSource));
    }
    if (!outcome.hints.empty()) desktop_.showMessage(hintsMessage(outcome.hints));
}

// The file window shows itself in this window's place and carries on with the picked files.
void MainWindow::handOverToFileWindow() {
    fileWindow_.takeOverFrom(*this, height(), List1->width());
    hide();
}

void MainWindow::endProgram() {
    if (ending_) return;
    ending_ = true;
    fileWindow_.closeWindow();
    hide();
    programEnd_.request();
}

}  // namespace lorvane
