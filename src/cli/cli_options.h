// The command line of lorvane-cli: what the user asked for, read from the arguments without
// touching the file system, so it can be checked on its own.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/failure.h"

namespace lorvane::cli {

struct EntryChoice {
    std::u16string name;   // the open scheme entry (its marker)
    std::u16string table;  // the table chosen for it, without ".txt"
};

struct CliOptions {
    std::optional<std::u16string> home;
    std::optional<int> codePage;       // documents
    std::optional<int> tableCodePage;  // the program folder's files
    std::optional<std::u16string> mode;
    std::optional<std::u16string> table;
    std::optional<std::u16string> scheme;
    std::vector<EntryChoice> entries;
    bool folder = false;
    std::u16string pattern = u"*.*";
    std::optional<std::u16string> output;  // the folder every result goes into
    std::optional<int> jobs;  // sources converted at once; default: the number of cores
    bool open = false;
    bool list = false;
    bool check = false;  // report what is wrong with the tables instead of converting
    bool trace = false;  // report every step applied on standard error
    bool quiet = false;  // no table findings on standard error during a conversion
    bool help = false;
    bool version = false;
    std::vector<std::u16string> sources;  // "-" stands for standard input
};

// The options, or a failure whose description says what is wrong and what to do.
Expected<CliOptions> parseArguments(const std::vector<std::string>& arguments);

// The text --help prints.
std::string usageText();

}  // namespace lorvane::cli
