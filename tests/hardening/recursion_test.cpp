// Tables that apply themselves: an include cycle or a table that includes itself must end at
// once, with every table of the cycle applied once, and a script that applies its own table
// again must end at the nesting limit.
#include <gtest/gtest.h>

#include <filesystem>

#include "engine_fixture.h"

namespace lorvane::test {
namespace {

class Recursion : public EngineTest {};

// Twice included, a self-including table would be applied 2^32 times at the nesting limit of 32.
TEST_F(Recursion, ATableThatIncludesItselfTwiceIsAppliedOnce) {
    writeTable("@hip/@self.txt", u"x == xa\r\n>go@self.txt\r\n>go@self.txt\r\n");
    EXPECT_EQ(apply(u">go@self.txt", u"x"), u"xa");
}

TEST_F(Recursion, AnIncludeCycleAppliesEachTableOnce) {
    writeTable("@hip/@ping.txt", u">go@pong.txt\r\n>go@pong.txt\r\nx == xp\r\n");
    writeTable("@hip/@pong.txt", u">go@ping.txt\r\n>go@ping.txt\r\nx == xq\r\n");
    // ping includes pong (whose includes of ping are skipped), then pong again, then its pair.
    EXPECT_EQ(apply(u">go@ping.txt", u"x"), u"xpqq");
}

TEST_F(Recursion, ACycleThroughAnotherPathToTheSameFileIsSeen) {
    writeTable("@hip/@a.txt", u"a == ab\r\n>go@hip\\@a.txt\r\n>go@link\\@a.txt\r\n");
    std::filesystem::create_directory_symlink(folder.path() / "@hip", folder.path() / "@link");
    EXPECT_EQ(apply(u">go@a.txt", u"a"), u"ab");
}

TEST_F(Recursion, TheSameIncludeTwiceInARowIsAppliedTwice) {
    writeTable("@hip/@once.txt", u"a == ab\r\n");
    EXPECT_EQ(apply(u">go@once.txt", u"a"), u"ab");
    state.tmpText = u"a";
    engine.applyLines({u">go@once.txt", u">go@once.txt"}, 0, scripts);
    EXPECT_EQ(state.tmpText, u"abb");
}

// Every level would run the script twice, each run going down to the nesting limit: 2^32 runs.
TEST_F(Recursion, AScriptThatAppliesItsOwnTableTwiceStopsAtTheApplicationLimit) {
    writeTable("@hip/t.txt", u">script again\r\n>script again\r\nq == r\r\n");
    int calls = 0;
    scripts.answers[u"again"] = [this, &calls]() -> Expected<std::u16string> {
        ++calls;
        return engine.Rpl3(state.tmpText, scripts);
    };
    state.tmpText = u"zq";
    engine.Rplc(u">script again", 0, scripts);
    EXPECT_LE(calls, 2 * (TableEngine::kMaxApplications + TableEngine::kMaxNesting) + 2);
    EXPECT_GT(calls, TableEngine::kMaxApplications);
    // The outermost script's table application succeeded, so its line's result stands.
    EXPECT_EQ(state.tmpText, u"zr");

    // The limit counts within one outermost application: the next one starts afresh.
    calls = 0;
    scripts.answers[u"again"] = [&calls]() -> Expected<std::u16string> {
        ++calls;
        return failureFor(errors::kFileNotFound);
    };
    ASSERT_TRUE(engine.Rpl3(u"z", scripts).ok());
    EXPECT_EQ(calls, 2);
}

// Table and Rpl3 may name any path; a device that never ends is no table.
TEST_F(Recursion, ATableThatIsADeviceFailsAtOnce) {
    auto applied = engine.Table(u"a", u"../../../../../../../../dev/zero", scripts);
    ASSERT_FALSE(applied.ok());
    EXPECT_EQ(applied.failure().number, errors::kPathFileAccessError);
    state.Tablett = u"/dev/zero";
    EXPECT_FALSE(engine.Rpl3(u"a", scripts).ok());
}

}  // namespace
}  // namespace lorvane::test
