// Expressions: binary operators by one precedence table, then prefixes, calls and members.
#include <array>
#include <limits>

#include "platform/error_catalogue.h"
#include "scripting/parser_impl.h"

namespace lorvane::vbs {
namespace {

ExprPtr binary(const Pos& pos, Op op, ExprPtr left, ExprPtr right) {
    return std::make_unique<BinaryExpr>(pos, op, std::move(left), std::move(right));
}

// Each binary operator's token, operation and binding strength (higher binds tighter; all are
// left-associative). Not sits between And and the comparisons; negation binds tighter than
// every binary operator, ^ included, so -3^2 is 9.
struct BinaryRule {
    Tok token;
    Op op;
    int level;
};

constexpr BinaryRule kBinaryRules[] = {
    {Tok::Imp, Op::Imp, 1},       {Tok::Eqv, Op::Eqv, 2},        {Tok::Xor, Op::Xor, 3},
    {Tok::Or, Op::Or, 4},         {Tok::And, Op::And, 5},        {Tok::Eq, Op::Eq, 7},
    {Tok::Ne, Op::Ne, 7},         {Tok::Lt, Op::Lt, 7},          {Tok::Gt, Op::Gt, 7},
    {Tok::Le, Op::Le, 7},         {Tok::Ge, Op::Ge, 7},          {Tok::Is, Op::Is, 7},
    {Tok::Ampersand, Op::Concat, 8}, {Tok::Plus, Op::Add, 9},    {Tok::Minus, Op::Sub, 9},
    {Tok::Mod, Op::Mod, 10},      {Tok::Backslash, Op::IntDiv, 11}, {Tok::Star, Op::Mul, 12},
    {Tok::Slash, Op::Div, 12},    {Tok::Caret, Op::Pow, 13},
};

constexpr int kNotLevel = 6;
constexpr int kComparisonLevel = 7;
constexpr int kConcatLevel = 8;

const BinaryRule* binaryRule(Tok token) {
    for (const auto& rule : kBinaryRules) {
        if (rule.token == token) return &rule;
    }
    return nullptr;
}

}  // namespace

std::optional<Op> comparisonOperator(Tok token) {
    const BinaryRule* rule = binaryRule(token);
    if (!rule || rule->level != kComparisonLevel) return std::nullopt;
    return rule->op;
}

Parser::DepthGuard::DepthGuard(Parser& p) : parser(p) {
    if (++parser.depth_ > kMaxNesting) parser.fail(errors::kOutOfStackSpace);
}

ExprPtr Parser::expression() {
    DepthGuard guard(*this);
    return binaryExpression(0);
}

ExprPtr Parser::concatenation() {
    return binaryExpression(kConcatLevel);
}

// binary -> prefixed { op binary-of-a-tighter-level }   (op binding at least `minLevel`)
ExprPtr Parser::binaryExpression(int minLevel) {
    ExprPtr left = prefixed(minLevel);
    while (const BinaryRule* rule = binaryRule(peek().type)) {
        if (rule->level < minLevel) break;
        Pos pos = here();
        advance();
        left = binary(pos, rule->op, std::move(left), binaryExpression(rule->level + 1));
    }
    return left;
}

// prefixed -> NOT binary-of-comparisons | ('-' | '+') prefixed | chain
// Not written where a whole condition may stand takes the comparisons after it (Not a = b is
// Not (a = b)); written inside arithmetic it takes one operand.
ExprPtr Parser::prefixed(int minLevel) {
    const Tok type = peek().type;
    if (type != Tok::Not && type != Tok::Minus && type != Tok::Plus) {
        return chain(std::numeric_limits<std::size_t>::max(), nullptr);
    }
    DepthGuard guard(*this);
    Pos pos = here();
    advance();
    if (type == Tok::Not) {
        return std::make_unique<UnaryExpr>(
            pos, Op::Not, minLevel <= kNotLevel ? binaryExpression(kComparisonLevel)
                                                : prefixed(minLevel));
    }
    return std::make_unique<UnaryExpr>(pos, type == Tok::Minus ? Op::Neg : Op::Plus,
                                       prefixed(minLevel));
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
            // Parentheses around a procedure's name change nothing: (f)(x) is f(x).
            while (base->kind == ExprKind::Paren) {
                const Expr& inner = *static_cast<ParenExpr&>(*base).inner;
                if (inner.kind != ExprKind::Name && inner.kind != ExprKind::Paren) break;
                base = std::move(static_cast<ParenExpr&>(*base).inner);
            }
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
