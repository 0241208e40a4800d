// The file-selection window as the main window sees it.
#pragma once

#include "ui/file_window/file_window.h"
#include "ui/main_window/file_window_link.h"

namespace lorvane {

class FileWindowAdapter : public FileWindowLink {
  public:
    explicit FileWindowAdapter(FileWindow& window);
    FileLister& lister() override;
    std::vector<std::u16string> selectedEntries() override;
    void takeOverFrom(const QWidget& mainWindow, int mainClientHeight, int tableListWidth) override;
    void closeWindow() override;

  private:
    FileWindow& window_;
};

}  // namespace lorvane
