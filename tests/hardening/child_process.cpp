#include "child_process.h"

#include <fcntl.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <thread>

#include "temp_folder.h"

extern char** environ;

namespace lorvane::test {
namespace {

constexpr int kSetupFailed = 125;

std::vector<std::string> changedEnvironment(
    const std::map<std::string, std::optional<std::string>>& changes) {
    std::vector<std::string> variables;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string variable = *entry;
        if (changes.find(variable.substr(0, variable.find('='))) == changes.end()) {
            variables.push_back(variable);
        }
    }
    for (const auto& [name, value] : changes) {
        if (value) variables.push_back(name + "=" + *value);
    }
    return variables;
}

std::vector<char*> pointers(std::vector<std::string>& strings) {
    std::vector<char*> out;
    for (std::string& s : strings)
        out.push_back(s.data());
    out.push_back(nullptr);
    return out;
}

bool writeFile(const char* path, const std::string& text) {
    const int fd = ::open(path, O_WRONLY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    ::close(fd);
    return ok;
}

// A mount namespace of the child's own, with mounts that do not reach the rest of the system.
// As root one is made directly; otherwise inside a user namespace that maps the user to root.
bool enterPrivateMounts() {
    const uid_t uid = ::getuid();
    const gid_t gid = ::getgid();
    if (::unshare(CLONE_NEWNS) != 0) {
        if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) return false;
        writeFile("/proc/self/setgroups", "deny");
        if (!writeFile("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1\n")) return false;
        if (!writeFile("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1\n")) return false;
    }
    return ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
}

bool applyMounts(const ChildFaults& faults) {
    if (faults.readOnlyFolders.empty() && faults.tinyFileSystems.empty()) return true;
    if (!enterPrivateMounts()) return false;
    for (const auto& folder : faults.readOnlyFolders) {
        if (::mount(folder.c_str(), folder.c_str(), nullptr, MS_BIND, nullptr) != 0) return false;
        if (::mount(nullptr, folder.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) !=
            0) {
            return false;
        }
    }
    for (const auto& [folder, bytes] : faults.tinyFileSystems) {
        const std::string options = "size=" + std::to_string(bytes);
        if (::mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) != 0) return false;
    }
    for (const auto& [path, bytes] : faults.filesOnTinyFileSystems) {
        std::ofstream out(path, std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out) return false;
    }
    return true;
}

void listTinyFileSystems(const ChildFaults& faults, const std::filesystem::path& report) {
    std::ofstream out(report, std::ios::binary);
    for (const auto& [folder, bytes] : faults.tinyFileSystems) {
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
            out << entry.path().filename().string() << ' ' << entry.file_size(error) << '\n';
        }
    }
}

// The tiny file systems end with the process that mounted them: it runs the program as its
// own child and lists what is left before it ends with the program's status.
[[noreturn]] void runAndReport(char** argv, char** envp, const ChildFaults& faults,
                               const std::filesystem::path& report) {
    const pid_t program = ::fork();
    if (program < 0) ::_exit(kSetupFailed);
    if (program == 0) {
        ::execve(argv[0], argv, envp);
        ::_exit(kSetupFailed);
    }
    int status = 0;
    while (::waitpid(program, &status, 0) < 0 && errno == EINTR) {
    }
    listTinyFileSystems(faults, report);
    if (WIFSIGNALED(status)) {
        ::signal(WTERMSIG(status), SIG_DFL);
        ::kill(::getpid(), WTERMSIG(status));
    }
    ::_exit(WIFEXITED(status) ? WEXITSTATUS(status) : kSetupFailed);
}

void applyLimits(const ChildFaults& faults) {
    if (faults.fileSizeLimit) {
        ::signal(SIGXFSZ, faults.ignoreFileSizeSignal ? SIG_IGN : SIG_DFL);
        const rlimit limit{*faults.fileSizeLimit, *faults.fileSizeLimit};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    if (faults.addressSpaceLimit) {
        const rlimit limit{*faults.addressSpaceLimit, *faults.addressSpaceLimit};
        ::setrlimit(RLIMIT_AS, &limit);
    }
}

}  // namespace

ChildRun runChild(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                  const std::map<std::string, std::optional<std::string>>& environment,
                  const ChildFaults& faults) {
    TempFolder streams;
    const auto out = streams.path() / "out";
    const auto err = streams.path() / "err";
    const auto report = streams.path() / "left";
    std::vector<std::string> argv{program.string()};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<std::string> envp = changedEnvironment(environment);
    auto argvPointers = pointers(argv);
    auto envpPointers = pointers(envp);

    const pid_t child = ::fork();
    if (child < 0) throw std::runtime_error("fork failed");
    if (child == 0) {
        const int inFd = ::open("/dev/null", O_RDONLY);
        const int outFd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int errFd = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (inFd < 0 || outFd < 0 || errFd < 0) ::_exit(kSetupFailed);
        ::dup2(inFd, STDIN_FILENO);
        ::dup2(outFd, STDOUT_FILENO);
        ::dup2(errFd, STDERR_FILENO);
        if (!applyMounts(faults)) ::_exit(kSetupFailed);
        applyLimits(faults);
        if (!faults.tinyFileSystems.empty()) {
            runAndReport(argvPointers.data(), envpPointers.data(), faults, report);
        }
        ::execve(argvPointers[0], argvPointers.data(), envpPointers.data());
        ::_exit(kSetupFailed);
    }
    int status = 0;
    rusage usage{};
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::seconds(faults.secondsLimit);
    for (;;) {
        const pid_t done = ::wait4(child, &status, WNOHANG, &usage);
        if (done == child) break;
        if (done < 0 && errno != EINTR) throw std::runtime_error("wait4 failed");
        if (std::chrono::steady_clock::now() > deadline) ::kill(child, SIGKILL);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ChildRun run;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    run.peakRssKiB = usage.ru_maxrss;
    run.out = readBytes(out);
    run.err = readBytes(err);
    run.leftOnTinyFileSystems = readBytes(report);
    if (run.exitCode == kSetupFailed) throw std::runtime_error("the child could not be set up");
    return run;
}

std::string mountNamespaceUnavailable() {
    TempFolder folder;
    const pid_t child = ::fork();
    if (child < 0) return "fork failed";
    if (child == 0) {
        ChildFaults faults;
        faults.readOnlyFolders.push_back(folder.path());
        faults.tinyFileSystems[folder.path()] = 65536;
        ::_exit(applyMounts(faults) ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return {};
    return "no private mount namespace here (unshare and mount are not permitted): a read-only "
           "folder and a full file system cannot be made without privileges";
}

std::filesystem::path cliPath() {
    return LORVANE_CLI_PATH;
}

}  // namespace lorvane::test
