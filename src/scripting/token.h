// The tokens of the script language. Every token carries its place (1-based line and column,
// counted in UTF-16 units) so that compile errors and run-time errors can name it.
#pragma once

#include <cstdint>
#include <string>

namespace lorvane::vbs {

enum class Tok : uint8_t {
    End,
    Newline,
    Colon,
    Identifier,
    Integer,  // number holds the value; text the literal's type ("" Integer/Long by size, "&" Long)
    Float,
    String,  // text holds the value, quotes undone
    Date,    // number holds the date value
    LParen,
    RParen,
    Comma,
    Dot,
    Plus,
    Minus,
    Star,
    Slash,
    Backslash,
    Caret,
    Ampersand,
    Eq,
    Ne,
    Lt,
    Gt,
    Le,
    Ge,
    // Reserved words. Property is not one: it starts a declaration only before Get, Let or
    // Set, and is an ordinary name elsewhere.
    And,
    As,
    ByRef,
    ByVal,
    Call,
    Case,
    Class,
    Const,
    Dim,
    Do,
    Each,
    Else,
    ElseIf,
    Empty,
    EndKw,
    Eqv,
    Erase,
    Exit,
    False,
    For,
    Function,
    GoTo,
    If,
    Imp,
    In,
    Is,
    Let,
    Loop,
    Me,
    Mod,
    New,
    Next,
    Not,
    Nothing,
    Null,
    On,
    Option,
    Or,
    Preserve,
    Private,
    Public,
    ReDim,
    Select,
    Set,
    Sub,
    Then,
    To,
    True,
    Until,
    Wend,
    While,
    With,
    Xor,
};

struct Token {
    Tok type = Tok::End;
    int line = 0;
    int column = 0;
    bool spaceBefore = false;  // white space between this token and the one before
    std::u16string text;       // identifier as written, string value, or literal suffix
    double number = 0;
};

// How a reserved word is written (for messages and for member names such as obj.Select).
const char16_t* spelling(Tok type);

}  // namespace lorvane::vbs
