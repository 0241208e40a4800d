// The Debian package built by CPack from this build: its control fields and dependencies, its
// contents, the programs run from an extracted root, and installing and removing it with dpkg
// in a scratch root (the machine's own package database is never touched).
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <fstream>
#include <map>
#include <set>

#include "external_tool.h"
#include "installed_tree.h"
#include "temp_folder.h"

namespace lorvane::test {
namespace {

namespace fs = std::filesystem;

// Parallel test processes share one build folder: CPack builds the "preinstall" target in it,
// so one package build runs at a time.
class BuildFolderLock {
  public:
    BuildFolderLock()
        : fd_(::open((buildFacts().buildDir / "tests/package-build.lock").c_str(), O_CREAT | O_RDWR,
                     0644)) {
        if (fd_ >= 0) ::flock(fd_, LOCK_EX);
    }
    ~BuildFolderLock() {
        if (fd_ >= 0) ::close(fd_);
    }
    BuildFolderLock(const BuildFolderLock&) = delete;
    BuildFolderLock& operator=(const BuildFolderLock&) = delete;

  private:
    int fd_;
};

class DebianPackage : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        dpkgDeb_ = findOnPath("dpkg-deb");
        if (!dpkgDeb_) return;
        workspace_ = new TempFolder;
        const std::vector<std::string> arguments{
            "-G",       "DEB",
            "--config", (buildFacts().buildDir / "CPackConfig.cmake").string(),
            "-B",       (workspace_->path() / "out").string()};
        BuildFolderLock lock;
        const ProgramRun run = runProgram(LORVANE_CPACK_COMMAND, arguments);
        log_ = describeRun(LORVANE_CPACK_COMMAND, arguments, run);
        const fs::path deb = workspace_->path() / "out" /
                             ("lorvane_" + buildFacts().version + "_" + architecture() + ".deb");
        if (run.exitCode == 0 && fs::is_regular_file(deb)) deb_ = deb;
    }
    static void TearDownTestSuite() {
        delete workspace_;
        workspace_ = nullptr;
    }
    void SetUp() override {
        if (!dpkgDeb_) GTEST_SKIP() << missingTool("dpkg-deb", "dpkg");
        ASSERT_FALSE(deb_.empty()) << "the package was not built:\n" << log_;
    }

    static std::string architecture() {
        const ProgramRun run = runProgram("/usr/bin/dpkg", {"--print-architecture"});
        return run.exitCode == 0 ? splitLines(run.out).front() : "unknown";
    }
    static ProgramRun dpkgDeb(std::vector<std::string> arguments) {
        arguments.push_back(deb_.string());
        return runProgram(*dpkgDeb_, arguments);
    }
    static const fs::path& deb() { return deb_; }
    static const fs::path& workspace() { return workspace_->path(); }

  private:
    static inline std::optional<fs::path> dpkgDeb_;
    static inline TempFolder* workspace_ = nullptr;
    static inline fs::path deb_;
    static inline std::string log_;
};

// The " Key: value" lines of `dpkg-deb --info`.
std::map<std::string, std::string> controlFields(const std::string& info) {
    std::map<std::string, std::string> fields;
    for (const std::string& line : splitLines(info)) {
        if (line.size() < 2 || line[0] != ' ' || line[1] == ' ') continue;
        const std::size_t colon = line.find(": ");
        if (colon != std::string::npos) fields[line.substr(1, colon - 1)] = line.substr(colon + 2);
    }
    return fields;
}

// Package names of a Depends field, alternatives included, without version constraints.
std::vector<std::string> dependencyNames(const std::string& depends) {
    std::vector<std::string> names;
    std::string name;
    bool inVersion = false;
    for (const char c : depends + ",") {
        if (c == '(') inVersion = true;
        if (c == ')') inVersion = false;
        if (inVersion || c == ')') continue;
        if (c == ',' || c == '|' || c == ' ') {
            if (!name.empty()) names.push_back(name);
            name.clear();
        } else {
            name += c;
        }
    }
    return names;
}

struct ContentEntry {
    std::string mode;  // as ls shows it, "-rw-r--r--"
    std::string owner;
    std::string linkTarget;
};

// The lines of `dpkg-deb --contents`: mode, owner, size, date, time, path [-> target].
std::map<std::string, ContentEntry> contentEntries(const std::string& contents) {
    std::map<std::string, ContentEntry> entries;
    for (const std::string& line : splitLines(contents)) {
        std::size_t at = 0;
        std::vector<std::string> fields;
        while (fields.size() < 5 && at < line.size()) {
            const std::size_t end = line.find(' ', at);
            fields.push_back(line.substr(at, end - at));
            at = line.find_first_not_of(' ', end);
        }
        if (fields.size() < 5 || at == std::string::npos) continue;
        std::string path = line.substr(at);
        ContentEntry entry{fields[0], fields[1], ""};
        if (const std::size_t arrow = path.find(" -> "); arrow != std::string::npos) {
            entry.linkTarget = path.substr(arrow + 4);
            path.resize(arrow);
        }
        entries[path] = entry;
    }
    return entries;
}

bool installedHere(const std::string& package) {
    const ProgramRun run = runProgram("/usr/bin/dpkg-query", {"-W", "-f=${Status}", package});
    return run.exitCode == 0 && run.out == "install ok installed";
}

TEST_F(DebianPackage, ControlFieldsNameThePackageAndItsRuntimeLibraries) {
    const ProgramRun info = dpkgDeb({"--info"});
    ASSERT_EQ(info.exitCode, 0) << info.err;
    auto fields = controlFields(info.out);
    EXPECT_EQ(fields["Package"], "lorvane");
    EXPECT_EQ(fields["Version"], buildFacts().version);
    EXPECT_EQ(fields["Architecture"], architecture());
    EXPECT_FALSE(fields["Maintainer"].empty());
    EXPECT_FALSE(fields["Description"].empty());

    const std::vector<std::string> names = dependencyNames(fields["Depends"]);
    const std::set<std::string> declared(names.begin(), names.end());
    std::vector<std::string> required{"libicu" LORVANE_ICU_MAJOR, "libstdc++6", "libc6"};
    if (buildFacts().hasProgram("lorvane")) {
        required.insert(required.end(),
                        {"libqt6core6", "libqt6gui6", "libqt6widgets6", "qt6-qpa-plugins"});
    }
    for (const std::string& name : required)
        EXPECT_TRUE(declared.count(name)) << name << " missing from Depends: " << fields["Depends"];
    // The programs run here, so every library package they depend on is installed here.
    for (const std::string& name : names)
        EXPECT_TRUE(installedHere(name)) << name << " is not an installed package";
}

TEST_F(DebianPackage, ContentsHoldTheProgramFolderTheLinksAndTheManPages) {
    const ProgramRun listed = dpkgDeb({"--contents"});
    ASSERT_EQ(listed.exitCode, 0) << listed.err;
    const auto entries = contentEntries(listed.out);
    ASSERT_FALSE(entries.empty()) << listed.out;
    auto expectEntry = [&](const std::string& path, const std::string& mode,
                           const std::string& target = {}) {
        const auto found = entries.find(path);
        ASSERT_NE(found, entries.end()) << path << " is not in the package";
        EXPECT_EQ(found->second.mode, mode) << path;
        EXPECT_EQ(found->second.linkTarget, target) << path;
    };
    for (const std::string& file : bundledFiles())
        expectEntry("./usr/lib/lorvane/" + file, "-rw-r--r--");
    for (const std::string& program : buildFacts().programs) {
        expectEntry("./usr/lib/lorvane/" + program, "-rwxr-xr-x");
        expectEntry("./usr/bin/" + program, "lrwxrwxrwx", "../lib/lorvane/" + program);
        expectEntry("./usr/share/man/man1/" + program + ".1.gz", "-rw-r--r--");
    }
    if (buildFacts().hasProgram("lorvane")) {
        expectEntry("./usr/share/applications/lorvane.desktop", "-rw-r--r--");
        expectEntry("./usr/share/icons/hicolor/48x48/apps/lorvane.png", "-rw-r--r--");
        expectEntry("./usr/share/icons/hicolor/scalable/apps/lorvane.svg", "-rw-r--r--");
    }
    for (const auto& [path, entry] : entries) {
        EXPECT_EQ(path.rfind("./usr/", 0), 0u) << path;
        EXPECT_EQ(entry.owner, "root/root") << path;
    }
}

TEST_F(DebianPackage, ExtractedPackageRunsThroughTheCommandLink) {
    const fs::path root = workspace() / "root";
    const ProgramRun extracted = runProgram("/usr/bin/dpkg", {"-x", deb().string(), root.string()});
    ASSERT_EQ(extracted.exitCode, 0) << extracted.err;
    expectProgramFolder(root / "usr");
    expectCommandLinks(root / "usr");
    expectCliRunsThroughItsLink(root / "usr");
}

TEST_F(DebianPackage, InstallsAndRemovesCleanlyInAScratchRoot) {
    const fs::path root = workspace() / "dpkg-root";
    const fs::path admin = root / "var/lib/dpkg";
    for (const char* folder : {"info", "updates", "triggers"})
        fs::create_directories(admin / folder);
    for (const char* file : {"status", "available"})
        std::ofstream(admin / file).flush();

    const std::vector<std::string> dpkgRoot{"--root=" + root.string(), "--log=/dev/null"};
    auto dpkg = [&](std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), dpkgRoot.begin(), dpkgRoot.end());
        return runProgram("/usr/bin/dpkg", arguments);
    };
    // The scratch root has none of the libraries, so only the dependency check is waived.
    const ProgramRun installed = dpkg({"--force-depends", "--install", deb().string()});
    ASSERT_EQ(installed.exitCode, 0) << installed.out << installed.err;
    const ProgramRun status =
        runProgram("/usr/bin/dpkg-query",
                   {"--admindir=" + admin.string(), "-W", "-f=${Status} ${Version}", "lorvane"});
    EXPECT_EQ(status.out, "install ok installed " + buildFacts().version) << status.err;
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(root / "usr/bin/lorvane-cli")));
    EXPECT_TRUE(fs::is_regular_file(root / "usr/lib/lorvane/Help2.htm"));

    const ProgramRun purged = dpkg({"--purge", "lorvane"});
    ASSERT_EQ(purged.exitCode, 0) << purged.out << purged.err;
    std::string leftOver;
    for (const auto& entry : fs::directory_iterator(root))
        if (entry.path().filename() != "var") leftOver += entry.path().string() + "\n";
    EXPECT_EQ(leftOver, "") << "these remain after purging";
    const ProgramRun gone =
        runProgram("/usr/bin/dpkg-query", {"--admindir=" + admin.string(), "-W", "lorvane"});
    EXPECT_NE(gone.exitCode, 0) << "the package database still knows lorvane: " << gone.out;
}

}  // namespace
}  // namespace lorvane::test
