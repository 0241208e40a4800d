// The file names picked in the file-selection window, kept across re-listing under another
// pattern. Names match exactly (letter case counts). A set of whole names, so a name holding
// spaces never makes another name count as picked, and a deselected name stays deselected.
#pragma once

#include <set>
#include <string>
#include <string_view>

namespace lorvane {

class PickedNames {
  public:
    PickedNames() = default;
    // Starts from one name (the source file's); an empty name picks nothing.
    explicit PickedNames(std::u16string_view name);

    // A listed entry's state before re-listing: a selected one is added, an unselected one
    // removed.
    void note(std::u16string_view entry, bool selected);
    bool contains(std::u16string_view name) const;

  private:
    std::set<std::u16string, std::less<>> names_;
};

}  // namespace lorvane
