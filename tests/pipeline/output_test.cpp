#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <vector>

#include "pipeline/file_set.h"
#include "pipeline/output_naming.h"
#include "pipeline/output_writer.h"
#include "platform/error_catalogue.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "temp_folder.h"

namespace lorvane {
namespace {

namespace fs = std::filesystem;

TEST(OutputNaming, FollowsTheSourceName) {
    struct Case {
        std::u16string source, extent, expected;
    } cases[] = {
        {u"/t/psalm.txt", u".htm", u"/t/psalm.htm"},
        {u"/t/psalm.txt", u".txt", u"/t/psalm1.txt"},
        {u"/t/a.b.txt", u".txt", u"/t/a.b1.txt"},
        {u"/t/psalm", u".rtf", u"/t/psalm.rtf"},
        {u"/t.d/psalm", u".txt", u"/t.d/psalm.txt"},
        {u"/t/psalm.TXT", u".txt", u"/t/psalm.txt"},  // letter case counts
        {u"/t/psalm.rtf", u".xyz", u"/t/psalm.xyz"},
        {u"/t/psalm.xyz", u".xyz", u"/t/psalm1.xyz"},
        {u"/t/psalm.", u".txt", u"/t/psalm.txt"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(outputPath(c.source, c.extent), c.expected)
            << toUtf8(c.source) << " + " << toUtf8(c.extent);
    }
}

TEST(OutputNaming, ClipboardResultsGoToTheDocumentsFolder) {
    EXPECT_EQ(outputPath(clipboardSourcePath(u"/home/u/Documents"), u".txt"),
              u"/home/u/Documents/Lorva1.txt");
    EXPECT_EQ(outputPath(clipboardSourcePath(u"/home/u/Documents/"), u".htm"),
              u"/home/u/Documents/Lorva.htm");
}

bool runningAsRoot() {
    return ::geteuid() == 0;
}

std::size_t entriesIn(const fs::path& folder) {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder))
        ++count;
    return count;
}

TEST(OutputWriter, WritesNewFilesAndReplacesOldOnes) {
    test::TempFolder temp;
    ASSERT_TRUE(writeFileSafely(temp.u16("r.txt"), "first\r\n").ok());
    EXPECT_EQ(temp.read("r.txt"), "first\r\n");
    ASSERT_TRUE(writeFileSafely(temp.u16("r.txt"), std::string("a\0b", 3)).ok());
    EXPECT_EQ(temp.read("r.txt"), std::string("a\0b", 3));
    EXPECT_EQ(entriesIn(temp.path()), 1u) << "no temporary file stays behind";
}

// A large result is encoded and written a piece at a time: whatever the sizes of the pieces,
// every byte arrives once and in order.
TEST(OutputWriter, ResultsArriveWholeWhateverTheirPieces) {
    test::TempFolder temp;
    constexpr std::size_t kMiB = std::size_t{1} << 20;
    // 9 MiB: a result flushed at once goes to the kernel in slices of a few MiB.
    for (std::size_t size : {std::size_t{0}, std::size_t{1}, 9 * kMiB + 5}) {
        std::string bytes(size, '\0');
        for (std::size_t i = 0; i < size; ++i)
            bytes[i] = static_cast<char>((i * 2654435761u) >> 13);
        for (std::size_t piece : {size + 1, std::size_t{4095}, kMiB}) {
            SCOPED_TRACE(::testing::Message() << size << " bytes in pieces of " << piece);
            std::string_view rest = bytes;
            const ContentPieces pieces = [&rest, piece] {
                const std::string_view next = rest.substr(0, std::min(piece, rest.size()));
                rest.remove_prefix(next.size());
                return next;
            };
            ASSERT_TRUE(writeResult(temp.u16("r.txt"), pieces, u"").ok());
            EXPECT_TRUE(temp.read("r.txt") == bytes);
            fs::remove(temp.path() / "r.txt");
            EXPECT_EQ(entriesIn(temp.path()), 0u) << "no temporary file stays behind";
        }
    }
}

TEST(OutputWriter, FailuresNameTheFileAndLeaveNothingBehind) {
    test::TempFolder temp;
    temp.write("plain", "not a folder");
    temp.makeFolder("folder.txt");
    struct Case {
        std::string target;
        int number;
    } cases[] = {
        {"plain/r.txt", errors::kPathNotFound},    // the parent is a regular file
        {"missing/r.txt", errors::kPathNotFound},  // the parent does not exist
        {"folder.txt", errors::kPathFileAccessError},
    };
    for (const auto& c : cases) {
        Status written = writeFileSafely(temp.u16(c.target), "x");
        ASSERT_FALSE(written.ok()) << c.target;
        EXPECT_EQ(written.failure().number, c.number) << c.target;
        EXPECT_EQ(written.failure().file, temp.u16(c.target));
    }
    EXPECT_EQ(entriesIn(temp.path()), 2u);
}

TEST(OutputWriter, AReadOnlyResultIsNotReplaced) {
    if (runningAsRoot()) GTEST_SKIP() << "permissions do not stop root from writing";
    test::TempFolder temp;
    const auto target = temp.write("r.txt", "old");
    fs::permissions(target, fs::perms::owner_read);
    Status written = writeFileSafely(temp.u16("r.txt"), "new");
    ASSERT_FALSE(written.ok());
    EXPECT_EQ(written.failure().number, errors::kPermissionDenied);
    EXPECT_EQ(temp.read("r.txt"), "old");
}

TEST(OutputWriter, AnUnwritableFolderKeepsTheOldResult) {
    if (runningAsRoot()) GTEST_SKIP() << "permissions do not stop root from writing";
    test::TempFolder temp;
    temp.write("out/r.txt", "old");
    fs::permissions(temp.path() / "out", fs::perms::owner_read | fs::perms::owner_exec);
    Status written = writeFileSafely(temp.u16("out/r.txt"), "new");
    ASSERT_FALSE(written.ok());
    EXPECT_EQ(written.failure().number, errors::kPermissionDenied);
    EXPECT_EQ(temp.read("out/r.txt"), "old");
}

TEST(OutputWriter, NeverWritesOverItsOwnSource) {
    test::TempFolder temp;
    const auto source = temp.write("psalm.TXT", "source text");
    // On a letter-case-blind file system psalm.txt would be the source itself; a hard link
    // gives the same situation here.
    fs::create_hard_link(source, temp.path() / "psalm.txt");
    auto written = writeResult(temp.u16("psalm.txt"), "result", temp.u16("psalm.TXT"));
    ASSERT_FALSE(written.ok());
    EXPECT_EQ(written.failure().number, errors::kOutputIsSource);
    EXPECT_EQ(written.failure().file, temp.u16("psalm.txt"));
    EXPECT_EQ(temp.read("psalm.TXT"), "source text");

    EXPECT_TRUE(writeResult(temp.u16("psalm.htm"), "result", temp.u16("psalm.TXT")).ok());
    EXPECT_TRUE(writeResult(temp.u16("other.txt"), "result", u"").ok());
    EXPECT_EQ(temp.read("psalm.htm"), "result");
}

// A result prepared ahead waits hidden beside its target: the folder shows the target only once
// the result is committed, and nothing at all when it never is.
TEST(OutputWriter, APreparedResultTakesItsNameOnlyWhenCommitted) {
    test::TempFolder temp;
    temp.write("kept.txt", "the user's text");
    {
        auto givenUp = prepareResult(temp.u16("r.txt"), "never");
        ASSERT_TRUE(givenUp.ok());
    }
    EXPECT_EQ(entriesIn(temp.path()), 1u) << "a result given up leaves nothing behind";

    auto prepared = prepareResult(temp.u16("kept.txt"), "result");
    ASSERT_TRUE(prepared.ok());
    EXPECT_EQ(temp.read("kept.txt"), "the user's text");
    auto committed = commitResult(temp.u16("kept.txt"), std::move(prepared), u"");
    ASSERT_TRUE(committed.ok()) << committed.failure().message();
    EXPECT_EQ(temp.read("kept.txt"), "result");
    EXPECT_EQ(committed->backup, temp.u16("kept.txt~"));
    EXPECT_FALSE(committed->tookFreeName);
    EXPECT_EQ(temp.read("kept.txt~"), "the user's text");
    EXPECT_EQ(entriesIn(temp.path()), 2u);

    auto fresh = commitResult(temp.u16("new.txt"), prepareResult(temp.u16("new.txt"), "x"), u"");
    ASSERT_TRUE(fresh.ok()) << fresh.failure().message();
    EXPECT_TRUE(fresh->tookFreeName);
    // Its own earlier result is replaced without a backup, but its name was not free.
    auto again = commitResult(temp.u16("new.txt"), prepareResult(temp.u16("new.txt"), "y"), u"");
    ASSERT_TRUE(again.ok()) << again.failure().message();
    EXPECT_FALSE(again->tookFreeName);
    EXPECT_TRUE(again->backup.empty());
}

// A run's results, recognised under any name: a hard link to one, or the same name; a result
// made under a free name by its name alone.
TEST(FileSet, TellsARunsResultsUnderAnyOfTheirNames) {
    test::TempFolder temp;
    for (const char* name : {"a.txt", "b.txt", "c.txt", "other.txt"})
        temp.write(name, name);
    fs::create_hard_link(temp.path() / "a.txt", temp.path() / "a-link.txt");
    fs::create_hard_link(temp.path() / "c.txt", temp.path() / "c-link.txt");
    FileSet set;
    set.add(temp.u16("a.txt"));
    set.add(temp.u16("c.txt"));
    set.add(temp.u16("missing.txt"));  // names no file: adds nothing
    set.addMadeUnderFreeName(temp.u16("b.txt"));
    const struct {
        std::string name;
        bool held;
    } cases[] = {
        {"a.txt", true}, {"a-link.txt", true}, {"c.txt", true},        {"c-link.txt", true},
        {"b.txt", true}, {"other.txt", false}, {"missing.txt", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(set.holds(temp.u16(c.name)), c.held) << c.name;
    // Only free names and nothing looked up: no look at the file system decides.
    FileSet onlyFree;
    onlyFree.addMadeUnderFreeName(temp.u16("b.txt"));
    EXPECT_TRUE(onlyFree.holds(temp.u16("b.txt")));
    EXPECT_FALSE(onlyFree.holds(temp.u16("a.txt")));
}

// Committing checks what writeResult checks, in its order, when the result takes its name: what
// happened to the target since the result was prepared counts.
TEST(OutputWriter, CommittingMeetsTheFailuresWritingWould) {
    test::TempFolder temp;
    const auto source = temp.write("psalm.txt", "source text");

    auto prepared = prepareResult(temp.u16("psalm1.txt"), "result");
    ASSERT_TRUE(prepared.ok());
    fs::create_hard_link(source, temp.path() / "psalm1.txt");
    auto overSource =
        commitResult(temp.u16("psalm1.txt"), std::move(prepared), temp.u16("psalm.txt"));
    ASSERT_FALSE(overSource.ok());
    EXPECT_EQ(overSource.failure().number, errors::kOutputIsSource);
    EXPECT_EQ(temp.read("psalm.txt"), "source text");

    prepared = prepareResult(temp.u16("later.txt"), "result");
    ASSERT_TRUE(prepared.ok());
    temp.makeFolder("later.txt");
    auto overFolder = commitResult(temp.u16("later.txt"), std::move(prepared), u"");
    ASSERT_FALSE(overFolder.ok());
    EXPECT_EQ(overFolder.failure().number, errors::kPathFileAccessError);
    EXPECT_EQ(overFolder.failure().file, temp.u16("later.txt"));

    auto unprepared = prepareResult(temp.u16("missing/r.txt"), "result");
    ASSERT_FALSE(unprepared.ok());
    auto committed = commitResult(temp.u16("missing/r.txt"), std::move(unprepared), u"");
    ASSERT_FALSE(committed.ok());
    EXPECT_EQ(committed.failure().number, errors::kPathNotFound);
    EXPECT_EQ(entriesIn(temp.path()), 3u) << "no temporary file stays behind";
}

// A link under the target's name is followed to tell whether it names the source or a folder,
// and is otherwise the user's file itself: it is kept aside, and what it names is left alone.
// Writing and committing a prepared result judge it alike.
TEST(OutputWriter, ALinkUnderTheTargetsNameIsJudgedByWhatItNames) {
    enum class Outcome { OverSource, OverFolder, LinkKeptAside };
    const struct {
        const char* names;  // what the link r.txt points to
        Outcome outcome;
    } cases[] = {
        {"s.txt", Outcome::OverSource},
        {"folder", Outcome::OverFolder},
        {"user.txt", Outcome::LinkKeptAside},
        {"nowhere.txt", Outcome::LinkKeptAside},
    };
    for (bool committed : {false, true}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(::testing::Message()
                         << "r.txt -> " << c.names << (committed ? ", committed" : ", written"));
            test::TempFolder temp;
            temp.write("s.txt", "source text");
            temp.write("user.txt", "the user's text");
            temp.makeFolder("folder");
            fs::create_symlink(c.names, temp.path() / "r.txt");
            auto written = committed ? commitResult(temp.u16("r.txt"),
                                                    prepareResult(temp.u16("r.txt"), "result"),
                                                    temp.u16("s.txt"))
                                     : writeResult(temp.u16("r.txt"), "result", temp.u16("s.txt"));
            EXPECT_EQ(temp.read("s.txt"), "source text");
            EXPECT_EQ(temp.read("user.txt"), "the user's text");
            switch (c.outcome) {
                case Outcome::OverSource:
                case Outcome::OverFolder:
                    ASSERT_FALSE(written.ok());
                    EXPECT_EQ(written.failure().number, c.outcome == Outcome::OverSource
                                                            ? errors::kOutputIsSource
                                                            : errors::kPathFileAccessError);
                    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(temp.path() / "r.txt")));
                    EXPECT_EQ(entriesIn(temp.path()), 4u) << "no temporary file stays behind";
                    break;
                case Outcome::LinkKeptAside:
                    ASSERT_TRUE(written.ok()) << written.failure().message();
                    EXPECT_EQ(written->backup, temp.u16("r.txt~"));
                    EXPECT_EQ(fs::read_symlink(temp.path() / "r.txt~"), fs::path(c.names));
                    EXPECT_EQ(temp.read("r.txt"), "result");
                    break;
            }
        }
    }
}

// Results flushed together take their names as any other: those prepared to be flushed later,
// one flushed as it was written, and a preparation that failed, passed over by the flush.
TEST(OutputWriter, ResultsFlushedTogetherTakeTheirNames) {
    test::TempFolder temp;
    std::vector<Expected<PreparedResult>> prepared;
    prepared.push_back(prepareResult(temp.u16("a.txt"), "first", Flush::Later));
    prepared.push_back(prepareResult(temp.u16("b.txt"), "second", Flush::Now));
    prepared.push_back(prepareResult(temp.u16("missing/c.txt"), "third", Flush::Later));
    prepared.push_back(prepareResult(temp.u16("d.txt"), "", Flush::Later));
    std::vector<Expected<PreparedResult>*> batch;
    for (auto& result : prepared)
        batch.push_back(&result);
    flushPrepared(batch);
    flushPrepared(batch);  // a second flush finds nothing left to do

    const char* const names[] = {"a.txt", "b.txt", "missing/c.txt", "d.txt"};
    for (std::size_t i = 0; i < prepared.size(); ++i) {
        auto committed = commitResult(temp.u16(names[i]), std::move(prepared[i]), u"");
        EXPECT_EQ(committed.ok(), i != 2) << names[i];
    }
    EXPECT_EQ(temp.read("a.txt"), "first");
    EXPECT_EQ(temp.read("b.txt"), "second");
    EXPECT_EQ(temp.read("d.txt"), "");
    EXPECT_EQ(entriesIn(temp.path()), 3u) << "no temporary file stays behind";
}

// A result whose hidden file went away before it was flushed is never reported written: it
// fails when committed, naming its target, whether the batch flush met the loss, the commit's
// own flush did, or the rename after a flush.
TEST(OutputWriter, AResultLostBeforeItsFlushFailsWhenCommitted) {
    enum class Loss { BeforeBatchFlush, BeforeOwnFlush, AfterBatchFlush };
    for (Loss loss : {Loss::BeforeBatchFlush, Loss::BeforeOwnFlush, Loss::AfterBatchFlush}) {
        test::TempFolder temp;
        auto prepared = prepareResult(temp.u16("r.txt"), "result", Flush::Later);
        ASSERT_TRUE(prepared.ok());
        auto removeTemporary = [&] {
            for (const auto& entry : fs::directory_iterator(temp.path()))
                fs::remove(entry.path());
        };
        Expected<PreparedResult>* batch[] = {&prepared};
        if (loss == Loss::BeforeBatchFlush) removeTemporary();
        if (loss != Loss::BeforeOwnFlush) flushPrepared(batch);
        if (loss != Loss::BeforeBatchFlush) removeTemporary();

        auto committed = commitResult(temp.u16("r.txt"), std::move(prepared), u"");
        ASSERT_FALSE(committed.ok()) << static_cast<int>(loss);
        EXPECT_EQ(committed.failure().number, errors::kPathNotFound) << static_cast<int>(loss);
        EXPECT_EQ(committed.failure().file, temp.u16("r.txt"));
        EXPECT_EQ(entriesIn(temp.path()), 0u);
    }
}

// The batch flush looks at the first result of a folder only; a later one of the same folder
// whose hidden file went away still fails when committed, and the others take their names.
TEST(OutputWriter, AResultLostInABatchOfOneFolderFailsAlone) {
    test::TempFolder temp;
    std::vector<Expected<PreparedResult>> prepared;
    for (const char* name : {"a.txt", "b.txt", "c.txt"})
        prepared.push_back(prepareResult(temp.u16(name), name, Flush::Later));
    for (const auto& entry : fs::directory_iterator(temp.path())) {
        if (entry.path().filename().string().starts_with(".b.txt.")) fs::remove(entry.path());
    }
    std::vector<Expected<PreparedResult>*> batch;
    for (auto& result : prepared)
        batch.push_back(&result);
    flushPrepared(batch);
    const char* const names[] = {"a.txt", "b.txt", "c.txt"};
    for (std::size_t i = 0; i < prepared.size(); ++i) {
        auto committed = commitResult(temp.u16(names[i]), std::move(prepared[i]), u"");
        EXPECT_EQ(committed.ok(), i != 1) << names[i];
        if (!committed.ok()) {
            EXPECT_EQ(committed.failure().file, temp.u16(names[i]));
        }
    }
    EXPECT_EQ(temp.read("a.txt"), "a.txt");
    EXPECT_EQ(temp.read("c.txt"), "c.txt");
    EXPECT_EQ(entriesIn(temp.path()), 2u);
}

}  // namespace
}  // namespace lorvane
