// The text reader's line ends: normalizeLineEnds against the four replacements it stands for
// (LF CR -> LF, CR LF -> LF, LF -> CR, CR -> CR LF, in this order); the large-file way of
// reading against a plain split at CR LF and lone CR followed by those replacements; and the
// line buffer against plain concatenation (pieces from the input's lines). The file is read by
// its byte-order mark when it begins with one, so its text is the bytes decoded that way.
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "platform/file_encoding.h"
#include "platform/line_buffer.h"
#include "platform/text_file_reader.h"
#include "platform/text.h"

namespace {

using namespace lorvane;

std::u16string fourReplacements(std::u16string text) {
    replaceAll(text, u"\n\r", u"\n");
    replaceAll(text, u"\r\n", u"\n");
    replaceAll(text, u"\n", u"\r");
    replaceAll(text, u"\r", u"\r\n");
    return text;
}

// Every line, ended by CR LF or a lone CR, with CR LF after it; a lone LF stays in its line.
std::u16string linesWithCrLf(std::u16string_view text) {
    std::u16string out;
    for (const std::u16string_view line : fuzz::tableLines(text)) {
        out += line;
        out += u"\r\n";
    }
    return out;
}

bool onlySpaces(std::u16string_view piece) {
    return piece.find_first_not_of(u' ') == std::u16string_view::npos;
}

void checkLineBuffer(std::u16string_view text) {
    LineBuffer buffer;
    std::u16string expected;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(u'\n', start);
        if (end == std::u16string_view::npos) end = text.size();
        const std::u16string_view piece = text.substr(start, end - start);
        FUZZ_CHECK(buffer.append(piece, 1).ok());
        if (!onlySpaces(piece)) expected += piece;
        start = end + 1;
    }
    FUZZ_CHECK(buffer.capacity(1) % LineBuffer::kGrowthStep == 0);
    FUZZ_CHECK(buffer.capacity(1) >= buffer.used(1));
    FUZZ_CHECK(buffer.used(1) == expected.size());
    FUZZ_CHECK(*buffer.take(1) == expected);
    FUZZ_CHECK(buffer.clear(1).ok());
    FUZZ_CHECK(buffer.used(1) == 0 && buffer.capacity(1) == 0);
    FUZZ_CHECK(!buffer.append(u"x", 256).ok());
    FUZZ_CHECK(!buffer.take(-1).ok());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes = fuzz::bytesOf(data, size);
    const std::u16string text = fuzz::decode1251(bytes);

    std::u16string normalised = text;
    normalizeLineEnds(normalised);
    FUZZ_CHECK(normalised == fourReplacements(text));

    const CodePage& page = **CodePage::forNumber(1251);
    const std::u16string fileText = decodeFileBytes(bytes, page);
    std::u16string fileNormalised = fileText;
    normalizeLineEnds(fileNormalised);
    const fuzz::ScratchFolder& folder = fuzz::ScratchFolder::instance();
    folder.write(u"source.txt", bytes);
    const std::u16string path = folder.u16path() + u"/source.txt";
    auto lines = readLineByLine(path, page);
    FUZZ_CHECK(lines.ok());
    FUZZ_CHECK(*lines == fourReplacements(linesWithCrLf(fileText)));
    FUZZ_CHECK(*assembleLines(fileText) == *lines);
    FUZZ_CHECK(ReadTextFile(path, page, nullptr) == fileNormalised);

    checkLineBuffer(text);
    return 0;
}
