// Qt's own texts (the file chooser's "Look in:", the buttons of the input box and message
// boxes) in the language of the system's locale, from the translations Qt ships.
#pragma once

#include <QLocale>

class QCoreApplication;

namespace lorvane {

// Installs Qt's translations for `locale` into the application; false when Qt has none for it
// (the texts then stay English).
bool installQtTranslations(QCoreApplication& application,
                           const QLocale& locale = QLocale::system());

}  // namespace lorvane
