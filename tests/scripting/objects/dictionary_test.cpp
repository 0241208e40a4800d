#include "scripting/objects/dictionary.h"

#include <gtest/gtest.h>

#include "object_calls.h"
#include "platform/error_catalogue.h"
#include "scripting/coerce.h"

namespace lorvane::vbs {
namespace {

using test::errorOf;
using test::get;
using test::let;
using test::str;

std::vector<std::u16string> keysOf(Dictionary& d) {
    return test::arrayTexts(get(d, u"Keys"));
}

TEST(Dictionary, AddsLooksUpAndKeepsInsertionOrder) {
    Dictionary d;
    get(d, u"Add", {str(u"b"), Variant::fromLong(2)});
    get(d, u"add", {str(u"a"), Variant::fromLong(1)});
    get(d, u"Add", {str(u"c"), Variant::fromLong(3)});
    EXPECT_EQ(toLong(get(d, u"Count")), 3);
    EXPECT_EQ(toLong(get(d, u"Item", {str(u"a")})), 1);
    EXPECT_EQ(toLong(test::getDefault(d, {str(u"c")})), 3);
    EXPECT_TRUE(get(d, u"Exists", {str(u"b")}).asBool());
    EXPECT_FALSE(get(d, u"Exists", {str(u"B")}).asBool());
    EXPECT_EQ(keysOf(d), (std::vector<std::u16string>{u"b", u"a", u"c"}));
    EXPECT_EQ(test::arrayTexts(get(d, u"Items")), (std::vector<std::u16string>{u"2", u"1", u"3"}));

    get(d, u"Remove", {str(u"a")});
    get(d, u"Add", {str(u"a"), Variant::fromLong(4)});
    EXPECT_EQ(keysOf(d), (std::vector<std::u16string>{u"b", u"c", u"a"}));
}

TEST(Dictionary, ReadingAMissingKeyAddsItEmpty) {
    Dictionary d;
    EXPECT_TRUE(get(d, u"Item", {str(u"x")}).isEmpty());
    EXPECT_EQ(toLong(get(d, u"Count")), 1);
    EXPECT_TRUE(get(d, u"Exists", {str(u"x")}).asBool());
}

TEST(Dictionary, AssigningAnItemAddsOrReplaces) {
    Dictionary d;
    let(d, u"Item", {str(u"k")}, Variant::fromLong(1));
    let(d, u"Item", {str(u"k")}, Variant::fromLong(2));
    EXPECT_EQ(toLong(get(d, u"Count")), 1);
    EXPECT_EQ(toLong(get(d, u"Item", {str(u"k")})), 2);

    auto inner = std::make_shared<Dictionary>();
    test::set(d, u"Item", {str(u"obj")}, Variant::fromObject(inner));
    EXPECT_EQ(get(d, u"Item", {str(u"obj")}).asObject(), inner);
}

TEST(Dictionary, RenamingAKeyKeepsItsPlaceAndItem) {
    Dictionary d;
    get(d, u"Add", {str(u"a"), Variant::fromLong(1)});
    get(d, u"Add", {str(u"b"), Variant::fromLong(2)});
    let(d, u"Key", {str(u"a")}, str(u"z"));
    EXPECT_EQ(keysOf(d), (std::vector<std::u16string>{u"z", u"b"}));
    EXPECT_EQ(toLong(get(d, u"Item", {str(u"z")})), 1);
    EXPECT_FALSE(get(d, u"Exists", {str(u"a")}).asBool());
}

TEST(Dictionary, KeyIdentityByCompareMode) {
    struct Case {
        const char* name;
        Variant first, second;
        bool sameInBinary, sameInText;
    } cases[] = {
        {"Integer and Double 1", Variant::fromInteger(1), Variant::fromDouble(1.0), true, true},
        {"Byte and Long 7", Variant::fromByte(7), Variant::fromLong(7), true, true},
        {"Single and Double 0.5", Variant::fromSingle(0.5f), Variant::fromDouble(0.5), true, true},
        {"number and its text", Variant::fromLong(1), str(u"1"), false, false},
        {"0 and -0", Variant::fromDouble(0.0), Variant::fromDouble(-0.0), true, true},
        {"Latin case", str(u"Key"), str(u"kEY"), false, true},
        {"Cyrillic case", str(u"Ёлка"), str(u"ёЛКА"), false, true},
        {"Greek final sigma", str(u"ς"), str(u"Σ"), false, true},
        {"no full folding", str(u"straße"), str(u"STRASSE"), false, false},
        {"True and -1", Variant::fromBool(true), Variant::fromInteger(-1), false, false},
        {"Empty and empty text", Variant(), str(u""), false, false},
        {"Empty and 0", Variant(), Variant::fromLong(0), false, false},
        {"Null and Empty", Variant::null(), Variant(), false, false},
        {"Date and its number", Variant::fromDate(2.0), Variant::fromDouble(2.0), false, false},
    };
    for (const auto& c : cases) {
        for (int mode : {0, 1}) {
            Dictionary d;
            let(d, u"CompareMode", {}, Variant::fromLong(mode));
            get(d, u"Add", {c.first, str(u"item")});
            const bool expected = mode == 0 ? c.sameInBinary : c.sameInText;
            EXPECT_EQ(get(d, u"Exists", {c.second}).asBool(), expected)
                << c.name << ", CompareMode " << mode;
        }
    }
}

TEST(Dictionary, ObjectKeysCompareByIdentity) {
    Dictionary d;
    auto a = std::make_shared<Dictionary>();
    auto b = std::make_shared<Dictionary>();
    get(d, u"Add", {Variant::fromObject(a), str(u"first")});
    EXPECT_TRUE(get(d, u"Exists", {Variant::fromObject(a)}).asBool());
    EXPECT_FALSE(get(d, u"Exists", {Variant::fromObject(b)}).asBool());
}

TEST(Dictionary, Failures) {
    struct Case {
        const char* name;
        std::function<void(Dictionary&)> action;
        int expected;
    } cases[] = {
        {"duplicate Add",
         [](Dictionary& d) {
             get(d, u"Add", {str(u"a"), Variant()});
         },
         errors::kKeyAlreadyAssociated},
        {"duplicate Add, other number type",
         [](Dictionary& d) {
             get(d, u"Add", {Variant::fromDouble(1.0), Variant()});
         },
         errors::kKeyAlreadyAssociated},
        {"Remove of a missing key", [](Dictionary& d) { get(d, u"Remove", {str(u"zz")}); },
         errors::kElementNotFound},
        {"rename of a missing key", [](Dictionary& d) { let(d, u"Key", {str(u"zz")}, str(u"y")); },
         errors::kElementNotFound},
        {"rename onto another key",
         [](Dictionary& d) { let(d, u"Key", {str(u"a")}, Variant::fromLong(1)); },
         errors::kKeyAlreadyAssociated},
        {"CompareMode while not empty",
         [](Dictionary& d) { let(d, u"CompareMode", {}, Variant::fromLong(1)); },
         errors::kInvalidProcedureCall},
        {"array as key",
         [](Dictionary& d) {
             get(d, u"Add",
                 {Variant::fromArray(std::make_shared<Array>(std::vector<int32_t>{1})), Variant()});
         },
         errors::kTypeMismatch},
        {"Item without a key", [](Dictionary& d) { get(d, u"Item"); },
         errors::kWrongNumberOfArguments},
        {"Add with one argument", [](Dictionary& d) { get(d, u"Add", {str(u"q")}); },
         errors::kWrongNumberOfArguments},
        {"Count with an argument", [](Dictionary& d) { get(d, u"Count", {Variant::fromLong(1)}); },
         errors::kWrongNumberOfArguments},
        {"reading Key", [](Dictionary& d) { get(d, u"Key", {str(u"a")}); },
         errors::kObjectDoesNotSupportProperty},
    };
    for (const auto& c : cases) {
        Dictionary d;
        get(d, u"Add", {str(u"a"), Variant::fromLong(1)});
        get(d, u"Add", {Variant::fromLong(1), Variant::fromLong(2)});
        EXPECT_EQ(errorOf([&] { c.action(d); }), c.expected) << c.name;
        EXPECT_EQ(toLong(get(d, u"Count")), 2) << c.name << " changed the dictionary";
    }
}

TEST(Dictionary, CompareModeAcceptsOnlyItsValuesAndOnlyWhileEmpty) {
    Dictionary d;
    EXPECT_EQ(errorOf([&] { let(d, u"CompareMode", {}, Variant::fromLong(3)); }),
              errors::kInvalidProcedureCall);
    let(d, u"CompareMode", {}, Variant::fromLong(1));
    EXPECT_EQ(toLong(get(d, u"CompareMode")), 1);
    get(d, u"Add", {str(u"A"), Variant()});
    get(d, u"RemoveAll");
    EXPECT_EQ(toLong(get(d, u"Count")), 0);
    let(d, u"CompareMode", {}, Variant::fromLong(0));
    EXPECT_EQ(toLong(get(d, u"CompareMode")), 0);
}

TEST(Dictionary, ForEachVisitsTheKeysAsTheLoopFoundThem) {
    Dictionary d;
    for (auto key : {u"one", u"two", u"three"})
        get(d, u"Add", {str(key), Variant()});
    auto enumerator = d.enumerate();
    ASSERT_TRUE(enumerator);
    std::vector<std::u16string> seen;
    Variant key;
    while (enumerator->next(key)) {
        seen.push_back(toString(key));
        get(d, u"RemoveAll");  // a loop body that empties the dictionary
    }
    EXPECT_EQ(seen, (std::vector<std::u16string>{u"one", u"two", u"three"}));
}

TEST(Dictionary, EmptyDictionaryGivesEmptyArrays) {
    Dictionary d;
    const Variant keys = get(d, u"Keys");
    ASSERT_TRUE(keys.isArray());
    EXPECT_EQ(keys.asArray().upperBound(0), -1);
    EXPECT_EQ(typeName(keys), u"Variant()");
}

TEST(Dictionary, CreatedByItsProgIdIgnoringCase) {
    ObjectRegistry registry;
    registerStandardObjects(registry);
    const ObjectRef object = registry.create(u"scripting.DICTIONARY", HostContext{});
    ASSERT_TRUE(object);
    EXPECT_EQ(object->typeName(), u"Dictionary");
    EXPECT_EQ(object->findMember(u"nosuchmember"), kNoMember);
}

}  // namespace
}  // namespace lorvane::vbs
