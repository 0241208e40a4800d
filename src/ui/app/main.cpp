// The desktop program: one conversion run per start. Start-up decides the source from the
// command line and shows one of the two windows; the windows' events drive the rest.
#include <QApplication>
#include <QFileInfo>

#include "platform/code_page.h"
#include "platform/paths.h"
#include "platform/qt/qt_desktop.h"
#include "platform/qt/qt_translations.h"
#include "platform/text.h"
#include "settings/qt_settings_store.h"
#include "ui/app/desktop_program.h"

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
    auto tablePage = CodePage::forNumber(CodePage::tableNumberFromEnvironment());
    for (const auto* chosen : {&page, &tablePage}) {
        if (!*chosen) {
            desktop.showMessage(
                {fromUtf8(chosen->failure().message(errors::Language::Russian)), kErrorCaption, MessageIcon::Stop, 0});
            return 1;
        }
    }
    QtSettingsStore settings;
    DesktopProgram program(DesktopProgramConfig{
        locateProgramFolder(),
        *page,
        desktop,
        settings,
        [] { QCoreApplication::quit(); },
        {},
        QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName().toStdU16String(),
        *tablePage});
    if (program.start(arguments) == StartupOutcome::Ended || program.ended()) return 0;
    return QApplication::exec();
}

}  // namespace
}  // namespace lorvane

int main(int argc, char** argv) {
    const std::vector<std::u16string> arguments = lorvane::programArguments(argc, argv);
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    lorvane::installQtTranslations(application);
    return lorvane::run(arguments);
}
