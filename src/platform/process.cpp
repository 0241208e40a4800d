#include "platform/process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <thread>

#include "platform/paths.h"
#include "platform/text.h"

extern char** environ;

namespace lorvane {

std::vector<std::u16string> splitCommandLine(std::u16string_view line) {
    std::vector<std::u16string> arguments;
    std::size_t i = 0;
    const std::size_t n = line.size();
    while (true) {
        while (i < n && (line[i] == u' ' || line[i] == u'\t'))
            ++i;
        if (i >= n) break;
        std::u16string argument;
        bool quoted = false;
        while (i < n && (quoted || (line[i] != u' ' && line[i] != u'\t'))) {
            if (line[i] == u'\\') {
                std::size_t slashes = 0;
                while (i < n && line[i] == u'\\')
                    ++slashes, ++i;
                if (i < n && line[i] == u'"') {
                    argument.append(slashes / 2, u'\\');
                    if (slashes % 2 == 1) {
                        argument.push_back(u'"');
                        ++i;
                    }
                } else {
                    argument.append(slashes, u'\\');
                }
            } else if (line[i] == u'"') {
                if (quoted && i + 1 < n && line[i + 1] == u'"') {
                    argument.push_back(u'"');  // "" inside quotes is one literal quote
                    i += 2;
                } else {
                    quoted = !quoted;
                    ++i;
                }
            } else {
                argument.push_back(line[i++]);
            }
        }
        arguments.push_back(std::move(argument));
    }
    return arguments;
}

namespace {

struct Spawned {
    bool ok = false;
    pid_t pid = -1;
};

Spawned spawn(const std::vector<std::u16string>& arguments) {
    if (arguments.empty() || arguments.front().empty()) return {};
    std::vector<std::string> utf8;
    utf8.reserve(arguments.size());
    for (const auto& argument : arguments)
        utf8.push_back(toFsPath(argument).native());  // mostly paths: their own bytes
    std::vector<char*> argv;
    for (auto& argument : utf8)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);

    pid_t pid = -1;
    const int result = posix_spawnp(&pid, argv[0], &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (result != 0) return {};
    return {true, pid};
}

}  // namespace

bool startDetached(const std::vector<std::u16string>& arguments) {
    Spawned child = spawn(arguments);
    if (!child.ok) return false;
    // Reap the child whenever it ends, so a long-running program leaves no zombie behind.
    std::thread([pid = child.pid] { waitpid(pid, nullptr, 0); }).detach();
    return true;
}

ProcessOutcome runAndWait(const std::vector<std::u16string>& arguments,
                          std::chrono::milliseconds limit) {
    Spawned child = spawn(arguments);
    if (!child.ok) return {};
    ProcessOutcome outcome;
    outcome.started = true;
    const auto deadline = std::chrono::steady_clock::now() + limit;
    auto pause = std::chrono::milliseconds(1);
    while (true) {
        int status = 0;
        const pid_t done = waitpid(child.pid, &status, WNOHANG);
        if (done == child.pid) {
            outcome.finished = true;
            outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            return outcome;
        }
        if (done < 0) return outcome;
        if (std::chrono::steady_clock::now() >= deadline) {
            kill(-child.pid, SIGKILL);  // the whole process group: archivers may start helpers
            waitpid(child.pid, &status, 0);
            return outcome;
        }
        std::this_thread::sleep_for(pause);
        if (pause < std::chrono::milliseconds(50)) pause *= 2;
    }
}

bool isProgramAvailable(std::u16string_view program) {
    const std::string name = toUtf8(program);
    if (name.empty()) return false;
    if (name.find('/') != std::string::npos) return access(name.c_str(), X_OK) == 0;
    const char* path = std::getenv("PATH");
    if (path == nullptr) return false;
    std::string_view rest(path);
    while (true) {
        const auto colon = rest.find(':');
        std::string folder(rest.substr(0, colon));
        if (folder.empty()) folder = ".";
        if (access((folder + "/" + name).c_str(), X_OK) == 0) return true;
        if (colon == std::string_view::npos) return false;
        rest.remove_prefix(colon + 1);
    }
}

}  // namespace lorvane
