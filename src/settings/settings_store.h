// The few values kept between runs, addressed by section and key under the application
// "lorvane". The desktop program stores them in a per-user INI file; tests use a map.
#pragma once

#include <map>
#include <string>
#include <utility>

namespace lorvane {

inline constexpr char16_t kSettingsSection[] = u"Settings";
inline constexpr char16_t kArchiverSection[] = u"Settings\\Arc";

class SettingsStore {
  public:
    virtual ~SettingsStore() = default;
    // The stored text, or `fallback` when the key is absent.
    virtual std::u16string get(const std::u16string& section, const std::u16string& key,
                               const std::u16string& fallback) const = 0;
    // Creates or replaces the value; an empty value keeps the key present.
    virtual void save(const std::u16string& section, const std::u16string& key,
                      const std::u16string& value) = 0;
};

// A store that forgets everything at exit: for tests and for runs without a settings file.
class MemorySettingsStore : public SettingsStore {
  public:
    std::u16string get(const std::u16string& section, const std::u16string& key,
                       const std::u16string& fallback) const override {
        auto it = values_.find({section, key});
        return it == values_.end() ? fallback : it->second;
    }
    void save(const std::u16string& section, const std::u16string& key,
              const std::u16string& value) override {
        values_[{section, key}] = value;
    }

  private:
    std::map<std::pair<std::u16string, std::u16string>, std::u16string> values_;
};

}  // namespace lorvane
