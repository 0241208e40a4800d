#include "platform/qt/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace lorvane {

bool installQtTranslations(QCoreApplication& application, const QLocale& locale) {
    // "qt" names the meta catalogue of the Qt modules; "qtbase" serves when only it is there.
    for (const char* catalogue : {"qt", "qtbase"}) {
        auto* translator = new QTranslator(&application);
        if (translator->load(locale, QString::fromLatin1(catalogue), QStringLiteral("_"),
                             QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            QCoreApplication::installTranslator(translator);
            return true;
        }
        delete translator;
    }
    return false;
}

}  // namespace lorvane
