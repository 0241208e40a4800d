#include "startup/unpack/archive_unpacker.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "platform/file_lister.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "platform/text.h"
#include "recording_desktop.h"
#include "temp_folder.h"

namespace lorvane {
namespace {
namespace fs = std::filesystem;
using test::TempFolder;

// The file-selection window as unpacking sees it: only its lister matters.
class ListerWindow : public FileWindowPort {
  public:
    void Mut2(const std::u16string&, bool) override {}
    void clearList() override {}
    void addEntry(const std::u16string&, bool) override {}
    int patternCount() override { return 2; }
    void selectPattern(int) override {}
    void setPatternListVisible(bool) override {}
    bool patternListVisible() override { return true; }
    FileLister& lister() override { return lister_; }
    void show() override {}

  private:
    FileLister lister_;
};

std::u16string u16(const fs::path& path) {
    return fromFsPath(path);
}

bool haveProgram(const char16_t* name) {
    return isProgramAvailable(name);
}

// A program folder with its archive list, a documents folder and a desktop folder, and the
// context that unpacks a source into them.
class UnpackTest : public ::testing::Test {
  protected:
    void SetUp() override {
        programFolder = temp.makeFolder("program");
        docs = temp.makeFolder("docs");
        temp.makeFolder("desktop");
    }

    void writeArchiveList(std::string_view text) { temp.write("program/Arch.txt", text); }

    UnpackContext context(const fs::path& source) {
        return UnpackContext{u16(source),        u16(docs), temp.u16("desktop"),
                             u16(programFolder), nullptr,   desktop,
                             settings,           window,    limit};
    }

    std::u16string unpack(const fs::path& source) {
        return Unpack(archiveTypeOf(source), context(source));
    }

    // The type start-up hands over: what follows the name's last dot. std::filesystem gives a
    // name such as ".zip" no extension at all, yet start-up sees the type "zip" in it.
    static std::u16string archiveTypeOf(const fs::path& source) {
        const std::string name = source.filename().string();
        const std::size_t dot = name.rfind('.');
        return dot == std::string::npos ? u"" : fromUtf8(name.substr(dot + 1));
    }

    // An archive made with 7z from files laid out in a scratch folder; `files` are relative
    // names with their contents.
    fs::path makeArchive(const std::string& name, const std::string& format,
                         std::initializer_list<std::pair<std::string, std::string>> files) {
        const fs::path scratch = temp.makeFolder("scratch-" + std::to_string(++archives));
        std::vector<std::u16string> command{u"7z", u"a", u"-t" + fromUtf8(format)};
        const fs::path archive = temp.path() / "sources" / name;
        fs::create_directories(archive.parent_path());
        command.push_back(u16(archive));
        std::set<std::string> tops;
        for (const auto& [relative, bytes] : files) {
            temp.write("scratch-" + std::to_string(archives) + "/" + relative, bytes);
            tops.insert(relative.substr(0, relative.find('/')));
        }
        for (const auto& top : tops)
            command.push_back(u16(scratch / top));
        const auto outcome = runAndWait(command, std::chrono::seconds(60));
        EXPECT_TRUE(outcome.finished && outcome.exitCode == 0) << "7z could not make " << name;
        return archive;
    }

    // A shell script standing in for an archiver: it writes its arguments one a line into
    // args.log, waits `pause`, then puts a.txt into the folder given as its last argument
    // (a leading "-o" taken off).
    fs::path makeFakeArchiver(const std::string& name, std::string_view pause = "0",
                              bool producesFiles = true) {
        std::string script = "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > '" +
                             (temp.path() / "args.log").string() + "'\nsleep " +
                             std::string(pause) + "\n";
        if (producesFiles) {
            script +=
                "eval last=\\${$#}\nlast=${last#-o}\n"
                "mkdir -p \"$last\" && printf 'x' > \"$last/a.txt\"\n";
        } else {
            script += "exit 1\n";
        }
        const fs::path path = temp.write("bin/" + name, script);
        fs::permissions(path, fs::perms::owner_all);
        return path;
    }

    std::vector<std::u16string> loggedArguments() {
        std::vector<std::u16string> arguments;
        std::ifstream in(temp.path() / "args.log");
        for (std::string line; std::getline(in, line);)
            arguments.push_back(fromUtf8(line));
        return arguments;
    }

    std::u16string storedArchiver(const std::u16string& type) {
        return settings.get(kArchiverSection, type, u"<absent>");
    }

    TempFolder temp;
    fs::path programFolder, docs;
    test::RecordingDesktop desktop;
    MemorySettingsStore settings;
    ListerWindow window;
    std::chrono::milliseconds limit{60000};
    int archives = 0;
};

constexpr std::string_view kBundledStyleList =
    ".7z\r\n.arj\r\nzip -o %file% -d %path%\r\n7z x -y -o%path% %file%\r\n";

TEST_F(UnpackTest, UnzipsThroughTheTemplateAndRemembersTheArchiver) {
    if (!haveProgram(u"unzip") || !haveProgram(u"7z")) GTEST_SKIP() << "unzip and 7z needed";
    writeArchiveList(kBundledStyleList);
    const auto archive = makeArchive("book.zip", "zip", {{"a.txt", "alpha"}, {"b.txt", "beta"}});
    desktop.fileAnswers.push_back(u"unzip");

    const std::u16string folder = unpack(archive);

    EXPECT_EQ(folder, u16(docs / "Lorva" / "book"));
    EXPECT_EQ(test::readBytes(docs / "Lorva" / "book" / "b.txt"), "beta");
    EXPECT_FALSE(fs::exists(docs / "Lorva.zip"));  // the copy is removed after a success
    EXPECT_TRUE(fs::exists(archive));
    EXPECT_EQ(storedArchiver(u"zip"), u"unzip");
    ASSERT_EQ(desktop.choices.size(), 1u);
    EXPECT_EQ(desktop.choices[0].prompt, u"Укажите консольный zip-архиватор");
    // The template line is written for unzip, so unzip alone is offered.
    EXPECT_EQ(desktop.choices[0].caption, u"Архиватор unzip|unzip|Все файлы (*)|*");
    EXPECT_EQ(desktop.busyChanges, (std::vector<bool>{true, false}));
}

TEST_F(UnpackTest, ChooserOffersTheArchiverTheBundledListLineIsWrittenFor) {
    fs::copy_file(fs::path(LORVANE_BUNDLE_DIR) / "Arch.txt", programFolder / "Arch.txt");
    struct Case {
        const char* name;
        std::u16string offered;
    } cases[] = {
        {"book.tar", u"Архиватор tar|tar|Все файлы (*)|*"},
        {"book.tgz", u"Архиватор tar|tar|Все файлы (*)|*"},
        {"book.7z", u"Архиватор 7z|7z|Все файлы (*)|*"},
        {"book.zip", u"Архиватор unzip|unzip|Все файлы (*)|*"},
        {"book.rar", u"Архиватор unrar|unrar|Все файлы (*)|*"},
    };
    for (const auto& c : cases) {
        desktop.choices.clear();
        // The tgz line begins with "?": its command is offered for editing, and confirmed.
        if (std::string_view(c.name).ends_with(".tgz")) {
            desktop.inputAnswers.push_back(u"-xzf \"copy\" \"--one-top-level=folder\"");
        }
        const auto archive = temp.write(std::string("sources/") + c.name, "bytes");
        EXPECT_EQ(unpack(archive), u"") << c.name;  // the chooser is cancelled
        ASSERT_EQ(desktop.choices.size(), 1u) << c.name;
        EXPECT_EQ(desktop.choices[0].caption, c.offered) << c.name;
    }
}

TEST_F(UnpackTest, ChooserFallsBackToTheTypesArchiversForALineOfUnknownShape) {
    writeArchiveList("tar %file% %path%\r\n");
    const auto archive = temp.write("sources/book.tar", "bytes");
    EXPECT_EQ(unpack(archive), u"");
    ASSERT_EQ(desktop.choices.size(), 1u);
    EXPECT_EQ(desktop.choices[0].caption, u"Архиватор 7z|7z|Все файлы (*)|*");
}

TEST_F(UnpackTest, TheShippedArchiveListWorksWithTheRealArchivers) {
    struct Case {
        std::string name;
        std::string format;
        std::u16string archiver;
    } cases[] = {
        {"shipped zip.zip", "zip", u"unzip"},
        {"shipped 7z.7z", "7z", u"7z"},
        {"shipped tar.tar", "tar", u"tar"},
    };
    for (const auto* program : {u"unzip", u"7z", u"tar"}) {
        if (!haveProgram(program)) GTEST_SKIP() << toUtf8(program) << " needed";
    }
    fs::copy_file(fs::path(LORVANE_BUNDLE_DIR) / "Arch.txt", programFolder / "Arch.txt");
    for (const auto& c : cases) {
        const auto archive = makeArchive(c.name, c.format, {{"a.txt", c.format}});
        const std::u16string type = archiveTypeOf(archive);
        settings.save(kArchiverSection, type, c.archiver);
        const std::string base = c.name.substr(0, c.name.rfind('.'));
        EXPECT_EQ(unpack(archive), u16(docs / "Lorva" / base)) << c.name;
        EXPECT_EQ(test::readBytes(docs / "Lorva" / base / "a.txt"), c.format) << c.name;
        EXPECT_EQ(storedArchiver(type), c.archiver) << c.name;
    }
}

TEST_F(UnpackTest, SevenZipArchiveWithTheStoredArchiver) {
    if (!haveProgram(u"7z")) GTEST_SKIP() << "7z needed";
    writeArchiveList(kBundledStyleList);
    const auto archive = makeArchive("notes.7z", "7z", {{"n.txt", "note"}});
    settings.save(kArchiverSection, u"7z", u"7z");

    EXPECT_EQ(unpack(archive), u16(docs / "Lorva" / "notes"));
    EXPECT_EQ(test::readBytes(docs / "Lorva" / "notes" / "n.txt"), "note");
    EXPECT_TRUE(desktop.choices.empty());
}

TEST_F(UnpackTest, ContentsInAFolderNamedLikeTheArchiveAreFoundOneLevelDown) {
    if (!haveProgram(u"unzip") || !haveProgram(u"7z")) GTEST_SKIP() << "unzip and 7z needed";
    writeArchiveList(kBundledStyleList);
    const auto archive = makeArchive("book.zip", "zip", {{"book/a.txt", "alpha"}});
    settings.save(kArchiverSection, u"zip", u"unzip");

    EXPECT_EQ(unpack(archive), u16(docs / "Lorva" / "book" / "book"));
    EXPECT_EQ(window.lister().entries(), (std::vector<std::u16string>{u"a.txt"}));
}

TEST_F(UnpackTest, ShellCharactersInTheNameReachTheArchiverAsOneArgument) {
    if (!haveProgram(u"unzip") || !haveProgram(u"7z")) GTEST_SKIP() << "unzip and 7z needed";
    writeArchiveList(kBundledStyleList);
    const std::string name = "it's; $(touch pwned) `touch pwned2` \"q\" a b";
    const auto archive = makeArchive(name + ".zip", "zip", {{"a.txt", "alpha"}});
    settings.save(kArchiverSection, u"zip", u"unzip");

    EXPECT_EQ(unpack(archive), u16(docs / "Lorva" / name));
    EXPECT_EQ(test::readBytes(docs / "Lorva" / name / "a.txt"), "alpha");
    for (const auto& entry : fs::recursive_directory_iterator(temp.path())) {
        const std::string name = entry.path().filename().string();
        EXPECT_TRUE(name != "pwned" && name != "pwned2") << entry.path();
    }
    EXPECT_FALSE(fs::exists("pwned"));
    EXPECT_FALSE(fs::exists("pwned2"));
}

TEST_F(UnpackTest, QuestionTemplateIsOfferedForEditing) {
    if (!haveProgram(u"unzip") || !haveProgram(u"7z")) GTEST_SKIP() << "unzip and 7z needed";
    writeArchiveList("zip ?  -o %file% -d %path% \r\n");
    const auto archive = makeArchive("book.zip", "zip", {{"a.txt", "alpha"}});
    settings.save(kArchiverSection, u"zip", u"unzip");
    const std::u16string copy = u16(docs / "Lorva.zip");
    const std::u16string dir = u16(docs / "Lorva" / "book") + u"/";
    desktop.inputAnswers.push_back(u"  -o -q " + copy + u" -d " + dir + u"  ");

    EXPECT_EQ(unpack(archive), u16(docs / "Lorva" / "book"));
    ASSERT_EQ(desktop.inputs.size(), 1u);
    EXPECT_EQ(desktop.inputs[0].prompt, u"Введите команды и ключи архиватора");
    EXPECT_EQ(desktop.inputs[0].caption, u"Распаковка zip-архива");
    EXPECT_EQ(desktop.inputs[0].proposed, u"-o " + copy + u" -d " + dir);
}

TEST_F(UnpackTest, CancelledQuestionFallsBackToTheDefaultArguments) {
    const auto archiver = makeFakeArchiver("fake");
    writeArchiveList("zip ?-o %file% -d %path%\r\n");
    const auto archive = temp.write("sources/book.zip", "not really a zip");
    settings.save(kArchiverSection, u"zip", u16(archiver));

    EXPECT_EQ(unpack(archive), u16(docs / "Lorva" / "book"));
    EXPECT_EQ(desktop.inputs.size(), 1u);
    EXPECT_EQ(loggedArguments(),
              (std::vector<std::u16string>{u"-o", u16(docs / "Lorva.zip"), u"-d",
                                           u16(docs / "Lorva" / "book") + u"/"}));
}

TEST_F(UnpackTest, PathFolderInTheTemplateBecomesTheUnpackFolder) {
    const auto archiver = makeFakeArchiver("fake");
    const std::string out = (temp.path() / "out").string() + "/";
    std::string windowsStyle = out;
    std::replace(windowsStyle.begin(), windowsStyle.end(), '/', '\\');
    writeArchiveList("zip x %file% -o%path=" + windowsStyle + "% \r\n");
    const auto archive = temp.write("sources/book.zip", "zip bytes");
    settings.save(kArchiverSection, u"zip", u16(archiver));

    EXPECT_EQ(unpack(archive), u16(temp.path() / "out"));
    EXPECT_EQ(loggedArguments(),
              (std::vector<std::u16string>{u"x", u16(docs / "Lorva.zip"), u"-o" + fromUtf8(out)}));
}

TEST_F(UnpackTest, PathFolderWithoutTrailingSeparatorIsNeverFound) {
    const auto archiver = makeFakeArchiver("fake");
    writeArchiveList("zip x %file% %path=" + (temp.path() / "out").string() + "%\r\n");
    const auto archive = temp.write("sources/book.zip", "zip bytes");
    settings.save(kArchiverSection, u"zip", u16(archiver));

    EXPECT_EQ(unpack(archive), u"");
    EXPECT_TRUE(fs::exists(temp.path() / "out" / "a.txt"));  // the archiver did its work
    EXPECT_EQ(storedArchiver(u"zip"), u"");
}

TEST_F(UnpackTest, TypeAloneOnTheLastLineGetsTheDefaultArguments) {
    const auto archiver = makeFakeArchiver("fake");
    writeArchiveList("zip -o %file% -d %path%\r\narj");
    const auto archive = temp.write("sources/old.arj", "arj bytes");
    settings.save(kArchiverSection, u"arj", u16(archiver));

    EXPECT_EQ(unpack(archive), u16(docs / "Lorva" / "old"));
    EXPECT_EQ(loggedArguments(), (std::vector<std::u16string>{u16(docs / "Lorva.arj"),
                                                              u16(docs / "Lorva" / "old") + u"/"}));
    EXPECT_FALSE(fs::exists(docs / "Lorva.arj"));
}

TEST_F(UnpackTest, DefaultArgumentsPerType) {
    struct Case {
        std::string source;
        std::u16string type;
        std::vector<std::u16string> before;   // arguments before the copy
        std::vector<std::u16string> between;  // between the copy and the folder
    } cases[] = {
        {"z1.zip", u"zip", {u"-o"}, {u"-d"}},
        {"r1.rar", u"rar", {u"x", u"-o+"}, {}},
        {"z2.ZIP", u"ZIP", {}, {}},  // types compare exactly
    };
    const auto archiver = makeFakeArchiver("fake");
    for (const auto& c : cases) {
        const auto archive = temp.write("sources/" + c.source, "bytes");
        settings.save(kArchiverSection, c.type, u16(archiver));
        const std::string base = c.source.substr(0, 2);
        ASSERT_EQ(Unpack(c.type, context(archive)), u16(docs / "Lorva" / base)) << c.source;
        std::vector<std::u16string> expected = c.before;
        expected.push_back(u16(docs / ("Lorva." + toUtf8(c.type))));
        expected.insert(expected.end(), c.between.begin(), c.between.end());
        expected.push_back(u16(docs / "Lorva" / base) + u"/");
        EXPECT_EQ(loggedArguments(), expected) << c.source;
    }
}

TEST_F(UnpackTest, WaitsForASlowArchiver) {
    const auto archiver = makeFakeArchiver("slow", "1");
    const auto archive = temp.write("sources/book.zip", "zip bytes");
    settings.save(kArchiverSection, u"zip", u16(archiver));

    EXPECT_EQ(unpack(archive), u16(docs / "Lorva" / "book"));
    EXPECT_EQ(desktop.busyChanges, (std::vector<bool>{true, false}));
}

TEST_F(UnpackTest, ArchiverStillRunningAtTheLimitIsStoppedAndFails) {
    const auto archiver = makeFakeArchiver("stuck", "30");
    const auto archive = temp.write("sources/book.zip", "zip bytes");
    settings.save(kArchiverSection, u"zip", u16(archiver));
    limit = std::chrono::milliseconds(300);

    EXPECT_EQ(unpack(archive), u"");
    EXPECT_FALSE(fs::exists(docs / "Lorva" / "book"));
    EXPECT_EQ(storedArchiver(u"zip"), u"");
    EXPECT_EQ(desktop.busyChanges, (std::vector<bool>{true, false}));
}

TEST_F(UnpackTest, FailingArchiverIsForgotten) {
    const auto archiver = makeFakeArchiver("broken", "0", false);
    const auto archive = temp.write("sources/book.zip", "zip bytes");
    settings.save(kArchiverSection, u"zip", u16(archiver));

    EXPECT_EQ(unpack(archive), u"");
    EXPECT_EQ(storedArchiver(u"zip"), u"");
    EXPECT_TRUE(fs::exists(docs / "Lorva.zip"));  // the copy stays after a failure
}

TEST_F(UnpackTest, ArchiverThatCannotBeStartedIsForgotten) {
    const auto archive = temp.write("sources/book.zip", "zip bytes");
    settings.save(kArchiverSection, u"zip", temp.u16("bin/missing"));

    EXPECT_EQ(unpack(archive), u"");
    EXPECT_EQ(storedArchiver(u"zip"), u"");
}

TEST_F(UnpackTest, UpperCaseTypeGetsNoZipEntries) {
    const auto archive = temp.write("sources/book.ZIP", "zip bytes");
    EXPECT_EQ(unpack(archive), u"");
    ASSERT_EQ(desktop.choices.size(), 1u);
    EXPECT_EQ(desktop.choices[0].prompt, u"Укажите консольный ZIP-архиватор");
    EXPECT_EQ(desktop.choices[0].caption, u"Архиватор 7z|7z|Все файлы (*)|*");
}

TEST_F(UnpackTest, CancelledChooserStoresNothing) {
    const auto archive = temp.write("sources/book.zip", "zip bytes");

    EXPECT_EQ(unpack(archive), u"");
    EXPECT_EQ(storedArchiver(u"zip"), u"<absent>");
    EXPECT_TRUE(desktop.busyChanges.empty());
    ASSERT_EQ(desktop.choices.size(), 1u);
    EXPECT_EQ(desktop.choices[0].caption.find(u"Архиватор unzip|unzip|"), 0u);
}

TEST_F(UnpackTest, FilesOutsideTheWindowPatternCountAsNotUnpacked) {
    const auto archiver = makeFakeArchiver("fake");  // it unpacks a.txt only
    const auto archive = temp.write("sources/book.zip", "zip bytes");
    settings.save(kArchiverSection, u"zip", u16(archiver));
    window.lister().setPattern(u"*.htm");

    EXPECT_EQ(unpack(archive), u"");
    EXPECT_EQ(storedArchiver(u"zip"), u"");
}

TEST_F(UnpackTest, ArchiveThatIsTheCopyItselfIsKept) {
    const auto archiver = makeFakeArchiver("fake");
    const auto archive = temp.write("docs/Lorva.zip", "the user's own archive");
    settings.save(kArchiverSection, u"zip", u16(archiver));

    EXPECT_EQ(unpack(archive), u16(docs / "Lorva" / "Lorva"));
    EXPECT_EQ(test::readBytes(archive), "the user's own archive");
}

TEST_F(UnpackTest, NamesThatLeaveTheUnpackFolderAreRefused) {
    const auto archiver = makeFakeArchiver("fake");
    settings.save(kArchiverSection, u"zip", u16(archiver));
    for (const std::string name : {"...zip", "..zip", ".zip"}) {
        const auto archive = temp.write("sources/" + name, "bytes");
        EXPECT_EQ(unpack(archive), u"") << name;
    }
    EXPECT_FALSE(fs::exists(temp.path() / "args.log"));  // the archiver never ran
    EXPECT_FALSE(fs::exists(docs / "a.txt"));
}

TEST_F(UnpackTest, UnreadableSourceFailsBeforeAnythingRuns) {
    const auto archiver = makeFakeArchiver("fake");
    settings.save(kArchiverSection, u"zip", u16(archiver));

    EXPECT_EQ(unpack(temp.path() / "sources" / "missing.zip"), u"");
    EXPECT_FALSE(fs::exists(temp.path() / "args.log"));
    EXPECT_EQ(storedArchiver(u"zip"), u16(archiver));
}

}  // namespace
}  // namespace lorvane
