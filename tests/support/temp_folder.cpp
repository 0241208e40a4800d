#include "temp_folder.h"

#include <stdlib.h>

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <system_error>

#include "platform/paths.h"

namespace lorvane::test {
namespace fs = std::filesystem;

TempFolder::TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "lorvane-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code error;
    // Tests may leave read-only folders behind; make them writable so they can be removed.
    for (auto it = fs::recursive_directory_iterator(path_, error);
         !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, error);
    }
    fs::remove_all(path_, error);
}

std::u16string TempFolder::u16path() const {
    return fromFsPath(path_);
}

std::u16string TempFolder::u16(std::string_view relative) const {
    return fromFsPath(path_ / fs::path(std::string(relative)));
}

fs::path TempFolder::write(std::string_view relative, std::string_view bytes) const {
    fs::path target = path_ / fs::path(std::string(relative));
    fs::create_directories(target.parent_path());
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return target;
}

fs::path TempFolder::makeFolder(std::string_view relative) const {
    fs::path target = path_ / fs::path(std::string(relative));
    fs::create_directories(target);
    return target;
}

std::string TempFolder::read(std::string_view relative) const {
    return readBytes(path_ / fs::path(std::string(relative)));
}

bool TempFolder::exists(std::string_view relative) const {
    return fs::exists(path_ / fs::path(std::string(relative)));
}

std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

}  // namespace lorvane::test
