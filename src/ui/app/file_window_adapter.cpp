#include "ui/app/file_window_adapter.h"

namespace lorvane {

FileWindowAdapter::FileWindowAdapter(FileWindow& window) : window_(window) {}

FileLister& FileWindowAdapter::lister() {
    return window_.lister();
}

std::vector<std::u16string> FileWindowAdapter::selectedEntries() {
    return window_.selectedEntries();
}

void FileWindowAdapter::takeOverFrom(const QWidget& mainWindow, int mainClientHeight,
                                     int tableListWidth) {
    window_.takeOverFrom(mainWindow, mainClientHeight, tableListWidth);
}

void FileWindowAdapter::closeWindow() {
    window_.closeWindow();
}

}  // namespace lorvane
