#include "platform/c_numbers.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace lorvane {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The power of ten of the text's first significant digit, to tell an overflow from an
// underflow when the value is out of range.
long magnitude(std::string_view text) {
    long digitsBeforePoint = 0;
    long zerosAfterPoint = 0;
    bool significant = false;
    bool afterPoint = false;
    std::size_t i = 0;
    for (; i < text.size() && (isDigit(text[i]) || text[i] == '.'); ++i) {
        if (text[i] == '.') {
            afterPoint = true;
        } else if (!afterPoint) {
            if (significant || text[i] != '0') {
                significant = true;
                ++digitsBeforePoint;
            }
        } else if (!significant) {
            if (text[i] != '0')
                significant = true;
            else
                ++zerosAfterPoint;
        }
    }
    long exponent = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        const bool negative = i < text.size() && text[i] == '-';
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
        for (; i < text.size() && isDigit(text[i]) && exponent < 100000; ++i) {
            exponent = exponent * 10 + (text[i] - '0');
        }
        if (negative) exponent = -exponent;
    }
    return exponent + (digitsBeforePoint > 0 ? digitsBeforePoint - 1 : -zerosAfterPoint - 1);
}

std::string print(double value, std::chars_format format, int decimals) {
    // Wide enough for "%.*f" of the largest double with the decimals asked for.
    std::string buffer(static_cast<std::size_t>(decimals) + 400, '\0');
    auto [end, error] =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, format, decimals);
    if (error != std::errc()) return {};
    buffer.resize(static_cast<std::size_t>(end - buffer.data()));
    return buffer;
}

}  // namespace

double parseCNumber(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    double value = 0;
    auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (error == std::errc::result_out_of_range) {
        value = magnitude(text) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (error != std::errc()) {
        value = 0;
    }
    return negative ? -value : value;
}

std::string printScientific(double value, int decimals) {
    return print(value, std::chars_format::scientific, decimals);
}

std::string printFixed(double value, int decimals) {
    return print(value, std::chars_format::fixed, decimals);
}

}  // namespace lorvane
