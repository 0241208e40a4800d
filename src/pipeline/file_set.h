// Files by device and inode, so a file is recognised under any of its names. Internal to the
// pipeline: a run keeps the results it wrote in one, to tell a source an earlier result of the
// run was written over.
#pragma once

#include <sys/stat.h>

#include <set>
#include <string>
#include <utility>

#include "platform/paths.h"

namespace lorvane {

class FileSet {
  public:
    // A path that names no file now adds nothing.
    void add(const std::u16string& path) {
        struct stat info {};
        if (::stat(toFsPath(path).c_str(), &info) == 0) files_.emplace(info.st_dev, info.st_ino);
    }
    // A file just made under a name nothing stood under. No file that existed before it can be
    // it, so a path names it only where it spells the name the same way; that is checked without
    // a look at the file system.
    void addMadeUnderFreeName(const std::u16string& path) { freeNames_.insert(path); }
    // A result of the run, as its writing told where it went.
    void addResult(const std::u16string& path, bool tookFreeName) {
        if (tookFreeName)
            addMadeUnderFreeName(path);
        else
            add(path);
    }
    bool holds(const std::u16string& path) const {
        if (freeNames_.count(path) != 0) return true;
        if (files_.empty()) return false;
        struct stat info {};
        return ::stat(toFsPath(path).c_str(), &info) == 0 &&
               files_.count({info.st_dev, info.st_ino}) != 0;
    }

  private:
    std::set<std::pair<dev_t, ino_t>> files_;
    std::set<std::u16string> freeNames_;
};

}  // namespace lorvane
