// The stamps of the files a conversion looks at for every document of a run (its tables, their
// folders): what stampOf and folderStampOf answer, asked of the file system again only once the
// system has reported a change on the way to the file.
//
// The system reports every change made on this machine to a local file system. A path with a
// symbolic link on the way, with "." or "..", on another kind of file system (a network share can
// change from elsewhere), or one the system refuses to watch, is looked at every time, as is
// every path when watching is not available at all.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <utility>

#include "platform/file_stamp.h"

namespace lorvane {

class WatchedStamps {
  public:
    WatchedStamps() = default;
    ~WatchedStamps();
    WatchedStamps(const WatchedStamps&) = delete;
    WatchedStamps& operator=(const WatchedStamps&) = delete;

    std::optional<FileStamp> stampOf(const std::u16string& path) { return look(path, false); }
    std::optional<FileStamp> folderStampOf(const std::u16string& path) { return look(path, true); }

    // While a round is open, the changes reported are taken in once, at its first look: the
    // looks of one round see one state of the files. Outside rounds every look takes them in.
    void openRound() {
        roundOpen_ = true;
        takenInRound_ = false;
    }
    void closeRound() { roundOpen_ = false; }
    bool roundOpen() const { return roundOpen_; }

  private:
    std::optional<FileStamp> look(const std::u16string& path, bool folder);
    bool watchPath(const std::string& path, bool folder);
    bool watchName(const std::string& folder, const std::string& name);
    void takeInChanges();
    bool matters(int watch, std::uint32_t mask, const char* name) const;

    int fd_ = -1;
    bool unavailable_ = false;
    std::uint64_t changes_ = 0;  // changes that mattered, taken in so far
    bool roundOpen_ = false;
    bool takenInRound_ = false;
    struct Known {
        FileStamp stamp;
        std::uint64_t changes = 0;  // as taken in just before the stamp was
    };
    std::map<std::pair<std::u16string, bool>, Known> known_;
    // Each watch's names whose change matters; a watch of a file or of a stamped folder takes
    // every change.
    struct Watch {
        std::set<std::string> names;
        bool everything = false;
    };
    std::unordered_map<int, Watch> watches_;
    // Folders found to be real local folders and watched, since the last change that mattered.
    std::map<std::string, int> trustedFolders_;
};

}  // namespace lorvane
