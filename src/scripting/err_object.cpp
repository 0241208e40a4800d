#include "scripting/err_object.h"

#include <iterator>

#include "platform/error_catalogue.h"
#include "platform/text.h"
#include "scripting/coerce.h"

namespace lorvane::vbs {
namespace {

enum Member : MemberId { kNumber, kDescription, kSource, kHelpFile, kHelpContext, kClear, kRaise };

constexpr const char16_t* kMemberNames[] = {u"number",      u"description", u"source", u"helpfile",
                                            u"helpcontext", u"clear",       u"raise"};

}  // namespace

void ErrObject::clear() {
    number_ = 0;
    description_.clear();
    source_.clear();
    helpFile_.clear();
    helpContext_ = 0;
}

void ErrObject::record(const ScriptError& error) {
    number_ = error.number;
    description_ =
        error.description.empty() ? errors::description(error.number) : error.description;
    source_ = error.source.empty() ? std::u16string(kRuntimeErrorSource) : error.source;
}

MemberId ErrObject::findMember(std::u16string_view name) const {
    for (std::size_t i = 0; i < std::size(kMemberNames); ++i) {
        if (equalsIgnoringCase(name, kMemberNames[i])) return static_cast<MemberId>(i);
    }
    return kNoMember;
}

Variant ErrObject::get(MemberId member, Arguments& args) {
    switch (member) {
        case kNumber:
            return Variant::fromLong(number_);
        case kDescription:
            return Variant::fromString(description_);
        case kSource:
            return Variant::fromString(source_);
        case kHelpFile:
            return Variant::fromString(helpFile_);
        case kHelpContext:
            return Variant::fromLong(helpContext_);
        case kClear:
            clear();
            return {};
        case kRaise: {
            if (args.empty() || args.size() > 5) raise(errors::kWrongNumberOfArguments);
            ScriptError error;
            error.number = toLong(args[0]);
            // No error has the number 0, nor a positive one past 16 bits: raising one is an
            // invalid call, as it is in Windows' own VBScript.
            if (error.number == 0 || error.number > 0xFFFF) raise(errors::kInvalidProcedureCall);
            if (args.size() > 1 && !args[1].isEmpty()) error.source = toString(args[1]);
            if (args.size() > 2 && !args[2].isEmpty()) error.description = toString(args[2]);
            if (error.description.empty()) error.description = errors::description(error.number);
            if (args.size() > 3 && !args[3].isEmpty()) helpFile_ = toString(args[3]);
            if (args.size() > 4 && !args[4].isEmpty()) helpContext_ = toLong(args[4]);
            throw error;
        }
        default:
            raise(errors::kObjectDoesNotSupportProperty);
    }
}

void ErrObject::let(MemberId member, Arguments&, const Variant& value) {
    switch (member) {
        case kNumber:
            number_ = toLong(value);
            if (description_.empty()) description_ = errors::description(number_);
            break;
        case kDescription:
            description_ = toString(value);
            break;
        case kSource:
            source_ = toString(value);
            break;
        case kHelpFile:
            helpFile_ = toString(value);
            break;
        case kHelpContext:
            helpContext_ = toLong(value);
            break;
        default:
            raise(errors::kObjectDoesNotSupportProperty);
    }
}

}  // namespace lorvane::vbs
