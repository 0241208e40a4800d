// Runs the public VBScript conformance scripts (kept outside the repository, next to it, in
// ../shared/vbscript-conformance) with stand-ins for the globals their original harness gives
// them, and reports per file whether it ran to the end (reached reportSuccess) or where it
// stopped, and how many of its ok calls passed; todo_wine_ok calls are counted apart. Where the
// folder is absent the test is skipped. Set LORVANE_CONFORMANCE_VERBOSE=1 to list every failed
// check with its line.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "platform/code_page.h"
#include "platform/text.h"
#include "scripting/coerce.h"
#include "scripting/interpreter.h"
#include "scripting/script_error.h"
#include "temp_folder.h"

namespace lorvane::vbs {
namespace {

namespace fs = std::filesystem;

struct Tally {
    int passed = 0;
    int failed = 0;
    int todoPassed = 0;
    int todoFailed = 0;
    bool reachedEnd = false;
    std::vector<std::string> failures;
};

// An object the script can only hold and compare, as a bare COM object would be.
class OpaqueObject : public Object {
  public:
    std::u16string typeName() const override { return u"Unknown"; }
    MemberId findMember(std::u16string_view) const override { return kNoMember; }
    Variant get(MemberId, Arguments&) override { raise(438); }
};

// Answers 10 to any member name, reserved words included.
class AnyMemberObject : public Object {
  public:
    std::u16string typeName() const override { return u"Object"; }
    MemberId findMember(std::u16string_view) const override { return 0; }
    Variant get(MemberId, Arguments&) override { return Variant::fromInteger(10); }
};

// A collection of 1, 2, 3 with a reset method.
class CountingCollection : public Object {
  public:
    std::u16string typeName() const override { return u"Object"; }
    MemberId findMember(std::u16string_view name) const override {
        return equalsIgnoringCase(name, u"reset") ? 0 : kNoMember;
    }
    Variant get(MemberId, Arguments&) override { return {}; }
    std::unique_ptr<Enumerator> enumerate() override {
        struct Counter : Enumerator {
            int next_ = 1;
            bool next(Variant& item) override {
                if (next_ > 3) return false;
                item = Variant::fromInteger(static_cast<int16_t>(next_++));
                return true;
            }
        };
        return std::make_unique<Counter>();
    }
};

std::u16string variantTypeName(const Variant& value, const ObjectRef& opaque) {
    switch (value.type()) {
        case VarType::Empty: return u"VT_EMPTY";
        case VarType::Null: return u"VT_NULL";
        case VarType::Integer: return u"VT_I2";
        case VarType::Long: return u"VT_I4";
        case VarType::Single: return u"VT_R4";
        case VarType::Double: return u"VT_R8";
        case VarType::Date: return u"VT_DATE";
        case VarType::String: return u"VT_BSTR";
        case VarType::Boolean: return u"VT_BOOL";
        case VarType::Byte: return u"VT_UI1";
        case VarType::Object: return value.asObject() && value.asObject() == opaque ? u"VT_UNKNOWN" : u"VT_DISPATCH";
        case VarType::Array: return u"VT_ARRAY|VT_VARIANT";
    }
    return u"VT_?" + fromUtf8(std::to_string(static_cast<int>(value.type())));
}

class Harness : public Object {
  public:
    explicit Harness(Tally& tally) : tally_(tally) {}

    std::u16string typeName() const override { return u"Object"; }
    MemberId findMember(std::u16string_view name) const override {
        for (std::size_t i = 0; i < std::size(kMembers); ++i) {
            if (equalsIgnoringCase(name, kMembers[i])) return static_cast<MemberId>(i);
        }
        return kNoMember;
    }

    Variant get(MemberId member, Arguments& args) override {
        const std::u16string name = kMembers[member];
        auto arg = [&](std::size_t i) { return i < args.size() ? args[i] : Variant(); };
        if (name == u"ok" || name == u"todo_wine_ok" || name == u"okAtLine") {
            const std::size_t first = name == u"okAtLine" ? 1 : 0;
            const bool passed = toBool(arg(first));
            const bool todo = name == u"todo_wine_ok";
            (todo ? (passed ? tally_.todoPassed : tally_.todoFailed)
                  : (passed ? tally_.passed : tally_.failed))++;
            if (!passed && !todo) {
                const std::string line = first ? toUtf8(toString(arg(0))) + ": " : "";
                tally_.failures.push_back(line + toUtf8(messageOf(arg(first + 1))));
            }
            return {};
        }
        if (name == u"reportSuccess") {
            tally_.reachedEnd = true;
            return {};
        }
        if (name == u"getVT") {
            const Variant& value = arg(0);
            if (value.isArray() && args.isReference(0) && value.asArray().fixed) {
                return Variant::fromString(u"VT_ARRAY|VT_BYREF|VT_VARIANT*");
            }
            std::u16string text = variantTypeName(value, opaque_);
            if (args.size() > 0 && args.isReference(0)) text += u'*';
            return Variant::fromString(text);
        }
        if (name == u"isEnglishLang") return Variant::fromBool(true);
        if (name == u"MaxCharSize") return Variant::fromInteger(1);
        if (name == u"firstDayOfWeek") return Variant::fromInteger(1);
        if (name == u"testObj") return Variant::fromObject(anyMember_);
        if (name == u"collectionObj") return Variant::fromObject(collection_);
        if (name == u"unkObj") return Variant::fromObject(opaque_);
        if (name == u"isNullDisp") return Variant::fromBool(arg(0).isNothing());
        if (name == u"testDisp") return {};
        if (name == u"testArray") {
            const int expected = toLong(arg(0));
            const Variant& value = arg(1);
            const int dimensions = value.isArray() ? value.asArray().dimensions() : -1;
            const bool passed = args.size() > 1 && args.isReference(1) && dimensions == expected;
            (passed ? tally_.passed : tally_.failed)++;
            if (!passed) tally_.failures.push_back("testArray: " + std::to_string(dimensions));
            return {};
        }
        if (name == u"isArrayFixed") {
            return Variant::fromBool(arg(0).isArray() && arg(0).asArray().fixed);
        }
        if (name == u"doubleAsString") return Variant::fromString(toString(arg(0)));
        if (name == u"throwInt") raise(toLong(arg(0)));
        if (name == u"throwWithDesc") raise(toLong(arg(0)), u"test error description");
        return {};
    }

  private:
    static constexpr const char16_t* kMembers[] = {
        u"ok",           u"todo_wine_ok",   u"reportSuccess", u"getVT",         u"isEnglishLang",
        u"MaxCharSize",  u"firstDayOfWeek", u"testObj",       u"collectionObj", u"isNullDisp",
        u"testDisp",     u"testArray",      u"unkObj",        u"isArrayFixed",  u"doubleAsString",
        u"throwInt",     u"throwWithDesc",  u"okAtLine",
    };

    static std::u16string messageOf(const Variant& message) {
        try {
            return toString(message);
        } catch (const ScriptError&) {
            return u"(message without text)";
        }
    }

    Tally& tally_;
    ObjectRef anyMember_ = std::make_shared<AnyMemberObject>();
    ObjectRef collection_ = std::make_shared<CountingCollection>();
    ObjectRef opaque_ = std::make_shared<OpaqueObject>();
};

struct FileResult {
    Tally tally;
    std::string stoppedAt;  // empty when the script ran without an error
};

// For finding a failed check: each "ok(" or "ok " call, as read into memory, also passes its line.
std::string withLineNumbers(const std::string& text) {
    static const std::regex kCall(R"(\bok(\(| ))");
    std::istringstream lines(text);
    std::string line, out;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        out += std::regex_replace(line, kCall, "okAtLine$01" + std::to_string(number) + ", ") + '\n';
    }
    return out;
}

FileResult runConformanceFile(const fs::path& path, bool withLines) {
    FileResult result;
    auto page = CodePage::forNumber(1252);
    Interpreter interpreter(HostContext{*page, nullptr});
    interpreter.AddObject(u"test", std::make_shared<Harness>(result.tally), true);
    std::string bytes = test::readBytes(path);
    if (withLines) bytes = withLineNumbers(bytes);
    Status added = interpreter.AddCode(fromUtf8(bytes), fromUtf8(path.filename().string()));
    if (!added) result.stoppedAt = added.failure().message();
    return result;
}

const char* const kFiles[] = {"lang.vbs", "api.vbs", "regexp.vbs", "noexplicit.vbs"};

TEST(Conformance, PublicScriptsRunToTheEndAndMostChecksPass) {
    const fs::path folder = fs::path(LORVANE_CONFORMANCE_DIR);
    if (!fs::is_directory(folder)) {
        GTEST_SKIP() << "no conformance scripts at " << folder << "; nothing checked";
    }
    const bool verbose = std::getenv("LORVANE_CONFORMANCE_VERBOSE") != nullptr;
    int passed = 0, failed = 0;
    for (const char* name : kFiles) {
        const fs::path path = folder / name;
        if (!fs::exists(path)) {
            std::cout << name << ": absent, skipped\n";
            continue;
        }
        const FileResult r = runConformanceFile(path, verbose);
        const Tally& t = r.tally;
        std::cout << name << ": "
                  << (t.reachedEnd ? std::string("ran to the end")
                                   : "stopped: " + (r.stoppedAt.empty() ? "before reportSuccess"
                                                                       : r.stoppedAt))
                  << "; ok passed " << t.passed << ", failed " << t.failed
                  << "; todo_wine_ok passed " << t.todoPassed << ", failed " << t.todoFailed
                  << '\n';
        if (verbose) {
            for (const auto& failure : t.failures)
                std::cout << "    " << failure << '\n';
        }
        EXPECT_TRUE(t.reachedEnd) << name << ": " << r.stoppedAt;
        passed += t.passed;
        failed += t.failed;
    }
    const int total = passed + failed;
    if (total > 0) {
        std::cout << "total: ok passed " << passed << " of " << total << '\n';
        EXPECT_GE(passed * 100, total * 97) << passed << " of " << total << " checks passed";
    }
}

}  // namespace
}  // namespace lorvane::vbs
