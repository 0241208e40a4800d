// Built-ins that reach outside the script: MsgBox and InputBox through the program's Desktop,
// CreateObject through the registry of object kinds, Eval and Execute; and the constants.
#include <chrono>

#include "platform/desktop.h"
#include "platform/error_catalogue.h"
#include "scripting/builtins.h"
#include "scripting/coerce.h"
#include "scripting/evaluator.h"
#include "scripting/script_error.h"

namespace lorvane::vbs {
namespace {

using Args = BuiltinArgs;

constexpr char16_t kDefaultCaption[] = u"VBScript";

std::u16string textOr(const Args& a, std::size_t i, std::u16string fallback) {
    if (i >= a.size() || a[i].isEmpty()) return fallback;
    return toString(a[i]);
}

// MsgBox(prompt[, buttons[, title[, helpfile, context]]])
Variant fnMsgBox(Evaluator& e, Args& a) {
    MessageRequest request;
    request.text = a[0].isNull() ? std::u16string() : toString(a[0]);
    const int32_t buttons = a.size() > 1 && !a[1].isEmpty() ? toLong(a[1]) : 0;
    request.buttons = buttons & 0x0F;
    request.icon = iconForButtons(buttons);
    request.caption = textOr(a, 2, kDefaultCaption);
    Desktop* desktop = e.context().desktop;
    const auto started = std::chrono::steady_clock::now();
    const int answer = desktop ? desktop->showMessage(request) : kAnswerOk;
    e.excludeFromTimeLimit(std::chrono::steady_clock::now() - started);
    return Variant::fromInteger(static_cast<int16_t>(answer));
}

// InputBox(prompt[, title[, default[, xpos, ypos[, helpfile, context]]]])
Variant fnInputBox(Evaluator& e, Args& a) {
    Desktop* desktop = e.context().desktop;
    const std::u16string prompt = toString(a[0]);
    const std::u16string caption = textOr(a, 1, kDefaultCaption);
    const std::u16string proposed = textOr(a, 2, u"");
    const auto started = std::chrono::steady_clock::now();
    std::u16string answer = desktop ? desktop->inputBox(prompt, caption, proposed) : u"";
    e.excludeFromTimeLimit(std::chrono::steady_clock::now() - started);
    return Variant::fromString(std::move(answer));
}

Variant fnCreateObject(Evaluator& e, Args& a) {
    return Variant::fromObject(e.createObject(toString(a[0])));
}

Variant fnEval(Evaluator& e, Args& a) {
    return e.evalText(toString(a[0]));
}

Variant fnExecute(Evaluator& e, Args& a) {
    e.executeText(toString(a[0]), false);
    return {};
}

Variant fnExecuteGlobal(Evaluator& e, Args& a) {
    e.executeText(toString(a[0]), true);
    return {};
}

Variant fnScriptEngine(Evaluator&, Args&) {
    return Variant::fromString(u"VBScript");
}
Variant fnMajorVersion(Evaluator&, Args&) {
    return Variant::fromLong(5);
}
Variant fnMinorVersion(Evaluator&, Args&) {
    return Variant::fromLong(8);
}
Variant fnBuildVersion(Evaluator&, Args&) {
    return Variant::fromLong(16384);
}

constexpr Builtin kHostBuiltins[] = {
    {u"MsgBox", 1, 5, fnMsgBox},
    {u"InputBox", 1, 7, fnInputBox},
    {u"CreateObject", 1, 2, fnCreateObject},
    {u"Eval", 1, 1, fnEval},
    {u"Execute", 1, 1, fnExecute},
    {u"ExecuteGlobal", 1, 1, fnExecuteGlobal},
    {u"ScriptEngine", 0, 0, fnScriptEngine},
    {u"ScriptEngineMajorVersion", 0, 0, fnMajorVersion},
    {u"ScriptEngineMinorVersion", 0, 0, fnMinorVersion},
    {u"ScriptEngineBuildVersion", 0, 0, fnBuildVersion},
};

}  // namespace

std::span<const Builtin> hostBuiltins() {
    return kHostBuiltins;
}

std::vector<std::pair<std::u16string, Variant>> builtinConstants() {
    auto integer = [](int v) { return Variant::fromInteger(static_cast<int16_t>(v)); };
    auto text = [](std::u16string s) { return Variant::fromString(std::move(s)); };
    std::vector<std::pair<std::u16string, Variant>> out = {
        {u"vbCrLf", text(u"\r\n")},
        {u"vbCr", text(u"\r")},
        {u"vbLf", text(u"\n")},
        {u"vbNewLine", text(u"\r\n")},
        {u"vbTab", text(u"\t")},
        {u"vbFormFeed", text(u"\f")},
        {u"vbVerticalTab", text(u"\v")},
        {u"vbNullChar", text(std::u16string(1, u'\0'))},
        {u"vbNullString", text(u"")},
        {u"vbBinaryCompare", integer(0)},
        {u"vbTextCompare", integer(1)},
        {u"vbDatabaseCompare", integer(2)},
        {u"vbOKOnly", integer(0)},
        {u"vbOKCancel", integer(1)},
        {u"vbAbortRetryIgnore", integer(2)},
        {u"vbYesNoCancel", integer(3)},
        {u"vbYesNo", integer(4)},
        {u"vbRetryCancel", integer(5)},
        {u"vbCritical", integer(16)},
        {u"vbQuestion", integer(32)},
        {u"vbExclamation", integer(48)},
        {u"vbInformation", integer(64)},
        {u"vbDefaultButton1", integer(0)},
        {u"vbDefaultButton2", integer(256)},
        {u"vbDefaultButton3", integer(512)},
        {u"vbDefaultButton4", integer(768)},
        {u"vbApplicationModal", integer(0)},
        {u"vbSystemModal", integer(4096)},
        {u"vbOK", integer(1)},
        {u"vbCancel", integer(2)},
        {u"vbAbort", integer(3)},
        {u"vbRetry", integer(4)},
        {u"vbIgnore", integer(5)},
        {u"vbYes", integer(6)},
        {u"vbNo", integer(7)},
        {u"vbEmpty", integer(0)},
        {u"vbNull", integer(1)},
        {u"vbInteger", integer(2)},
        {u"vbLong", integer(3)},
        {u"vbSingle", integer(4)},
        {u"vbDouble", integer(5)},
        {u"vbCurrency", integer(6)},
        {u"vbDate", integer(7)},
        {u"vbString", integer(8)},
        {u"vbObject", integer(9)},
        {u"vbError", integer(10)},
        {u"vbBoolean", integer(11)},
        {u"vbVariant", integer(12)},
        {u"vbDataObject", integer(13)},
        {u"vbDecimal", integer(14)},
        {u"vbByte", integer(17)},
        {u"vbArray", integer(8192)},
        {u"vbUseDefault", integer(-2)},
        {u"vbTrue", integer(-1)},
        {u"vbFalse", integer(0)},
        {u"vbSunday", integer(1)},
        {u"vbMonday", integer(2)},
        {u"vbTuesday", integer(3)},
        {u"vbWednesday", integer(4)},
        {u"vbThursday", integer(5)},
        {u"vbFriday", integer(6)},
        {u"vbSaturday", integer(7)},
        {u"vbUseSystemDayOfWeek", integer(0)},
        {u"vbUseSystem", integer(0)},
        {u"vbFirstJan1", integer(1)},
        {u"vbFirstFourDays", integer(2)},
        {u"vbFirstFullWeek", integer(3)},
        {u"vbMsgBoxHelpButton", Variant::fromLong(16384)},
        {u"vbMsgBoxSetForeground", Variant::fromLong(65536)},
        {u"vbMsgBoxRight", Variant::fromLong(524288)},
        {u"vbMsgBoxRtlReading", Variant::fromLong(1048576)},
        {u"vbGeneralDate", integer(0)},
        {u"vbLongDate", integer(1)},
        {u"vbShortDate", integer(2)},
        {u"vbLongTime", integer(3)},
        {u"vbShortTime", integer(4)},
        {u"vbObjectError", Variant::fromLong(-2147221504)},
        {u"vbBlack", Variant::fromLong(0x000000)},
        {u"vbRed", Variant::fromLong(0x0000FF)},
        {u"vbGreen", Variant::fromLong(0x00FF00)},
        {u"vbYellow", Variant::fromLong(0x00FFFF)},
        {u"vbBlue", Variant::fromLong(0xFF0000)},
        {u"vbMagenta", Variant::fromLong(0xFF00FF)},
        {u"vbCyan", Variant::fromLong(0xFFFF00)},
        {u"vbWhite", Variant::fromLong(0xFFFFFF)},
    };
    return out;
}

}  // namespace lorvane::vbs
