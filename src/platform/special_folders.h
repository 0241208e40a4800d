// The user's documents and desktop folders, as the desktop names them. Neither is created here.
#pragma once

#include <string>

namespace lorvane {

// XDG DOCUMENTS, else $HOME/Documents when it exists, else $HOME; no trailing separator.
std::u16string documentsFolder();
// XDG DESKTOP, else $HOME/Desktop; no trailing separator.
std::u16string desktopFolder();

}  // namespace lorvane
