// Documents for the reader tests: the bundled samples converted by the build's lorvane-cli,
// and what a reader of each document must show, worked out from the document's own bytes
// (its paragraphs as UTF-8, decoded with the code page its character set names).
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace lorvane::test {

// The build's bundled program folder (build/bin).
std::filesystem::path bundleHome();

// Converts `source` with the table `table` of the mode `mode` of the program folder `home`;
// the result lies beside the source. Returns its path, empty when the run failed (`log` then
// says why).
std::filesystem::path convert(const std::filesystem::path& home,
                              const std::filesystem::path& source, const std::string& mode,
                              const std::string& table, std::string& log);

// A bundled file: bundle/<relative> of the source tree.
std::filesystem::path bundled(std::string_view relative);

// Bytes in the named code page ("windows-1251") as UTF-8.
std::string decodeCodePage(std::string_view bytes, const char* codePage);

// The paragraphs of an RTF document written by Lorvane: "\par" ends one, "\uN" is the
// character N, "\'hh" the byte hh, other control words and groups show nothing, and bytes are
// characters of `codePage`.
std::vector<std::string> rtfParagraphs(std::string_view rtf, const char* codePage);

// The paragraphs of an HTML document written by Lorvane: the body's text split at "<p>",
// tags dropped, character references resolved, line ends and empty paragraphs removed.
std::vector<std::string> htmlParagraphs(std::string_view html, const char* codePage);

// The paragraphs of a source text: runs of non-empty lines, each line its own paragraph when
// `linesJoined` is false.
std::vector<std::string> sourceParagraphs(std::string_view text, bool linesJoined);

// The lines of UTF-8 text, a byte-order mark removed.
std::vector<std::string> textLines(std::string_view text);

// The arguments that start LibreOffice headless, with a profile of its own in `work`, to
// convert documents (appended after them) into `format` in `outdir`.
std::vector<std::string> libreOfficeArguments(const std::filesystem::path& work,
                                              const std::string& format,
                                              const std::filesystem::path& outdir);

// The arguments that start Chromium headless without a sandbox (tests run as root), GPU,
// network or first-run work, with a profile of its own in `work`.
std::vector<std::string> chromiumArguments(const std::filesystem::path& work);

}  // namespace lorvane::test
