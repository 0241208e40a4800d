// The one registration table of table directives: what each keyword is, when it acts and what
// it does. The compiler, the line handler, the pass runner's "must the passes stop here" test and
// the table checker all read it, so a directive is added in one place.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace lorvane {

enum class DirectiveAction : std::uint8_t {
    SetCharset,
    SetFontSize,
    SetFontFace,
    SetExtent,
    SetPrae,
    SetPost,
    Digits,
    RunScript,
    SetScript1,
    SetScript2,
    Eol2On,
    Eol2Off,
    Include,
    SetCodepage,
};

// How the keyword is found in the line, which has been turned to lower case.
enum class DirectiveMatch : std::uint8_t {
    Prefix,     // the line starts with the keyword; any continuation follows
    WholeLine,  // the line, spaces trimmed at both ends, is the keyword
};

enum class LevelRule : std::uint8_t {
    AnyLevel,
    DocumentLevelOnly,  // acts only for the first segment's top-level table (level 0)
};

struct Directive {
    std::u16string_view keyword;  // lower case; ends with the space it needs, if any
    DirectiveMatch match;
    LevelRule level;
    bool touchesText;  // reads or changes the working text: the pair passes stop before it
    DirectiveAction action;

    bool needsTrailingSpace() const { return keyword.ends_with(u' '); }
    bool actsAt(int16_t level) const {
        return this->level == LevelRule::AnyLevel || level == 0;
    }
};

// Every directive, in the order the line handler tests them on one line.
std::span<const Directive> directives();

// The directive whose keyword a lower-case line matches, at or after `from` in the table order.
// Nothing (nullptr) when none matches.
const Directive* matchDirective(std::u16string_view lowerLine, std::size_t from, std::size_t* index);

}  // namespace lorvane
