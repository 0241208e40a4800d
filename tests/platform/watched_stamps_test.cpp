// Stamps kept while the system reports no change: every way a table or its folder can change
// between two looks must give the stamp a fresh look gives.
#include "platform/watched_stamps.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <time.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "platform/paths.h"
#include "temp_folder.h"

namespace lorvane {
namespace {

namespace fs = std::filesystem;

void writeFile(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// A modification time of its own, as an editor saving a second later would leave.
void setModified(const fs::path& path, long seconds) {
    struct timespec times[2] = {{seconds, 0}, {seconds, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

struct Change {
    const char* what;
    bool folder;       // the stamp looked at is the folder's ("t"), else the file's ("t/x.txt")
    bool throughLink;  // looked at through a symbolic link to "t"
    std::function<void(const fs::path& root)> make;
};

TEST(WatchedStamps, EveryChangeBetweenTwoLooksIsSeen) {
    const Change changes[] = {
        {"content, same size", false, false,
         [](const fs::path& r) {
             writeFile(r / "t/x.txt", "XYZ");
             setModified(r / "t/x.txt", 2000);
         }},
        {"content, new size", false, false,
         [](const fs::path& r) { writeFile(r / "t/x.txt", "a"); }},
        {"only the time", false, false,
         [](const fs::path& r) { setModified(r / "t/x.txt", 3000); }},
        {"replaced by a rename", false, false,
         [](const fs::path& r) {
             writeFile(r / "t/new.txt", "abc");
             setModified(r / "t/new.txt", 1000);
             fs::rename(r / "t/new.txt", r / "t/x.txt");
         }},
        {"removed", false, false, [](const fs::path& r) { fs::remove(r / "t/x.txt"); }},
        {"written through a hard link elsewhere", false, false,
         [](const fs::path& r) { writeFile(r / "elsewhere/x-link.txt", "longer text"); }},
        {"its folder renamed and another put in its place", false, false,
         [](const fs::path& r) {
             fs::rename(r / "t", r / "t-old");
             fs::create_directory(r / "t");
             writeFile(r / "t/x.txt", "abc");
             setModified(r / "t/x.txt", 1000);
         }},
        {"a folder on the way renamed and another put in its place", false, false,
         [](const fs::path& r) {
             fs::rename(r, r.string() + "-old");
             fs::create_directories(r / "t");
             writeFile(r / "t/x.txt", "other");
         }},
        {"a file added to the folder", true, false,
         [](const fs::path& r) { writeFile(r / "t/added.txt", ""); }},
        {"the folder's time", true, false, [](const fs::path& r) { setModified(r / "t", 4000); }},
        {"the folder removed", true, false, [](const fs::path& r) { fs::remove_all(r / "t"); }},
        {"content, looked at through a link", false, true,
         [](const fs::path& r) { writeFile(r / "t/x.txt", "linked"); }},
        {"the folder the link points to replaced", false, true,
         [](const fs::path& r) {
             fs::rename(r / "t", r / "t-gone");
             fs::create_directory(r / "t");
             writeFile(r / "t/x.txt", "replaced");
         }},
        {"the link pointed elsewhere", false, true,
         [](const fs::path& r) {
             fs::create_directory(r / "t2");
             writeFile(r / "t2/x.txt", "second");
             fs::remove(r / "link");
             fs::create_directory_symlink(r / "t2", r / "link");
         }},
    };
    for (const Change& change : changes) {
        test::TempFolder temp;
        const fs::path root = temp.path() / "root";
        fs::create_directories(root / "t");
        fs::create_directories(root / "elsewhere");
        writeFile(root / "t/x.txt", "abc");
        setModified(root / "t/x.txt", 1000);
        fs::create_hard_link(root / "t/x.txt", root / "elsewhere/x-link.txt");
        fs::create_directory_symlink(root / "t", root / "link");
        const fs::path looked =
            (change.throughLink ? root / "link" : root / "t") / (change.folder ? "" : "x.txt");
        const std::u16string path = withoutTrailingSeparator(fromFsPath(looked));
        auto lookAt = [&](WatchedStamps& stamps) {
            return change.folder ? stamps.folderStampOf(path) : stamps.stampOf(path);
        };
        auto fresh = [&] { return change.folder ? folderStampOf(path) : stampOf(path); };

        WatchedStamps stamps;
        const auto before = lookAt(stamps);
        ASSERT_TRUE(before.has_value()) << change.what;
        EXPECT_EQ(lookAt(stamps), before) << change.what;  // nothing changed: the same
        change.make(root);
        ASSERT_NE(fresh(), before) << change.what << ": the change must show in a fresh look";
        EXPECT_EQ(lookAt(stamps), fresh()) << change.what;
        EXPECT_EQ(lookAt(stamps), fresh()) << change.what << ", looked at again";
        if (fs::exists(root.string() + "-old")) fs::remove_all(root.string() + "-old");
    }
}

// The file systems whose changes the system reports, as the stamps take them.
bool watchedFileSystem(const fs::path& folder) {
    struct statfs info {};
    if (::statfs(folder.c_str(), &info) != 0) return false;
    const unsigned long type = static_cast<unsigned long>(info.f_type);
    return type == 0xEF53UL || type == 0x01021994UL || type == 0x9123683EUL ||
           type == 0x58465342UL || type == 0xF2F52010UL;
}

// A round sees one state of the files: a change in it shows from the next round on.
TEST(WatchedStamps, ARoundSeesOneStateOfTheFiles) {
    test::TempFolder temp;
    temp.write("t/x.txt", "abc");
    setModified(temp.path() / "t/x.txt", 1000);
    const std::u16string path = temp.u16("t/x.txt");
    WatchedStamps stamps;
    stamps.openRound();
    const auto before = stamps.stampOf(path);
    temp.write("t/x.txt", "changed");
    if (!watchedFileSystem(temp.path())) {
        GTEST_SKIP() << "the temporary folder's file system is looked at every time";
    }
    EXPECT_EQ(stamps.stampOf(path), before);
    stamps.closeRound();
    EXPECT_EQ(stamps.stampOf(path), stampOf(path));
    EXPECT_NE(stamps.stampOf(path), before);
    stamps.openRound();
    temp.write("t/x.txt", "changed again");
    EXPECT_EQ(stamps.stampOf(path), stampOf(path)) << "the first look of a round takes changes in";
}

TEST(WatchedStamps, PathsThatNameNothingOrTheWrongKind) {
    test::TempFolder temp;
    temp.write("t/x.txt", "abc");
    WatchedStamps stamps;
    EXPECT_FALSE(stamps.stampOf(temp.u16("t/none.txt")));
    EXPECT_FALSE(stamps.stampOf(temp.u16("t")));
    EXPECT_FALSE(stamps.folderStampOf(temp.u16("t/x.txt")));
    EXPECT_FALSE(stamps.stampOf(u""));
    EXPECT_EQ(stamps.stampOf(temp.u16("t/../t/x.txt")), stampOf(temp.u16("t/x.txt")));
    temp.write("t/none.txt", "now");
    EXPECT_TRUE(stamps.stampOf(temp.u16("t/none.txt")));
}

}  // namespace
}  // namespace lorvane
