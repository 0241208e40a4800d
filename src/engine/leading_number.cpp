#include "engine/leading_number.h"

#include <cmath>
#include <limits>
#include <string>

#include "platform/c_numbers.h"

namespace lorvane {
namespace {

bool isIgnored(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\n';
}
bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

int digitValue(char16_t c, int base) {
    int value = -1;
    if (c >= u'0' && c <= u'9')
        value = c - u'0';
    else if (c >= u'a' && c <= u'f')
        value = c - u'a' + 10;
    else if (c >= u'A' && c <= u'F')
        value = c - u'A' + 10;
    return value < base ? value : -1;
}

// The text with spaces, tabs and line feeds removed, cut at the first character that is no
// ASCII (nothing numeric lies beyond it).
std::string compact(std::u16string_view text) {
    std::string out;
    for (char16_t c : text) {
        if (isIgnored(c)) continue;
        if (c > 0x7F) break;
        out.push_back(static_cast<char>(c));
    }
    return out;
}

double readRadix(const std::string& text, std::size_t start, int base) {
    double value = 0;
    for (std::size_t i = start; i < text.size(); ++i) {
        const int digit = digitValue(text[i], base);
        if (digit < 0) break;
        value = value * base + digit;
    }
    return value;
}

// Length of the decimal number at the start: sign, digits, point and digits, exponent.
std::size_t decimalPrefix(const std::string& text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    const std::size_t digitsStart = i;
    while (i < text.size() && isDigit(text[i]))
        ++i;
    bool anyDigit = i > digitsStart;
    if (i < text.size() && text[i] == '.') {
        std::size_t j = i + 1;
        while (j < text.size() && isDigit(text[j]))
            ++j;
        if (j > i + 1 || anyDigit) {
            anyDigit = anyDigit || j > i + 1;
            i = j;
        }
    }
    if (!anyDigit) return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        const std::size_t exponentStart = j;
        while (j < text.size() && isDigit(text[j]))
            ++j;
        if (j > exponentStart) i = j;
    }
    return i;
}

}  // namespace

double ReadLeadingNumber(std::u16string_view text) {
    const std::string compacted = compact(text);
    if (compacted.size() >= 2 && compacted[0] == '&') {
        const char kind = compacted[1];
        if (kind == 'h' || kind == 'H') return readRadix(compacted, 2, 16);
        if (kind == 'o' || kind == 'O') return readRadix(compacted, 2, 8);
        return 0;
    }
    const std::size_t length = decimalPrefix(compacted);
    if (length == 0) return 0;
    const std::string number = compacted.substr(0, length);
    const double value = parseCNumber(number);
    return std::isfinite(value) ? value : std::numeric_limits<double>::infinity();
}

namespace {

template <class Int>
std::optional<Int> roundToEven(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    const double rounded = std::nearbyint(value);  // the default rounding mode: halves to even
    if (rounded < static_cast<double>(std::numeric_limits<Int>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<Int>::max())) {
        return std::nullopt;
    }
    return static_cast<Int>(rounded);
}

}  // namespace

std::optional<int16_t> toInt16(double value) {
    return roundToEven<int16_t>(value);
}
std::optional<int32_t> toInt32(double value) {
    return roundToEven<int32_t>(value);
}

}  // namespace lorvane
