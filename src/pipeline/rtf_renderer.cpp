#include "pipeline/rtf_renderer.h"

#include <algorithm>
#include <cstdint>

#include "platform/text.h"

namespace lorvane {
namespace {

constexpr int16_t kDefaultCharset = 204;
constexpr char16_t kDefaultFace[] = u"Arial";
constexpr int16_t kDefaultSize = 12;

// RTF sizes are 16-bit counts of half points; sizes beyond that are written at the limit.
long long halfPoints(int16_t points) {
    return std::clamp<long long>(2LL * points, INT16_MIN, INT16_MAX);
}

}  // namespace

Expected<std::u16string> renderRtf(std::u16string text, TableSettings& settings,
                                   const ScriptStep& runScript) {
    replaceAll(text, u"\r\n", u"\\par \r\n");
    if (settings.charset == -1) settings.charset = kDefaultCharset;
    if (settings.fontFace.empty()) settings.fontFace = kDefaultFace;
    if (settings.fontSize == 0) settings.fontSize = kDefaultSize;
    if (!settings.script2.empty()) {
        auto scripted = runScript(settings.script2, std::move(text));
        if (!scripted) return scripted.failure();
        text = std::move(*scripted);
    }
    // The body selects font 1: the table declares it beside font 0, with the same face and
    // character set, or readers fall back to their own default font and code page.
    const std::u16string font =
        u"\\fnil\\fcharset" + decimal(settings.charset) + u" " + settings.fontFace + u";}";
    return u"{\\rtf1\\ansi {\\fonttbl\r\n"
           u"{\\f0 " +
           font + u"{\\f1 " + font +
           u"\r\n"
           u"}\r\n"
           u"{\\colortbl\r\n"
           u"\\red0\\green0\\blue0;\r\n"
           u"}\r\n"
           u"{\\plain\r\n"
           u"{\\f1 {\\fs" +
           decimal(halfPoints(settings.fontSize)) + u"\r\n{\\cf0 " + text + u"}}}}}";
}

}  // namespace lorvane
