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
    // The files are looked up when first asked about.
    explicit FileSet(const std::vector<std::u16string>& paths) : unlooked_(paths) {}
    // A path that names no file now adds nothing.
    void add(const std::u16string& path) {
        struct stat info {};
        if (::stat(toFsPath(path).c_str(), &info) == 0) files_.emplace(info.st_dev, info.st_ino);
    }
    // A file just made under a name nothing stood under. No file that existed before it can be
    // it, so a path names it only where it spells the name the same way; that is checked without
    // a look at the file system.
    void addMadeUnderFreeName(const std::u16string& path) { freeNames_.insert(path); }
    bool holds(const std::u16string& path) {
        for (const std::u16string& unlooked : unlooked_)
            add(unlooked);
        unlooked_.clear();
        if (freeNames_.count(path) != 0) return true;
        if (files_.empty()) return false;
        struct stat info {};
        return ::stat(toFsPath(path).c_str(), &info) == 0 &&
               files_.count({info.st_dev, info.st_ino}) != 0;
    }

  private:
    std::vector<std::u16string> unlooked_;
    std::set<std::pair<dev_t, ino_t>> files_;
    std::set<std::u16string> freeNames_;
};

}  // namespace lorvane
