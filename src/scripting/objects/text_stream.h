// The TextStream that FileSystemObject opens: a text file read from start to end (lines split at
// CR LF, LF or CR) or written (WriteLine ends lines with CR LF), in the program's code page or
// as UTF-16 little-endian (the "Unicode" format), with the Windows object's members and errors.
#pragma once

#include <fstream>
#include <memory>
#include <string>

#include "scripting/host_object.h"

namespace lorvane {
class CodePage;
}

namespace lorvane::vbs {

enum class TextEncoding { CodePage, Utf16 };

class TextStream : public Object {
  public:
    // A stream that reads this (already decoded) text.
    explicit TextStream(std::u16string text);
    // A stream that writes to `file`, which is open and positioned where writing goes on.
    TextStream(std::unique_ptr<std::ofstream> file, TextEncoding encoding,
               std::shared_ptr<const CodePage> codePage);
    ~TextStream() override;

    std::u16string typeName() const override { return u"TextStream"; }
    MemberId findMember(std::u16string_view name) const override;
    Variant get(MemberId member, Arguments& args) override;

  private:
    bool reading() const { return !file_; }
    void expectReading() const;
    void expectWriting() const;
    void expectOpen() const;

    bool atEnd() const { return position_ >= text_.size(); }
    bool atEndOfLine() const;
    // Moves on by `count` units, keeping Line and Column up to date.
    void consume(std::size_t count);
    std::u16string read(int32_t count);
    std::u16string readAll();
    std::u16string readLine();
    void skipLine();

    void write(std::u16string_view text);
    void close();

    std::u16string text_;  // reading: the whole file
    std::size_t position_ = 0;

    std::unique_ptr<std::ofstream> file_;  // writing
    TextEncoding encoding_ = TextEncoding::CodePage;
    std::shared_ptr<const CodePage> codePage_;
    char16_t pendingLead_ = 0;  // a lead surrogate whose trail the next Write brings

    bool closed_ = false;
    int32_t line_ = 1;
    int32_t column_ = 1;
};

}  // namespace lorvane::vbs
