// The object scripts reach as "Output": it reads the working text, converts numbers to
// numerals, applies tables, and takes the script's answer (Send). Every method works on the
// engine state it was made with.
#pragma once

#include <string>

#include "engine/engine_state.h"
#include "engine/table_engine.h"
#include "scripting/host_object.h"

namespace lorvane {

class DisplayClass : public vbs::Object {
  public:
    DisplayClass(EngineState& state, TableEngine& engine);

    // The text of the last Send (scriptResult).
    const std::u16string& scriptResult() const { return scriptResult_; }
    void setScriptResult(std::u16string text) { scriptResult_ = std::move(text); }

    std::u16string typeName() const override { return u"DisplayClass"; }
    vbs::MemberId findMember(std::u16string_view name) const override;
    vbs::Variant get(vbs::MemberId member, vbs::Arguments& args) override;

  private:
    vbs::Variant send(vbs::Arguments& args);
    vbs::Variant numeral(vbs::MemberId member, vbs::Arguments& args);
    vbs::Variant throughCurrentTable(std::u16string text);

    EngineState& state_;
    TableEngine& engine_;
    std::u16string scriptResult_;
};

}  // namespace lorvane
