// Instances of script classes (Class ... End Class) as objects: fields, methods and property
// procedures found by name, Public members visible from outside, Class_Initialize on creation
// and Class_Terminate when the last reference goes.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "scripting/ast.h"
#include "scripting/host_object.h"
#include "scripting/names.h"

namespace lorvane::vbs {

class Evaluator;

struct ClassMember {
    enum class Kind : uint8_t { Field, Method, Property };
    Kind kind = Kind::Field;
    NameId name = -1;
    bool isPublic = true;
    int field = -1;
    ProcedurePtr method;         // Sub or Function
    ProcedurePtr get, let, set;  // Property procedures
};

// What the evaluator derives once from a class definition.
struct ClassInfo {
    ClassPtr def;
    std::vector<ClassMember> members;
    std::unordered_map<NameId, int> byName;
    std::unordered_map<std::u16string, int> byFoldedName;
    int defaultMember = -1;
    ProcedurePtr initialize, terminate;

    static std::shared_ptr<const ClassInfo> build(ClassPtr def, const NameTable& names);
};

enum class Invoke : uint8_t { Get, Call, Let, Set };

class ClassInstance : public Object, public std::enable_shared_from_this<ClassInstance> {
  public:
    ClassInstance(std::shared_ptr<const ClassInfo> info, std::weak_ptr<Evaluator> evaluator);
    ~ClassInstance() override;

    std::u16string typeName() const override { return info->def->spelling; }
    MemberId findMember(std::u16string_view name) const override;
    MemberId defaultMember() const override { return info->defaultMember; }
    Variant get(MemberId member, Arguments& args) override;
    void call(MemberId member, Arguments& args) override;
    void let(MemberId member, Arguments& args, const Variant& value) override;
    void set(MemberId member, Arguments& args, const Variant& value) override;

    const std::shared_ptr<const ClassInfo> info;
    std::vector<Variant> fields;

  private:
    std::shared_ptr<Evaluator> evaluator() const;
    std::weak_ptr<Evaluator> evaluator_;
};

}  // namespace lorvane::vbs
