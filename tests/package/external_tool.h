// The outside programs that the packaging and reader tests drive (cpack, dpkg, desktop-file-
// validate, LibreOffice, Chromium ...): found on the PATH and run as separate processes. A test
// whose tool is missing is skipped with the message `missingTool` gives, never passed.
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "run_program.h"

namespace lorvane::test {

using Environment = std::map<std::string, std::optional<std::string>>;

// The first executable file called `name` in the folders of PATH.
std::optional<std::filesystem::path> findOnPath(std::string_view name);

// Why a test is skipped: the tool and the Debian package that brings it.
std::string missingTool(std::string_view tool, std::string_view debianPackage);

// The command line and everything the run printed, for failure messages.
std::string describeRun(const std::filesystem::path& program,
                        const std::vector<std::string>& arguments, const ProgramRun& run);

// Runs the program with LORVANE_HOME and LORVANE_CODEPAGE removed and LORVANE_NO_OPEN=1, so
// an installed program finds its folder by itself and opens nothing; `environment` applies on
// top of that.
ProgramRun runIsolated(const std::filesystem::path& program,
                       const std::vector<std::string>& arguments,
                       const Environment& environment = {});

// Runs the program under coreutils' timeout when that is there, so that an outside program that
// hangs (a reader waiting for something that never comes) fails its test instead of holding
// the whole run; exit code 124 says it was stopped.
ProgramRun runWithin(int seconds, const std::filesystem::path& program,
                     const std::vector<std::string>& arguments,
                     const Environment& environment = {});

// Splits text into lines at LF, dropping a CR before it.
std::vector<std::string> splitLines(std::string_view text);

}  // namespace lorvane::test
