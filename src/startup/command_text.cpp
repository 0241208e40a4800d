#include "startup/command_text.h"

#include <filesystem>
#include <system_error>

#include "platform/paths.h"
#include "platform/text.h"

namespace lorvane {

namespace {

bool staysBare(const std::u16string& argument, bool first) {
    return (first && !argument.empty() && argument.front() == u'@') ||
           startsWithIgnoringCase(argument, u"-c");
}

std::u16string absolutePath(const std::u16string& argument) {
    if (argument.empty()) return argument;
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(toFsPath(argument), error);
    return error ? argument : fromFsPath(absolute.lexically_normal());
}

// The paths one argument names. An argument may carry its own quotes (a command line typed
// into one argument): a quoted path, or a quoted list "a" "b". The quotes go before a path is
// tested for being relative, and each path of a list is made absolute on its own, as the
// command text's reading would split it.
std::vector<std::u16string> pathsOfArgument(const std::u16string& argument) {
    constexpr std::u16string_view kListSeparator = u"\" \"";
    std::vector<std::u16string> paths;
    std::size_t start = 0;
    for (std::size_t at = argument.find(kListSeparator);;
         at = argument.find(kListSeparator, start)) {
        std::u16string part = argument.substr(start, at == std::u16string::npos ? at : at - start);
        replaceAll(part, u"\"", u"");
        paths.push_back(absolutePath(part));
        if (at == std::u16string::npos) break;
        start = at + kListSeparator.size();
    }
    return paths;
}

}  // namespace

std::u16string commandTextFromArguments(const std::vector<std::u16string>& arguments) {
    std::vector<std::vector<std::u16string>> paths(arguments.size());
    std::size_t pathCount = 0;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (staysBare(arguments[i], i == 0)) continue;
        paths[i] = pathsOfArgument(arguments[i]);
        pathCount += paths[i].size();
    }

    std::u16string text;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (i > 0) text += u' ';
        if (staysBare(arguments[i], i == 0)) {
            text += arguments[i];
            continue;
        }
        for (std::size_t k = 0; k < paths[i].size(); ++k) {
            const std::u16string& path = paths[i][k];
            if (k > 0) text += u' ';
            if (pathCount >= 2 || path.find(u' ') != std::u16string::npos)
                text += u'"' + path + u'"';
            else
                text += path;
        }
    }
    return text;
}

void ParseStartOption(const std::u16string& token, StartupValues& values) {
    const std::u16string rest = token.substr(token.empty() ? 0 : 1);
    const std::size_t at = rest.find(u'@');
    if (at == std::u16string::npos) {
        values.StartMode = rest;
        return;
    }
    values.StartMode = rest.substr(0, at);
    values.StartTable = rest.substr(at + 1);
}

std::u16string takeStartOption(const std::u16string& commandText, StartupValues& values) {
    std::u16string text(trimSpaces(commandText));
    if (text.empty() || text.front() != u'@') return text;
    const std::size_t space = text.find(u' ');
    ParseStartOption(text.substr(0, space), values);
    if (space == std::u16string::npos) return {};
    return std::u16string(trimSpaces(std::u16string_view(text).substr(space + 1)));
}

}  // namespace lorvane
