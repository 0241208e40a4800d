// `cmake --install` of this build into a scratch prefix: the self-contained program folder, the
// command links, the man pages and, with the desktop program, its entry and icons.
#include <gtest/gtest.h>

#include "external_tool.h"
#include "installed_tree.h"
#include "temp_folder.h"

namespace lorvane::test {
namespace {

namespace fs = std::filesystem;

class InstallTree : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        prefix_ = new TempFolder;
        const std::vector<std::string> arguments{"--install", buildFacts().buildDir.string(),
                                                 "--prefix", prefix_->path().string()};
        const ProgramRun run = runProgram(LORVANE_CMAKE_COMMAND, arguments);
        installLog_ = describeRun(LORVANE_CMAKE_COMMAND, arguments, run);
        installed_ = run.exitCode == 0;
    }
    static void TearDownTestSuite() {
        delete prefix_;
        prefix_ = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(installed_) << installLog_; }
    static fs::path prefix() { return prefix_->path(); }

  private:
    static inline TempFolder* prefix_ = nullptr;
    static inline bool installed_ = false;
    static inline std::string installLog_;
};

TEST_F(InstallTree, ProgramFolderHoldsTheExecutablesAndEveryBundledFile) {
    expectProgramFolder(prefix());
}

TEST_F(InstallTree, CommandsAreRelativeLinksIntoTheProgramFolder) {
    expectCommandLinks(prefix());
}

TEST_F(InstallTree, CliFindsItsProgramFolderThroughTheLink) {
    expectCliRunsThroughItsLink(prefix());
}

TEST_F(InstallTree, EachProgramHasItsManPage) {
    for (const std::string& program : buildFacts().programs) {
        const fs::path page = prefix() / "share/man/man1" / (program + ".1.gz");
        EXPECT_TRUE(fs::is_regular_file(page)) << page;
    }
}

TEST_F(InstallTree, DesktopProgramBringsItsEntryAndIcons) {
    if (!buildFacts().hasProgram("lorvane")) {
        GTEST_SKIP() << "this build has no desktop program (LORVANE_BUILD_GUI=OFF or not built)";
    }
    EXPECT_TRUE(fs::is_regular_file(prefix() / "share/applications/lorvane.desktop"));
    for (const char* size : {"16x16", "32x32", "48x48", "64x64", "128x128", "256x256"}) {
        EXPECT_TRUE(
            fs::is_regular_file(prefix() / "share/icons/hicolor" / size / "apps/lorvane.png"))
            << size;
    }
    EXPECT_TRUE(fs::is_regular_file(prefix() / "share/icons/hicolor/scalable/apps/lorvane.svg"));
}

TEST_F(InstallTree, NothingLandsOutsideThePrefixFolders) {
    for (const auto& entry : fs::directory_iterator(prefix())) {
        const std::string name = entry.path().filename().string();
        EXPECT_TRUE(name == "bin" || name == "lib" || name == "share") << name;
    }
    for (const auto& entry : fs::directory_iterator(prefix() / "lib"))
        EXPECT_EQ(entry.path().filename(), "lorvane");
}

}  // namespace
}  // namespace lorvane::test
