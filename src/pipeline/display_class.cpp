#include "pipeline/display_class.h"

#include <iterator>

#include "engine/numerals.h"
#include "platform/error_catalogue.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "scripting/coerce.h"
#include "scripting/script_error.h"

namespace lorvane {
namespace {

using vbs::Arguments;
using vbs::MemberId;
using vbs::Variant;

enum Member : MemberId { kSend, kX, kToSlv, kToGrk, kToRom, kTable, kRpl3 };

struct MemberEntry {
    const char16_t* name;
    int minArgs;
    int maxArgs;
};

// In the order of Member.
constexpr MemberEntry kMembers[] = {
    {u"Send", 1, 1},  {u"X", 0, 0},     {u"ToSlv", 1, 2}, {u"ToGrk", 1, 2},
    {u"ToRom", 1, 2}, {u"Table", 2, 2}, {u"Rpl3", 1, 1},
};

// A failure of the table engine becomes a run-time error of the call in the script.
[[noreturn]] void raiseFailure(const Failure& failure) {
    vbs::raise(failure.number, failure.description);
}

// Rpl: optional, by value; the numeral is passed through the current table when it is
// greater than 0.
bool wantsTable(const Arguments& args) {
    return args.size() > 1 && !args[1].isEmpty() && vbs::toDouble(args[1]) > 0;
}

}  // namespace

DisplayClass::DisplayClass(EngineState& state, TableEngine& engine, ScriptRunner& scripts)
    : state_(state), engine_(engine), scripts_(scripts), standing_{state.tmpText, {}},
      current_(&standing_) {}

MemberId DisplayClass::findMember(std::u16string_view name) const {
    for (std::size_t i = 0; i < std::size(kMembers); ++i) {
        if (equalsIgnoringCase(name, kMembers[i].name)) return static_cast<MemberId>(i);
    }
    return vbs::kNoMember;
}

Variant DisplayClass::get(MemberId member, Arguments& args) {
    if (member < 0 || member >= static_cast<MemberId>(std::size(kMembers))) {
        vbs::raise(errors::kObjectDoesNotSupportProperty);
    }
    const MemberEntry& entry = kMembers[member];
    if (static_cast<int>(args.size()) < entry.minArgs ||
        static_cast<int>(args.size()) > entry.maxArgs) {
        vbs::raise(errors::kWrongNumberOfArguments);
    }
    switch (member) {
        case kSend:
            return send(args);
        case kX:
            return Variant::fromString(current_->text);
        case kToSlv:
        case kToGrk:
        case kToRom:
            return numeral(member, args);
        case kTable: {
            // Tbl is a path users write, often with "\".
            auto result = engine_.Table(vbs::toString(args[0]),
                                        normalizeSeparators(vbs::toString(args[1])), scripts_);
            if (!result) raiseFailure(result.failure());
            return Variant::fromString(std::move(*result));
        }
        default:
            return throughCurrentTable(vbs::toString(args[0]));
    }
}

// A value without a text form (Null) fails in the script, so no empty answer slips through.
Variant DisplayClass::send(Arguments& args) {
    if (args[0].isNull()) vbs::raise(errors::kInvalidUseOfNull);
    current_->sent = vbs::toString(args[0]);
    return {};
}

// ToSlv and ToGrk pass a fixed mode, so the automatic Greek choice never applies to them.
Variant DisplayClass::numeral(MemberId member, Arguments& args) {
    const std::u16string digits = vbs::toString(args[0]);
    std::u16string text;
    if (member == kToRom) {
        auto roman = RomanNumeral(digits);
        if (!roman) vbs::raise(errors::kOverflow);
        text = std::move(*roman);
    } else {
        int16_t mode = member == kToSlv ? kSlavonic : kGreek;
        text = LetterNumeral(digits, mode, state_.Tablett);
    }
    if (wantsTable(args)) return throughCurrentTable(std::move(text));
    return Variant::fromString(std::move(text));
}

Variant DisplayClass::throughCurrentTable(std::u16string text) {
    auto result = engine_.Rpl3(std::move(text), scripts_);
    if (!result) raiseFailure(result.failure());
    return Variant::fromString(std::move(*result));
}

}  // namespace lorvane
