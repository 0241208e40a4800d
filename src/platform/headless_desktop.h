// The desktop as the command-line tools see it: messages go to standard error, questions are
// answered as if cancelled, and the shell opens nothing unless asked to.
#pragma once

#include <ostream>

#include "platform/desktop.h"

namespace lorvane {

class HeadlessDesktop : public Desktop {
  public:
    // `allowOpen`: hand files to the desktop's default application (xdg-open), unless
    // LORVANE_NO_OPEN=1 says otherwise.
    explicit HeadlessDesktop(std::ostream& messages, bool allowOpen = false);

    void beep() override {}
    int showMessage(const MessageRequest& request) override;
    std::u16string inputBox(const std::u16string&, const std::u16string&,
                            const std::u16string&) override {
        return {};
    }
    std::u16string chooseFile(const std::u16string&, const std::u16string&,
                              const std::u16string&) override {
        return {};
    }
    std::u16string clipboardText() override { return {}; }
    void setBusy(bool) override {}
    void openWithShell(const std::u16string& path) override;
    bool startProcess(const std::vector<std::u16string>& arguments) override;

  private:
    std::ostream& messages_;
    bool allowOpen_;
};

// True when LORVANE_NO_OPEN=1 turns every shell "open" into a no-op.
bool shellOpenDisabled();

}  // namespace lorvane
