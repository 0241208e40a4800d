// The pass shortcuts (fused single-character pairs, passes that cannot interact run as one scan,
// skipping by counts, anchored search, in-place rewriting) against the plain definition: one
// full replace-all pass per pair line, in order.
#include <gtest/gtest.h>

#include <array>
#include <random>

#include "engine_fixture.h"
#include "platform/text.h"

namespace lorvane::test {
namespace {

std::u16string plainReplaceAll(const std::u16string& text, const std::u16string& search,
                               const std::u16string& replacement) {
    if (search.empty()) return text;
    std::u16string out;
    for (std::size_t i = 0; i < text.size();) {
        if (text.compare(i, search.size(), search) == 0) {
            out += replacement;
            i += search.size();
        } else {
            out.push_back(text[i++]);
        }
    }
    return out;
}

// The reference: every line that holds " == " is one pass of its literal search side (the
// generated search sides never begin with a number).
std::u16string reference(std::u16string text, const std::vector<std::u16string>& lines) {
    for (const auto& line : lines) {
        const auto at = line.find(u" == ");
        if (at == std::u16string::npos) continue;
        text = plainReplaceAll(text, line.substr(0, at), line.substr(at + 4));
    }
    return text;
}

class Differential : public EngineTest {
  protected:
    std::mt19937 random{20261208};

    // Letters from a tiny alphabet; in odd rounds its last letter has no code in the program's
    // code page, so the passes must stay on UTF-16 units instead of code-page bytes.
    std::u16string randomText(std::size_t minLength, std::size_t maxLength, int letters) {
        std::uniform_int_distribution<std::size_t> length(minLength, maxLength);
        std::uniform_int_distribution<int> letter(0, letters - 1);
        std::u16string text(length(random), u'a');
        for (auto& c : text) {
            const int l = letter(random);
            c = (unencodable && l == letters - 1) ? u'\u4E2D' : static_cast<char16_t>(u'a' + l);
        }
        return text;
    }

    bool unencodable = false;

    std::vector<std::u16string> randomTable(int letters) {
        std::uniform_int_distribution<int> count(1, 12);
        std::uniform_int_distribution<int> kind(0, 9);
        std::vector<std::u16string> lines;
        for (int i = count(random); i > 0; --i) {
            const int k = kind(random);
            // Mostly single-character pairs (fused), some longer ones, some empty replacements,
            // now and then a line that is not a pair or a directive that is also a pair.
            std::u16string search = randomText(1, k < 6 ? 1 : 3, letters);
            std::u16string replacement = randomText(k == 9 ? 0 : 1, 3, letters + 1);
            if (k == 8) lines.push_back(u"no pair here");
            if (k == 7) search = u">prae " + search;
            lines.push_back(search + u" == " + replacement);
        }
        return lines;
    }

    // The engine's text for the table against the reference's; false (and a failure) when
    // they differ.
    bool agrees(const std::u16string& text, const std::vector<std::u16string>& table) {
        std::vector<std::u16string_view> views(table.begin(), table.end());
        state.tmpText = text;
        engine.applyLines(views, 0, scripts);
        std::u16string lines;
        for (const auto& line : table)
            lines += line + u" | ";
        EXPECT_EQ(state.tmpText, reference(text, table))
            << "text " << toUtf8(text) << "\ntable " << toUtf8(lines);
        return state.tmpText == reference(text, table);
    }

    void check(std::size_t minLength, std::size_t maxLength, int rounds) {
        engine.setShortcutThreshold(0);
        for (int round = 0; round < rounds; ++round) {
            unencodable = round % 2 == 1;
            const int letters = 2 + round % 3;
            const std::u16string text = randomText(minLength, maxLength, letters);
            if (!agrees(text, randomTable(letters))) return;
        }
    }
};

TEST_F(Differential, ShortTextsAgreeWithOnePassPerPair) {
    check(0, 30, 6000);
}

TEST_F(Differential, LongerTextsAgreeWithOnePassPerPair) {
    check(200, 3000, 400);
}

// Tables of multi-character pairs over a wider alphabet, so that runs of pairs that cannot
// interact (fused into one scan) are common, and so are near misses: a search text that
// overlaps an earlier one at one end, lies inside an earlier replacement, or spans the joint an
// earlier deletion leaves.
class FusedDifferential : public Differential {
  protected:
    std::u16string randomWord(std::size_t minLength, std::size_t maxLength,
                              std::u16string_view alphabet) {
        std::uniform_int_distribution<std::size_t> length(minLength, maxLength);
        std::uniform_int_distribution<std::size_t> letter(0, alphabet.size() - 1);
        std::u16string word(length(random), u'a');
        for (auto& c : word)
            c = alphabet[letter(random)];
        return word;
    }

    void check(std::size_t maxText, int rounds) {
        engine.setShortcutThreshold(0);
        for (int round = 0; round < rounds; ++round) {
            // In every third round one letter has no code in the code page: the scan then runs
            // on UTF-16 units instead of code-page bytes.
            const std::u16string alphabet = round % 3 == 2 ? u"abcde\u4E2D" : u"abcdef";
            const std::u16string text = randomWord(0, maxText, alphabet);
            std::uniform_int_distribution<int> count(2, 9);
            std::uniform_int_distribution<int> kind(0, 9);
            std::vector<std::u16string> table;
            for (int i = count(random); i > 0; --i) {
                const int k = kind(random);
                const std::u16string search = randomWord(k < 2 ? 1 : 2, 3, alphabet);
                // Replacements mostly from other letters (no interaction), some from the same
                // ones (they may create later matches), some empty (deletions), some longer.
                std::u16string replacement = k < 5   ? randomWord(1, 2, u"XYZ")
                                             : k < 7 ? randomWord(1, 3, alphabet)
                                             : k < 8 ? u""
                                                     : randomWord(3, 5, u"XYZa");
                table.push_back(search + u" == " + replacement);
            }
            if (!agrees(text, table)) return;
        }
    }
};

TEST_F(FusedDifferential, ShortTextsAgreeWithOnePassPerPair) {
    check(40, 20000);
}

TEST_F(FusedDifferential, LongerTextsAgreeWithOnePassPerPair) {
    check(2000, 1500);
}

TEST_F(Differential, TablesAppliedFromFilesAgreeToo) {
    engine.setShortcutThreshold(0);
    for (int round = 0; round < 300; ++round) {
        const std::u16string text = randomText(0, 200, 3);
        const auto table = randomTable(3);
        std::u16string file;
        for (const auto& line : table)
            file += line + u"\r\n";
        state.tmpText = text;
        ASSERT_TRUE(engine.Rplc2(writeTable("@hip/r.txt", file), scripts).ok());
        // Lines of four characters or fewer are skipped in table files.
        std::vector<std::u16string> applied;
        for (const auto& line : table) {
            if (line.size() > 4) applied.push_back(line);
        }
        ASSERT_EQ(state.tmpText, reference(text, applied)) << toUtf8(text) << " / " << toUtf8(file);
    }
}

// The lines of one table spread over a table and the includes it nests, now and then with a
// script between them that changes the text (its answer: every a made b, then "ca" added) and an
// include that names no file: the passes go on across the tables, and the counts that let a
// pass be skipped must follow the script's change.
TEST_F(Differential, TablesSpreadOverIncludesAgreeToo) {
    engine.setShortcutThreshold(0);
    scripts.answers[u"s.vbs"] = [this]() -> Expected<std::u16string> {
        std::u16string text = state.tmpText;
        for (char16_t& c : text) {
            if (c == u'a') c = u'b';
        }
        return text + u"ca";
    };
    auto scripted = [](std::u16string text) {
        for (char16_t& c : text) {
            if (c == u'a') c = u'b';
        }
        return text + u"ca";
    };
    std::uniform_int_distribution<int> cut(0, 5);
    for (int round = 0; round < 400; ++round) {
        // Only the text may hold a letter without a code: a table file could not hold it.
        unencodable = round % 2 == 1;
        std::u16string expected = randomText(0, 300, 3);
        const std::u16string text = expected;
        unencodable = false;
        // Three files, each holding its share of lines and then an include of the next one, so
        // the lines apply in the order they were made.
        std::u16string files[3];
        std::size_t file = 0;
        for (const auto& line : randomTable(3)) {
            if (line.size() <= 4) continue;  // skipped in table files
            if (cut(random) == 0 && file < 2) ++file;
            if (cut(random) == 0) {
                files[file] += u">script s.vbs\r\n";
                expected = scripted(expected);
            }
            if (cut(random) == 0) files[file] += u">go@none.txt\r\n";
            files[file] += line + u"\r\n";
            expected = reference(expected, {line});
        }
        files[0] += u">go@i1.txt\r\n";
        files[1] += u">go@i2.txt\r\n";
        writeTable("@hip/@i2.txt", files[2]);
        writeTable("@hip/@i1.txt", files[1]);
        state.tmpText = text;
        ASSERT_TRUE(engine.Rplc2(writeTable("@hip/r.txt", files[0]), scripts).ok());
        std::u16string flat;
        for (const auto& part : files)
            flat += part;
        EXPECT_EQ(state.tmpText, expected) << toUtf8(text) << " / " << toUtf8(flat);
        if (HasFailure()) return;
    }
}

// An include applied twice in a row, just written: each application compiles it anew, and the
// passes queued from the first must stay readable while the second replaces it in the cache.
TEST_F(Differential, AnIncludeAppliedTwiceInARowAgrees) {
    engine.setShortcutThreshold(0);
    for (int round = 0; round < 100; ++round) {
        const std::u16string text = randomText(0, 200, 3);
        std::u16string include;
        std::vector<std::u16string> applied;
        for (const auto& line : randomTable(3)) {
            if (line.size() <= 4) continue;  // skipped in table files
            include += line + u"\r\n";
            applied.push_back(line);
        }
        writeTable("@hip/@twice.txt", include);
        state.tmpText = text;
        ASSERT_TRUE(
            engine.Rplc2(writeTable("@hip/r.txt", u">go@twice.txt\r\n>go@twice.txt\r\n"), scripts)
                .ok());
        EXPECT_EQ(state.tmpText, reference(reference(text, applied), applied))
            << toUtf8(text) << " / " << toUtf8(include);
        if (HasFailure()) return;
    }
}

// The same spread tables applied at the top level to a text given as code-page bytes, with
// scripts between the lines now and then: one adds "ca", one a character without a code. Every
// other round the tables are UTF-8 files whose pairs may hold that character too. The shortcuts
// start at no length, at 50 units (texts grow and shrink across it) or above every text here.
// The text must come back standing for the same characters; in bytes whenever neither a script
// nor a table brought in the character without a code, and never while it holds it.
TEST_F(Differential, TablesAppliedToBytesAgreeToo) {
    auto write = [this](const std::string& relative, const std::u16string& text, bool utf8) {
        if (!utf8) return writeTable(relative, text);
        folder.write(relative, "\xEF\xBB\xBF" + toUtf8(text));
        return folder.u16(relative);
    };
    scripts.answers[u"s.vbs"] = [this]() -> Expected<std::u16string> {
        return state.tmpText + u"ca";
    };
    scripts.answers[u"w.vbs"] = [this]() -> Expected<std::u16string> {
        return state.tmpText + u"\u4E2D";
    };
    const CodePage& page = *state.codePage;
    std::uniform_int_distribution<int> cut(0, 6);
    for (int round = 0; round < 600; ++round) {
        engine.setShortcutThreshold(std::array<std::size_t, 3>{0, 50, 4096}[round % 3]);
        unencodable = false;
        const std::u16string text = randomText(0, 300, 3);
        const bool utf8 = round % 2 == 1;
        unencodable = utf8;
        std::u16string expected = text;
        const std::string name = std::to_string(round);
        std::u16string files[3];
        std::size_t file = 0;
        bool scripted = false;
        for (const auto& line : randomTable(3)) {
            if (line.size() <= 4) continue;  // skipped in table files
            if (cut(random) == 0 && file < 2) ++file;
            if (cut(random) == 0) {
                const bool wide = cut(random) < 2;
                files[file] += wide ? u">script w.vbs\r\n" : u">script s.vbs\r\n";
                expected += wide ? u"\u4E2D" : u"ca";
                scripted = true;
            }
            files[file] += line + u"\r\n";
            expected = reference(expected, {line});
        }
        files[0] += u">go@i1-" + fromUtf8(name) + u".txt\r\n";
        files[1] += u">go@i2-" + fromUtf8(name) + u".txt\r\n";
        write("@hip/@i2-" + name + ".txt", files[2], utf8);
        write("@hip/@i1-" + name + ".txt", files[1], utf8);
        const auto table =
            engine.topLevelTable(write("@hip/r" + name + ".txt", files[0], utf8), nullptr);
        DocumentText made =
            engine.applyTable(*table, DocumentText::ofBytes(page.encode(text)), 0, scripts);
        const bool inBytes = made.inBytes;
        std::u16string flat;
        for (const auto& part : files)
            flat += part;
        EXPECT_EQ(made.unitsIn(page), expected) << toUtf8(text) << " / " << toUtf8(flat);
        if (!scripted && flat.find(u'\u4E2D') == std::u16string::npos) {
            EXPECT_TRUE(inBytes) << toUtf8(flat);
        }
        if (expected.find(u'\u4E2D') != std::u16string::npos) {
            EXPECT_FALSE(inBytes);
        }
        if (HasFailure()) return;
    }
}

}  // namespace
}  // namespace lorvane::test
