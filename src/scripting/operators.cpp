#include "scripting/operators.h"

#include <cmath>
#include <limits>

#include "platform/error_catalogue.h"
#include "platform/text.h"
#include "scripting/coerce.h"
#include "scripting/run_limits.h"
#include "scripting/script_error.h"

namespace lorvane::vbs {
namespace {

// Ranks of the numeric result types, narrowest first.
enum Rank : int { kNone = 0, kByte, kInteger, kLong, kSingle, kDouble, kDate };

// Empty adopts the other side's type; Booleans count as Integers; texts become Doubles.
Rank rankOf(const Variant& v) {
    switch (v.type()) {
        case VarType::Empty:
            return kNone;
        case VarType::Boolean:
            return kInteger;
        case VarType::Byte:
            return kByte;
        case VarType::Integer:
            return kInteger;
        case VarType::Long:
            return kLong;
        case VarType::Single:
            return kSingle;
        case VarType::Double:
            return kDouble;
        case VarType::Date:
            return kDate;
        case VarType::String:
            return kDouble;
        default:
            raise(errors::kTypeMismatch);
    }
}

Rank combined(Rank a, Rank b) {
    Rank r = std::max(a, b);
    if (r == kNone) return kInteger;
    if (r == kSingle && (a == kLong || b == kLong)) return kDouble;
    return r;
}

double number(const Variant& v) {
    return v.isString() ? toDouble(v) : v.numberValue();
}

// An exact integer result in the narrowest type that holds it, starting at `rank`.
Variant integerResult(long long value, Rank rank) {
    if (rank <= kByte && value >= 0 && value <= 255) {
        return Variant::fromByte(static_cast<uint8_t>(value));
    }
    if (rank <= kInteger && value >= -32768 && value <= 32767) {
        return Variant::fromInteger(static_cast<int16_t>(value));
    }
    if (value >= INT32_MIN && value <= INT32_MAX) {
        return Variant::fromLong(static_cast<int32_t>(value));
    }
    return Variant::fromDouble(static_cast<double>(value));
}

Variant floatResult(double value, Rank rank) {
    if (std::isinf(value) || std::isnan(value)) raise(errors::kOverflow);
    if (rank == kDate) return Variant::fromDate(value);
    if (rank == kSingle && std::fabs(value) <= std::numeric_limits<float>::max()) {
        return Variant::fromSingle(static_cast<float>(value));
    }
    return Variant::fromDouble(value);
}

Variant arithmetic(Op op, const Variant& left, const Variant& right) {
    Rank rank = combined(rankOf(left), rankOf(right));
    const double a = number(left), b = number(right);
    if (rank <= kLong) {
        const auto x = static_cast<long long>(a), y = static_cast<long long>(b);
        switch (op) {
            case Op::Add:
                return integerResult(x + y, rank);
            case Op::Sub:
                return integerResult(x - y, rank);
            default:
                return integerResult(x * y, rank);
        }
    }
    if (rank == kDate && op == Op::Mul) rank = kDouble;
    if (rank == kDate && op == Op::Sub && left.type() == VarType::Date &&
        right.type() == VarType::Date) {
        rank = kDouble;
    }
    switch (op) {
        case Op::Add:
            return floatResult(a + b, rank);
        case Op::Sub:
            return floatResult(a - b, rank);
        default:
            return floatResult(a * b, rank);
    }
}

Variant add(const Variant& left, const Variant& right) {
    if (left.isString() && (right.isString() || right.isEmpty())) {
        // Both branches views: with u"" beside a std::u16string the conditional would be a
        // temporary copy of the right side, gone before the view is read.
        const std::u16string_view tail =
            right.isString() ? std::u16string_view(right.asString()) : std::u16string_view();
        checkTextLength(left.asString().size() + tail.size());
        return Variant::fromString(left.asString() + std::u16string(tail));
    }
    if (right.isString() && left.isEmpty()) return right;
    return arithmetic(Op::Add, left, right);
}

Variant divide(const Variant& left, const Variant& right) {
    const double a = toDouble(left), b = toDouble(right);
    if (b == 0) raise(a == 0 ? errors::kOverflow : errors::kDivisionByZero);
    // A Single divided by a Single or a narrow whole number stays a Single.
    auto narrow = [](const Variant& v) {
        return v.type() == VarType::Single || v.type() == VarType::Integer ||
               v.type() == VarType::Byte || v.isBool() || v.isEmpty();
    };
    const bool single = (left.type() == VarType::Single || right.type() == VarType::Single) &&
                        narrow(left) && narrow(right);
    return floatResult(a / b, single ? kSingle : kDouble);
}

// Operands of \ and Mod are rounded to integers; the result is an Integer when both sides
// fit one, else a Long.
Rank integerRank(const Variant& v) {
    switch (v.type()) {
        case VarType::Empty:
            return kNone;
        case VarType::Byte:
            return kByte;
        case VarType::Boolean:
        case VarType::Integer:
            return kInteger;
        default:
            return kLong;
    }
}

Variant integerDivision(Op op, const Variant& left, const Variant& right) {
    const Rank rank = combined(integerRank(left), integerRank(right));
    const long long a = toLong(left), b = toLong(right);
    if (b == 0) raise(errors::kDivisionByZero);
    return integerResult(op == Op::IntDiv ? a / b : a % b, rank);
}

Variant power(const Variant& left, const Variant& right) {
    const double a = toDouble(left), b = toDouble(right);
    if (a == 0 && b < 0) raise(errors::kDivisionByZero);
    const double r = std::pow(a, b);
    if (std::isnan(r)) raise(errors::kInvalidProcedureCall);
    return floatResult(r, kDouble);
}

// ---- logical operators ----

// A logical operand: Booleans stay Booleans, "True"/"False" texts become Booleans, other texts
// and numbers become whole numbers (Integer or Long rank).
struct Logical {
    bool isBool = false;
    bool isNull = false;
    long long bits = 0;
    Rank rank = kNone;
};

Logical logicalOperand(const Variant& v) {
    Logical out;
    switch (v.type()) {
        case VarType::Null:
            out.isNull = true;
            return out;
        case VarType::Empty:
            out.rank = kNone;
            return out;
        case VarType::Boolean:
            out.isBool = true;
            out.bits = v.asBool() ? -1 : 0;
            out.rank = kInteger;
            return out;
        case VarType::Byte:
            out.rank = kByte;
            out.bits = v.asByte();
            return out;
        case VarType::Integer:
            out.rank = kInteger;
            out.bits = v.asInteger();
            return out;
        case VarType::String: {
            std::u16string_view text = trimSpaces(v.asString());
            if (auto named = booleanText(text)) {
                out.isBool = true;
                out.bits = *named ? -1 : 0;
                out.rank = kInteger;
                return out;
            }
            out.rank = kLong;
            out.bits = toLong(v);
            return out;
        }
        default:
            out.rank = kLong;
            out.bits = toLong(v);
            return out;
    }
}

long long applyLogical(Op op, long long a, long long b) {
    switch (op) {
        case Op::And:
            return a & b;
        case Op::Or:
            return a | b;
        case Op::Xor:
            return a ^ b;
        case Op::Eqv:
            return ~(a ^ b);
        default:
            return ~a | b;  // Imp
    }
}

Variant logicalResult(long long bits, bool asBool, Rank rank) {
    if (asBool) return Variant::fromBool(bits != 0);
    if (rank <= kByte) return Variant::fromByte(static_cast<uint8_t>(bits & 0xFF));
    if (rank <= kInteger) return Variant::fromInteger(static_cast<int16_t>(bits));
    return Variant::fromLong(static_cast<int32_t>(bits));
}

// Null with a known side: False And Null is False, True Or Null is True, False Imp Null and
// Null Imp True are True; everything else with Null is Null.
Variant logicalWithNull(Op op, const Logical& a, const Logical& b, const Variant& left,
                        const Variant& right) {
    const bool leftNull = a.isNull;
    const Logical& known = leftNull ? b : a;
    const Variant& knownValue = leftNull ? right : left;
    if (a.isNull && b.isNull) return Variant::null();
    switch (op) {
        case Op::And:
            if (known.bits == 0) return knownValue.isEmpty() ? Variant::fromInteger(0) : knownValue;
            return Variant::null();
        case Op::Or:
            if (known.bits == -1) return knownValue;
            return Variant::null();
        case Op::Imp:
            if (!leftNull && known.bits == 0) return Variant::fromBool(true);
            if (leftNull && known.bits == -1) return knownValue;
            return Variant::null();
        default:
            return Variant::null();
    }
}

Variant logical(Op op, const Variant& left, const Variant& right) {
    const Logical a = logicalOperand(left), b = logicalOperand(right);
    if (a.isNull || b.isNull) return logicalWithNull(op, a, b, left, right);
    const bool asBool = a.isBool && b.isBool;
    const Rank rank = combined(a.rank, b.rank);
    return logicalResult(applyLogical(op, a.bits, b.bits), asBool, rank);
}

int sign(double d) {
    return d < 0 ? -1 : d > 0 ? 1 : 0;
}

int compareText(const std::u16string& a, const std::u16string& b, bool textCompare) {
    if (textCompare) return sign(compareIgnoringCase(a, b));
    return sign(a.compare(b));
}

bool isNumberLike(const Variant& v) {
    return v.isNumber() || v.isBool();
}

}  // namespace

Variant unaryOperation(Op op, const Variant& v) {
    if (v.isNull()) return v;
    if (op == Op::Plus) {
        if (v.isArray() || v.isObject()) raise(errors::kTypeMismatch);
        return v;
    }
    if (op == Op::Not) {
        const Logical a = logicalOperand(v);
        return logicalResult(~a.bits, a.isBool, a.rank == kNone ? kInteger : a.rank);
    }
    switch (v.type()) {
        case VarType::Empty:
            return Variant::fromInteger(0);
        case VarType::Boolean:
            return Variant::fromInteger(v.asBool() ? 1 : 0);
        case VarType::Byte:
            return Variant::fromInteger(static_cast<int16_t>(-v.asByte()));
        case VarType::Integer:
            return integerResult(-static_cast<long long>(v.asInteger()), kInteger);
        case VarType::Long:
            return integerResult(-static_cast<long long>(v.asLong()), kLong);
        case VarType::Single:
            return Variant::fromSingle(-v.asSingle());
        case VarType::Double:
            return Variant::fromDouble(-v.asDouble());
        case VarType::Date:
            return Variant::fromDate(-v.asDate());
        case VarType::String:
            return Variant::fromDouble(-toDouble(v));
        default:
            raise(errors::kTypeMismatch);
    }
}

Variant binaryOperation(Op op, const Variant& left, const Variant& right) {
    if (op == Op::Concat) {
        if (left.isNull() && right.isNull()) return Variant::null();
        std::u16string text = left.isNull() ? std::u16string() : toString(left);
        if (!right.isNull()) {
            const std::u16string tail = toString(right);
            checkTextLength(text.size() + tail.size());
            text += tail;
        }
        return Variant::fromString(std::move(text));
    }
    if (op >= Op::And) return logical(op, left, right);
    if (left.isNull() || right.isNull()) return Variant::null();
    switch (op) {
        case Op::Add:
            return add(left, right);
        case Op::Sub:
        case Op::Mul:
            return arithmetic(op, left, right);
        case Op::Div:
            return divide(left, right);
        case Op::IntDiv:
        case Op::Mod:
            return integerDivision(op, left, right);
        case Op::Pow:
            return power(left, right);
        default:
            raise(errors::kTypeMismatch);
    }
}

int compareValues(const Variant& left, const Variant& right, bool textCompare, bool& isNull,
                  Literal literal) {
    isNull = left.isNull() || right.isNull();
    if (isNull) return 0;
    if (left.isArray() || right.isArray() || left.isObject() || right.isObject()) {
        raise(errors::kTypeMismatch);
    }
    if (left.isString() && right.isString()) {
        return compareText(left.asString(), right.asString(), textCompare);
    }
    if (left.isEmpty() && right.isEmpty()) return 0;
    if (left.isString() || right.isString()) {
        const bool leftIsText = left.isString();
        const Variant& text = leftIsText ? left : right;
        const Variant& other = leftIsText ? right : left;
        if (other.isEmpty()) {
            const int c = compareText(text.asString(), u"", textCompare);
            return leftIsText ? c : -c;
        }
        const bool textIsLiteral = literal == (leftIsText ? Literal::Left : Literal::Right);
        const bool otherIsLiteral = literal == (leftIsText ? Literal::Right : Literal::Left);
        if (textIsLiteral) {
            auto n = parseNumber(text.asString());
            if (n) {
                const int c = sign(*n - other.numberValue());
                return leftIsText ? c : -c;
            }
        } else if (otherIsLiteral) {
            const int c = compareText(text.asString(), toString(other), textCompare);
            return leftIsText ? c : -c;
        }
        return leftIsText ? 1 : -1;  // a number is less than a text
    }
    const double a = left.isEmpty() ? 0 : left.numberValue();
    const double b = right.isEmpty() ? 0 : right.numberValue();
    (void)isNumberLike;
    return sign(a - b);
}

Variant comparison(Op op, const Variant& left, const Variant& right, Literal literal) {
    bool isNull = false;
    const int c = compareValues(left, right, false, isNull, literal);
    if (isNull) return Variant::null();
    switch (op) {
        case Op::Eq:
            return Variant::fromBool(c == 0);
        case Op::Ne:
            return Variant::fromBool(c != 0);
        case Op::Lt:
            return Variant::fromBool(c < 0);
        case Op::Gt:
            return Variant::fromBool(c > 0);
        case Op::Le:
            return Variant::fromBool(c <= 0);
        default:
            return Variant::fromBool(c >= 0);
    }
}

bool truth(const Variant& value) {
    if (value.isNull()) return false;
    return toBool(value);
}

}  // namespace lorvane::vbs
