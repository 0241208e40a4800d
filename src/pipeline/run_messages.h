// What the desktop program tells the user when a run ends: the failure that stopped it, and the
// user's files that results replaced (kept as backups). The desktop program speaks Russian.
#pragma once

#include <optional>
#include <string>

#include "pipeline/conversion_session.h"
#include "platform/desktop.h"

namespace lorvane {

// The failure with its number and Russian description, after the source the run stopped at
// when the failure names another file.
MessageRequest runFailureMessage(const Failure& failure, const std::u16string& source);

// The files kept as NAME~ and the sources not converted because a result replaced them;
// nothing when the run had nothing of the kind to tell.
std::optional<MessageRequest> runNotesMessage(const RunOutcome& outcome);

}  // namespace lorvane
