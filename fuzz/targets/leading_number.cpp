// The leading-number reader against a plain reading of its rule: spaces, tabs and line feeds
// are ignored anywhere; the longest prefix that forms a number counts (sign, digits, a point
// with digits, an exponent; or &H / &O with hexadecimal or octal digits); no prefix reads as 0.
// The 16- and 32-bit roundings must round to the nearest integer and refuse what does not fit.
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>

#include "engine/leading_number.h"
#include "fuzz_support.h"
#include "platform/code_page.h"

namespace {

using namespace lorvane;

bool digitOf(char c, int base, int& value) {
    int v = -1;
    if (c >= '0' && c <= '9') v = c - '0';
    if (c >= 'a' && c <= 'f') v = c - 'a' + 10;
    if (c >= 'A' && c <= 'F') v = c - 'A' + 10;
    if (v < 0 || v >= base) return false;
    value = v;
    return true;
}

double referenceRead(std::u16string_view text) {
    std::string s;
    for (char16_t c : text) {
        if (c == u' ' || c == u'\t' || c == u'\n') continue;
        s.push_back(c < 0x80 ? static_cast<char>(c) : '\x7F');  // no character above ASCII counts
    }
    if (s.size() >= 2 && s[0] == '&') {
        const int base = (s[1] == 'h' || s[1] == 'H') ? 16 : (s[1] == 'o' || s[1] == 'O') ? 8 : 0;
        if (base == 0) return 0;
        double value = 0;
        int digit = 0;
        for (std::size_t i = 2; i < s.size() && digitOf(s[i], base, digit); ++i)
            value = value * base + digit;
        return value;
    }
    // The longest prefix of the form [sign] (digits [. digits*] | . digits) [e [sign] digits].
    std::size_t best = 0;
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t intDigits = 0;
    while (i + intDigits < s.size() && std::isdigit(static_cast<unsigned char>(s[i + intDigits])))
        ++intDigits;
    i += intDigits;
    if (intDigits > 0) best = i;
    if (i < s.size() && s[i] == '.') {
        std::size_t fraction = 0;
        while (i + 1 + fraction < s.size() &&
               std::isdigit(static_cast<unsigned char>(s[i + 1 + fraction])))
            ++fraction;
        if (intDigits > 0 || fraction > 0) {
            i += 1 + fraction;
            best = i;
        }
    }
    if (best == 0) return 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        std::size_t exponent = 0;
        while (j + exponent < s.size() && std::isdigit(static_cast<unsigned char>(s[j + exponent])))
            ++exponent;
        if (exponent > 0) best = j + exponent;
    }
    return std::strtod(s.substr(0, best).c_str(), nullptr);
}

template <class Int>
void checkRounding(double value, std::optional<Int> rounded) {
    const double low = static_cast<double>(std::numeric_limits<Int>::min()) - 0.5;
    const double high = static_cast<double>(std::numeric_limits<Int>::max()) + 0.5;
    if (!std::isfinite(value) || value < low || value > high) {
        FUZZ_CHECK(!rounded);
        return;
    }
    if (value > low && value < high) FUZZ_CHECK(rounded.has_value());
    if (!rounded) return;
    const double distance = std::fabs(static_cast<double>(*rounded) - value);
    FUZZ_CHECK(distance <= 0.5);
    if (distance == 0.5) FUZZ_CHECK(*rounded % 2 == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::u16string text = fuzz::decode1251(fuzz::bytesOf(data, size));
    const double value = ReadLeadingNumber(text);
    const double expected = referenceRead(text);
    if (std::isfinite(expected)) {
        FUZZ_CHECK(value == expected);
    } else {
        FUZZ_CHECK(!std::isfinite(value));  // too large either way: no rounding accepts it
    }
    checkRounding<int16_t>(value, toInt16(value));
    checkRounding<int32_t>(value, toInt32(value));
    return 0;
}
