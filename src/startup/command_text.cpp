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

}  // namespace

std::u16string commandTextFromArguments(const std::vector<std::u16string>& arguments) {
    int pathCount = 0;
    for (std::size_t i = 0; i < arguments.size(); ++i)
        if (!staysBare(arguments[i], i == 0)) ++pathCount;

    std::u16string text;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (i > 0) text += u' ';
        if (staysBare(arguments[i], i == 0)) {
            text += arguments[i];
            continue;
        }
        const std::u16string path = absolutePath(arguments[i]);
        if (pathCount >= 2 || path.find(u' ') != std::u16string::npos)
            text += u'"' + path + u'"';
        else
            text += path;
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
