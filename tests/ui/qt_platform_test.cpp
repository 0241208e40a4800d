#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTranslator>

#include "platform/qt/message_buttons.h"
#include "platform/qt/name_filters.h"
#include "platform/qt/qt_translations.h"

namespace lorvane {
namespace {

TEST(NameFilters, PairsTheElementsOfTheBarFilter) {
    struct Case {
        std::u16string filter;
        QStringList expected;
    } cases[] = {
        {u"Текстовые документы (*.txt)|*.txt|Все файлы (*.*)|*.*",
         {"Текстовые документы (*.txt)", "Все файлы (*.* *)"}},
        {u"Тексты HIP|*.hip|", {"Тексты HIP (*.hip)"}},
        {u"Документы|*.txt;*.hip; *.rtf|", {"Документы (*.txt *.hip *.rtf)"}},
        // The description names the pattern list Qt cannot read: Qt's own form follows.
        {u"Документы (*.txt;*.hip)|*.txt;*.hip", {"Документы (*.txt;*.hip) (*.txt *.hip)"}},
        // A line without "|" shifts the pairing of everything after it.
        {u"Notes|A|*.a|Все файлы (*.*)|*.*", {"Notes (A)", "*.a (Все файлы (*.*))", "*.* (*.* *)"}},
        // An empty type list leaves an empty first element, which pairs like any other.
        {u"|Текстовые документы (*.txt)|*.txt|Все файлы (*.*)|*.*",
         {"(Текстовые документы (*.txt))", "*.txt (Все файлы (*.*))", "*.* (*.* *)"}},
        {u"Архиватор pkunzip.exe|pkunzip.exe|Исполняемые файлы (*.exe)|*.exe|Все файлы (*.*)|*.*",
         {"Архиватор pkunzip.exe (pkunzip.exe)", "Исполняемые файлы (*.exe)", "Все файлы (*.* *)"}},
        // "*.*" and "x.*" admit names without a dot, as the program's own lists do.
        {u"Все|*.*;notes.*|", {"Все (*.* * notes.* notes)"}},
        {u"", {}},
        {u"|", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(toQtNameFilters(c.filter), c.expected)
            << QString::fromStdU16String(c.filter).toStdString();
    }
}

TEST(MessageButtons, FollowTheScriptLanguagesCodes) {
    using B = QMessageBox::StandardButton;
    struct Case {
        int codes;
        QMessageBox::StandardButtons buttons;
        B defaultButton;
        B escapeButton;
    } cases[] = {
        {0, B::Ok, B::Ok, B::Ok},
        {1, B::Ok | B::Cancel, B::Ok, B::Cancel},
        {1 + 256, B::Ok | B::Cancel, B::Cancel, B::Cancel},
        {2, B::Abort | B::Retry | B::Ignore, B::Abort, B::NoButton},
        {2 + 512, B::Abort | B::Retry | B::Ignore, B::Ignore, B::NoButton},
        {3 + 16, B::Yes | B::No | B::Cancel, B::Yes, B::Cancel},
        {4 + 32 + 256, B::Yes | B::No, B::No, B::NoButton},
        {5, B::Retry | B::Cancel, B::Retry, B::Cancel},
        // Unknown kinds fall back to OK; a default beyond the buttons to the first.
        {9, B::Ok, B::Ok, B::Ok},
        {4 + 768, B::Yes | B::No, B::Yes, B::NoButton},
    };
    for (const auto& c : cases) {
        const QtButtons buttons = qtButtonsFor(c.codes);
        EXPECT_EQ(buttons.buttons, c.buttons) << c.codes;
        EXPECT_EQ(buttons.defaultButton, c.defaultButton) << c.codes;
        EXPECT_EQ(buttons.escapeButton, c.escapeButton) << c.codes;
    }
}

TEST(MessageButtons, AnswersAndIcons) {
    using B = QMessageBox::StandardButton;
    EXPECT_EQ(answerFor(B::Ok), 1);
    EXPECT_EQ(answerFor(B::Cancel), 2);
    EXPECT_EQ(answerFor(B::Abort), 3);
    EXPECT_EQ(answerFor(B::Retry), 4);
    EXPECT_EQ(answerFor(B::Ignore), 5);
    EXPECT_EQ(answerFor(B::Yes), 6);
    EXPECT_EQ(answerFor(B::No), 7);

    EXPECT_EQ(iconFor({u"", u"", MessageIcon::Stop, 48}), MessageIcon::Stop);
    EXPECT_EQ(iconFor({u"", u"", MessageIcon::None, 16}), MessageIcon::Stop);
    EXPECT_EQ(iconFor({u"", u"", MessageIcon::None, 32 + 4}), MessageIcon::Question);
    EXPECT_EQ(iconFor({u"", u"", MessageIcon::None, 48}), MessageIcon::Exclamation);
    EXPECT_EQ(iconFor({u"", u"", MessageIcon::None, 64 + 1}), MessageIcon::Information);
    EXPECT_EQ(iconFor({u"", u"", MessageIcon::None, 1}), MessageIcon::None);
}

TEST(QtTranslations, QtsOwnDialogsSpeakRussianUnderARussianLocale) {
    QCoreApplication& application = *QCoreApplication::instance();
    if (!installQtTranslations(application, QLocale(QLocale::Russian, QLocale::Russia))) {
        GTEST_SKIP() << "Qt's translations are not installed (qt6-translations-l10n)";
    }
    EXPECT_NE(QCoreApplication::translate("QFileDialog", "Look in:"), "Look in:");
    EXPECT_NE(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Cancel");
    for (QTranslator* translator : application.findChildren<QTranslator*>()) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), "Look in:");
}

}  // namespace
}  // namespace lorvane
