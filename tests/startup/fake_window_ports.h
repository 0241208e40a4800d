// Window ports that record what start-up does to them, in one shared log, so tests can check the
// start state of each window and the order of the calls.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/file_lister.h"
#include "startup/startup_values.h"
#include "startup/window_ports.h"

namespace lorvane::test {

struct PortLog {
    std::vector<std::string> calls;
};

class FakeMainWindow : public MainWindowPort {
  public:
    FakeMainWindow(PortLog& log, const StartupValues& values) : log_(log), values_(values) {}

    void setClipboardSource(bool clipboard) override {
        touch("main.setClipboardSource");
        clipboard_ = clipboard;
    }
    bool clipboardSource() override {
        touch("main.clipboardSource");
        return clipboard_;
    }
    void setScopeListVisible(bool visible) override {
        touch("main.setScopeListVisible");
        scopeListVisible = visible;
    }
    void setFirstScopeText(const std::u16string& text) override {
        touch("main.setFirstScopeText");
        firstScopeText = text;
    }
    void show() override {
        touch("main.show");
        shown = true;
    }

    bool clipboard_ = false;
    bool scopeListVisible = true;
    std::u16string firstScopeText = u"В файле ";
    bool shown = false;
    bool loaded = false;
    StartupValues valuesAtLoad;
    std::function<void()> onLoad;  // a load that ends the program, for instance

  private:
    void touch(const char* call) {
        if (!loaded) {
            loaded = true;
            valuesAtLoad = values_;
            log_.calls.push_back("main.load");
            if (onLoad) onLoad();
        }
        log_.calls.push_back(call);
    }
    PortLog& log_;
    const StartupValues& values_;
};

class FakeFileWindow : public FileWindowPort {
  public:
    explicit FakeFileWindow(PortLog& log) : log_(log) {}

    void Mut2(const std::u16string& strArg, bool Chcked) override {
        touch("files.Mut2");
        mut2Calls.emplace_back(strArg, Chcked);
    }
    void clearList() override {
        touch("files.clearList");
        entries.clear();
    }
    void addEntry(const std::u16string& text, bool selected) override {
        touch("files.addEntry");
        entries.emplace_back(text, selected);
    }
    int patternCount() override {
        touch("files.patternCount");
        return 4;
    }
    void selectPattern(int index) override {
        touch("files.selectPattern");
        selectedPattern = index;
    }
    void setPatternListVisible(bool visible) override {
        touch("files.setPatternListVisible");
        patternsVisible = visible;
    }
    bool patternListVisible() override {
        touch("files.patternListVisible");
        return patternsVisible;
    }
    FileLister& lister() override {
        touch("files.lister");
        return lister_;
    }
    void show() override {
        touch("files.show");
        shown = true;
    }

    bool loaded = false;
    std::vector<std::pair<std::u16string, bool>> mut2Calls;
    std::vector<std::pair<std::u16string, bool>> entries;
    int selectedPattern = 2;
    bool patternsVisible = true;
    bool shown = false;
    FileLister lister_;

  private:
    void touch(const char* call) {
        if (!loaded) {
            loaded = true;
            log_.calls.push_back("files.load");
        }
        log_.calls.push_back(call);
    }
    PortLog& log_;
};

}  // namespace lorvane::test
