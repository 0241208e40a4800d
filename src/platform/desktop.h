// Every modal interaction with the user and every request to the desktop goes through this one
// interface, so the desktop program plugs in real windows, the command-line tools a headless
// version, and tests a recording fake.
#pragma once

#include <string>
#include <vector>

namespace lorvane {

enum class MessageIcon { None, Stop, Question, Exclamation, Information };

struct MessageRequest {
    std::u16string text;
    std::u16string caption;
    MessageIcon icon = MessageIcon::None;
    int buttons = 0;  // the script language's button codes: 0 OK, 1 OK/Cancel, 4 Yes/No, ...
};

// The icon that the script language's button codes ask for (16 stop, 32 question,
// 48 exclamation, 64 information).
inline MessageIcon iconForButtons(int buttons) {
    switch (buttons & 0x70) {
        case 16:
            return MessageIcon::Stop;
        case 32:
            return MessageIcon::Question;
        case 48:
            return MessageIcon::Exclamation;
        case 64:
            return MessageIcon::Information;
        default:
            return MessageIcon::None;
    }
}

// The script language's answer codes: 1 OK, 2 Cancel, 3 Abort, 4 Retry, 5 Ignore, 6 Yes, 7 No.
enum : int { kAnswerOk = 1, kAnswerCancel = 2, kAnswerYes = 6, kAnswerNo = 7 };

class Desktop {
  public:
    virtual ~Desktop() = default;

    virtual void beep() = 0;
    // Shows a modal message and returns the answer code of the button pressed.
    virtual int showMessage(const MessageRequest& request) = 0;
    // A modal input box; the empty text when cancelled.
    virtual std::u16string inputBox(const std::u16string& prompt, const std::u16string& caption,
                                    const std::u16string& proposed) = 0;
    // A file chooser with a "|"-separated filter (description|pattern|...); the chosen full path
    // or the empty text.
    virtual std::u16string chooseFile(const std::u16string& title, const std::u16string& filter,
                                      const std::u16string& initialFolder) = 0;
    // The clipboard's plain text; empty when it holds none.
    virtual std::u16string clipboardText() = 0;
    virtual void setBusy(bool busy) = 0;
    // Opens a file or folder with the desktop's default application; the outcome is not reported.
    virtual void openWithShell(const std::u16string& path) = 0;
    // Starts a program with these arguments (the program first) without a shell and without
    // waiting; false when it could not be started.
    virtual bool startProcess(const std::vector<std::u16string>& arguments) = 0;
};

}  // namespace lorvane
