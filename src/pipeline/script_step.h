// How the output stage runs a user script: the named script gets the text as its working text
// and hands back its result, or the failure that stopped it.
#pragma once

#include <functional>
#include <string>

#include "platform/failure.h"

namespace lorvane {

using ScriptStep =
    std::function<Expected<std::u16string>(const std::u16string& name, std::u16string text)>;

}  // namespace lorvane
