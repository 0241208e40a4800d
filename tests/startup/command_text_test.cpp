#include "startup/command_text.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/paths.h"
#include "platform/text.h"

namespace lorvane {
namespace {

std::u16string join(const std::vector<std::u16string>& parts) {
    std::u16string text;
    for (const auto& part : parts)
        text += u"[" + part + u"]";
    return text;
}

TEST(CommandText, RebuildsTheLineFromSplitArguments) {
    struct Case {
        std::vector<std::u16string> arguments;
        std::u16string text;
    } cases[] = {
        {{}, u""},
        {{u"-c"}, u"-c"},
        {{u"-Clip"}, u"-Clip"},
        {{u"@hip"}, u"@hip"},
        {{u"@hip@x", u"/t/a.txt"}, u"@hip@x /t/a.txt"},
        {{u"@hip", u"-c"}, u"@hip -c"},
        {{u"/t/My Texts/a.txt"}, u"\"/t/My Texts/a.txt\""},
        {{u"/t/a.txt", u"/t/b.txt"}, u"\"/t/a.txt\" \"/t/b.txt\""},
        {{u"@hip", u"/t/a.txt", u"/u v/b.txt"}, u"@hip \"/t/a.txt\" \"/u v/b.txt\""},
        // Only the first word is a start option; a later "@" word is a path.
        {{u"/t/a.txt", u"/t/@b"}, u"\"/t/a.txt\" \"/t/@b\""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(commandTextFromArguments(c.arguments), c.text) << toUtf8(join(c.arguments));
    }
}

TEST(CommandText, MakesRelativePathsAbsolute) {
    const std::u16string cwd = fromFsPath(std::filesystem::current_path());
    EXPECT_EQ(commandTextFromArguments({u"a.txt"}), cwd + u"/a.txt");
    EXPECT_EQ(commandTextFromArguments({u"./sub/../b.txt"}), cwd + u"/b.txt");
}

TEST(CommandText, RemovesAnArgumentsOwnQuotesBeforeTheRelativePathTest) {
    const std::u16string cwd = fromFsPath(std::filesystem::current_path());
    struct Case {
        std::vector<std::u16string> arguments;
        std::u16string text;
    } cases[] = {
        // One path typed with its quotes into one argument: absolute stays as it is.
        {{u"\"/tmp/t/My Texts/a b.txt\""}, u"\"/tmp/t/My Texts/a b.txt\""},
        {{u"\"/t/a.txt\""}, u"/t/a.txt"},
        {{u"\"rel dir/a.txt\""}, u"\"" + cwd + u"/rel dir/a.txt\""},
        // A quoted list in one argument: each path on its own, the first one too.
        {{u"\"/t/a b.txt\" \"/u/c.txt\""}, u"\"/t/a b.txt\" \"/u/c.txt\""},
        {{u"\"/t/a.txt\" \"b.txt\""}, u"\"/t/a.txt\" \"" + cwd + u"/b.txt\""},
        {{u"@hip", u"\"/t/a.txt\" \"/u/c.txt\""}, u"@hip \"/t/a.txt\" \"/u/c.txt\""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(commandTextFromArguments(c.arguments), c.text) << toUtf8(join(c.arguments));
    }
}

TEST(StartOption, SplitsModeAndTableAtTheFirstAt) {
    struct Case {
        std::u16string token, mode, table;
    } cases[] = {
        {u"@hip", u"hip", u""},        {u"@hip@x", u"hip", u"x"}, {u"@@x", u"", u"x"},
        {u"@hip@x@y", u"hip", u"x@y"}, {u"@", u"", u""},          {u"@Hip@X", u"Hip", u"X"},
    };
    for (const auto& c : cases) {
        StartupValues values;
        ParseStartOption(c.token, values);
        EXPECT_EQ(values.StartMode, c.mode) << toUtf8(c.token);
        EXPECT_EQ(values.StartTable, c.table) << toUtf8(c.token);
    }
}

TEST(StartOption, TakesOnlyTheFirstWordOffTheText) {
    struct Case {
        std::u16string text, rest, mode, table;
    } cases[] = {
        {u"", u"", u"", u""},
        {u"  /t/a.txt  ", u"/t/a.txt", u"", u""},
        {u"@hip", u"", u"hip", u""},
        {u"  @hip@x   /t/a.txt ", u"/t/a.txt", u"hip", u"x"},
        {u"@hip -c", u"-c", u"hip", u""},
        {u"@hip @other /t/a.txt", u"@other /t/a.txt", u"hip", u""},
        {u"-c @hip", u"-c @hip", u"", u""},
    };
    for (const auto& c : cases) {
        StartupValues values;
        EXPECT_EQ(takeStartOption(c.text, values), c.rest) << toUtf8(c.text);
        EXPECT_EQ(values.StartMode, c.mode) << toUtf8(c.text);
        EXPECT_EQ(values.StartTable, c.table) << toUtf8(c.text);
    }
}

}  // namespace
}  // namespace lorvane
