#include "fault_fixture.h"

namespace lorvane::test {

namespace fs = std::filesystem;

FaultTest::FaultTest() {
    temp.write("home/@m/plain.txt", "a == b\r\n");
    temp.write("home/@m/html.txt", "a == b\r\n>extent htm\r\n");
    temp.makeFolder("docs");
}

std::string FaultTest::source(const std::string& name, const std::string& bytes) {
    sources_[name] = bytes;
    return temp.write("docs/" + name, bytes).string();
}

ChildRun FaultTest::convert(const std::string& table, const std::vector<std::string>& arguments,
                            const ChildFaults& faults) {
    std::vector<std::string> all{"--home", home(), "--mode", "m", "--table", table};
    all.insert(all.end(), arguments.begin(), arguments.end());
    return runChild(cliPath(), all,
                    {{"LORVANE_HOME", std::nullopt},
                     {"LORVANE_CODEPAGE", std::nullopt},
                     {"LORVANE_NO_OPEN", "1"}},
                    faults);
}

void FaultTest::expectSourcesUnchanged() const {
    for (const auto& [name, bytes] : sources_) {
        EXPECT_TRUE(readBytes(docs() / name) == bytes) << name << " changed";
    }
}

void FaultTest::expectNoTemporaryFiles() const {
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(temp.path(), error);
         !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        const std::string name = it->path().filename().string();
        EXPECT_FALSE(name.ends_with(".part")) << "left behind: " << it->path();
    }
}

}  // namespace lorvane::test
