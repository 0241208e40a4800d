// The 8-bit code page in which every file is read and written. Single-byte pages decode each byte
// to exactly one UTF-16 unit and encode it back to the same byte (bytes a page leaves undefined
// map to U+0080..U+00FF at the same position), so font-encoded text survives any round trip.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/failure.h"

namespace lorvane {

class CodePage {
  public:
    static constexpr int kDefault = 1251;
    static constexpr int kUtf8 = 65001;

    // The page with that number (874, 1250-1258, 866, 437, 850, 20866, 28591-28605, 65001 ...),
    // or a failure naming the number when this build does not know it. Pages are built once.
    static Expected<std::shared_ptr<const CodePage>> forNumber(int number);
    // The documents' page chosen by LORVANE_CODEPAGE, else the default.
    static int numberFromEnvironment();
    // The page of the program folder's own files chosen by LORVANE_TABLE_CODEPAGE, else the
    // default.
    static int tableNumberFromEnvironment();

    int number() const { return number_; }
    bool isSingleByte() const { return number_ != kUtf8; }

    std::u16string decode(std::string_view bytes) const;
    void decodeAppend(std::string_view bytes, std::u16string& out) const;
    // A single-byte page's characters for `bytes`, one for each byte, written from `target` on.
    void widen(std::string_view bytes, char16_t* target) const;
    // Characters the page cannot represent become "?".
    std::string encode(std::u16string_view text) const;
    void encodeAppend(std::u16string_view text, std::string& out) const;
    // The bytes of a text every character of which the page represents; false (and `out`
    // unspecified) when some character has no code. Single-byte pages only.
    bool tryEncode(std::u16string_view text, std::string& out) const;
    // The code of a character in this page, or -1 when it has none (single-byte pages only).
    int codeOf(char16_t c) const;
    // The character of a single-byte code 0-255.
    char16_t charOf(unsigned char code) const { return toUnicode_[code]; }

    explicit CodePage(int number);  // use forNumber

  private:
    int number_;
    std::array<char16_t, 256> toUnicode_{};
    std::vector<int16_t> fromUnicode_;  // 65536 entries, -1 = not representable
};

}  // namespace lorvane
