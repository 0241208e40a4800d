// Expressions, from the loosest operator (Imp) to the tightest (^), then calls and members.
#include <limits>

#include "platform/error_catalogue.h"
#include "scripting/parser_impl.h"

namespace lorvane::vbs {
namespace {

ExprPtr binary(const Pos& pos, Op op, ExprPtr left, ExprPtr right) {
    return std::make_unique<BinaryExpr>(pos, op, std::move(left), std::move(right));
}

}  // namespace

Parser::DepthGuard::DepthGuard(Parser& p) : parser(p) {
    if (++parser.depth_ > kMaxNesting) parser.fail(errors::kOutOfStackSpace);
}

// expr -> impexpr
ExprPtr Parser::expression() {
    DepthGuard guard(*this);
    return impExpression();
}

// impexpr -> eqvexpr { IMP eqvexpr }
ExprPtr Parser::impExpression() {
    ExprPtr left = eqvExpression();
    while (check(Tok::Imp)) {
        Pos pos = here();
        advance();
        left = binary(pos, Op::Imp, std::move(left), eqvExpression());
    }
    return left;
}

// eqvexpr -> xorexpr { EQV xorexpr }
ExprPtr Parser::eqvExpression() {
    ExprPtr left = xorExpression();
    while (check(Tok::Eqv)) {
        Pos pos = here();
        advance();
        left = binary(pos, Op::Eqv, std::move(left), xorExpression());
    }
    return left;
}

// xorexpr -> orexpr { XOR orexpr }
ExprPtr Parser::xorExpression() {
    ExprPtr left = orExpression();
    while (check(Tok::Xor)) {
        Pos pos = here();
        advance();
        left = binary(pos, Op::Xor, std::move(left), orExpression());
    }
    return left;
}

// orexpr -> andexpr { OR andexpr }
ExprPtr Parser::orExpression() {
    ExprPtr left = andExpression();
    while (check(Tok::Or)) {
        Pos pos = here();
        advance();
        left = binary(pos, Op::Or, std::move(left), andExpression());
    }
    return left;
}

// andexpr -> notexpr { AND notexpr }
ExprPtr Parser::andExpression() {
    ExprPtr left = notExpression();
    while (check(Tok::And)) {
        Pos pos = here();
        advance();
        left = binary(pos, Op::And, std::move(left), notExpression());
    }
    return left;
}

// notexpr -> NOT notexpr | comparison
ExprPtr Parser::notExpression() {
    if (check(Tok::Not)) {
        DepthGuard guard(*this);
        Pos pos = here();
        advance();
        return std::make_unique<UnaryExpr>(pos, Op::Not, notExpression());
    }
    return comparison();
}

// comparison -> concat { ('=' | '<>' | '<' | '>' | '<=' | '>=' | IS) concat }
ExprPtr Parser::comparison() {
    ExprPtr left = concatenation();
    while (true) {
        Op op;
        switch (peek().type) {
            case Tok::Eq:
                op = Op::Eq;
                break;
            case Tok::Ne:
                op = Op::Ne;
                break;
            case Tok::Lt:
                op = Op::Lt;
                break;
            case Tok::Gt:
                op = Op::Gt;
                break;
            case Tok::Le:
                op = Op::Le;
                break;
            case Tok::Ge:
                op = Op::Ge;
                break;
            case Tok::Is:
                op = Op::Is;
                break;
            default:
                return left;
        }
        Pos pos = here();
        advance();
        left = binary(pos, op, std::move(left), concatenation());
    }
}

// concat -> additive { '&' additive }
ExprPtr Parser::concatenation() {
    ExprPtr left = additive();
    while (check(Tok::Ampersand)) {
        Pos pos = here();
        advance();
        left = binary(pos, Op::Concat, std::move(left), additive());
    }
    return left;
}

// additive -> modulo { ('+' | '-') modulo }
ExprPtr Parser::additive() {
    ExprPtr left = modulo();
    while (check(Tok::Plus) || check(Tok::Minus)) {
        Pos pos = here();
        Op op = advance().type == Tok::Plus ? Op::Add : Op::Sub;
        left = binary(pos, op, std::move(left), modulo());
    }
    return left;
}

// modulo -> intdiv { MOD intdiv }
ExprPtr Parser::modulo() {
    ExprPtr left = integerDivision();
    while (check(Tok::Mod)) {
        Pos pos = here();
        advance();
        left = binary(pos, Op::Mod, std::move(left), integerDivision());
    }
    return left;
}

// intdiv -> multiplicative { '\' multiplicative }
ExprPtr Parser::integerDivision() {
    ExprPtr left = multiplicative();
    while (check(Tok::Backslash)) {
        Pos pos = here();
        advance();
        left = binary(pos, Op::IntDiv, std::move(left), multiplicative());
    }
    return left;
}

// multiplicative -> unary { ('*' | '/') unary }
ExprPtr Parser::multiplicative() {
    ExprPtr left = unary();
    while (check(Tok::Star) || check(Tok::Slash)) {
        Pos pos = here();
        Op op = advance().type == Tok::Star ? Op::Mul : Op::Div;
        left = binary(pos, op, std::move(left), unary());
    }
    return left;
}

// unary -> ('-' | '+') unary | NOT unary | power
ExprPtr Parser::unary() {
    if (check(Tok::Minus) || check(Tok::Plus) || check(Tok::Not)) {
        DepthGuard guard(*this);
        Pos pos = here();
        Tok type = advance().type;
        Op op = type == Tok::Minus ? Op::Neg : type == Tok::Plus ? Op::Plus : Op::Not;
        return std::make_unique<UnaryExpr>(pos, op, unary());
    }
    return power();
}

// power -> postfix { '^' poweroperand }
ExprPtr Parser::power() {
    ExprPtr left = chain(std::numeric_limits<std::size_t>::max(), nullptr);
    while (check(Tok::Caret)) {
        Pos pos = here();
        advance();
        left = binary(pos, Op::Pow, std::move(left), powerOperand());
    }
    return left;
}

// poweroperand -> ('-' | '+') poweroperand | postfix
ExprPtr Parser::powerOperand() {
    if (check(Tok::Minus) || check(Tok::Plus)) {
        DepthGuard guard(*this);
        Pos pos = here();
        Op op = advance().type == Tok::Minus ? Op::Neg : Op::Plus;
        return std::make_unique<UnaryExpr>(pos, op, powerOperand());
    }
    return chain(std::numeric_limits<std::size_t>::max(), nullptr);
}

// chain -> primary { '.' name | '(' args ')' }
ExprPtr Parser::chain(std::size_t stopAt, std::size_t* lastGroup) {
    return postfix(primary(), stopAt, lastGroup);
}

// A member access needs its dot written right after what it applies to ("a.b"); a dot after
// white space starts a With member (".b") given as an argument.
ExprPtr Parser::postfix(ExprPtr base, std::size_t stopAt, std::size_t* lastGroup) {
    while (pos_ < stopAt) {
        if (check(Tok::Dot) && !peek().spaceBefore) {
            Pos pos = here();
            advance();
            Token name = memberName();
            NameId id = names_.intern(name.text);
            base = std::make_unique<MemberExpr>(pos, std::move(base), id, name.text);
            if (lastGroup) *lastGroup = 0;
        } else if (check(Tok::LParen)) {
            if (lastGroup) *lastGroup = pos_;
            auto call = std::make_unique<CallExpr>(here(), std::move(base));
            parenArguments(*call);
            base = std::move(call);
        } else {
            break;
        }
    }
    return base;
}

// args -> '(' [ [expr] { ',' [expr] } ] ')'
void Parser::parenArguments(CallExpr& call) {
    expect(Tok::LParen, errors::kExpectedOpenParen);
    if (accept(Tok::RParen)) return;
    do {
        if (check(Tok::Comma) || check(Tok::RParen)) {
            call.args.push_back(nullptr);
        } else {
            call.args.push_back(expression());
        }
    } while (accept(Tok::Comma));
    expect(Tok::RParen, errors::kExpectedCloseParen);
}

// bareargs -> [expr] { ',' [expr] }   (a statement call without parentheses)
void Parser::bareArguments(CallExpr& call) {
    do {
        if (check(Tok::Comma) || atEndOfStatement()) {
            call.args.push_back(nullptr);
        } else {
            call.args.push_back(expression());
        }
    } while (accept(Tok::Comma));
}

// primary -> literal | name | ME | NEW name | '.' name | '(' expr ')'
ExprPtr Parser::primary() {
    const Token& token = peek();
    Pos pos = here();
    switch (token.type) {
        case Tok::Integer:
        case Tok::Float:
        case Tok::String:
        case Tok::Date:
        case Tok::True:
        case Tok::False:
        case Tok::Empty:
        case Tok::Null:
        case Tok::Nothing: {
            Variant value = literalValue(token);
            advance();
            return std::make_unique<LiteralExpr>(pos, std::move(value));
        }
        case Tok::Identifier: {
            Token name = advance();
            return makeName(name);
        }
        case Tok::Me:
            advance();
            return std::make_unique<MeExpr>(pos);
        case Tok::New: {
            advance();
            Token name = identifier();
            return std::make_unique<NewExpr>(pos, names_.intern(name.text), name.text);
        }
        case Tok::Dot: {
            advance();
            Token name = memberName();
            return std::make_unique<MemberExpr>(pos, nullptr, names_.intern(name.text), name.text);
        }
        case Tok::LParen: {
            advance();
            ExprPtr inner = expression();
            expect(Tok::RParen, errors::kExpectedCloseParen);
            return std::make_unique<ParenExpr>(pos, std::move(inner));
        }
        default:
            fail(errors::kExpectedExpression);
    }
}

Variant Parser::literalValue(const Token& token) const {
    switch (token.type) {
        case Tok::Integer:
            if (token.text.empty() && token.number >= -32768 && token.number <= 32767) {
                return Variant::fromInteger(static_cast<int16_t>(token.number));
            }
            return Variant::fromLong(static_cast<int32_t>(token.number));
        case Tok::Float:
            return Variant::fromDouble(token.number);
        case Tok::String:
            return Variant::fromString(token.text);
        case Tok::Date:
            return Variant::fromDate(token.number);
        case Tok::True:
            return Variant::fromBool(true);
        case Tok::False:
            return Variant::fromBool(false);
        case Tok::Null:
            return Variant::null();
        case Tok::Nothing:
            return Variant::nothing();
        default:
            return Variant();
    }
}

std::unique_ptr<NameExpr> Parser::makeName(const Token& token) {
    auto name = std::make_unique<NameExpr>(Pos{token.line, token.column}, names_.intern(token.text),
                                           token.text);
    if (proc_) procNames_.push_back(name.get());
    return name;
}

ExprPtr Parser::expressionOnly() {
    while (check(Tok::Newline))
        advance();
    ExprPtr e = expression();
    while (check(Tok::Newline))
        advance();
    if (!check(Tok::End)) fail(errors::kExpectedEndOfStatement);
    return e;
}

}  // namespace lorvane::vbs
