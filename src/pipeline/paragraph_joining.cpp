#include "pipeline/paragraph_joining.h"

#include "engine/pair_replace.h"
#include "platform/text.h"

namespace lorvane {

void joinParagraphs(std::u16string& text) {
    replaceAll(text, u"\r\n\r\n", kParagraphPlaceholder);
    replaceAll(text, u"\r\n", u" ");
    replaceAll(text, kParagraphPlaceholder, u"\r\n");
}

// A single-byte page gives each character one byte of its own, so replacing the bytes of texts
// is replacing the texts.
bool joinParagraphs(std::string& bytes, const CodePage& page) {
    std::string paragraphEnd, lineEnd, space, placeholder;
    if (!page.isSingleByte() || !page.tryEncode(u"\r\n\r\n", paragraphEnd) ||
        !page.tryEncode(u"\r\n", lineEnd) || !page.tryEncode(u" ", space) ||
        !page.tryEncode(kParagraphPlaceholder, placeholder)) {
        return false;
    }
    replaceUnits<char>(bytes, paragraphEnd, placeholder);
    replaceUnits<char>(bytes, lineEnd, space);
    replaceUnits<char>(bytes, placeholder, lineEnd);
    return true;
}

}  // namespace lorvane
