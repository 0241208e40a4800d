// Applying a table file (level -1) and finding include files.
#include <algorithm>

#include "engine/pass_runner.h"
#include "engine/table_engine.h"
#include "platform/error_catalogue.h"

namespace lorvane {

Status TableEngine::Rplc2(const std::u16string& Fil, ScriptRunner& scripts) {
    return applyTableFile(Fil, stamps_.stampOf(Fil), scripts);
}

// The file's stamp is taken once for all it is used for: the cache's check and the recursion
// check of the includes it holds.
Status TableEngine::applyTableFile(const std::u16string& Fil, const std::optional<FileStamp>& stamp,
                                   ScriptRunner& scripts) {
    if (nesting_ == 0) applications_ = 0;
    if (nesting_ >= kMaxNesting || applications_ >= kMaxApplications) {
        return failureFor(errors::kOutOfStackSpace, Fil);
    }
    ++applications_;
    // Held here: the cache may compile the file anew while this application is still going.
    auto table = cache_.load(Fil, stamp, TableOrigin::Applied, *state_.codePage);
    if (!table) return table.failure();
    // Left as it was even when memory runs out on the way, so the engine can go on afterwards.
    struct Nested {
        TableEngine& engine;
        ~Nested() {
            engine.applying_.pop_back();
            --engine.nesting_;
        }
    };
    ++nesting_;
    applying_.push_back(stamp.value_or(FileStamp{}));
    const Nested nested{*this};
    // Its pairs may wait in the including table's runner after this application.
    if (includingRunner_ != nullptr) includingRunner_->keep(*table);
    applySteps((*table)->steps, -1, (*table)->file, scripts);
    return {};
}

bool TableEngine::isBeingApplied(const std::optional<FileStamp>& stamp) const {
    if (!stamp) return false;
    return std::any_of(applying_.begin(), applying_.end(),
                       [&stamp](const FileStamp& applied) { return applied.sameFile(*stamp); });
}

// An include of a table that is already being applied (a table that includes itself, directly
// or through others) is skipped: nothing in a table can end such a recursion, and a table that
// includes itself twice would otherwise be applied 2^32 times before the nesting limit stops it.
bool TableEngine::applyInclude(const std::u16string& name, ScriptRunner& scripts,
                               std::u16string* detail) {
    const auto path = includes_.find(state_.programFolder, state_.modeName, name);
    if (detail != nullptr) *detail = path ? *path : u"not found";
    if (!path) return false;
    const auto stamp = stamps_.stampOf(*path);
    if (isBeingApplied(stamp)) return false;
    ++textVersion_;
    return applyTableFile(*path, stamp, scripts).ok();  // a failing include is a skipped step
}

}  // namespace lorvane
