// The RegExp object and its results: properties, Test, Replace, Execute, Match and SubMatches.
#include "scripting/objects/regexp.h"

#include <gtest/gtest.h>

#include "object_calls.h"
#include "platform/error_catalogue.h"
#include "platform/text.h"
#include "scripting/coerce.h"

namespace lorvane::vbs {
namespace {

using test::errorOf;
using test::get;
using test::let;
using test::objectIn;
using test::str;

std::shared_ptr<RegExp> regexp(std::u16string_view pattern, bool global = false,
                               bool ignoreCase = false) {
    auto re = std::make_shared<RegExp>();
    let(*re, u"Pattern", {}, str(pattern));
    let(*re, u"Global", {}, Variant::fromBool(global));
    let(*re, u"IgnoreCase", {}, Variant::fromBool(ignoreCase));
    return re;
}

TEST(RegExp, PropertiesStartFalseAndEmpty) {
    RegExp re;
    EXPECT_EQ(toString(get(re, u"Pattern")), u"");
    EXPECT_FALSE(get(re, u"Global").asBool());
    EXPECT_FALSE(get(re, u"IgnoreCase").asBool());
    EXPECT_FALSE(get(re, u"MultiLine").asBool());
    EXPECT_TRUE(get(re, u"Test", {str(u"anything")}).asBool());
    EXPECT_EQ(re.typeName(), u"IRegExp2");
}

TEST(RegExp, ReplaceExpandsDollarReferences) {
    struct Case {
        std::u16string pattern;
        bool global;
        std::u16string input, replacement, expected;
    } cases[] = {
        {u"(\\w+)@(\\w+)", false, u"x john@host y", u"$2 at $1", u"x host at john y"},
        {u"o", true, u"foo", u"0", u"f00"},
        {u"o", false, u"foo", u"0", u"f0o"},
        {u"b", false, u"abc", u"[$`|$&|$']", u"a[a|b|c]c"},
        {u"b", false, u"abc", u"$$", u"a$c"},
        {u"b", false, u"abc", u"$0$3$x$", u"a$0$3$x$c"},
        {u"(a)?b", false, u"b", u"[$1]", u"[]"},
        {u"(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)", false, u"abcdefghij", u"$10-$1-$11-$01", u"j-a-a1-a"},
        {u"(a)", false, u"a", u"$12", u"a2"},
        {u"", true, u"ab", u"-", u"-a-b-"},
        {u"x*", true, u"abc", u"-", u"-a-b-c-"},
        {u"nothing", true, u"abc", u"-", u"abc"},
        {u"(\\d+)-(\\d+)", true, u"1-2, 30-40", u"$2-$1", u"2-1, 40-30"},
        {u"\\s+", true, u"a  b\t\tc", u" ", u"a b c"},
    };
    for (const auto& c : cases) {
        auto re = regexp(c.pattern, c.global);
        EXPECT_EQ(toString(get(*re, u"Replace", {str(c.input), str(c.replacement)})), c.expected)
            << toUtf8(c.pattern) << " / " << toUtf8(c.replacement);
    }
}

TEST(RegExp, ReplaceIgnoringCaseInCyrillic) {
    auto re = regexp(u"бог", true, true);
    EXPECT_EQ(toString(get(*re, u"Replace", {str(u"Бог, БОГ и бог"), str(u"[$&]")})),
              u"[Бог], [БОГ] и [бог]");
}

TEST(RegExp, ExecuteGivesMatchesWithPositionsAndSubMatches) {
    auto re = regexp(u"(\\w+)=(\\d+)?", true);
    const Variant result = get(*re, u"Execute", {str(u"a=1 bb= c=33")});
    Object& matches = objectIn(result);
    EXPECT_EQ(matches.typeName(), u"IMatchCollection2");
    ASSERT_EQ(toLong(get(matches, u"Count")), 3);

    struct Expected {
        std::u16string value;
        int32_t firstIndex;
        std::u16string name;
        bool numberTookPart;
        std::u16string number;
    } expected[] = {
        {u"a=1", 0, u"a", true, u"1"},
        {u"bb=", 4, u"bb", false, u""},
        {u"c=33", 8, u"c", true, u"33"},
    };
    for (int i = 0; i < 3; ++i) {
        const auto& e = expected[i];
        Object& match = objectIn(get(matches, u"Item", {Variant::fromLong(i)}));
        EXPECT_EQ(match.typeName(), u"IMatch2");
        EXPECT_EQ(toString(get(match, u"Value")), e.value);
        // matches(i) and a Match's own value (its default member Value)
        EXPECT_EQ(toString(valueOf(test::getDefault(matches, {Variant::fromLong(i)}))), e.value);
        EXPECT_EQ(toLong(get(match, u"FirstIndex")), e.firstIndex);
        EXPECT_EQ(toLong(get(match, u"Length")), static_cast<int32_t>(e.value.size()));
        Object& subMatches = objectIn(get(match, u"SubMatches"));
        EXPECT_EQ(toLong(get(subMatches, u"Count")), 2);
        EXPECT_EQ(toString(test::getDefault(subMatches, {Variant::fromLong(0)})), e.name);
        const Variant number = get(subMatches, u"Item", {Variant::fromLong(1)});
        EXPECT_EQ(!number.isEmpty(), e.numberTookPart) << "match " << i;
        EXPECT_EQ(toString(number), e.number);
    }
}

TEST(RegExp, ExecuteWithoutGlobalGivesTheFirstMatchOnly) {
    auto re = regexp(u"\\d");
    const Variant found = get(*re, u"Execute", {str(u"a1b2")});
    Object& matches = objectIn(found);
    ASSERT_EQ(toLong(get(matches, u"Count")), 1);
    EXPECT_EQ(toLong(get(objectIn(get(matches, u"Item", {Variant::fromLong(0)})), u"FirstIndex")),
              1);
    const Variant nothingFound = get(*re, u"Execute", {str(u"abc")});
    Object& none = objectIn(nothingFound);
    EXPECT_EQ(toLong(get(none, u"Count")), 0);
    EXPECT_TRUE(test::enumerateAll(none).empty());
}

TEST(RegExp, ForEachWalksMatchesAndSubMatches) {
    auto re = regexp(u"(\\d)(x)?", true);
    const Variant found = get(*re, u"Execute", {str(u"1x 2")});
    Object& matches = objectIn(found);
    const auto all = test::enumerateAll(matches);
    ASSERT_EQ(all.size(), 2u);
    const auto groups = test::enumerateAll(objectIn(get(objectIn(all[1]), u"SubMatches")));
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(toString(groups[0]), u"2");
    EXPECT_TRUE(groups[1].isEmpty());
}

TEST(RegExp, SubMatchesWithAnIndexReadsTheItem) {
    auto re = regexp(u"(a)(b)");
    const Variant found = get(*re, u"Execute", {str(u"ab")});
    Object& match = objectIn(get(objectIn(found), u"Item", {Variant::fromLong(0)}));
    EXPECT_EQ(toString(get(match, u"SubMatches", {Variant::fromLong(1)})), u"b");
    EXPECT_EQ(errorOf([&] { get(match, u"Value", {Variant::fromLong(0)}); }),
              errors::kWrongNumberOfArguments);
}

TEST(RegExp, CollectionIndexesOutOfRangeFail) {
    auto re = regexp(u"(a)", true);
    const Variant found = get(*re, u"Execute", {str(u"aa")});
    Object& matches = objectIn(found);
    Object& subMatches =
        objectIn(get(objectIn(get(matches, u"Item", {Variant::fromLong(0)})), u"SubMatches"));
    struct Case {
        Object* collection;
        int32_t index;
    } cases[] = {{&matches, 2}, {&matches, -1}, {&subMatches, 1}, {&subMatches, -1}};
    for (const auto& c : cases) {
        EXPECT_EQ(errorOf([&] { get(*c.collection, u"Item", {Variant::fromLong(c.index)}); }),
                  errors::kInvalidProcedureCall)
            << toUtf8(c.collection->typeName()) << " " << c.index;
    }
    EXPECT_EQ(errorOf([&] { get(matches, u"Item"); }), errors::kWrongNumberOfArguments);
}

TEST(RegExp, ChangingPropertiesRecompiles) {
    auto re = regexp(u"abc");
    EXPECT_FALSE(get(*re, u"Test", {str(u"ABC")}).asBool());
    let(*re, u"IgnoreCase", {}, Variant::fromBool(true));
    EXPECT_TRUE(get(*re, u"Test", {str(u"ABC")}).asBool());
    let(*re, u"Pattern", {}, str(u"^b"));
    EXPECT_FALSE(get(*re, u"Test", {str(u"a\nb")}).asBool());
    let(*re, u"MultiLine", {}, Variant::fromBool(true));
    EXPECT_TRUE(get(*re, u"Test", {str(u"a\nb")}).asBool());
    let(*re, u"Pattern", {}, str(u"("));
    EXPECT_EQ(errorOf([&] { get(*re, u"Execute", {str(u"x")}); }), errors::kExpectedParen);
    let(*re, u"Pattern", {}, str(u"x"));
    EXPECT_TRUE(get(*re, u"Test", {str(u"x")}).asBool());
}

TEST(RegExp, TestIgnoresGlobal) {
    auto re = regexp(u"a", true);
    EXPECT_TRUE(get(*re, u"Test", {str(u"a")}).asBool());
    EXPECT_TRUE(get(*re, u"Test", {str(u"a")}).asBool());
}

TEST(RegExp, CatastrophicBacktrackingFailsInsteadOfHanging) {
    RegExp re(1);  // a small step limit keeps the test short
    let(re, u"Pattern", {}, str(u"(a+)+b"));
    EXPECT_EQ(errorOf([&] { get(re, u"Test", {str(std::u16string(40, u'a'))}); }),
              errors::kRegExpTooComplex);
    // The same object goes on working for texts within the limit.
    EXPECT_TRUE(get(re, u"Test", {str(u"aab")}).asBool());
}

TEST(RegExp, ArgumentsAndMembers) {
    RegExp re;
    EXPECT_EQ(errorOf([&] { get(re, u"Replace", {str(u"a")}); }), errors::kWrongNumberOfArguments);
    EXPECT_EQ(errorOf([&] { get(re, u"Test", {Variant::null()}); }), errors::kInvalidUseOfNull);
    EXPECT_EQ(errorOf([&] { let(re, u"Test", {}, str(u"x")); }),
              errors::kObjectDoesNotSupportProperty);
    EXPECT_EQ(re.findMember(u"LastIndex"), kNoMember);
    EXPECT_EQ(re.defaultMember(), kNoMember);
    // Non-text arguments are converted to text.
    let(re, u"Pattern", {}, Variant::fromLong(12));
    EXPECT_TRUE(get(re, u"Test", {Variant::fromDouble(3.125e12)}).asBool());
}

TEST(RegExp, RegisteredForNewAndCreateObject) {
    ObjectRegistry registry;
    registerStandardObjects(registry);
    for (auto name : {u"RegExp", u"regexp", u"VBScript.RegExp", u"vbscript.regexp"}) {
        const ObjectRef object = registry.create(name, HostContext{});
        ASSERT_TRUE(object) << toUtf8(name);
        EXPECT_EQ(object->typeName(), u"IRegExp2");
    }
}

}  // namespace
}  // namespace lorvane::vbs
