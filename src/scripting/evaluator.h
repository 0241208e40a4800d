// The interpreter's run time: the global module, frames of running procedures, statements,
// expressions and calls. Interpreter (interpreter.h) is its public face; built-in functions,
// script-class instances and the Err object reach it through the members below.
#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/failure.h"
#include "scripting/ast.h"
#include "scripting/class_instance.h"
#include "scripting/host_object.h"
#include "scripting/interpreter.h"
#include "scripting/names.h"
#include "scripting/run_limits.h"
#include "scripting/script_error.h"

namespace lorvane::vbs {

class ErrObject;
struct Builtin;

enum class Flow : uint8_t { Normal, ExitFor, ExitDo, ExitProc };

// A name of the global module.
struct Global {
    enum class Kind : uint8_t { Undefined, Variable, Constant, Procedure, Class, NamedObject };
    Kind kind = Kind::Undefined;
    Variant value;
    ProcedurePtr proc;
    std::shared_ptr<const ClassInfo> classInfo;
};

// One running procedure, or the top-level code of an AddCode.
struct Frame {
    const Procedure* proc = nullptr;
    ClassInstance* me = nullptr;
    std::vector<Variant> own;     // the frame's own storage
    std::vector<Variant*> slots;  // locals; a ByRef parameter points at the caller's variable
    std::unordered_map<NameId, Variant> implicit;  // undeclared names assigned in a procedure
    std::vector<Variant> with;                     // the objects of enclosing With blocks
    const std::u16string* file = nullptr;
    bool optionExplicit = false;
    bool resumeNext = false;
    int dynamic = 0;  // Execute or Eval code running here: it may name this frame's locals
};

// A run-time error on its way out, with the place where it happened.
struct LocatedError {
    ScriptError error;
    std::u16string file;
    Pos pos;
};

// Ends the script whatever its error handling says (time limit, step budget).
struct ScriptAbort {
    Failure failure;
};

// What a name stands for where it is used.
struct NameRef {
    enum class Kind : uint8_t { None, Slot, Procedure, ClassMember, HostMember, Builtin, Class };
    Kind kind = Kind::None;
    Variant* slot = nullptr;
    bool isConst = false;
    ProcedurePtr proc;
    ClassInstance* me = nullptr;
    int member = -1;  // class member index, host member id, or built-in index
    Object* host = nullptr;
};

enum class AssignMode : uint8_t { Let, Set, Raw };

// Arrays whose elements are passed by reference during a call: kept alive and locked against
// ReDim and Erase until the call returns.
struct ArgumentPins {
    ArgumentPins() = default;
    ArgumentPins(const ArgumentPins&) = delete;
    ArgumentPins& operator=(const ArgumentPins&) = delete;
    ~ArgumentPins();
    void pin(std::shared_ptr<Array> array);
    std::vector<std::shared_ptr<Array>> arrays;
};

class Evaluator : public std::enable_shared_from_this<Evaluator>, public DeadlineWatch {
  public:
    Evaluator(HostContext context, InterpreterOptions options);
    ~Evaluator();

    // ---- host operations ----
    void addObject(const std::u16string& name, ObjectRef object, bool globalMembers);
    Status addCode(std::u16string_view text, const std::u16string& fileName);
    Expected<Variant> run(std::u16string_view procedure, std::vector<Variant> args);
    bool hasProcedure(std::u16string_view name) const;
    ObjectRegistry& registry() { return registry_; }
    void setOptions(const InterpreterOptions& options) { options_ = options; }

    // ---- for built-ins and objects ----
    const HostContext& context() const { return context_; }
    ObjectRef createObject(std::u16string_view progId);
    Variant evalText(std::u16string_view text);
    void executeText(std::u16string_view text, bool global);
    // Rnd: the next number (or, for a negative argument, one seeded by it; 0 repeats the last).
    float nextRandom(std::optional<double> argument);
    void randomize(std::optional<double> seed);
    Variant invokeMember(ClassInstance& instance, int member, Invoke kind, Arguments& args,
                         const Variant* value);
    void terminate(ClassInstance& instance);
    // Time spent waiting for the user (message and input boxes) does not count against the
    // time limit.
    void excludeFromTimeLimit(std::chrono::steady_clock::duration waited) { deadline_ += waited; }
    bool pastDeadline() const override;
    std::size_t maxTextLength() const override { return options_.maxTextLength; }
    [[noreturn]] void stopForTimeLimit() override { timedOut(lastPos_); }

  private:
    friend struct FrameScope;

    // ---- module ----
    Global& global(NameId id);
    void install(const Module& module);
    template <class Body>
    Status guarded(const std::u16string& file, Body body);
    void tick(const Pos& pos);
    [[noreturn]] void timedOut(const Pos& pos);
    std::size_t stackUsed() const;
    Failure failureOf(const LocatedError& e) const;

    // ---- statements (evaluator_stmt.cpp) ----
    Flow execBlock(const Block& block);
    Flow execGuarded(const Stmt& stmt);
    Flow exec(const Stmt& stmt);
    Flow execIf(const IfStmt& s);
    Flow execFor(const ForStmt& s);
    Flow execForEach(const ForEachStmt& s);
    Flow execDo(const DoStmt& s);
    Flow execSelect(const SelectStmt& s);
    Flow execWith(const WithStmt& s);
    void execReDim(const ReDimStmt& s);
    void execErase(const EraseStmt& s);
    void recordError(const ScriptError& e);
    bool caseMatches(const SelectStmt::Test& test, const Variant& subject);

    // ---- names and calls (evaluator_call.cpp) ----
    NameRef resolve(const NameExpr& name);
    Variant* declareImplicit(NameId id);
    Variant readName(const NameExpr& name);
    Variant callProcedure(const Procedure& proc, ClassInstance* me, Arguments& args);
    Variant callBuiltin(int index, const std::vector<ExprPtr>& args);
    void buildArguments(const std::vector<ExprPtr>& exprs, Arguments& out, ArgumentPins& pins);
    Variant indexInto(const Variant& target, Arguments& args);
    Variant defaultCall(const ObjectRef& object, const std::vector<ExprPtr>& args, Invoke kind);
    bool isOwnResult(const NameExpr& name) const;
    Variant evalCall(const CallExpr& call, Invoke kind);
    Variant memberCall(const ObjectRef& object, const MemberExpr& member, Arguments& args,
                       Invoke kind, const Variant* value);
    void callStatement(const Expr& call);
    Variant fromRef(const NameRef& ref, bool optionExplicit);
    ObjectRef objectOf(const MemberExpr& member);
    std::vector<int32_t> indices(const std::vector<ExprPtr>& args);
    std::vector<int32_t> indices(Arguments& args);
    Variant applyArguments(const Variant& target, const std::vector<ExprPtr>& args, Invoke kind);

    // ---- expressions and assignment (evaluator_expr.cpp) ----
    Variant eval(const Expr& expr);
    Variant value(const Expr& expr);
    Variant evalBinary(const BinaryExpr& e);
    const Variant* operand(const Expr& e, Variant& holder);
    Variant evalNew(const NewExpr& e);
    void assign(const Expr& target, Variant value, AssignMode mode);
    bool appendInPlace(const Expr& target, const Expr& value);
    bool isPure(const Expr& expr);
    bool impureBuiltin(int index) const;
    void assignName(const NameExpr& name, Variant value, AssignMode mode);
    void assignCall(const CallExpr& call, Variant value, AssignMode mode);
    ObjectRef instantiate(const std::shared_ptr<const ClassInfo>& info);

    HostContext context_;
    InterpreterOptions options_;
    NameTable names_;
    std::deque<Global> globals_;  // by NameId; a deque keeps variables where they are
    std::vector<ObjectRef> globalMemberObjects_;
    std::vector<std::pair<int, MemberId>> hostMemberCache_;  // by NameId; first -2 = unknown
    std::vector<Builtin> builtins_;
    std::vector<int> builtinIndex_;  // by NameId
    ObjectRegistry registry_;
    std::shared_ptr<ErrObject> err_;

    Frame* frame_ = nullptr;
    int callDepth_ = 0;
    std::uintptr_t stackBase_ = 0;  // where the outermost host call entered
    int runDepth_ = 0;
    std::uint64_t steps_ = 0;
    std::chrono::steady_clock::time_point deadline_;
    Pos lastPos_;  // of the statement running, for a time limit reached inside a built-in
    uint32_t rndSeed_ = 0x50000;
    float lastRnd_ = 0;
    bool shuttingDown_ = false;
};

// Makes a frame the current one for its lifetime.
struct FrameScope {
    FrameScope(Evaluator& e, Frame& f) : evaluator(e), saved(e.frame_) { e.frame_ = &f; }
    ~FrameScope() { evaluator.frame_ = saved; }
    Evaluator& evaluator;
    Frame* saved;
};

}  // namespace lorvane::vbs
