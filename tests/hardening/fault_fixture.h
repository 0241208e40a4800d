// A program folder and a documents folder in a temporary folder, lorvane-cli runs against them
// under injected faults, and the checks every fault must pass: earlier results complete, no
// temporary file left behind, sources unchanged.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "child_process.h"
#include "temp_folder.h"

namespace lorvane::test {

class FaultTest : public ::testing::Test {
  protected:
    FaultTest();

    std::string home() const { return (temp.path() / "home").string(); }
    std::filesystem::path docs() const { return temp.path() / "docs"; }
    std::string doc(const std::string& name) const { return (docs() / name).string(); }
    // Writes a source into the documents folder and remembers its bytes.
    std::string source(const std::string& name, const std::string& bytes);

    // lorvane-cli --home HOME --mode m --table TABLE ARGUMENTS..., under the faults.
    ChildRun convert(const std::string& table, const std::vector<std::string>& arguments,
                     const ChildFaults& faults = {});

    // Every source written by source() still holds its bytes.
    void expectSourcesUnchanged() const;
    // No result still being written (".NAME.PID-N.part") under the temporary folder.
    void expectNoTemporaryFiles() const;

    TempFolder temp;
    std::map<std::string, std::string> sources_;
};

}  // namespace lorvane::test
