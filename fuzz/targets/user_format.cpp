// Output forms: template preparation (UserFormat) and insertion, and the built-in HTML and RTF
// renderers, through renderDocument as the conversion calls it. A scratch program folder holds
// the template "format/EXT.txt" built from the input.
//
// Input: the extension (without its dot; "htm", "rtf" and "txt" pick the built-in forms), NUL,
// the template file, NUL, the converted text, NUL, the font face. The input's length picks the
// character set and font size.
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "pipeline/document_rendering.h"
#include "pipeline/user_format.h"
#include "platform/error_catalogue.h"
#include "platform/file_lister.h"
#include "platform/text.h"

namespace {

using namespace lorvane;

constexpr int16_t kCharsets[] = {-1, 0, 161, 162, 163, 177, 178, 204, 7};
constexpr int16_t kSizes[] = {0, 12, 8, -3, 21, 32767, -32768};

// Scripts whose name begins with "x" fail; others put their name in front of the text.
Expected<std::u16string> scriptStep(const std::u16string& name, std::u16string text) {
    if (name.starts_with(u"x")) return failureFor(errors::kFileNotFound, name);
    return name + text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto parts = fuzz::sections(fuzz::bytesOf(data, size), 4);
    const fuzz::ScratchFolder& folder = fuzz::ScratchFolder::instance();
    folder.clear();
    const std::u16string extension = fuzz::decode1251(parts[0]);
    folder.write(u"format/" + fuzz::safeFileName(extension, u"xyz") + u".txt", parts[1]);

    TableSettings settings;
    settings.extent = u"." + extension;
    settings.fontFace = fuzz::decode1251(parts[3]);
    settings.charset = kCharsets[size % std::size(kCharsets)];
    settings.fontSize = kSizes[(size / 16) % std::size(kSizes)];
    if (size % 5 == 0) settings.script2 = (size % 2 == 0) ? u"markup" : u"xfails";

    FileLister lister;
    UserFormats formats(folder.u16path(), *CodePage::forNumber(1251), lister);
    const std::u16string text = fuzz::decode1251(parts[2]);
    auto document = renderDocument(text, settings, formats, scriptStep);
    if (!document) {
        const int number = document.failure().number;
        FUZZ_CHECK(number == errors::kFileNotFound || number == errors::kTemplateMarkerUnclosed);
        return 0;
    }
    if (settings.extent == u".htm") {
        FUZZ_CHECK(document->starts_with(u"<html>"));
        FUZZ_CHECK(document->ends_with(u"</body></html>"));
    } else if (settings.extent == u".rtf") {
        FUZZ_CHECK(document->starts_with(u"{\\rtf1\\ansi {\\fonttbl"));
        FUZZ_CHECK(document->ends_with(u"}}}}}"));
    } else if (settings.extent == u".txt") {
        FUZZ_CHECK(*document == text);
    } else if (formats.UserFormat(settings).empty()) {
        FUZZ_CHECK(*document == text);  // no usable template: the text as it is
    }
    return 0;
}
