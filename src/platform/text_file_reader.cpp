#include "platform/text_file_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <limits>
#include <new>
#include <optional>
#include <system_error>

#include "platform/file_errors.h"
#include "platform/line_buffer.h"
#include "platform/error_catalogue.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace lorvane {
namespace {

class OpenFile {
  public:
    // Without O_NONBLOCK opening a pipe would wait for a writer; a regular file ignores it.
    explicit OpenFile(const std::string& path)
        : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)) {}
    ~OpenFile() {
        if (fd_ >= 0) ::close(fd_);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    int fd() const { return fd_; }

  private:
    int fd_;
};

// Squeezes every occurrence of the pair (first, second) into `first`, left to right, without
// looking again at what it wrote.
void squeezePairs(std::u16string& text, char16_t first, char16_t second) {
    const std::size_t size = text.size();
    std::size_t out = 0;
    for (std::size_t in = 0; in < size; ++in) {
        text[out++] = text[in];
        if (text[in] == first && in + 1 < size && text[in + 1] == second) ++in;
    }
    text.resize(out);
}

// The length of an open file that can be read as a text. Only a regular file is one: a device
// (/dev/zero) or a pipe may never end.
Expected<std::size_t> textFileLength(const OpenFile& input, const std::u16string& file) {
    if (input.fd() < 0) return fileFailure(errno, FileAction::Read, file);
    struct stat info {};
    if (::fstat(input.fd(), &info) != 0) return fileFailure(errno, FileAction::Read, file);
    if (S_ISDIR(info.st_mode)) return fileFailure(EISDIR, FileAction::Read, file);
    if (!S_ISREG(info.st_mode)) return fileFailure(EINVAL, FileAction::Read, file);
    return static_cast<std::size_t>(info.st_size);
}

// Reads into `buffer` until it is full or the file ends; the number of bytes read.
Expected<std::size_t> readUpTo(const OpenFile& input, char* buffer, std::size_t size,
                               const std::u16string& file) {
    std::size_t filled = 0;
    while (filled < size) {
        const ssize_t got = ::read(input.fd(), buffer + filled, size - filled);
        if (got < 0) {
            if (errno == EINTR) continue;
            return fileFailure(errno, FileAction::Read, file);
        }
        if (got == 0) break;
        filled += static_cast<std::size_t>(got);
    }
    return filled;
}

// A large file without a byte-order mark in a single-byte page, read without a buffer of its
// bytes: they are read into the upper half of the text's own storage, whose characters take
// two bytes each, and widened from the front, a slice at a time through a small copy, so the
// characters written never reach bytes not yet read. Nothing when the file has a mark or grew
// while it was read: the general way reads those.
Expected<std::optional<std::u16string>> readWidened(std::u16string_view path,
                                                    const CodePage& page, FileEncoding* found) {
    const std::u16string file(path);
    OpenFile input(toFsPath(path).string());
    auto length = textFileLength(input, file);
    if (!length) return length.failure();
    const std::size_t size = *length;
    std::u16string text;
    text.reserve(size + 2);  // room for the line end a last line may get
    text.resize(size);
    char* const bytes = reinterpret_cast<char*>(text.data()) + size;
    auto filled = readUpTo(input, bytes, size, file);
    if (!filled) return filled.failure();
    char more = 0;
    auto grown = readUpTo(input, &more, 1, file);
    if (!grown) return grown.failure();
    const std::string_view read(bytes, *filled);
    if (*grown != 0 || markOf(read) != ByteOrderMark::None) return std::optional<std::u16string>();
    if (found != nullptr) *found = unmarkedEncoding(read, page);

    constexpr std::size_t kSlice = 4096;
    char slice[kSlice];
    for (std::size_t at = 0; at < read.size(); at += kSlice) {
        const std::size_t count = std::min(kSlice, read.size() - at);
        std::memcpy(slice, read.data() + at, count);
        page.widen(std::string_view(slice, count), text.data() + at);
    }
    text.resize(read.size());
    return std::optional<std::u16string>(std::move(text));
}

// The line ends that are not CR LF: each CR not followed by LF and each LF not after a CR.
std::size_t loneLineEnds(std::u16string_view text) {
    std::size_t lone = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r') {
            if (i + 1 < text.size() && text[i + 1] == u'\n') {
                ++i;
            } else {
                ++lone;
            }
        } else if (text[i] == u'\n') {
            ++lone;
        }
    }
    return lone;
}

// True when the text does not end with a line end (a lone LF is none: it stays inside its line).
template <class Char>
bool lacksLastLineEnd(std::basic_string_view<Char> text) {
    const std::size_t size = text.size();
    return size > 0 && text[size - 1] != Char('\r') &&
           !(text[size - 1] == Char('\n') && size > 1 && text[size - 2] == Char('\r'));
}

// True when reading the bytes of a source in `page` would give one character for each byte and
// change nothing else: a single-byte page, no mark, every line end CR LF already, and, for a
// file read line by line (`wholeLines`), an end on the last line too.
bool readsAsTheyStand(std::string_view bytes, const CodePage& page, bool wholeLines) {
    return page.isSingleByte() && page.charOf('\r') == u'\r' && page.charOf('\n') == u'\n' &&
           markOf(bytes) == ByteOrderMark::None && everyLineEndIsCrLf(bytes) &&
           !(wholeLines && (lacksLastLineEnd(bytes) || bytes.size() > LineBuffer::kMaxUsed));
}

// The bytes of an open file of `length` bytes, and of whatever it grew by since; room is left
// for a final line end to be added without moving them.
Expected<std::string> readOpenFile(const OpenFile& input, std::size_t length,
                                   const std::u16string& file) {
    std::string bytes;
    bytes.reserve(length + 2);
    // One byte more than the length, to notice a file that grew since.
    bytes.resize(length + 1);
    std::size_t filled = 0;
    for (;;) {
        auto got = readUpTo(input, bytes.data() + filled, bytes.size() - filled, file);
        if (!got) return got.failure();
        filled += *got;
        if (filled < bytes.size()) break;
        bytes.resize(bytes.size() * 2);
    }
    bytes.resize(filled);
    return bytes;
}

// The line-by-line way on a file's bytes: decoded, the bytes let go, the lines assembled.
Expected<std::u16string> assembledLinesOf(std::string bytes, const CodePage& page,
                                          FileEncoding* found) {
    std::u16string text = decodeFileBytes(bytes, page, found);
    std::string().swap(bytes);
    return assembleLines(std::move(text));
}

// True when nothing exists under the path (any more).
bool vanished(std::u16string_view path) {
    std::error_code error;
    return std::filesystem::status(toFsPath(path), error).type() ==
           std::filesystem::file_type::not_found;
}

// The bytes of a file shorter than `limit` bytes, read through one opening; nothing for a longer
// one.
Expected<std::optional<std::string>> readIfShorter(std::u16string_view path, std::size_t limit) {
    const std::u16string file(path);
    if (path.empty()) return fileFailure(ENOENT, FileAction::Read, file);
    OpenFile input(toFsPath(path).string());
    auto length = textFileLength(input, file);
    if (!length) return length.failure();
    if (*length >= limit) return std::optional<std::string>();
    auto bytes = readOpenFile(input, *length, file);
    if (!bytes) return bytes.failure();
    return std::optional<std::string>(std::move(*bytes));
}

}  // namespace

Expected<std::string> ReadFileBytes(std::u16string_view path) {
    auto bytes = readIfShorter(path, std::numeric_limits<std::size_t>::max());
    if (!bytes) return bytes.failure();
    return std::move(**bytes);
}

// Sixteen bytes at a time: the LFs of a block must be exactly where its CRs, moved on by one
// (the last CR of the block before carried in), point.
bool everyLineEndIsCrLf(std::string_view bytes) {
    const char* const data = bytes.data();
    const std::size_t size = bytes.size();
    std::size_t i = 0;
    bool afterCr = false;
#ifdef __SSE2__
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    for (; i + 16 <= size; i += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
        const auto crs = static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, cr)));
        const auto lfs = static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, lf)));
        if ((((crs << 1) | (afterCr ? 1u : 0u)) & 0xFFFFu) != lfs) return false;
        afterCr = (crs >> 15) != 0;
    }
#endif
    for (; i < size; ++i) {
        if ((data[i] == '\n') != afterCr) return false;
        afterCr = data[i] == '\r';
    }
    return !afterCr;
}

void normalizeLineEnds(std::u16string& text) {
    // The usual text, every line end in it CR LF already, comes out as it went in: one look
    // instead of three passes.
    if (loneLineEnds(text) == 0) return;
    squeezePairs(text, u'\n', u'\r');
    squeezePairs(text, u'\r', u'\n');
    // What is left of CR and LF are single line ends; each becomes CR LF.
    std::size_t ends = 0;
    for (char16_t c : text)
        ends += (c == u'\r' || c == u'\n') ? 1 : 0;
    if (ends == 0) return;
    std::size_t in = text.size();
    std::size_t out = in + ends;
    text.resize(out);
    while (in > 0) {
        const char16_t c = text[--in];
        if (c == u'\r' || c == u'\n') {
            text[--out] = u'\n';
            text[--out] = u'\r';
        } else {
            text[--out] = c;
        }
    }
}

Expected<std::u16string> readLineByLine(std::u16string_view path, const CodePage& page,
                                        FileEncoding* found) {
    if (page.isSingleByte() && !path.empty()) {
        auto widened = readWidened(path, page, found);
        if (!widened) return widened.failure();
        if (*widened) return assembleLines(std::move(**widened));
    }
    auto bytes = ReadFileBytes(path);
    if (!bytes) return bytes.failure();
    return assembledLinesOf(std::move(*bytes), page, found);
}

Expected<std::u16string> assembleLines(std::u16string text) {
    // Lines end at CR LF or at a lone CR, so a line holds no CR and at most lone LFs. Each line
    // gets CR LF, and the line-end normalisation that follows then turns every LF left inside a
    // line, and every line's own end, into exactly one CR LF. Put together: every CR LF stays,
    // every lone CR and every lone LF becomes CR LF, and a last line without an end gets one.
    // A file already in that form, the usual one, is therefore taken as it is.
    const std::size_t size = text.size();
    const std::size_t lone = loneLineEnds(text);
    const bool endless = lacksLastLineEnd(std::u16string_view(text));
    const std::size_t assembled = size + lone + (endless ? 2 : 0);
    // The reader assembles large files in a line buffer, and is bound by its limit.
    if (assembled > LineBuffer::kMaxUsed) return failureFor(errors::kOutOfStringSpace);
    if (assembled == size) return text;

    // Widened from the back, so every character moves once and none is overwritten unread.
    text.resize(assembled);
    std::size_t out = assembled;
    if (endless) {
        text[--out] = u'\n';
        text[--out] = u'\r';
    }
    for (std::size_t in = size; in > 0;) {
        const char16_t c = text[--in];
        if (c == u'\n' || c == u'\r') {
            text[--out] = u'\n';
            text[--out] = u'\r';
            // A CR LF is one line end, not two.
            if (c == u'\n' && in > 0 && text[in - 1] == u'\r') --in;
        } else {
            text[--out] = c;
        }
    }
    return text;
}

MessageRequest unreadableFileMessage(const Failure& failure) {
    MessageRequest request;
    request.text =
        u"Невозможно прочесть файл\r\n\r\n(" + decimal(failure.number) + u" / " +
        errors::descriptionIn(errors::Language::Russian, failure.number, failure.description) +
        u").\r\n";
    request.caption = u"Ошибка!";
    request.icon = MessageIcon::Stop;
    request.buttons = 0;
    return request;
}

SourceReadAhead readSourceAhead(std::u16string_view path) {
    return readIfShorter(path, kLineByLineSize);
}

Expected<DocumentText> ReadSource(std::u16string_view path, const CodePage& page, Desktop* desktop,
                                  FileEncoding* found, bool bytesWelcome,
                                  std::optional<SourceReadAhead> ahead) {
    {
        auto bytes = ahead ? std::move(*ahead) : readSourceAhead(path);
        if (!bytes) {
            if (vanished(path)) return failureFor(errors::kFileNotFound, std::u16string(path));
            return DocumentText{};
        }
        if (*bytes) {
            if (bytesWelcome && readsAsTheyStand(**bytes, page, false)) {
                if (found != nullptr) *found = unmarkedEncoding(**bytes, page);
                return DocumentText::ofBytes(std::move(**bytes));
            }
            std::u16string text = decodeFileBytes(**bytes, page, found);
            normalizeLineEnds(text);
            return DocumentText::ofUnits(std::move(text));
        }
    }

    Failure failure;
    try {
        if (bytesWelcome && page.isSingleByte()) {
            auto bytes = ReadFileBytes(path);
            if (!bytes) {
                failure = bytes.failure();
            } else if (readsAsTheyStand(*bytes, page, true)) {
                if (found != nullptr) *found = unmarkedEncoding(*bytes, page);
                return DocumentText::ofBytes(std::move(*bytes));
            } else {
                auto text = assembledLinesOf(std::move(*bytes), page, found);
                if (text) return DocumentText::ofUnits(std::move(*text));
                failure = text.failure();
            }
        } else {
            auto text = readLineByLine(path, page, found);
            if (text) return DocumentText::ofUnits(std::move(*text));
            failure = text.failure();
        }
    } catch (const std::bad_alloc&) {
        failure = failureFor(errors::kOutOfMemory, std::u16string(path));
    }
    if (desktop != nullptr) desktop->beep();
    if (failure.number == errors::kOutOfMemory) {
        failure.file = std::u16string(path);
        return failure;
    }
    if (desktop != nullptr) desktop->showMessage(unreadableFileMessage(failure));
    return DocumentText{};
}

Expected<std::u16string> ReadSourceText(std::u16string_view path, const CodePage& page,
                                        Desktop* desktop, FileEncoding* found) {
    auto text = ReadSource(path, page, desktop, found, false);
    if (!text) return text.failure();
    return std::move(text->units);
}

std::u16string ReadTextFile(std::u16string_view path, const CodePage& page, Desktop* desktop,
                            FileEncoding* found) {
    auto text = ReadSourceText(path, page, desktop, found);
    return text ? std::move(*text) : std::u16string();
}

}  // namespace lorvane
