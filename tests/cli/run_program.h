// Runs a program as a separate process for tests: given arguments, environment changes and
// standard input; returns its exit code and what it wrote to standard output and error.
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace lorvane::test {

struct ProgramRun {
    int exitCode = -1;  // -1: it did not end normally
    std::string out;
    std::string err;
};

// `environment` sets variables (a value) or removes them (nothing).
ProgramRun runProgram(const std::filesystem::path& program,
                      const std::vector<std::string>& arguments,
                      const std::map<std::string, std::optional<std::string>>& environment = {},
                      const std::string& input = {});

}  // namespace lorvane::test
