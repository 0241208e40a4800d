#include "comma_locale.h"

#include <unistd.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace lorvane::test {
namespace {

namespace fs = std::filesystem;

// Locales generated for the tests, kept between test processes in a folder of the user's.
// glibc remembers a locale it did not find under a LOCPATH, so every locale the tests use is
// generated before LOCPATH names the folder.
bool generateNumberLocales() {
    const fs::path folder =
        fs::temp_directory_path() / ("lorvane-locales-" + std::to_string(::getuid()));
    std::error_code error;
    fs::create_directories(folder, error);
    for (const std::string name : kNumberLocales) {
        const auto dot = name.find('.');
        if (dot == std::string::npos || fs::exists(folder / name)) continue;
        // Generated under a name of its own and renamed, so a parallel test never sees half.
        const fs::path partial = folder / (name + ".part" + std::to_string(::getpid()));
        const std::string command = "localedef -i " + name.substr(0, dot) + " -f " +
                                    name.substr(dot + 1) + " '" + partial.string() +
                                    "' >/dev/null 2>&1";
        (void)std::system(command.c_str());  // warnings give a non-zero status too
        fs::rename(partial, folder / name, error);
        fs::remove_all(partial, error);
        if (!fs::exists(folder / name)) return false;
    }
    return ::setenv("LOCPATH", folder.c_str(), 1) == 0;
}

}  // namespace

ScopedLocale::ScopedLocale(const std::string& name) {
    const char* current = std::setlocale(LC_ALL, nullptr);
    previous_ = current != nullptr ? current : "C";
    if (std::setlocale(LC_ALL, name.c_str()) == nullptr) {
        static const bool generated = generateNumberLocales();
        if (!generated || std::setlocale(LC_ALL, name.c_str()) == nullptr) return;
    }
    active_ = true;
}

ScopedLocale::~ScopedLocale() {
    std::setlocale(LC_ALL, previous_.c_str());
}

}  // namespace lorvane::test
