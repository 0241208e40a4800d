#include "pipeline/paragraph_joining.h"

#include "platform/text.h"

namespace lorvane {

void joinParagraphs(std::u16string& text) {
    replaceAll(text, u"\r\n\r\n", kParagraphPlaceholder);
    replaceAll(text, u"\r\n", u" ");
    replaceAll(text, kParagraphPlaceholder, u"\r\n");
}

}  // namespace lorvane
