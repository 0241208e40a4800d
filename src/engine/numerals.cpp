#include "engine/numerals.h"

#include "engine/leading_number.h"
#include "platform/text.h"

namespace lorvane {
namespace {

// Letters for the digits 1-9 at the units, tens and hundreds positions.
constexpr const char16_t* kLetters[3][9] = {
    {u"а", u"в", u"г", u"д", u"е", u"<f>", u"з", u"и", u"f"},
    {u"i", u"к", u"л", u"м", u"н", u"<кс>", u"о", u"п", u"q"},
    {u"р", u"с", u"т", u"v", u"ф", u"х", u"<пс>", u"w", u"ц"},
};

constexpr char16_t kTitlo[] = u"~";
constexpr char16_t kThousands[] = u"#";
constexpr char16_t kGreekSign[] = u"<_>'";

struct RomanRow {
    int value;
    const char16_t* text;
};
constexpr RomanRow kRomanRows[] = {
    {1000, u"M"}, {900, u"CM"}, {500, u"D"}, {400, u"CD"}, {100, u"C"}, {90, u"XC"}, {50, u"L"},
    {40, u"XL"},  {10, u"X"},   {9, u"IX"},  {5, u"V"},    {4, u"IV"},  {1, u"I"},
};

bool namesGreekTable(std::u16string_view tablePath) {
    const std::u16string lower = toLower(tablePath);
    return lower.find(u"grk") != std::u16string::npos || lower.find(u"gre") != std::u16string::npos;
}

bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

}  // namespace

std::u16string LetterNumeral(std::u16string_view digits, int16_t& mode,
                             std::u16string_view tablePath) {
    if (digits.size() > 6) digits = digits.substr(digits.size() - 6);
    if (mode == kAutomatic && namesGreekTable(tablePath)) mode = kGreek;
    const bool slavonic = mode != kGreek;

    std::u16string result;
    for (std::size_t k = 0; k < digits.size(); ++k) {
        const char16_t c = digits[digits.size() - 1 - k];
        if (c == u'0') continue;
        const bool thousands = k >= 3;
        const std::size_t position = k % 3;
        std::u16string piece = thousands ? kThousands : u"";
        if (c >= u'1' && c <= u'9')
            piece += kLetters[position][c - u'1'];
        else
            piece.push_back(c);
        if (slavonic && piece.find_first_not_of(u' ') != std::u16string::npos) piece += kTitlo;
        std::u16string bare = piece;
        replaceAll(bare, kTitlo, u"");
        // The ten of 11 to 19 stands after its unit.
        if (bare == u"i" && !thousands)
            result += piece;
        else
            result.insert(0, piece);
    }
    replaceAll(result, u"v~", u"<у>~");
    if (mode == kGreek) result += kGreekSign;
    return result;
}

std::optional<std::u16string> RomanNumeral(std::u16string_view digits) {
    auto number = toInt32(ReadLeadingNumber(digits));
    if (!number) return std::nullopt;
    int32_t n = *number;
    std::u16string result;
    for (const RomanRow& row : kRomanRows) {
        while (n >= row.value) {
            result += row.text;
            n -= row.value;
        }
    }
    return result;
}

bool DigitRuns(std::u16string& text, int16_t mode, std::u16string_view tablePath) {
    // Built anew in one pass: each run followed by another character is replaced by its
    // numeral; a run that ends the text stays as digits.
    std::u16string out;
    out.reserve(text.size() + text.size() / 2);
    std::size_t i = 0;
    while (i < text.size()) {
        if (!isDigit(text[i])) {
            out.push_back(text[i++]);
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && isDigit(text[end]))
            ++end;
        const std::u16string_view run(text.data() + i, end - i);
        if (end == text.size()) {
            out.append(run);
            break;
        }
        if (mode == kRoman) {
            auto roman = RomanNumeral(run);
            if (!roman) {
                out.append(text, i, std::u16string::npos);
                text.swap(out);
                return false;
            }
            out += *roman;
        } else {
            out += LetterNumeral(run, mode, tablePath);
        }
        i = end;
    }
    text.swap(out);
    return true;
}

}  // namespace lorvane
