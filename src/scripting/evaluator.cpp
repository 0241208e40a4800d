// The global module and the host operations: installing compiled code, running it under the
// time limit, and turning errors into failures with their place.
#include "scripting/evaluator.h"

#include <bit>
#include <cmath>
#include <ctime>

#include "platform/error_catalogue.h"
#include "scripting/builtins.h"
#include "scripting/coerce.h"
#include "scripting/err_object.h"
#include "scripting/parser.h"

namespace lorvane::vbs {
namespace {

Variant declaredValue(const VarDecl& decl) {
    if (decl.isConst) return decl.constValue;
    if (!decl.isArray) return {};
    if (decl.bounds.empty()) return Variant::fromArray(std::make_shared<Array>());
    auto array = std::make_shared<Array>(decl.bounds);
    array->fixed = true;
    return Variant::fromArray(std::move(array));
}

}  // namespace

ArgumentPins::~ArgumentPins() {
    for (auto& array : arrays)
        --array->locks;
}

void ArgumentPins::pin(std::shared_ptr<Array> array) {
    ++array->locks;
    arrays.push_back(std::move(array));
}

Evaluator::Evaluator(HostContext context, InterpreterOptions options)
    : context_(std::move(context)), options_(options) {
    registerStandardObjects(registry_);
    for (auto table : {stringBuiltins(), conversionBuiltins(), mathBuiltins(), arrayBuiltins(),
                       dateBuiltins(), hostBuiltins()}) {
        for (const Builtin& builtin : table) {
            const NameId id = names_.intern(builtin.name);
            if (builtinIndex_.size() <= static_cast<std::size_t>(id)) {
                builtinIndex_.resize(static_cast<std::size_t>(id) + 1, -1);
            }
            builtinIndex_[static_cast<std::size_t>(id)] = static_cast<int>(builtins_.size());
            builtins_.push_back(builtin);
        }
    }
    for (auto& [name, value] : builtinConstants()) {
        Global& g = global(names_.intern(name));
        g.kind = Global::Kind::Constant;
        g.value = value;
    }
    err_ = std::make_shared<ErrObject>();
    Global& err = global(names_.intern(u"Err"));
    err.kind = Global::Kind::NamedObject;
    err.value = Variant::fromObject(err_);
}

Evaluator::~Evaluator() {
    shuttingDown_ = true;
}

Global& Evaluator::global(NameId id) {
    while (globals_.size() <= static_cast<std::size_t>(id))
        globals_.emplace_back();
    return globals_[static_cast<std::size_t>(id)];
}

void Evaluator::addObject(const std::u16string& name, ObjectRef object, bool globalMembers) {
    Global& g = global(names_.intern(name));
    g.kind = Global::Kind::NamedObject;
    g.proc.reset();
    g.value = Variant::fromObject(object);
    if (globalMembers) {
        bool known = false;
        for (const auto& o : globalMemberObjects_)
            known = known || o == object;
        if (!known) globalMemberObjects_.push_back(std::move(object));
    }
    hostMemberCache_.clear();
}

void Evaluator::install(const Module& module) {
    for (const VarDecl& decl : module.globals) {
        Global& g = global(decl.name);
        Variant old = std::move(g.value);
        g.kind = decl.isConst ? Global::Kind::Constant : Global::Kind::Variable;
        g.value = declaredValue(decl);
        g.proc.reset();
        g.classInfo.reset();
    }
    for (const ProcedurePtr& proc : module.procedures) {
        Global& g = global(proc->name);
        Variant old = std::move(g.value);
        g.kind = Global::Kind::Procedure;
        g.value = Variant();
        g.proc = proc;
        g.classInfo.reset();
    }
    for (const ClassPtr& cls : module.classes) {
        Global& g = global(cls->name);
        Variant old = std::move(g.value);
        g.kind = Global::Kind::Class;
        g.value = Variant();
        g.proc.reset();
        g.classInfo = ClassInfo::build(cls, names_);
    }
}

Failure Evaluator::failureOf(const LocatedError& e) const {
    Failure failure;
    failure.number = e.error.number;
    failure.description =
        e.error.description.empty() ? errors::description(e.error.number) : e.error.description;
    failure.file = e.file;
    failure.line = e.pos.line;
    failure.column = e.pos.column;
    return failure;
}

template <class Body>
Status Evaluator::guarded(const std::u16string& file, Body body) {
    if (runDepth_ == 0) {
        deadline_ = std::chrono::steady_clock::now() + options_.timeLimit;
        steps_ = 0;
        char marker;
        stackBase_ = reinterpret_cast<std::uintptr_t>(&marker);
        err_->clear();  // every run from the host starts without an error left from the last
    }
    ++runDepth_;
    DeadlineScope watch(*this);
    struct Leave {
        int& depth;
        ~Leave() { --depth; }
    } leave{runDepth_};
    try {
        body();
        return {};
    } catch (const LocatedError& e) {
        return failureOf(e);
    } catch (const ScriptError& e) {
        Failure failure = failureFor(e.number, file);
        if (!e.description.empty()) failure.description = e.description;
        return failure;
    } catch (const ScriptAbort& abort) {
        return abort.failure;
    } catch (const CompileError& e) {
        Failure failure = failureFor(e.number, file);
        failure.line = e.line;
        failure.column = e.column;
        return failure;
    } catch (const std::bad_alloc&) {
        return failureFor(errors::kOutOfMemory, file);
    } catch (const std::length_error&) {
        return failureFor(errors::kOutOfStringSpace, file);
    } catch (const std::exception&) {
        // Nothing else should get here; a host call must not end the program if it does.
        return failureFor(errors::kInvalidProcedureCall, file);
    }
}

Status Evaluator::addCode(std::u16string_view text, const std::u16string& fileName) {
    std::unique_ptr<Module> module;
    try {
        module = parseModule(text, fileName, names_);
    } catch (const CompileError& e) {
        Failure failure = failureFor(e.number, fileName);
        failure.line = e.line;
        failure.column = e.column;
        return failure;
    }
    install(*module);
    return guarded(fileName, [&] {
        Frame frame;
        frame.file = &module->file;
        frame.optionExplicit = module->optionExplicit;
        FrameScope scope(*this, frame);
        execBlock(module->body);
    });
}

Expected<Variant> Evaluator::run(std::u16string_view procedure, std::vector<Variant> args) {
    const NameId id = names_.find(procedure);
    if (id < 0 || static_cast<std::size_t>(id) >= globals_.size() ||
        globals_[static_cast<std::size_t>(id)].kind != Global::Kind::Procedure) {
        return failureFor(errors::kSubOrFunctionNotDefined);
    }
    const ProcedurePtr proc = globals_[static_cast<std::size_t>(id)].proc;
    Variant result;
    Status status = guarded(proc->file, [&] {
        Arguments arguments(std::move(args));
        result = callProcedure(*proc, nullptr, arguments);
    });
    if (!status) return status.failure();
    return result;
}

bool Evaluator::hasProcedure(std::u16string_view name) const {
    const NameId id = names_.find(name);
    return id >= 0 && static_cast<std::size_t>(id) < globals_.size() &&
           globals_[static_cast<std::size_t>(id)].kind == Global::Kind::Procedure;
}

void Evaluator::tick(const Pos& pos) {
    ++steps_;
    lastPos_ = pos;
    const bool overBudget = options_.stepLimit != 0 && steps_ > options_.stepLimit;
    if (!overBudget && (steps_ & 1023) != 0) return;
    if (overBudget || std::chrono::steady_clock::now() > deadline_) timedOut(pos);
}

bool Evaluator::pastDeadline() const {
    return runDepth_ > 0 && std::chrono::steady_clock::now() > deadline_;
}

void Evaluator::timedOut(const Pos& pos) {
    Failure failure = failureFor(errors::kScriptTimedOut, frame_ ? *frame_->file : u"");
    failure.line = pos.line;
    failure.column = pos.column;
    throw ScriptAbort{failure};
}

// The stack grows downwards on every platform we build for.
std::size_t Evaluator::stackUsed() const {
    char marker;
    const auto here = reinterpret_cast<std::uintptr_t>(&marker);
    return stackBase_ > here ? stackBase_ - here : 0;
}

ObjectRef Evaluator::createObject(std::u16string_view progId) {
    ObjectRef object = registry_.create(progId, context_);
    if (!object) raise(errors::kCannotCreateObject);
    return object;
}

Variant Evaluator::evalText(std::u16string_view text) {
    ExprPtr expr;
    try {
        expr = parseExpression(text, names_);
    } catch (const CompileError& e) {
        raise(e.number);
    }
    ++frame_->dynamic;
    struct Leave {
        Frame* frame;
        ~Leave() { --frame->dynamic; }
    } leave{frame_};
    return eval(*expr);
}

void Evaluator::executeText(std::u16string_view text, bool globalScope) {
    std::unique_ptr<Module> module;
    try {
        module = parseModule(text, frame_ ? *frame_->file : u"", names_);
    } catch (const CompileError& e) {
        raise(e.number);
    }
    install(*module);
    if (globalScope || !frame_->proc) {
        Frame frame;
        frame.file = frame_->file;
        frame.optionExplicit = module->optionExplicit;
        FrameScope scope(*this, frame);
        execBlock(module->body);
        return;
    }
    ++frame_->dynamic;
    struct Leave {
        Frame* frame;
        ~Leave() { --frame->dynamic; }
    } leave{frame_};
    execBlock(module->body);
}

// The generator of the language's Rnd: a 24-bit linear congruential sequence.
float Evaluator::nextRandom(std::optional<double> argument) {
    if (argument && *argument == 0) return lastRnd_;
    if (argument && *argument < 0) {
        const uint32_t bits = std::bit_cast<uint32_t>(static_cast<float>(*argument));
        rndSeed_ = (bits + (bits >> 24)) & 0xFFFFFF;
    }
    rndSeed_ = (rndSeed_ * 0x43FD43FDu + 0xC39EC3u) & 0xFFFFFF;
    lastRnd_ = static_cast<float>(rndSeed_) / 16777216.0f;
    return lastRnd_;
}

void Evaluator::randomize(std::optional<double> seed) {
    double value = seed ? *seed : static_cast<double>(std::time(nullptr)) + std::clock();
    const uint64_t bits = std::bit_cast<uint64_t>(value);
    uint32_t high = static_cast<uint32_t>(bits >> 32);
    high ^= high >> 16;
    rndSeed_ = (rndSeed_ & 0xFF) | ((high & 0xFFFF) << 8);
}

void Evaluator::terminate(ClassInstance& instance) {
    if (shuttingDown_ || !instance.info->terminate) return;
    try {
        Arguments none;
        callProcedure(*instance.info->terminate, &instance, none);
    } catch (...) {
        // An error in Class_Terminate has nowhere to go: the object is already gone.
    }
}

}  // namespace lorvane::vbs
