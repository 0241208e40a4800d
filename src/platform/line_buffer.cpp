#include "platform/line_buffer.h"

#include <algorithm>

#include "platform/error_catalogue.h"
#include "platform/text.h"

namespace lorvane {
namespace {

bool spacesOnly(std::u16string_view piece) {
    return std::all_of(piece.begin(), piece.end(), [](char16_t c) { return c == u' '; });
}

std::size_t roundUpToStep(std::size_t size) {
    return (size + LineBuffer::kGrowthStep - 1) / LineBuffer::kGrowthStep * LineBuffer::kGrowthStep;
}

}  // namespace

Failure LineBuffer::badNumber(int n) {
    Failure failure = failureFor(errors::kSubscriptOutOfRange);
    failure.description += u": line buffer " + decimal(n) + u" (buffers are numbered 0 to 255)";
    return failure;
}

Status LineBuffer::reserve(std::size_t capacity, int n) {
    if (!valid(n)) return badNumber(n);
    if (capacity > kMaxUsed) return failureFor(errors::kOutOfStringSpace);
    Buffer& buffer = buffers_[static_cast<std::size_t>(n)];
    if (buffer.capacity < capacity) {
        buffer.capacity = roundUpToStep(capacity);
        buffer.text.reserve(buffer.capacity);
    }
    return {};
}

Status LineBuffer::append(std::u16string_view piece, int n) {
    if (!valid(n)) return badNumber(n);
    if (piece.empty() || spacesOnly(piece)) return {};
    Buffer& buffer = buffers_[static_cast<std::size_t>(n)];
    const std::size_t needed = buffer.text.size() + piece.size();
    if (needed > kMaxUsed) return failureFor(errors::kOutOfStringSpace);
    if (buffer.capacity < needed) {
        // At least doubling keeps the number of copies logarithmic in the final length.
        if (Status grown = reserve(std::max(needed, 2 * buffer.capacity), n); !grown) {
            return grown;
        }
    }
    buffer.text.append(piece);
    return {};
}

Expected<std::u16string> LineBuffer::take(int n) const {
    if (!valid(n)) return badNumber(n);
    return buffers_[static_cast<std::size_t>(n)].text;
}

Status LineBuffer::clear(int n) {
    if (!valid(n)) return badNumber(n);
    buffers_[static_cast<std::size_t>(n)] = Buffer{};
    return {};
}

Expected<std::u16string> LineBuffer::release(int n) {
    if (!valid(n)) return badNumber(n);
    Buffer& buffer = buffers_[static_cast<std::size_t>(n)];
    std::u16string text = std::move(buffer.text);
    buffer = Buffer{};
    return text;
}

std::size_t LineBuffer::capacity(int n) const {
    return valid(n) ? buffers_[static_cast<std::size_t>(n)].capacity : 0;
}

std::size_t LineBuffer::used(int n) const {
    return valid(n) ? buffers_[static_cast<std::size_t>(n)].text.size() : 0;
}

}  // namespace lorvane
