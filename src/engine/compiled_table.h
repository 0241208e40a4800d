// A table file turned once into the steps its lines stand for, each with its file and line.
// A compiled table is immutable: the same table is applied to every file of a run, at any level,
// and the level decides at application time which document-level directives act.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/diagnostics.h"
#include "engine/directives.h"
#include "platform/code_page.h"

namespace lorvane {

// One thing a line does. A line can stand for several steps (a directive that is a pair as
// well), in the order the line handler tests them.
struct Step {
    const Directive* directive = nullptr;  // nullptr: a replacement pair
    int line = 0;                          // 1-based line of the file
    std::u16string search;                 // pair: the text searched (never empty)
    std::u16string text;  // pair: the replacement; otherwise the argument, script or include name
    int32_t number = 0;   // >charset, >fontsize, >codepage: the value; >digits: the mode
    // pair: the group of passes it joins, run as one scan (0: none, or not known); see
    // PassRunner::assignFusionGroups.
    std::uint64_t fusionGroup = 0;
    // pair: its texts in the bytes of the single-byte page the table was compiled in, for a text
    // worked on in that page's bytes (see encodePairs); bytesPage is 0 when there are none.
    std::string searchBytes;
    std::string textBytes;
    int bytesPage = 0;

    bool isPair() const { return directive == nullptr; }
    bool touchesText() const { return isPair() || directive->touchesText; }
};

// Where a table comes from decides how its file is read: a top-level table (the selected table
// of a segment) and a table applied by an include or a script follow different line rules.
enum class TableOrigin : std::uint8_t { TopLevel, Applied };

struct OriginRules {
    bool lastLineNeedsBreak;    // text after the last line end is not a line
    bool hiddenLines;           // "// * " hands the rest of the line on
    std::size_t minLineLength;  // shorter lines are skipped
};

const OriginRules& rulesFor(TableOrigin origin);

struct CompiledTable {
    std::u16string file;
    TableOrigin origin = TableOrigin::TopLevel;
    std::vector<Step> steps;
    std::vector<Diagnostic> diagnostics;
};

// Compiles the text of a table file (its line ends as read: CR LF, or a lone CR) by the rules
// of its origin.
CompiledTable compileTable(std::u16string_view text, TableOrigin origin, std::u16string file,
                           const CodePage& page);

// Gives every pair its texts in the bytes of `page` when it is a single-byte page that can write
// them both, so a text in bytes is not encoding them again for every document.
void encodePairs(std::vector<Step>& steps, const CodePage& page);

// Compiles one line (already freed from a hidden-line prefix) into its steps, adding what it
// finds to `diagnostics` when given.
void compileLine(std::u16string_view line, int lineNumber, const CodePage& page,
                 std::vector<Step>& steps, std::vector<Diagnostic>* diagnostics,
                 const std::u16string& file = {});

}  // namespace lorvane
