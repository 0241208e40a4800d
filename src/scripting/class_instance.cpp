#include "scripting/class_instance.h"

#include "platform/error_catalogue.h"
#include "platform/text.h"
#include "scripting/evaluator.h"

namespace lorvane::vbs {

std::shared_ptr<const ClassInfo> ClassInfo::build(ClassPtr def, const NameTable& names) {
    auto info = std::make_shared<ClassInfo>();
    auto add = [&](ClassMember member) -> ClassMember& {
        const int index = static_cast<int>(info->members.size());
        info->byName.emplace(member.name, index);
        info->byFoldedName.emplace(names.folded(member.name), index);
        info->members.push_back(std::move(member));
        return info->members.back();
    };
    for (std::size_t i = 0; i < def->fields.size(); ++i) {
        ClassMember member;
        member.kind = ClassMember::Kind::Field;
        member.name = def->fields[i].name;
        member.isPublic = def->fields[i].isPublic;
        member.field = static_cast<int>(i);
        add(std::move(member));
    }
    for (const ProcedurePtr& proc : def->procedures) {
        const std::u16string& folded = names.folded(proc->name);
        if (folded == u"class_initialize") info->initialize = proc;
        if (folded == u"class_terminate") info->terminate = proc;
        auto found = info->byName.find(proc->name);
        ClassMember* member;
        if (found != info->byName.end()) {
            member = &info->members[static_cast<std::size_t>(found->second)];
        } else {
            ClassMember fresh;
            fresh.name = proc->name;
            fresh.kind = proc->kind == ProcKind::Sub || proc->kind == ProcKind::Function
                             ? ClassMember::Kind::Method
                             : ClassMember::Kind::Property;
            fresh.isPublic = proc->isPublic;
            member = &add(std::move(fresh));
        }
        switch (proc->kind) {
            case ProcKind::Sub:
            case ProcKind::Function:
                member->method = proc;
                break;
            case ProcKind::PropertyGet:
                member->get = proc;
                break;
            case ProcKind::PropertyLet:
                member->let = proc;
                break;
            case ProcKind::PropertySet:
                member->set = proc;
                break;
        }
        if (proc->isPublic) member->isPublic = true;
        if (proc->isDefault) info->defaultMember = info->byName[proc->name];
    }
    info->def = std::move(def);
    return info;
}

ClassInstance::ClassInstance(std::shared_ptr<const ClassInfo> classInfo,
                             std::weak_ptr<Evaluator> evaluator)
    : info(std::move(classInfo)), evaluator_(std::move(evaluator)) {
    fields.resize(info->def->fields.size());
}

ClassInstance::~ClassInstance() {
    if (info->terminate) {
        if (auto evaluator = evaluator_.lock()) evaluator->terminate(*this);
    }
    releaseNested(fields);
}

std::shared_ptr<Evaluator> ClassInstance::evaluator() const {
    auto evaluator = evaluator_.lock();
    if (!evaluator) raise(errors::kObjectVariableNotSet);
    return evaluator;
}

MemberId ClassInstance::findMember(std::u16string_view name) const {
    auto found = info->byFoldedName.find(toLower(name));
    if (found == info->byFoldedName.end()) return kNoMember;
    if (!info->members[static_cast<std::size_t>(found->second)].isPublic) return kNoMember;
    return found->second;
}

Variant ClassInstance::get(MemberId member, Arguments& args) {
    return evaluator()->invokeMember(*this, member, Invoke::Get, args, nullptr);
}

void ClassInstance::call(MemberId member, Arguments& args) {
    evaluator()->invokeMember(*this, member, Invoke::Call, args, nullptr);
}

void ClassInstance::let(MemberId member, Arguments& args, const Variant& value) {
    evaluator()->invokeMember(*this, member, Invoke::Let, args, &value);
}

void ClassInstance::set(MemberId member, Arguments& args, const Variant& value) {
    evaluator()->invokeMember(*this, member, Invoke::Set, args, &value);
}

}  // namespace lorvane::vbs
