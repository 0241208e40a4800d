#include "platform/text.h"

#include <unicode/uchar.h>
#include <unicode/ustring.h>
#include <unicode/utf16.h>

#include <vector>

namespace lorvane {
namespace {

using CaseMapper = int32_t (*)(UChar*, int32_t, const UChar*, int32_t, const char*, UErrorCode*);

std::u16string mapCase(std::u16string_view text, CaseMapper mapper) {
    if (text.empty()) return {};
    std::u16string out(text.size(), u'\0');
    UErrorCode status = U_ZERO_ERROR;
    int32_t length = mapper(out.data(), static_cast<int32_t>(out.size()), text.data(),
                            static_cast<int32_t>(text.size()), "", &status);
    if (status == U_BUFFER_OVERFLOW_ERROR) {
        out.resize(static_cast<std::size_t>(length));
        status = U_ZERO_ERROR;
        length =
            mapper(out.data(), length, text.data(), static_cast<int32_t>(text.size()), "", &status);
    }
    if (U_FAILURE(status)) return std::u16string(text);
    out.resize(static_cast<std::size_t>(length));
    return out;
}

char16_t foldUnit(char16_t c) {
    if (c < 0x80) return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c;
    if (U16_IS_SURROGATE(c)) return c;
    return static_cast<char16_t>(u_foldCase(c, U_FOLD_CASE_DEFAULT));
}

}  // namespace

std::u16string fromUtf8(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    const auto n = static_cast<int32_t>(utf8.size());
    int32_t pos = 0;
    while (pos < n) {
        UChar32 c;
        U8_NEXT(reinterpret_cast<const uint8_t*>(utf8.data()), pos, n, c);
        if (c < 0) c = 0xFFFD;
        if (c > 0xFFFF) {
            out.push_back(U16_LEAD(c));
            out.push_back(U16_TRAIL(c));
        } else {
            out.push_back(static_cast<char16_t>(c));
        }
    }
    return out;
}

std::string toUtf8(std::u16string_view text, char32_t loneSurrogate) {
    std::string out;
    out.reserve(text.size());
    const auto n = static_cast<int32_t>(text.size());
    int32_t pos = 0;
    while (pos < n) {
        UChar32 c;
        U16_NEXT(text.data(), pos, n, c);
        if (U_IS_SURROGATE(c)) c = static_cast<UChar32>(loneSurrogate);
        char buffer[4];
        int32_t length = 0;
        [[maybe_unused]] UBool error = false;
        U8_APPEND(reinterpret_cast<uint8_t*>(buffer), length, 4, c, error);
        out.append(buffer, static_cast<std::size_t>(length));
    }
    return out;
}

std::u16string toLower(std::u16string_view text) {
    return mapCase(text, u_strToLower);
}
std::u16string toUpper(std::u16string_view text) {
    return mapCase(text, u_strToUpper);
}

bool equalsIgnoringCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return compareIgnoringCase(a, b) == 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i] && foldUnit(a[i]) != foldUnit(b[i])) return compareIgnoringCase(a, b) == 0;
    }
    return true;
}

bool startsWithIgnoringCase(std::u16string_view text, std::u16string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (foldUnit(text[i]) != foldUnit(prefix[i])) return false;
    }
    return true;
}

int compareIgnoringCase(std::u16string_view a, std::u16string_view b) {
    // ICU refuses a null pointer, which an empty view may hold, and then answers "equal".
    if (a.empty() || b.empty()) return a.empty() == b.empty() ? 0 : (a.empty() ? -1 : 1);
    UErrorCode status = U_ZERO_ERROR;
    int result = u_strCaseCompare(a.data(), static_cast<int32_t>(a.size()), b.data(),
                                  static_cast<int32_t>(b.size()), U_FOLD_CASE_DEFAULT, &status);
    return result < 0 ? -1 : (result > 0 ? 1 : 0);
}

std::size_t findIgnoringCase(std::u16string_view text, std::u16string_view needle,
                             std::size_t from) {
    if (needle.empty()) return from <= text.size() ? from : std::u16string_view::npos;
    if (needle.size() > text.size()) return std::u16string_view::npos;
    const char16_t first = foldUnit(needle[0]);
    for (std::size_t i = from; i + needle.size() <= text.size(); ++i) {
        if (foldUnit(text[i]) != first) continue;
        if (startsWithIgnoringCase(text.substr(i), needle)) return i;
    }
    return std::u16string_view::npos;
}

std::u16string_view trimSpaces(std::u16string_view text) {
    const auto begin = text.find_first_not_of(u' ');
    if (begin == std::u16string_view::npos) return {};
    const auto end = text.find_last_not_of(u' ');
    return text.substr(begin, end - begin + 1);
}

std::u16string decimal(long long value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

std::size_t replaceAll(std::u16string& text, std::u16string_view from, std::u16string_view to) {
    if (from.empty() || text.size() < from.size()) return 0;
    std::size_t found = text.find(from);
    if (found == std::u16string::npos) return 0;
    std::u16string out;
    out.reserve(text.size());
    std::size_t start = 0;
    std::size_t count = 0;
    while (found != std::u16string::npos) {
        out.append(text, start, found - start);
        out.append(to);
        start = found + from.size();
        ++count;
        found = text.find(from, start);
    }
    out.append(text, start, std::u16string::npos);
    text.swap(out);
    return count;
}

}  // namespace lorvane
