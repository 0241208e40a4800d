#include "pipeline/encoding_hint.h"

#include "platform/text.h"

namespace lorvane {

std::u16string utf8LookingSourceHint(std::u16string_view source, int codePage) {
    return std::u16string(source) + u" looks like UTF-8 but was read in code page " +
           decimal(codePage) +
           u". If it is UTF-8, convert it with the code page 65001 (lorvane-cli --codepage "
           u"65001; LORVANE_CODEPAGE=65001 for the desktop program), or save it with a "
           u"byte-order mark.";
}

MessageRequest hintsMessage(const std::vector<std::u16string>& hints) {
    MessageRequest request;
    for (const std::u16string& hint : hints) {
        if (!request.text.empty()) request.text += u"\r\n\r\n";
        request.text += hint;
    }
    request.caption = u"Lorvane";
    request.icon = MessageIcon::Information;
    return request;
}

}  // namespace lorvane
