// FileSystemObject and its TextStreams on real files in a temporary folder.
#include "scripting/objects/file_system_object.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "object_calls.h"
#include "platform/code_page.h"
#include "platform/error_catalogue.h"
#include "platform/text.h"
#include "scripting/coerce.h"
#include "temp_folder.h"

namespace lorvane::vbs {
namespace {

using namespace std::string_literals;
using test::errorOf;
using test::get;
using test::objectIn;
using test::str;

constexpr int32_t kForReading = 1, kForWriting = 2, kForAppending = 8;

class FileSystemObjectTest : public ::testing::Test {
  protected:
    explicit FileSystemObjectTest(int page = 1251) : fso_(CodePage::forNumber(page).value()) {}

    Variant path(std::string_view relative) const { return str(temp_.u16(relative)); }

    Object& open(std::string_view relative, int32_t mode, bool create = false, int32_t format = 0) {
        stream_ = get(fso_, u"OpenTextFile",
                      {path(relative), Variant::fromLong(mode), Variant::fromBool(create),
                       Variant::fromLong(format)});
        return objectIn(stream_);
    }

    Object& create(std::string_view relative, std::vector<Variant> more = {}) {
        std::vector<Variant> args{path(relative)};
        args.insert(args.end(), more.begin(), more.end());
        stream_ = get(fso_, u"CreateTextFile", std::move(args));
        return objectIn(stream_);
    }

    lorvane::test::TempFolder temp_;
    FileSystemObject fso_;
    Variant stream_;
};

TEST_F(FileSystemObjectTest, ReadsLinesInTheCodePageAtEveryKindOfLineEnd) {
    // "один", "два", "три", "четыре" in Windows-1251, ended by CR LF, LF, CR and nothing.
    temp_.write("in.txt",
                "\xEE\xE4\xE8\xED\r\n\xE4\xE2\xE0\n\xF2\xF0\xE8\r\xF7\xE5\xF2\xFB\xF0\xE5");
    Object& in = open("in.txt", kForReading);
    EXPECT_EQ(in.typeName(), u"TextStream");
    const std::u16string expected[] = {u"один", u"два", u"три", u"четыре"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(toLong(get(in, u"Line")), i + 1);
        EXPECT_FALSE(get(in, u"AtEndOfStream").asBool());
        EXPECT_EQ(toString(get(in, u"ReadLine")), expected[i]);
    }
    EXPECT_TRUE(get(in, u"AtEndOfStream").asBool());
    EXPECT_EQ(errorOf([&] { get(in, u"ReadLine"); }), errors::kInputPastEndOfFile);
    get(in, u"Close");
}

TEST_F(FileSystemObjectTest, ReadsCharactersAndSkips) {
    temp_.write("in.txt", "abc\r\n\r\nxyz");
    Object& in = open("in.txt", kForReading);
    EXPECT_EQ(toString(get(in, u"Read", {Variant::fromLong(2)})), u"ab");
    EXPECT_EQ(toLong(get(in, u"Column")), 3);
    EXPECT_FALSE(get(in, u"AtEndOfLine").asBool());
    get(in, u"Skip", {Variant::fromLong(1)});
    EXPECT_TRUE(get(in, u"AtEndOfLine").asBool());
    get(in, u"SkipLine");
    EXPECT_EQ(toLong(get(in, u"Line")), 2);
    EXPECT_EQ(toString(get(in, u"ReadLine")), u"");
    EXPECT_EQ(toString(get(in, u"Read", {Variant::fromLong(10)})), u"xyz");
    EXPECT_EQ(toLong(get(in, u"Line")), 3);
    EXPECT_EQ(toLong(get(in, u"Column")), 4);
    EXPECT_EQ(errorOf([&] { get(in, u"Read", {Variant::fromLong(1)}); }),
              errors::kInputPastEndOfFile);
    EXPECT_EQ(errorOf([&] { get(in, u"Skip", {Variant::fromLong(-1)}); }),
              errors::kInvalidProcedureCall);
}

TEST_F(FileSystemObjectTest, ReadAllReturnsTheRestAndFailsOnAnEmptyFile) {
    temp_.write("in.txt", "a\nb\n");
    Object& in = open("in.txt", kForReading);
    get(in, u"ReadLine");
    EXPECT_EQ(toString(get(in, u"ReadAll")), u"b\n");
    temp_.write("empty.txt", "");
    Object& empty = open("empty.txt", kForReading);
    EXPECT_TRUE(get(empty, u"AtEndOfStream").asBool());
    EXPECT_EQ(errorOf([&] { get(empty, u"ReadAll"); }), errors::kInputPastEndOfFile);
}

TEST_F(FileSystemObjectTest, WritesLinesWithCrLfInTheCodePage) {
    Object& out = create("out.txt");
    get(out, u"Write", {str(u"Ж")});
    get(out, u"WriteLine", {str(u"ук")});
    get(out, u"WriteLine");
    get(out, u"WriteBlankLines", {Variant::fromLong(2)});
    get(out, u"Write", {Variant::fromLong(12)});
    get(out, u"Write", {str(u"€☺")});  // the euro sign is in 1251, the smiley is not
    EXPECT_EQ(toLong(get(out, u"Line")), 5);
    get(out, u"Close");
    EXPECT_EQ(temp_.read("out.txt"), "\xC6\xF3\xEA\r\n\r\n\r\n\r\n12\x88?");
}

TEST_F(FileSystemObjectTest, AppendsAndCreatesOnRequest) {
    temp_.write("log.txt", "one\r\n");
    Object& log = open("log.txt", kForAppending);
    get(log, u"WriteLine", {str(u"two")});
    get(log, u"Close");
    EXPECT_EQ(temp_.read("log.txt"), "one\r\ntwo\r\n");

    EXPECT_EQ(errorOf([&] { open("new.txt", kForAppending); }), errors::kFileNotFound);
    Object& created = open("new.txt", kForWriting, true);
    get(created, u"Write", {str(u"x")});
    get(created, u"Close");
    EXPECT_EQ(temp_.read("new.txt"), "x");
    Object& emptied = open("new.txt", kForWriting);
    get(emptied, u"Close");
    EXPECT_EQ(temp_.read("new.txt"), "");
}

TEST_F(FileSystemObjectTest, CreateTextFileOverwritesUnlessTold) {
    temp_.write("x.txt", "old");
    get(create("x.txt"), u"Close");
    EXPECT_EQ(temp_.read("x.txt"), "");
    temp_.write("x.txt", "old");
    EXPECT_EQ(errorOf([&] { create("x.txt", {Variant::fromBool(false)}); }),
              errors::kFileAlreadyExists);
    EXPECT_EQ(temp_.read("x.txt"), "old");
}

TEST_F(FileSystemObjectTest, UnicodeFilesAreUtf16WithAByteOrderMark) {
    Object& out = create("u.txt", {Variant::fromBool(true), Variant::fromBool(true)});
    get(out, u"WriteLine", {str(u"Жa😀")});
    get(out, u"Close");
    EXPECT_EQ(temp_.read("u.txt"),
              "\xFF\xFE\x16\x04"
              "a\0=\xD8\x00\xDE\r\0\n\0"s);
    Object& in = open("u.txt", kForReading, false, -1);
    EXPECT_EQ(toString(get(in, u"ReadLine")), u"Жa😀");
    Object& append = open("u.txt", kForAppending, false, -1);
    get(append, u"Write", {str(u"b")});
    get(append, u"Close");
    EXPECT_EQ(temp_.read("u.txt").substr(14), "b\0"s);  // no second mark
}

TEST_F(FileSystemObjectTest, OpeningFailures) {
    temp_.makeFolder("folder");
    struct Case {
        const char* name;
        std::function<void()> action;
        int expected;
    } cases[] = {
        {"missing file", [&] { open("missing.txt", kForReading); }, errors::kFileNotFound},
        {"missing folder", [&] { open("nowhere/missing.txt", kForReading); },
         errors::kPathNotFound},
        {"missing folder, create", [&] { open("nowhere/x.txt", kForWriting, true); },
         errors::kPathNotFound},
        {"create in missing folder", [&] { create("nowhere/x.txt"); }, errors::kPathNotFound},
        {"a folder", [&] { open("folder", kForReading); }, errors::kPermissionDenied},
        {"a folder, writing", [&] { create("folder"); }, errors::kPermissionDenied},
        {"bad mode", [&] { open("x.txt", 3, true); }, errors::kInvalidProcedureCall},
        {"bad format", [&] { open("x.txt", kForWriting, true, 5); }, errors::kInvalidProcedureCall},
        {"no path", [&] { get(fso_, u"OpenTextFile"); }, errors::kWrongNumberOfArguments},
    };
    for (const auto& c : cases)
        EXPECT_EQ(errorOf(c.action), c.expected) << c.name;
    EXPECT_FALSE(temp_.exists("x.txt"));
}

TEST_F(FileSystemObjectTest, StreamsRefuseTheWrongDirectionAndUseAfterClose) {
    temp_.write("in.txt", "a");
    Object& in = open("in.txt", kForReading);
    EXPECT_EQ(errorOf([&] { get(in, u"Write", {str(u"x")}); }), errors::kBadFileMode);
    EXPECT_EQ(errorOf([&] { get(in, u"WriteBlankLines", {Variant::fromLong(1)}); }),
              errors::kBadFileMode);
    get(in, u"Close");
    EXPECT_EQ(errorOf([&] { get(in, u"ReadLine"); }), errors::kBadFileMode);
    get(in, u"Close");  // closing twice is harmless

    Object& out = create("out.txt");
    EXPECT_EQ(errorOf([&] { get(out, u"ReadLine"); }), errors::kBadFileMode);
    EXPECT_EQ(errorOf([&] { get(out, u"AtEndOfStream"); }), errors::kBadFileMode);
    EXPECT_EQ(errorOf([&] { get(out, u"WriteBlankLines", {Variant::fromLong(-1)}); }),
              errors::kInvalidProcedureCall);
}

TEST_F(FileSystemObjectTest, AStreamLeftOpenKeepsWhatWasWritten) {
    {
        Object& out = create("out.txt");
        get(out, u"WriteLine", {str(u"kept")});
        stream_ = Variant();  // the script drops its last reference without Close
    }
    EXPECT_EQ(temp_.read("out.txt"), "kept\r\n");
}

TEST_F(FileSystemObjectTest, PathsWithBackslashesAndOtherLetterCase) {
    temp_.write("Data/Input.TXT", "hello");
    const std::u16string windowsPath = temp_.u16path() + u"\\data\\INPUT.txt";
    EXPECT_TRUE(get(fso_, u"FileExists", {str(windowsPath)}).asBool());
    EXPECT_FALSE(get(fso_, u"FolderExists", {str(windowsPath)}).asBool());
    EXPECT_TRUE(get(fso_, u"FolderExists", {str(temp_.u16path() + u"\\DATA\\")}).asBool());
    EXPECT_FALSE(get(fso_, u"FileExists", {path("Data/none.txt")}).asBool());
    const Variant stream = get(fso_, u"OpenTextFile", {str(windowsPath)});
    Object& in = objectIn(stream);
    EXPECT_EQ(toString(get(in, u"ReadAll")), u"hello");
    // Writing to a differently cased name writes the existing file, as on Windows.
    get(objectIn(get(fso_, u"CreateTextFile", {str(windowsPath)})), u"Close");
    EXPECT_EQ(temp_.read("Data/Input.TXT"), "");
}

TEST_F(FileSystemObjectTest, RelativePathsStartFromTheCurrentDirectory) {
    temp_.write("here.txt", "x");
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(temp_.path());
    EXPECT_TRUE(get(fso_, u"FileExists", {str(u"HERE.txt")}).asBool());
    EXPECT_TRUE(get(fso_, u"FileExists", {str(u".\\here.txt")}).asBool());
    std::filesystem::current_path(previous);
}

TEST_F(FileSystemObjectTest, DeletesFilesOneOrByPattern) {
    temp_.write("a.txt", "");
    temp_.write("b.TXT", "");
    temp_.write("c.log", "");
    get(fso_, u"DeleteFile", {path("A.txt")});
    EXPECT_FALSE(temp_.exists("a.txt"));
    get(fso_, u"DeleteFile", {str(temp_.u16path() + u"\\*.txt")});
    EXPECT_FALSE(temp_.exists("b.TXT"));
    EXPECT_TRUE(temp_.exists("c.log"));
    EXPECT_EQ(errorOf([&] { get(fso_, u"DeleteFile", {path("*.txt")}); }), errors::kFileNotFound);
    EXPECT_EQ(errorOf([&] { get(fso_, u"DeleteFile", {path("gone.txt")}); }),
              errors::kFileNotFound);
    EXPECT_EQ(errorOf([&] { get(fso_, u"DeleteFile", {path("nowhere/*.txt")}); }),
              errors::kPathNotFound);
    EXPECT_EQ(errorOf([&] { get(fso_, u"DeleteFile", {path("nowhere/x.txt")}); }),
              errors::kPathNotFound);
}

TEST_F(FileSystemObjectTest, ReadOnlyFilesNeedForce) {
    const auto file = temp_.write("ro.txt", "");
    std::filesystem::permissions(file, std::filesystem::perms::owner_read);
    EXPECT_EQ(errorOf([&] { get(fso_, u"DeleteFile", {path("ro.txt")}); }),
              errors::kPermissionDenied);
    EXPECT_TRUE(temp_.exists("ro.txt"));
    get(fso_, u"DeleteFile", {path("ro.txt"), Variant::fromBool(true)});
    EXPECT_FALSE(temp_.exists("ro.txt"));
}

TEST_F(FileSystemObjectTest, CreatesAndDeletesFolders) {
    get(fso_, u"CreateFolder", {path("New")});
    EXPECT_TRUE(std::filesystem::is_directory(temp_.path() / "New"));
    EXPECT_EQ(errorOf([&] { get(fso_, u"CreateFolder", {path("new")}); }),
              errors::kFileAlreadyExists);
    EXPECT_EQ(errorOf([&] { get(fso_, u"CreateFolder", {path("a/b")}); }), errors::kPathNotFound);
    temp_.write("New/inner/file.txt", "x");
    get(fso_, u"DeleteFolder", {path("NEW")});
    EXPECT_FALSE(temp_.exists("New"));
    EXPECT_EQ(errorOf([&] { get(fso_, u"DeleteFolder", {path("New")}); }), errors::kPathNotFound);
}

TEST_F(FileSystemObjectTest, NameFunctionsAreMembers) {
    EXPECT_EQ(toString(get(fso_, u"GetFileName", {str(u"c:\\t\\a.txt")})), u"a.txt");
    EXPECT_EQ(toString(get(fso_, u"GetBaseName", {str(u"c:\\t\\a.txt")})), u"a");
    EXPECT_EQ(toString(get(fso_, u"GetExtensionName", {str(u"c:\\t\\a.txt")})), u"txt");
    EXPECT_EQ(toString(get(fso_, u"GetParentFolderName", {str(u"c:\\t\\a.txt")})), u"c:/t");
    EXPECT_EQ(toString(get(fso_, u"BuildPath", {str(u"t"), str(u"a.txt")})), u"t/a.txt");
    EXPECT_EQ(fso_.typeName(), u"FileSystemObject");
}

class Utf8FileSystemObjectTest : public FileSystemObjectTest {
  protected:
    Utf8FileSystemObjectTest() : FileSystemObjectTest(CodePage::kUtf8) {}
};

TEST_F(Utf8FileSystemObjectTest, ASurrogatePairSplitBetweenWritesStaysWhole) {
    Object& out = create("out.txt");
    const std::u16string smiley = u"😀";
    get(out, u"Write", {str(smiley.substr(0, 1))});
    get(out, u"Write", {str(smiley.substr(1))});
    get(out, u"Close");
    EXPECT_EQ(temp_.read("out.txt"), "\xF0\x9F\x98\x80");
    Object& in = open("out.txt", kForReading);
    EXPECT_EQ(toString(get(in, u"ReadAll")), smiley);
}

TEST(FileSystemObjectRegistry, CreatedWithTheHostsCodePage) {
    ObjectRegistry registry;
    registerStandardObjects(registry);
    HostContext context;
    context.codePage = CodePage::forNumber(866).value();
    const ObjectRef fso = registry.create(u"scripting.filesystemobject", context);
    ASSERT_TRUE(fso);
    lorvane::test::TempFolder temp;
    temp.write("dos.txt", "\x8F\xE0\xA8");  // "При" in code page 866
    const Variant stream = get(*fso, u"OpenTextFile", {str(temp.u16("dos.txt"))});
    Object& in = objectIn(stream);
    EXPECT_EQ(toString(get(in, u"ReadAll")), u"При");
}

}  // namespace
}  // namespace lorvane::vbs
