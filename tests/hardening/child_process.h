// Runs lorvane-cli (or another program) as a child under injected faults: resource limits
// (file size, address space), an optional private mount namespace in which a folder is made
// read-only or replaced by a tiny file system, and the child's peak memory from wait4.
#pragma once

#include <sys/resource.h>

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "sanitizers.h"

namespace lorvane::test {

struct ChildFaults {
    // A child still running after this long is killed (a hang fails the test, not the run).
    int secondsLimit = 120;
    std::optional<rlim_t> fileSizeLimit;  // RLIMIT_FSIZE in bytes
    // SIGXFSZ ignored, so a write past the limit fails with EFBIG; otherwise it keeps the
    // default action, as after a shell's "ulimit -f", and the program must ignore it itself.
    bool ignoreFileSizeSignal = true;
    std::optional<rlim_t> addressSpaceLimit;  // RLIMIT_AS in bytes
    // Folders made read-only in a private mount namespace (bind mounts over themselves).
    std::vector<std::filesystem::path> readOnlyFolders;
    // Folders covered by a fresh tmpfs of this many bytes in a private mount namespace, and
    // files put into them before the program starts. What the program leaves there is listed
    // in ChildRun::leftOnTinyFileSystems, since the file systems end with the child.
    std::map<std::filesystem::path, std::size_t> tinyFileSystems;
    std::map<std::filesystem::path, std::string> filesOnTinyFileSystems;
};

struct ChildRun {
    int exitCode = -1;  // -1 when it ended by a signal
    int signal = 0;     // the signal that ended it, 0 when it exited
    std::string out;
    std::string err;
    long peakRssKiB = 0;  // ru_maxrss of the child
    // "name size" for every file on the tiny file systems after the run, one a line.
    std::string leftOnTinyFileSystems;
};

ChildRun runChild(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                  const std::map<std::string, std::optional<std::string>>& environment = {},
                  const ChildFaults& faults = {});

// Empty when the private mount namespaces the faults above need can be made here; otherwise
// why not (tests then skip with this reason).
std::string mountNamespaceUnavailable();

// lorvane-cli's path, from the build.
std::filesystem::path cliPath();

}  // namespace lorvane::test
