#include "pipeline/output_writer.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <random>
#include <utility>
#include <vector>

#include "pipeline/result_mark.h"
#include "platform/error_catalogue.h"
#include "platform/file_errors.h"
#include "platform/paths.h"

namespace lorvane {
namespace fs = std::filesystem;
namespace {

constexpr int kNameAttempts = 64;

// A hidden name in the target's folder, so listers never show a result still being written.
fs::path temporaryName(const fs::path& target, std::mt19937_64& random) {
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    static const std::string process = std::to_string(::getpid());
    return folder / ("." + target.filename().string() + "." + process + "-" +
                     std::to_string(random() % 1000000007) + ".part");
}

// A result to be flushed at once is handed to the kernel in slices of this size, and each slice
// is sent on its way to the disk as soon as it is written: the flush at the end then waits only
// for the last slices instead of the whole result.
constexpr std::size_t kWritebackSlice = std::size_t{4} << 20;

// 0, or the errno of the write that failed.
int writeAll(int fd, const ContentPieces& pieces, Flush flush) {
    const bool early = flush == Flush::Now;
    off_t written = 0;
    off_t sent = 0;  // what is on its way to the disk already
    for (std::string_view bytes = pieces(); !bytes.empty(); bytes = pieces()) {
        while (!bytes.empty()) {
            const std::size_t slice =
                early ? std::min(bytes.size(), kWritebackSlice) : bytes.size();
            const ssize_t done = ::write(fd, bytes.data(), slice);
            if (done < 0) {
                if (errno == EINTR) continue;
                return errno;
            }
            bytes.remove_prefix(static_cast<std::size_t>(done));
            written += done;
            if (early && written - sent >= static_cast<off_t>(kWritebackSlice)) {
                // Only a start: where the file system cannot, the flush does it all.
                ::sync_file_range(fd, sent, written - sent, SYNC_FILE_RANGE_WRITE);
                sent = written;
            }
        }
    }
    return 0;
}

// 0, or the errno that kept the file at `path` from the disk.
int flushAlone(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errno;
    const int error = ::fsync(fd) != 0 ? errno : 0;
    ::close(fd);
    return error;
}

ContentPieces wholeContent(std::string_view bytes) {
    return [bytes, given = false]() mutable {
        if (given) return std::string_view();
        given = true;
        return bytes;
    };
}

// What stands under a target's name, looked at once: a link counts as standing there, and is
// followed to tell whether it names the source or a folder.
struct TargetLook {
    bool exists = false;
    bool isSource = false;
    int refused = 0;  // EISDIR or EACCES: left alone, as a read-only file is
};

TargetLook lookAt(const std::u16string& target, std::u16string_view source) {
    TargetLook look;
    const fs::path path = toFsPath(target);
    struct stat link {};
    if (::lstat(path.c_str(), &link) != 0) return look;
    look.exists = true;
    struct stat named = link;
    const bool resolves = !S_ISLNK(link.st_mode) || ::stat(path.c_str(), &named) == 0;
    if (resolves && !source.empty()) {
        struct stat from {};
        look.isSource = ::stat(toFsPath(source).c_str(), &from) == 0 &&
                        from.st_dev == named.st_dev && from.st_ino == named.st_ino;
    }
    if (resolves && S_ISDIR(named.st_mode)) {
        look.refused = EISDIR;
    } else if (::access(path.c_str(), W_OK) != 0 && errno == EACCES) {
        look.refused = EACCES;
    }
    return look;
}

// Whether a result may take the target's name from what stands there: not over its own source,
// not over what this process may not write.
Status acceptedTarget(const std::u16string& target, const TargetLook& look) {
    if (look.isSource) return failureFor(errors::kOutputIsSource, target);
    if (look.refused != 0) return fileFailure(look.refused, FileAction::Write, target);
    return {};
}

// The content complete in a hidden file beside the target, marked as a result when asked.
Expected<fs::path> writeTemporary(const std::u16string& target, const ContentPieces& pieces,
                                  bool marked, Flush flush = Flush::Now) {
    const fs::path path = toFsPath(target);
    // Seeded once per thread: opening the random device for every result of a folder cost more
    // than writing a small result. A name taken already is simply tried again.
    thread_local std::mt19937_64 random(std::random_device{}());
    fs::path temporary;
    int fd = -1;
    for (int attempt = 0; attempt < kNameAttempts && fd < 0; ++attempt) {
        temporary = temporaryName(path, random);
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) return fileFailure(errno, FileAction::Write, target);
    }
    if (fd < 0) return fileFailure(EEXIST, FileAction::Write, target);

    int error = writeAll(fd, pieces, flush);
    if (error == 0 && marked) markAsResult(fd);
    // The data and the mark reach the disk before the rename (here, or later for a prepared
    // result), so a crash cannot leave an empty or unmarked file under the target's name.
    if (error == 0 && flush == Flush::Now && ::fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error != 0) {
        ::unlink(temporary.c_str());
        return fileFailure(error, FileAction::Write, target);
    }
    return temporary;
}

Status renameOver(const fs::path& temporary, const std::u16string& target) {
    if (::rename(temporary.c_str(), toFsPath(target).c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return fileFailure(error, FileAction::Write, target);
    }
    return {};
}

// True when something the user may care for stands under the name: anything but a result.
bool holdsUsersFile(const std::u16string& target, const TargetLook& look) {
    return look.exists && !isMarkedResult(target);
}

// True when the temporary took the target's name because nothing stood under it: one step that
// cannot replace a file put there meanwhile. False when something stands there, or when the file
// system cannot rename that way; the temporary is then where it was.
bool renameToFreeName(const fs::path& temporary, const std::u16string& target) {
    return ::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, toFsPath(target).c_str(),
                       RENAME_NOREPLACE) == 0;
}

// Puts a complete temporary in the place of whatever stands under the target's name. A file the
// user wrote there moves aside in one step, replacing an older backup; should the result then
// fail to take its place, the file goes back. The temporary is gone afterwards, whatever
// happened.
Expected<ResultWrite> takeTakenPlace(const fs::path& temporary, const std::u16string& target,
                                     const TargetLook& look) {
    ResultWrite written;
    if (holdsUsersFile(target, look)) {
        written.backup = target + u"~";
        const fs::path backup = toFsPath(written.backup);
        if (::rename(toFsPath(target).c_str(), backup.c_str()) != 0) {
            const int error = errno;
            ::unlink(temporary.c_str());
            return fileFailure(error, FileAction::Write, written.backup);
        }
        if (Status renamed = renameOver(temporary, target); !renamed) {
            ::rename(backup.c_str(), toFsPath(target).c_str());
            return renamed.failure();
        }
        return written;
    }
    if (Status renamed = renameOver(temporary, target); !renamed) return renamed.failure();
    return written;
}

// Puts a complete temporary in the target's place, taken in one step when it is free.
Expected<ResultWrite> takePlace(const fs::path& temporary, const std::u16string& target) {
    if (renameToFreeName(temporary, target)) return ResultWrite{{}, true};
    return takeTakenPlace(temporary, target, lookAt(target, {}));
}

}  // namespace

Status writeFileSafely(const std::u16string& target, std::string_view bytes) {
    return writeFileSafely(target, wholeContent(bytes));
}

Status writeFileSafely(const std::u16string& target, const ContentPieces& pieces) {
    if (Status accepted = acceptedTarget(target, lookAt(target, {})); !accepted) return accepted;
    auto temporary = writeTemporary(target, pieces, false);
    if (!temporary) return temporary.failure();
    return renameOver(*temporary, target);
}

Expected<ResultWrite> writeResult(const std::u16string& target, std::string_view bytes,
                                  std::u16string_view source) {
    return writeResult(target, wholeContent(bytes), source);
}

Expected<ResultWrite> writeResult(const std::u16string& target, const ContentPieces& pieces,
                                  std::u16string_view source) {
    if (Status accepted = acceptedTarget(target, lookAt(target, source)); !accepted) {
        return accepted.failure();
    }
    auto temporary = writeTemporary(target, pieces, true);
    if (!temporary) return temporary.failure();
    return takePlace(*temporary, target);
}

PreparedResult::~PreparedResult() {
    if (!temporary_.empty()) ::unlink(temporary_.c_str());
}

PreparedResult::PreparedResult(PreparedResult&& other) noexcept
    : temporary_(std::exchange(other.temporary_, {})),
      onDisk_(other.onDisk_),
      flushError_(other.flushError_) {}

PreparedResult& PreparedResult::operator=(PreparedResult&& other) noexcept {
    if (this != &other) {
        if (!temporary_.empty()) ::unlink(temporary_.c_str());
        temporary_ = std::exchange(other.temporary_, {});
        onDisk_ = other.onDisk_;
        flushError_ = other.flushError_;
    }
    return *this;
}

// A target that may not be written is met when the result is committed, before anything else
// could fail there, as writeResult meets it before writing.
Expected<PreparedResult> prepareResult(const std::u16string& target, std::string_view bytes,
                                       Flush flush) {
    auto temporary = writeTemporary(target, wholeContent(bytes), true, flush);
    if (!temporary) return temporary.failure();
    PreparedResult prepared;
    prepared.temporary_ = temporary->string();
    prepared.onDisk_ = flush == Flush::Now;
    return prepared;
}

void flushPrepared(std::span<Expected<PreparedResult>* const> results) {
    // The file systems flushed so far, each with the errno of its flush, and the folders whose
    // file system is known: the results of a run mostly share one folder, looked at once.
    std::vector<std::pair<dev_t, int>> flushed;
    std::vector<std::pair<std::string_view, dev_t>> folders;
    for (Expected<PreparedResult>* result : results) {
        if (!*result || (*result)->onDisk_ || (*result)->temporary_.empty()) continue;
        PreparedResult& prepared = **result;
        const std::string_view path = prepared.temporary_;
        const std::string_view folder = path.substr(0, path.rfind('/') + 1);
        auto known = std::find_if(folders.begin(), folders.end(),
                                  [&](const auto& entry) { return entry.first == folder; });
        if (known == folders.end() || folder.empty()) {
            struct stat status {};
            if (::stat(prepared.temporary_.c_str(), &status) != 0) {
                prepared.flushError_ = errno;
                continue;
            }
            known = folders.insert(folders.end(), {folder, status.st_dev});
        }
        const dev_t fileSystem = known->second;
        auto device = std::find_if(flushed.begin(), flushed.end(),
                                   [&](const auto& entry) { return entry.first == fileSystem; });
        if (device == flushed.end()) {
            const int fd = ::open(prepared.temporary_.c_str(), O_RDONLY | O_CLOEXEC);
            int error = fd < 0 ? errno : ::syncfs(fd) != 0 ? errno : 0;
            if (fd >= 0) ::close(fd);
            device = flushed.insert(flushed.end(), {fileSystem, error});
        }
        // The file system's flush reports a failure anywhere on it; this result's own flush
        // tells whether the failure was this result's.
        prepared.flushError_ = device->second == 0 ? 0 : flushAlone(prepared.temporary_);
        prepared.onDisk_ = prepared.flushError_ == 0;
    }
}

Expected<ResultWrite> commitResult(const std::u16string& target, Expected<PreparedResult> prepared,
                                   std::u16string_view source) {
    if (prepared && !prepared->onDisk_ && prepared->flushError_ == 0) {
        prepared->flushError_ = flushAlone(prepared->temporary_);
        prepared->onDisk_ = prepared->flushError_ == 0;
    }
    // The usual case, a name nothing stands under: none of the checks below can fail there.
    if (prepared && prepared->onDisk_ && renameToFreeName(prepared->temporary_, target)) {
        prepared->temporary_.clear();
        return ResultWrite{{}, true};
    }
    // What stands there is looked at once, just before the result takes its place.
    const TargetLook look = lookAt(target, source);
    if (Status accepted = acceptedTarget(target, look); !accepted) return accepted.failure();
    if (!prepared) return prepared.failure();
    // Failing, the prepared result goes, and its temporary with it.
    if (prepared->flushError_ != 0) {
        return fileFailure(prepared->flushError_, FileAction::Write, target);
    }
    const fs::path temporary = std::exchange(prepared->temporary_, {});
    // A result on the disk found the name taken above; one that was not fails before this.
    return takeTakenPlace(temporary, target, look);
}

}  // namespace lorvane
