// Renders the main window in its typical states into PNG files for the documentation: the
// default and the smallest size, with a plain mode, with a combined scheme whose entries still
// need tables, and with a scheme whose tables are all named.
// Usage: lorvane-main-window-screenshots OUTPUT_FOLDER [PROGRAM_FOLDER]
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QTest>
#include <iostream>
#include <memory>

#include "fake_file_link.h"
#include "pipeline/conversion_session.h"
#include "platform/code_page.h"
#include "recording_desktop.h"
#include "settings/settings_store.h"
#include "startup/program_end.h"
#include "temp_folder.h"
#include "ui/main_window/main_window.h"

namespace lorvane {
namespace {

void layOutProgramFolder(const test::TempFolder& folder) {
    const auto page = *CodePage::forNumber(1251);
    const auto write = [&](std::string_view name, std::u16string_view text) {
        folder.write(name, page->encode(text));
    };
    for (const char* table : {"Гражданский", "Церковный-HTML", "Церковный-RTF", "XML-документ"})
        write(std::string("@hip/") + table + ".txt", u"a == b\r\n");
    write("@hip/@common.txt", u"");
    write("@grk/Транслитерация.txt", u"a == b\r\n");
    write("@grk/Греческий-HTML.txt", u"a == b\r\n");
    write("r@hip+grk.txt", u"default == <s>\r\n<s> == @hip\\\r\n<g> == @grk\\\r\n");
    write("r@готовая.txt",
          u"default == <s>\r\n<s> == @hip\\Гражданский.txt\r\n"
          u"<g> == @grk\\Транслитерация.txt\r\n");
}

struct Shot {
    const char* file;
    const char16_t* mode;
    bool smallest;
    int entry;  // entry to pick a table for, -1 none
};

bool take(const Shot& shot, const std::u16string& program, const QString& output) {
    test::RecordingDesktop desktop;
    MemorySettingsStore settings;
    test::FakeFileLink files;
    ProgramEnd end;
    StartupValues values;
    values.programFolder = program;
    values.SrcPath = u"/home/user/Документы/псалом.txt";
    ConversionSession session(SessionConfig{program, 1251, u"/tmp", &desktop});
    MainWindow window(session, settings, desktop, values, files, end);
    window.setFirstScopeText(u"псалом.txt");
    window.show();
    auto* modes = window.findChild<QComboBox*>("Combo1");
    const int mode = modes->findText(QString::fromStdU16String(shot.mode));
    if (mode < 0) {
        std::cerr << "no mode " << QString::fromStdU16String(shot.mode).toStdString() << '\n';
        return false;
    }
    modes->setCurrentIndex(mode);
    if (shot.entry >= 0) session.selection().selectTable(0);
    if (shot.smallest) window.resize(window.minimumSize());
    QTest::qWait(50);
    const QString path = output + "/" + shot.file;
    if (!window.grab().save(path)) {
        std::cerr << "cannot write " << path.toStdString() << '\n';
        return false;
    }
    std::cout << path.toStdString() << ' ' << window.width() << 'x' << window.height() << '\n';
    return true;
}

}  // namespace
}  // namespace lorvane

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc < 2) {
        std::cerr << "usage: lorvane-main-window-screenshots OUTPUT_FOLDER [PROGRAM_FOLDER]\n";
        return 2;
    }
    const QString output = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(output);
    lorvane::test::TempFolder temporary;
    std::u16string program;
    if (argc > 2) {
        program = QString::fromLocal8Bit(argv[2]).toStdU16String();
    } else {
        lorvane::layOutProgramFolder(temporary);
        program = temporary.u16path();
    }
    const lorvane::Shot shots[] = {
        {"main-window-mode.png", u"hip", false, -1},
        {"main-window-mode-smallest.png", u"hip", true, -1},
        {"main-window-scheme-open-entries.png", u"?hip+grk.txt", false, -1},
        {"main-window-scheme-open-entries-smallest.png", u"?hip+grk.txt", true, -1},
        {"main-window-scheme-complete.png", u"?готовая.txt", false, -1},
    };
    bool ok = true;
    for (const auto& shot : shots)
        ok = lorvane::take(shot, program, output) && ok;
    return ok ? 0 : 1;
}
