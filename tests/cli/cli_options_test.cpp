#include "cli/cli_options.h"

#include <gtest/gtest.h>

#include "platform/text.h"

namespace lorvane::cli {
namespace {

using Arguments = std::vector<std::string>;

std::string joined(const Arguments& arguments) {
    std::string out;
    for (const auto& a : arguments)
        out += "[" + a + "]";
    return out;
}

TEST(CliOptions, ReadsEveryOption) {
    auto options =
        parseArguments({"--home", "/p", "--codepage=65001", "--mode", "hip", "--table", "Face%",
                        "--folder", "--pattern", "*.txt;*.htm", "--open", "--jobs", "3", "a.txt", "-",
                        "b.txt"});
    ASSERT_TRUE(options.ok()) << options.failure().message();
    EXPECT_EQ(options->home, u"/p");
    EXPECT_EQ(options->codePage, 65001);
    EXPECT_EQ(options->mode, u"hip");
    EXPECT_EQ(options->table, u"Face%");
    EXPECT_FALSE(options->scheme);
    EXPECT_TRUE(options->folder);
    EXPECT_EQ(options->pattern, u"*.txt;*.htm");
    EXPECT_TRUE(options->open);
    EXPECT_EQ(options->jobs, 3);
    EXPECT_FALSE(options->list);
    EXPECT_EQ(options->sources, (std::vector<std::u16string>{u"a.txt", u"-", u"b.txt"}));
}

TEST(CliOptions, SchemeEntriesSplitAtTheLastEquals) {
    auto options =
        parseArguments({"--scheme", "mix", "--entry", "<g>=T1", "--entry=<l=x>=Т2", "s.txt"});
    ASSERT_TRUE(options.ok()) << options.failure().message();
    EXPECT_EQ(options->scheme, u"mix");
    ASSERT_EQ(options->entries.size(), 2u);
    EXPECT_EQ(options->entries[0].name, u"<g>");
    EXPECT_EQ(options->entries[0].table, u"T1");
    EXPECT_EQ(options->entries[1].name, u"<l=x>");
    EXPECT_EQ(options->entries[1].table, u"Т2");
}

TEST(CliOptions, DefaultsAndTheEndOfOptions) {
    auto options = parseArguments({"--", "--list", "-x"});
    ASSERT_TRUE(options.ok());
    EXPECT_FALSE(options->list);
    EXPECT_EQ(options->pattern, u"*.*");
    EXPECT_FALSE(options->home);
    EXPECT_FALSE(options->codePage);
    EXPECT_EQ(options->sources, (std::vector<std::u16string>{u"--list", u"-x"}));
}

TEST(CliOptions, FlagsWithoutSources) {
    for (const Arguments& arguments :
         {Arguments{"--help"}, Arguments{"--version"}, Arguments{"--list", "--home", "/p"}}) {
        auto options = parseArguments(arguments);
        ASSERT_TRUE(options.ok()) << joined(arguments);
        EXPECT_TRUE(options->help || options->version || options->list) << joined(arguments);
        EXPECT_TRUE(options->sources.empty());
    }
}

TEST(CliOptions, BadCommandLinesSayWhatToDo) {
    struct Case {
        Arguments arguments;
        std::string says;
    } cases[] = {
        {{"--bogus", "a.txt"}, "unknown option '--bogus': see lorvane-cli --help"},
        {{"-x"}, "unknown option '-x'"},
        {{"a.txt", "--mode"}, "--mode needs a value: --mode NAME"},
        {{"--codepage", "abc", "a"}, "--codepage needs a code page number"},
        {{"--codepage", "-5", "a"}, "--codepage needs a code page number"},
        {{"--entry", "nomarker", "a"}, "--entry needs NAME=TABLE"},
        {{"--entry", "=T", "a"}, "--entry needs NAME=TABLE"},
        {{"--entry", "<g>=", "a"}, "--entry needs NAME=TABLE"},
        {{"--folder=yes", "a"}, "--folder takes no value"},
        {{"--pattern=", "a"}, "--pattern needs a file pattern"},
        {{"--jobs", "0", "a"}, "--jobs needs the number of sources"},
        {{"--jobs=two", "a"}, "--jobs needs the number of sources"},
        {{"--jobs", "2x", "a"}, "--jobs needs the number of sources"},
        {{"--mode", "hip", "--scheme", "mix", "a"}, "--mode and --scheme exclude each other"},
    };
    for (const auto& c : cases) {
        auto options = parseArguments(c.arguments);
        ASSERT_FALSE(options.ok()) << joined(c.arguments);
        EXPECT_NE(toUtf8(options.failure().description).find(c.says), std::string::npos)
            << joined(c.arguments) << ": " << toUtf8(options.failure().description);
    }
}

TEST(CliOptions, UsageNamesEveryOption) {
    const std::string usage = usageText();
    for (const char* option : {"--home DIR", "--codepage N", "--mode NAME", "--table NAME",
                               "--scheme NAME", "--entry NAME=TABLE", "--folder",
                               "--pattern PATTERN", "--jobs N", "--open", "--list",
                               "--help, --version"}) {
        EXPECT_NE(usage.find(option), std::string::npos) << option;
    }
}

}  // namespace
}  // namespace lorvane::cli
