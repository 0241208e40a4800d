#include "reader_documents.h"

#include <unicode/ucnv.h>
#include <unicode/unistr.h>

#include <cctype>
#include <cstdlib>

#include "external_tool.h"

namespace lorvane::test {
namespace fs = std::filesystem;

namespace {

void appendUtf8(std::string& out, char32_t c) {
    icu::UnicodeString(static_cast<UChar32>(c)).toUTF8String(out);
}

// The control word at `at` (just after its backslash): letters, then an optional signed number;
// one space after it belongs to it.
struct ControlWord {
    std::string word;
    long number = 0;
    bool hasNumber = false;
    std::size_t end = 0;
};

ControlWord readControlWord(std::string_view rtf, std::size_t at) {
    ControlWord control;
    std::size_t i = at;
    while (i < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[i])))
        control.word += rtf[i++];
    const std::size_t digits = i;
    if (i < rtf.size() && rtf[i] == '-') ++i;
    while (i < rtf.size() && std::isdigit(static_cast<unsigned char>(rtf[i])))
        ++i;
    if (i > digits && std::isdigit(static_cast<unsigned char>(rtf[i - 1]))) {
        control.hasNumber = true;
        control.number =
            std::strtol(std::string(rtf.substr(digits, i - digits)).c_str(), nullptr, 10);
    } else {
        i = digits;
    }
    if (i < rtf.size() && rtf[i] == ' ') ++i;
    control.end = i;
    return control;
}

std::string trimmed(std::string text) {
    const std::size_t start = text.find_first_not_of(" \t");
    if (start == std::string::npos) return {};
    text.erase(0, start);
    text.erase(text.find_last_not_of(" \t") + 1);
    return text;
}

// Replaces "&#N;", "&#xN;" and the four named references the documents can hold.
std::string resolveReferences(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t semicolon = text.find(';', i);
        if (text[i] != '&' || semicolon == std::string::npos || semicolon - i > 10) {
            out += text[i];
            continue;
        }
        const std::string name = text.substr(i + 1, semicolon - i - 1);
        if (name.size() > 1 && name[0] == '#') {
            const bool hex = name[1] == 'x' || name[1] == 'X';
            appendUtf8(out, static_cast<char32_t>(std::strtoul(name.c_str() + (hex ? 2 : 1),
                                                               nullptr, hex ? 16 : 10)));
        } else if (name == "amp") {
            out += '&';
        } else if (name == "lt") {
            out += '<';
        } else if (name == "gt") {
            out += '>';
        } else if (name == "quot") {
            out += '"';
        } else {
            out += text[i];
            continue;
        }
        i = semicolon;
    }
    return out;
}

}  // namespace

std::vector<std::string> libreOfficeArguments(const fs::path& work, const std::string& format,
                                              const fs::path& outdir) {
    return {"-env:UserInstallation=file://" + (work / "profile").string(),
            "--headless",
            "--norestore",
            "--nolockcheck",
            "--convert-to",
            format,
            "--outdir",
            outdir.string()};
}

std::vector<std::string> chromiumArguments(const fs::path& work) {
    return {"--headless",
            "--no-sandbox",
            "--disable-gpu",
            "--disable-quic",
            "--no-first-run",
            "--disable-background-networking",
            "--disable-component-update",
            "--disable-sync",
            "--user-data-dir=" + (work / "profile").string()};
}

fs::path bundled(std::string_view relative) {
    return fs::path(LORVANE_SOURCE_DIR) / "bundle" / fs::path(std::string(relative));
}

fs::path bundleHome() {
    return LORVANE_BUILD_BIN_DIR;
}

fs::path convert(const fs::path& home, const fs::path& source, const std::string& mode,
                 const std::string& table, std::string& log) {
    const fs::path cli = bundleHome() / "lorvane-cli";
    const std::vector<std::string> arguments{"--home",  home.string(), "--mode",       mode,
                                             "--table", table,         source.string()};
    const ProgramRun run = runIsolated(cli, arguments);
    log = describeRun(cli, arguments, run);
    const std::vector<std::string> written = splitLines(run.out);
    if (run.exitCode != 0 || written.size() != 1) return {};
    return written.front();
}

std::string decodeCodePage(std::string_view bytes, const char* codePage) {
    std::string out;
    icu::UnicodeString(bytes.data(), static_cast<int32_t>(bytes.size()), codePage)
        .toUTF8String(out);
    return out;
}

std::vector<std::string> rtfParagraphs(std::string_view rtf, const char* codePage) {
    // The body is the text group "{\cf0 ...}" that Lorvane writes last.
    const std::size_t open = rtf.find("{\\cf0 ");
    const std::size_t close = rtf.rfind("}}}}}");
    if (open == std::string_view::npos || close == std::string_view::npos || close < open)
        return {};
    const std::string_view body = rtf.substr(open + 6, close - open - 6);

    std::vector<std::string> paragraphs;
    std::string paragraph;
    std::string bytes;  // code-page bytes not yet decoded
    auto flushBytes = [&] {
        paragraph += decodeCodePage(bytes, codePage);
        bytes.clear();
    };
    for (std::size_t i = 0; i < body.size();) {
        const char c = body[i];
        if (c == '{' || c == '}' || c == '\r' || c == '\n') {
            ++i;
            continue;
        }
        if (c != '\\' || i + 1 >= body.size()) {
            bytes += c;
            ++i;
            continue;
        }
        const char next = body[i + 1];
        if (next == '\\' || next == '{' || next == '}') {
            bytes += next;
            i += 2;
            continue;
        }
        if (next == '\'' && i + 3 < body.size()) {
            bytes += static_cast<char>(
                std::strtol(std::string(body.substr(i + 2, 2)).c_str(), nullptr, 16));
            i += 4;
            continue;
        }
        const ControlWord control = readControlWord(body, i + 1);
        i = control.end;
        if (control.word == "par") {
            flushBytes();
            paragraphs.push_back(paragraph);
            paragraph.clear();
        } else if (control.word == "u" && control.hasNumber) {
            flushBytes();
            appendUtf8(paragraph, static_cast<char32_t>(control.number < 0 ? control.number + 65536
                                                                           : control.number));
            if (i < body.size()) ++i;  // the one replacement character for older readers
        }
    }
    flushBytes();
    if (!paragraph.empty()) paragraphs.push_back(paragraph);
    return paragraphs;
}

std::vector<std::string> htmlParagraphs(std::string_view html, const char* codePage) {
    const std::string text = decodeCodePage(html, codePage);
    const std::size_t body = text.find("<body>");
    const std::size_t end = text.rfind("</body>");
    if (body == std::string::npos || end == std::string::npos || end < body) return {};
    std::vector<std::string> paragraphs;
    std::string paragraph;
    auto finish = [&] {
        paragraph = trimmed(resolveReferences(paragraph));
        if (!paragraph.empty()) paragraphs.push_back(paragraph);
        paragraph.clear();
    };
    for (std::size_t i = body + 6; i < end; ++i) {
        if (text[i] == '<') {
            const std::size_t close = text.find('>', i);
            if (text.compare(i, 3, "<p>") == 0) finish();
            i = close == std::string::npos ? end : close;
        } else if (text[i] != '\r' && text[i] != '\n') {
            paragraph += text[i];
        }
    }
    finish();
    return paragraphs;
}

std::vector<std::string> sourceParagraphs(std::string_view text, bool linesJoined) {
    std::vector<std::string> paragraphs;
    std::string paragraph;
    for (const std::string& line : splitLines(text)) {
        if (line.empty() || !linesJoined) {
            if (!paragraph.empty()) paragraphs.push_back(paragraph);
            paragraph.clear();
        }
        if (line.empty()) continue;
        if (!paragraph.empty()) paragraph += ' ';
        paragraph += line;
    }
    if (!paragraph.empty()) paragraphs.push_back(paragraph);
    return paragraphs;
}

std::vector<std::string> textLines(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    return splitLines(text);
}

}  // namespace lorvane::test
