#include "pipeline/html_renderer.h"

#include "platform/text.h"

namespace lorvane {
namespace {

struct CharsetPage {
    int16_t charset;
    std::u16string_view codePage;
};

constexpr CharsetPage kCharsetPages[] = {
    {0, u"1252"},   {161, u"1253"}, {162, u"1254"}, {163, u"1258"},
    {177, u"1255"}, {178, u"1256"}, {204, u"1251"},
};

constexpr int16_t kLargestHtmlSize = 7;

std::u16string fontAttributes(const TableSettings& settings) {
    std::u16string attributes;
    if (!settings.fontFace.empty()) attributes += u" face=\"" + settings.fontFace + u"\"";
    if (settings.fontSize != 0) attributes += u" size=" + decimal(settings.fontSize);
    return attributes;
}

std::u16string metaElement(std::u16string_view charset) {
    return u"<META http-equiv=Content-Type content=\"text/html; charset=" + std::u16string(charset) +
           u"\">";
}

std::u16string metaElement(int16_t charset, std::u16string_view unicodeCharset) {
    if (!unicodeCharset.empty()) return metaElement(unicodeCharset);
    const std::u16string_view page = htmlCodePage(charset);
    if (page.empty()) return {};
    return metaElement(u"windows-" + std::u16string(page));
}

}  // namespace

std::u16string_view htmlCodePage(int16_t charset) {
    for (const CharsetPage& entry : kCharsetPages) {
        if (entry.charset == charset) return entry.codePage;
    }
    return {};
}

Expected<std::u16string> renderHtml(std::u16string text, TableSettings& settings,
                                    const ScriptStep& runScript,
                                    std::u16string_view unicodeCharset) {
    while (settings.fontSize > kLargestHtmlSize)
        settings.fontSize -= kLargestHtmlSize;
    replaceAll(text, u"\r\n", u"\r\n<p>");
    if (!settings.script2.empty()) {
        auto scripted = runScript(settings.script2, std::move(text));
        if (!scripted) return scripted.failure();
        text = std::move(*scripted);
    }
    const std::u16string attributes = fontAttributes(settings);
    if (!attributes.empty()) text = u"<font" + attributes + u">\r\n" + text + u"\r\n</font>";
    return u"<html>" + metaElement(settings.charset, unicodeCharset) + u"\r\n<body>" + text + u"</body></html>";
}

}  // namespace lorvane
