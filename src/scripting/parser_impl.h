// The recursive-descent parser behind parser.h, shared by its statement, declaration and
// expression parts. Each parse function is headed by the grammar rule it reads.
#pragma once

#include <optional>
#include <unordered_map>
#include <vector>

#include "scripting/ast.h"
#include "scripting/lexer.h"
#include "scripting/names.h"

namespace lorvane::vbs {

// The comparison a token stands for (=, <>, <, >, <=, >=, Is), if any.
std::optional<Op> comparisonOperator(Tok token);

class Parser {
  public:
    Parser(std::vector<Token> tokens, std::u16string file, NameTable& names);

    std::unique_ptr<Module> module();
    ExprPtr expressionOnly();

  private:
    // Nesting deeper than this (blocks or expressions) is refused, so compiling never
    // exhausts the stack however the text is built.
    static constexpr int kMaxNesting = 200;

    // ---- tokens ----
    const Token& peek(std::size_t ahead = 0) const;
    const Token& advance();
    bool check(Tok type) const { return peek().type == type; }
    bool accept(Tok type);
    void expect(Tok type, int errorNumber);
    Pos here() const { return {peek().line, peek().column}; }
    [[noreturn]] void fail(int number) const;
    bool atEndOfStatement() const;
    void endOfStatement();
    bool atDeclarationEnd() const;
    bool checkWord(const char16_t* lower, std::size_t ahead = 0) const;
    bool atPropertyHeader() const;
    bool atProcedureStart() const;
    Token identifier();
    Token memberName();

    // ---- statements (parser_stmt.cpp) ----
    bool atBlockEnd() const;
    Block block();
    void statementLine(Block& out);
    StmtPtr statement();
    StmtPtr ifStatement();
    void inlineStatements(Block& out);
    StmtPtr forStatement();
    StmtPtr doStatement();
    StmtPtr whileStatement();
    StmtPtr selectStatement();
    void caseTests(SelectStmt::Clause& clause);
    StmtPtr withStatement();
    StmtPtr exitStatement();
    StmtPtr onErrorStatement();
    StmtPtr setStatement();
    StmtPtr callStatement();
    StmtPtr assignmentOrCall();
    StmtPtr redimStatement();
    StmtPtr eraseStatement();
    void expectEnd(Tok what, int errorNumber);
    void expectEndProperty();

    // ---- declarations (parser_decl.cpp) ----
    StmtPtr declaration();
    void variableList(bool isPublic);
    VarDecl variable(bool isPublic);
    void constList(bool isPublic);
    Variant constantValue();
    void declare(VarDecl decl);
    void procedure(bool isPublic, bool isDefault);
    void parameters(Procedure& proc);
    void classDeclaration();
    void classMember();
    void finishClass(ClassDef& def);

    // ---- expressions (parser_expr.cpp) ----
    ExprPtr expression();
    ExprPtr concatenation();
    ExprPtr binaryExpression(int minLevel);
    ExprPtr prefixed(int minLevel);
    ExprPtr postfix(ExprPtr base, std::size_t stopAt, std::size_t* lastGroup);
    ExprPtr primary();
    ExprPtr chain(std::size_t stopAt, std::size_t* lastGroup);
    void parenArguments(CallExpr& call);
    void bareArguments(CallExpr& call);
    std::unique_ptr<NameExpr> makeName(const Token& token);
    Variant literalValue(const Token& token) const;

    struct DepthGuard {
        explicit DepthGuard(Parser& p);
        ~DepthGuard() { --parser.depth_; }
        Parser& parser;
    };

    std::vector<Token> tokens_;
    std::size_t pos_ = 0;
    std::u16string file_;
    NameTable& names_;
    Module* module_ = nullptr;
    std::unique_ptr<Module> owned_;

    // The procedure being compiled, with its locals by name.
    Procedure* proc_ = nullptr;
    std::unordered_map<NameId, int> locals_;
    std::vector<NameExpr*> procNames_;
    ClassDef* class_ = nullptr;
    std::unordered_map<NameId, Pos> moduleNames_;  // globals, procedures and classes declared

    int forDepth_ = 0;
    int doDepth_ = 0;
    int blockDepth_ = 0;
    int inlineIf_ = 0;  // inside a one-line If, Else ends a statement
    int depth_ = 0;
};

}  // namespace lorvane::vbs
