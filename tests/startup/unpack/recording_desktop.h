// A desktop for tests: it records every request and answers questions from queued answers
// (cancel when none is queued), so code that asks the user runs without a display.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/desktop.h"

namespace lorvane::test {

struct Question {
    std::u16string prompt;    // message text, input-box prompt or chooser title
    std::u16string caption;   // caption, or the chooser's filter
    std::u16string proposed;  // proposed answer, or the chooser's initial folder
};

class RecordingDesktop : public Desktop {
  public:
    void beep() override { ++beeps; }
    int showMessage(const MessageRequest& request) override {
        messages.push_back(request);
        return kAnswerOk;
    }
    std::u16string inputBox(const std::u16string& prompt, const std::u16string& caption,
                            const std::u16string& proposed) override {
        inputs.push_back({prompt, caption, proposed});
        return next(inputAnswers);
    }
    std::u16string chooseFile(const std::u16string& title, const std::u16string& filter,
                              const std::u16string& initialFolder) override {
        choices.push_back({title, filter, initialFolder});
        return next(fileAnswers);
    }
    std::u16string clipboardText() override { return clipboard; }
    void setBusy(bool busy) override { busyChanges.push_back(busy); }
    void openWithShell(const std::u16string& path) override { opened.push_back(path); }
    bool startProcess(const std::vector<std::u16string>& arguments) override {
        started.push_back(arguments);
        return true;
    }

    std::deque<std::u16string> inputAnswers;  // "" answers as Cancel
    std::deque<std::u16string> fileAnswers;
    std::u16string clipboard;

    int beeps = 0;
    std::vector<MessageRequest> messages;
    std::vector<Question> inputs;
    std::vector<Question> choices;
    std::vector<bool> busyChanges;
    std::vector<std::u16string> opened;
    std::vector<std::vector<std::u16string>> started;

  private:
    static std::u16string next(std::deque<std::u16string>& answers) {
        if (answers.empty()) return {};
        std::u16string answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

}  // namespace lorvane::test
