// What the user can choose and has chosen: the mode list (mode folders, then combined schemes),
// the tables of the folder last listed, the open entries of a scheme and their completion. The
// main window shows this model; the command-line front end drives it directly.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "pipeline/scheme_entry.h"
#include "platform/code_page.h"
#include "platform/desktop.h"

namespace lorvane {

class SelectionModel {
  public:
    // Reads scheme files in the code page LORVANE_CODEPAGE names (else the default), silently.
    explicit SelectionModel(std::u16string programFolder);
    // `desktop` receives the reader's message for a scheme file that cannot be read (may be null).
    SelectionModel(std::u16string programFolder, std::shared_ptr<const CodePage> codePage,
                   Desktop* desktop);

    const std::u16string& programFolder() const { return programFolder_; }

    // Scans the program folder: every "@" folder gives a mode, every "r@*.txt" file a
    // "?"-entry, each group in alphabetical order. Selects the first entry (the mode change
    // runs). Returns the number of entries.
    int buildModeList();
    const std::vector<std::u16string>& modeList() const { return modes_; }
    // The index of the entry equal to `text` (exact), or -1.
    int findMode(std::u16string_view text) const;

    // Selects a mode-list entry (0-based) and runs the mode change. A scheme entry reads its
    // file into SchemeEntries; a mode fills the table list from its folder. An index outside
    // the list changes nothing.
    void selectMode(int index);
    int selectedMode() const { return selectedMode_; }
    const std::u16string& modeText() const;  // the selected entry's text, empty when none
    bool SchemeMode() const { return schemeMode_; }

    // The table list; selectedTable() is -1 when none is selected.
    const std::vector<std::u16string>& tableList() const { return tables_; }
    const std::u16string& tableFolder() const { return tableFolder_; }
    // The index of the table equal to `name` (exact), or -1.
    int findTable(std::u16string_view name) const;
    // Selects a table (-1: none) and runs the table-chosen handling: while the entry list is
    // shown, the selected entry's Path gets this table. An index outside the list changes
    // nothing.
    void selectTable(int index);
    int selectedTable() const { return selectedTable_; }
    const std::u16string& tableText() const;  // the selected table's name, empty when none

    // The open entries of the selected scheme, as the entry list shows them.
    const std::vector<std::u16string>& entryList() const { return entryNames_; }
    bool entryListShown() const { return entryListShown_; }
    // Lists the entry's folder and selects its chosen table. Outside the list changes nothing.
    void selectEntry(int index);
    int selectedEntry() const { return selectedEntry_; }
    // The scheme file's whole text, shown when the scheme has no open entry.
    const std::u16string& schemeText() const { return schemeText_; }
    bool schemeTextShown() const { return schemeTextShown_; }
    // 1-based numbers of the scheme file's non-empty lines that hold no " == " (ignored).
    const std::vector<int>& ignoredSchemeLines() const { return ignoredSchemeLines_; }

    const SchemeEntries& entries() const { return entries_; }
    // True when a scheme is selected and some entry's table is still to be chosen.
    bool hasOpenEntries() const;
    // The scheme file of the selected "?"-entry; empty when a mode is selected.
    std::u16string schemeFilePath() const;

  private:
    // Lists the tables of a folder into the table list (none selected). The folder is used
    // while a scheme is selected or the entry list is shown; otherwise the selected mode's
    // folder is listed instead.
    void fillTableList(const std::u16string& folder);
    void readScheme();

    std::u16string programFolder_;
    std::shared_ptr<const CodePage> codePage_;
    Desktop* desktop_ = nullptr;
    std::vector<std::u16string> modes_;
    int selectedMode_ = -1;
    bool schemeMode_ = false;
    std::vector<std::u16string> tables_;
    std::u16string tableFolder_;
    int selectedTable_ = -1;
    std::vector<std::u16string> entryNames_;
    bool entryListShown_ = false;
    int selectedEntry_ = -1;
    std::u16string schemeText_;
    bool schemeTextShown_ = false;
    std::vector<int> ignoredSchemeLines_;
    SchemeEntries entries_;
};

}  // namespace lorvane
