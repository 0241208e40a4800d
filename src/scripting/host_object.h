// Objects that scripts reach: the interface every object implements (host objects written in
// C++ as well as instances of script classes), the argument list of a member call, and the
// registry of creatable object kinds that CreateObject("ProgId") and `New Name` consult.
//
// Adding an object kind (for instance "Scripting.Dictionary"):
//   1. Derive from vbs::Object. findMember maps a member name (compare it ignoring letter case,
//      e.g. with lorvane::equalsIgnoringCase) to a MemberId of your choice, or kNoMember.
//      Implement get (property read or method call whose value is used), and where it applies
//      call (statement call, result dropped), let (`obj.P(args) = v`), set (`Set obj.P = o`),
//      defaultMember (the member used for `obj(args)` and for the object's value) and
//      enumerate (For Each). Fail with vbs::raise(number) using the catalogue's numbers
//      (errors::kInvalidProcedureCall, kTypeMismatch, kObjectDoesNotSupportProperty ...).
//      A member that takes no arguments fails with errors::kWrongNumberOfArguments when given
//      some; the interpreter then applies them to the member's value (`obj.Items(0)`).
//      Convert arguments with the functions of coerce.h (toString, toLong, toBool ...), which
//      apply the language's rules and raise its errors.
//   2. Register a factory under its ProgId, e.g.
//        registry.add(u"Scripting.Dictionary",
//                     [](const HostContext&) { return std::make_shared<Dictionary>(); });
//      in registerStandardObjects (standard_objects.cpp). Names are matched ignoring case;
//      `New Name` looks up the name when no script class of that name exists (`New RegExp`
//      always makes the standard RegExp).
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "scripting/value.h"

namespace lorvane {
class CodePage;
class Desktop;
}  // namespace lorvane

namespace lorvane::vbs {

using MemberId = int;
inline constexpr MemberId kNoMember = -1;

// The arguments of one member call, in order. An argument passed by reference (a variable or
// an array element written plainly in the call) is the caller's own storage, so writing to
// ref(i) changes the caller's variable; every other argument is a temporary.
class Arguments {
  public:
    Arguments() = default;
    explicit Arguments(std::vector<Variant> values);
    Arguments(const Arguments&) = delete;
    Arguments& operator=(const Arguments&) = delete;
    Arguments(Arguments&&) = default;
    Arguments& operator=(Arguments&&) = default;

    void pushValue(Variant value);
    void pushRef(Variant& storage);

    std::size_t size() const { return slots_.size(); }
    bool empty() const { return slots_.empty(); }
    const Variant& operator[](std::size_t i) const { return *slots_[i]; }
    Variant& ref(std::size_t i) { return *slots_[i]; }
    // Whether argument i is the caller's own storage rather than a temporary.
    bool isReference(std::size_t i) const { return byReference_[i]; }

  private:
    std::vector<Variant*> slots_;
    std::vector<bool> byReference_;
    std::deque<Variant> owned_;  // the temporaries; a deque keeps their addresses stable
};

// Walks a collection for For Each.
class Enumerator {
  public:
    virtual ~Enumerator() = default;
    // The next item into `item`; false when there is none left.
    virtual bool next(Variant& item) = 0;
};

class Object {
  public:
    virtual ~Object() = default;

    // What TypeName reports ("Dictionary", "RegExp", a class name ...).
    virtual std::u16string typeName() const = 0;
    // The member of that name (letter case ignored), or kNoMember.
    virtual MemberId findMember(std::u16string_view name) const = 0;
    // The member used for `obj(args)` and wherever the object's value is needed; kNoMember when
    // the object has none (its value is then an error 438).
    virtual MemberId defaultMember() const { return kNoMember; }

    // A property read, or a method call whose value is used (a Sub-like method returns Empty).
    virtual Variant get(MemberId member, Arguments& args) = 0;
    // A method called as a statement; the result, if any, is dropped.
    virtual void call(MemberId member, Arguments& args) { (void)get(member, args); }
    // `obj.Member(args) = value`. The default fails with error 438.
    virtual void let(MemberId member, Arguments& args, const Variant& value);
    // `Set obj.Member(args) = value`, value being an object or Nothing. The default fails with
    // error 438.
    virtual void set(MemberId member, Arguments& args, const Variant& value);
    // For Each over the object; nullptr when it is no collection (the loop fails with 451).
    virtual std::unique_ptr<Enumerator> enumerate() { return nullptr; }
};

// What object factories may need of the program around the script.
struct HostContext {
    std::shared_ptr<const CodePage> codePage;  // files are read and written in this page
    Desktop* desktop = nullptr;                // message and input boxes; may be null
};

using ObjectFactory = std::function<ObjectRef(const HostContext&)>;

class ObjectRegistry {
  public:
    // An entry of the same name (letter case ignored) is replaced.
    void add(std::u16string progId, ObjectFactory factory);
    bool contains(std::u16string_view progId) const;
    // A new object of that kind, or nullptr when no kind of that name is registered.
    ObjectRef create(std::u16string_view progId, const HostContext& context) const;

  private:
    std::vector<std::pair<std::u16string, ObjectFactory>> entries_;
};

// Registers the object kinds every interpreter offers (Dictionary, FileSystemObject, RegExp).
void registerStandardObjects(ObjectRegistry& registry);

}  // namespace lorvane::vbs
