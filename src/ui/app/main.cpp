// The desktop program: one conversion run per start. Start-up decides the source from the
// command line and shows one of the two windows; the windows' events drive the rest.
#include <QApplication>
#include <QFileInfo>
#include <exception>
#include <memory>

#include "pipeline/conversion_session.h"
#include "pipeline/text_file_reader.h"
#include "platform/code_page.h"
#include "platform/paths.h"
#include "platform/qt/qt_desktop.h"
#include "platform/text.h"
#include "settings/qt_settings_store.h"
#include "startup/program_end.h"
#include "startup/special_folder_path.h"
#include "startup/startup.h"
#include "startup/unpack/archive_unpacker.h"
#include "ui/app/file_window_adapter.h"
#include "ui/file_window/file_window.h"
#include "ui/main_window/main_window.h"

namespace lorvane {
namespace {

// The arguments exactly as given: file names are never taken for Qt's own options, which come
// from the environment (QT_QPA_PLATFORM, QT_STYLE_OVERRIDE ...) instead.
std::vector<std::u16string> programArguments(int argc, char** argv) {
    std::vector<std::u16string> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.push_back(fromUtf8(argv[i]));
    return arguments;
}

int run(const std::vector<std::u16string>& arguments) {
    QtDesktop desktop;
    auto page = CodePage::forNumber(CodePage::numberFromEnvironment());
    if (!page) {
        desktop.showMessage(
            {fromUtf8(page.failure().message()), kErrorCaption, MessageIcon::Stop, 0});
        return 1;
    }
    const std::shared_ptr<const CodePage> codePage = *page;

    StartupValues values;
    values.programFolder = locateProgramFolder();
    QtSettingsStore settings;
    ConversionSession session(SessionConfig{values.programFolder, codePage->number(),
                                            SpecialFolderPath(kPersonalFolder), &desktop});
    ProgramEnd programEnd([] { QCoreApplication::quit(); });

    FileWindow fileWindow(session, settings, desktop, values);
    QObject::connect(&fileWindow, &FileWindow::programEnding, [&] { programEnd.request(); });
    FileWindowAdapter fileLink(fileWindow);
    MainWindow mainWindow(session, settings, desktop, values, fileLink, programEnd);

    StartupContext context{
        arguments,
        {},
        QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName().toStdU16String(),
        desktop,
        mainWindow,
        fileWindow,
        programEnd,
        [&](const std::u16string& path) { return ReadTextFile(path, *codePage, &desktop); },
        [&](const std::u16string& type) {
            return Unpack(
                type, UnpackContext{values.SrcPath, values.DocsPath, values.DesktopPath,
                                    values.programFolder, codePage, desktop, settings, fileWindow});
        },
        {}};
    if (runStartup(values, context) == StartupOutcome::Ended || programEnd.requested()) return 0;
    return QApplication::exec();
}

}  // namespace
}  // namespace lorvane

int main(int argc, char** argv) {
    const std::vector<std::u16string> arguments = lorvane::programArguments(argc, argv);
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    return lorvane::run(arguments);
}
