// A folder of its own for each test, removed afterwards, with helpers to lay out files in it.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace lorvane::test {

class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The folder as the program writes paths: UTF-16, no trailing separator.
    std::u16string u16path() const;
    // Full path of a relative name inside the folder, in the program's form.
    std::u16string u16(std::string_view relative) const;

    // Writes bytes exactly as given, creating folders on the way; returns the full path.
    std::filesystem::path write(std::string_view relative, std::string_view bytes) const;
    std::filesystem::path makeFolder(std::string_view relative) const;
    std::string read(std::string_view relative) const;
    bool exists(std::string_view relative) const;

  private:
    std::filesystem::path path_;
};

// Reads a whole file as bytes; empty when it cannot be read.
std::string readBytes(const std::filesystem::path& path);

}  // namespace lorvane::test
