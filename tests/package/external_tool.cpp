#include "external_tool.h"

#include <unistd.h>

#include <cstdlib>
#include <sstream>

namespace lorvane::test {
namespace fs = std::filesystem;

std::optional<fs::path> findOnPath(std::string_view name) {
    const char* path = std::getenv("PATH");
    std::istringstream folders(path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin");
    std::string folder;
    while (std::getline(folders, folder, ':')) {
        if (folder.empty()) continue;
        const fs::path candidate = fs::path(folder) / name;
        std::error_code error;
        if (fs::is_regular_file(candidate, error) && ::access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return std::nullopt;
}

std::string missingTool(std::string_view tool, std::string_view debianPackage) {
    return std::string(tool) + " is not installed: install the Debian package " +
           std::string(debianPackage) + " (scripts/install-deps.sh does)";
}

std::string describeRun(const fs::path& program, const std::vector<std::string>& arguments,
                        const ProgramRun& run) {
    std::string text = program.string();
    for (const std::string& argument : arguments)
        text += " '" + argument + "'";
    text += "\nexit code " + std::to_string(run.exitCode);
    text += "\n--- standard output:\n" + run.out;
    text += "\n--- standard error:\n" + run.err;
    return text;
}

ProgramRun runIsolated(const fs::path& program, const std::vector<std::string>& arguments,
                       const Environment& environment) {
    Environment changes = environment;
    changes.emplace("LORVANE_HOME", std::nullopt);
    changes.emplace("LORVANE_CODEPAGE", std::nullopt);
    changes.emplace("LORVANE_NO_OPEN", "1");
    return runProgram(program, arguments, changes);
}

ProgramRun runWithin(int seconds, const fs::path& program,
                     const std::vector<std::string>& arguments, const Environment& environment) {
    static const std::optional<fs::path> timeout = findOnPath("timeout");
    if (!timeout) return runProgram(program, arguments, environment);
    std::vector<std::string> limited{"--kill-after=10", std::to_string(seconds), program.string()};
    limited.insert(limited.end(), arguments.begin(), arguments.end());
    return runProgram(*timeout, limited, environment);
}

std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.emplace_back(line);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

}  // namespace lorvane::test
