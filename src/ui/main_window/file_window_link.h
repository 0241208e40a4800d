// What the main window needs of the file-selection window: its folder lister and picked entries
// for a run, the hand-over when the user chooses to pick files, and closing it at the end.
#pragma once

#include <string>
#include <vector>

class QWidget;

namespace lorvane {

class FileLister;

class FileWindowLink {
  public:
    virtual ~FileWindowLink() = default;
    virtual FileLister& lister() = 0;
    // The selected entries of the file list, in list order: full paths, or names in the
    // lister's folder.
    virtual std::vector<std::u16string> selectedEntries() = 0;
    // Shows the file window in the main window's place: its top left, the main window's client
    // height, and as wide as its preview pane plus the table list (sizes in pixels).
    virtual void takeOverFrom(const QWidget& mainWindow, int mainClientHeight,
                              int tableListWidth) = 0;
    virtual void closeWindow() = 0;
};

}  // namespace lorvane
