#include "pipeline/result_mark.h"

#include <sys/xattr.h>

#include "platform/paths.h"

namespace lorvane {
namespace {

// The "user." namespace is the one an ordinary user may set on their own files.
constexpr char kMarkName[] = "user.lorvane.result";
constexpr char kMarkValue[] = "1";

}  // namespace

bool markAsResult(int fd) {
    return ::fsetxattr(fd, kMarkName, kMarkValue, sizeof kMarkValue - 1, 0) == 0;
}

bool isMarkedResult(std::u16string_view path) {
    if (path.empty()) return false;
    char value[sizeof kMarkValue] = {};
    // A link is judged itself, not the file it names: a result replaces the link.
    const ssize_t length = ::lgetxattr(toFsPath(path).c_str(), kMarkName, value, sizeof value);
    return length == static_cast<ssize_t>(sizeof kMarkValue - 1) &&
           std::string_view(value, static_cast<std::size_t>(length)) == kMarkValue;
}

}  // namespace lorvane
