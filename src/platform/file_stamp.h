// A file as the file system knows it: which file, and which version of it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace lorvane {

struct FileStamp {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    std::int64_t modified = 0;  // nanoseconds
    bool sameFile(const FileStamp& other) const {
        return device == other.device && inode == other.inode;
    }
    bool operator==(const FileStamp&) const = default;
};

// Nothing for a path that names no regular file.
std::optional<FileStamp> stampOf(const std::u16string& path);
// Nothing for a path that names no folder.
std::optional<FileStamp> folderStampOf(const std::u16string& path);

}  // namespace lorvane
