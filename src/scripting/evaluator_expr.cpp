// Expressions, assignments, New, and members of script-class instances.
#include "platform/error_catalogue.h"
#include "platform/text.h"
#include "scripting/coerce.h"
#include "scripting/evaluator.h"
#include "scripting/operators.h"

namespace lorvane::vbs {
namespace {

bool isLiteral(const Expr& e) {
    if (e.kind == ExprKind::Literal) return true;
    return e.kind == ExprKind::Unary && static_cast<const UnaryExpr&>(e).op == Op::Neg &&
           static_cast<const UnaryExpr&>(e).operand->kind == ExprKind::Literal;
}

// Stores a value; the old one goes only after the slot holds the new, so a Class_Terminate
// that the old value's release runs sees a consistent variable.
void store(Variant& slot, Variant value) {
    Variant old = std::move(slot);
    slot = std::move(value);
}

}  // namespace

Variant Evaluator::eval(const Expr& expr) {
    switch (expr.kind) {
        case ExprKind::Literal:
            return static_cast<const LiteralExpr&>(expr).value;
        case ExprKind::Name:
            return readName(static_cast<const NameExpr&>(expr));
        case ExprKind::Member: {
            const auto& member = static_cast<const MemberExpr&>(expr);
            const ObjectRef object = objectOf(member);
            Arguments none;
            return memberCall(object, member, none, Invoke::Get, nullptr);
        }
        case ExprKind::Call:
            return evalCall(static_cast<const CallExpr&>(expr), Invoke::Get);
        case ExprKind::Paren:
            return eval(*static_cast<const ParenExpr&>(expr).inner);
        case ExprKind::Unary: {
            const auto& e = static_cast<const UnaryExpr&>(expr);
            if (e.op == Op::Plus) {  // changes nothing, not even an object into its value
                Variant operand = eval(*e.operand);
                if (operand.isArray()) raise(errors::kTypeMismatch);
                return operand;
            }
            return unaryOperation(e.op, value(*e.operand));
        }
        case ExprKind::Binary:
            return evalBinary(static_cast<const BinaryExpr&>(expr));
        case ExprKind::New:
            return evalNew(static_cast<const NewExpr&>(expr));
        case ExprKind::Me:
            // In top-level code Me is the host's object whose members are global names.
            if (!frame_->me && !globalMemberObjects_.empty()) {
                return Variant::fromObject(globalMemberObjects_.front());
            }
            if (!frame_->me) raise(errors::kObjectRequired);
            return Variant::fromObject(frame_->me->shared_from_this());
    }
    return {};
}

Variant Evaluator::value(const Expr& expr) {
    Variant v = eval(expr);
    if (v.isObject()) return valueOf(v);
    return v;
}

Variant Evaluator::evalBinary(const BinaryExpr& e) {
    if (e.op == Op::Is) {
        const Variant left = eval(*e.left);
        const Variant right = eval(*e.right);
        if (!left.isObject() || !right.isObject()) raise(errors::kObjectRequired);
        return Variant::fromBool(left.asObject() == right.asObject());
    }
    if (e.op == Op::Concat) {
        Variant left = value(*e.left);
        const Variant right = value(*e.right);
        if (left.isString() && !right.isNull()) {
            // A chain a & b & c appends to its first text instead of copying it at every step.
            const std::u16string tail = toString(right);
            checkTextLength(left.asString().size() + tail.size());
            left.mutableString() += tail;
            return left;
        }
        return binaryOperation(e.op, left, right);
    }
    // Variables are read in place (If text = "" copies no text). The left one only when the
    // right side cannot change it, since the left side counts as read first.
    Variant leftHolder, rightHolder;
    const Variant* left = nullptr;
    if (isPure(*e.right)) {
        left = operand(*e.left, leftHolder);
    } else {
        leftHolder = value(*e.left);
        left = &leftHolder;
    }
    const Variant* right = operand(*e.right, rightHolder);
    if (e.op >= Op::Eq && e.op <= Op::Ge) {
        const Literal literal = isLiteral(*e.left)    ? Literal::Left
                                : isLiteral(*e.right) ? Literal::Right
                                                      : Literal::None;
        return comparison(e.op, *left, *right, literal);
    }
    return binaryOperation(e.op, *left, *right);
}

const Variant* Evaluator::operand(const Expr& e, Variant& holder) {
    if (e.kind == ExprKind::Name) {
        const NameRef ref = resolve(static_cast<const NameExpr&>(e));
        if (ref.kind == NameRef::Kind::Slot && !ref.slot->isObject()) return ref.slot;
        holder = fromRef(ref, frame_->optionExplicit);
        if (holder.isObject()) holder = valueOf(holder);
        return &holder;
    }
    holder = value(e);
    return &holder;
}

Variant Evaluator::evalNew(const NewExpr& e) {
    const auto id = static_cast<std::size_t>(e.className);
    // New RegExp is the language's own object even where the script defines a class of that
    // name, as in the language's reference implementation.
    if (equalsIgnoringCase(e.spelling, u"RegExp")) return Variant::fromObject(createObject(e.spelling));
    if (id < globals_.size() && globals_[id].kind == Global::Kind::Class) {
        return Variant::fromObject(instantiate(globals_[id].classInfo));
    }
    return Variant::fromObject(createObject(e.spelling));
}

ObjectRef Evaluator::instantiate(const std::shared_ptr<const ClassInfo>& info) {
    auto instance = std::make_shared<ClassInstance>(info, weak_from_this());
    for (std::size_t i = 0; i < info->def->fields.size(); ++i) {
        const VarDecl& decl = info->def->fields[i];
        if (!decl.isArray) continue;
        auto array =
            decl.bounds.empty() ? std::make_shared<Array>() : std::make_shared<Array>(decl.bounds);
        array->fixed = !decl.bounds.empty();
        instance->fields[i] = Variant::fromArray(std::move(array));
    }
    if (info->initialize) {
        Arguments none;
        callProcedure(*info->initialize, instance.get(), none);
    }
    return instance;
}

// Whether evaluating the expression can change a script variable: only names of variables,
// literals, operators, array elements and built-ins other than Eval and Execute leave them be.
bool Evaluator::isPure(const Expr& e) {
    switch (e.kind) {
        case ExprKind::Literal:
            return true;
        case ExprKind::Name:
            return resolve(static_cast<const NameExpr&>(e)).kind == NameRef::Kind::Slot;
        case ExprKind::Paren:
            return isPure(*static_cast<const ParenExpr&>(e).inner);
        case ExprKind::Unary:
            return isPure(*static_cast<const UnaryExpr&>(e).operand);
        case ExprKind::Binary: {
            const auto& b = static_cast<const BinaryExpr&>(e);
            return isPure(*b.left) && isPure(*b.right);
        }
        case ExprKind::Call: {
            const auto& c = static_cast<const CallExpr&>(e);
            if (c.callee->kind != ExprKind::Name) return false;
            const auto& name = static_cast<const NameExpr&>(*c.callee);
            const NameRef ref = resolve(name);
            const bool element = ref.kind == NameRef::Kind::Slot && ref.slot->isArray();
            const bool builtin = ref.kind == NameRef::Kind::Builtin && !impureBuiltin(ref.member);
            if (!element && !builtin) return false;
            for (const auto& arg : c.args) {
                if (arg && !isPure(*arg)) return false;
            }
            return true;
        }
        default:
            return false;
    }
}

// `s = s & a & b`: appends to the text in s in place instead of copying it, when nothing on
// the right can change s meanwhile. True when it did the assignment.
bool Evaluator::appendInPlace(const Expr& target, const Expr& valueExpr) {
    if (target.kind != ExprKind::Name || valueExpr.kind != ExprKind::Binary) return false;
    const auto& name = static_cast<const NameExpr&>(target);
    std::vector<const Expr*> tail;
    const Expr* spine = &valueExpr;
    while (spine->kind == ExprKind::Binary &&
           static_cast<const BinaryExpr*>(spine)->op == Op::Concat) {
        tail.push_back(static_cast<const BinaryExpr*>(spine)->right.get());
        spine = static_cast<const BinaryExpr*>(spine)->left.get();
    }
    if (spine->kind != ExprKind::Name) return false;
    const auto& first = static_cast<const NameExpr&>(*spine);
    if (first.name != name.name || first.localSlot != name.localSlot) return false;
    const NameRef ref = resolve(name);
    if (ref.kind != NameRef::Kind::Slot || ref.isConst || !ref.slot->isString() ||
        ref.slot->asString().size() < 256) {
        return false;
    }
    for (const Expr* part : tail) {
        if (!isPure(*part)) return false;
    }
    std::u16string appended;
    for (auto it = tail.rbegin(); it != tail.rend(); ++it) {
        const Variant part = value(**it);
        if (!part.isNull()) appended += toString(part);
        checkTextLength(ref.slot->asString().size() + appended.size());
    }
    ref.slot->mutableString() += appended;
    return true;
}

void Evaluator::assign(const Expr& target, Variant v, AssignMode mode) {
    if (mode == AssignMode::Set && !v.isObject()) raise(errors::kObjectRequired);
    if (mode == AssignMode::Let && v.isObject()) v = valueOf(v);
    if (mode == AssignMode::Raw) mode = v.isObject() ? AssignMode::Set : AssignMode::Let;
    switch (target.kind) {
        case ExprKind::Name:
            assignName(static_cast<const NameExpr&>(target), std::move(v), mode);
            return;
        case ExprKind::Member: {
            const auto& member = static_cast<const MemberExpr&>(target);
            const ObjectRef object = objectOf(member);
            Arguments none;
            memberCall(object, member, none, mode == AssignMode::Set ? Invoke::Set : Invoke::Let,
                       &v);
            return;
        }
        case ExprKind::Call:
            assignCall(static_cast<const CallExpr&>(target), std::move(v), mode);
            return;
        default:
            raise(errors::kIllegalAssignment);
    }
}

void Evaluator::assignName(const NameExpr& name, Variant v, AssignMode mode) {
    NameRef ref = resolve(name);
    const Invoke kind = (mode == AssignMode::Set || (mode == AssignMode::Raw && v.isObject()))
                            ? Invoke::Set
                            : Invoke::Let;
    Arguments none;
    switch (ref.kind) {
        case NameRef::Kind::Slot:
            if (ref.isConst) raise(errors::kIllegalAssignment);
            store(*ref.slot, std::move(v));
            return;
        case NameRef::Kind::ClassMember:
            invokeMember(*ref.me, ref.member, kind, none, &v);
            return;
        case NameRef::Kind::HostMember:
            if (options_.scriptVariablesFirst && !frame_->optionExplicit) {
                store(*declareImplicit(name.name), std::move(v));
                return;
            }
            if (kind == Invoke::Set)
                ref.host->set(ref.member, none, v);
            else
                ref.host->let(ref.member, none, v);
            return;
        case NameRef::Kind::None:
            if (frame_->optionExplicit) raise(errors::kVariableUndefined);
            store(*declareImplicit(name.name), std::move(v));
            return;
        default:
            raise(errors::kIllegalAssignment);
    }
}

void Evaluator::assignCall(const CallExpr& call, Variant v, AssignMode mode) {
    const Invoke kind = mode == AssignMode::Set ? Invoke::Set : Invoke::Let;
    Arguments args;
    ArgumentPins pins;
    if (call.callee->kind == ExprKind::Member) {
        const auto& member = static_cast<const MemberExpr&>(*call.callee);
        const ObjectRef object = objectOf(member);
        buildArguments(call.args, args, pins);
        memberCall(object, member, args, kind, &v);
        return;
    }
    if (call.callee->kind != ExprKind::Name) raise(errors::kIllegalAssignment);
    const auto& name = static_cast<const NameExpr&>(*call.callee);
    NameRef ref = resolve(name);
    switch (ref.kind) {
        case NameRef::Kind::Slot: {
            if (ref.slot->isArray()) {
                const std::vector<int32_t> at = indices(call.args);
                Variant* element = ref.slot->mutableArray().at(at);
                if (!element) raise(errors::kSubscriptOutOfRange);
                store(*element, std::move(v));
                return;
            }
            if (!ref.slot->isObject()) raise(errors::kTypeMismatch);
            const ObjectRef object = ref.slot->asObject();
            if (!object) raise(errors::kObjectVariableNotSet);
            const MemberId member = object->defaultMember();
            if (member == kNoMember) raise(errors::kObjectDoesNotSupportProperty);
            buildArguments(call.args, args, pins);
            if (kind == Invoke::Set)
                object->set(member, args, v);
            else
                object->let(member, args, v);
            return;
        }
        case NameRef::Kind::ClassMember:
            buildArguments(call.args, args, pins);
            invokeMember(*ref.me, ref.member, kind, args, &v);
            return;
        case NameRef::Kind::HostMember:
            buildArguments(call.args, args, pins);
            if (kind == Invoke::Set)
                ref.host->set(ref.member, args, v);
            else
                ref.host->let(ref.member, args, v);
            return;
        case NameRef::Kind::None:
            raise(frame_->optionExplicit ? errors::kVariableUndefined : errors::kTypeMismatch);
        default:
            raise(errors::kIllegalAssignment);
    }
}

Variant Evaluator::invokeMember(ClassInstance& instance, int index, Invoke kind, Arguments& args,
                                const Variant* v) {
    const ClassMember& member = instance.info->members[static_cast<std::size_t>(index)];
    switch (member.kind) {
        case ClassMember::Kind::Field: {
            Variant& field = instance.fields[static_cast<std::size_t>(member.field)];
            const bool reading = kind == Invoke::Get || kind == Invoke::Call;
            if (args.empty()) {
                if (reading) return field;
                store(field, *v);
                return {};
            }
            if (field.isArray()) {
                const std::vector<int32_t> at = indices(args);
                if (reading) {
                    const Variant* element = field.asArray().at(at);
                    if (!element) raise(errors::kSubscriptOutOfRange);
                    return *element;
                }
                Variant* element = field.mutableArray().at(at);
                if (!element) raise(errors::kSubscriptOutOfRange);
                store(*element, *v);
                return {};
            }
            if (!field.isObject() || !field.asObject()) raise(errors::kTypeMismatch);
            const ObjectRef object = field.asObject();
            const MemberId id = object->defaultMember();
            if (id == kNoMember) raise(errors::kObjectDoesNotSupportProperty);
            if (reading) return object->get(id, args);
            if (kind == Invoke::Set)
                object->set(id, args, *v);
            else
                object->let(id, args, *v);
            return {};
        }
        case ClassMember::Kind::Method:
            if (kind == Invoke::Let || kind == Invoke::Set) {
                raise(errors::kObjectDoesNotSupportProperty);
            }
            return callProcedure(*member.method, &instance, args);
        case ClassMember::Kind::Property:
            break;
    }
    if (kind == Invoke::Get || kind == Invoke::Call) {
        if (!member.get) raise(errors::kObjectDoesNotSupportProperty);
        return callProcedure(*member.get, &instance, args);
    }
    const ProcedurePtr& proc = kind == Invoke::Set ? (member.set ? member.set : member.let)
                                                   : (member.let ? member.let : member.set);
    if (!proc) raise(errors::kObjectDoesNotSupportProperty);
    Arguments all;
    for (std::size_t i = 0; i < args.size(); ++i)
        all.pushRef(args.ref(i));
    all.pushValue(*v);
    callProcedure(*proc, &instance, all);
    return {};
}

}  // namespace lorvane::vbs
