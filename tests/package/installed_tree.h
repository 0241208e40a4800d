// Checks of an installed tree (PREFIX with bin/ and lib/lorvane/), shared by the test of
// `cmake --install` and the test of the extracted Debian package: the program folder holds
// every bundled file, the commands are relative links into it, and lorvane-cli started through
// its link finds the program folder by itself and converts like the build's own.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace lorvane::test {

// What this build installs and where its reference copies are.
struct BuildFacts {
    std::filesystem::path sourceDir;
    std::filesystem::path buildDir;
    std::filesystem::path binDir;       // the build's executables beside the bundled folder
    std::vector<std::string> programs;  // the executables this build has
    std::string version;
    bool hasProgram(const std::string& name) const;
};
const BuildFacts& buildFacts();

// Relative paths ("/" separated) of every file of the source tree's bundle/.
std::vector<std::string> bundledFiles();

// Expects PREFIX/lib/lorvane to hold every bundled file with the same bytes and every program.
void expectProgramFolder(const std::filesystem::path& prefix);
// Expects PREFIX/bin/<program> to be a link to ../lib/lorvane/<program> for every program.
void expectCommandLinks(const std::filesystem::path& prefix);
// Expects PREFIX/bin/lorvane-cli, with LORVANE_HOME unset, to list the bundled modes and to
// convert the bundled psalm exactly as the build's lorvane-cli does; also through a second
// link from outside the tree.
void expectCliRunsThroughItsLink(const std::filesystem::path& prefix);

}  // namespace lorvane::test
