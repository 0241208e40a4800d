// Writes zip archives whose entries are exactly as given, names such as "../x" or "/x" and
// symbolic links included, which archiving tools refuse to make: hostile archives for tests.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace lorvane::test {

struct ZipEntry {
    std::string name;
    std::string content;  // for a link: where it points
    bool symlink = false;
};

void writeZip(const std::filesystem::path& path, const std::vector<ZipEntry>& entries);

}  // namespace lorvane::test
