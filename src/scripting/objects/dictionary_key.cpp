#include "scripting/objects/dictionary_key.h"

#include <unicode/uchar.h>
#include <unicode/utf16.h>

#include <functional>

#include "platform/error_catalogue.h"
#include "scripting/script_error.h"

namespace lorvane::vbs {

std::size_t DictionaryKeyHash::operator()(const DictionaryKey& key) const {
    std::size_t h = std::hash<int>()(static_cast<int>(key.kind));
    switch (key.kind) {
        case DictionaryKey::Kind::Text:
            return h ^ (std::hash<std::u16string>()(key.text) << 1);
        case DictionaryKey::Kind::Object:
            return h ^ (std::hash<const void*>()(key.object) << 1);
        case DictionaryKey::Kind::Boolean:
        case DictionaryKey::Kind::Number:
        case DictionaryKey::Kind::Date:
            // -0 and 0 are one value and must hash alike.
            return h ^ (std::hash<double>()(key.number == 0 ? 0.0 : key.number) << 1);
        default:
            return h;
    }
}

std::u16string simpleCaseFold(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    const auto n = static_cast<int32_t>(text.size());
    int32_t i = 0;
    while (i < n) {
        UChar32 c;
        U16_NEXT(text.data(), i, n, c);
        // Simple folding keeps a code point in the same plane, so it keeps its unit count.
        const UChar32 folded = U_IS_SURROGATE(c) ? c : u_foldCase(c, U_FOLD_CASE_DEFAULT);
        if (U_IS_BMP(folded)) {
            out.push_back(static_cast<char16_t>(folded));
        } else {
            out.push_back(U16_LEAD(folded));
            out.push_back(U16_TRAIL(folded));
        }
    }
    return out;
}

DictionaryKey makeDictionaryKey(const Variant& key, bool ignoreCase) {
    using Kind = DictionaryKey::Kind;
    DictionaryKey identity;
    switch (key.type()) {
        case VarType::Empty:
            identity.kind = Kind::Empty;
            break;
        case VarType::Null:
            identity.kind = Kind::Null;
            break;
        case VarType::Boolean:
            identity.kind = Kind::Boolean;
            identity.number = key.asBool() ? 1 : 0;
            break;
        case VarType::Date:
            identity.kind = Kind::Date;
            identity.number = key.asDate();
            break;
        case VarType::String:
            identity.kind = Kind::Text;
            identity.text = ignoreCase ? simpleCaseFold(key.asString()) : key.asString();
            break;
        case VarType::Object:
            identity.kind = Kind::Object;
            identity.object = key.asObject().get();
            break;
        case VarType::Array:
            raise(errors::kTypeMismatch);
        default:
            identity.kind = Kind::Number;
            identity.number = key.numberValue();
            break;
    }
    if (identity.number == 0) identity.number = 0;  // -0 is the key 0
    return identity;
}

}  // namespace lorvane::vbs
