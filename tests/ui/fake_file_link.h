// A file-window link that records the hand-over and answers with a lister and picked entries
// the test sets up.
#pragma once

#include <string>
#include <vector>

#include "platform/file_lister.h"
#include "ui/main_window/file_window_link.h"

namespace lorvane::test {

class FakeFileLink : public FileWindowLink {
  public:
    FileLister& lister() override { return lister_; }
    std::vector<std::u16string> selectedEntries() override { return selected; }
    void takeOverFrom(const QWidget&, int mainClientHeight, int tableListWidth) override {
        ++takeOvers;
        clientHeight = mainClientHeight;
        tableWidth = tableListWidth;
    }
    void closeWindow() override { closed = true; }

    FileLister lister_;
    std::vector<std::u16string> selected;
    int takeOvers = 0, clientHeight = 0, tableWidth = 0;
    bool closed = false;
};

}  // namespace lorvane::test
