// Turning --mode, --table, --scheme and --entry into a selection of the session's model, and
// printing what can be selected (--list).
#pragma once

#include <ostream>

#include "cli/cli_options.h"
#include "pipeline/selection_model.h"
#include "platform/failure.h"

namespace lorvane::cli {

// Selects what the options name, starting from the model's first entry. Fails, saying what to
// do, for an unknown mode, table, scheme or entry, and for open entries left without a table.
Status applySelection(SelectionModel& selection, const CliOptions& options);
// The two halves of it for a source mode: the mode or scheme, then the mode's table.
Status selectSource(SelectionModel& selection, const CliOptions& options);
Status selectTable(SelectionModel& selection, const CliOptions& options);

// Every mode-list entry on a line of its own; under a mode its tables, under a scheme each
// open entry's choices as NAME=TABLE, indented by two spaces. Changes the selection.
void printModeList(SelectionModel& selection, std::ostream& out);

}  // namespace lorvane::cli
