// Built-in text functions. Lengths and positions count UTF-16 units, positions from 1; text
// comparison (vbTextCompare) ignores letter case by Unicode simple case folding.
#include <unicode/uchar.h>

#include <iterator>

#include "platform/code_page.h"
#include "platform/error_catalogue.h"
#include "platform/text.h"
#include "scripting/builtins.h"
#include "scripting/coerce.h"
#include "scripting/evaluator.h"
#include "scripting/run_limits.h"
#include "scripting/script_error.h"

namespace lorvane::vbs {
namespace {

using Args = BuiltinArgs;

// Each unit folded on its own, so positions in the folded text are those of the original.
std::u16string fold(std::u16string_view text) {
    std::u16string out(text);
    for (char16_t& c : out) {
        if (c < 0x80) {
            if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
        } else if (c < 0xD800 || c > 0xDFFF) {
            c = static_cast<char16_t>(u_foldCase(c, U_FOLD_CASE_DEFAULT));
        }
    }
    return out;
}

bool textCompare(const Args& args, std::size_t i) {
    if (i >= args.size() || args[i].isEmpty()) return false;
    const int32_t mode = toLong(args[i]);
    if (mode < 0 || mode > 1) raise(errors::kInvalidProcedureCall);
    return mode != 0;
}

long long count(const Variant& v) {
    const int32_t n = toLong(v);
    if (n < 0) raise(errors::kInvalidProcedureCall);
    return n;
}

// The text of an argument, without copying one that already is a text.
class Text {
  public:
    explicit Text(const Variant& v) {
        if (v.isString()) {
            text_ = &v.asString();
        } else {
            own_ = toString(v);
            text_ = &own_;
        }
    }
    const std::u16string& operator*() const { return *text_; }
    const std::u16string* operator->() const { return text_; }

  private:
    const std::u16string* text_;
    std::u16string own_;
};

std::u16string text(const Variant& v) {
    return toString(v);
}

Variant str(std::u16string s) {
    return Variant::fromString(std::move(s));
}

Variant fnLen(Evaluator&, Args& a) {
    if (a[0].isNull()) return Variant::null();
    return Variant::fromLong(static_cast<int32_t>(Text(a[0])->size()));
}

Variant fnLeft(Evaluator&, Args& a) {
    if (a[0].isNull()) return Variant::null();
    const long long n = count(a[1]);
    return str(Text(a[0])->substr(0, static_cast<std::size_t>(n)));
}

Variant fnRight(Evaluator&, Args& a) {
    const auto n = static_cast<std::size_t>(count(a[1]));  // checked even for a Null text
    if (a[0].isNull()) return Variant::null();
    const Text arg(a[0]);
    const std::u16string& s = *arg;
    return str(n >= s.size() ? s : s.substr(s.size() - n));
}

Variant fnMid(Evaluator&, Args& a) {
    // The arguments are checked before the text: Mid(Null, 0) is still an invalid call.
    const bool hasLength = a.size() > 2 && !a[2].isEmpty();
    if (a[1].isNull() || (hasLength && a[2].isNull())) raise(errors::kInvalidUseOfNull);
    const int32_t start = toLong(a[1]);
    if (start < 1) raise(errors::kInvalidProcedureCall);
    std::size_t length = std::u16string::npos;
    if (hasLength) length = static_cast<std::size_t>(count(a[2]));
    if (a[0].isNull()) return Variant::null();
    const Text arg(a[0]);
    const std::u16string& s = *arg;
    if (static_cast<std::size_t>(start) > s.size()) return str(u"");
    return str(s.substr(static_cast<std::size_t>(start) - 1, length));
}

// InStr([start,] string1, string2[, compare])
Variant fnInStr(Evaluator&, Args& a) {
    std::size_t first = 0;
    int32_t start = 1;
    if (a.size() >= 3) {
        if (a[0].isNull()) raise(errors::kInvalidUseOfNull);
        start = toLong(a[0]);
        if (start < 1) raise(errors::kInvalidProcedureCall);
        first = 1;
    }
    if (a[first].isNull() || a[first + 1].isNull()) return Variant::null();
    const Text haystackArg(a[first]), needleArg(a[first + 1]);
    if (static_cast<std::size_t>(start) > haystackArg->size()) return Variant::fromLong(0);
    if (needleArg->empty()) return Variant::fromLong(start);
    const std::u16string* haystack = &*haystackArg;
    const std::u16string* needle = &*needleArg;
    std::u16string foldedHaystack, foldedNeedle;
    if (textCompare(a, first + 2)) {
        foldedHaystack = fold(*haystack);
        foldedNeedle = fold(*needle);
        haystack = &foldedHaystack;
        needle = &foldedNeedle;
    }
    const std::size_t found = haystack->find(*needle, static_cast<std::size_t>(start) - 1);
    return Variant::fromLong(found == std::u16string::npos ? 0 : static_cast<int32_t>(found) + 1);
}

// InStrRev(string1, string2[, start[, compare]])
Variant fnInStrRev(Evaluator&, Args& a) {
    if (a[0].isNull() || a[1].isNull()) raise(errors::kInvalidUseOfNull);
    const Text haystackArg(a[0]), needleArg(a[1]);
    int32_t start = -1;
    if (a.size() > 2 && !a[2].isEmpty()) start = toLong(a[2]);
    if (start == 0 || start < -1) raise(errors::kInvalidProcedureCall);
    if (start == -1) start = static_cast<int32_t>(haystackArg->size());
    if (static_cast<std::size_t>(start) > haystackArg->size()) return Variant::fromLong(0);
    if (needleArg->empty()) return Variant::fromLong(start);
    const std::u16string* haystack = &*haystackArg;
    const std::u16string* needle = &*needleArg;
    std::u16string foldedHaystack, foldedNeedle;
    if (textCompare(a, 3)) {
        foldedHaystack = fold(*haystack);
        foldedNeedle = fold(*needle);
        haystack = &foldedHaystack;
        needle = &foldedNeedle;
    }
    // The match must lie within the first `start` units.
    if (needle->size() > static_cast<std::size_t>(start)) return Variant::fromLong(0);
    const std::size_t found =
        haystack->rfind(*needle, static_cast<std::size_t>(start) - needle->size());
    return Variant::fromLong(found == std::u16string::npos ? 0 : static_cast<int32_t>(found) + 1);
}

// Replace(expression, find, replacewith[, start[, count[, compare]]]): the result begins at
// `start`, as the language's Replace returns it.
Variant fnReplace(Evaluator&, Args& a) {
    if (a[0].isNull() || a[1].isNull() || a[2].isNull()) raise(errors::kInvalidUseOfNull);
    const Text sourceArg(a[0]);
    const std::u16string& source = *sourceArg;
    const std::u16string find = text(a[1]);
    const std::u16string with = text(a[2]);
    int32_t start = 1;
    if (a.size() > 3 && !a[3].isEmpty()) start = toLong(a[3]);
    if (start < 1) raise(errors::kInvalidProcedureCall);
    long long limit = -1;
    if (a.size() > 4 && !a[4].isEmpty()) limit = toLong(a[4]);
    if (limit < -1) raise(errors::kInvalidProcedureCall);
    if (static_cast<std::size_t>(start) > source.size()) return str(u"");
    const std::u16string rest = source.substr(static_cast<std::size_t>(start) - 1);
    if (find.empty() || limit == 0) return str(rest);
    const bool ignoreCase = textCompare(a, 5);
    const std::u16string haystack = ignoreCase ? fold(rest) : rest;
    const std::u16string needle = ignoreCase ? fold(find) : find;
    checkDeadline();  // copying a long text takes a while on a busy machine
    std::u16string out;
    std::size_t pos = 0;
    long long done = 0;
    DeadlinePacer pacer;
    while (limit < 0 || done < limit) {
        const std::size_t found = haystack.find(needle, pos);
        if (found == std::u16string::npos) break;
        checkTextLength(out.size() + (found - pos) + with.size());
        out.append(rest, pos, found - pos);
        out += with;
        pacer.step();
        pos = found + needle.size();
        ++done;
    }
    out.append(rest, pos, std::u16string::npos);
    return str(std::move(out));
}

Variant arrayOf(std::vector<Variant> items) {
    auto array =
        std::make_shared<Array>(std::vector<int32_t>{static_cast<int32_t>(items.size()) - 1});
    array->elements() = std::move(items);
    return Variant::fromArray(std::move(array));
}

// Split(expression[, delimiter[, count[, compare]]])
Variant fnSplit(Evaluator&, Args& a) {
    if (a[0].isNull()) raise(errors::kInvalidUseOfNull);
    const Text sourceArg(a[0]);
    const std::u16string& source = *sourceArg;
    std::u16string delimiter = u" ";
    if (a.size() > 1 && !a[1].isEmpty()) delimiter = text(a[1]);
    long long limit = -1;
    if (a.size() > 2 && !a[2].isEmpty()) limit = toLong(a[2]);
    if (limit < -1) raise(errors::kInvalidProcedureCall);
    std::vector<Variant> parts;
    if (source.empty() || limit == 0) return arrayOf({});
    if (delimiter.empty()) return arrayOf({str(source)});
    const bool ignoreCase = textCompare(a, 3);
    const std::u16string haystack = ignoreCase ? fold(source) : source;
    const std::u16string needle = ignoreCase ? fold(delimiter) : delimiter;
    std::size_t pos = 0;
    DeadlinePacer pacer;
    while (limit < 0 || static_cast<long long>(parts.size()) < limit - 1) {
        pacer.step();
        const std::size_t found = haystack.find(needle, pos);
        if (found == std::u16string::npos) break;
        parts.push_back(str(source.substr(pos, found - pos)));
        pos = found + needle.size();
    }
    parts.push_back(str(source.substr(pos)));
    return arrayOf(std::move(parts));
}

const Array& oneDimensional(const Variant& v) {
    if (!v.isArray()) raise(errors::kTypeMismatch);
    const Array& array = v.asArray();
    if (array.dimensions() != 1) raise(errors::kSubscriptOutOfRange);
    return array;
}

// Join(list[, delimiter])
Variant fnJoin(Evaluator&, Args& a) {
    if (a[0].isNull()) raise(errors::kInvalidUseOfNull);
    if (a[0].isObject()) raise(errors::kObjectDoesNotSupportProperty);
    if (!a[0].isArray() || a[0].asArray().dimensions() != 1) raise(errors::kTypeMismatch);
    const Array& list = a[0].asArray();
    std::u16string delimiter = u" ";
    if (a.size() > 1 && !a[1].isEmpty()) delimiter = text(a[1]);
    std::u16string out;
    bool first = true;
    DeadlinePacer pacer;
    for (const Variant& item : list.elements()) {
        if (item.isNull()) raise(errors::kTypeMismatch);
        const std::u16string part = text(item);
        checkTextLength(out.size() + (first ? 0 : delimiter.size()) + part.size());
        if (!first) out += delimiter;
        first = false;
        out += part;
        pacer.step();
    }
    return str(std::move(out));
}

// Filter(inputStrings, value[, include[, compare]])
Variant fnFilter(Evaluator&, Args& a) {
    const Array& list = oneDimensional(a[0]);
    if (a[1].isNull()) raise(errors::kInvalidUseOfNull);
    const bool ignoreCase = textCompare(a, 3);
    const std::u16string value = ignoreCase ? fold(text(a[1])) : text(a[1]);
    const bool include = a.size() > 2 && !a[2].isEmpty() ? toBool(a[2]) : true;
    std::vector<Variant> out;
    for (const Variant& item : list.elements()) {
        if (item.isNull()) raise(errors::kTypeMismatch);
        const std::u16string s = text(item);
        const bool contains = (ignoreCase ? fold(s) : s).find(value) != std::u16string::npos;
        if (contains == include) out.push_back(str(s));
    }
    return arrayOf(std::move(out));
}

Variant fnUCase(Evaluator&, Args& a) {
    if (a[0].isNull()) return Variant::null();
    return str(toUpper(*Text(a[0])));
}

Variant fnLCase(Evaluator&, Args& a) {
    if (a[0].isNull()) return Variant::null();
    return str(toLower(*Text(a[0])));
}

Variant trimmed(const Variant& v, bool left, bool right) {
    if (v.isNull()) return Variant::null();
    const Text arg(v);
    const std::u16string& s = *arg;
    std::size_t begin = 0, end = s.size();
    if (left)
        while (begin < end && s[begin] == u' ')
            ++begin;
    if (right)
        while (end > begin && s[end - 1] == u' ')
            --end;
    return str(s.substr(begin, end - begin));
}

Variant fnTrim(Evaluator&, Args& a) {
    return trimmed(a[0], true, true);
}
Variant fnLTrim(Evaluator&, Args& a) {
    return trimmed(a[0], true, false);
}
Variant fnRTrim(Evaluator&, Args& a) {
    return trimmed(a[0], false, true);
}

Variant fnSpace(Evaluator&, Args& a) {
    const auto n = static_cast<std::size_t>(count(a[0]));
    checkTextLength(n);
    return str(std::u16string(n, u' '));
}

char16_t charOfCode(Evaluator& e, int32_t code) {
    const auto& page = e.context().codePage;
    if (page && page->isSingleByte()) return page->charOf(static_cast<unsigned char>(code & 0xFF));
    return static_cast<char16_t>(code & 0xFF);
}

// String(number, character): a character given as text uses its first unit, a number its
// code in the program's code page.
Variant fnString(Evaluator& e, Args& a) {
    if (a[0].isNull() || a[1].isNull()) return Variant::null();
    const auto n = static_cast<std::size_t>(count(a[0]));
    checkTextLength(n);
    char16_t c;
    if (a[1].isString()) {
        if (a[1].asString().empty()) raise(errors::kInvalidProcedureCall);
        c = a[1].asString()[0];
    } else {
        c = charOfCode(e, toLong(a[1]));
    }
    return str(std::u16string(n, c));
}

Variant fnStrReverse(Evaluator&, Args& a) {
    if (a[0].isNull()) raise(errors::kInvalidUseOfNull);
    std::u16string s = text(a[0]);
    return str(std::u16string(s.rbegin(), s.rend()));
}

Variant fnStrComp(Evaluator&, Args& a) {
    if (a[0].isNull() || a[1].isNull()) return Variant::null();
    std::u16string x = text(a[0]), y = text(a[1]);
    if (textCompare(a, 2)) {
        x = fold(x);
        y = fold(y);
    }
    const int c = x.compare(y);
    return Variant::fromInteger(static_cast<int16_t>(c < 0 ? -1 : c > 0 ? 1 : 0));
}

// Chr goes through the program's code page, as the language does with the system ANSI page.
Variant fnChr(Evaluator& e, Args& a) {
    const int32_t code = toLong(a[0]);
    if (code < 0 || code > 255) raise(errors::kInvalidProcedureCall);
    return str(std::u16string(1, charOfCode(e, code)));
}

Variant fnChrW(Evaluator&, Args& a) {
    const int32_t code = toLong(a[0]);
    if (code < -32768 || code > 65535) raise(errors::kInvalidProcedureCall);
    return str(std::u16string(1, static_cast<char16_t>(code & 0xFFFF)));
}

Variant fnAsc(Evaluator& e, Args& a) {
    if (a[0].isNull()) raise(errors::kInvalidUseOfNull);
    const Text arg(a[0]);
    const std::u16string& s = *arg;
    if (s.empty()) raise(errors::kInvalidProcedureCall);
    const auto& page = e.context().codePage;
    int code = s[0];
    if (page && page->isSingleByte())
        code = page->codeOf(s[0]);
    else if (code > 255)
        code = -1;
    return Variant::fromInteger(static_cast<int16_t>(code < 0 ? u'?' : code));
}

Variant fnAscW(Evaluator&, Args& a) {
    if (a[0].isNull()) raise(errors::kInvalidUseOfNull);
    const Text arg(a[0]);
    const std::u16string& s = *arg;
    if (s.empty()) raise(errors::kInvalidProcedureCall);
    return Variant::fromInteger(static_cast<int16_t>(s[0]));
}

// Hex and Oct of a negative Integer show its 16 bits, of a Long its 32 bits.
Variant radixText(const Variant& arg, int base) {
    if (arg.isNull()) return Variant::null();
    const Variant v = valueOf(arg);
    const int32_t n = toLong(v);
    uint32_t bits = static_cast<uint32_t>(n);
    const bool narrow = v.type() == VarType::Integer || v.type() == VarType::Byte ||
                        v.type() == VarType::Boolean || v.isEmpty();
    if (n < 0 && narrow) bits &= 0xFFFF;
    static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    std::u16string out;
    do {
        out.insert(out.begin(), kDigits[bits % static_cast<uint32_t>(base)]);
        bits /= static_cast<uint32_t>(base);
    } while (bits != 0);
    return str(std::move(out));
}

Variant fnHex(Evaluator&, Args& a) {
    return radixText(a[0], 16);
}
Variant fnOct(Evaluator&, Args& a) {
    return radixText(a[0], 8);
}

constexpr Builtin kStringBuiltins[] = {
    {u"Len", 1, 1, fnLen},         {u"Left", 2, 2, fnLeft},     {u"Right", 2, 2, fnRight},
    {u"Mid", 2, 3, fnMid},         {u"InStr", 2, 4, fnInStr},   {u"InStrRev", 2, 4, fnInStrRev},
    {u"Replace", 3, 6, fnReplace}, {u"Split", 1, 4, fnSplit},   {u"Join", 1, 2, fnJoin},
    {u"Filter", 2, 4, fnFilter},   {u"UCase", 1, 1, fnUCase},   {u"LCase", 1, 1, fnLCase},
    {u"Trim", 1, 1, fnTrim},       {u"LTrim", 1, 1, fnLTrim},   {u"RTrim", 1, 1, fnRTrim},
    {u"Space", 1, 1, fnSpace},     {u"String", 2, 2, fnString}, {u"StrReverse", 1, 1, fnStrReverse},
    {u"StrComp", 2, 3, fnStrComp}, {u"Chr", 1, 1, fnChr},       {u"ChrW", 1, 1, fnChrW},
    {u"Asc", 1, 1, fnAsc},         {u"AscW", 1, 1, fnAscW},     {u"Hex", 1, 1, fnHex},
    {u"Oct", 1, 1, fnOct},
};

}  // namespace

std::span<const Builtin> stringBuiltins() {
    return kStringBuiltins;
}

}  // namespace lorvane::vbs
