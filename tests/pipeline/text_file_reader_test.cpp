#include "platform/text_file_reader.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "platform/line_buffer.h"
#include "platform/error_catalogue.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "recording_desktop.h"
#include "temp_folder.h"

namespace lorvane {
namespace {

std::shared_ptr<const CodePage> page(int number = 1251) {
    return *CodePage::forNumber(number);
}

std::string printable(std::u16string_view text) {
    std::string out;
    for (char16_t c : text) {
        if (c == u'\r')
            out += "<CR>";
        else if (c == u'\n')
            out += "<LF>";
        else
            out += toUtf8(std::u16string(1, c));
    }
    return out;
}

// The four replacements exactly as written, for comparison with the one-pass version.
std::u16string referenceNormalize(std::u16string text) {
    replaceAll(text, u"\n\r", u"\n");
    replaceAll(text, u"\r\n", u"\n");
    replaceAll(text, u"\n", u"\r");
    replaceAll(text, u"\r", u"\r\n");
    return text;
}

// Calls `check` with every text of up to `maxLength` letters of the alphabet, until a check
// fails.
template <class Char, class Check>
void forEveryText(std::basic_string_view<Char> alphabet, int maxLength, Check check) {
    for (int length = 0; length <= maxLength; ++length) {
        std::size_t combinations = 1;
        for (int i = 0; i < length; ++i)
            combinations *= alphabet.size();
        for (std::size_t code = 0; code < combinations; ++code) {
            std::basic_string<Char> text;
            for (std::size_t i = 0, rest = code; i < static_cast<std::size_t>(length);
                 ++i, rest /= alphabet.size())
                text += alphabet[rest % alphabet.size()];
            check(text);
            if (::testing::Test::HasFailure()) return;
        }
    }
}

TEST(LineEnds, OnePassEqualsTheFourReplacementsOnEveryShortText) {
    forEveryText<char16_t>(u"a\r\n", 8, [](const std::u16string& text) {
        std::u16string normalized = text;
        normalizeLineEnds(normalized);
        EXPECT_EQ(normalized, referenceNormalize(text)) << printable(text);
    });
}

// The quick check agrees with the normalisation it stands in for, wherever the line ends fall
// against the blocks it looks at: every short pattern, placed at each offset around a block end.
TEST(LineEnds, TheQuickCheckSaysExactlyWhenNormalisingChangesNothing) {
    forEveryText<char>("a\r\n", 5, [](const std::string& pattern) {
        for (std::size_t offset : {0, 1, 12, 14, 15, 16, 30, 31, 33}) {
            const std::string bytes = std::string(offset, 'x') + pattern + "yz\r\nabc";
            std::u16string text(bytes.begin(), bytes.end());
            normalizeLineEnds(text);
            const bool unchanged = text == std::u16string(bytes.begin(), bytes.end());
            EXPECT_EQ(everyLineEndIsCrLf(bytes), unchanged) << printable(text);
            // Cut after the pattern: its last CR, if any, is lone either way.
            EXPECT_EQ(everyLineEndIsCrLf(bytes.substr(0, offset + pattern.size())), unchanged)
                << offset << " " << printable(text);
        }
    });
}

// Line by line as first defined: each line, ended by CR LF or a lone CR, gets CR LF; then the
// four replacements run over the whole text.
std::u16string referenceLineByLine(const std::u16string& text) {
    std::u16string assembled;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find(u'\r', start);
        if (end == std::u16string::npos) end = text.size();
        assembled += text.substr(start, end - start) + u"\r\n";
        start = end + 1;
        if (end < text.size() && start < text.size() && text[start] == u'\n') ++start;
    }
    return referenceNormalize(assembled);
}

TEST(LineEnds, LineByLineEqualsItsDefinitionOnEveryShortText) {
    forEveryText<char16_t>(u"a\r\n ", 7, [](const std::u16string& text) {
        auto assembled = assembleLines(text);
        ASSERT_TRUE(assembled.ok());
        EXPECT_EQ(*assembled, referenceLineByLine(text)) << printable(text);
    });
}

TEST(LineEnds, EachKindOfLineEndBecomesOneCrLf) {
    struct Case {
        std::u16string input, expected;
    } cases[] = {
        {u"a\nb", u"a\r\nb"},     {u"a\rb", u"a\r\nb"},
        {u"a\n\rb", u"a\r\nb"},   {u"a\r\n\r\nb", u"a\r\n\r\nb"},
        {u"a\r\n\rb", u"a\r\nb"}, {u"", u""},
        {u"\r", u"\r\n"},         {u"plain", u"plain"},
    };
    for (const auto& c : cases) {
        std::u16string text = c.input;
        normalizeLineEnds(text);
        EXPECT_EQ(text, c.expected) << printable(c.input);
    }
}

struct ReaderCase {
    const char* name;
    std::string bytes;
    std::u16string expected;
};

TEST(ReadTextFile, SmallFilesAreReadWholeAndNormalised) {
    const ReaderCase cases[] = {
        {"empty", "", u""},
        {"no final line end", "ab\r\ncd", u"ab\r\ncd"},
        {"lone LF", "a\nb\n", u"a\r\nb\r\n"},
        {"lone CR", "a\rb", u"a\r\nb"},
        {"LF CR is one line end", "a\n\rb", u"a\r\nb"},
        {"two CR LF stay two", "a\r\n\r\nb", u"a\r\n\r\nb"},
        {"code page bytes", "\xcf\xf1\xe0\xeb\xee\xec", u"Псалом"},
    };
    test::TempFolder temp;
    test::RecordingDesktop desktop;
    for (const auto& c : cases) {
        const auto path = temp.write("small.txt", c.bytes);
        EXPECT_EQ(ReadTextFile(fromFsPath(path), *page(), &desktop), c.expected) << c.name;
    }
    EXPECT_EQ(desktop.beeps, 0);
    EXPECT_TRUE(desktop.messages.empty());
}

// Pads a text with a first line of "x" so the file has `size` bytes.
std::string paddedTo(std::size_t size, const std::string& tail) {
    return std::string(size - tail.size() - 2, 'x') + "\r\n" + tail;
}

TEST(ReadTextFile, LargeFilesAreReadLineByLine) {
    const ReaderCase cases[] = {
        {"final line end added", "ab\r\ncd", u"ab\r\ncd\r\n"},
        {"lone LF stays in its line, then becomes CR LF", "a\nb", u"a\r\nb\r\n"},
        {"lone CR ends a line", "a\rb\r", u"a\r\nb\r\n"},
        {"LF CR counts twice", "a\n\rb", u"a\r\n\r\nb\r\n"},
        {"spaces-only line stays", "a\r\n   \r\nb\r\n", u"a\r\n   \r\nb\r\n"},
        {"empty lines stay", "a\r\n\r\n\r\n", u"a\r\n\r\n\r\n"},
    };
    test::TempFolder temp;
    test::RecordingDesktop desktop;
    const std::size_t size = kLineByLineSize + 100;
    for (const auto& c : cases) {
        const auto path = temp.write("large.txt", paddedTo(size, c.bytes));
        const std::u16string head(size - c.bytes.size() - 2, u'x');
        EXPECT_EQ(ReadTextFile(fromFsPath(path), *page(), &desktop), head + u"\r\n" + c.expected)
            << c.name;
    }
    EXPECT_EQ(desktop.beeps, 0);
}

TEST(ReadTextFile, TheLimitDecidesTheWayOfReading) {
    test::TempFolder temp;
    const auto below = temp.write("below.txt", std::string(kLineByLineSize - 1, 'a'));
    const auto at = temp.write("at.txt", std::string(kLineByLineSize, 'a'));
    EXPECT_EQ(ReadTextFile(fromFsPath(below), *page(), nullptr),
              std::u16string(kLineByLineSize - 1, u'a'));
    EXPECT_EQ(ReadTextFile(fromFsPath(at), *page(), nullptr),
              std::u16string(kLineByLineSize, u'a') + u"\r\n");
}

TEST(ReadTextFile, LargeFilesDecodeMultiByteCodePages) {
    test::TempFolder temp;
    std::string bytes;
    while (bytes.size() < kLineByLineSize)
        bytes += "\xd0\x9f\xd1\x81\xd0\xb0\xd0\xbb\xd0\xbe\xd0\xbc\n";
    const auto path = temp.write("utf8.txt", bytes);
    const std::u16string text = ReadTextFile(fromFsPath(path), *page(65001), nullptr);
    // The whole file is one line (lone LFs do not end lines here), so the final LF and the
    // CR LF the reader adds become two line ends.
    ASSERT_EQ(text.size(), bytes.size() / 13 * 8 + 2);
    EXPECT_EQ(text.substr(0, 8), u"Псалом\r\n");
    EXPECT_EQ(text.substr(text.size() - 10), u"Псалом\r\n\r\n");
}

// Large files are read without a buffer of their bytes when nothing but the page decides their
// text; every other kind is read the general way. Each case spans several of the slices the
// bytes are widened in, and holds every byte the page knows.
TEST(ReadTextFile, LargeFilesReadTheSameWhicheverWayTheyAreRead) {
    std::string line;
    for (int byte = 0x20; byte < 0x100; ++byte)
        line += static_cast<char>(byte);
    line += "\r\n";
    std::string body;
    while (body.size() < kLineByLineSize + 10000)
        body += line;
    const std::u16string bodyText = page()->decode(body);
    const std::string psalm = "\xd0\x9f\xd1\x81\xd0\xb0\xd0\xbb\xd0\xbe\xd0\xbc\r\n";  // UTF-8
    std::string psalms;
    while (psalms.size() < kLineByLineSize + 10000)
        psalms += psalm;
    std::u16string psalmsText;
    for (std::size_t i = 0; i < psalms.size() / psalm.size(); ++i)
        psalmsText += u"Псалом\r\n";

    struct Case {
        const char* name;
        std::string bytes;
        std::u16string expected;
        bool looksLikeUtf8;
    } cases[] = {
        {"code page bytes", body, bodyText, false},
        {"no final line end", body + "end", bodyText + u"end\r\n", false},
        {"UTF-8 mark", "\xef\xbb\xbf" + psalms, psalmsText, false},
        {"UTF-8 without a mark, read in the page", psalms, page()->decode(psalms), true},
    };
    test::TempFolder temp;
    for (const auto& c : cases) {
        const auto path = temp.write("large.txt", c.bytes);
        FileEncoding found;
        auto text = readLineByLine(fromFsPath(path), *page(), &found);
        ASSERT_TRUE(text.ok()) << c.name;
        EXPECT_TRUE(*text == c.expected) << c.name;
        EXPECT_EQ(found.looksLikeUtf8, c.looksLikeUtf8) << c.name;
        ASSERT_TRUE(found.page) << c.name;
        EXPECT_EQ(found.page->number(), c.bytes.starts_with("\xef") ? 65001 : 1251) << c.name;
    }
}

TEST(ReadTextFile, WhatCannotBeReadGivesNothingSilently) {
    test::TempFolder temp;
    temp.makeFolder("folder");
    test::RecordingDesktop desktop;
    for (const std::u16string& path : {std::u16string(), temp.u16("missing.txt"),
                                       temp.u16("folder"), temp.u16("missing/deeper.txt")}) {
        EXPECT_EQ(ReadTextFile(path, *page(), &desktop), u"") << toUtf8(path);
    }
    EXPECT_EQ(desktop.beeps, 0);
    EXPECT_TRUE(desktop.messages.empty());
}

bool runningAsRoot() {
    return ::geteuid() == 0;
}

TEST(ReadTextFile, AnUnreadableSmallFileIsSilent) {
    if (runningAsRoot()) GTEST_SKIP() << "permissions do not stop root from reading";
    test::TempFolder temp;
    const auto path = temp.write("locked.txt", "abc");
    std::filesystem::permissions(path, std::filesystem::perms::none);
    test::RecordingDesktop desktop;
    EXPECT_EQ(ReadTextFile(fromFsPath(path), *page(), &desktop), u"");
    EXPECT_EQ(desktop.beeps, 0);
    EXPECT_TRUE(desktop.messages.empty());
}

TEST(ReadTextFile, AnUnreadableLargeFileBeepsAndSaysWhy) {
    if (runningAsRoot()) GTEST_SKIP() << "permissions do not stop root from reading";
    test::TempFolder temp;
    const auto path = temp.write("locked.txt", std::string(kLineByLineSize, 'a'));
    std::filesystem::permissions(path, std::filesystem::perms::none);
    test::RecordingDesktop desktop;
    EXPECT_EQ(ReadTextFile(fromFsPath(path), *page(), &desktop), u"");
    EXPECT_EQ(desktop.beeps, 1);
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text,
              u"Невозможно прочесть файл\r\n\r\n(70 / Отказано в разрешении).\r\n");
    EXPECT_EQ(desktop.messages[0].caption, u"Ошибка!");
    EXPECT_EQ(desktop.messages[0].icon, MessageIcon::Stop);
}

TEST(ReadTextFile, TheLargeFileFailureCarriesNumberAndDescription) {
    // The same path the message is built from, reachable without file permissions.
    test::TempFolder temp;
    auto missing = readLineByLine(temp.u16("gone.txt"), *page());
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.failure().number, errors::kFileNotFound);
    const MessageRequest message = unreadableFileMessage(missing.failure());
    EXPECT_EQ(message.text, u"Невозможно прочесть файл\r\n\r\n(53 / Файл не найден).\r\n");
    EXPECT_EQ(message.caption, u"Ошибка!");
    EXPECT_EQ(message.icon, MessageIcon::Stop);
    EXPECT_EQ(message.buttons, 0);
}

TEST(LineBuffer, GrowsInWholeStepsAndReturnsOnlyTheUsedPart) {
    LineBuffer buffer;
    ASSERT_TRUE(buffer.append(u"ab\r\n", 1).ok());
    EXPECT_EQ(buffer.capacity(1), LineBuffer::kGrowthStep);
    EXPECT_EQ(*buffer.take(1), u"ab\r\n");
    const std::u16string big(LineBuffer::kGrowthStep * 3 + 5, u'z');
    ASSERT_TRUE(buffer.append(big, 1).ok());
    EXPECT_EQ(buffer.used(1), big.size() + 4);
    EXPECT_EQ(buffer.capacity(1) % LineBuffer::kGrowthStep, 0u);
    EXPECT_GE(buffer.capacity(1), buffer.used(1));
    EXPECT_EQ(*buffer.take(1), u"ab\r\n" + big);
    EXPECT_EQ(*buffer.take(2), u"") << "other buffers stay untouched";
}

TEST(LineBuffer, EmptyAndSpacesOnlyPiecesAreIgnored) {
    LineBuffer buffer;
    for (std::u16string_view piece : {u"", u" ", u"    "}) {
        ASSERT_TRUE(buffer.append(piece, 0).ok());
    }
    EXPECT_EQ(buffer.used(0), 0u);
    EXPECT_EQ(buffer.capacity(0), 0u);
    ASSERT_TRUE(buffer.append(u" \r\n", 0).ok());
    EXPECT_EQ(*buffer.take(0), u" \r\n");
}

TEST(LineBuffer, ClearAndReleaseEmptyTheBuffer) {
    LineBuffer buffer;
    ASSERT_TRUE(buffer.append(u"abc", 255).ok());
    ASSERT_TRUE(buffer.clear(255).ok());
    EXPECT_EQ(buffer.capacity(255), 0u);
    EXPECT_EQ(*buffer.take(255), u"");
    ASSERT_TRUE(buffer.append(u"def", 255).ok());
    EXPECT_EQ(*buffer.release(255), u"def");
    EXPECT_EQ(buffer.used(255), 0u);
    EXPECT_EQ(buffer.capacity(255), 0u);
}

TEST(LineBuffer, NumbersOutsideTheRangeFail) {
    LineBuffer buffer;
    for (int n : {-1, 256, 1000}) {
        Status appended = buffer.append(u"x", n);
        ASSERT_FALSE(appended.ok()) << n;
        EXPECT_EQ(appended.failure().number, errors::kSubscriptOutOfRange);
        EXPECT_FALSE(buffer.take(n).ok()) << n;
        EXPECT_FALSE(buffer.clear(n).ok()) << n;
        EXPECT_FALSE(buffer.release(n).ok()) << n;
    }
}

}  // namespace
}  // namespace lorvane
