// Names and calls: what a name stands for (local, class member, global, host object member,
// built-in), procedure calls with ByRef and ByVal arguments, member calls on objects.
#include <algorithm>

#include "platform/error_catalogue.h"
#include "scripting/builtins.h"
#include "scripting/coerce.h"
#include "scripting/evaluator.h"

namespace lorvane::vbs {
namespace {

const std::vector<ExprPtr> kNoArguments;

int firstLocal(const Procedure& proc) {
    return static_cast<int>(proc.params.size()) + (proc.resultSlot >= 0 ? 1 : 0);
}

bool isConstSlot(const Procedure& proc, int slot) {
    const int index = slot - firstLocal(proc);
    return index >= 0 && proc.locals[static_cast<std::size_t>(index)].isConst;
}

// The slot of a local by name, for Execute and Eval code running in a procedure.
int localByName(const Procedure& proc, NameId id) {
    for (std::size_t i = 0; i < proc.params.size(); ++i) {
        if (proc.params[i].name == id) return static_cast<int>(i);
    }
    if (proc.resultSlot >= 0 && proc.name == id) return proc.resultSlot;
    for (std::size_t i = 0; i < proc.locals.size(); ++i) {
        if (proc.locals[i].name == id) return firstLocal(proc) + static_cast<int>(i);
    }
    return -1;
}

NameRef slotRef(Variant* slot, bool isConst) {
    NameRef ref;
    ref.kind = NameRef::Kind::Slot;
    ref.slot = slot;
    ref.isConst = isConst;
    return ref;
}

}  // namespace

NameRef Evaluator::resolve(const NameExpr& name) {
    Frame& f = *frame_;
    if (name.localSlot >= 0) {
        return slotRef(f.slots[static_cast<std::size_t>(name.localSlot)],
                       f.proc && isConstSlot(*f.proc, name.localSlot));
    }
    if (f.dynamic && f.proc) {
        const int slot = localByName(*f.proc, name.name);
        if (slot >= 0)
            return slotRef(f.slots[static_cast<std::size_t>(slot)], isConstSlot(*f.proc, slot));
    }
    if (!f.implicit.empty()) {
        auto found = f.implicit.find(name.name);
        if (found != f.implicit.end()) return slotRef(&found->second, false);
    }
    if (f.me) {
        auto found = f.me->info->byName.find(name.name);
        if (found != f.me->info->byName.end()) {
            const ClassMember& member =
                f.me->info->members[static_cast<std::size_t>(found->second)];
            if (member.kind == ClassMember::Kind::Field) {
                return slotRef(&f.me->fields[static_cast<std::size_t>(member.field)], false);
            }
            NameRef ref;
            ref.kind = NameRef::Kind::ClassMember;
            ref.me = f.me;
            ref.member = found->second;
            return ref;
        }
    }
    const auto id = static_cast<std::size_t>(name.name);
    if (id < globals_.size()) {
        Global& g = globals_[id];
        NameRef ref;
        switch (g.kind) {
            case Global::Kind::Variable:
                return slotRef(&g.value, false);
            case Global::Kind::Constant:
            case Global::Kind::NamedObject:
                return slotRef(&g.value, true);
            case Global::Kind::Procedure:
                ref.kind = NameRef::Kind::Procedure;
                ref.proc = g.proc;
                return ref;
            case Global::Kind::Class:
                ref.kind = NameRef::Kind::Class;
                return ref;
            case Global::Kind::Undefined:
                break;
        }
    }
    if (!globalMemberObjects_.empty()) {
        if (hostMemberCache_.size() <= id) hostMemberCache_.resize(id + 1, {-2, kNoMember});
        auto& cached = hostMemberCache_[id];
        if (cached.first == -2) {
            cached = {-1, kNoMember};
            for (std::size_t i = 0; i < globalMemberObjects_.size(); ++i) {
                const MemberId m = globalMemberObjects_[i]->findMember(names_.folded(name.name));
                if (m != kNoMember) {
                    cached = {static_cast<int>(i), m};
                    break;
                }
            }
        }
        if (cached.first >= 0) {
            NameRef ref;
            ref.kind = NameRef::Kind::HostMember;
            ref.host = globalMemberObjects_[static_cast<std::size_t>(cached.first)].get();
            ref.member = cached.second;
            return ref;
        }
    }
    if (id < builtinIndex_.size() && builtinIndex_[id] >= 0) {
        NameRef ref;
        ref.kind = NameRef::Kind::Builtin;
        ref.member = builtinIndex_[id];
        return ref;
    }
    return {};
}

Variant* Evaluator::declareImplicit(NameId id) {
    if (frame_->proc) return &frame_->implicit[id];
    Global& g = global(id);
    g.kind = Global::Kind::Variable;
    return &g.value;
}

Variant Evaluator::fromRef(const NameRef& ref, bool optionExplicit) {
    Arguments none;
    switch (ref.kind) {
        case NameRef::Kind::Slot:
            return *ref.slot;
        case NameRef::Kind::Procedure:
            return callProcedure(*ref.proc, nullptr, none);
        case NameRef::Kind::ClassMember:
            return invokeMember(*ref.me, ref.member, Invoke::Get, none, nullptr);
        case NameRef::Kind::HostMember:
            return ref.host->get(ref.member, none);
        case NameRef::Kind::Builtin:
            return callBuiltin(ref.member, kNoArguments);
        case NameRef::Kind::Class:
            raise(errors::kTypeMismatch);
        case NameRef::Kind::None:
            break;
    }
    if (optionExplicit) raise(errors::kVariableUndefined);
    return {};
}

Variant Evaluator::readName(const NameExpr& name) {
    return fromRef(resolve(name), frame_->optionExplicit);
}

Variant Evaluator::callProcedure(const Procedure& proc, ClassInstance* me, Arguments& args) {
    if (args.size() != proc.params.size()) raise(errors::kWrongNumberOfArguments);
    if (callDepth_ >= options_.maxCallDepth || stackUsed() > options_.stackLimit) {
        raise(errors::kOutOfStackSpace);
    }
    ++callDepth_;
    struct Leave {
        int& depth;
        ~Leave() { --depth; }
    } leave{callDepth_};
    // The instance stays alive while its method runs, even if the script drops it meanwhile.
    const std::shared_ptr<ClassInstance> keep = me ? me->weak_from_this().lock() : nullptr;

    Frame frame;
    frame.proc = &proc;
    frame.me = me;
    frame.file = &proc.file;
    frame.optionExplicit = proc.optionExplicit;
    const auto count = static_cast<std::size_t>(proc.slotCount);
    frame.own.resize(count);
    frame.slots.resize(count);
    for (std::size_t i = 0; i < count; ++i)
        frame.slots[i] = &frame.own[i];
    for (std::size_t i = 0; i < proc.params.size(); ++i) {
        if (proc.params[i].byVal)
            frame.own[i] = args[i];
        else
            frame.slots[i] = &args.ref(i);
    }
    const int first = firstLocal(proc);
    for (std::size_t i = 0; i < proc.locals.size(); ++i) {
        const VarDecl& decl = proc.locals[i];
        Variant& slot = frame.own[static_cast<std::size_t>(first) + i];
        if (decl.isConst) {
            slot = decl.constValue;
        } else if (decl.isArray) {
            auto array = decl.bounds.empty() ? std::make_shared<Array>()
                                             : std::make_shared<Array>(decl.bounds);
            array->fixed = !decl.bounds.empty();
            slot = Variant::fromArray(std::move(array));
        }
    }
    FrameScope scope(*this, frame);
    execBlock(proc.body);
    return proc.resultSlot >= 0 ? std::move(frame.own[static_cast<std::size_t>(proc.resultSlot)])
                                : Variant();
}

Variant Evaluator::callBuiltin(int index, const std::vector<ExprPtr>& exprs) {
    const Builtin& builtin = builtins_[static_cast<std::size_t>(index)];
    const int count = static_cast<int>(exprs.size());
    if (count < builtin.minArgs || count > builtin.maxArgs) {
        raise(errors::kWrongNumberOfArguments);
    }
    BuiltinArgs args;
    for (const auto& e : exprs) {
        if (!e) {
            args.pushValue(Variant());
        } else if (e->kind == ExprKind::Name) {
            const NameRef ref = resolve(static_cast<const NameExpr&>(*e));
            if (ref.kind == NameRef::Kind::Slot) {
                args.pushRef(*ref.slot);
            } else {
                args.pushValue(fromRef(ref, frame_->optionExplicit));
            }
        } else {
            args.pushValue(eval(*e));
        }
    }
    Variant result = builtin.fn(*this, args);
    checkDeadline();  // a long built-in may have used up the time
    return result;
}

bool Evaluator::impureBuiltin(int index) const {
    const std::u16string_view name = builtins_[static_cast<std::size_t>(index)].name;
    return name == u"Eval" || name == u"Execute" || name == u"ExecuteGlobal";
}

bool Evaluator::isOwnResult(const NameExpr& name) const {
    return frame_->proc && name.localSlot >= 0 && name.localSlot == frame_->proc->resultSlot;
}

// Plain variables and array elements go by reference; everything else as a temporary.
void Evaluator::buildArguments(const std::vector<ExprPtr>& exprs, Arguments& out,
                               ArgumentPins& pins) {
    for (const auto& e : exprs) {
        if (!e) {
            out.pushValue(Variant());
            continue;
        }
        if (e->kind == ExprKind::Name) {
            const auto& name = static_cast<const NameExpr&>(*e);
            NameRef ref = resolve(name);
            if (ref.kind == NameRef::Kind::Slot && !ref.isConst) {
                out.pushRef(*ref.slot);
                continue;
            }
            if (ref.kind == NameRef::Kind::None && !frame_->optionExplicit) {
                out.pushRef(*declareImplicit(name.name));
                continue;
            }
            out.pushValue(fromRef(ref, frame_->optionExplicit));
            continue;
        }
        if (e->kind == ExprKind::Call) {
            const auto& call = static_cast<const CallExpr&>(*e);
            if (call.callee->kind == ExprKind::Name &&
                !isOwnResult(static_cast<const NameExpr&>(*call.callee))) {
                NameRef ref = resolve(static_cast<const NameExpr&>(*call.callee));
                if (ref.kind == NameRef::Kind::Slot && ref.slot->isArray()) {
                    const std::vector<int32_t> at = indices(call.args);
                    Array& array = ref.slot->mutableArray();
                    Variant* element = array.at(at);
                    if (!element) raise(errors::kSubscriptOutOfRange);
                    pins.pin(ref.slot->arrayHandle());
                    out.pushRef(*element);
                    continue;
                }
            }
        }
        out.pushValue(eval(*e));
    }
}

std::vector<int32_t> Evaluator::indices(const std::vector<ExprPtr>& args) {
    std::vector<int32_t> out;
    out.reserve(args.size());
    for (const auto& e : args) {
        if (!e) raise(errors::kSubscriptOutOfRange);
        out.push_back(toLong(value(*e)));
    }
    return out;
}

std::vector<int32_t> Evaluator::indices(Arguments& args) {
    std::vector<int32_t> out;
    for (std::size_t i = 0; i < args.size(); ++i)
        out.push_back(toLong(valueOf(args[i])));
    return out;
}

Variant Evaluator::defaultCall(const ObjectRef& object, const std::vector<ExprPtr>& exprs,
                               Invoke kind) {
    if (!object) raise(errors::kObjectVariableNotSet);
    const MemberId member = object->defaultMember();
    if (member == kNoMember) raise(errors::kObjectDoesNotSupportProperty);
    Arguments args;
    ArgumentPins pins;
    buildArguments(exprs, args, pins);
    if (kind == Invoke::Call) {
        object->call(member, args);
        return {};
    }
    return object->get(member, args);
}

Variant Evaluator::applyArguments(const Variant& target, const std::vector<ExprPtr>& args,
                                  Invoke kind) {
    if (target.isArray()) {
        const Variant* element = target.asArray().at(indices(args));
        if (!element) raise(errors::kSubscriptOutOfRange);
        return *element;
    }
    if (target.isObject()) return defaultCall(target.asObject(), args, kind);
    if (args.empty()) return target;
    raise(errors::kTypeMismatch);
}

Variant Evaluator::evalCall(const CallExpr& call, Invoke kind) {
    const Expr& callee = *call.callee;
    if (callee.kind == ExprKind::Member) {
        const auto& member = static_cast<const MemberExpr&>(callee);
        const ObjectRef object = objectOf(member);
        Arguments args;
        ArgumentPins pins;
        buildArguments(call.args, args, pins);
        return memberCall(object, member, args, kind, nullptr);
    }
    if (callee.kind != ExprKind::Name) return applyArguments(eval(callee), call.args, kind);

    const auto& name = static_cast<const NameExpr&>(callee);
    NameRef ref = resolve(name);
    Arguments args;
    ArgumentPins pins;
    switch (ref.kind) {
        case NameRef::Kind::Slot:
            // Inside Function F, F(x) calls F again; F alone is its result.
            if (isOwnResult(name) && !ref.slot->isArray()) {
                buildArguments(call.args, args, pins);
                return callProcedure(*frame_->proc, frame_->me, args);
            }
            return applyArguments(*ref.slot, call.args, kind);
        case NameRef::Kind::Procedure:
            buildArguments(call.args, args, pins);
            return callProcedure(*ref.proc, nullptr, args);
        case NameRef::Kind::ClassMember:
            buildArguments(call.args, args, pins);
            return invokeMember(*ref.me, ref.member,
                                kind == Invoke::Call ? Invoke::Call : Invoke::Get, args, nullptr);
        case NameRef::Kind::HostMember:
            buildArguments(call.args, args, pins);
            if (kind == Invoke::Call) {
                ref.host->call(ref.member, args);
                return {};
            }
            return ref.host->get(ref.member, args);
        case NameRef::Kind::Builtin:
            return callBuiltin(ref.member, call.args);
        case NameRef::Kind::Class:
            raise(errors::kTypeMismatch);
        case NameRef::Kind::None:
            break;
    }
    raise(frame_->optionExplicit ? errors::kVariableUndefined : errors::kTypeMismatch);
}

Variant Evaluator::memberCall(const ObjectRef& object, const MemberExpr& member, Arguments& args,
                              Invoke kind, const Variant* value) {
    if (!object) raise(errors::kObjectVariableNotSet);
    const bool reading = kind == Invoke::Get || kind == Invoke::Call;
    if (auto* instance = dynamic_cast<ClassInstance*>(object.get())) {
        auto found = instance->info->byName.find(member.name);
        if (found == instance->info->byName.end()) raise(errors::kObjectDoesNotSupportProperty);
        const ClassMember& m = instance->info->members[static_cast<std::size_t>(found->second)];
        if (!m.isPublic && instance != frame_->me) raise(errors::kObjectDoesNotSupportProperty);
        const Procedure* reader =
            m.kind == ClassMember::Kind::Method ? m.method.get() : m.get.get();
        if (reader && reader->params.empty() && !args.empty() && reading) {
            Arguments none;
            return indexInto(invokeMember(*instance, found->second, Invoke::Get, none, nullptr),
                             args);
        }
        return invokeMember(*instance, found->second, kind, args, value);
    }
    const MemberId id = object->findMember(member.spelling);
    if (id == kNoMember) raise(errors::kObjectDoesNotSupportProperty);
    if (reading && !args.empty()) {
        // obj.List(0) where List takes no arguments: the arguments apply to its value, as in
        // WScript.Arguments(0).
        try {
            if (kind == Invoke::Get) return object->get(id, args);
            object->call(id, args);
            return {};
        } catch (const ScriptError& e) {
            if (e.number != errors::kWrongNumberOfArguments) throw;
        }
        Arguments none;
        return indexInto(object->get(id, none), args);
    }
    switch (kind) {
        case Invoke::Get:
            return object->get(id, args);
        case Invoke::Call:
            object->call(id, args);
            return {};
        case Invoke::Let:
            object->let(id, args, *value);
            return {};
        case Invoke::Set:
            object->set(id, args, *value);
            return {};
    }
    return {};
}

Variant Evaluator::indexInto(const Variant& target, Arguments& args) {
    if (target.isArray()) {
        const Variant* element = target.asArray().at(indices(args));
        if (!element) raise(errors::kSubscriptOutOfRange);
        return *element;
    }
    if (!target.isObject()) raise(errors::kTypeMismatch);
    const ObjectRef& object = target.asObject();
    if (!object) raise(errors::kObjectVariableNotSet);
    const MemberId member = object->defaultMember();
    if (member == kNoMember) raise(errors::kObjectDoesNotSupportProperty);
    return object->get(member, args);
}

void Evaluator::callStatement(const Expr& call) {
    switch (call.kind) {
        case ExprKind::Name: {
            const auto& name = static_cast<const NameExpr&>(call);
            NameRef ref = resolve(name);
            Arguments none;
            switch (ref.kind) {
                case NameRef::Kind::Procedure:
                    callProcedure(*ref.proc, nullptr, none);
                    return;
                case NameRef::Kind::ClassMember:
                    invokeMember(*ref.me, ref.member, Invoke::Call, none, nullptr);
                    return;
                case NameRef::Kind::HostMember:
                    ref.host->call(ref.member, none);
                    return;
                case NameRef::Kind::Builtin:
                    callBuiltin(ref.member, kNoArguments);
                    return;
                case NameRef::Kind::Slot:
                    if (ref.slot->isObject()) {
                        defaultCall(ref.slot->asObject(), kNoArguments, Invoke::Call);
                        return;
                    }
                    raise(errors::kTypeMismatch);
                case NameRef::Kind::Class:
                    raise(errors::kTypeMismatch);
                case NameRef::Kind::None:
                    break;
            }
            raise(frame_->optionExplicit ? errors::kVariableUndefined : errors::kTypeMismatch);
        }
        case ExprKind::Member: {
            const auto& member = static_cast<const MemberExpr&>(call);
            const ObjectRef object = objectOf(member);
            Arguments none;
            memberCall(object, member, none, Invoke::Call, nullptr);
            return;
        }
        case ExprKind::Call:
            evalCall(static_cast<const CallExpr&>(call), Invoke::Call);
            return;
        default:
            eval(call);
            return;
    }
}

ObjectRef Evaluator::objectOf(const MemberExpr& member) {
    Variant target;
    if (member.object) {
        target = eval(*member.object);
    } else {
        if (frame_->with.empty()) raise(errors::kObjectRequired);
        target = frame_->with.back();
    }
    if (!target.isObject()) raise(errors::kObjectRequired);
    if (!target.asObject()) raise(errors::kObjectVariableNotSet);
    return target.asObject();
}

}  // namespace lorvane::vbs
