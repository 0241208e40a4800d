#include "scripting/objects/regexp.h"

#include "platform/error_catalogue.h"
#include "scripting/coerce.h"
#include "scripting/objects/match_objects.h"
#include "scripting/objects/object_support.h"
#include "scripting/run_limits.h"
#include "scripting/script_error.h"

namespace lorvane::vbs {
namespace {

enum Member : MemberId { kExecute, kGlobal, kIgnoreCase, kMultiLine, kPattern, kReplace, kTest };

constexpr MemberEntry kMembers[] = {
    {u"Execute", kExecute},     {u"Global", kGlobal},   {u"IgnoreCase", kIgnoreCase},
    {u"MultiLine", kMultiLine}, {u"Pattern", kPattern}, {u"Replace", kReplace},
    {u"Test", kTest},
};

bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

std::u16string_view groupText(const std::u16string& text, const MatchSpan& match, int group) {
    const auto k = static_cast<std::size_t>(group - 1);
    if (match.groupStart[k] < 0) return {};
    return std::u16string_view(text).substr(
        static_cast<std::size_t>(match.groupStart[k]),
        static_cast<std::size_t>(match.groupEnd[k] - match.groupStart[k]));
}

}  // namespace

std::u16string expandReplacement(std::u16string_view replacement, const std::u16string& text,
                                 const MatchSpan& match) {
    const auto groups = static_cast<int>(match.groupStart.size());
    const std::u16string_view whole(text);
    std::u16string out;
    for (std::size_t i = 0; i < replacement.size(); ++i) {
        const char16_t c = replacement[i];
        const char16_t next = i + 1 < replacement.size() ? replacement[i + 1] : u'\0';
        if (c != u'$' || next == u'\0') {
            out += c;
            continue;
        }
        if (next == u'$') {
            out += u'$';
            ++i;
        } else if (next == u'&') {
            out += whole.substr(static_cast<std::size_t>(match.start),
                                static_cast<std::size_t>(match.end - match.start));
            ++i;
        } else if (next == u'`') {
            out += whole.substr(0, static_cast<std::size_t>(match.start));
            ++i;
        } else if (next == u'\'') {
            out += whole.substr(static_cast<std::size_t>(match.end));
            ++i;
        } else if (isDigit(next)) {
            // Two digits when they name a group, else one digit when it does.
            const int one = next - u'0';
            const bool twoDigits = i + 2 < replacement.size() && isDigit(replacement[i + 2]);
            const int two = twoDigits ? one * 10 + (replacement[i + 2] - u'0') : 0;
            if (twoDigits && two >= 1 && two <= groups) {
                out += groupText(text, match, two);
                i += 2;
            } else if (one >= 1 && one <= groups) {
                out += groupText(text, match, one);
                i += 1;
            } else {
                out += c;
            }
        } else {
            out += c;
        }
    }
    return out;
}

RegExp::RegExp(int32_t matchStepLimit) : matchStepLimit_(matchStepLimit) {}

RegExp::~RegExp() = default;

MemberId RegExp::findMember(std::u16string_view name) const {
    return findMemberIn(kMembers, name);
}

Variant RegExp::get(MemberId member, Arguments& args) {
    switch (member) {
        case kExecute: {
            expectArgumentCount(args, 1, 1);
            const std::u16string text = stringArgument(args, 0);
            return Variant::fromObject(
                std::make_shared<MatchCollection>(text, find(text, global_)));
        }
        case kGlobal:
            expectArgumentCount(args, 0, 0);
            return Variant::fromBool(global_);
        case kIgnoreCase:
            expectArgumentCount(args, 0, 0);
            return Variant::fromBool(ignoreCase_);
        case kMultiLine:
            expectArgumentCount(args, 0, 0);
            return Variant::fromBool(multiLine_);
        case kPattern:
            expectArgumentCount(args, 0, 0);
            return Variant::fromString(pattern_);
        case kReplace:
            expectArgumentCount(args, 2, 2);
            return Variant::fromString(replace(stringArgument(args, 0), stringArgument(args, 1)));
        case kTest:
            expectArgumentCount(args, 1, 1);
            return Variant::fromBool(!find(stringArgument(args, 0), false).empty());
        default:
            raise(errors::kObjectDoesNotSupportProperty);
    }
}

void RegExp::let(MemberId member, Arguments& args, const Variant& value) {
    expectArgumentCount(args, 0, 0);
    switch (member) {
        case kGlobal:
            global_ = toBool(valueOf(value));
            return;  // Global changes no compiled pattern
        case kIgnoreCase:
            ignoreCase_ = toBool(valueOf(value));
            break;
        case kMultiLine:
            multiLine_ = toBool(valueOf(value));
            break;
        case kPattern:
            pattern_ = toString(valueOf(value));
            break;
        default:
            Object::let(member, args, value);
    }
    compiled_.reset();
}

const CompiledPattern& RegExp::compiled() {
    if (!compiled_) {
        compiled_ = std::make_unique<CompiledPattern>(
            pattern_, PatternOptions{.ignoreCase = ignoreCase_, .multiLine = multiLine_});
    }
    return *compiled_;
}

std::vector<MatchSpan> RegExp::find(const std::u16string& text, bool global) {
    return compiled().find(text, global, matchStepLimit_);
}

std::u16string RegExp::replace(const std::u16string& text, const std::u16string& replacement) {
    std::u16string out;
    std::size_t copied = 0;
    for (const MatchSpan& match : find(text, global_)) {
        const std::u16string expanded = expandReplacement(replacement, text, match);
        checkTextLength(out.size() + (static_cast<std::size_t>(match.start) - copied) +
                        expanded.size());
        out.append(text, copied, static_cast<std::size_t>(match.start) - copied);
        out += expanded;
        copied = static_cast<std::size_t>(match.end);
    }
    out.append(text, copied);
    return out;
}

}  // namespace lorvane::vbs
