// What start-up and archive unpacking need of the two windows, as plain interfaces: the real
// windows implement them, tests use fakes. Touching a port loads its window (its load handling
// runs first), as the windows' own code expects.
#pragma once

#include <string>

namespace lorvane {

class FileLister;

// The file-selection window ("Файлы").
class FileWindowPort {
  public:
    virtual ~FileWindowPort() = default;
    // Fills the file list from the folder; `Chcked` selects every entry.
    virtual void Mut2(const std::u16string& strArg, bool Chcked) = 0;
    virtual void clearList() = 0;
    virtual void addEntry(const std::u16string& text, bool selected) = 0;
    virtual int patternCount() = 0;
    virtual void selectPattern(int index) = 0;  // runs the pattern change
    virtual void setPatternListVisible(bool visible) = 0;
    virtual bool patternListVisible() = 0;
    virtual FileLister& lister() = 0;  // the window's folder lister
    virtual void show() = 0;
};

// The main window ("Параметры").
class MainWindowPort {
  public:
    virtual ~MainWindowPort() = default;
    virtual void setClipboardSource(bool clipboard) = 0;
    virtual bool clipboardSource() = 0;
    virtual void setScopeListVisible(bool visible) = 0;
    virtual void setFirstScopeText(const std::u16string& text) = 0;
    virtual void show() = 0;
};

}  // namespace lorvane
