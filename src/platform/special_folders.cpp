#include "platform/special_folders.h"

#include <cstdlib>
#include <fstream>
#include <string>

#include "platform/paths.h"
#include "platform/text.h"

namespace lorvane {
namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

// The value of KEY="..." in user-dirs.dirs, with $HOME expanded; empty when not set.
std::string xdgUserDir(const std::string& key) {
    std::string config = environment("XDG_CONFIG_HOME");
    const std::string home = environment("HOME");
    if (config.empty()) config = home + "/.config";
    std::ifstream file(config + "/user-dirs.dirs");
    std::string line;
    while (std::getline(file, line)) {
        if (line.rfind(key + "=", 0) != 0) continue;
        std::string value = line.substr(key.size() + 1);
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
            value = value.substr(1, value.size() - 2);
        }
        if (value.rfind("$HOME", 0) == 0) value = home + value.substr(5);
        return value;
    }
    return {};
}

}  // namespace

std::u16string documentsFolder() {
    if (std::string dir = xdgUserDir("XDG_DOCUMENTS_DIR"); !dir.empty()) {
        return withoutTrailingSeparator(fromUtf8(dir));
    }
    const std::u16string home = fromUtf8(environment("HOME"));
    const std::u16string documents = home + u"/Documents";
    if (isDirectory(documents)) return documents;
    return withoutTrailingSeparator(home);
}

std::u16string desktopFolder() {
    if (std::string dir = xdgUserDir("XDG_DESKTOP_DIR"); !dir.empty()) {
        return withoutTrailingSeparator(fromUtf8(dir));
    }
    return fromUtf8(environment("HOME")) + u"/Desktop";
}

}  // namespace lorvane
