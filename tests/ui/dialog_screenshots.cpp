// Renders the dialogs the desktop program shows through its platform layer, in Russian, into
// PNG files for the documentation: the file chooser asking for a source (with a type and with
// all files), and the message that reports a failed conversion. Run it under xvfb-run with
// LANG=ru_RU.UTF-8. Usage: lorvane-dialog-screenshots OUTPUT_FOLDER START_FOLDER
#include <QApplication>
#include <QDir>
#include <QTimer>
#include <QWidget>
#include <iostream>

#include "pipeline/run_messages.h"
#include "platform/error_catalogue.h"
#include "platform/qt/qt_desktop.h"
#include "platform/qt/qt_translations.h"

namespace lorvane {
namespace {

// Grabs the modal dialog once it is shown and laid out, then closes it.
void grabNextDialog(const QString& file, bool& saved) {
    QTimer::singleShot(700, [file, &saved] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (dialog != nullptr) {
            saved = dialog->grab().save(file);
            dialog->close();
        }
    });
}

}  // namespace
}  // namespace lorvane

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: lorvane-dialog-screenshots OUTPUT_FOLDER START_FOLDER\n";
        return 2;
    }
    QApplication application(argc, argv);
    if (!lorvane::installQtTranslations(application)) {
        std::cerr << "no Qt translations for " << QLocale::system().name().toStdString() << '\n';
    }
    const QDir output(QString::fromLocal8Bit(argv[1]));
    const std::u16string start = QString::fromLocal8Bit(argv[2]).toStdU16String();
    lorvane::QtDesktop desktop;

    bool chooser = false, allFiles = false, failure = false;
    lorvane::grabNextDialog(output.filePath("file-chooser-ru.png"), chooser);
    desktop.chooseFile(u"Выберите файл-исходник",
                       u"Текстовые документы (*.txt)|*.txt|Все файлы (*.*)|*.*", start);
    // "*.*" lists names without a dot too, as the program's own lists do.
    lorvane::grabNextDialog(output.filePath("file-chooser-all-files-ru.png"), allFiles);
    desktop.chooseFile(u"Выберите файл-исходник", u"Все файлы (*.*)|*.*", start);

    lorvane::grabNextDialog(output.filePath("failure-message-ru.png"), failure);
    lorvane::Failure cause = lorvane::failureFor(lorvane::errors::kSchemeEntriesOpen);
    desktop.showMessage(lorvane::runFailureMessage(cause, start + u"/псалом.txt"));

    if (!chooser || !allFiles || !failure) {
        std::cerr << "a dialog was not captured\n";
        return 1;
    }
    return 0;
}
