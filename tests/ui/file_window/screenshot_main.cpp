// Draws the file-selection window over a sample folder, with one file previewed, into PNG files
// for the documentation: file_window_screenshot OUTPUT_FOLDER. Run it under a display (Xvfb).
#include <QApplication>
#include <QListWidget>
#include <QPixmap>
#include <QTest>

#include <filesystem>
#include <iostream>

#include "platform/code_page.h"
#include "platform/text.h"
#include "recording_desktop.h"
#include "temp_folder.h"
#include "ui/file_window/file_window.h"

namespace {

using lorvane::fromUtf8;

void writeSamples(const lorvane::test::TempFolder& temp) {
    const auto page = *lorvane::CodePage::forNumber(1251);
    const auto write = [&](const char* name, const char* utf8) {
        temp.write(name, page->encode(fromUtf8(utf8)));
    };
    write("program/files.txt",
          "Веб-страницы (*.htm)|*.htm;*.html\r\nДокументы RTF (*.rtf)|*.rtf\r\n");
    write("texts/psalom1.txt",
          "<Пс>ало'мъ Дави'ду 22.\r\n\r\n1 Госпо'дь пасе'тъ м<я>`, и ничто'же м<я> лиши'тъ.\r\n\r\n"
          "2 На м<ять>'ст<ять> зла'чн<ять>, та'мw всели' м<я>,\r\nна вод<ять>` поко'йн<ять> "
          "воспита' м<я>.\r\n");
    write("texts/psalom2.txt", "3 Ду'шу мою` обрати`, наста'ви м<я> на стез<я>` пра'вды.\r\n");
    write("texts/notes.txt", "Заметки к переводу.\r\n");
    write("texts/empty.txt", "");
    write("texts/index.htm", "<html></html>\r\n");
}

bool save(QWidget& widget, const std::filesystem::path& path) {
    const bool saved = widget.grab().save(QString::fromStdString(path.string()), "PNG");
    std::cout << (saved ? "wrote " : "could not write ") << path << '\n';
    return saved;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc < 2) {
        std::cerr << "usage: file_window_screenshot OUTPUT_FOLDER\n";
        return 2;
    }
    const std::filesystem::path out(argv[1]);
    lorvane::test::TempFolder temp;
    writeSamples(temp);

    lorvane::StartupValues startup;
    startup.programFolder = temp.u16("program");
    startup.SrcPath = temp.u16("texts/psalom1.txt");
    lorvane::test::RecordingDesktop desktop;
    lorvane::MemorySettingsStore settings;
    settings.save(lorvane::kSettingsSection, u"DefaultPattern", u"2");  // "*.txt", box ticked
    lorvane::FileWindow window([](const lorvane::RunRequest&) { return lorvane::RunOutcome{}; },
                               settings, desktop, startup);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) std::cerr << "the window was not shown\n";

    auto* list = window.findChild<QListWidget*>(QStringLiteral("List1"));
    const auto items = list->findItems(QStringLiteral("psalom1.txt"), Qt::MatchExactly);
    // Two clicks: the first deselects the source, the second selects it again, previewed.
    for (int i = 0; i < 2 && !items.isEmpty(); ++i) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(items.front()).center());
    }
    QApplication::processEvents();
    bool ok = save(window, out / "file_window.png");

    window.resize(window.minimumSize());
    QApplication::processEvents();
    ok = save(window, out / "file_window_minimum.png") && ok;
    return ok ? 0 : 1;
}
