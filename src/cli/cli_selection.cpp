#include "cli/cli_selection.h"

#include "platform/error_catalogue.h"
#include "platform/text.h"

namespace lorvane::cli {
namespace {

Failure usage(std::u16string message) {
    Failure failure = failureFor(errors::kInvalidProcedureCall);
    failure.description = std::move(message);
    return failure;
}

bool isScheme(std::u16string_view entry) {
    return !entry.empty() && entry.front() == u'?';
}

std::u16string joined(const std::vector<std::u16string>& names) {
    if (names.empty()) return u"(none)";
    std::u16string out;
    for (const std::u16string& name : names) {
        if (!out.empty()) out += u", ";
        out += name;
    }
    return out;
}

std::vector<std::u16string> modeNames(const SelectionModel& selection, bool schemes) {
    std::vector<std::u16string> names;
    for (const std::u16string& entry : selection.modeList()) {
        if (isScheme(entry) == schemes) names.push_back(schemes ? entry.substr(1) : entry);
    }
    return names;
}

// The scheme file's name: ".txt" added when missing.
std::u16string schemeFileName(std::u16string name) {
    const bool hasExtension =
        name.size() >= 4 &&
        equalsIgnoringCase(std::u16string_view(name).substr(name.size() - 4), u".txt");
    if (!hasExtension) name += u".txt";
    return name;
}

// The scheme's mode-list entry, "?" + its file name less "r@"; letter case is ignored when no
// entry is written exactly so, as the file listing ignores it.
int findScheme(const SelectionModel& selection, const std::u16string& fileName) {
    const std::u16string entry = u"?" + fileName;
    if (int exact = selection.findMode(entry); exact >= 0) return exact;
    const auto& modes = selection.modeList();
    for (std::size_t i = 0; i < modes.size(); ++i) {
        if (equalsIgnoringCase(modes[i], entry)) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace

Status selectSource(SelectionModel& selection, const CliOptions& options) {
    if (options.scheme) {
        const std::u16string fileName = schemeFileName(*options.scheme);
        const int index = findScheme(selection, fileName);
        if (index < 0) {
            return usage(u"unknown scheme '" + *options.scheme + u"': there is no file r@" +
                         fileName + u" in " + selection.programFolder() + u"; the schemes are: " +
                         joined(modeNames(selection, true)) + u" (see --list)");
        }
        selection.selectMode(index);
    } else if (options.mode) {
        const int index = isScheme(*options.mode) ? -1 : selection.findMode(*options.mode);
        if (index < 0) {
            return usage(u"unknown mode '" + *options.mode + u"': there is no folder @" +
                         *options.mode + u" in " + selection.programFolder() +
                         u"; the modes are: " + joined(modeNames(selection, false)) +
                         u" (see --list)");
        }
        selection.selectMode(index);
    }
    return {};
}

Status selectTable(SelectionModel& selection, const CliOptions& options) {
    if (!options.entries.empty()) {
        return usage(u"--entry applies to a combined scheme: choose one with --scheme NAME");
    }
    if (options.table) {
        const int index = selection.findTable(*options.table);
        if (index < 0) {
            return usage(u"unknown table '" + *options.table + u"' of mode '" +
                         selection.modeText() + u"': the tables are: " +
                         joined(selection.tableList()) + u" (see --list)");
        }
        selection.selectTable(index);
    }
    if (selection.selectedTable() < 0) {
        return usage(u"mode '" + selection.modeText() + u"' has no tables: add a table file to " +
                     selection.tableFolder() + u" or choose another mode (see --list)");
    }
    return {};
}

namespace {

std::vector<std::u16string> openEntryNames(const SelectionModel& selection) {
    std::vector<std::u16string> names;
    for (const SchemeEntry& entry : selection.entries()) {
        if (entry.isOpen()) names.push_back(entry.Name);
    }
    return names;
}

Status completeScheme(SelectionModel& selection, const CliOptions& options) {
    const std::u16string scheme = selection.modeText().substr(1);
    if (options.table) {
        return usage(u"--table applies to a source mode; for the combined scheme '" + scheme +
                     u"' give each open entry's table with --entry NAME=TABLE");
    }
    for (const EntryChoice& choice : options.entries) {
        const auto& names = selection.entryList();
        int entry = -1;
        for (std::size_t i = 0; i < names.size() && entry < 0; ++i) {
            if (names[i] == choice.name) entry = static_cast<int>(i);
        }
        if (entry < 0) {
            return usage(u"the scheme '" + scheme + u"' has no open entry '" + choice.name +
                         u"': its open entries are: " + joined(names) + u" (see --list)");
        }
        selection.selectEntry(entry);
        const int table = selection.findTable(choice.table);
        if (table < 0) {
            return usage(u"no table '" + choice.table + u"' for the entry '" + choice.name +
                         u"' in " + selection.tableFolder() + u": the tables there are: " +
                         joined(selection.tableList()) + u" (see --list)");
        }
        selection.selectTable(table);
    }
    if (selection.hasOpenEntries()) {
        return usage(u"the combined scheme '" + scheme + u"' has entries without a table: " +
                     joined(openEntryNames(selection)) +
                     u"; give each with --entry NAME=TABLE (see --list)");
    }
    return {};
}

}  // namespace

Status applySelection(SelectionModel& selection, const CliOptions& options) {
    if (Status chosen = selectSource(selection, options); !chosen) return chosen;
    return selection.SchemeMode() ? completeScheme(selection, options)
                                  : selectTable(selection, options);
}

void printModeList(SelectionModel& selection, std::ostream& out) {
    const std::vector<std::u16string> modes = selection.modeList();
    for (std::size_t i = 0; i < modes.size(); ++i) {
        out << toUtf8(modes[i]) << '\n';
        selection.selectMode(static_cast<int>(i));
        if (!isScheme(modes[i])) {
            for (const std::u16string& table : selection.tableList()) {
                out << "  " << toUtf8(table) << '\n';
            }
            continue;
        }
        const std::vector<std::u16string> entries = selection.entryList();
        for (std::size_t e = 0; e < entries.size(); ++e) {
            selection.selectEntry(static_cast<int>(e));
            for (const std::u16string& table : selection.tableList()) {
                out << "  " << toUtf8(entries[e]) << '=' << toUtf8(table) << '\n';
            }
        }
    }
}

}  // namespace lorvane::cli
