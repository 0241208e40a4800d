// The argument text of a start, as one line: rebuilt from the arguments the system hands over
// already split, then stripped of the "@" start option.
#pragma once

#include <string>
#include <vector>

#include "startup/startup_values.h"

namespace lorvane {

// The start option (an "@" word, first only) and clipboard switches ("-c" in any letter case,
// and longer words beginning with it) stay bare. Every other argument is a path, made absolute
// against the working folder; with two or more paths each is put in double quotes, a single
// path only when it holds a space. The parts are joined by single spaces, so several files
// handed over by a file manager form the list "a" "b".
std::u16string commandTextFromArguments(const std::vector<std::u16string>& arguments);

// Sets StartMode and StartTable from an "@mode@table" token; the leading "@" is a marker.
void ParseStartOption(const std::u16string& token, StartupValues& values);

// Trims the text and takes an "@" option word off its front (ParseStartOption); returns what
// is left, trimmed. Only the first word is an option.
std::u16string takeStartOption(const std::u16string& commandText, StartupValues& values);

}  // namespace lorvane
