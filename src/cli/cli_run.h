// One run of lorvane-cli: the program folder and code page, the selection, the sources, the
// conversion, and what is reported on the way.
#pragma once

#include <iosfwd>
#include <string>

#include "cli/cli_options.h"

namespace lorvane::cli {

enum ExitCode : int { kExitOk = 0, kExitConversionFailed = 1, kExitUsage = 2 };

// What the run takes from its surroundings.
struct CliEnvironment {
    std::u16string defaultHome;  // LORVANE_HOME, else the executable's folder
    int defaultCodePage = 1251;       // LORVANE_CODEPAGE, else 1251
    int defaultTableCodePage = 1251;  // LORVANE_TABLE_CODEPAGE, else 1251
    std::u16string documentsFolder;
    bool progressShown = false;  // standard error is a terminal
    bool outputShown = false;    // standard output is a terminal
    int cores = 1;               // the default of --jobs
};

int runCli(const CliOptions& options, const CliEnvironment& environment, std::istream& in,
           std::ostream& out, std::ostream& err);

}  // namespace lorvane::cli
