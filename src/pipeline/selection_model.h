// What the user can choose and has chosen: the mode list (mode folders, then combined schemes),
// the tables of the folder last listed, the open entries of a scheme and their completion. The
// main window shows this model; the command-line front end drives it directly.
#pragma once

#include <string>
#include <vector>

#include "pipeline/scheme_entry.h"

namespace lorvane {

class SelectionModel {
  public:
    explicit SelectionModel(std::u16string programFolder);

    // Scans the program folder: every "@" folder gives a mode, every "r@*.txt" file a
    // "?"-entry. Returns the number of entries.
    int buildModeList();
    const std::vector<std::u16string>& modeList() const { return modes_; }

    // Selects a mode-list entry (0-based) and runs the mode change. A scheme entry reads its
    // file into SchemeEntries; a mode fills the table list from its folder.
    void selectMode(int index);
    int selectedMode() const { return selectedMode_; }
    const std::u16string& modeText() const;  // the selected entry's text, empty when none
    bool SchemeMode() const { return schemeMode_; }

    // The table list; selectedTable() is -1 when none is selected.
    const std::vector<std::u16string>& tableList() const { return tables_; }
    const std::u16string& tableFolder() const { return tableFolder_; }
    void selectTable(int index);  // runs the table-chosen handling (completes an open entry)
    int selectedTable() const { return selectedTable_; }
    const std::u16string& tableText() const;

    // The open entries of the selected scheme, as the entry list shows them.
    const std::vector<std::u16string>& entryList() const { return entryNames_; }
    bool entryListShown() const { return entryListShown_; }
    void selectEntry(int index);  // lists the entry's folder, selecting its chosen table
    int selectedEntry() const { return selectedEntry_; }
    // The scheme file's whole text, shown when the scheme has no open entry.
    const std::u16string& schemeText() const { return schemeText_; }
    bool schemeTextShown() const { return schemeTextShown_; }

    const SchemeEntries& entries() const { return entries_; }
    // True when some entry's table is still to be chosen.
    bool hasOpenEntries() const;
    // The scheme file of the selected "?"-entry.
    std::u16string schemeFilePath() const;

  private:
    void fillTableList(const std::u16string& folder);
    void readScheme();

    std::u16string programFolder_;
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
    SchemeEntries entries_;
};

}  // namespace lorvane
