// A program folder in a temporary directory, an engine state over it and a scripted fake runner.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "engine/table_engine.h"
#include "platform/error_catalogue.h"
#include "temp_folder.h"

namespace lorvane::test {

class FakeScriptRunner : public ScriptRunner {
  public:
    // The answer for a script name; a name without one fails with error 53.
    std::map<std::u16string, std::function<Expected<std::u16string>()>> answers;
    std::vector<std::u16string> calls;

    Expected<std::u16string> RunScript(const std::u16string& name, std::u16string&) override {
        calls.push_back(name);
        auto it = answers.find(name);
        if (it == answers.end()) return failureFor(errors::kFileNotFound, name);
        return it->second();
    }
};

class EngineTest : public ::testing::Test {
  protected:
    EngineTest() : engine(state) {
        state.programFolder = folder.u16path();
        state.modeName = u"hip";
        state.codePage = *CodePage::forNumber(1251);
        state.Tablett = folder.u16("@hip/t.txt");
    }

    // Writes a table file in the program's code page and returns its full path.
    std::u16string writeTable(std::string_view relative, std::u16string_view text) {
        folder.write(relative, state.codePage->encode(text));
        return folder.u16(relative);
    }

    std::u16string apply(std::u16string_view line, std::u16string text, int16_t level = 0) {
        state.tmpText = std::move(text);
        engine.Rplc(line, level, scripts);
        return state.tmpText;
    }

    TempFolder folder;
    EngineState state;
    FakeScriptRunner scripts;
    TableEngine engine;
};

}  // namespace lorvane::test
