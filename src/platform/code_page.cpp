#include "platform/code_page.h"

#include <unicode/ucnv.h>
#include <unicode/utf16.h>
#include <unicode/utf8.h>

#include <cstdlib>
#include <map>
#include <mutex>

#include "platform/error_catalogue.h"
#include "platform/text.h"

namespace lorvane {
namespace {

// ICU's names for the Windows and DOS pages; other numbers are tried as "cp" + number.
std::string icuName(int number) {
    switch (number) {
        case 874:
            return "windows-874-2000";
        case 20866:
            return "KOI8-R";
        case 21866:
            return "KOI8-U";
        default:
            break;
    }
    if (number >= 1250 && number <= 1258) return "windows-" + std::to_string(number);
    if (number >= 28591 && number <= 28606) return "ISO-8859-" + std::to_string(number - 28590);
    return "cp" + std::to_string(number);
}

// Decodes one byte with ICU; -1 when the page leaves the byte undefined or the page needs more.
int decodeByte(UConverter* converter, unsigned char byte) {
    UErrorCode status = U_ZERO_ERROR;
    ucnv_reset(converter);
    ucnv_setToUCallBack(converter, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    UChar out[4];
    const char source = static_cast<char>(byte);
    status = U_ZERO_ERROR;
    int32_t length = ucnv_toUChars(converter, out, 4, &source, 1, &status);
    if (U_FAILURE(status) || length != 1) return -1;
    return out[0];
}

bool isSingleBytePage(UConverter* converter) {
    return ucnv_getMaxCharSize(converter) == 1;
}

int numberFromVariable(const char* variable) {
    const char* value = std::getenv(variable);
    if (value == nullptr || *value == '\0') return CodePage::kDefault;
    char* end = nullptr;
    long number = std::strtol(value, &end, 10);
    if (end == value || *end != '\0' || number <= 0 || number > 65535) return CodePage::kDefault;
    return static_cast<int>(number);
}

}  // namespace

CodePage::CodePage(int number) : number_(number) {}

Expected<std::shared_ptr<const CodePage>> CodePage::forNumber(int number) {
    static std::mutex mutex;
    static std::map<int, std::shared_ptr<const CodePage>> built;
    std::lock_guard lock(mutex);
    if (auto it = built.find(number); it != built.end()) return it->second;

    auto page = std::make_shared<CodePage>(number);
    if (number != kUtf8) {
        UErrorCode status = U_ZERO_ERROR;
        UConverter* converter = ucnv_open(icuName(number).c_str(), &status);
        if (U_FAILURE(status) || converter == nullptr || !isSingleBytePage(converter)) {
            if (converter) ucnv_close(converter);
            Failure failure = failureFor(errors::kInvalidProcedureCall);
            failure.description = u"Unknown or unsupported code page " + decimal(number) +
                                  u": choose a single-byte page such as 1251, or 65001 for UTF-8";
            return failure;
        }
        page->fromUnicode_.assign(65536, -1);
        for (int byte = 0; byte < 256; ++byte) {
            int unit = decodeByte(converter, static_cast<unsigned char>(byte));
            if (unit < 0) unit = byte;
            page->toUnicode_[static_cast<std::size_t>(byte)] = static_cast<char16_t>(unit);
        }
        ucnv_close(converter);
        for (int byte = 0; byte < 256; ++byte) {
            auto& slot = page->fromUnicode_[page->toUnicode_[static_cast<std::size_t>(byte)]];
            if (slot < 0) slot = static_cast<int16_t>(byte);
        }
    }
    built.emplace(number, page);
    return std::shared_ptr<const CodePage>(page);
}

int CodePage::numberFromEnvironment() {
    return numberFromVariable("LORVANE_CODEPAGE");
}

int CodePage::tableNumberFromEnvironment() {
    return numberFromVariable("LORVANE_TABLE_CODEPAGE");
}

void CodePage::decodeAppend(std::string_view bytes, std::u16string& out) const {
    if (number_ == kUtf8) {
        out += fromUtf8(bytes);
        return;
    }
    const std::size_t start = out.size();
    out.resize(start + bytes.size());
    widen(bytes, out.data() + start);
}

void CodePage::widen(std::string_view bytes, char16_t* target) const {
    for (unsigned char byte : bytes)
        *target++ = toUnicode_[byte];
}

std::u16string CodePage::decode(std::string_view bytes) const {
    std::u16string out;
    decodeAppend(bytes, out);
    return out;
}

std::string CodePage::encode(std::u16string_view text) const {
    std::string out;
    encodeAppend(text, out);
    return out;
}

void CodePage::encodeAppend(std::u16string_view text, std::string& out) const {
    if (number_ == kUtf8) {
        out += toUtf8(text, U'?');
        return;
    }
    const std::size_t start = out.size();
    out.resize(start + text.size());
    char* target = out.data() + start;
    for (char16_t c : text) {
        const int16_t code = fromUnicode_[c];
        *target++ = code < 0 ? '?' : static_cast<char>(code);
    }
}

bool CodePage::tryEncode(std::u16string_view text, std::string& out) const {
    if (!isSingleByte()) return false;
    out.resize(text.size());
    char* target = out.data();
    int16_t missing = 0;
    for (char16_t c : text) {
        const int16_t code = fromUnicode_[c];
        missing |= code;  // negative once any character is unrepresentable
        *target++ = static_cast<char>(code);
    }
    return missing >= 0;
}

int CodePage::codeOf(char16_t c) const {
    if (number_ == kUtf8) return c < 0x80 ? c : -1;
    return fromUnicode_[c];
}

}  // namespace lorvane
