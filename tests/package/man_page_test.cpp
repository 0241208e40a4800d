// The man pages against the programs: the OPTIONS section of each command-line program's page
// names the options its --help prints, with the same value names and in the same order; and
// every page renders without a groff warning.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "external_tool.h"
#include "installed_tree.h"
#include "temp_folder.h"

namespace lorvane::test {
namespace {

namespace fs = std::filesystem;

fs::path manPage(const std::string& program) {
    return fs::path(LORVANE_MAN_DIR) / (program + ".1");
}

// The arguments of a roff request line, double quotes grouping.
std::vector<std::string> requestArguments(const std::string& line) {
    std::vector<std::string> arguments;
    std::string current;
    bool quoted = false;
    bool any = false;
    for (std::size_t i = line.find(' '); i != std::string::npos && i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"') {
            quoted = !quoted;
            any = true;
        } else if (c == ' ' && !quoted) {
            if (any) arguments.push_back(current);
            current.clear();
            any = false;
        } else {
            current += c;
            any = true;
        }
    }
    if (any) arguments.push_back(current);
    return arguments;
}

// The text a roff tag line shows: font requests joined as .BI and .B join them, "\-" as "-",
// font escapes dropped.
std::string tagText(const std::string& line) {
    std::string joined;
    if (!line.empty() && line[0] == '.') {
        for (const std::string& argument : requestArguments(line))
            joined += argument;
    } else {
        joined = line;
    }
    std::string text;
    for (std::size_t i = 0; i < joined.size(); ++i) {
        if (joined[i] == '\\' && i + 1 < joined.size()) {
            if (joined[i + 1] == '-') text += '-';
            if (joined[i + 1] == 'f') ++i;  // \fB, \fI, \fR
            ++i;
            continue;
        }
        text += joined[i];
    }
    return text;
}

// The tags of the .TP paragraphs of the page's OPTIONS section.
std::vector<std::string> manOptions(const std::string& page) {
    std::vector<std::string> options;
    bool inOptions = false;
    bool tagNext = false;
    for (const std::string& line : splitLines(page)) {
        if (line.rfind(".SH", 0) == 0) {
            inOptions = line == ".SH OPTIONS";
            continue;
        }
        if (!inOptions) continue;
        if (tagNext) options.push_back(tagText(line));
        tagNext = line == ".TP";
    }
    return options;
}

// The options a help text names, in order: the bracketed ones of its usage line ("[--home DIR]"),
// then the option column of its indented lines up to two spaces ("--help, --version" gives two),
// each once.
std::vector<std::string> helpOptions(const std::string& help) {
    std::vector<std::string> options;
    auto add = [&](const std::string& option) {
        if (std::find(options.begin(), options.end(), option) == options.end())
            options.push_back(option);
    };
    const std::vector<std::string> lines = splitLines(help);
    if (!lines.empty()) {
        const std::string& usage = lines.front();
        for (std::size_t open = usage.find("[--"); open != std::string::npos;
             open = usage.find("[--", open + 1))
            add(usage.substr(open + 1, usage.find(']', open) - open - 1));
    }
    for (const std::string& line : lines) {
        const std::size_t start = line.find_first_not_of(' ');
        if (start == 0 || start == std::string::npos || line.compare(start, 2, "--") != 0) continue;
        const std::string column = line.substr(start, line.find("  ", start) - start);
        std::size_t at = 0;
        while (at != std::string::npos) {
            const std::size_t comma = column.find(", ", at);
            add(column.substr(at, comma - at));
            at = comma == std::string::npos ? comma : comma + 2;
        }
    }
    return options;
}

std::string lowered(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string joined(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items)
        text += "  " + item + "\n";
    return text;
}

class ManPage : public ::testing::TestWithParam<const char*> {};

TEST_P(ManPage, OptionsSectionFollowsHelp) {
    const std::string program = GetParam();
    if (!buildFacts().hasProgram(program)) GTEST_SKIP() << program << " is not built yet";
    const fs::path executable = buildFacts().binDir / program;
    const ProgramRun help = runIsolated(executable, {"--help"});
    // A program without a --help option of its own rejects it with its usage on standard error
    // and exit status 2; that usage is its help.
    const bool ownHelp = help.exitCode == 0;
    const std::string text = ownHelp ? help.out : help.err;
    ASSERT_TRUE(ownHelp || (help.exitCode == 2 && lowered(text).rfind("usage:", 0) == 0))
        << describeRun(executable, {"--help"}, help);
    const std::vector<std::string> fromHelp = helpOptions(text);
    ASSERT_FALSE(fromHelp.empty()) << text;
    const std::string page = readBytes(manPage(program));
    ASSERT_FALSE(page.empty()) << manPage(program);
    EXPECT_EQ(joined(manOptions(page)), joined(fromHelp))
        << "the OPTIONS of " << manPage(program) << " (left) against " << program << " --help";
}

INSTANTIATE_TEST_SUITE_P(CommandLinePrograms, ManPage,
                         ::testing::Values("lorvane-cli", "lorvane-vbs"));

TEST(ManPages, RenderWithoutGroffWarnings) {
    const auto groff = findOnPath("groff");
    if (!groff) GTEST_SKIP() << missingTool("groff", "groff-base");
    for (const std::string& program : buildFacts().programs) {
        SCOPED_TRACE(program);
        const std::vector<std::string> arguments{"-k",  "-man", "-Tutf8",
                                                 "-ww", "-z",   manPage(program).string()};
        const ProgramRun run = runProgram(*groff, arguments, {{"LC_ALL", "C.UTF-8"}});
        EXPECT_EQ(run.exitCode, 0) << describeRun(*groff, arguments, run);
        EXPECT_EQ(run.err, "");
    }
}

TEST(ManPages, TagTextJoinsFontRequests) {
    struct Case {
        const char* line;
        const char* text;
    };
    const Case cases[] = {
        {".BI \\-\\-home \" DIR\"", "--home DIR"},
        {".BI \\-\\-entry \" NAME\" = TABLE", "--entry NAME=TABLE"},
        {".B \\-\\-folder", "--folder"},
        {"\\fB\\-\\-open\\fR", "--open"},
        {".B", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(tagText(c.line), c.text) << c.line;
}

}  // namespace
}  // namespace lorvane::test
