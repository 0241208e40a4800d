#include "platform/failure.h"

#include "platform/error_catalogue.h"
#include "platform/text.h"

namespace lorvane {

Failure failureFor(int number, std::u16string file) {
    Failure failure;
    failure.number = number;
    failure.description = errors::description(number);
    failure.file = std::move(file);
    return failure;
}

std::string Failure::message(errors::Language language) const {
    std::string out;
    if (!file.empty()) {
        out += toUtf8(file);
        if (line > 0) {
            out += "(" + std::to_string(line);
            if (column > 0) out += ", " + std::to_string(column);
            out += ")";
        }
        out += " ";
    }
    const bool russian = language == errors::Language::Russian;
    out += (russian ? "ошибка " : "error ") + std::to_string(number) + ": " +
           toUtf8(errors::descriptionIn(language, number, description));
    return out;
}

}  // namespace lorvane
