// The syntax tree of a compiled script: expressions, statements, procedures, classes and the
// module that one AddCode call compiles. Every node keeps its place in the source. Names are
// interned (NameId, letter case folded) so the evaluator compares integers, and names of
// procedure locals are already resolved to slots.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "scripting/value.h"

namespace lorvane::vbs {

using NameId = int;

struct Pos {
    int line = 0;
    int column = 0;
};

// ---- Expressions ----

enum class ExprKind : uint8_t { Literal, Name, Member, Call, Paren, Unary, Binary, New, Me };

enum class Op : uint8_t {
    Neg,
    Plus,
    Not,  // unary
    Pow,
    Mul,
    Div,
    IntDiv,
    Mod,
    Add,
    Sub,
    Concat,  // arithmetic
    Eq,
    Ne,
    Lt,
    Gt,
    Le,
    Ge,
    Is,  // comparison
    And,
    Or,
    Xor,
    Eqv,
    Imp,  // logical
};

struct Expr {
    explicit Expr(ExprKind k, Pos p) : kind(k), pos(p) {}
    virtual ~Expr() = default;
    ExprKind kind;
    Pos pos;
};
using ExprPtr = std::unique_ptr<Expr>;

struct LiteralExpr : Expr {
    LiteralExpr(Pos p, Variant v) : Expr(ExprKind::Literal, p), value(std::move(v)) {}
    Variant value;
};

struct NameExpr : Expr {
    NameExpr(Pos p, NameId id, std::u16string written)
        : Expr(ExprKind::Name, p), name(id), spelling(std::move(written)) {}
    NameId name;
    std::u16string spelling;
    int localSlot = -1;  // a local of the enclosing procedure, or -1
};

// `object.name`; a null object is the innermost With object (`.name`).
struct MemberExpr : Expr {
    MemberExpr(Pos p, ExprPtr obj, NameId id, std::u16string written)
        : Expr(ExprKind::Member, p),
          object(std::move(obj)),
          name(id),
          spelling(std::move(written)) {}
    ExprPtr object;
    NameId name;
    std::u16string spelling;
};

// `callee(args)`; a null argument is one left out (`f(1, , 3)`).
struct CallExpr : Expr {
    CallExpr(Pos p, ExprPtr c) : Expr(ExprKind::Call, p), callee(std::move(c)) {}
    ExprPtr callee;
    std::vector<ExprPtr> args;
};

// `(inner)`: kept because a parenthesised argument is passed by value.
struct ParenExpr : Expr {
    ParenExpr(Pos p, ExprPtr e) : Expr(ExprKind::Paren, p), inner(std::move(e)) {}
    ExprPtr inner;
};

struct UnaryExpr : Expr {
    UnaryExpr(Pos p, Op o, ExprPtr e) : Expr(ExprKind::Unary, p), op(o), operand(std::move(e)) {}
    Op op;
    ExprPtr operand;
};

struct BinaryExpr : Expr {
    BinaryExpr(Pos p, Op o, ExprPtr l, ExprPtr r)
        : Expr(ExprKind::Binary, p), op(o), left(std::move(l)), right(std::move(r)) {}
    Op op;
    ExprPtr left, right;
};

struct NewExpr : Expr {
    NewExpr(Pos p, NameId id, std::u16string written)
        : Expr(ExprKind::New, p), className(id), spelling(std::move(written)) {}
    NameId className;
    std::u16string spelling;
};

struct MeExpr : Expr {
    explicit MeExpr(Pos p) : Expr(ExprKind::Me, p) {}
};

// ---- Statements ----

enum class StmtKind : uint8_t {
    Assign,
    Call,
    ReDim,
    Erase,
    If,
    For,
    ForEach,
    Do,
    Select,
    Exit,
    With,
    OnError,
    Randomize,
    Declare,  // Dim / Const inside a block: declared beforehand, nothing to do when reached
};

struct Stmt {
    explicit Stmt(StmtKind k, Pos p) : kind(k), pos(p) {}
    virtual ~Stmt() = default;
    StmtKind kind;
    Pos pos;
};
using StmtPtr = std::unique_ptr<Stmt>;
using Block = std::vector<StmtPtr>;

struct AssignStmt : Stmt {
    AssignStmt(Pos p, ExprPtr t, ExprPtr v, bool set)
        : Stmt(StmtKind::Assign, p), target(std::move(t)), value(std::move(v)), isSet(set) {}
    ExprPtr target, value;
    bool isSet;
};

// A procedure or method called as a statement; `call` is a Name, Member or Call expression.
struct CallStmt : Stmt {
    CallStmt(Pos p, ExprPtr c) : Stmt(StmtKind::Call, p), call(std::move(c)) {}
    ExprPtr call;
};

struct ReDimStmt : Stmt {
    struct Item {
        std::unique_ptr<NameExpr> target;
        std::vector<ExprPtr> bounds;
    };
    ReDimStmt(Pos p, bool keep) : Stmt(StmtKind::ReDim, p), preserve(keep) {}
    bool preserve;
    std::vector<Item> items;
};

struct EraseStmt : Stmt {
    explicit EraseStmt(Pos p) : Stmt(StmtKind::Erase, p) {}
    std::vector<std::unique_ptr<NameExpr>> targets;
};

struct IfStmt : Stmt {
    struct Branch {
        ExprPtr condition;
        Block body;
    };
    explicit IfStmt(Pos p) : Stmt(StmtKind::If, p) {}
    std::vector<Branch> branches;  // If and each ElseIf
    Block elseBody;
};

struct ForStmt : Stmt {
    explicit ForStmt(Pos p) : Stmt(StmtKind::For, p) {}
    std::unique_ptr<NameExpr> counter;
    ExprPtr from, to, step;  // step may be null (1)
    Block body;
};

struct ForEachStmt : Stmt {
    explicit ForEachStmt(Pos p) : Stmt(StmtKind::ForEach, p) {}
    std::unique_ptr<NameExpr> element;
    ExprPtr collection;
    Block body;
};

// Do/Loop and While/Wend: the condition may stand before or after the body, or be missing.
struct DoStmt : Stmt {
    explicit DoStmt(Pos p) : Stmt(StmtKind::Do, p) {}
    ExprPtr condition;
    bool testAtEnd = false;
    bool until = false;
    Block body;
};

struct SelectStmt : Stmt {
    // `Case a, b To c, Is > d`: a value, a range, or a comparison with the subject.
    struct Test {
        ExprPtr value, upper;  // upper: the end of a range
        Op comparison = Op::Eq;
    };
    struct Clause {
        std::vector<Test> tests;
        Block body;
        Pos pos;
    };
    explicit SelectStmt(Pos p) : Stmt(StmtKind::Select, p) {}
    ExprPtr subject;
    std::vector<Clause> clauses;
    bool hasElse = false;
    Block elseBody;
};

enum class ExitKind : uint8_t { For, Do, Sub, Function, Property };

struct ExitStmt : Stmt {
    ExitStmt(Pos p, ExitKind k) : Stmt(StmtKind::Exit, p), what(k) {}
    ExitKind what;
};

struct WithStmt : Stmt {
    explicit WithStmt(Pos p) : Stmt(StmtKind::With, p) {}
    ExprPtr object;
    Block body;
};

struct OnErrorStmt : Stmt {
    OnErrorStmt(Pos p, bool resume) : Stmt(StmtKind::OnError, p), resumeNext(resume) {}
    bool resumeNext;
};

struct RandomizeStmt : Stmt {
    explicit RandomizeStmt(Pos p) : Stmt(StmtKind::Randomize, p) {}
    ExprPtr seed;  // may be null
};

struct DeclareStmt : Stmt {
    explicit DeclareStmt(Pos p) : Stmt(StmtKind::Declare, p) {}
};

// ---- Declarations ----

// A variable or constant declared by Dim, Public, Private, ReDim or Const.
struct VarDecl {
    NameId name = -1;
    std::u16string spelling;
    Pos pos;
    bool isArray = false;         // `Dim a()` or `Dim a(3)`
    std::vector<int32_t> bounds;  // fixed bounds of `Dim a(3, 4)`; empty for a dynamic array
    bool isConst = false;
    Variant constValue;
    bool isPublic = true;
};

enum class ProcKind : uint8_t { Sub, Function, PropertyGet, PropertyLet, PropertySet };

struct Param {
    NameId name;
    std::u16string spelling;
    bool byVal = false;
};

struct Procedure {
    ProcKind kind = ProcKind::Sub;
    NameId name = -1;
    std::u16string spelling;
    std::u16string file;
    Pos pos;
    bool isPublic = true;
    bool isDefault = false;
    bool optionExplicit = false;
    std::vector<Param> params;    // slots 0 .. params.size()-1
    int resultSlot = -1;          // Function and Property Get: the slot named after the procedure
    std::vector<VarDecl> locals;  // slot = params.size() + (resultSlot >= 0) + index
    int slotCount = 0;
    Block body;
};
using ProcedurePtr = std::shared_ptr<const Procedure>;

struct ClassDef {
    NameId name = -1;
    std::u16string spelling;
    std::u16string file;
    Pos pos;
    std::vector<VarDecl> fields;
    std::vector<ProcedurePtr> procedures;  // methods and property procedures
    bool optionExplicit = false;
};
using ClassPtr = std::shared_ptr<const ClassDef>;

// What one AddCode (or ExecuteGlobal) compiles.
struct Module {
    std::u16string file;
    bool optionExplicit = false;
    std::vector<VarDecl> globals;
    std::vector<ProcedurePtr> procedures;
    std::vector<ClassPtr> classes;
    Block body;  // the top-level statements, run when the code is added
};

}  // namespace lorvane::vbs
