// Statements and blocks; the module and the token helpers.
#include <limits>

#include "platform/error_catalogue.h"
#include "scripting/parser.h"
#include "scripting/parser_impl.h"

namespace lorvane::vbs {

Parser::Parser(std::vector<Token> tokens, std::u16string file, NameTable& names)
    : tokens_(std::move(tokens)), file_(std::move(file)), names_(names) {}

const Token& Parser::peek(std::size_t ahead) const {
    const std::size_t i = pos_ + ahead;
    return i < tokens_.size() ? tokens_[i] : tokens_.back();
}

const Token& Parser::advance() {
    const Token& token = tokens_[pos_];
    if (pos_ + 1 < tokens_.size()) ++pos_;
    return token;
}

bool Parser::accept(Tok type) {
    if (!check(type)) return false;
    advance();
    return true;
}

void Parser::expect(Tok type, int errorNumber) {
    if (!accept(type)) fail(errorNumber);
}

void Parser::fail(int number) const {
    throw CompileError{number, peek().line, peek().column};
}

bool Parser::atEndOfStatement() const {
    switch (peek().type) {
        case Tok::Newline:
        case Tok::Colon:
        case Tok::End:
            return true;
        case Tok::Else:
            return inlineIf_ > 0;
        case Tok::EndKw:  // the End If closing a one-line If
            return inlineIf_ > 0 && peek(1).type == Tok::If;
        default:
            return false;
    }
}

void Parser::endOfStatement() {
    if (check(Tok::Newline) || check(Tok::Colon)) {
        advance();
    } else if (!check(Tok::End) && !atDeclarationEnd()) {
        fail(errors::kExpectedEndOfStatement);
    }
}

// The End of a procedure or class may follow a statement on its line: "Sub S() x = 1 End Sub".
bool Parser::atDeclarationEnd() const {
    if (!check(Tok::EndKw)) return false;
    const Tok what = peek(1).type;
    if (proc_ && (what == Tok::Sub || what == Tok::Function || checkWord(u"property", 1))) {
        return true;
    }
    return class_ && what == Tok::Class;
}

bool Parser::checkWord(const char16_t* lower, std::size_t ahead) const {
    const Token& token = peek(ahead);
    if (token.type != Tok::Identifier ||
        token.text.size() != std::char_traits<char16_t>::length(lower)) {
        return false;
    }
    for (std::size_t i = 0; i < token.text.size(); ++i) {
        char16_t c = token.text[i];
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
        if (c != lower[i]) return false;
    }
    return true;
}

// PROPERTY (GET | LET | SET)
bool Parser::atPropertyHeader() const {
    return checkWord(u"property") &&
           (checkWord(u"get", 1) || peek(1).type == Tok::Let || peek(1).type == Tok::Set);
}

bool Parser::atProcedureStart() const {
    return check(Tok::Sub) || check(Tok::Function) || atPropertyHeader();
}

Token Parser::identifier() {
    if (!check(Tok::Identifier)) fail(errors::kExpectedIdentifier);
    return advance();
}

// After a dot any word is a member name, reserved or not (obj.Select, Err.Raise, x.End).
Token Parser::memberName() {
    const Token& token = peek();
    if (token.type == Tok::Identifier || (token.type >= Tok::And && !token.text.empty())) {
        return advance();
    }
    fail(errors::kExpectedIdentifier);
}

// module -> { statementline } EOF
std::unique_ptr<Module> Parser::module() {
    owned_ = std::make_unique<Module>();
    module_ = owned_.get();
    module_->file = file_;
    while (!check(Tok::End)) {
        if (check(Tok::Newline) || check(Tok::Colon)) {
            advance();
            continue;
        }
        if (atBlockEnd())
            fail(check(Tok::Next) ? errors::kUnexpectedNext : errors::kExpectedStatement);
        statementLine(module_->body);
    }
    return std::move(owned_);
}

// The words that end a block; the statement that opened it checks which one it needs.
bool Parser::atBlockEnd() const {
    switch (peek().type) {
        case Tok::ElseIf:
        case Tok::Else:
        case Tok::EndKw:
        case Tok::Next:
        case Tok::Loop:
        case Tok::Wend:
        case Tok::Case:
        case Tok::End:
            return true;
        default:
            return false;
    }
}

// block -> { statementline }   (up to a word that ends blocks)
Block Parser::block() {
    DepthGuard guard(*this);
    ++blockDepth_;
    Block out;
    while (true) {
        if (check(Tok::Newline) || check(Tok::Colon)) {
            advance();
            continue;
        }
        if (atBlockEnd()) break;
        statementLine(out);
    }
    --blockDepth_;
    return out;
}

// statementline -> statement (':' | NEWLINE | EOF)
void Parser::statementLine(Block& out) {
    StmtPtr stmt = statement();
    if (stmt) out.push_back(std::move(stmt));
    endOfStatement();
}

// statement -> declaration | if | for | do | while | select | with | exit | onerror | set
//            | call | redim | erase | randomize | assignment | subcall
StmtPtr Parser::statement() {
    switch (peek().type) {
        case Tok::Dim:
        case Tok::Const:
        case Tok::Public:
        case Tok::Private:
        case Tok::Sub:
        case Tok::Function:
        case Tok::Class:
        case Tok::Option:
            return declaration();
        case Tok::If:
            return ifStatement();
        case Tok::For:
            return forStatement();
        case Tok::Do:
            return doStatement();
        case Tok::While:
            return whileStatement();
        case Tok::Select:
            return selectStatement();
        case Tok::With:
            return withStatement();
        case Tok::Exit:
            return exitStatement();
        case Tok::On:
            return onErrorStatement();
        case Tok::Set:
            return setStatement();
        case Tok::Let:
            advance();
            return assignmentOrCall();
        case Tok::Call:
            return callStatement();
        case Tok::ReDim:
            return redimStatement();
        case Tok::Erase:
            return eraseStatement();
        case Tok::Identifier:
            if (atPropertyHeader()) return declaration();
            if (checkWord(u"randomize")) {
                auto stmt = std::make_unique<RandomizeStmt>(here());
                advance();
                if (!atEndOfStatement()) stmt->seed = expression();
                return stmt;
            }
            if (checkWord(u"stop") && (peek(1).type == Tok::Newline || peek(1).type == Tok::Colon ||
                                       peek(1).type == Tok::End)) {
                auto stmt = std::make_unique<DeclareStmt>(here());
                advance();
                return stmt;
            }
            return assignmentOrCall();
        case Tok::Me:
        case Tok::Dot:
            return assignmentOrCall();
        default:
            fail(errors::kExpectedStatement);
    }
}

void Parser::expectEnd(Tok what, int errorNumber) {
    if (!check(Tok::EndKw)) fail(errors::kExpectedEnd);
    advance();
    if (!accept(what)) fail(errorNumber);
}

void Parser::expectEndProperty() {
    if (!check(Tok::EndKw)) fail(errors::kExpectedEnd);
    advance();
    if (!checkWord(u"property")) fail(errors::kExpectedProperty);
    advance();
}

// if -> IF expr THEN NEWLINE block { ELSEIF expr THEN block } [ELSE block] END IF
//     | IF expr THEN inlinestatements [ELSE inlinestatements]
StmtPtr Parser::ifStatement() {
    auto stmt = std::make_unique<IfStmt>(here());
    advance();
    IfStmt::Branch first;
    first.condition = expression();
    expect(Tok::Then, errors::kExpectedThen);
    if (!check(Tok::Newline) && !check(Tok::End)) {
        ++inlineIf_;
        inlineStatements(first.body);
        stmt->branches.push_back(std::move(first));
        if (accept(Tok::Else)) inlineStatements(stmt->elseBody);
        --inlineIf_;
        if (check(Tok::EndKw) && peek(1).type == Tok::If) pos_ += 2;  // an optional End If
        return stmt;
    }
    first.body = block();
    stmt->branches.push_back(std::move(first));
    while (check(Tok::ElseIf)) {
        advance();
        IfStmt::Branch branch;
        branch.condition = expression();
        expect(Tok::Then, errors::kExpectedThen);
        branch.body = block();
        stmt->branches.push_back(std::move(branch));
    }
    if (accept(Tok::Else)) stmt->elseBody = block();
    expectEnd(Tok::If, errors::kExpectedIf);
    return stmt;
}

// inlinestatements -> statement { ':' statement }   (up to the line end or Else)
void Parser::inlineStatements(Block& out) {
    while (true) {
        if (check(Tok::Newline) || check(Tok::End) || check(Tok::Else)) return;
        if (check(Tok::EndKw) && peek(1).type == Tok::If) return;
        if (accept(Tok::Colon)) continue;
        StmtPtr stmt = statement();
        if (stmt) out.push_back(std::move(stmt));
        if (!atEndOfStatement()) fail(errors::kExpectedEndOfStatement);
    }
}

// for -> FOR name '=' expr TO expr [STEP expr] block NEXT
//      | FOR EACH name IN expr block NEXT
StmtPtr Parser::forStatement() {
    Pos pos = here();
    advance();
    if (accept(Tok::Each)) {
        auto stmt = std::make_unique<ForEachStmt>(pos);
        stmt->element = makeName(identifier());
        expect(Tok::In, errors::kExpectedIn);
        stmt->collection = expression();
        ++forDepth_;
        stmt->body = block();
        --forDepth_;
        expect(Tok::Next, errors::kExpectedNext);
        if (check(Tok::Identifier)) advance();
        return stmt;
    }
    auto stmt = std::make_unique<ForStmt>(pos);
    if (!check(Tok::Identifier)) fail(errors::kExpectedIdentifier);
    stmt->counter = makeName(advance());
    expect(Tok::Eq, errors::kExpectedEquals);
    stmt->from = expression();
    expect(Tok::To, errors::kExpectedTo);
    stmt->to = expression();
    if (checkWord(u"step")) {  // not a reserved word: scripts may name variables Step
        advance();
        stmt->step = expression();
    }
    ++forDepth_;
    stmt->body = block();
    --forDepth_;
    expect(Tok::Next, errors::kExpectedNext);
    if (check(Tok::Identifier)) advance();
    return stmt;
}

// do -> DO [(WHILE | UNTIL) expr] block LOOP [(WHILE | UNTIL) expr]
StmtPtr Parser::doStatement() {
    auto stmt = std::make_unique<DoStmt>(here());
    advance();
    if (check(Tok::While) || check(Tok::Until)) {
        stmt->until = advance().type == Tok::Until;
        stmt->condition = expression();
    } else if (!atEndOfStatement()) {
        fail(errors::kExpectedWhileUntilOrEndOfStatement);
    }
    ++doDepth_;
    stmt->body = block();
    --doDepth_;
    expect(Tok::Loop, errors::kExpectedLoop);
    if (check(Tok::While) || check(Tok::Until)) {
        if (stmt->condition) fail(errors::kExpectedEndOfStatement);
        stmt->until = advance().type == Tok::Until;
        stmt->condition = expression();
        stmt->testAtEnd = true;
    }
    return stmt;
}

// while -> WHILE expr block WEND
StmtPtr Parser::whileStatement() {
    auto stmt = std::make_unique<DoStmt>(here());
    advance();
    stmt->condition = expression();
    stmt->body = block();
    expect(Tok::Wend, errors::kExpectedWend);
    return stmt;
}

// select -> SELECT CASE expr { CASE casetests block } [CASE ELSE block] END SELECT
StmtPtr Parser::selectStatement() {
    auto stmt = std::make_unique<SelectStmt>(here());
    advance();
    expect(Tok::Case, errors::kExpectedCase);
    stmt->subject = expression();
    endOfStatement();
    while (check(Tok::Newline) || check(Tok::Colon))
        advance();
    while (check(Tok::Case)) {
        Pos pos = here();
        advance();
        if (accept(Tok::Else)) {
            stmt->hasElse = true;
            stmt->elseBody = block();
            break;
        }
        SelectStmt::Clause clause;
        clause.pos = pos;
        caseTests(clause);
        clause.body = block();
        stmt->clauses.push_back(std::move(clause));
    }
    expectEnd(Tok::Select, errors::kExpectedSelect);
    return stmt;
}

// casetests -> casetest { ',' casetest }
// casetest  -> IS ('=' | '<>' | '<' | '>' | '<=' | '>=') expr | expr [TO expr]
void Parser::caseTests(SelectStmt::Clause& clause) {
    do {
        SelectStmt::Test test;
        if (accept(Tok::Is)) {
            const std::optional<Op> op = comparisonOperator(peek().type);
            if (!op || *op == Op::Is) fail(errors::kSyntaxError);
            test.comparison = *op;
            advance();
            test.value = concatenation();
        } else {
            test.value = expression();
            if (accept(Tok::To)) test.upper = expression();
        }
        clause.tests.push_back(std::move(test));
    } while (accept(Tok::Comma));
}

// with -> WITH expr block END WITH
StmtPtr Parser::withStatement() {
    auto stmt = std::make_unique<WithStmt>(here());
    advance();
    stmt->object = expression();
    stmt->body = block();
    expectEnd(Tok::With, errors::kSyntaxError);
    return stmt;
}

// exit -> EXIT (FOR | DO | SUB | FUNCTION | PROPERTY)
StmtPtr Parser::exitStatement() {
    Pos pos = here();
    advance();
    ExitKind kind;
    bool valid;
    switch (peek().type) {
        case Tok::For:
            kind = ExitKind::For, valid = forDepth_ > 0;
            break;
        case Tok::Do:
            kind = ExitKind::Do, valid = doDepth_ > 0;
            break;
        case Tok::Sub:
            kind = ExitKind::Sub, valid = proc_ && proc_->kind == ProcKind::Sub;
            break;
        case Tok::Function:
            kind = ExitKind::Function, valid = proc_ && proc_->kind == ProcKind::Function;
            break;
        case Tok::Identifier:
            if (!checkWord(u"property")) fail(errors::kInvalidExitStatement);
            kind = ExitKind::Property;
            valid = proc_ && proc_->kind != ProcKind::Sub && proc_->kind != ProcKind::Function;
            break;
        default:
            fail(errors::kInvalidExitStatement);
    }
    if (!valid) fail(errors::kInvalidExitStatement);
    advance();
    return std::make_unique<ExitStmt>(pos, kind);
}

// onerror -> ON ERROR (RESUME NEXT | GOTO 0)
StmtPtr Parser::onErrorStatement() {
    Pos pos = here();
    advance();
    if (!checkWord(u"error")) fail(errors::kSyntaxError);
    advance();
    if (checkWord(u"resume")) {
        advance();
        expect(Tok::Next, errors::kSyntaxError);
        return std::make_unique<OnErrorStmt>(pos, true);
    }
    expect(Tok::GoTo, errors::kSyntaxError);
    if (!check(Tok::Integer) || peek().number != 0) fail(errors::kSyntaxError);
    advance();
    return std::make_unique<OnErrorStmt>(pos, false);
}

// set -> SET chain '=' expr
StmtPtr Parser::setStatement() {
    Pos pos = here();
    advance();
    ExprPtr target = chain(std::numeric_limits<std::size_t>::max(), nullptr);
    expect(Tok::Eq, errors::kExpectedEquals);
    ExprPtr value = expression();
    return std::make_unique<AssignStmt>(pos, std::move(target), std::move(value), true);
}

// call -> CALL chain
StmtPtr Parser::callStatement() {
    Pos pos = here();
    advance();
    if (!check(Tok::Identifier) && !check(Tok::Dot) && !check(Tok::Me) && !check(Tok::LParen)) {
        fail(errors::kExpectedIdentifier);
    }
    ExprPtr target = chain(std::numeric_limits<std::size_t>::max(), nullptr);
    return std::make_unique<CallStmt>(pos, std::move(target));
}

// assignment -> chain '=' expr
// subcall    -> chain [bareargs]
// A call statement may not put its arguments in parentheses ("f(a, b)" is error 1044); a
// single parenthesised argument "f(a)" is that argument passed by value. "f (a) + 1, b" is a
// call with bare arguments, so the chain is read again without its last parenthesised group.
StmtPtr Parser::assignmentOrCall() {
    Pos pos = here();
    const std::size_t start = pos_;
    const std::size_t names = procNames_.size();
    std::size_t lastGroup = 0;
    ExprPtr target = chain(std::numeric_limits<std::size_t>::max(), &lastGroup);
    if (accept(Tok::Eq)) {
        ExprPtr value = expression();
        return std::make_unique<AssignStmt>(pos, std::move(target), std::move(value), false);
    }
    if (atEndOfStatement()) {
        if (lastGroup != 0 && target->kind == ExprKind::Call) {
            auto& call = static_cast<CallExpr&>(*target);
            if (call.args.size() > 1) {
                throw CompileError{errors::kCannotUseParensCallingSub, call.pos.line,
                                   call.pos.column};
            }
            if (call.args.size() == 1 && call.args[0]) {
                Pos argPos = call.args[0]->pos;
                call.args[0] = std::make_unique<ParenExpr>(argPos, std::move(call.args[0]));
            }
        }
        return std::make_unique<CallStmt>(pos, std::move(target));
    }
    if (lastGroup != 0) {
        procNames_.resize(names);  // the names of the first reading are read again
        pos_ = start;
        target = chain(lastGroup, nullptr);
    }
    if (target->kind == ExprKind::Call || target->kind == ExprKind::Literal ||
        target->kind == ExprKind::Paren) {
        fail(errors::kExpectedEndOfStatement);
    }
    auto call = std::make_unique<CallExpr>(pos, std::move(target));
    bareArguments(*call);
    return std::make_unique<CallStmt>(pos, std::move(call));
}

// redim -> REDIM [PRESERVE] name '(' expr { ',' expr } ')' { ',' ... }
StmtPtr Parser::redimStatement() {
    auto stmt = std::make_unique<ReDimStmt>(here(), false);
    advance();
    stmt->preserve = accept(Tok::Preserve);
    do {
        ReDimStmt::Item item;
        item.target = makeName(identifier());
        expect(Tok::LParen, errors::kExpectedOpenParen);
        do {
            item.bounds.push_back(expression());
        } while (accept(Tok::Comma));
        expect(Tok::RParen, errors::kExpectedCloseParen);
        stmt->items.push_back(std::move(item));
    } while (accept(Tok::Comma));
    return stmt;
}

// erase -> ERASE name { ',' name }
StmtPtr Parser::eraseStatement() {
    auto stmt = std::make_unique<EraseStmt>(here());
    advance();
    do {
        stmt->targets.push_back(makeName(identifier()));
    } while (accept(Tok::Comma));
    return stmt;
}

std::unique_ptr<Module> parseModule(std::u16string_view source, std::u16string file,
                                    NameTable& names) {
    Parser parser(tokenize(source), std::move(file), names);
    return parser.module();
}

ExprPtr parseExpression(std::u16string_view source, NameTable& names) {
    Parser parser(tokenize(source), u"", names);
    return parser.expressionOnly();
}

}  // namespace lorvane::vbs
