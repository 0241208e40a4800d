// The bundled hip schemes at work: short texts of our own for every kind of table line, and the
// bundled sample converted by both schemes, the UCS result read back to Unicode.
#include <gtest/gtest.h>
#include <unicode/normalizer2.h>
#include <unicode/ucnv.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "run_program.h"
#include "temp_folder.h"

namespace lorvane {
namespace {

namespace fs = std::filesystem;

std::string recoded(const std::string& bytes, const char* to, const char* from) {
    UErrorCode status = U_ZERO_ERROR;
    std::string out(bytes.size() * 4 + 16, '\0');
    const int32_t length = ucnv_convert(to, from, out.data(), static_cast<int32_t>(out.size()),
                                        bytes.data(), static_cast<int32_t>(bytes.size()), &status);
    EXPECT_TRUE(U_SUCCESS(status)) << u_errorName(status);
    out.resize(U_SUCCESS(status) ? static_cast<size_t>(length) : 0);
    return out;
}

std::string cp1251Of(const std::string& utf8) {
    return recoded(utf8, "windows-1251", "UTF-8");
}
std::string utf8Of(const std::string& cp1251) {
    return recoded(cp1251, "UTF-8", "windows-1251");
}

// A result as text: without a UTF-8 mark and without the line end the writer puts last.
std::string resultText(std::string bytes) {
    if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) bytes.erase(0, 3);
    if (bytes.size() >= 2 && bytes.compare(bytes.size() - 2, 2, "\r\n") == 0)
        bytes.resize(bytes.size() - 2);
    return bytes;
}

const std::map<std::string, std::optional<std::string>> kCleanEnvironment = {
    {"LORVANE_HOME", std::nullopt},
    {"LORVANE_CODEPAGE", std::nullopt},
    {"LORVANE_TABLE_CODEPAGE", std::nullopt},
    {"LORVANE_NO_OPEN", "1"}};

// Converts with a scheme ("hip-unicode") or, given as "mode/table", a table of a mode; returns
// the result beside the source. Users' hip texts are 8-bit code page 1251 files; so are the
// sources here.
std::string convertFile(const std::string& scheme, const fs::path& source) {
    std::vector<std::string> arguments{"--home", LORVANE_BUNDLE_DIR};
    const size_t slash = scheme.find('/');
    if (slash == std::string::npos) {
        arguments.insert(arguments.end(), {"--scheme", scheme});
    } else {
        arguments.insert(arguments.end(),
                         {"--mode", scheme.substr(0, slash), "--table", scheme.substr(slash + 1)});
    }
    arguments.push_back(source.string());
    const auto run = test::runProgram(LORVANE_CLI_PATH, arguments, kCleanEnvironment);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    fs::path result = source;
    result.replace_extension(".txt");
    return resultText(test::readBytes(result));
}

std::string convertHip(const std::string& scheme, const std::string& hipUtf8) {
    test::TempFolder temp;
    return convertFile(scheme, temp.write("text.hip", cp1251Of(hipUtf8)));
}

struct HipCase {
    const char* name;
    const char* hip;      // as typed, UTF-8 here
    const char* unicode;  // the hip-unicode result (UTF-8, NFC)
    const char* ucs;      // the hip-ucs result, as the characters of code page 1251
};

// Each line class of the tables once: the special letters, i before letters, breathings and
// accents, titla and letter titla, numerals, and every language tag.
const HipCase kCases[] = {
    {"yat_iotified_broad_letters", "jь Jь jа Jа _е _Е _о _О w W _w _W", "ѣ Ѣ ꙗ Ꙗ є Є ѻ Ѻ ѡ Ѡ ѽ Ѽ",
     "э Э я Я є Є o O w W q Q"},
    {"ot_ksi_psi_zelo_fita_izhitsa", "w\\т W\\т _кс _Кс _пс _Пс s S f F v V мv\"ро",
     "ѿ Ѿ ѯ Ѯ ѱ Ѱ ѕ Ѕ ѳ Ѳ ѵ Ѵ мѷро", "t T x X p P ѕ Ѕ f F v V мmро"},
    {"yus_uk_and_narrow_o", "я Я у У о_у О_у т<о_>гw ст<_w>рагw",
     "ѧ Ѧ ꙋ Ꙋ ᲂу Оу тᲂгѡ стꙍрагѡ", "z Z у У u U тогw стwрагw"},
    {"i_with_two_dots_before_a_letter", "сiя` бытiе` i'мя _iс ii",
     "сїѧ\u0300 бытїѐ і\u0301мѧ іс їі", "сіz2 бытіE i1мz iс іi"},
    {"breathing_and_accents", "а' а` а^ и=' и=` _е= о= _Е='",
     "а\u0301 а\u0300 а\u0311 и\u0486\u0301 и\u0486\u0300 є\u0486 о\u0486 Є\u0486\u0301",
     "а1 а2 а6 и31 и32 є3 о3 Є31"},
    {"titlo_letter_titla_and_yerok", "гд\\сь бг~ъ прп\\дбный тр\\оце ц\\рь за\\ч бл\\ж без\\ъ",
     "гд\u2DED\u0487ь бг\u0483ъ прп\u2DE3бный тр\u2DEA\u0487це ц\u2DEC\u0487ь за\u2DF1\u0487 "
     "бл\u2DE4 без\u033E",
     "гдcь бг7ъ прпdбный трbце ц>ь за? бл• без8"},
    {"letter_titla_without_ucs_codes", "мл\\твы вре\\мя", "мл\u2DEEвы вре\u2DE8ѧ", "мл™вы врем7z"},
    {"numerals_with_titlo_and_thousands", "а~ в~i #а~ф~ s~ f~_i",
     "а\u0483 в\u0483і \u0482а\u0483ф\u0483 ѕ\u0483 ѳ\u0483і", "а7 в7i ¤а7ф7 ѕ7 f7i"},
    {"asterisk_kavyka_dash", "* @ <->", "\uA673 \uA67E –", "* ° –"},
    {"format_markers_kept_in_unicode_dropped_in_ucs", "%<Б%>л~го %[и=%] %(w%)",
     "%<Б%>л\u0483го %[и\u0486%] %(ѡ%)", "Бл7го и3 w"},
    {"language_tags", "i=и~ль <::рус>Русский: у, я<::лат>Оrthоdох Сhurсh<::греч>Kyrie<::слав>i=с",
     "і\u0486и\u0483ль Русский: у, яOrthodox ChurchKyrieі\u0486с",
     "i3и7ль Рµсский: µ, яOrthodox ChurchKyriei3с"},
};

void PrintTo(const HipCase& c, std::ostream* out) {
    *out << c.name;
}

class HipSchemes : public ::testing::TestWithParam<HipCase> {};

TEST_P(HipSchemes, UnicodeSchemeGivesTheLettersAndMarks) {
    EXPECT_EQ(convertHip("hip-unicode", GetParam().hip), GetParam().unicode);
}

TEST_P(HipSchemes, UcsSchemeGivesTheFontCodes) {
    EXPECT_EQ(utf8Of(convertHip("hip-ucs", GetParam().hip)), GetParam().ucs);
}

INSTANTIATE_TEST_SUITE_P(LineClasses, HipSchemes, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct CivilCase {
    const char* name;
    const char* hip;
    const char* civil;  // what the table Гражданский writes
};

const CivilCase kCivilCases[] = {
    {"letters_and_marks", "Jа='кw вjь'ра _е=ди'на w\\т бг~а, о_у=слы'ши сiя`",
     "Яко вера едина от бга, услыши сия"},
    {"numerals_in_letters_become_digits", "Гла'съ в~. Пjь'снь а~, (_Псало'мъ _кс~а), з~_i, #а~ц~и~",
     "Глас 2. Песнь 1, (Псалом 61), 17, 1908"},
    {"abbreviations_and_digits_stay", "бг~ъ ст~а'я мц\\са, с. 168", "бг стая мцса, с. 168"},
    {"language_tags", "и= <::лат>оrthlib.ru <::рус>Русский: w, i<::слав> f",
     "и orthlib.ru Русский: w, i ф"},
};

TEST(HipCivilTable, WritesModernSpelling) {
    for (const CivilCase& c : kCivilCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(utf8Of(convertHip("hip/Гражданский", c.hip)), c.civil);
    }
}

// What the UCS font codes our tables write show, as the font's chart gives them: the code
// (a character of code page 1251, UTF-8 here) and the Unicode it stands for.
const std::map<std::u16string, std::u16string>& ucsShows() {
    static const std::map<std::u16string, std::u16string> shows = {
        {u"1", u"\u0301"},
        {u"2", u"\u0300"},
        {u"3", u"\u0486"},
        {u"6", u"\u0311"},
        {u"7", u"\u0483"},
        {u"8", u"\u033E"},
        {u"*", u"\uA673"},
        {u"°", u"\uA67E"},
        {u"¤", u"\u0482"},
        {u"+", u"\u2DE1\u0487"},
        {u"=", u"\u2DE9\u0487"},
        {u">", u"\u2DEC\u0487"},
        {u"?", u"\u2DF1\u0487"},
        {u"<", u"\u2DEF"},
        {u"b", u"\u2DEA\u0487"},
        {u"c", u"\u2DED\u0487"},
        {u"d", u"\u2DE3"},
        {u"g", u"\u2DE2\u0487"},
        {u"€", u"\u2DE5"},
        {u"•", u"\u2DE4"},
        {u"E", u"ѐ"},
        {u"f", u"ѳ"},
        {u"F", u"Ѳ"},
        {u"i", u"і"},
        {u"I", u"І"},
        {u"і", u"ї"},
        {u"m", u"ѷ"},
        {u"M", u"Ѷ"},
        {u"o", u"ѻ"},
        {u"O", u"Ѻ"},
        {u"p", u"ѱ"},
        {u"P", u"Ѱ"},
        {u"q", u"ѽ"},
        {u"Q", u"Ѽ"},
        {u"t", u"ѿ"},
        {u"T", u"Ѿ"},
        {u"u", u"\u1C82у"},
        {u"U", u"Оу"},
        {u"v", u"ѵ"},
        {u"V", u"Ѵ"},
        {u"w", u"ѡ"},
        {u"W", u"Ѡ"},
        {u"x", u"ѯ"},
        {u"X", u"Ѯ"},
        {u"z", u"ѧ"},
        {u"Z", u"Ѧ"},
        {u"у", u"ꙋ"},
        {u"У", u"Ꙋ"},
        {u"я", u"ꙗ"},
        {u"Я", u"Ꙗ"},
        {u"э", u"ѣ"},
        {u"Э", u"Ѣ"},
        {u"™", u"т\u0483"},
    };
    return shows;
}

icu::UnicodeString nfc(const icu::UnicodeString& text) {
    UErrorCode status = U_ZERO_ERROR;
    const icu::UnicodeString normal =
        icu::Normalizer2::getNFCInstance(status)->normalize(text, status);
    EXPECT_TRUE(U_SUCCESS(status));
    return normal;
}

std::string readBackUcs(const std::string& cp1251) {
    const icu::UnicodeString codes = icu::UnicodeString::fromUTF8(utf8Of(cp1251));
    std::u16string shown;
    for (int32_t i = 0; i < codes.length(); ++i) {
        const std::u16string code(1, codes.charAt(i));
        const auto found = ucsShows().find(code);
        shown += found == ucsShows().end() ? code : found->second;
    }
    std::string utf8;
    nfc(icu::UnicodeString(shown.data(), static_cast<int32_t>(shown.size()))).toUTF8String(utf8);
    return utf8;
}

std::string replacedAll(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// The format markers stay in the Unicode text but not in the UCS one, whose codes for those
// characters are marks.
std::string withoutFormatMarkers(std::string text) {
    for (const char* marker : {"%<", "%>", "%[", "%]", "%(", "%)"})
        text = replacedAll(text, marker, "");
    return text;
}

// UCS fonts have no code for the narrow o standing alone, the broad omega and the letter titla
// т and м; the UCS table writes o, omega and the letter with a plain titlo for them.
std::string withUcsStandIns(std::string text) {
    text = replacedAll(text, "\u1C82у", "\x01");
    text = replacedAll(text, "\u1C82", "о");
    text = replacedAll(text, "\x01", "\u1C82у");
    text = replacedAll(text, "\uA64D", "ѡ");
    text = replacedAll(text, "\u2DEE", "т\u0483");
    return replacedAll(text, "\u2DE8", "м\u0483");
}

// The Church Slavonic part of a result: the lines from the one where the sample's "<::слав>"
// stands on. Russian and Latin lines cannot all be written in UCS codes (the fonts have no
// Latin letters and no plain я).
std::string slavonicPart(const std::string& text, size_t firstLine) {
    size_t at = 0;
    for (size_t line = 0; line < firstLine && at != std::string::npos; ++line) {
        at = text.find("\r\n", at);
        if (at != std::string::npos) at += 2;
    }
    return at == std::string::npos ? std::string() : text.substr(at);
}

TEST(HipSample, BothSchemesShowTheSameChurchSlavonicText) {
    test::TempFolder temp;
    const fs::path source = temp.path() / "moleben.hip";
    fs::copy_file(fs::path(LORVANE_BUNDLE_DIR) / "samples" / "moleben.hip", source);
    const std::string hip = utf8Of(test::readBytes(source));
    const size_t slavonicLine = std::count(hip.begin(), hip.begin() + hip.find("<::слав>"), '\n');

    const std::string unicode = convertFile("hip-unicode", source);
    const std::string ucs = convertFile("hip-ucs", source);

    std::string normal;
    nfc(icu::UnicodeString::fromUTF8(unicode)).toUTF8String(normal);
    EXPECT_EQ(unicode, normal) << "the Unicode result is in NFC";
    for (const char* tag : {"<::", "jь", "_е", "w\\т", "\\с", "~", "'"})
        EXPECT_EQ(unicode.find(tag), std::string::npos) << tag << " left unconverted";

    const std::string slavonic =
        slavonicPart(withUcsStandIns(withoutFormatMarkers(unicode)), slavonicLine);
    ASSERT_GT(slavonic.size(), 500u);
    EXPECT_EQ(readBackUcs(slavonicPart(ucs, slavonicLine)), slavonic);
}

// The files a run left in a folder besides its sources, by name.
std::map<std::string, std::string> resultsIn(const fs::path& folder) {
    std::map<std::string, std::string> results;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() != ".hip")
            results[entry.path().filename().string()] = test::readBytes(entry.path());
    }
    return results;
}

// Every table of the bundled hip modes, with every shortcut, against its application step by
// step (a trace applies each pair as one plain pass), on the real hip texts of the reference
// library beside the project: the results must be the same files, byte for byte.
TEST(BundledTables, ShortcutsGiveTheStepByStepResultsOnRealTexts) {
    const fs::path samples = LORVANE_HIP_SAMPLES_DIR;
    if (!fs::is_directory(samples)) GTEST_SKIP() << "no hip samples at " << samples;
    test::TempFolder temp;
    const fs::path fast = temp.path() / "fast";
    const fs::path traced = temp.path() / "traced";
    fs::create_directories(fast);
    fs::create_directories(traced);
    std::size_t texts = 0;
    for (const auto& entry : fs::directory_iterator(samples)) {
        if (entry.path().extension() != ".hip") continue;
        fs::copy_file(entry.path(), fast / entry.path().filename());
        fs::copy_file(entry.path(), traced / entry.path().filename());
        ++texts;
    }
    // Converts every text with the selection both ways and compares the results.
    auto compare = [&](const std::vector<std::string>& selection, const std::string& what) {
        for (const fs::path& folder : {fast, traced}) {
            std::vector<std::string> arguments{"--home", LORVANE_BUNDLE_DIR, "--quiet"};
            arguments.insert(arguments.end(), selection.begin(), selection.end());
            arguments.insert(arguments.end(), {"--pattern", "*.hip", folder.string()});
            if (folder == traced) arguments.push_back("--trace");
            const auto run = test::runProgram(LORVANE_CLI_PATH, arguments, kCleanEnvironment);
            ASSERT_EQ(run.exitCode, 0) << what << ": " << run.err.substr(0, 500);
        }
        const auto results = resultsIn(fast);
        EXPECT_EQ(results.size(), texts) << what;
        EXPECT_TRUE(results == resultsIn(traced)) << what;
        for (const fs::path& folder : {fast, traced}) {
            for (const auto& [name, bytes] : resultsIn(folder))
                fs::remove(folder / name);
        }
    };
    int tables = 0;
    for (const std::string mode : {"hip", "hip-grk"}) {
        for (const auto& entry :
             fs::directory_iterator(fs::path(LORVANE_BUNDLE_DIR) / ("@" + mode))) {
            const std::string table = entry.path().stem().string();
            if (entry.path().extension() != ".txt" || table.starts_with("@")) continue;
            compare({"--mode", mode, "--table", table}, mode + "/" + table);
            ++tables;
        }
    }
    EXPECT_GE(tables, 10);
    for (const std::string scheme : {"hip-unicode", "hip-ucs"})
        compare({"--scheme", scheme}, scheme);
}

}  // namespace
}  // namespace lorvane
