// Paths as the program forms them: UTF-16 text with the platform's separator. Users' own files
// often write Windows paths with "\"; those are normalised when read, and paths formed from user
// data fall back to a letter-case-blind lookup, as on the file systems the tables came from.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace lorvane {

inline constexpr char16_t kPathSeparator = u'/';

// Every "\" of a user-written path turned into the platform separator.
std::u16string normalizeSeparators(std::u16string_view userPath);

// File names are bytes, and not always UTF-8 (an archive from another system brings names in
// its own code page): a byte that is no UTF-8 becomes one of the lone surrogates U+DC80..U+DCFF
// and turns back into the same byte, so every name survives the trip through UTF-16.
std::filesystem::path toFsPath(std::u16string_view path);
std::u16string fromFsPath(const std::filesystem::path& path);
std::u16string fromFsBytes(std::string_view bytes);

// The path as written when it exists; otherwise resolved component by component without regard
// to letter case (first match in name order); the path as written when that finds nothing.
std::u16string resolveCaseInsensitive(std::u16string_view path);

// The text up to and including the last separator ("" when there is none).
std::u16string folderPart(std::u16string_view path);
// The text after the last separator (all of it when there is none).
std::u16string fileNamePart(std::u16string_view path);

bool isDirectory(std::u16string_view path);
bool isRegularFile(std::u16string_view path);

// The folder of the running executable (symlinks resolved, no trailing separator), replaced by
// LORVANE_HOME when that is set and not empty.
std::u16string locateProgramFolder();
// The same folder with any trailing separators removed (the program never keeps one).
std::u16string withoutTrailingSeparator(std::u16string_view folder);

}  // namespace lorvane
