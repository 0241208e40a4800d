#include "engine/pair_line.h"

#include "engine/leading_number.h"
#include "platform/text.h"

namespace lorvane {
namespace {

constexpr std::u16string_view kPairSeparator = u" == ";

}  // namespace

std::optional<Pair> parsePair(std::u16string_view line, const CodePage& codePage) {
    const auto separator = line.find(kPairSeparator);
    if (separator == std::u16string_view::npos) return std::nullopt;
    const std::u16string_view searchSide = line.substr(0, separator);
    Pair pair{std::u16string(), line.substr(separator + kPairSeparator.size())};

    const double number = ReadLeadingNumber(searchSide);
    if (number == 0) {
        pair.search = searchSide;
        return pair;
    }
    const auto code = toInt32(number);
    if (!code || *code < 0 || *code > 255) return std::nullopt;
    if (codePage.isSingleByte()) {
        pair.search.assign(1, codePage.charOf(static_cast<unsigned char>(*code)));
    } else if (*code <= 0x7F) {
        pair.search.assign(1, static_cast<char16_t>(*code));
    } else {
        return std::nullopt;
    }
    return pair;
}

}  // namespace lorvane
