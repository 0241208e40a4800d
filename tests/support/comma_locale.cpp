#include "comma_locale.h"

#include <unistd.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace lorvane::test {
namespace {

namespace fs = std::filesystem;

// One folder per test process, removed when the process ends.
class PrivateLocales {
  public:
    PrivateLocales()
        : folder_(fs::temp_directory_path() / ("lorvane-locales-" + std::to_string(::getpid()))) {}
    ~PrivateLocales() {
        std::error_code error;
        fs::remove_all(folder_, error);
    }

    // Generates `name` ("ru_RU.UTF-8") and points LOCPATH at the folder.
    bool generate(const std::string& name) {
        const auto dot = name.find('.');
        if (dot == std::string::npos) return false;
        std::error_code error;
        fs::create_directories(folder_, error);
        if (!fs::exists(folder_ / name)) {
            const std::string command = "localedef -i " + name.substr(0, dot) + " -f " +
                                        name.substr(dot + 1) + " '" + (folder_ / name).string() +
                                        "' >/dev/null 2>&1";
            if (std::system(command.c_str()) != 0 && !fs::exists(folder_ / name)) return false;
        }
        return ::setenv("LOCPATH", folder_.c_str(), 1) == 0;
    }

  private:
    fs::path folder_;
};

}  // namespace

ScopedLocale::ScopedLocale(const std::string& name) {
    const char* current = std::setlocale(LC_ALL, nullptr);
    previous_ = current != nullptr ? current : "C";
    if (std::setlocale(LC_ALL, name.c_str()) == nullptr) {
        static PrivateLocales locales;
        if (!locales.generate(name) || std::setlocale(LC_ALL, name.c_str()) == nullptr) return;
    }
    active_ = true;
}

ScopedLocale::~ScopedLocale() {
    std::setlocale(LC_ALL, previous_.c_str());
}

}  // namespace lorvane::test
