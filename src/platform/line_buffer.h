// Numbered text buffers in which a long text is assembled piece by piece. A buffer grows in
// whole steps of 65536 characters and is copied only when it grows, so appending many short
// pieces costs no more than the text's length.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "platform/failure.h"

namespace lorvane {

class LineBuffer {
  public:
    static constexpr int kCount = 256;
    static constexpr std::size_t kGrowthStep = 65536;
    // The used length is a 32-bit count.
    static constexpr std::size_t kMaxUsed = std::numeric_limits<int32_t>::max();

    // Adds the piece after the used part of buffer n. A piece that is empty or holds only
    // spaces is ignored.
    Status append(std::u16string_view piece, int n);
    // Grows buffer n to hold at least `capacity` characters, so appending up to that length
    // copies nothing more.
    Status reserve(std::size_t capacity, int n);
    // The used part of buffer n.
    Expected<std::u16string> take(int n) const;
    // Buffer n empty again: capacity and used length 0.
    Status clear(int n);
    // take(n) followed by clear(n), handing over the content without copying it.
    Expected<std::u16string> release(int n);

    std::size_t capacity(int n) const;
    std::size_t used(int n) const;

  private:
    // The content past the used part is never written, so it is only reserved: `text` holds
    // the used part, within storage of at least `capacity` characters.
    struct Buffer {
        std::u16string text;
        std::size_t capacity = 0;
    };

    static bool valid(int n) { return n >= 0 && n < kCount; }
    static Failure badNumber(int n);

    std::array<Buffer, kCount> buffers_;
};

}  // namespace lorvane
