// A source that reads as it stands in a single-byte page is converted as its bytes and written
// without being widened, when nothing on the way needs its characters. The stream run reads
// every document as characters, so it is the yardstick here: the same bytes through both must
// give the same result file, byte for byte, whichever way the file run took.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/engine_state.h"
#include "pipeline/conversion_session.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "session_fixture.h"

namespace lorvane::test {
namespace {

class BytesThrough : public SessionFixture {
  protected:
    // Converts the bytes as a source file and as a stream; the file's result must equal the
    // stream's. Returns whether the file run kept the text in bytes to the end (its working
    // text is then left empty).
    bool convertsAlike(const std::string& bytes, const std::string& name = "s.txt") {
        const std::u16string path = source(name, bytes);
        auto written = session().ConvertFile(path);
        EXPECT_TRUE(written.ok()) << (written.ok() ? "" : written.failure().message());
        if (!written.ok()) return false;
        const bool keptInBytes = session().engineState().tmpText.empty();
        const std::string fileResult = readBytes(toFsPath(*written));
        auto streamResult = session().RewriteStream(bytes);
        EXPECT_TRUE(streamResult.ok());
        if (streamResult.ok()) {
            EXPECT_EQ(fileResult, *streamResult) << "source: " << bytes;
        }
        return keptInBytes;
    }
};

TEST_F(BytesThrough, ResultsEqualThoseOfTheCharacterWay) {
    struct Case {
        const char* what;
        std::string table;
        std::string source;
        bool inBytes;  // expected to go through as bytes
    };
    // \xe0 is "а" in 1251; \x98 is a byte 1251 leaves undefined, \xb9 is "№".
    const std::vector<Case> cases = {
        {"plain pairs", "ab == x\r\n\xe0 == \xb9\r\nb == \r\n", "ab \xe0\x98\r\nbab\r\n", true},
        {"no line end at the end", "a == bb\r\n", "aaa\r\nab", true},
        {"an empty source", "a == b\r\n", "", true},
        {"lone line ends", "a == b\r\n", "a\nb\rc\n\rd\r\n", false},
        {"a mark", "a == b\r\n", "\357\273\277abc\r\n", false},
        {"prae and post", ">prae <<\r\n>post \xe0>\r\na == b\r\n", "xa\r\n", true},
        {"joined paragraphs", ">eol2\r\na == b\r\n", "a\r\nb\r\n\r\nc\r\n", true},
        {"paragraphs, the placeholder and three line ends", ">eol2\r\nx == \r\n",
         "a\r\n\r\n\r\nb!%$%$%$%!c\r\nd!%$%$%$\r\n\r\n%!\r\n\r\n", true},
        {"an HTML result", ">extent htm\r\na == b\r\n", "a<b\r\n", false},
        {"another page", ">codepage 65001\r\na == \xe0\r\n", "a\r\n", false},
        {"the same page named", ">codepage 1251\r\na == \xe0\r\n", "a\r\n", true},
        {"a UTF-16 result", ">codepage 1200\r\na == b\r\n", "a\r\n", false},
        {"a numeral", "x == y\r\n>digits 1\r\n", "x 12\r\n", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        session_.reset();
        table("@lat/T.txt", c.table);
        select(u"lat", u"T");
        EXPECT_EQ(convertsAlike(c.source), c.inBytes);
    }
}

// A mode whose name begins with "hip" joins paragraphs unless its table says otherwise.
TEST_F(BytesThrough, AHipModeJoinsParagraphsInBytes) {
    table("@hipx/T.txt", "ab == x\r\n");
    select(u"hipx", u"T");
    EXPECT_TRUE(convertsAlike("ab\r\ncd\r\n\r\nab\r\n"));
    EXPECT_EQ(temp.read("docs/s1.txt"), "x cd\r\nx \r\n");
}

TEST_F(BytesThrough, ALargeSourceGoesThroughAsBytesWhenItsLastLineEnds) {
    table("@lat/T.txt", "ab == x\r\nxa == \r\n\xe0\xe1 == \xe1\xe0\r\n");
    select(u"lat", u"T");
    std::string large;
    for (int i = 0; large.size() < 300000; ++i)
        large += (i % 3 == 0 ? "abab \xe0\xe1\xe1" : "xaab") + std::to_string(i) + "\r\n";
    EXPECT_TRUE(convertsAlike(large));
    // Read line by line, a large file's last line gets its end; the stream run does not add one.
    auto endless = session().ConvertFile(source("e.txt", large + "ab"));
    ASSERT_TRUE(endless.ok());
    EXPECT_FALSE(session().engineState().tmpText.empty());
    EXPECT_EQ(temp.read("docs/e1.txt"), *session().RewriteStream(large + "ab\r\n"));
}

TEST_F(BytesThrough, DocumentsInAnotherPageThanTheTablesAreWidened) {
    table("@lat/T.txt", "\xe0 == b\r\n");  // "а" in the tables' page
    session(1252, 1251);
    select(u"lat", u"T");
    // 0xe0 is "à" in the documents' page: no pair matches it, and it is written back as 0xe0.
    EXPECT_FALSE(convertsAlike("\xe0 a\r\n"));
    EXPECT_EQ(temp.read("docs/s1.txt"), "\xe0 a\r\n\r\n");
}

TEST_F(BytesThrough, AFolderRunOnSeveralThreadsWritesTheSameBytes) {
    auto name = [](int i) { return std::string(i < 10 ? "f0" : "f") + std::to_string(i); };
    table("@lat/T.txt", "ab == x\r\n\xe0 == \xe1\xe1\r\n");
    select(u"lat", u"T");
    std::vector<std::string> texts;
    for (int i = 0; i < 12; ++i) {
        std::string text = (i % 4 == 3) ? "a\nb\n" : "";  // now and then lone line ends
        for (int k = 0; k < 50 * i; ++k)
            text += "ab\xe0 " + std::to_string(k) + "\r\n";
        texts.push_back(text);
        source(name(i) + ".txt", text);
    }
    FileLister lister;
    lister.setPattern(u"f??.txt");
    RunRequest request;
    request.scope = 1;
    request.srcPath = temp.u16("docs/f00.txt");
    request.openResult = false;
    request.lister = &lister;
    request.jobs = 2;
    const RunOutcome outcome = session().Rewrite(request);
    ASSERT_FALSE(outcome.failure.has_value());
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(temp.read("docs/" + name(i) + "1.txt"),
                  *session().RewriteStream(texts[static_cast<std::size_t>(i)]))
            << name(i);
    }
}

}  // namespace
}  // namespace lorvane::test
