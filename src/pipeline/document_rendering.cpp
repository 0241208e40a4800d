#include "pipeline/document_rendering.h"

#include "pipeline/html_renderer.h"
#include "pipeline/rtf_renderer.h"

namespace lorvane {

Expected<std::u16string> renderDocument(std::u16string text, TableSettings& settings,
                                        UserFormats& formats, const ScriptStep& runScript,
                                        std::u16string_view unicodeCharset) {
    if (!settings.script1.empty()) {
        auto scripted = runScript(settings.script1, std::move(text));
        if (!scripted) return scripted.failure();
        text = std::move(*scripted);
    }
    if (settings.extent == u".txt") return text;
    if (settings.extent == u".htm") return renderHtml(std::move(text), settings, runScript, unicodeCharset);
    if (settings.extent == u".rtf") return renderRtf(std::move(text), settings, runScript);
    return formats.insert(std::move(text), settings, runScript);
}

}  // namespace lorvane
