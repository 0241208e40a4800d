// The invisible folder and file lists the windows use to find files. A lister keeps its folder
// and pattern between uses, so each use sees what the previous one left; pointing it at a
// missing folder fails and keeps the previous folder and list.
#pragma once

#include <string>
#include <vector>

namespace lorvane {

class FileLister {
  public:
    // Shows the ordinary files of the folder that match the pattern. False (and nothing changed)
    // when the path names no existing folder.
    bool setFolder(std::u16string_view folder);
    // The current folder, without a trailing separator; empty before the first folder is set.
    const std::u16string& folder() const { return folder_; }

    // Patterns with "*" and "?", separated by ";", matched without regard to letter case.
    void setPattern(std::u16string_view pattern);
    const std::u16string& pattern() const { return pattern_; }

    // Lists the current folder again (files may have appeared).
    void refresh();

    int count() const { return static_cast<int>(entries_.size()); }
    // The bare file name at a 0-based index.
    const std::u16string& entry(int index) const {
        return entries_.at(static_cast<std::size_t>(index));
    }
    const std::vector<std::u16string>& entries() const { return entries_; }

  private:
    std::u16string folder_;
    std::u16string pattern_ = u"*.*";
    std::vector<std::u16string> entries_;
};

class FolderLister {
  public:
    bool setFolder(std::u16string_view folder);
    const std::u16string& folder() const { return folder_; }
    int count() const { return static_cast<int>(entries_.size()); }
    // The full path of the subfolder at a 0-based index.
    const std::u16string& entry(int index) const {
        return entries_.at(static_cast<std::size_t>(index));
    }
    const std::vector<std::u16string>& entries() const { return entries_; }

  private:
    std::u16string folder_;
    std::vector<std::u16string> entries_;
};

}  // namespace lorvane
