#include "ui/main_window/stored_index.h"

#include "platform/text.h"

namespace lorvane {

std::optional<int> storedIndex(const std::u16string& text) {
    std::u16string_view digits = trimSpaces(text);
    bool negative = false;
    if (!digits.empty() && (digits.front() == u'-' || digits.front() == u'+')) {
        negative = digits.front() == u'-';
        digits.remove_prefix(1);
    }
    if (digits.empty() || digits.size() > 6) return std::nullopt;
    int value = 0;
    for (char16_t c : digits) {
        if (c < u'0' || c > u'9') return std::nullopt;
        value = value * 10 + (c - u'0');
    }
    if (negative) value = -value;
    if (value < -32768 || value > 32767) return std::nullopt;
    return value;
}

}  // namespace lorvane
