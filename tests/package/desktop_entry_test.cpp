// The desktop entry and the icons under packaging/: the entry passes desktop-file-validate,
// starts the desktop program with the chosen files, and offers it for plain text and for every
// archive type the bundled archive list names; every icon has the size its folder says.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "external_tool.h"
#include "installed_tree.h"
#include "temp_folder.h"

namespace lorvane::test {
namespace {

namespace fs = std::filesystem;

fs::path packaging() {
    return buildFacts().sourceDir / "packaging";
}

// Key = value lines of one group of a desktop entry file.
std::map<std::string, std::string> desktopGroup(const std::string& text, const std::string& group) {
    std::map<std::string, std::string> keys;
    bool inGroup = false;
    for (const std::string& line : splitLines(text)) {
        if (line.empty() || line[0] == '#') continue;
        if (line[0] == '[') {
            inGroup = line == "[" + group + "]";
            continue;
        }
        const std::size_t equals = line.find('=');
        if (inGroup && equals != std::string::npos)
            keys[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return keys;
}

std::set<std::string> listValue(const std::string& value) {
    std::set<std::string> items;
    std::size_t start = 0;
    while (start < value.size()) {
        const std::size_t end = value.find(';', start);
        if (end > start) items.insert(value.substr(start, end - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return items;
}

// The archive extensions the program unpacks: ".zip" and ".rar" always, and every line of the
// archive list that begins with a dot.
std::set<std::string> archiveExtensions() {
    std::set<std::string> extensions{".zip", ".rar"};
    for (const std::string& line :
         splitLines(readBytes(buildFacts().sourceDir / "bundle/Arch.txt"))) {
        if (line.empty() || line[0] != '.') continue;
        extensions.insert(line.substr(0, line.find_first_of(" \t")));
    }
    return extensions;
}

// The shared-mime-info types of archive extensions, each with its older aliases that file
// managers still hand over.
const std::map<std::string, std::vector<std::string>> kArchiveTypes = {
    {".zip", {"application/zip", "application/x-zip-compressed"}},
    {".rar", {"application/vnd.rar", "application/x-rar"}},
    {".7z", {"application/x-7z-compressed"}},
    {".tar", {"application/x-tar"}},
    {".tgz", {"application/x-compressed-tar"}},
    {".gz", {"application/gzip"}},
    {".bz2", {"application/x-bzip2"}},
    {".tbz", {"application/x-bzip-compressed-tar"}},
    {".xz", {"application/x-xz"}},
    {".txz", {"application/x-xz-compressed-tar"}},
    {".arj", {"application/x-arj"}},
    {".lzh", {"application/x-lha"}},
    {".cab", {"application/vnd.ms-cab-compressed"}},
};

TEST(DesktopEntry, PassesDesktopFileValidate) {
    const auto validate = findOnPath("desktop-file-validate");
    if (!validate) GTEST_SKIP() << missingTool("desktop-file-validate", "desktop-file-utils");
    const fs::path entry = packaging() / "lorvane.desktop";
    const ProgramRun run = runProgram(*validate, {entry.string()});
    EXPECT_EQ(run.exitCode, 0) << describeRun(*validate, {entry.string()}, run);
    // Hints and warnings count too: the entry is to be clean.
    EXPECT_EQ(run.out + run.err, "");
}

TEST(DesktopEntry, StartsTheDesktopProgramWithTheChosenFiles) {
    auto keys = desktopGroup(readBytes(packaging() / "lorvane.desktop"), "Desktop Entry");
    struct Case {
        const char* key;
        const char* value;
    };
    const Case cases[] = {
        {"Type", "Application"}, {"Exec", "lorvane %F"}, {"TryExec", "lorvane"},
        {"Icon", "lorvane"},     {"Terminal", "false"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(keys[c.key], c.value) << c.key;
    for (const char* key : {"Name", "Name[ru]", "Comment", "Comment[ru]", "GenericName[ru]"})
        EXPECT_FALSE(keys[key].empty()) << key;
    // The Russian comment is written in Cyrillic (UTF-8 lead bytes 0xD0 and 0xD1).
    EXPECT_NE(keys["Comment[ru]"].find('\xD0'), std::string::npos) << keys["Comment[ru]"];
    auto clipboard =
        desktopGroup(readBytes(packaging() / "lorvane.desktop"), "Desktop Action clipboard");
    EXPECT_EQ(clipboard["Exec"], "lorvane -c");
}

TEST(DesktopEntry, OffersPlainTextAndEveryArchiveTypeOfTheArchiveList) {
    auto keys = desktopGroup(readBytes(packaging() / "lorvane.desktop"), "Desktop Entry");
    const std::set<std::string> offered = listValue(keys["MimeType"]);
    EXPECT_TRUE(offered.count("text/plain"));
    const std::set<std::string> extensions = archiveExtensions();
    EXPECT_TRUE(extensions.count(".7z")) << "the archive list was not read";
    for (const std::string& extension : extensions) {
        const auto types = kArchiveTypes.find(extension);
        ASSERT_NE(types, kArchiveTypes.end())
            << "no MIME type known for " << extension
            << ": add it to this test and to MimeType of packaging/lorvane.desktop";
        for (const std::string& type : types->second)
            EXPECT_TRUE(offered.count(type)) << type << " (" << extension << ") not in MimeType";
    }
}

struct PngSize {
    unsigned width = 0;
    unsigned height = 0;
};

// Width and height from the IHDR chunk that follows the PNG signature.
std::optional<PngSize> pngSize(const std::string& bytes) {
    static const std::string kSignature = "\x89PNG\r\n\x1a\n";
    if (bytes.size() < 24 || bytes.compare(0, 8, kSignature) != 0 || bytes.compare(12, 4, "IHDR"))
        return std::nullopt;
    auto number = [&](std::size_t at) {
        unsigned value = 0;
        for (std::size_t i = at; i < at + 4; ++i)
            value = (value << 8) | static_cast<unsigned char>(bytes[i]);
        return value;
    };
    return PngSize{number(16), number(20)};
}

TEST(Icons, EachPngHasTheSizeOfItsFolder) {
    for (const unsigned size : {16u, 32u, 48u, 64u, 128u, 256u}) {
        const std::string folder = std::to_string(size) + "x" + std::to_string(size);
        SCOPED_TRACE(folder);
        const auto found = pngSize(readBytes(packaging() / "icons" / folder / "lorvane.png"));
        ASSERT_TRUE(found) << "not a PNG";
        EXPECT_EQ(found->width, size);
        EXPECT_EQ(found->height, size);
    }
}

TEST(Icons, ScalableIconRendersAtAnySize) {
    const auto render = findOnPath("rsvg-convert");
    if (!render) GTEST_SKIP() << missingTool("rsvg-convert", "librsvg2-bin");
    TempFolder work;
    const std::vector<std::string> arguments{"--width",
                                             "96",
                                             "--height",
                                             "96",
                                             (packaging() / "icons/lorvane.svg").string(),
                                             "--output",
                                             (work.path() / "96.png").string()};
    const ProgramRun run = runProgram(*render, arguments);
    ASSERT_EQ(run.exitCode, 0) << describeRun(*render, arguments, run);
    const auto found = pngSize(readBytes(work.path() / "96.png"));
    ASSERT_TRUE(found);
    EXPECT_EQ(found->width, 96u);
    EXPECT_EQ(found->height, 96u);
}

}  // namespace
}  // namespace lorvane::test
