// Statements: blocks with On Error Resume Next, conditions, loops, Select Case, With, ReDim.
#include "platform/error_catalogue.h"
#include "scripting/coerce.h"
#include "scripting/err_object.h"
#include "scripting/evaluator.h"
#include "scripting/operators.h"

namespace lorvane::vbs {
namespace {

bool isLiteral(const Expr& e) {
    if (e.kind == ExprKind::Literal) return true;
    return e.kind == ExprKind::Unary && static_cast<const UnaryExpr&>(e).op == Op::Neg &&
           static_cast<const UnaryExpr&>(e).operand->kind == ExprKind::Literal;
}

}  // namespace

void Evaluator::recordError(const ScriptError& e) {
    err_->record(e);
}

Flow Evaluator::execBlock(const Block& block) {
    for (const StmtPtr& stmt : block) {
        const Flow flow = execGuarded(*stmt);
        if (flow != Flow::Normal) return flow;
    }
    return Flow::Normal;
}

// Under On Error Resume Next a failing statement records the error and the next statement
// runs; otherwise the error leaves the procedure with the place where it happened.
Flow Evaluator::execGuarded(const Stmt& stmt) {
    tick(stmt.pos);
    try {
        return exec(stmt);
    } catch (ScriptError& e) {
        if (frame_->resumeNext) {
            recordError(e);
            return Flow::Normal;
        }
        throw LocatedError{std::move(e), *frame_->file, stmt.pos};
    } catch (LocatedError& e) {
        if (frame_->resumeNext) {
            recordError(e.error);
            return Flow::Normal;
        }
        throw;
    }
}

Flow Evaluator::exec(const Stmt& stmt) {
    switch (stmt.kind) {
        case StmtKind::Assign: {
            const auto& s = static_cast<const AssignStmt&>(stmt);
            if (!s.isSet && appendInPlace(*s.target, *s.value)) return Flow::Normal;
            assign(*s.target, eval(*s.value), s.isSet ? AssignMode::Set : AssignMode::Let);
            return Flow::Normal;
        }
        case StmtKind::Call:
            callStatement(*static_cast<const CallStmt&>(stmt).call);
            return Flow::Normal;
        case StmtKind::ReDim:
            execReDim(static_cast<const ReDimStmt&>(stmt));
            return Flow::Normal;
        case StmtKind::Erase:
            execErase(static_cast<const EraseStmt&>(stmt));
            return Flow::Normal;
        case StmtKind::If:
            return execIf(static_cast<const IfStmt&>(stmt));
        case StmtKind::For:
            return execFor(static_cast<const ForStmt&>(stmt));
        case StmtKind::ForEach:
            return execForEach(static_cast<const ForEachStmt&>(stmt));
        case StmtKind::Do:
            return execDo(static_cast<const DoStmt&>(stmt));
        case StmtKind::Select:
            return execSelect(static_cast<const SelectStmt&>(stmt));
        case StmtKind::With:
            return execWith(static_cast<const WithStmt&>(stmt));
        case StmtKind::Exit:
            switch (static_cast<const ExitStmt&>(stmt).what) {
                case ExitKind::For:
                    return Flow::ExitFor;
                case ExitKind::Do:
                    return Flow::ExitDo;
                default:
                    err_->clear();  // leaving a procedure with Exit clears Err, as documented
                    return Flow::ExitProc;
            }
        case StmtKind::OnError:
            frame_->resumeNext = static_cast<const OnErrorStmt&>(stmt).resumeNext;
            err_->clear();
            return Flow::Normal;
        case StmtKind::Randomize: {
            const auto& s = static_cast<const RandomizeStmt&>(stmt);
            if (s.seed)
                randomize(toDouble(value(*s.seed)));
            else
                randomize(std::nullopt);
            return Flow::Normal;
        }
        case StmtKind::Declare:
            return Flow::Normal;
    }
    return Flow::Normal;
}

// A condition that fails under On Error Resume Next counts as true: the language goes on
// with the statement after the If line, which is the first of its Then block.
Flow Evaluator::execIf(const IfStmt& s) {
    for (const auto& branch : s.branches) {
        bool holds;
        if (frame_->resumeNext) {
            try {
                holds = truth(value(*branch.condition));
            } catch (const ScriptError& e) {
                recordError(e);
                holds = true;
            } catch (const LocatedError& e) {
                recordError(e.error);
                holds = true;
            }
        } else {
            holds = truth(value(*branch.condition));
        }
        if (holds) return execBlock(branch.body);
    }
    return execBlock(s.elseBody);
}

Flow Evaluator::execFor(const ForStmt& s) {
    Variant from = value(*s.from);
    const Variant to = value(*s.to);
    const Variant step = s.step ? value(*s.step) : Variant::fromInteger(1);
    if (from.isString()) from = Variant::fromDouble(toDouble(from));
    const double limit = toDouble(to);
    const double increment = toDouble(step);
    assignName(*s.counter, std::move(from), AssignMode::Let);
    while (true) {
        const double current = toDouble(readName(*s.counter));
        if (increment >= 0 ? current > limit : current < limit) break;
        const Flow flow = execBlock(s.body);
        if (flow == Flow::ExitFor) break;
        if (flow != Flow::Normal) return flow;
        assignName(*s.counter, binaryOperation(Op::Add, valueOf(readName(*s.counter)), step),
                   AssignMode::Let);
        tick(s.pos);
    }
    return Flow::Normal;
}

Flow Evaluator::execForEach(const ForEachStmt& s) {
    const Variant collection = eval(*s.collection);
    if (collection.isArray()) {
        const std::shared_ptr<Array> items = collection.arrayHandle();  // iterates a snapshot
        for (const Variant& item : items->elements()) {
            assignName(*s.element, item, AssignMode::Raw);
            const Flow flow = execBlock(s.body);
            if (flow == Flow::ExitFor) break;
            if (flow != Flow::Normal) return flow;
            tick(s.pos);
        }
        return Flow::Normal;
    }
    if (!collection.isObject()) raise(errors::kObjectNotCollection);
    const ObjectRef object = collection.asObject();
    if (!object) raise(errors::kObjectVariableNotSet);
    std::unique_ptr<Enumerator> items = object->enumerate();
    if (!items) raise(errors::kObjectNotCollection);
    Variant item;
    while (items->next(item)) {
        assignName(*s.element, std::move(item), AssignMode::Raw);
        item = Variant();
        const Flow flow = execBlock(s.body);
        if (flow == Flow::ExitFor) return Flow::Normal;
        if (flow != Flow::Normal) return flow;
        tick(s.pos);
    }
    // A collection walked to its end leaves the loop variable Empty.
    assignName(*s.element, Variant(), AssignMode::Raw);
    return Flow::Normal;
}

Flow Evaluator::execDo(const DoStmt& s) {
    while (true) {
        if (s.condition && !s.testAtEnd && truth(value(*s.condition)) == s.until) break;
        const Flow flow = execBlock(s.body);
        if (flow == Flow::ExitDo) break;
        if (flow != Flow::Normal) return flow;
        if (s.condition && s.testAtEnd && truth(value(*s.condition)) == s.until) break;
        tick(s.pos);
    }
    return Flow::Normal;
}

bool Evaluator::caseMatches(const SelectStmt::Test& test, const Variant& subject) {
    const Literal literal = isLiteral(*test.value) ? Literal::Right : Literal::None;
    if (test.upper) {
        bool lowNull = false, highNull = false;
        const int low = compareValues(subject, value(*test.value), false, lowNull, literal);
        const Literal upperLiteral = isLiteral(*test.upper) ? Literal::Right : Literal::None;
        const int high = compareValues(subject, value(*test.upper), false, highNull, upperLiteral);
        return !lowNull && !highNull && low >= 0 && high <= 0;
    }
    return truth(comparison(test.comparison, subject, value(*test.value), literal));
}

Flow Evaluator::execSelect(const SelectStmt& s) {
    const Variant subject = value(*s.subject);
    for (const auto& clause : s.clauses) {
        for (const auto& test : clause.tests) {
            if (caseMatches(test, subject)) return execBlock(clause.body);
        }
    }
    return s.hasElse ? execBlock(s.elseBody) : Flow::Normal;
}

Flow Evaluator::execWith(const WithStmt& s) {
    Variant object = eval(*s.object);
    if (!object.isObject()) raise(errors::kObjectRequired);
    frame_->with.push_back(std::move(object));
    struct Pop {
        Frame* frame;
        ~Pop() { frame->with.pop_back(); }
    } pop{frame_};
    return execBlock(s.body);
}

void Evaluator::execReDim(const ReDimStmt& s) {
    for (const auto& item : s.items) {
        // A fixed array refuses before its new bounds are looked at.
        if (const NameRef early = resolve(*item.target);
            early.kind == NameRef::Kind::Slot && early.slot->isArray() &&
            early.slot->asArray().fixed) {
            raise(errors::kArrayFixedOrLocked);
        }
        std::vector<int32_t> upper;
        for (const auto& bound : item.bounds) {
            upper.push_back(toLong(value(*bound)));
            if (upper.back() < -1) raise(errors::kSubscriptOutOfRange);
        }
        NameRef ref = resolve(*item.target);
        Variant* slot = nullptr;
        if (ref.kind == NameRef::Kind::Slot && !ref.isConst)
            slot = ref.slot;
        else if (ref.kind == NameRef::Kind::None)
            slot = declareImplicit(item.target->name);
        else
            raise(errors::kIllegalAssignment);
        if (!slot->isArray()) {
            *slot = Variant::fromArray(std::make_shared<Array>(std::move(upper)));
            continue;
        }
        const Array& current = slot->asArray();
        if (current.fixed || current.locks > 0) raise(errors::kArrayFixedOrLocked);
        const bool keep = s.preserve && current.dimensions() > 0;
        if (keep) {
            if (current.dimensions() != static_cast<int>(upper.size())) {
                raise(errors::kSubscriptOutOfRange);
            }
            for (std::size_t d = 0; d + 1 < upper.size(); ++d) {
                if (current.upperBound(static_cast<int>(d)) != upper[d]) {
                    raise(errors::kSubscriptOutOfRange);
                }
            }
        }
        slot->mutableArray().redim(std::move(upper), keep);
    }
}

void Evaluator::execErase(const EraseStmt& s) {
    for (const auto& target : s.targets) {
        NameRef ref = resolve(*target);
        if (ref.kind != NameRef::Kind::Slot || !ref.slot->isArray()) raise(errors::kTypeMismatch);
        const Array& current = ref.slot->asArray();
        if (current.locks > 0) raise(errors::kArrayFixedOrLocked);
        if (current.fixed) {
            for (Variant& element : ref.slot->mutableArray().elements())
                element = Variant();
        } else {
            *ref.slot = Variant::fromArray(std::make_shared<Array>());
        }
    }
}

}  // namespace lorvane::vbs
