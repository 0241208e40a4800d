#include "scripting/run_limits.h"

#include "platform/error_catalogue.h"
#include "scripting/script_error.h"

namespace lorvane::vbs {
namespace {

thread_local DeadlineWatch* activeWatch = nullptr;

// Texts shorter than this are built quickly enough to leave the clock to the interpreter.
constexpr std::size_t kLongText = std::size_t{1} << 16;

}  // namespace

DeadlineScope::DeadlineScope(DeadlineWatch& watch) : saved_(activeWatch) {
    activeWatch = &watch;
}

DeadlineScope::~DeadlineScope() {
    activeWatch = saved_;
}

void checkDeadline() {
    if (activeWatch && activeWatch->pastDeadline()) activeWatch->stopForTimeLimit();
}

bool pastDeadline() {
    return activeWatch && activeWatch->pastDeadline();
}

void checkTextLength(std::size_t length) {
    if (length > (activeWatch ? activeWatch->maxTextLength() : kMaxTextLength)) {
        raise(errors::kOutOfMemory);
    }
    if (length >= kLongText) checkDeadline();
}

}  // namespace lorvane::vbs
