#include "scripting/objects/text_stream.h"

#include <unicode/utf16.h>

#include "platform/code_page.h"
#include "platform/error_catalogue.h"
#include "scripting/coerce.h"
#include "scripting/objects/object_support.h"
#include "scripting/script_error.h"

namespace lorvane::vbs {
namespace {

enum Member : MemberId {
    kAtEndOfLine,
    kAtEndOfStream,
    kClose,
    kColumn,
    kLine,
    kRead,
    kReadAll,
    kReadLine,
    kSkip,
    kSkipLine,
    kWrite,
    kWriteBlankLines,
    kWriteLine,
};

constexpr MemberEntry kMembers[] = {
    {u"AtEndOfLine", kAtEndOfLine},
    {u"AtEndOfStream", kAtEndOfStream},
    {u"Close", kClose},
    {u"Column", kColumn},
    {u"Line", kLine},
    {u"Read", kRead},
    {u"ReadAll", kReadAll},
    {u"ReadLine", kReadLine},
    {u"Skip", kSkip},
    {u"SkipLine", kSkipLine},
    {u"Write", kWrite},
    {u"WriteBlankLines", kWriteBlankLines},
    {u"WriteLine", kWriteLine},
};

constexpr std::u16string_view kLineEnd = u"\r\n";

bool isLineBreak(char16_t c) {
    return c == u'\r' || c == u'\n';
}

std::string utf16LittleEndian(std::u16string_view text) {
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (char16_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    return bytes;
}

int32_t nonNegativeCount(const Arguments& args, std::size_t i) {
    const int32_t count = longArgument(args, i);
    if (count < 0) raise(errors::kInvalidProcedureCall);
    return count;
}

}  // namespace

TextStream::TextStream(std::u16string text) : text_(std::move(text)) {}

TextStream::TextStream(std::unique_ptr<std::ofstream> file, TextEncoding encoding,
                       std::shared_ptr<const CodePage> codePage)
    : file_(std::move(file)), encoding_(encoding), codePage_(std::move(codePage)) {}

TextStream::~TextStream() {
    // A stream the script forgot to close still keeps what it wrote.
    if (file_ && !closed_) {
        if (pendingLead_ != 0) *file_ << codePage_->encode(std::u16string(1, pendingLead_));
        file_->close();
    }
}

MemberId TextStream::findMember(std::u16string_view name) const {
    return findMemberIn(kMembers, name);
}

Variant TextStream::get(MemberId member, Arguments& args) {
    switch (member) {
        case kAtEndOfLine:
            expectArgumentCount(args, 0, 0);
            expectReading();
            return Variant::fromBool(atEndOfLine());
        case kAtEndOfStream:
            expectArgumentCount(args, 0, 0);
            expectReading();
            return Variant::fromBool(atEnd());
        case kClose:
            expectArgumentCount(args, 0, 0);
            close();
            return {};
        case kColumn:
            expectArgumentCount(args, 0, 0);
            return Variant::fromLong(column_);
        case kLine:
            expectArgumentCount(args, 0, 0);
            return Variant::fromLong(line_);
        case kRead:
            expectArgumentCount(args, 1, 1);
            return Variant::fromString(read(nonNegativeCount(args, 0)));
        case kReadAll:
            expectArgumentCount(args, 0, 0);
            return Variant::fromString(readAll());
        case kReadLine:
            expectArgumentCount(args, 0, 0);
            return Variant::fromString(readLine());
        case kSkip: {
            expectArgumentCount(args, 1, 1);
            const int32_t count = nonNegativeCount(args, 0);
            (void)read(count);
            return {};
        }
        case kSkipLine:
            expectArgumentCount(args, 0, 0);
            skipLine();
            return {};
        case kWrite:
            expectArgumentCount(args, 1, 1);
            write(stringArgument(args, 0));
            return {};
        case kWriteBlankLines: {
            expectArgumentCount(args, 1, 1);
            const int32_t count = nonNegativeCount(args, 0);
            expectWriting();
            std::u16string lines;
            for (int32_t i = 0; i < count; ++i)
                lines += kLineEnd;
            write(lines);
            return {};
        }
        case kWriteLine:
            expectArgumentCount(args, 0, 1);
            write((args.empty() ? std::u16string() : stringArgument(args, 0)) +
                  std::u16string(kLineEnd));
            return {};
        default:
            raise(errors::kObjectDoesNotSupportProperty);
    }
}

void TextStream::expectOpen() const {
    if (closed_) raise(errors::kBadFileMode);
}

void TextStream::expectReading() const {
    expectOpen();
    if (!reading()) raise(errors::kBadFileMode);
}

void TextStream::expectWriting() const {
    expectOpen();
    if (reading()) raise(errors::kBadFileMode);
}

bool TextStream::atEndOfLine() const {
    return atEnd() || isLineBreak(text_[position_]);
}

void TextStream::consume(std::size_t count) {
    const std::size_t end = std::min(text_.size(), position_ + count);
    for (; position_ < end; ++position_) {
        const char16_t c = text_[position_];
        const bool crBeforeLf =
            c == u'\r' && position_ + 1 < text_.size() && text_[position_ + 1] == u'\n';
        if (crBeforeLf) continue;  // CR LF is one line end, counted at its LF
        if (isLineBreak(c)) {
            ++line_;
            column_ = 1;
        } else {
            ++column_;
        }
    }
}

std::u16string TextStream::read(int32_t count) {
    expectReading();
    if (atEnd()) raise(errors::kInputPastEndOfFile);
    const std::size_t start = position_;
    consume(static_cast<std::size_t>(count));
    return text_.substr(start, position_ - start);
}

std::u16string TextStream::readAll() {
    expectReading();
    // The Windows object fails here even for an empty file; scripts test AtEndOfStream first.
    if (atEnd()) raise(errors::kInputPastEndOfFile);
    const std::size_t start = position_;
    consume(text_.size() - position_);
    return text_.substr(start);
}

std::u16string TextStream::readLine() {
    expectReading();
    if (atEnd()) raise(errors::kInputPastEndOfFile);
    const std::size_t start = position_;
    std::size_t end = start;
    while (end < text_.size() && !isLineBreak(text_[end]))
        ++end;
    std::u16string line = text_.substr(start, end - start);
    std::size_t breakLength = 0;
    if (end < text_.size())
        breakLength =
            (text_[end] == u'\r' && end + 1 < text_.size() && text_[end + 1] == u'\n') ? 2 : 1;
    consume(end - start + breakLength);
    return line;
}

void TextStream::skipLine() {
    (void)readLine();
}

void TextStream::write(std::u16string_view text) {
    expectWriting();
    for (char16_t c : text) {
        if (c == u'\n') {
            ++line_;
            column_ = 1;
        } else if (c != u'\r') {
            ++column_;
        }
    }
    if (encoding_ == TextEncoding::Utf16) {
        *file_ << utf16LittleEndian(text);
    } else {
        // A surrogate pair split between two Writes must reach a multi-byte page whole.
        std::u16string piece;
        if (pendingLead_ != 0) piece.push_back(pendingLead_);
        piece.append(text);
        pendingLead_ = 0;
        if (!piece.empty() && U16_IS_LEAD(piece.back())) {
            pendingLead_ = piece.back();
            piece.pop_back();
        }
        *file_ << codePage_->encode(piece);
    }
    if (!*file_) raise(errors::kDeviceIoError);
}

void TextStream::close() {
    if (closed_) return;
    closed_ = true;
    if (!file_) return;
    if (pendingLead_ != 0) *file_ << codePage_->encode(std::u16string(1, pendingLead_));
    pendingLead_ = 0;
    file_->close();
    if (file_->fail()) raise(errors::kDeviceIoError);
}

}  // namespace lorvane::vbs
