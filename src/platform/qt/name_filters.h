// Turns a file-chooser filter in the "|" form (description|pattern|description|pattern...) into
// the name filters of Qt's file dialog, "description (pattern pattern)".
#pragma once

#include <QStringList>
#include <string_view>

namespace lorvane {

// Elements pair up by position: a line of the type list without "|" shifts every later pair,
// and an empty first element is a type with an empty description. Patterns separated by ";"
// become space-separated. A lone trailing element is taken as a pattern for itself.
QStringList toQtNameFilters(std::u16string_view barFilter);

}  // namespace lorvane
