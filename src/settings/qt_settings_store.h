// The settings store of the desktop program: a per-user INI file through QSettings, under the
// application "lorvane" ($XDG_CONFIG_HOME/lorvane/lorvane.ini on POSIX).
//
// A section is a QSettings group; every "\" in a section name becomes the group separator, so
// "Settings\Arc" is the subgroup "Arc" of "Settings". In the file the archiver paths then stand
// in [Settings] as "Arc\zip=...", apart from the keys of "Settings" itself.
#pragma once

#include <memory>

#include "settings/settings_store.h"

class QSettings;
class QString;

namespace lorvane {

class QtSettingsStore : public SettingsStore {
  public:
    // The per-user store of the application "lorvane".
    QtSettingsStore();
    // A store in this INI file (for tools that keep their own file).
    explicit QtSettingsStore(const QString& iniFile);
    ~QtSettingsStore() override;

    std::u16string get(const std::u16string& section, const std::u16string& key,
                       const std::u16string& fallback) const override;
    // Written through at once, so another store on the same file sees the value.
    void save(const std::u16string& section, const std::u16string& key,
              const std::u16string& value) override;

    // The file the values live in.
    QString fileName() const;

  private:
    std::unique_ptr<QSettings> settings_;
};

}  // namespace lorvane
