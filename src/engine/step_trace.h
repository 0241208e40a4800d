// What a traced table application reports: every step applied, in order, with where it stands
// and what it did. Tracing applies pairs one pass each, which gives the same text as the fused
// passes of an ordinary application.
#pragma once

#include <cstddef>
#include <string>

namespace lorvane {

struct TraceEvent {
    std::u16string file;
    int line = 0;
    int depth = 0;             // 0 for a top-level table; +1 for each include or script table
    std::u16string what;       // the step: "pair", a directive keyword
    std::u16string detail;     // the search side, the setting recorded, the include found ...
    bool acted = true;         // false: skipped at this level, or found nothing to do
    std::size_t replacements = 0;
    std::size_t lengthBefore = 0;
    std::size_t lengthAfter = 0;
    double seconds = 0;
};

class StepTrace {
  public:
    virtual ~StepTrace() = default;
    virtual void stepApplied(const TraceEvent& event) = 0;
};

}  // namespace lorvane
