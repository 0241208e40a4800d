#include "startup/unpack/archive_template.h"

#include "platform/paths.h"
#include "platform/process.h"
#include "platform/text.h"

namespace lorvane {
namespace {

constexpr std::u16string_view kFile = u"%file%";
constexpr std::u16string_view kPath = u"%path%";
constexpr std::u16string_view kPathIs = u"%path=";

bool placeholderAt(std::u16string_view text, std::size_t at, std::u16string_view placeholder) {
    return text.size() - at >= placeholder.size() &&
           equalsIgnoringCase(text.substr(at, placeholder.size()), placeholder);
}

class Substitution {
  public:
    Substitution(std::u16string_view archCopy, std::u16string_view unpackDir)
        : archCopy_(archCopy), defaultDir_(unpackDir), unpackDir_(unpackDir) {}

    // One argument of the template with its placeholders replaced, left to right; inserted text
    // is never searched again.
    std::u16string apply(std::u16string_view argument) {
        std::u16string out;
        std::size_t i = 0;
        while (i < argument.size()) {
            if (placeholderAt(argument, i, kFile)) {
                out += archCopy_;
                i += kFile.size();
            } else if (placeholderAt(argument, i, kPath)) {
                out += defaultDir_;
                i += kPath.size();
            } else if (!folderTaken_ && placeholderAt(argument, i, kPathIs)) {
                i = takeFolder(argument, i + kPathIs.size(), out);
            } else {
                out += argument[i++];
            }
        }
        return out;
    }

    const std::u16string& unpackDir() const { return unpackDir_; }

  private:
    std::size_t takeFolder(std::u16string_view argument, std::size_t from, std::u16string& out) {
        auto end = argument.find(u'%', from);
        if (end == std::u16string_view::npos) end = argument.size();
        unpackDir_ = normalizeSeparators(argument.substr(from, end - from));
        folderTaken_ = true;
        out += unpackDir_;
        return end < argument.size() ? end + 1 : end;
    }

    std::u16string_view archCopy_;
    std::u16string_view defaultDir_;
    std::u16string unpackDir_;
    bool folderTaken_ = false;
};

}  // namespace

ArchiverArguments expandArchiveTemplate(std::u16string_view templateText,
                                        std::u16string_view archCopy,
                                        std::u16string_view unpackDir) {
    Substitution substitution(archCopy, unpackDir);
    std::u16string text;
    for (const auto& argument : splitCommandLine(templateText)) {
        if (!text.empty()) text += u' ';
        text += quoteArgument(substitution.apply(argument));
    }
    return {text, substitution.unpackDir()};
}

std::u16string quoteArgument(std::u16string_view value) {
    if (!value.empty() && value.find_first_of(u" \t\"") == std::u16string_view::npos) {
        return std::u16string(value);
    }
    // Between quotes, backslashes are literal unless a quote follows them: those are doubled,
    // the closing quote included, and every quote of the value is escaped.
    std::u16string out(1, u'"');
    std::size_t slashes = 0;
    for (char16_t c : value) {
        if (c == u'\\') {
            ++slashes;
            continue;
        }
        out.append(c == u'"' ? 2 * slashes + 1 : slashes, u'\\');
        slashes = 0;
        out.push_back(c);
    }
    out.append(2 * slashes, u'\\');
    out.push_back(u'"');
    return out;
}

}  // namespace lorvane
