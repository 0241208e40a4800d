#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "engine_fixture.h"
#include "platform/text.h"

namespace lorvane::test {
namespace {

using TableFile = EngineTest;

TEST_F(TableFile, AppliesLinesEndingAtCrLfOrLoneCrAtLevelMinusOne) {
    const auto path = writeTable("@hip/t.txt",
                                 u"a == b\r\nxy\r\n// c == d\r\n// * e == f\r\n"
                                 u">fontsize 12\r>charset 161\rg == h\n == i\rj == k");
    state.tmpText = u"a c e g j \n";
    ASSERT_TRUE(engine.Rplc2(path, scripts).ok());
    // "xy" is too short; both comment forms are skipped; a lone LF stays inside its line, so
    // "g == h\n == i" is one pair; the last line counts although no line end follows it.
    EXPECT_EQ(state.tmpText, u"b c e h\n == i k \n");
    EXPECT_EQ(state.settings.fontSize, 0);
    EXPECT_EQ(state.settings.charset, 161);
}

TEST_F(TableFile, MissingOrFolderTableFails) {
    EXPECT_EQ(engine.Rplc2(folder.u16("none.txt"), scripts).failure().number, errors::kFileNotFound);
    folder.makeFolder("dir.txt");
    EXPECT_FALSE(engine.Rplc2(folder.u16("dir.txt"), scripts).ok());
    EXPECT_FALSE(engine.Rplc2(u"", scripts).ok());
}

TEST_F(TableFile, IncludeFromTheModeFolderMatchesTheNameExactly) {
    writeTable("@hip/@common.txt", u"a == b\r\n");
    writeTable("@hip/@Other.txt", u"c == d\r\n");
    EXPECT_EQ(apply(u">go@common.txt", u"ac"), u"bc");
    EXPECT_EQ(apply(u">go@other.txt", u"ac"), u"ac");
    EXPECT_EQ(apply(u">go@missing.txt", u"ac"), u"ac");
    EXPECT_EQ(apply(u">GO@Other.txt", u"ac"), u"ad");
}

TEST_F(TableFile, IncludeWithAFolderPartIsRelativeToTheProgramFolder) {
    writeTable("@grk/@tab.txt", u"a == ж\r\n");
    EXPECT_EQ(apply(u">go@grk\\@tab.txt", u"a"), u"ж");
    EXPECT_EQ(apply(u">go@GRK\\@tab.txt", u"a"), u"ж");
    EXPECT_EQ(apply(u">go@nowhere\\@tab.txt", u"a"), u"a");
}

TEST_F(TableFile, IncludeInSchemeModeFindsNoModeFolder) {
    writeTable("@hip/@common.txt", u"a == b\r\n");
    state.modeName = u"?mixed.txt";
    EXPECT_EQ(apply(u">go@common.txt", u"a"), u"a");
}

TEST_F(TableFile, SelfAndMutualIncludesEndAtTheNestingLimit) {
    writeTable("@hip/@self.txt", u"a == b\r\nb == c\r\nc == a\r\n>go@self.txt\r\n");
    EXPECT_EQ(apply(u">go@self.txt", u"a"), u"a");
    writeTable("@hip/@ping.txt", u">go@pong.txt\r\nx == y\r\n");
    writeTable("@hip/@pong.txt", u">go@ping.txt\r\n");
    EXPECT_EQ(apply(u">go@ping.txt", u"x"), u"y");
}

TEST_F(TableFile, TableAndRpl3LeaveTheirResultInTheWorkingText) {
    writeTable("@hip/t.txt", u"abc == ABC\r\n");
    writeTable("@hip/other.txt", u"x == X\r\n");
    auto converted = engine.Rpl3(u"abcx", scripts);
    ASSERT_TRUE(converted.ok());
    EXPECT_EQ(*converted, u"ABCx");
    EXPECT_EQ(state.tmpText, u"ABCx");

    auto viaTable = engine.Table(u"abcx", u"@hip\\other.txt", scripts);
    ASSERT_TRUE(viaTable.ok());
    EXPECT_EQ(*viaTable, u"abcX");
    EXPECT_EQ(state.tmpText, u"abcX");

    auto missing = engine.Table(u"q", u"@hip\\none.txt", scripts);
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.failure().number, errors::kFileNotFound);
}

TEST_F(TableFile, ScriptThatAppliesItsOwnTableAgainEnds) {
    // The table runs a script that applies the same table, which runs the script again...
    writeTable("@hip/t.txt", u">script again.vbs\r\nz == y\r\n");
    scripts.answers[u"again.vbs"] = [this]() -> Expected<std::u16string> {
        return engine.Rpl3(state.tmpText, scripts);
    };
    state.tmpText = u"z";
    engine.Rplc(u">script again.vbs", 0, scripts);
    EXPECT_LE(scripts.calls.size(), static_cast<std::size_t>(TableEngine::kMaxNesting + 1));
    EXPECT_EQ(state.tmpText, u"y");
}

TEST_F(TableFile, LargeAndBinaryTablesAreAppliedLineByLine) {
    std::u16string big;
    for (int i = 0; i < 100000; ++i)
        big += u"q" + decimal(i) + u"q == \r\n";
    big += u"a == b\r\n";
    std::string binary;
    for (int i = 0; i < 256; ++i)
        binary.push_back(static_cast<char>(i));
    folder.write("@hip/bin.txt", binary + "\r\n" + binary);
    writeTable("@hip/big.txt", big);
    state.tmpText = u"aq5qa";
    ASSERT_TRUE(engine.Rplc2(folder.u16("@hip/big.txt"), scripts).ok());
    EXPECT_EQ(state.tmpText, u"bb");
    ASSERT_TRUE(engine.Rplc2(folder.u16("@hip/bin.txt"), scripts).ok());
}

// The includes of one application look at their folder once; a script between them may add a
// file to it, and the include after the script finds it.
TEST_F(TableFile, AnIncludeAScriptCreatedIsFoundAfterTheScript) {
    const auto table = writeTable(
        "@hip/t.txt", u">go@first.txt\r\n>script make.vbs\r\n>go@second.txt\r\n>go@first.txt\r\n");
    writeTable("@hip/@first.txt", u"a == b\r\n");
    // A folder changed long ago: its listing is kept, not read again at every include.
    namespace fs = std::filesystem;
    fs::last_write_time(folder.path() / "@hip", fs::file_time_type::clock::now() - std::chrono::hours(1));
    // The script applies tables of its own, before and after it adds the file.
    writeTable("@hip/before.txt", u">go@first.txt\r\n");
    writeTable("@hip/after.txt", u">go@second.txt\r\n");
    scripts.answers[u"make.vbs"] = [&]() -> Expected<std::u16string> {
        EXPECT_EQ(*engine.Table(u"a", u"@hip/before.txt", scripts), u"b");
        writeTable("@hip/@second.txt", u"b == c\r\n");
        EXPECT_EQ(*engine.Table(u"b", u"@hip/after.txt", scripts), u"c");
        return std::u16string(u"ab");
    };
    for (int run = 0; run < 2; ++run) {
        const auto compiled = engine.topLevelTable(table, nullptr);
        EXPECT_EQ(engine.applyTable(*compiled, u"xa", 0, scripts), u"bc") << run;
        std::filesystem::remove(folder.path() / "@hip/@second.txt");
        fs::last_write_time(folder.path() / "@hip",
                            fs::file_time_type::clock::now() - std::chrono::hours(1));
    }
}

}  // namespace
}  // namespace lorvane::test
