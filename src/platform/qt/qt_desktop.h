// The desktop as the windowed program sees it: Qt message boxes, input box and file chooser, the
// system clipboard, the busy pointer, the desktop's default applications and detached processes.
#pragma once

#include "platform/desktop.h"

class QWidget;

namespace lorvane {

class QtDesktop : public Desktop {
  public:
    // Dialogs are centred over `owner` when one is given.
    explicit QtDesktop(QWidget* owner = nullptr);

    void beep() override;
    // Beeps for a message with an icon, as the desktop's alert sounds do.
    int showMessage(const MessageRequest& request) override;
    std::u16string inputBox(const std::u16string& prompt, const std::u16string& caption,
                            const std::u16string& proposed) override;
    // Accepts names that do not exist, as the open dialog it stands for did.
    std::u16string chooseFile(const std::u16string& title, const std::u16string& filter,
                              const std::u16string& initialFolder) override;
    std::u16string clipboardText() override;
    // Nested requests collapse: one "on" is undone by one "off".
    void setBusy(bool busy) override;
    // No-op for an empty path and while LORVANE_NO_OPEN=1.
    void openWithShell(const std::u16string& path) override;
    bool startProcess(const std::vector<std::u16string>& arguments) override;

  private:
    QWidget* owner_;
    bool busy_ = false;
};

}  // namespace lorvane
