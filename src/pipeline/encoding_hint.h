// What the user is told when a source read in a single-byte code page looks like UTF-8: the
// conversion went on as asked, but most likely not as meant.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/desktop.h"

namespace lorvane {

std::u16string utf8LookingSourceHint(std::u16string_view source, int codePage);

// The message the desktop program shows after a run with such hints; its text is every hint.
MessageRequest hintsMessage(const std::vector<std::u16string>& hints);

}  // namespace lorvane
