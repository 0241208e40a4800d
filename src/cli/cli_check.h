// The table author's tools of lorvane-cli: --check (what is wrong with the tables, and where),
// the findings for the tables a conversion used, and --trace (every step applied, and what it
// did).
#pragma once

#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <utility>

#include "cli/cli_options.h"
#include "engine/step_trace.h"
#include "pipeline/conversion_session.h"
#include "platform/code_page.h"

namespace lorvane::cli {

// Checks what the options select (a mode's table or all its tables, a scheme, or with neither
// every table and scheme of the program folder), prints each finding as FILE:LINE: warning:
// MESSAGE and a summary line. Exit status 0 without warnings, 1 with, 2 for a wrong selection.
int runCheck(const CliOptions& options, SelectionModel& selection,
             std::shared_ptr<const CodePage> page, std::ostream& out, std::ostream& err);

// Prints the findings for the tables the session's conversions used, once.
void reportUsedTables(ConversionSession& session, std::shared_ptr<const CodePage> page,
                      std::ostream& err);

// Prints each step a conversion applies, indented by nesting, and at the end the table lines
// that never did anything.
class TracePrinter : public StepTrace {
  public:
    explicit TracePrinter(std::ostream& out) : out_(out) {}
    void source(const std::u16string& path);
    void stepApplied(const TraceEvent& event) override;
    void finish();

  private:
    std::ostream& out_;
    // Every table line traced, and whether it ever acted.
    std::map<std::pair<std::u16string, int>, bool> fired_;
};

}  // namespace lorvane::cli
