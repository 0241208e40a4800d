#include "pipeline/user_format.h"

#include "pipeline/program_paths.h"
#include "platform/text_file_reader.h"
#include "platform/error_catalogue.h"
#include "platform/file_encoding.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace lorvane {
namespace {

constexpr std::size_t kShortestTemplate = 10;
constexpr std::u16string_view kEolLine = u"!!";
constexpr std::u16string_view kParagraphMark = u"[%p]";
constexpr std::u16string_view kTextMarkPrefix = u"[%Файл";
constexpr std::u16string_view kTextMark = u"[%Файл]";
constexpr std::u16string_view kScriptMark = u"[%Файл=";

// Every occurrence of `from`, letter case ignored, replaced by `to`, left to right, without
// looking again at the inserted text.
void replaceAllIgnoringCase(std::u16string& text, std::u16string_view from,
                            std::u16string_view to) {
    std::size_t found = findIgnoringCase(text, from);
    if (found == std::u16string_view::npos) return;
    std::u16string out;
    std::size_t start = 0;
    while (found != std::u16string_view::npos) {
        out.append(text, start, found - start);
        out.append(to);
        start = found + from.size();
        found = findIgnoringCase(text, from, start);
    }
    out.append(text, start, std::u16string::npos);
    text.swap(out);
}

}  // namespace

UserFormats::UserFormats(std::u16string programFolder, std::shared_ptr<const CodePage> codePage,
                         FileLister& lister)
    : programFolder_(std::move(programFolder)), codePage_(std::move(codePage)), lister_(lister) {}

// The lister's entry whose name with a "." in front is the extension + ".txt", letter case
// ignored. The matched file is the one read, so an extension with several dots (".a.b") reads
// the file it matched (a.b.txt).
std::u16string UserFormats::findTemplate(const std::u16string& extent) {
    if (!lister_.setFolder(formatFolderPath(programFolder_))) return {};
    const std::u16string wanted = extent + u".txt";
    for (const std::u16string& entry : lister_.entries()) {
        if (equalsIgnoringCase(u"." + entry, wanted)) {
            return lister_.folder() + std::u16string(1, kPathSeparator) + entry;
        }
    }
    return {};
}

std::u16string UserFormats::UserFormat(const TableSettings& settings) {
    templatePath_ = findTemplate(settings.extent);
    if (templatePath_.empty()) return {};
    auto bytes = ReadFileBytes(templatePath_);
    if (!bytes) return {};
    std::u16string body = decodeFileBytes(*bytes, *codePage_);
    if (body.size() < kShortestTemplate) return {};

    if (body.starts_with(kEolLine)) {
        const std::size_t end = body.find(u"\r\n");
        if (end == std::u16string::npos) return {};
        templateEol_ = body.substr(kEolLine.size(), end - kEolLine.size());
        replaceAll(templateEol_, kParagraphMark, u"\r\n");
        body.erase(0, end + 2);
    }
    if (findIgnoringCase(body, kTextMarkPrefix) == std::u16string_view::npos) return {};

    replaceAllIgnoringCase(body, u"[%Charset]", decimal(settings.charset));
    replaceAllIgnoringCase(body, u"[%FontSize]", decimal(settings.fontSize));
    replaceAllIgnoringCase(body, u"[%FontFace]", settings.fontFace);
    return body;
}

Expected<std::u16string> UserFormats::insert(std::u16string text, const TableSettings& settings,
                                             const ScriptStep& runScript) {
    std::u16string body = UserFormat(settings);
    if (body.empty()) return text;
    if (!templateEol_.empty()) replaceAll(text, u"\r\n", templateEol_);

    if (const std::size_t mark = body.find(kScriptMark); mark != std::u16string::npos) {
        const std::size_t nameStart = mark + kScriptMark.size();
        const std::size_t close = body.find(u']', nameStart);
        if (close == std::u16string::npos) {
            return failureFor(errors::kTemplateMarkerUnclosed, templatePath_);
        }
        const std::u16string name = body.substr(nameStart, close - nameStart);
        body.erase(nameStart - 1, close - (nameStart - 1));  // "[%Файл=name]" -> "[%Файл]"
        auto scripted = runScript(name, std::move(text));
        if (!scripted) return scripted.failure();
        text = std::move(*scripted);
    }
    replaceAllIgnoringCase(body, kTextMark, text);
    return body;
}

}  // namespace lorvane
