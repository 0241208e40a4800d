#include "platform/qt/name_filters.h"

#include <QString>

namespace lorvane {

namespace {

QStringList patternList(const QString& pattern) {
    QStringList parts = pattern.split(u';', Qt::SkipEmptyParts);
    for (QString& part : parts)
        part = part.trimmed();
    parts.removeAll(QString());
    return parts;
}

// Qt's dialog reads "*.*" as "names with a dot"; the program's own lists, like the platform the
// type list comes from, let a pattern ending in ".*" admit names without any extension too. The
// stem before ".*" is added for those names.
QStringList withExtensionlessNames(const QStringList& patterns) {
    QStringList out;
    for (const QString& pattern : patterns) {
        out.append(pattern);
        if (pattern.size() > 2 && pattern.endsWith(u".*")) {
            const QString stem = pattern.chopped(2);
            if (!patterns.contains(stem) && !out.contains(stem)) out.append(stem);
        }
    }
    return out;
}

QString entry(QString description, const QString& pattern) {
    const QStringList written = patternList(pattern);
    const QString group = u'(' + withExtensionlessNames(written).join(u' ') + u')';
    // "Текстовые документы (*.txt)" already names its pattern the way Qt reads it.
    const QString writtenGroup = u'(' + written.join(u' ') + u')';
    if (description.endsWith(writtenGroup)) description.chop(writtenGroup.size());
    description = description.trimmed();
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
