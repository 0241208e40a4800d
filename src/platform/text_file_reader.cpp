#include "platform/text_file_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <new>

#include "platform/file_errors.h"
#include "platform/line_buffer.h"
#include "platform/error_catalogue.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace lorvane {
namespace {

constexpr int kReaderBuffer = 1;  // the buffer the reader assembles large files in

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

// The length of a regular file; nothing when it cannot be got (missing, a folder, no path).
bool regularFileSize(std::u16string_view path, std::size_t& size) {
    if (path.empty()) return false;
    struct stat info {};
    if (::stat(toFsPath(path).c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    size = static_cast<std::size_t>(info.st_size);
    return true;
}

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

}  // namespace

Expected<std::string> ReadFileBytes(std::u16string_view path) {
    const std::u16string file(path);
    if (path.empty()) return fileFailure(ENOENT, FileAction::Read, file);
    OpenFile input(toFsPath(path).string());
    if (input.fd() < 0) return fileFailure(errno, FileAction::Read, file);
    struct stat info {};
    if (::fstat(input.fd(), &info) != 0) return fileFailure(errno, FileAction::Read, file);
    if (S_ISDIR(info.st_mode)) return fileFailure(EISDIR, FileAction::Read, file);
    // Only regular files are texts: a device (/dev/zero) or a pipe may never end.
    if (!S_ISREG(info.st_mode)) return fileFailure(EINVAL, FileAction::Read, file);

    std::string bytes;
    std::size_t filled = 0;
    bytes.resize(static_cast<std::size_t>(info.st_size) + 1);
    for (;;) {
        if (filled == bytes.size()) bytes.resize(bytes.size() * 2);
        const ssize_t got = ::read(input.fd(), bytes.data() + filled, bytes.size() - filled);
        if (got < 0) {
            if (errno == EINTR) continue;
            return fileFailure(errno, FileAction::Read, file);
        }
        if (got == 0) break;
        filled += static_cast<std::size_t>(got);
    }
    bytes.resize(filled);
    return bytes;
}

void normalizeLineEnds(std::u16string& text) {
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
    auto bytes = ReadFileBytes(path);
    if (!bytes) return bytes.failure();
    std::u16string text = decodeFileBytes(*bytes, page, found);
    bytes->clear();
    bytes->shrink_to_fit();
    return assembleLines(text);
}

Expected<std::u16string> assembleLines(std::u16string_view text) {
    // Lines end at CR LF or at a lone CR, so a line holds no CR and at most lone LFs. Each line
    // gets CR LF, and the line-end normalisation that follows then turns every LF left inside a
    // line, and every line's own end, into exactly one CR LF. The pieces are therefore built
    // with that done already, and knowing their total length lets the buffer be allocated once.
    const std::size_t size = text.size();
    std::size_t assembled = 0;
    for (std::size_t start = 0; start < size;) {
        std::size_t end = text.find(u'\r', start);
        if (end == std::u16string::npos) end = size;
        assembled += end - start + 2;
        start = end + 1;
        if (end < size && start < size && text[start] == u'\n') ++start;
    }
    for (char16_t c : text)
        assembled += c == u'\n' ? 1 : 0;
    LineBuffer buffer;
    if (Status reserved = buffer.reserve(assembled, kReaderBuffer); !reserved) {
        return reserved.failure();
    }
    std::u16string piece;
    std::size_t start = 0;
    while (start < size) {
        std::size_t end = text.find(u'\r', start);
        if (end == std::u16string::npos) end = size;
        const std::u16string_view line = text.substr(start, end - start);
        if (line.find(u'\n') == std::u16string_view::npos) {
            piece.assign(line);
        } else {
            piece.clear();
            for (char16_t c : line) {
                if (c == u'\n') piece += u'\r';
                piece += c;
            }
        }
        piece += u"\r\n";
        if (Status appended = buffer.append(piece, kReaderBuffer); !appended) {
            return appended.failure();
        }
        start = end + 1;
        if (end < size && start < size && text[start] == u'\n') ++start;
    }
    return buffer.release(kReaderBuffer);
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

Expected<std::u16string> ReadSourceText(std::u16string_view path, const CodePage& page,
                                        Desktop* desktop, FileEncoding* found) {
    std::size_t size = 0;
    const bool large = regularFileSize(path, size) && size >= kLineByLineSize;
    if (!large) {
        auto bytes = ReadFileBytes(path);
        if (!bytes) return std::u16string();
        std::u16string text = decodeFileBytes(*bytes, page, found);
        normalizeLineEnds(text);
        return text;
    }

    Failure failure;
    try {
        auto text = readLineByLine(path, page, found);
        if (text) return std::move(*text);
        failure = text.failure();
    } catch (const std::bad_alloc&) {
        failure = failureFor(errors::kOutOfMemory, std::u16string(path));
    }
    if (desktop != nullptr) desktop->beep();
    if (failure.number == errors::kOutOfMemory) {
        failure.file = std::u16string(path);
        return failure;
    }
    if (desktop != nullptr) desktop->showMessage(unreadableFileMessage(failure));
    return std::u16string();
}

std::u16string ReadTextFile(std::u16string_view path, const CodePage& page, Desktop* desktop,
                            FileEncoding* found) {
    auto text = ReadSourceText(path, page, desktop, found);
    return text ? std::move(*text) : std::u16string();
}

}  // namespace lorvane
