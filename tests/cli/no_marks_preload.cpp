// Loaded into lorvane-cli with LD_PRELOAD: the process then meets a file system that keeps no
// extended attributes (as FAT does), so results cannot be marked.
#include <sys/types.h>

#include <cerrno>
#include <cstddef>

extern "C" {

int fsetxattr(int, const char*, const void*, std::size_t, int) {
    errno = ENOTSUP;
    return -1;
}

ssize_t lgetxattr(const char*, const char*, void*, std::size_t) {
    errno = ENOTSUP;
    return -1;
}

ssize_t getxattr(const char*, const char*, void*, std::size_t) {
    errno = ENOTSUP;
    return -1;
}
}
