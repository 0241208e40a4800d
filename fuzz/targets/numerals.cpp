// Numerals: LetterNumeral, RomanNumeral and DigitRuns on any text. DigitRuns is checked against
// a plain scan that replaces each digit run followed by another character with the numeral of
// that run; Roman numerals of moderate values must read back as their value.
//
// Input: one byte that picks the mode (its two low bits, 0-3; with bit 6 set, its low six bits
// minus 32, so other values come up too), then the text. The table path names a Greek table
// when the byte's bit 7 is set.
#include <cstdint>
#include <string>

#include "engine/leading_number.h"
#include "engine/numerals.h"
#include "fuzz_support.h"

namespace {

using namespace lorvane;

// Values above this are not read back (a numeral of 2^31 is two million letters long).
constexpr int32_t kReadBackLimit = 100000;

bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

int romanValue(char16_t c) {
    switch (c) {
        case u'I':
            return 1;
        case u'V':
            return 5;
        case u'X':
            return 10;
        case u'L':
            return 50;
        case u'C':
            return 100;
        case u'D':
            return 500;
        case u'M':
            return 1000;
        default:
            return -1;
    }
}

int64_t readRoman(const std::u16string& roman) {
    int64_t total = 0;
    for (std::size_t i = 0; i < roman.size(); ++i) {
        const int value = romanValue(roman[i]);
        FUZZ_CHECK(value > 0);
        const int next = i + 1 < roman.size() ? romanValue(roman[i + 1]) : 0;
        total += next > value ? -value : value;
    }
    return total;
}

// The rule of DigitRuns, written as plainly as it reads.
bool referenceDigitRuns(std::u16string& text, int16_t mode, std::u16string_view tablePath) {
    std::u16string out;
    std::size_t i = 0;
    while (i < text.size()) {
        if (!isDigit(text[i])) {
            out += text[i++];
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && isDigit(text[end]))
            ++end;
        if (end == text.size()) {
            out += text.substr(i);
            break;
        }
        const std::u16string run = text.substr(i, end - i);
        if (mode == 3) {
            auto roman = RomanNumeral(run);
            if (!roman) {
                text = out + text.substr(i);
                return false;
            }
            out += *roman;
        } else {
            out += LetterNumeral(run, mode, tablePath);
        }
        i = end;
    }
    text = out;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const int16_t mode =
        static_cast<int16_t>((data[0] & 0x40) ? (data[0] & 0x3F) - 32 : data[0] & 0x03);
    const std::u16string_view tablePath =
        (data[0] & 0x80) ? u"/p/@hip-Grk/t.txt" : u"/p/@hip/t.txt";
    const std::u16string text = fuzz::decode1251(fuzz::bytesOf(data + 1, size - 1));

    int16_t letterMode = mode;
    const std::u16string letters = LetterNumeral(text, letterMode, tablePath);
    FUZZ_CHECK(letterMode == mode || (mode == 0 && letterMode == 2));
    FUZZ_CHECK(letters.size() <= 6 * 6 + 4);

    const auto roman = RomanNumeral(text);
    const auto number = toInt32(ReadLeadingNumber(text));
    FUZZ_CHECK(roman.has_value() == number.has_value());
    if (roman && *number <= kReadBackLimit) {
        FUZZ_CHECK(readRoman(*roman) == (*number > 0 ? *number : 0));
    }

    if (fuzz::digitRunsBound(text) > fuzz::kMaxGrownText) return 0;
    std::u16string converted = text;
    std::u16string expected = text;
    int16_t runsMode = mode;
    int16_t referenceMode = mode;
    const bool done = DigitRuns(converted, runsMode, tablePath);
    const bool expectedDone = referenceDigitRuns(expected, referenceMode, tablePath);
    FUZZ_CHECK(done == expectedDone);
    FUZZ_CHECK(converted == expected);
    return 0;
}
