#include "platform/watched_stamps.h"

#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <cstddef>
#include <cstring>

#include "platform/paths.h"

namespace lorvane {
namespace {

// Changes of a folder's entries, and of the folder itself.
constexpr std::uint32_t kFolderChanges =
    IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_ATTRIB | IN_DELETE_SELF | IN_MOVE_SELF;
// Changes of a file's content or attributes under any of its names, and of the file itself.
constexpr std::uint32_t kFileChanges =
    IN_MODIFY | IN_ATTRIB | IN_CLOSE_WRITE | IN_DELETE_SELF | IN_MOVE_SELF;

// File systems changed only through this machine's kernel, which reports every change.
bool isLocalFileSystem(const std::string& folder) {
    struct statfs info {};
    if (::statfs(folder.c_str(), &info) != 0) return false;
    switch (static_cast<unsigned long>(info.f_type)) {
        case 0xEF53UL:      // ext2, ext3, ext4
        case 0x01021994UL:  // tmpfs
        case 0x9123683EUL:  // btrfs
        case 0x58465342UL:  // xfs
        case 0xF2F52010UL:  // f2fs
            return true;
        default:
            return false;
    }
}

}  // namespace

WatchedStamps::~WatchedStamps() {
    if (fd_ >= 0) ::close(fd_);
}

std::optional<FileStamp> WatchedStamps::look(const std::u16string& path, bool folder) {
    if (!roundOpen_ || !takenInRound_) {
        takeInChanges();
        takenInRound_ = roundOpen_;
    }
    const auto key = std::make_pair(path, folder);
    if (auto it = known_.find(key); it != known_.end() && it->second.changes == changes_) {
        return it->second.stamp;
    }
    known_.erase(key);
    const bool watched = !path.empty() && watchPath(toFsPath(path).string(), folder);
    // Every change up to here is taken in before the stamp is taken, so a later change is
    // reported after it; one that mattered meanwhile may have undone what was just watched.
    const std::uint64_t before = changes_;
    takeInChanges();
    auto stamp = folder ? lorvane::folderStampOf(path) : lorvane::stampOf(path);
    if (watched && stamp && changes_ == before) known_[key] = {*stamp, changes_};
    return stamp;
}

// Watches every folder on the way to the path and the file or folder itself; false when the
// path cannot be trusted to report its changes.
bool WatchedStamps::watchPath(const std::string& path, bool folder) {
    if (unavailable_) return false;
    if (fd_ < 0) {
        fd_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        if (fd_ < 0) {
            unavailable_ = true;
            return false;
        }
    }
    if (path.empty() || path.front() != '/') return false;
    auto inFolder = [](const std::string& folder, const std::string& entry) {
        return folder + (folder.size() > 1 ? "/" : "") + entry;
    };
    std::string parent = "/";
    std::string name;
    for (std::size_t start = 1; start <= path.size();) {
        std::size_t end = path.find('/', start);
        if (end == std::string::npos) end = path.size();
        const std::string component = path.substr(start, end - start);
        start = end + 1;
        if (component.empty()) continue;
        if (component == "." || component == "..") return false;
        if (!name.empty()) {
            if (!watchName(parent, name)) return false;
            parent = inFolder(parent, name);
        }
        name = component;
    }
    if (name.empty() || !watchName(parent, name)) return false;
    const std::string target = inFolder(parent, name);
    struct stat info {};
    if (::lstat(target.c_str(), &info) != 0 ||
        (folder ? !S_ISDIR(info.st_mode) : !S_ISREG(info.st_mode))) {
        return false;
    }
    const std::uint32_t changes = folder ? kFolderChanges | IN_ONLYDIR : kFileChanges;
    const int watch =
        ::inotify_add_watch(fd_, target.c_str(), changes | IN_DONT_FOLLOW | IN_MASK_ADD);
    if (watch < 0) return false;
    watches_[watch].everything = true;
    return true;
}

// Watches `folder` for changes of the entry `name` in it, the folder being a real folder (no
// symbolic link) of a local file system.
bool WatchedStamps::watchName(const std::string& folder, const std::string& name) {
    auto it = trustedFolders_.find(folder);
    if (it == trustedFolders_.end()) {
        struct stat info {};
        if (::lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) ||
            !isLocalFileSystem(folder)) {
            return false;
        }
        const int watch = ::inotify_add_watch(
            fd_, folder.c_str(), kFolderChanges | IN_ONLYDIR | IN_DONT_FOLLOW | IN_MASK_ADD);
        if (watch < 0) return false;
        it = trustedFolders_.emplace(folder, watch).first;
    }
    watches_[it->second].names.insert(name);
    return true;
}

bool WatchedStamps::matters(int watch, std::uint32_t mask, const char* name) const {
    if ((mask & (IN_Q_OVERFLOW | IN_IGNORED)) != 0) return true;
    const auto it = watches_.find(watch);
    if (it == watches_.end() || it->second.everything || name == nullptr) return true;
    return it->second.names.count(name) != 0;
}

// Reads what the system has reported since the last time; a change that matters makes every
// stamp known so far, and every folder found trustworthy, be looked at again.
void WatchedStamps::takeInChanges() {
    if (fd_ < 0) return;
    bool mattered = false;
    alignas(struct inotify_event) char buffer[8192];
    for (;;) {
        const ssize_t got = ::read(fd_, buffer, sizeof buffer);
        if (got <= 0) break;
        for (std::size_t at = 0;
             at + sizeof(struct inotify_event) <= static_cast<std::size_t>(got);) {
            struct inotify_event event;
            std::memcpy(&event, buffer + at, sizeof event);
            const char* name = event.len > 0 ? buffer + at + sizeof event : nullptr;
            mattered = mattered || matters(event.wd, event.mask, name);
            if ((event.mask & IN_IGNORED) != 0) watches_.erase(event.wd);  // the watch is gone
            at += sizeof event + event.len;
        }
    }
    if (!mattered) return;
    ++changes_;
    known_.clear();
    trustedFolders_.clear();
}

}  // namespace lorvane
