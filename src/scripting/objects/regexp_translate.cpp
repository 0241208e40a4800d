#include "scripting/objects/regexp_translate.h"

#include <unicode/utf16.h>

#include <cstdio>

#include "platform/error_catalogue.h"
#include "scripting/script_error.h"

namespace lorvane::vbs {
namespace {

// ECMAScript's classes are ASCII-only (\w has no Cyrillic letters) where ICU's are Unicode-wide.
// \w is kept out of ICU's case closure, which would add the Kelvin sign and the long s.
constexpr std::u16string_view kWord = u"(?-i:[A-Za-z0-9_])";
constexpr std::u16string_view kNotWord = u"(?-i:[^A-Za-z0-9_])";
constexpr std::u16string_view kWordBoundary =
    u"(?:(?<=(?-i:[A-Za-z0-9_]))(?!(?-i:[A-Za-z0-9_]))|(?<!(?-i:[A-Za-z0-9_]))"
    u"(?=(?-i:[A-Za-z0-9_])))";
constexpr std::u16string_view kNotWordBoundary =
    u"(?:(?<=(?-i:[A-Za-z0-9_]))(?=(?-i:[A-Za-z0-9_]))|(?<!(?-i:[A-Za-z0-9_]))"
    u"(?!(?-i:[A-Za-z0-9_])))";
// \s as the script language documents it: space, \t, \n, \v, \f and \r.
constexpr std::u16string_view kSpaceItems = u"\\x{9}-\\x{D}\\x{20}";
// The line terminators of ECMAScript: "." stops at them, ^ and $ see them in multi-line mode.
// Written out because ICU's own list is longer and treats CR LF as one terminator.
constexpr std::u16string_view kDot = u"[^\\x{A}\\x{D}\\x{2028}\\x{2029}]";
constexpr std::u16string_view kLineStart = u"(?<![^\\x{A}\\x{D}\\x{2028}\\x{2029}])";
constexpr std::u16string_view kLineEnd = u"(?![^\\x{A}\\x{D}\\x{2028}\\x{2029}])";
constexpr std::u16string_view kAnyItems = u"\\x{0}-\\x{10FFFF}";

// ICU's pattern compiler takes groups nested about a hundred deep; the translation adds up to
// three levels of its own.
constexpr int kMaxGroupDepth = 90;
constexpr char16_t kPlaceholder = u'\uFFFF';  // never emitted raw: every non-alphanumeric is \x{..}

bool isAsciiAlnum(char32_t c) {
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

bool isOctalDigit(char16_t c) {
    return c >= u'0' && c <= u'7';
}

bool isDecimalDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

int hexValue(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

std::u16string hexEscape(char32_t c) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "\\x{%X}", static_cast<unsigned>(c));
    return std::u16string(buffer, buffer + std::char_traits<char>::length(buffer));
}

std::u16string literal(char32_t c) {
    return isAsciiAlnum(c) ? std::u16string(1, static_cast<char16_t>(c)) : hexEscape(c);
}

std::u16string number(int32_t n) {
    const std::string digits = std::to_string(n);
    return std::u16string(digits.begin(), digits.end());
}

// The capturing groups of a pattern and which of them a backreference names, found before
// translating so that forward references and octal escapes read as ECMAScript reads them.
struct PatternOutline {
    int32_t groups = 0;
    std::vector<bool> referenced;  // index k: group k is named by a backreference
};

std::size_t skipClass(std::u16string_view p, std::size_t i) {
    ++i;  // '['
    if (i < p.size() && p[i] == u'^') ++i;
    while (i < p.size() && p[i] != u']') {
        if (p[i] == u'\\') ++i;
        ++i;
    }
    return i;
}

PatternOutline outline(std::u16string_view p) {
    PatternOutline result;
    for (std::size_t i = 0; i < p.size(); ++i) {
        if (p[i] == u'\\') {
            ++i;
        } else if (p[i] == u'[') {
            i = skipClass(p, i);
        } else if (p[i] == u'(' && (i + 1 >= p.size() || p[i + 1] != u'?')) {
            ++result.groups;
        }
    }
    result.referenced.assign(static_cast<std::size_t>(result.groups) + 1, false);
    for (std::size_t i = 0; i < p.size(); ++i) {
        if (p[i] == u'[') {
            i = skipClass(p, i);
        } else if (p[i] == u'\\' && i + 1 < p.size()) {
            ++i;
            if (p[i] < u'1' || p[i] > u'9') continue;
            int64_t n = 0;
            std::size_t j = i;
            while (j < p.size() && isDecimalDigit(p[j]) && n <= result.groups)
                n = n * 10 + (p[j++] - u'0');
            if (n <= result.groups) result.referenced[static_cast<std::size_t>(n)] = true;
        }
    }
    return result;
}

// One element of a character class: a single character or a set (\d, \W ...).
struct ClassAtom {
    bool isSet = false;
    char32_t c = 0;
    std::u16string set;

    std::u16string text() const { return isSet ? set : literal(c); }
};

class Translator {
  public:
    Translator(std::u16string_view pattern, const PatternOptions& options)
        : p_(pattern), options_(options), outline_(outline(pattern)) {}

    TranslatedPattern run() {
        disjunction();
        if (pos_ < p_.size()) raise(errors::kInvalidPattern);  // a ')' without its '('
        TranslatedPattern result;
        result.icuPattern = resolveBackreferences();
        result.icuGroup = icuGroup_;
        return result;
    }

  private:
    bool atEnd() const { return pos_ >= p_.size(); }
    char16_t peek(std::size_t ahead = 0) const {
        return pos_ + ahead < p_.size() ? p_[pos_ + ahead] : u'\0';
    }

    // Disjunction -> Alternative ( '|' Alternative )*
    void disjunction() {
        alternative();
        while (!atEnd() && peek() == u'|') {
            ++pos_;
            out_ += u'|';
            alternative();
        }
    }

    // Alternative -> Term*
    void alternative() {
        while (!atEnd() && peek() != u'|' && peek() != u')')
            term();
    }

    // Term -> Assertion | Atom Quantifier?
    void term() {
        const char16_t c = peek();
        if (c == u'^' || c == u'$') {
            ++pos_;
            if (c == u'^')
                out_ += options_.multiLine ? kLineStart : u"\\A";
            else
                out_ += options_.multiLine ? kLineEnd : u"\\z";
            rejectQuantifier();
            return;
        }
        if (c == u'\\' && (peek(1) == u'b' || peek(1) == u'B')) {
            out_ += peek(1) == u'b' ? kWordBoundary : kNotWordBoundary;
            pos_ += 2;
            rejectQuantifier();
            return;
        }
        if (c == u'*' || c == u'+' || c == u'?') raise(errors::kUnexpectedQuantifier);
        if (c == u'{' && quantifierAhead()) raise(errors::kUnexpectedQuantifier);
        bool quantifiable = true;
        if (c == u'(')
            quantifiable = group();
        else if (c == u'[')
            characterClass();
        else if (c == u'.') {
            ++pos_;
            out_ += kDot;
        } else if (c == u'\\')
            atomEscape();
        else
            out_ += literal(rawCodePoint());
        if (!quantifiable) {
            rejectQuantifier();
            return;
        }
        if (quantifierAhead()) {
            quantifier();
            rejectQuantifier();
        }
    }

    void rejectQuantifier() const {
        if (quantifierAhead()) raise(errors::kUnexpectedQuantifier);
    }

    // At '*', '+', '?' or a well-formed '{n}', '{n,}', '{n,m}'; any other '{' is a literal.
    bool quantifierAhead() const {
        if (atEnd()) return false;
        const char16_t c = peek();
        if (c == u'*' || c == u'+' || c == u'?') return true;
        if (c != u'{') return false;
        std::size_t i = pos_ + 1;
        const std::size_t firstDigit = i;
        while (i < p_.size() && isDecimalDigit(p_[i]))
            ++i;
        if (i == firstDigit) return false;
        if (i < p_.size() && p_[i] == u',') {
            ++i;
            while (i < p_.size() && isDecimalDigit(p_[i]))
                ++i;
        }
        return i < p_.size() && p_[i] == u'}';
    }

    // Quantifier -> ( '*' | '+' | '?' | '{' n ( ',' m? )? '}' ) '?'?   (ICU spells them alike)
    void quantifier() {
        if (peek() == u'{') {
            const std::size_t close = p_.find(u'}', pos_);
            const std::u16string_view body = p_.substr(pos_ + 1, close - pos_ - 1);
            const auto comma = body.find(u',');
            if (comma != std::u16string_view::npos && comma + 1 < body.size() &&
                toNumber(body.substr(0, comma)) > toNumber(body.substr(comma + 1))) {
                raise(errors::kInvalidPattern);
            }
            out_.append(p_.substr(pos_, close - pos_ + 1));
            pos_ = close + 1;
        } else {
            out_ += p_[pos_++];
        }
        if (!atEnd() && peek() == u'?') out_ += p_[pos_++];
    }

    static double toNumber(std::u16string_view digits) {
        double n = 0;
        for (char16_t d : digits)
            n = n * 10 + (d - u'0');
        return n;
    }

    // '(' Disjunction ')' | '(?:' Disjunction ')' | '(?=' ... | '(?!' ...; true when the group
    // may take a quantifier (lookaheads may not).
    bool group() {
        ++pos_;
        if (depth_ >= kMaxGroupDepth) raise(errors::kOutOfStackSpace);
        bool quantifiable = true;
        int32_t userGroup = 0;
        if (peek() == u'?') {
            const char16_t kind = peek(1);
            if (kind != u':' && kind != u'=' && kind != u'!') raise(errors::kUnexpectedQuantifier);
            quantifiable = kind == u':';
            out_ += u"(?";
            out_ += kind;
            pos_ += 2;
        } else {
            userGroup = static_cast<int32_t>(icuGroup_.size());
            icuGroup_.push_back(++icuGroups_);
            markerGroup_.push_back(0);
            out_ += u'(';
        }
        ++depth_;
        disjunction();
        --depth_;
        if (atEnd() || peek() != u')') raise(errors::kExpectedParen);
        ++pos_;
        if (userGroup != 0 && outline_.referenced[static_cast<std::size_t>(userGroup)]) {
            // An empty group at the end tells a backreference whether the group took part.
            markerGroup_[static_cast<std::size_t>(userGroup)] = ++icuGroups_;
            out_ += u"()";
        }
        out_ += u')';
        return quantifiable;
    }

    // '\' AtomEscape: a class escape, a backreference, an octal or character escape.
    void atomEscape() {
        ++pos_;
        if (atEnd()) raise(errors::kInvalidPattern);
        const char16_t c = peek();
        if (const auto set = classEscape(c, false); !set.empty()) {
            ++pos_;
            out_ += set;
            return;
        }
        if (c >= u'1' && c <= u'9' && backreference()) return;
        if (isOctalDigit(c)) {
            out_ += literal(octal());
            return;
        }
        out_ += literal(characterEscape(false));
    }

    // \n with n naming a group: ECMAScript matches the empty text when that group has not
    // taken part (ICU would fail), hence the test of the group's marker.
    bool backreference() {
        int64_t n = 0;
        std::size_t i = pos_;
        while (i < p_.size() && isDecimalDigit(p_[i]) && n <= outline_.groups)
            n = n * 10 + (p_[i++] - u'0');
        if (n > outline_.groups) return false;
        pos_ = i;
        out_ += kPlaceholder;
        out_ += number(static_cast<int32_t>(n));
        out_ += kPlaceholder;
        return true;
    }

    std::u16string resolveBackreferences() const {
        std::u16string result;
        for (std::size_t i = 0; i < out_.size(); ++i) {
            if (out_[i] != kPlaceholder) {
                result += out_[i];
                continue;
            }
            const std::size_t close = out_.find(kPlaceholder, i + 1);
            int32_t n = 0;
            for (std::size_t j = i + 1; j < close; ++j)
                n = n * 10 + (out_[j] - u'0');
            const std::u16string group = number(icuGroup_[static_cast<std::size_t>(n)]);
            const std::u16string marker = number(markerGroup_[static_cast<std::size_t>(n)]);
            result += u"(?:(?=\\" + marker + u")\\" + group + u"|(?!\\" + marker + u"))";
            i = close;
        }
        return result;
    }

    // Legacy octal escape: up to three digits, at most \377.
    char32_t octal() {
        const char16_t first = p_[pos_++];
        char32_t value = first - u'0';
        if (!atEnd() && isOctalDigit(peek())) {
            value = value * 8 + (p_[pos_++] - u'0');
            if (first <= u'3' && !atEnd() && isOctalDigit(peek()))
                value = value * 8 + (p_[pos_++] - u'0');
        }
        return value;
    }

    // The set text of \d \D \w \W \s \S, or "" for any other letter.
    std::u16string classEscape(char16_t c, bool inClass) const {
        switch (c) {
            case u'd':
                return inClass ? u"0-9" : u"[0-9]";
            case u'D':
                return u"[^0-9]";
            case u'w':
                return inClass ? u"A-Za-z0-9_" : std::u16string(kWord);
            case u'W':
                return inClass ? u"[^A-Za-z0-9_]" : std::u16string(kNotWord);
            case u's':
                return inClass ? std::u16string(kSpaceItems)
                               : u"[" + std::u16string(kSpaceItems) + u"]";
            case u'S':
                return u"[^" + std::u16string(kSpaceItems) + u"]";
            default:
                return {};
        }
    }

    // CharacterEscape after '\': control escapes, \cX, \xhh, \uhhhh, or the character itself.
    // A "\c" without a control letter stands for the backslash; the "c" is read next.
    char32_t characterEscape(bool inClass) {
        const char16_t c = peek();
        switch (c) {
            case u'f':
                ++pos_;
                return 0x0C;
            case u'n':
                ++pos_;
                return 0x0A;
            case u'r':
                ++pos_;
                return 0x0D;
            case u't':
                ++pos_;
                return 0x09;
            case u'v':
                ++pos_;
                return 0x0B;
            case u'c': {
                const char16_t letter = peek(1);
                const bool control = (letter >= u'A' && letter <= u'Z') ||
                                     (letter >= u'a' && letter <= u'z') ||
                                     (inClass && (isDecimalDigit(letter) || letter == u'_'));
                if (!control) return u'\\';
                pos_ += 2;
                return letter % 32;
            }
            case u'x':
                if (const int value = hexDigits(pos_ + 1, 2); value >= 0) {
                    pos_ += 3;
                    return static_cast<char32_t>(value);
                }
                break;
            case u'u':
                if (const int value = hexDigits(pos_ + 1, 4); value >= 0) {
                    pos_ += 5;
                    return withTrailEscape(static_cast<char16_t>(value));
                }
                break;
            default:
                return rawCodePoint();
        }
        ++pos_;
        return c;
    }

    // The value of `count` hex digits at `at`, or -1.
    int hexDigits(std::size_t at, int count) const {
        if (at + static_cast<std::size_t>(count) > p_.size()) return -1;
        int value = 0;
        for (int i = 0; i < count; ++i) {
            const int digit = hexValue(p_[at + static_cast<std::size_t>(i)]);
            if (digit < 0) return -1;
            value = value * 16 + digit;
        }
        return value;
    }

    // ICU matches code points: a pair of \u escapes forming one character is read as one.
    char32_t withTrailEscape(char16_t unit) {
        if (!U16_IS_LEAD(unit) || peek() != u'\\' || peek(1) != u'u') return unit;
        const int trail = hexDigits(pos_ + 2, 4);
        if (trail < 0 || !U16_IS_TRAIL(trail)) return unit;
        pos_ += 6;
        return U16_GET_SUPPLEMENTARY(unit, static_cast<char16_t>(trail));
    }

    char32_t rawCodePoint() {
        const char16_t unit = p_[pos_++];
        if (U16_IS_LEAD(unit) && !atEnd() && U16_IS_TRAIL(peek()))
            return U16_GET_SUPPLEMENTARY(unit, p_[pos_++]);
        return unit;
    }

    // CharacterClass -> '[' '^'? ClassRanges ']'
    void characterClass() {
        ++pos_;
        const bool negated = peek() == u'^' && !atEnd();
        if (negated) ++pos_;
        std::u16string items;
        for (;;) {
            if (atEnd()) raise(errors::kExpectedBracket);
            if (peek() == u']') {
                ++pos_;
                break;
            }
            const ClassAtom first = classAtom();
            if (peek() != u'-' || pos_ + 1 >= p_.size() || p_[pos_ + 1] == u']') {
                items += first.text();
                continue;
            }
            ++pos_;
            const ClassAtom last = classAtom();
            if (first.isSet || last.isSet) {
                // A range with a class at either end is no range: "-" stands for itself.
                items += first.text() + hexEscape(u'-') + last.text();
            } else {
                if (first.c > last.c) raise(errors::kInvalidRangeInCharacterSet);
                items += literal(first.c) + u"-" + literal(last.c);
            }
        }
        if (items.empty()) {
            // [] matches nothing, [^] any character.
            out_ += (negated ? u"[" : u"[^") + std::u16string(kAnyItems) + u"]";
            return;
        }
        out_ += (negated ? u"[^" : u"[") + items + u"]";
    }

    ClassAtom classAtom() {
        ClassAtom atom;
        if (peek() != u'\\') {
            atom.c = rawCodePoint();
            return atom;
        }
        ++pos_;
        if (atEnd()) raise(errors::kExpectedBracket);
        const char16_t c = peek();
        if (auto set = classEscape(c, true); !set.empty()) {
            ++pos_;
            atom.isSet = true;
            atom.set = std::move(set);
        } else if (c == u'b') {
            ++pos_;
            atom.c = 0x08;  // backspace inside a class
        } else if (isOctalDigit(c)) {
            atom.c = octal();
        } else {
            atom.c = characterEscape(true);
        }
        return atom;
    }

    std::u16string_view p_;
    std::size_t pos_ = 0;
    PatternOptions options_;
    PatternOutline outline_;
    std::u16string out_;
    int depth_ = 0;
    int32_t icuGroups_ = 0;
    std::vector<int32_t> icuGroup_{0};
    std::vector<int32_t> markerGroup_{0};
};

}  // namespace

TranslatedPattern translatePattern(std::u16string_view pattern, const PatternOptions& options) {
    return Translator(pattern, options).run();
}

}  // namespace lorvane::vbs
