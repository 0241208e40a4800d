// The identity of a Dictionary key: which stored key a looked-up value stands for. Numbers
// compare by value whatever their subtype (1, 1.0 and CLng(1) are one key, "1" another), texts
// exactly or under Unicode simple case folding, objects by identity.
#pragma once

#include <cstddef>
#include <string>

#include "scripting/value.h"

namespace lorvane::vbs {

struct DictionaryKey {
    enum class Kind { Empty, Null, Boolean, Number, Date, Text, Object };
    Kind kind = Kind::Empty;
    double number = 0;             // Boolean (0/1), Number and Date
    std::u16string text;           // Text, folded when letter case is ignored
    const void* object = nullptr;  // Object; Nothing is null

    bool operator==(const DictionaryKey&) const = default;
};

struct DictionaryKeyHash {
    std::size_t operator()(const DictionaryKey& key) const;
};

// The identity of `key`; an array fails with 13, as arrays cannot be keys.
DictionaryKey makeDictionaryKey(const Variant& key, bool ignoreCase);

// Each code point replaced by its simple case folding (one unit stays one unit, so lengths
// and positions keep their meaning).
std::u16string simpleCaseFold(std::u16string_view text);

}  // namespace lorvane::vbs
