// Files by device and inode, so a file is recognised under any of its names. Internal to the
// pipeline: a run keeps the results it wrote in one, to tell a source an earlier result of the
// run was written over.
#pragma once

#include <sys/stat.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/paths.h"

namespace lorvane {

class FileSet {
  public:
    FileSet() = default;
    explicit FileSet(const std::vector<std::u16string>& paths) {
        for (const std::u16string& path : paths) add(path);
    }
    // A path that names no file now adds nothing.
    void add(const std::u16string& path) {
        struct stat info {};
        if (::stat(toFsPath(path).c_str(), &info) == 0) files_.emplace(info.st_dev, info.st_ino);
    }
    bool holds(const std::u16string& path) const {
        struct stat info {};
        return ::stat(toFsPath(path).c_str(), &info) == 0 &&
               files_.count({info.st_dev, info.st_ino}) != 0;
    }

  private:
    std::set<std::pair<dev_t, ino_t>> files_;
};

}  // namespace lorvane
