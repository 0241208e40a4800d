// Whole conversions compared byte for byte with the expected results of tests/golden.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>

#include "run_program.h"
#include "temp_folder.h"

namespace lorvane {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> goldenCases() {
    std::vector<std::string> cases;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(LORVANE_GOLDEN_DIR, error)) {
        if (entry.is_directory()) cases.push_back(entry.path().filename().string());
    }
    std::sort(cases.begin(), cases.end());
    return cases;
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at)) {
        text.replace(at, from.size(), to);
        at += to.size();
    }
    return text;
}

std::vector<std::string> argumentsOf(const fs::path& file, const fs::path& home,
                                     const fs::path& source) {
    std::vector<std::string> arguments;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        arguments.push_back(
            replaced(replaced(line, "{home}", home.string()), "{source}", source.string()));
    }
    return arguments;
}

std::set<std::string> fileNames(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

class Golden : public ::testing::TestWithParam<std::string> {};

TEST_P(Golden, ConversionWritesExactlyTheExpectedFiles) {
    const fs::path golden = fs::path(LORVANE_GOLDEN_DIR) / GetParam();
    test::TempFolder temp;
    const fs::path home = temp.path() / "home";
    const fs::path source = temp.path() / "source";
    fs::copy(golden / "home", home, fs::copy_options::recursive);
    fs::copy(golden / "source", source, fs::copy_options::recursive);
    const std::set<std::string> before = fileNames(source);

    const auto run = test::runProgram(LORVANE_CLI_PATH, argumentsOf(golden / "args", home, source),
                                      {{"LORVANE_HOME", std::nullopt},
                                       {"LORVANE_CODEPAGE", std::nullopt},
                                       {"LORVANE_NO_OPEN", "1"}});
    ASSERT_EQ(run.exitCode, 0) << run.err;

    std::set<std::string> expected;
    std::string printed;
    for (const std::string& name : fileNames(golden / "expected")) {
        expected.insert(name);
        printed += (source / name).string() + "\n";
        EXPECT_EQ(test::readBytes(source / name), test::readBytes(golden / "expected" / name))
            << name;
    }
    EXPECT_EQ(run.out, printed);
    std::set<std::string> written;
    for (const std::string& name : fileNames(source)) {
        if (before.count(name) == 0) written.insert(name);
    }
    EXPECT_EQ(written, expected);
}

std::string caseName(const ::testing::TestParamInfo<std::string>& info) {
    std::string name = info.param;
    std::replace_if(
        name.begin(), name.end(), [](char c) { return !std::isalnum(c); }, '_');
    return name;
}

INSTANTIATE_TEST_SUITE_P(Cases, Golden, ::testing::ValuesIn(goldenCases()), caseName);

}  // namespace
}  // namespace lorvane
