#include "platform/qt/message_buttons.h"

#include <array>
#include <vector>

namespace lorvane {

namespace {

using B = QMessageBox::StandardButton;

struct ButtonSet {
    std::vector<B> buttons;
    B escape;
};

const std::array<ButtonSet, 6>& buttonSets() {
    static const std::array<ButtonSet, 6> sets{{
        {{B::Ok}, B::Ok},
        {{B::Ok, B::Cancel}, B::Cancel},
        {{B::Abort, B::Retry, B::Ignore}, B::NoButton},
        {{B::Yes, B::No, B::Cancel}, B::Cancel},
        {{B::Yes, B::No}, B::NoButton},
        {{B::Retry, B::Cancel}, B::Cancel},
    }};
    return sets;
}

}  // namespace

QtButtons qtButtonsFor(int codes) {
    const int kind = codes & 0xF;
    const ButtonSet& set = buttonSets()[kind < 6 ? kind : 0];
    QtButtons result;
    for (B button : set.buttons)
        result.buttons |= button;
    const std::size_t defaultIndex = static_cast<std::size_t>((codes >> 8) & 0x3);
    result.defaultButton = set.buttons[defaultIndex < set.buttons.size() ? defaultIndex : 0];
    result.escapeButton = set.escape;
    return result;
}

MessageIcon iconFor(const MessageRequest& request) {
    if (request.icon != MessageIcon::None) return request.icon;
    return iconForButtons(request.buttons);
}

int answerFor(QMessageBox::StandardButton button) {
    switch (button) {
        case B::Ok:
            return kAnswerOk;
        case B::Cancel:
            return kAnswerCancel;
        case B::Abort:
            return 3;
        case B::Retry:
            return 4;
        case B::Ignore:
            return 5;
        case B::Yes:
            return kAnswerYes;
        case B::No:
            return kAnswerNo;
        default:
            return kAnswerCancel;
    }
}

}  // namespace lorvane
