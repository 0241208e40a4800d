// What patterns match, by the script language's (ECMAScript 3) reading of them.
#include <gtest/gtest.h>

#include "object_calls.h"
#include "platform/error_catalogue.h"
#include "platform/text.h"
#include "scripting/coerce.h"
#include "scripting/objects/regexp.h"

namespace lorvane::vbs {
namespace {

using namespace std::string_literals;
using test::errorOf;
using test::get;
using test::let;
using test::str;

struct Case {
    std::u16string pattern;
    const char* flags;  // "g" Global, "i" IgnoreCase, "m" MultiLine
    std::u16string input;
    std::u16string expected;  // the matches as "value@FirstIndex", joined by "|"
};

void configure(RegExp& re, const std::u16string& pattern, std::string_view flags) {
    let(re, u"Pattern", {}, str(pattern));
    let(re, u"Global", {}, Variant::fromBool(flags.find('g') != std::string_view::npos));
    let(re, u"IgnoreCase", {}, Variant::fromBool(flags.find('i') != std::string_view::npos));
    let(re, u"MultiLine", {}, Variant::fromBool(flags.find('m') != std::string_view::npos));
}

std::u16string matchesOf(RegExp& re, const std::u16string& input) {
    std::u16string out;
    for (const Variant& match :
         test::enumerateAll(test::objectIn(get(re, u"Execute", {str(input)})))) {
        if (!out.empty()) out += u'|';
        Object& m = test::objectIn(match);
        out += toString(get(m, u"Value")) + u"@" + toString(get(m, u"FirstIndex"));
    }
    return out;
}

std::string show(const std::u16string& text) {
    return toUtf8(text);
}

TEST(RegExpPattern, MatchesAsTheScriptLanguageReadsThem) {
    const Case cases[] = {
        // Classes are ASCII-only, \s the documented six characters.
        {u"\\d+", "g", u"a12b\u06634", u"12@1|4@5"},
        {u"\\w+", "g", u"abc где x_1", u"abc@0|x_1@8"},
        {u"\\W+", "g", u"a-b", u"-@1"},
        {u"\\s", "g", u"a\u00A0b\tc", u"\t@3"},
        {u"\\S+", "", u" \u00A0x", u"\u00A0x@1"},
        {u"\\bde", "g", u"de abde где", u"de@0"},
        {u"\\Bb", "g", u"ab b", u"b@1"},
        {u"\\w", "i", u"\u212A", u""},
        // "." stops at the four line terminators only.
        {u".", "g", u"a\r\n\u2028\u0085b", u"a@0|\u0085@4|b@5"},
        // ^ and $: the whole text, or every line in multi-line mode; CR LF is two line ends.
        {u"a$", "", u"a\n", u""},
        {u"a$", "m", u"a\n", u"a@0"},
        {u"^b", "", u"a\nb", u""},
        {u"^", "gm", u"a\r\nb", u"@0|@2|@3"},
        {u"$", "gm", u"a\r\nb", u"@1|@2|@4"},
        // Quantifiers, lazy ones, and a "{" that is no quantifier.
        {u"a{2}", "", u"aaa", u"aa@0"},
        {u"a{1,2}?", "", u"aaa", u"a@0"},
        {u"a{,2}", "", u"xa{,2}", u"a{,2}@1"},
        {u"a*?", "", u"aaa", u"@0"},
        {u"x}]", "", u"x}]", u"x}]@0"},
        // Empty matches in a global search move on.
        {u"a*", "g", u"baaa", u"@0|aaa@1|@4"},
        {u"", "g", u"ab", u"@0|@1|@2"},
        // Groups, lookaheads and backreferences.
        {u"(?:ab)+", "", u"ababx", u"abab@0"},
        {u"a(?=b)", "g", u"abac", u"a@0"},
        {u"a(?!b)", "g", u"abac", u"a@2"},
        {u"(['\"])(.*?)\\1", "g", u"say 'hi' and \"yo\"", u"'hi'@4|\"yo\"@13"},
        {u"(a)?b\\1", "", u"b", u"b@0"},
        {u"\\1(a)", "", u"aa", u"a@0"},
        {u"(?:(a)|b)\\1", "g", u"aab", u"aa@0|b@2"},
        {u"(a)\\10", "", u"a\b", u"a\b@0"},
        {u"(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)\\10", "", u"abcdefghijj", u"abcdefghijj@0"},
        // Character escapes.
        {u"\\x41\\u0042", "", u"AB", u"AB@0"},
        {u"\\x4G", "", u"x4G", u"x4G@0"},
        {u"\\cJ", "", u"a\n", u"\n@1"},
        {u"\\c1", "", u"\\c1", u"\\c1@0"},
        {u"\\101\\0", "", u"A\0"s, u"A\0@0"s},
        {u"\\t\\v\\f", "", u"\t\v\f", u"\t\v\f@0"},
        {u"\\uD83D\\uDE00", "", u"x😀", u"😀@1"},
        // ICU's own syntax is literal text here.
        {u"\\Qa.\\E", "", u"xQa.E", u"Qa.E@1"},
        {u"\\p{L}", "", u"ap{L}", u"p{L}@1"},
        {u"\\A\\z\\Z", "", u"AzZ", u"AzZ@0"},
        {u"\\h\\e\\N", "", u"heN", u"heN@0"},
        {u"a#b c", "", u"a#b c", u"a#b c@0"},
        {u"$$", "", u"", u"@0"},
        // Character classes.
        {u"[\\b]", "", u"a\bb", u"\b@1"},
        {u"[^]", "", u"\n", u"\n@0"},
        {u"[]", "", u"abc", u""},
        {u"a[^]*", "", u"xa\nb", u"a\nb@1"},
        {u"[\\d-z]+", "", u"1-z", u"1-z@0"},
        {u"[a-]", "g", u"-a", u"-@0|a@1"},
        {u"[\\w.]+", "", u"a.b c", u"a.b@0"},
        {u"[^\\s]+", "", u" ab ", u"ab@1"},
        {u"[^\\D]+", "", u"a42", u"42@1"},
        {u"[[]+", "", u"x[[", u"[[@1"},
        {u"[a&&b]+", "", u"&&a", u"&&a@0"},
        {u"[\\]]", "", u"]", u"]@0"},
        {u"[\\x41-\\x43]+", "", u"ABCD", u"ABC@0"},
        {u"[\\101]", "", u"A", u"A@0"},
        // Letter case, Cyrillic included.
        {u"привет", "i", u"ПРИВЕТ мир", u"ПРИВЕТ@0"},
        {u"[а-я]+", "gi", u"ЖУК и Жук", u"ЖУК@0|и@4|Жук@6"},
        {u"Ё", "i", u"ёж", u"ё@0"},
        {u"привет", "", u"ПРИВЕТ", u""},
        {u"(а)\\1", "i", u"аА", u"аА@0"},
        // Positions count UTF-16 units.
        {u"b", "", u"😀ab", u"b@3"},
    };
    for (const auto& c : cases) {
        RegExp re;
        configure(re, c.pattern, c.flags);
        EXPECT_EQ(matchesOf(re, c.input), c.expected)
            << "pattern " << show(c.pattern) << " flags " << c.flags << " on " << show(c.input);
    }
}

TEST(RegExpPattern, InvalidPatternsFailWithTheirNumbers) {
    struct Bad {
        std::u16string pattern;
        int expected;
    } cases[] = {
        {u"(", errors::kExpectedParen},
        {u"(a|b", errors::kExpectedParen},
        {u"(?:a", errors::kExpectedParen},
        {u"a)", errors::kInvalidPattern},
        {u"[a", errors::kExpectedBracket},
        {u"[\\", errors::kExpectedBracket},
        {u"[z-a]", errors::kInvalidRangeInCharacterSet},
        {u"[\\x5A-\\x41]", errors::kInvalidRangeInCharacterSet},
        {u"*a", errors::kUnexpectedQuantifier},
        {u"a|+", errors::kUnexpectedQuantifier},
        {u"a**", errors::kUnexpectedQuantifier},
        {u"a*+", errors::kUnexpectedQuantifier},  // possessive in ICU
        {u"a???", errors::kUnexpectedQuantifier},
        {u"a{2}{3}", errors::kUnexpectedQuantifier},
        {u"{2}", errors::kUnexpectedQuantifier},
        {u"(?i)a", errors::kUnexpectedQuantifier},  // inline flags in ICU
        {u"(?<n>a)", errors::kUnexpectedQuantifier},
        {u"(?<=a)b", errors::kUnexpectedQuantifier},
        {u"(?>a)", errors::kUnexpectedQuantifier},
        {u"^*", errors::kUnexpectedQuantifier},
        {u"$+", errors::kUnexpectedQuantifier},
        {u"\\b?", errors::kUnexpectedQuantifier},
        {u"(?=a)*", errors::kUnexpectedQuantifier},
        {u"a\\", errors::kInvalidPattern},
        {u"a{3,2}", errors::kInvalidPattern},
        {std::u16string(91, u'(') + std::u16string(91, u')'), errors::kOutOfStackSpace},
    };
    for (const auto& c : cases) {
        RegExp re;
        let(re, u"Pattern", {}, str(c.pattern));  // assigning never fails
        EXPECT_EQ(errorOf([&] { get(re, u"Test", {str(u"abc")}); }), c.expected)
            << "pattern " << show(c.pattern);
    }
}

TEST(RegExpPattern, DeeplyNestedButValidGroupsWork) {
    RegExp re;
    let(re, u"Pattern", {}, str(std::u16string(80, u'(') + u"\\ba" + std::u16string(80, u')')));
    EXPECT_TRUE(get(re, u"Test", {str(u"a")}).asBool());
}

}  // namespace
}  // namespace lorvane::vbs
