#include "fuzz_support.h"

#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>

#include "engine/leading_number.h"
#include "platform/code_page.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace lorvane::fuzz {
namespace fs = std::filesystem;

void checkFailed(const char* condition, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, condition);
    std::abort();
}

std::string_view bytesOf(const uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

std::vector<std::string_view> sections(std::string_view input, std::size_t count) {
    std::vector<std::string_view> parts;
    while (parts.size() + 1 < count) {
        const std::size_t nul = input.find('\0');
        if (nul == std::string_view::npos) break;
        parts.push_back(input.substr(0, nul));
        input.remove_prefix(nul + 1);
    }
    parts.push_back(input);
    parts.resize(count);
    return parts;
}

namespace {

const CodePage& page1251() {
    static const std::shared_ptr<const CodePage> page = *CodePage::forNumber(1251);
    return *page;
}

}  // namespace

std::u16string decode1251(std::string_view bytes) {
    return page1251().decode(bytes);
}

std::string encode1251(std::u16string_view text) {
    return page1251().encode(text);
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::vector<std::u16string_view> tableLines(std::u16string_view text) {
    std::vector<std::u16string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(u'\r', start);
        if (end == std::u16string_view::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
        if (start < text.size() && text[start] == u'\n') ++start;
    }
    return lines;
}

ScratchFolder& ScratchFolder::instance() {
    static ScratchFolder folder;
    return folder;
}

ScratchFolder::ScratchFolder() {
    std::string pattern = (fs::temp_directory_path() / "lorvane-fuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
    std::error_code error;
    fs::remove_all(path_, error);
}

std::u16string ScratchFolder::u16path() const {
    return fromFsPath(path_);
}

void ScratchFolder::clear() const {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(path_, error))
        fs::remove_all(entry.path(), error);
}

void ScratchFolder::write(std::u16string_view relative, std::string_view bytes) const {
    const fs::path target = path_ / toFsPath(relative);
    std::error_code error;
    fs::create_directories(target.parent_path(), error);
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::u16string safeFileName(std::u16string_view name, std::u16string_view fallback) {
    constexpr std::u16string_view kKept = u"@._-+%!";
    std::u16string safe;
    for (const char16_t c : name) {
        const bool keep = c >= 0x80 || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') ||
                          (c >= u'0' && c <= u'9') || kKept.find(c) != std::u16string_view::npos;
        if (keep) safe.push_back(c);
    }
    if (safe.empty() || safe == u"." || safe == u".." || safe.size() > 100) {
        return std::u16string(fallback);
    }
    return safe;
}

std::size_t digitRunsBound(std::u16string_view text) {
    constexpr std::size_t kLetterNumeral = 6 * 6 + 4;  // six letters of up to six units, the sign
    std::size_t bound = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] < u'0' || text[i] > u'9') {
            ++bound;
            ++i;
            continue;
        }
        double value = 0;
        std::size_t end = i;
        for (; end < text.size() && text[end] >= u'0' && text[end] <= u'9'; ++end)
            value = value * 10 + (text[end] - u'0');
        // A Roman numeral has one letter per thousand and at most 15 for the rest.
        const double roman = value > 2147483647.0 ? 0 : value / 1000 + 15;
        bound += std::max<std::size_t>(kLetterNumeral, static_cast<std::size_t>(roman)) + (end - i);
        i = end;
    }
    return bound;
}

std::size_t lineBound(std::u16string_view line, std::u16string_view text,
                      std::size_t scriptAnswer) {
    const std::u16string lower = toLower(line);
    std::size_t bound = text.size();
    if (lower.find(u"digits") != std::u16string::npos)
        bound = std::max(bound, digitRunsBound(text));
    if (lower.find(u"script") != std::u16string::npos) bound += scriptAnswer;
    const std::size_t separator = line.find(u" == ");
    if (separator != std::u16string_view::npos) {
        const double number = ReadLeadingNumber(line.substr(0, separator));
        const std::size_t search = number != 0 ? 1 : separator;
        const std::size_t replacement = line.size() - separator - 4;
        if (search > 0 && replacement > search) bound += bound / search * (replacement - search);
    }
    return bound;
}

}  // namespace lorvane::fuzz
