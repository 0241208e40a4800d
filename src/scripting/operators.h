// The operators of the script language on plain values (objects already replaced by their
// default values): arithmetic with Integer -> Long -> Double promotion on overflow, & and +
// on texts, the comparison rules between numbers, texts and Empty, logical operators that are
// bitwise on numbers, and Null propagation.
#pragma once

#include "scripting/ast.h"
#include "scripting/value.h"

namespace lorvane::vbs {

Variant unaryOperation(Op op, const Variant& operand);
// Arithmetic, concatenation and logical operators (not comparisons).
Variant binaryOperation(Op op, const Variant& left, const Variant& right);

// Which side of a comparison is a literal constant. A number compared with a text is smaller
// than it, except that a literal is first converted to the other side's type, so x = "1" holds
// for the number 1 in x.
enum class Literal : uint8_t { None, Left, Right };

// = <> < > <= >=: Boolean, or Null when a side is Null.
Variant comparison(Op op, const Variant& left, const Variant& right,
                   Literal literal = Literal::None);
// -1, 0 or 1, or nothing for Null; texts compared by code units or ignoring letter case.
int compareValues(const Variant& left, const Variant& right, bool textCompare, bool& isNull,
                  Literal literal = Literal::None);

// The truth of a condition: Null counts as False.
bool truth(const Variant& value);

}  // namespace lorvane::vbs
