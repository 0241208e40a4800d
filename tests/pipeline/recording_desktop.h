// A desktop that records what the program asked of it, for tests that run without a display.
#pragma once

#include <string>
#include <vector>

#include "platform/desktop.h"

namespace lorvane::test {

class RecordingDesktop : public Desktop {
  public:
    void beep() override { ++beeps; }
    int showMessage(const MessageRequest& request) override {
        messages.push_back(request);
        return kAnswerOk;
    }
    std::u16string inputBox(const std::u16string&, const std::u16string&,
                            const std::u16string&) override {
        return {};
    }
    std::u16string chooseFile(const std::u16string&, const std::u16string&,
                              const std::u16string&) override {
        return {};
    }
    std::u16string clipboardText() override { return clipboard; }
    void setBusy(bool busy) override { busyChanges.push_back(busy); }
    void openWithShell(const std::u16string& path) override { opened.push_back(path); }
    bool startProcess(const std::vector<std::u16string>&) override { return false; }

    int beeps = 0;
    std::vector<MessageRequest> messages;
    std::vector<bool> busyChanges;
    std::vector<std::u16string> opened;
    std::u16string clipboard;
};

}  // namespace lorvane::test
