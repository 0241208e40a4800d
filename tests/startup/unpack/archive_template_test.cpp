#include "startup/unpack/archive_template.h"

#include <gtest/gtest.h>

#include "platform/process.h"
#include "platform/text.h"

namespace lorvane {
namespace {

using Arguments = std::vector<std::u16string>;

TEST(ArchiveTemplate, FillsThePlaceholders) {
    struct Case {
        std::u16string templ;
        Arguments arguments;
        std::u16string unpackDir;
    } cases[] = {
        {u" -o %file% -d %path%", {u"-o", u"/d/Lorva.zip", u"-d", u"/d/Lorva/b/"}, u"/d/Lorva/b/"},
        {u"x -y -o%PATH% %File%", {u"x", u"-y", u"-o/d/Lorva/b/", u"/d/Lorva.zip"}, u"/d/Lorva/b/"},
        {u"e \"%file%\" %path%", {u"e", u"/d/Lorva.zip", u"/d/Lorva/b/"}, u"/d/Lorva/b/"},
        // "%path%" keeps the default folder; the first "%path=" names the unpack folder.
        {u"x %file% %path% -o%path=/out/%",
         {u"x", u"/d/Lorva.zip", u"/d/Lorva/b/", u"-o/out/"},
         u"/out/"},
        {u"x -o%path=\\srv\\out\\% %file%", {u"x", u"-o/srv/out/", u"/d/Lorva.zip"}, u"/srv/out/"},
        {u"x -o%path=/out/", {u"x", u"-o/out/"}, u"/out/"},  // no closing "%": to the end
        {u"x -o%path=/out/%-r", {u"x", u"-o/out/-r"}, u"/out/"},
        {u"x %path=/a/% %path=/b/%", {u"x", u"/a/", u"%path=/b/%"}, u"/a/"},
        {u"", {}, u"/d/Lorva/b/"},
        {u" ", {}, u"/d/Lorva/b/"},
    };
    for (const auto& c : cases) {
        const auto expanded = expandArchiveTemplate(c.templ, u"/d/Lorva.zip", u"/d/Lorva/b/");
        EXPECT_EQ(splitCommandLine(expanded.text), c.arguments) << toUtf8(c.templ);
        EXPECT_EQ(expanded.unpackDir, c.unpackDir) << toUtf8(c.templ);
    }
}

TEST(ArchiveTemplate, InsertedPathsStayOneArgumentWhateverTheyHold) {
    const std::u16string hostile[] = {
        u"/d/my texts/Lorva/b c/",    u"/d/Lorva/x; rm -rf $(echo ~) `id`/",
        u"/d/Lorva/say \"hi\" it's/", u"/d/Lorva/back\\slash\\\" q/",
        u"/d/Lorva/%path%/%file%/",   u"/d/Lorva/trailing\\",
    };
    for (const auto& dir : hostile) {
        const auto expanded =
            expandArchiveTemplate(u"x -o%path% \"%file%\" %path%", u"/d/a b.zip", dir);
        EXPECT_EQ(splitCommandLine(expanded.text),
                  (Arguments{u"x", u"-o" + dir, u"/d/a b.zip", dir}))
            << toUtf8(expanded.text);
    }
}

TEST(ArchiveTemplate, QuotingReadsBackAsOneArgument) {
    const std::u16string values[] = {
        u"plain", u"",      u"two words", u"tab\there", u"q\"uote",       u"\"",
        u"\\",    u"end\\", u"a\\\\\"b",  u"a\\b c",    u"$(x); `y` 'z'", u"\"\"",
    };
    for (const auto& value : values) {
        const std::u16string line = u"prog " + quoteArgument(value) + u" next";
        EXPECT_EQ(splitCommandLine(line), (Arguments{u"prog", value, u"next"})) << toUtf8(line);
    }
    EXPECT_EQ(quoteArgument(u"/d/Lorva.zip"), u"/d/Lorva.zip");
}

}  // namespace
}  // namespace lorvane
