// Which run the SOURCE arguments ask for: one file (the single-source scope), the folder of a
// file (--folder, the whole-folder scope), several files and folders (the picked-files scope),
// or standard input.
#pragma once

#include <memory>

#include "cli/cli_options.h"
#include "pipeline/conversion_session.h"
#include "platform/failure.h"
#include "platform/file_lister.h"

namespace lorvane::cli {

struct SourcePlan {
    bool standardInput = false;
    RunRequest request;
    std::unique_ptr<FileLister> lister;  // the request's lister
};

// Checks that every SOURCE exists and can be read, and lists folder SOURCEs (files they gain
// during the run are not converted). Fails, saying what to do, for a missing SOURCE.
Expected<SourcePlan> planSources(const CliOptions& options);

}  // namespace lorvane::cli
