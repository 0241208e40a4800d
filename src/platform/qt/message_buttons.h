// The script language's message-box codes in Qt's terms: the button set and default button a
// code asks for, and the answer code of the button pressed.
#pragma once

#include <QMessageBox>

#include "platform/desktop.h"

namespace lorvane {

struct QtButtons {
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    QMessageBox::StandardButton escapeButton = QMessageBox::NoButton;
};

// Low four bits: 0 OK, 1 OK/Cancel, 2 Abort/Retry/Ignore, 3 Yes/No/Cancel, 4 Yes/No,
// 5 Retry/Cancel (others as 0); 256/512/768 make the second/third/fourth button the default.
QtButtons qtButtonsFor(int codes);
// The icon asked for: the request's own, else the code's 16/32/48/64.
MessageIcon iconFor(const MessageRequest& request);
// 1 OK, 2 Cancel, 3 Abort, 4 Retry, 5 Ignore, 6 Yes, 7 No.
int answerFor(QMessageBox::StandardButton button);

}  // namespace lorvane
