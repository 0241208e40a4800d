#include "pipeline/run_messages.h"

#include "platform/text.h"

namespace lorvane {

MessageRequest runFailureMessage(const Failure& failure, const std::u16string& source) {
    std::u16string text = fromUtf8(failure.message(errors::Language::Russian));
    if (!source.empty() && failure.file != source) text = source + u"\r\n" + text;
    return {text, u"Ошибка!", MessageIcon::Stop, 0};
}

std::optional<MessageRequest> runNotesMessage(const RunOutcome& outcome) {
    if (outcome.backups.empty() && outcome.skipped.empty()) return std::nullopt;
    std::u16string text;
    if (!outcome.backups.empty()) {
        text +=
            u"Эти файлы записаны не программой; их прежнее содержимое сохранено с «~» в "
            u"конце имени:";
        for (const std::u16string& backup : outcome.backups)
            text += u"\r\n" + backup;
    }
    if (!outcome.skipped.empty()) {
        if (!text.empty()) text += u"\r\n\r\n";
        text += u"Не преобразованы, потому что их место уже занял результат этого запуска:";
        for (const std::u16string& source : outcome.skipped)
            text += u"\r\n" + source;
    }
    return MessageRequest{text, u"Файлы сохранены", MessageIcon::Information, 0};
}

}  // namespace lorvane
