// The one way whole text files are read: sources, tables, schemes, scripts, previews. Every
// kind of line end comes back as CR LF, so later steps split and match on CR LF alone; a file
// that cannot be read gives the empty text.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/code_page.h"
#include "platform/desktop.h"
#include "platform/document_text.h"
#include "platform/failure.h"
#include "platform/file_encoding.h"

namespace lorvane {

// Files shorter than this are read in one piece and fail silently; longer ones are read line by
// line, and a failure is shown to the user.
inline constexpr std::size_t kLineByLineSize = 131072;

// The file's text with every line end turned into CR LF; the empty text when it cannot be read.
// A file that begins with a byte-order mark is read by it, any other in `page`; `found`, when
// given, receives the encoding read in. For a file of kLineByLineSize bytes or more a failure
// beeps and shows the "Ошибка!" message through `desktop` (when given).
std::u16string ReadTextFile(std::u16string_view path, const CodePage& page, Desktop* desktop,
                            FileEncoding* found = nullptr);

// ReadTextFile for a document to convert: a file that does not exist (any more), and a large
// file that does not fit into memory, are failures ("File not found", "Out of memory", naming
// the file) rather than an empty text, so no empty result is written in place of an older good
// one.
Expected<std::u16string> ReadSourceText(std::u16string_view path, const CodePage& page,
                                        Desktop* desktop, FileEncoding* found = nullptr);

// What reading a source begins with, which may be done ahead of its conversion: the bytes of a
// file shorter than kLineByLineSize, nothing for a longer one, or the failure reading it met.
using SourceReadAhead = Expected<std::optional<std::string>>;
SourceReadAhead readSourceAhead(std::u16string_view path);

// ReadSourceText for a conversion that welcomes the bytes themselves (`bytesWelcome`): a source
// that reads as it stands in a single-byte page (no mark, every line end CR LF already and, for
// a file read line by line, an end on its last line) comes back as its bytes; any other as its
// text, exactly as ReadSourceText gives it. `ahead`, when given, is readSourceAhead's answer for
// the path, taken earlier.
Expected<DocumentText> ReadSource(std::u16string_view path, const CodePage& page, Desktop* desktop,
                                  FileEncoding* found, bool bytesWelcome,
                                  std::optional<SourceReadAhead> ahead = std::nullopt);

// The file's bytes, unchanged.
Expected<std::string> ReadFileBytes(std::u16string_view path);

// CR LF, LF CR, lone LF and lone CR each become one CR LF, exactly as the four replacements
// LF CR -> LF, CR LF -> LF, LF -> CR, CR -> CR LF applied in this order would leave the text.
void normalizeLineEnds(std::u16string& text);

// True when every CR in the bytes is followed by LF and every LF follows a CR: normalising them
// would change nothing.
bool everyLineEndIsCrLf(std::string_view bytes);

// The large-file way of reading, with its failure: lines end at CR LF or a lone CR and each
// line gets CR LF; a lone LF stays inside its line. The result is not yet normalised.
Expected<std::u16string> readLineByLine(std::u16string_view path, const CodePage& page,
                                        FileEncoding* found = nullptr);
// The line-by-line way on a decoded text: every line (ended by CR LF or a lone CR) given CR LF,
// line ends normalised; done in place, bound by the limit of the line buffer the reader once
// assembled lines in ("Out of string space").
Expected<std::u16string> assembleLines(std::u16string text);

// The message shown when a large file cannot be read.
MessageRequest unreadableFileMessage(const Failure& failure);

}  // namespace lorvane
