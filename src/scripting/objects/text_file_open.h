// Opening the files behind TextStreams, with the errors FileSystemObject reports: 53 File not
// found, 76 Path not found, 58 File already exists, 70 Permission denied.
#pragma once

#include <memory>
#include <string>

#include "scripting/objects/text_stream.h"

namespace lorvane::vbs::fso {

enum class OpenMode { Reading = 1, Writing = 2, Appending = 8 };

// `path` is resolved already. `create` makes a missing file; Writing empties an existing one.
std::shared_ptr<TextStream> openTextStream(const std::u16string& path, OpenMode mode, bool create,
                                           TextEncoding encoding,
                                           const std::shared_ptr<const CodePage>& codePage);
// A new, empty file; an existing one is emptied when `overwrite`, else the call fails with 58.
std::shared_ptr<TextStream> createTextStream(const std::u16string& path, bool overwrite,
                                             TextEncoding encoding,
                                             const std::shared_ptr<const CodePage>& codePage);

// Fails with 76 when the folder that would hold `path` does not exist.
void expectParentFolder(const std::u16string& path);

}  // namespace lorvane::vbs::fso
