#include "engine/directives.h"

#include <iterator>

#include "platform/text.h"

namespace lorvane {
namespace {

using enum DirectiveAction;
using enum DirectiveMatch;
using enum LevelRule;

constexpr Directive kDirectives[] = {
    {u">charset", Prefix, AnyLevel, false, SetCharset},
    {u">fontsize", Prefix, DocumentLevelOnly, false, SetFontSize},
    {u">fontface", Prefix, DocumentLevelOnly, false, SetFontFace},
    {u">extent ", Prefix, DocumentLevelOnly, false, SetExtent},
    {u">prae ", Prefix, AnyLevel, false, SetPrae},
    {u">post ", Prefix, AnyLevel, false, SetPost},
    {u">digits", Prefix, AnyLevel, true, Digits},
    {u">script ", Prefix, AnyLevel, true, RunScript},
    // Skipped when its table is applied again at level -1 (Rpl3 from the script it started), so
    // it does not start that script a second time.
    {u">script0", Prefix, DocumentLevelOnly, true, RunScript},
    {u">script1", Prefix, DocumentLevelOnly, false, SetScript1},
    {u">script2", Prefix, DocumentLevelOnly, false, SetScript2},
    {u">eol2", WholeLine, AnyLevel, false, Eol2On},
    {u">noteol2", WholeLine, AnyLevel, false, Eol2Off},
    {u">go@", Prefix, AnyLevel, true, Include},
    // The encoding the result is written in, for a table whose letters its source's page lacks.
    {u">codepage", Prefix, DocumentLevelOnly, false, SetCodepage},
};

}  // namespace

std::span<const Directive> directives() {
    return kDirectives;
}

const Directive* matchDirective(std::u16string_view lowerLine, std::size_t from,
                                std::size_t* index) {
    for (std::size_t i = from; i < std::size(kDirectives); ++i) {
        const Directive& directive = kDirectives[i];
        const bool matches = directive.match == Prefix
                                 ? lowerLine.starts_with(directive.keyword)
                                 : trimSpaces(lowerLine) == directive.keyword;
        if (matches) {
            if (index != nullptr) *index = i;
            return &directive;
        }
    }
    return nullptr;
}

}  // namespace lorvane
