#include "settings/qt_settings_store.h"

#include <QSettings>
#include <QString>
#include <QStringList>

namespace lorvane {

namespace {

constexpr char kApplication[] = "lorvane";

QString settingsKey(const std::u16string& section, const std::u16string& key) {
    QString group = QString::fromStdU16String(section);
    group.replace(u'\\', u'/');
    return group + u'/' + QString::fromStdU16String(key);
}

}  // namespace

QtSettingsStore::QtSettingsStore()
    : settings_(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                            kApplication, kApplication)) {}

QtSettingsStore::QtSettingsStore(const QString& iniFile)
    : settings_(std::make_unique<QSettings>(iniFile, QSettings::IniFormat)) {}

QtSettingsStore::~QtSettingsStore() = default;

std::u16string QtSettingsStore::get(const std::u16string& section, const std::u16string& key,
                                    const std::u16string& fallback) const {
    const QVariant value = settings_->value(settingsKey(section, key));
    if (!value.isValid()) return fallback;
    // A value edited by hand with unquoted commas reads back as a list; keep its text.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(u',').toStdU16String();
    return value.toString().toStdU16String();
}

void QtSettingsStore::save(const std::u16string& section, const std::u16string& key,
                           const std::u16string& value) {
    settings_->setValue(settingsKey(section, key), QString::fromStdU16String(value));
    settings_->sync();
}

QString QtSettingsStore::fileName() const {
    return settings_->fileName();
}

}  // namespace lorvane
