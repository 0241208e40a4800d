#include "scripting/wscript_object.h"

#include <chrono>
#include <iterator>
#include <thread>

#include "platform/error_catalogue.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "scripting/coerce.h"
#include "scripting/interpreter.h"
#include "scripting/script_error.h"

namespace lorvane::vbs {
namespace {

MemberId lookup(std::u16string_view name, std::initializer_list<const char16_t*> names) {
    MemberId id = 0;
    for (const char16_t* candidate : names) {
        if (equalsIgnoringCase(name, candidate)) return id;
        ++id;
    }
    return kNoMember;
}

class ListEnumerator : public Enumerator {
  public:
    explicit ListEnumerator(const std::vector<std::u16string>& items) : items_(items) {}
    bool next(Variant& item) override {
        if (index_ >= items_.size()) return false;
        item = Variant::fromString(items_[index_++]);
        return true;
    }

  private:
    const std::vector<std::u16string>& items_;
    std::size_t index_ = 0;
};

// WScript.Arguments: Count, Length, Item(i) (the default member) and For Each.
class ArgumentList : public Object {
  public:
    explicit ArgumentList(std::vector<std::u16string> items) : items_(std::move(items)) {}

    std::u16string typeName() const override { return u"Object"; }
    MemberId findMember(std::u16string_view name) const override {
        return lookup(name, {u"item", u"count", u"length"});
    }
    MemberId defaultMember() const override { return 0; }
    Variant get(MemberId member, Arguments& args) override {
        if (member == 0) {
            if (args.size() != 1) raise(errors::kWrongNumberOfArguments);
            const int32_t i = toLong(args[0]);
            if (i < 0 || static_cast<std::size_t>(i) >= items_.size()) {
                raise(errors::kSubscriptOutOfRange);
            }
            return Variant::fromString(items_[static_cast<std::size_t>(i)]);
        }
        if (!args.empty()) raise(errors::kWrongNumberOfArguments);
        return Variant::fromLong(static_cast<int32_t>(items_.size()));
    }
    std::unique_ptr<Enumerator> enumerate() override {
        return std::make_unique<ListEnumerator>(items_);
    }

  private:
    std::vector<std::u16string> items_;
};

enum Member : MemberId {
    kEcho,
    kArguments,
    kQuit,
    kScriptName,
    kScriptFullName,
    kSleep,
    kVersion,
    kName,
};

}  // namespace

WScriptObject::WScriptObject(std::u16string scriptPath, std::vector<std::u16string> arguments,
                             Output echo)
    : scriptPath_(std::move(scriptPath)),
      arguments_(std::make_shared<ArgumentList>(std::move(arguments))),
      echo_(std::move(echo)) {}

MemberId WScriptObject::findMember(std::u16string_view name) const {
    return lookup(name, {u"echo", u"arguments", u"quit", u"scriptname", u"scriptfullname", u"sleep",
                         u"version", u"name"});
}

Variant WScriptObject::get(MemberId member, Arguments& args) {
    switch (member) {
        case kEcho: {
            std::u16string line;
            for (std::size_t i = 0; i < args.size(); ++i) {
                if (i > 0) line += u' ';
                if (!args[i].isNull()) line += toString(args[i]);
            }
            echo_(line);
            return {};
        }
        case kArguments:
            if (!args.empty()) raise(errors::kWrongNumberOfArguments);
            return Variant::fromObject(arguments_);
        case kQuit:
            throw ScriptQuit{args.empty() || args[0].isEmpty() ? 0 : toLong(args[0])};
        case kScriptName:
            return Variant::fromString(fileNamePart(scriptPath_));
        case kScriptFullName:
            return Variant::fromString(scriptPath_);
        case kSleep:
            if (args.size() != 1) raise(errors::kWrongNumberOfArguments);
            std::this_thread::sleep_for(std::chrono::milliseconds(std::max(0, toLong(args[0]))));
            return {};
        case kVersion:
            return Variant::fromString(u"5.8");
        case kName:
            return Variant::fromString(u"Windows Script Host");
        default:
            raise(errors::kObjectDoesNotSupportProperty);
    }
}

}  // namespace lorvane::vbs
