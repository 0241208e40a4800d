// The object scripts reach as "Output": it reads the text the script works on, converts numbers
// to numerals, applies tables, and takes the script's answer (Send).
#pragma once

#include <string>

#include "engine/engine_state.h"
#include "engine/script_runner.h"
#include "engine/table_engine.h"
#include "scripting/host_object.h"

namespace lorvane {

class DisplayClass : public vbs::Object {
  public:
    // One run of a script: the text it works on (X reads it; Table and Rpl3 replace it, as they
    // replace the working text) and what it sent.
    struct Call {
        std::u16string& text;
        std::u16string sent;
    };

    // Makes `call` the current one for its lifetime; the one before is current again afterwards,
    // so a script run by a table another script applies keeps the outer run's answer apart.
    class CallScope {
      public:
        CallScope(DisplayClass& output, Call& call) : output_(output), outer_(output.current_) {
            output.current_ = &call;
        }
        ~CallScope() { output_.current_ = outer_; }
        CallScope(const CallScope&) = delete;
        CallScope& operator=(const CallScope&) = delete;

      private:
        DisplayClass& output_;
        Call* outer_;
    };

    // Tables applied through Table and Rpl3 act on `state` and run their scripts with `scripts`.
    // Outside a call (a script run as a program of its own) the working text is the text.
    DisplayClass(EngineState& state, TableEngine& engine, ScriptRunner& scripts);
    DisplayClass(const DisplayClass&) = delete;
    DisplayClass& operator=(const DisplayClass&) = delete;

    // The text of the current call's last Send (scriptResult).
    const std::u16string& scriptResult() const { return current_->sent; }

    std::u16string typeName() const override { return u"DisplayClass"; }
    vbs::MemberId findMember(std::u16string_view name) const override;
    vbs::Variant get(vbs::MemberId member, vbs::Arguments& args) override;

  private:
    vbs::Variant send(vbs::Arguments& args);
    vbs::Variant numeral(vbs::MemberId member, vbs::Arguments& args);
    vbs::Variant throughCurrentTable(std::u16string text);

    EngineState& state_;
    TableEngine& engine_;
    ScriptRunner& scripts_;
    Call standing_;
    Call* current_;
};

}  // namespace lorvane
