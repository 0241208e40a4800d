// Shared helpers of the fuzz targets: cutting an input into sections, turning bytes into the
// program's text, a scratch folder per process, and a check that stops the run with a message
// when an invariant breaks (in the fuzzer and in the corpus replay alike).
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#define FUZZ_CHECK(condition)                                                           \
    do {                                                                                \
        if (!(condition)) ::lorvane::fuzz::checkFailed(#condition, __FILE__, __LINE__); \
    } while (0)

namespace lorvane::fuzz {

[[noreturn]] void checkFailed(const char* condition, const char* file, int line);

// The input as bytes.
std::string_view bytesOf(const uint8_t* data, std::size_t size);

// The input cut at NUL bytes into at most `count` sections; the last one keeps any further NULs.
// Missing sections are empty.
std::vector<std::string_view> sections(std::string_view input, std::size_t count);

// Bytes as text the way the program reads files: one character per byte in code page 1251.
std::u16string decode1251(std::string_view bytes);
// Text as the program writes files, in code page 1251.
std::string encode1251(std::u16string_view text);

// The bytes of a file (empty when it cannot be read).
std::string readFile(const std::filesystem::path& path);

// Lines as an applied table file has them: a line ends at CR LF or at a lone CR.
std::vector<std::u16string_view> tableLines(std::u16string_view text);

// A folder of this process's own, emptied by clear() between inputs and removed at exit.
class ScratchFolder {
  public:
    static ScratchFolder& instance();
    const std::filesystem::path& path() const { return path_; }
    std::u16string u16path() const;
    // Removes everything inside the folder.
    void clear() const;
    // Writes a file below the folder (a relative path in the program's form), creating folders
    // on the way.
    void write(std::u16string_view relative, std::string_view bytes) const;
    ~ScratchFolder();

  private:
    ScratchFolder();
    std::filesystem::path path_;
};

// A file name made safe for the scratch folder: letters, digits and "@._-+%!" kept (any byte
// of 0x80 and above too, so Cyrillic names survive), everything else dropped; "." and ".." and
// an empty name become `fallback`.
std::u16string safeFileName(std::u16string_view name, std::u16string_view fallback);

// Tables and numerals can multiply a text at will (each line "a == aa" doubles it; the Roman
// numeral of 2000000000 is two million letters long): that is the table's own doing, like a
// macro that loops, and the fuzzer passes such inputs over instead of running out of memory.
inline constexpr std::size_t kMaxGrownText = std::size_t{1} << 20;

// An upper bound of the text's length after ">digits" converts it, whatever the mode.
std::size_t digitRunsBound(std::u16string_view text);

// An upper bound of the working text's length after the line handler has taken the line: its
// digit conversion, a script answer of at most `scriptAnswer` more characters, and its pair.
std::size_t lineBound(std::u16string_view line, std::u16string_view text, std::size_t scriptAnswer);

}  // namespace lorvane::fuzz
