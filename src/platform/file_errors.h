// The operating system's file errors as the catalogue numbers users know from their scripts,
// naming the file concerned.
#pragma once

#include <string>

#include "platform/failure.h"

namespace lorvane {

enum class FileAction { Read, Write };

// `error` is an errno value. A missing file is "File not found" when reading and "Path not
// found" when writing (the folder to write into is what is missing).
Failure fileFailure(int error, FileAction action, std::u16string file);

}  // namespace lorvane
