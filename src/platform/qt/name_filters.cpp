#include "platform/qt/name_filters.h"

#include <QString>

namespace lorvane {

namespace {

QString qtPatterns(const QString& pattern) {
    QStringList parts = pattern.split(u';', Qt::SkipEmptyParts);
    for (QString& part : parts)
        part = part.trimmed();
    parts.removeAll(QString());
    return parts.join(u' ');
}

QString entry(const QString& description, const QString& pattern) {
    const QString patterns = qtPatterns(pattern);
    const QString group = u'(' + patterns + u')';
    // "Текстовые документы (*.txt)" already names its pattern the way Qt reads it.
    if (description.endsWith(group)) return description;
    if (description.isEmpty()) return group;
    return description + u' ' + group;
}

}  // namespace

QStringList toQtNameFilters(std::u16string_view barFilter) {
    const QString text =
        QString::fromUtf16(barFilter.data(), static_cast<qsizetype>(barFilter.size()));
    QStringList elements = text.split(u'|');
    // The "|" form ends with a separator; what follows it is no element.
    if (!elements.isEmpty() && elements.back().isEmpty()) elements.removeLast();
    QStringList filters;
    qsizetype i = 0;
    for (; i + 1 < elements.size(); i += 2)
        filters.append(entry(elements[i], elements[i + 1]));
    if (i < elements.size() && !elements[i].isEmpty())
        filters.append(entry(elements[i], elements[i]));
    return filters;
}

}  // namespace lorvane
