// Runs a test under a locale that writes numbers with a decimal comma, as a desktop session
// does under a Russian or German locale (Qt sets the process locale from the environment).
#pragma once

#include <string>

namespace lorvane::test {

// The locales a number must not depend on; "C" is the one the command-line tools run under.
inline constexpr const char* kNumberLocales[] = {"ru_RU.UTF-8", "de_DE.UTF-8", "C"};

// Sets the process locale to `name` (such as "ru_RU.UTF-8") for its lifetime. When the system
// has not installed that locale, the locales of kNumberLocales are generated with localedef into
// a folder of the user's (once; later test processes reuse it). active() is false when neither
// worked; the test should then be skipped.
class ScopedLocale {
  public:
    explicit ScopedLocale(const std::string& name);
    ~ScopedLocale();
    ScopedLocale(const ScopedLocale&) = delete;
    ScopedLocale& operator=(const ScopedLocale&) = delete;

    bool active() const { return active_; }

  private:
    std::string previous_;
    bool active_ = false;
};

}  // namespace lorvane::test
