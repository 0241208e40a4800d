// Starting outside programs without a shell: a command line is split into arguments by the
// Windows rules (double quotes group, backslashes before quotes escape them), so no file name
// can inject a command.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lorvane {

std::vector<std::u16string> splitCommandLine(std::u16string_view commandLine);

// Starts the program (first argument, looked up on PATH when it has no separator) and does not
// wait for it. False when it could not be started.
bool startDetached(const std::vector<std::u16string>& arguments);

struct ProcessOutcome {
    bool started = false;
    bool finished = false;  // false: still running at the time limit, and stopped
    int exitCode = -1;
};

// Starts the program and waits for it to end, at most `limit`; a program still running then is
// stopped. Its standard input is empty and its output is discarded.
ProcessOutcome runAndWait(const std::vector<std::u16string>& arguments,
                          std::chrono::milliseconds limit);

// True when a program of that name can be found on PATH (or the path names an executable file).
bool isProgramAvailable(std::u16string_view program);

}  // namespace lorvane
