#include "ui/file_window/picked_names.h"

namespace lorvane {

PickedNames::PickedNames(std::u16string_view name) {
    if (!name.empty()) names_.emplace(name);
}

void PickedNames::note(std::u16string_view entry, bool selected) {
    if (selected) {
        names_.emplace(entry);
    } else if (auto it = names_.find(entry); it != names_.end()) {
        names_.erase(it);
    }
}

bool PickedNames::contains(std::u16string_view name) const {
    return names_.count(name) > 0;
}

}  // namespace lorvane
