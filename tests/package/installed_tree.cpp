#include "installed_tree.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <sstream>

#include "external_tool.h"
#include "temp_folder.h"

namespace lorvane::test {
namespace fs = std::filesystem;

namespace {

std::vector<std::string> splitList(const std::string& list) {
    std::vector<std::string> items;
    std::istringstream in(list);
    std::string item;
    while (std::getline(in, item, ','))
        if (!item.empty()) items.push_back(item);
    return items;
}

const char* const kSampleTable = "Церковный-RTF";

// Converts a fresh copy of the bundled psalm in `folder`; returns the bytes of the result.
std::string convertSample(const fs::path& cli, std::vector<std::string> homeArguments,
                          const fs::path& folder) {
    fs::create_directories(folder);
    const fs::path source = folder / "psalm22.txt";
    fs::copy_file(buildFacts().sourceDir / "bundle/samples/psalm22.txt", source,
                  fs::copy_options::overwrite_existing);
    std::vector<std::string> arguments = std::move(homeArguments);
    arguments.insert(arguments.end(), {"--mode", "hip", "--table", kSampleTable, source.string()});
    const ProgramRun run = runIsolated(cli, arguments);
    EXPECT_EQ(run.exitCode, 0) << describeRun(cli, arguments, run);
    EXPECT_EQ(run.out, (folder / "psalm22.rtf").string() + "\n")
        << describeRun(cli, arguments, run);
    return readBytes(folder / "psalm22.rtf");
}

std::string referenceList() {
    const fs::path cli = buildFacts().binDir / "lorvane-cli";
    const ProgramRun run = runIsolated(cli, {"--home", buildFacts().binDir.string(), "--list"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    return run.out;
}

}  // namespace

bool BuildFacts::hasProgram(const std::string& name) const {
    return std::find(programs.begin(), programs.end(), name) != programs.end();
}

const BuildFacts& buildFacts() {
    static const BuildFacts facts{LORVANE_SOURCE_DIR, LORVANE_BUILD_DIR, LORVANE_BUILD_BIN_DIR,
                                  splitList(LORVANE_PROGRAMS), LORVANE_VERSION};
    return facts;
}

std::vector<std::string> bundledFiles() {
    const fs::path bundle = buildFacts().sourceDir / "bundle";
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(bundle)) {
        if (entry.is_regular_file())
            files.push_back(entry.path().lexically_relative(bundle).generic_string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

void expectProgramFolder(const fs::path& prefix) {
    const fs::path folder = prefix / "lib/lorvane";
    const fs::path bundle = buildFacts().sourceDir / "bundle";
    const std::vector<std::string> files = bundledFiles();
    ASSERT_FALSE(files.empty());
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        ASSERT_TRUE(fs::is_regular_file(folder / file)) << "missing from " << folder;
        EXPECT_TRUE(readBytes(folder / file) == readBytes(bundle / file)) << "bytes differ";
    }
    for (const std::string& program : buildFacts().programs) {
        SCOPED_TRACE(program);
        EXPECT_TRUE(fs::is_regular_file(folder / program));
        EXPECT_EQ(::access((folder / program).c_str(), X_OK), 0) << "not executable";
    }
}

void expectCommandLinks(const fs::path& prefix) {
    for (const std::string& program : buildFacts().programs) {
        SCOPED_TRACE(program);
        const fs::path link = prefix / "bin" / program;
        ASSERT_TRUE(fs::is_symlink(fs::symlink_status(link))) << link << " is not a link";
        EXPECT_EQ(fs::read_symlink(link), fs::path("../lib/lorvane") / program);
        EXPECT_EQ(fs::canonical(link), fs::canonical(prefix / "lib/lorvane" / program));
    }
}

void expectCliRunsThroughItsLink(const fs::path& prefix) {
    const fs::path cli = prefix / "bin/lorvane-cli";
    const std::string expectedList = referenceList();
    ASSERT_NE(expectedList.find("hip\n"), std::string::npos) << expectedList;

    TempFolder work;
    const fs::path outerLink = work.path() / "links/lorvane-cli";
    fs::create_directories(outerLink.parent_path());
    fs::create_symlink(cli, outerLink);
    for (const fs::path& command : {cli, outerLink}) {
        SCOPED_TRACE(command);
        const ProgramRun listed = runIsolated(command, {"--list"});
        EXPECT_EQ(listed.exitCode, 0) << describeRun(command, {"--list"}, listed);
        EXPECT_EQ(listed.out, expectedList);
    }

    const std::string installed = convertSample(cli, {}, work.path() / "installed");
    const std::string reference =
        convertSample(buildFacts().binDir / "lorvane-cli", {"--home", buildFacts().binDir.string()},
                      work.path() / "reference");
    EXPECT_EQ(installed.rfind("{\\rtf1\\ansi ", 0), 0u) << installed.substr(0, 200);
    EXPECT_TRUE(installed == reference) << "the installed program converts differently";
}

}  // namespace lorvane::test
