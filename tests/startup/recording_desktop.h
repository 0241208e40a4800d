// A desktop that records every request and answers from a script, for tests without a display.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/desktop.h"

namespace lorvane::test {

struct FileChoice {
    std::u16string title, filter, initialFolder;
};

class RecordingDesktop : public Desktop {
  public:
    void beep() override { ++beeps; }
    int showMessage(const MessageRequest& request) override {
        messages.push_back(request);
        if (answers.empty()) return kAnswerOk;
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::u16string inputBox(const std::u16string&, const std::u16string&,
                            const std::u16string& proposed) override {
        return proposed;
    }
    std::u16string chooseFile(const std::u16string& title, const std::u16string& filter,
                              const std::u16string& initialFolder) override {
        choices.push_back({title, filter, initialFolder});
        return chosenFile;
    }
    std::u16string clipboardText() override { return clipboard; }
    void setBusy(bool busy) override { busyChanges.push_back(busy); }
    void openWithShell(const std::u16string& path) override { opened.push_back(path); }
    bool startProcess(const std::vector<std::u16string>& arguments) override {
        started.push_back(arguments);
        return true;
    }

    int beeps = 0;
    std::vector<MessageRequest> messages;
    std::deque<int> answers;
    std::vector<FileChoice> choices;
    std::u16string chosenFile;
    std::u16string clipboard;
    std::vector<bool> busyChanges;
    std::vector<std::u16string> opened;
    std::vector<std::vector<std::u16string>> started;
};

}  // namespace lorvane::test
