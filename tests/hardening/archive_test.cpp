// Hostile archives: one that unpacks into thousands of files, one whose entries climb out of
// the unpack folder ("../", absolute names), and ones that smuggle in symbolic links to other
// folders. Lorvane must convert only inside its unpack folder, writing nothing elsewhere.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "pipeline/conversion_session.h"
#include "platform/file_lister.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "recording_desktop.h"
#include "settings/settings_store.h"
#include "startup/unpack/archive_unpacker.h"
#include "temp_folder.h"
#include "zip_writer.h"

namespace lorvane::test {
namespace {

namespace fs = std::filesystem;

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

class HostileArchives : public ::testing::Test {
  protected:
    HostileArchives() {
        temp.write("program/@m/plain.txt", "a == b\r\n");
        temp.write("program/Arch.txt", "zip -o %file% -d %path%\r\n");
        temp.makeFolder("docs");
        temp.makeFolder("desktop");
        temp.write("outside/victim.txt", "a\r\n");
        settings.save(kArchiverSection, u"zip", u"unzip");
    }
    void SetUp() override {
        if (!isProgramAvailable(u"unzip")) GTEST_SKIP() << "unzip needed";
    }

    std::u16string unpack(const fs::path& archive) {
        return Unpack(u"zip",
                      UnpackContext{fromFsPath(archive), temp.u16("docs"), temp.u16("desktop"),
                                    temp.u16("program"), nullptr, desktop, settings, window});
    }

    // Converts every file of the folder, as start-up does with an unpacked archive.
    RunOutcome convertFolder(const std::u16string& folder) {
        ConversionSession session{
            SessionConfig{temp.u16("program"), 1251, temp.u16("docs"), &desktop}};
        SelectionModel& selection = session.selection();
        selection.buildModeList();
        selection.selectMode(selection.findMode(u"m"));
        selection.selectTable(selection.findTable(u"plain"));
        FileLister lister;
        RunRequest request;
        request.scope = 3;
        request.openResult = false;
        if (lister.setFolder(folder)) {
            for (const auto& entry : lister.entries())
                request.picked.push_back(folder + u"/" + entry);
        }
        return session.Rewrite(request);
    }

    std::set<std::string> filesUnder(const fs::path& root) const {
        std::set<std::string> files;
        for (auto it = fs::recursive_directory_iterator(root);
             it != fs::recursive_directory_iterator(); ++it) {
            if (!it->is_directory()) files.insert(fs::relative(it->path(), temp.path()));
        }
        return files;
    }

    TempFolder temp;
    RecordingDesktop desktop;
    MemorySettingsStore settings;
    ListerWindow window;
};

TEST_F(HostileArchives, ThousandsOfFilesAreConvertedInsideTheUnpackFolder) {
    std::vector<ZipEntry> entries;
    for (int i = 0; i < 3000; ++i)
        entries.push_back({"f" + std::to_string(i) + ".txt", "a\r\n"});
    writeZip(temp.path() / "many.zip", entries);
    const std::u16string folder = unpack(temp.path() / "many.zip");
    ASSERT_EQ(folder, temp.u16("docs/Lorva/many"));
    const RunOutcome outcome = convertFolder(folder);
    ASSERT_FALSE(outcome.failure) << outcome.failure->message();
    // f1.txt's result is named f11.txt, another file of the archive: that file is kept as
    // f11.txt~ and, replaced, not converted itself.
    EXPECT_EQ(outcome.written.size() + outcome.skipped.size(), 3000u);
    EXPECT_EQ(outcome.backups.size(), outcome.skipped.size());
    EXPECT_EQ(temp.read("docs/Lorva/many/f11.txt~"), "a\r\n");
    EXPECT_EQ(temp.read("docs/Lorva/many/f2999"
                        "1.txt"),
              "b\r\n\r\n");
    EXPECT_EQ(filesUnder(temp.path() / "outside"), std::set<std::string>{"outside/victim.txt"});
}

TEST_F(HostileArchives, EntriesThatClimbOutStayInsideOrAreLeftOut) {
    const std::string absolute = (temp.path() / "outside" / "absolute.txt").string();
    writeZip(temp.path() / "climb.zip",
             {{"../../../outside/climbed.txt", "a\r\n"}, {absolute, "a\r\n"}, {"ok.txt", "a\r\n"}});
    const std::u16string folder = unpack(temp.path() / "climb.zip");
    ASSERT_EQ(folder, temp.u16("docs/Lorva/climb"));
    const RunOutcome outcome = convertFolder(folder);
    ASSERT_FALSE(outcome.failure) << outcome.failure->message();
    EXPECT_EQ(filesUnder(temp.path() / "outside"), std::set<std::string>{"outside/victim.txt"});
    for (const std::u16string& written : outcome.written) {
        EXPECT_EQ(written.rfind(folder + u"/", 0), 0u) << toFsPath(written);
    }
}

// The unpack folder holds only a link named like the archive: looking one level down for the
// archive's folder must not follow it out.
TEST_F(HostileArchives, ALinkedFolderNamedLikeTheArchiveIsNotFollowedOut) {
    writeZip(temp.path() / "book.zip",
             {{"book", (temp.path() / "outside").string(), /*symlink=*/true}});
    const std::u16string folder = unpack(temp.path() / "book.zip");
    EXPECT_EQ(folder, u"");
    const RunOutcome outcome = convertFolder(folder);
    EXPECT_EQ(filesUnder(temp.path() / "outside"), std::set<std::string>{"outside/victim.txt"});
    EXPECT_EQ(temp.read("outside/victim.txt"), "a\r\n");
}

// A linked file is converted like the file it names, but its result is written beside the link,
// inside the unpack folder.
TEST_F(HostileArchives, ALinkedFileGetsItsResultInsideTheUnpackFolder) {
    writeZip(temp.path() / "linked.zip",
             {{"victim1.txt", (temp.path() / "outside" / "victim1.txt").string(), true},
              {"v.txt", (temp.path() / "outside" / "victim.txt").string(), true}});
    const std::u16string folder = unpack(temp.path() / "linked.zip");
    ASSERT_EQ(folder, temp.u16("docs/Lorva/linked"));
    const RunOutcome outcome = convertFolder(folder);
    ASSERT_FALSE(outcome.failure) << outcome.failure->message();
    EXPECT_EQ(temp.read("docs/Lorva/linked/v1.txt"), "b\r\n\r\n");
    EXPECT_EQ(filesUnder(temp.path() / "outside"), std::set<std::string>{"outside/victim.txt"});
    EXPECT_EQ(temp.read("outside/victim.txt"), "a\r\n");
}

// The archive's name reaches the archiver only inside the unpack folder's path, as one argument:
// no quote, space or "$(...)" in it can add an argument or run a command.
TEST_F(HostileArchives, AnArchiveNameCannotChangeTheArchiversArguments) {
    const fs::path log = temp.path() / "arguments.log";
    const fs::path archiver = temp.write(
        "bin/archiver",
        "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > '" + log.string() + "'\n");
    fs::permissions(archiver, fs::perms::owner_all);
    settings.save(kArchiverSection, u"zip", fromFsPath(archiver));
    const std::string name = "x\" -d \"tmp $(touch PWNED-A) `touch PWNED-B`;touch PWNED-C.zip";
    writeZip(temp.path() / name, {{"a.txt", "a\r\n"}});
    EXPECT_EQ(unpack(temp.path() / name), u"");  // the stand-in unpacks nothing
    const std::string base = name.substr(0, name.size() - 4);
    EXPECT_EQ(readBytes(log), "-o\n" + (temp.path() / "docs/Lorva.zip").string() + "\n-d\n" +
                                  (temp.path() / "docs/Lorva" / base).string() + "/\n");
    for (const char* pwned : {"PWNED-A", "PWNED-B", "PWNED-C"}) {
        EXPECT_FALSE(fs::exists(pwned));
        EXPECT_FALSE(fs::exists(temp.path() / pwned));
    }
}

}  // namespace
}  // namespace lorvane::test
