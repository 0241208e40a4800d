#include "platform/headless_desktop.h"

#include <cstdlib>
#include <cstring>

#include "platform/process.h"
#include "platform/text.h"

namespace lorvane {

bool shellOpenDisabled() {
    const char* value = std::getenv("LORVANE_NO_OPEN");
    return value != nullptr && std::strcmp(value, "1") == 0;
}

HeadlessDesktop::HeadlessDesktop(std::ostream& messages, bool allowOpen)
    : messages_(messages), allowOpen_(allowOpen) {}

int HeadlessDesktop::showMessage(const MessageRequest& request) {
    std::u16string text = request.text;
    while (!text.empty() && (text.back() == u'\n' || text.back() == u'\r'))
        text.pop_back();
    replaceAll(text, u"\r\n", u"\n");
    if (!request.caption.empty()) messages_ << toUtf8(request.caption) << ": ";
    messages_ << toUtf8(text) << '\n';
    messages_.flush();
    // Unattended, a question gets the answer that changes nothing.
    return (request.buttons & 0xF) == 0                                   ? kAnswerOk
           : (request.buttons & 0xF) == 4 || (request.buttons & 0xF) == 3 ? kAnswerNo
                                                                          : kAnswerCancel;
}

void HeadlessDesktop::openWithShell(const std::u16string& path) {
    if (!allowOpen_ || shellOpenDisabled() || path.empty()) return;
    startDetached({u"xdg-open", path});
}

bool HeadlessDesktop::startProcess(const std::vector<std::u16string>& arguments) {
    return startDetached(arguments);
}

}  // namespace lorvane
