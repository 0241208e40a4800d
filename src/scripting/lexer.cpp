#include "scripting/lexer.h"

#include <unicode/uchar.h>

#include <cmath>
#include <cstdlib>
#include <optional>

#include "platform/c_numbers.h"
#include "platform/error_catalogue.h"
#include "platform/text.h"
#include "scripting/dates.h"

namespace lorvane::vbs {
namespace {

struct Keyword {
    const char16_t* lower;
    const char16_t* written;
    Tok type;
};

constexpr Keyword kKeywords[] = {
    {u"and", u"And", Tok::And},
    {u"as", u"As", Tok::As},
    {u"byref", u"ByRef", Tok::ByRef},
    {u"byval", u"ByVal", Tok::ByVal},
    {u"call", u"Call", Tok::Call},
    {u"case", u"Case", Tok::Case},
    {u"class", u"Class", Tok::Class},
    {u"const", u"Const", Tok::Const},
    {u"dim", u"Dim", Tok::Dim},
    {u"do", u"Do", Tok::Do},
    {u"each", u"Each", Tok::Each},
    {u"else", u"Else", Tok::Else},
    {u"elseif", u"ElseIf", Tok::ElseIf},
    {u"empty", u"Empty", Tok::Empty},
    {u"end", u"End", Tok::EndKw},
    {u"eqv", u"Eqv", Tok::Eqv},
    {u"erase", u"Erase", Tok::Erase},
    {u"exit", u"Exit", Tok::Exit},
    {u"false", u"False", Tok::False},
    {u"for", u"For", Tok::For},
    {u"function", u"Function", Tok::Function},
    {u"goto", u"GoTo", Tok::GoTo},
    {u"if", u"If", Tok::If},
    {u"imp", u"Imp", Tok::Imp},
    {u"in", u"In", Tok::In},
    {u"is", u"Is", Tok::Is},
    {u"let", u"Let", Tok::Let},
    {u"loop", u"Loop", Tok::Loop},
    {u"me", u"Me", Tok::Me},
    {u"mod", u"Mod", Tok::Mod},
    {u"new", u"New", Tok::New},
    {u"next", u"Next", Tok::Next},
    {u"not", u"Not", Tok::Not},
    {u"nothing", u"Nothing", Tok::Nothing},
    {u"null", u"Null", Tok::Null},
    {u"on", u"On", Tok::On},
    {u"option", u"Option", Tok::Option},
    {u"or", u"Or", Tok::Or},
    {u"preserve", u"Preserve", Tok::Preserve},
    {u"private", u"Private", Tok::Private},
    {u"public", u"Public", Tok::Public},
    {u"redim", u"ReDim", Tok::ReDim},
    {u"select", u"Select", Tok::Select},
    {u"set", u"Set", Tok::Set},
    {u"sub", u"Sub", Tok::Sub},
    {u"then", u"Then", Tok::Then},
    {u"to", u"To", Tok::To},
    {u"true", u"True", Tok::True},
    {u"until", u"Until", Tok::Until},
    {u"wend", u"Wend", Tok::Wend},
    {u"while", u"While", Tok::While},
    {u"with", u"With", Tok::With},
    {u"xor", u"Xor", Tok::Xor},
};

bool isLetter(char16_t c) {
    if (c < 0x80) return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
    return u_isalpha(c);
}

bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

bool isHexDigit(char16_t c) {
    return isDigit(c) || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

bool isOctalDigit(char16_t c) {
    return c >= u'0' && c <= u'7';
}

bool isIdentifierPart(char16_t c) {
    return isLetter(c) || isDigit(c) || c == u'_';
}

bool isBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == 0xA0 || c == 0xFEFF;
}

class Lexer {
  public:
    explicit Lexer(std::u16string_view source) : src_(source) {}

    std::vector<Token> run() {
        while (true) {
            bool space = skipBlanks();
            if (pos_ >= src_.size()) break;
            Token token = next();
            token.spaceBefore = space;
            tokens_.push_back(std::move(token));
        }
        Token end = make(Tok::End);
        if (!tokens_.empty() && tokens_.back().type != Tok::Newline) {
            Token newline = end;
            newline.type = Tok::Newline;
            tokens_.push_back(newline);
        }
        tokens_.push_back(end);
        return std::move(tokens_);
    }

  private:
    char16_t peek(std::size_t ahead = 0) const {
        return pos_ + ahead < src_.size() ? src_[pos_ + ahead] : u'\0';
    }

    [[noreturn]] void fail(int number) const { throw CompileError{number, line_, column()}; }
    [[noreturn]] void failAt(int number, int line, int col) const {
        throw CompileError{number, line, col};
    }

    int column() const { return static_cast<int>(pos_ - lineStart_) + 1; }

    Token make(Tok type) const {
        Token token;
        token.type = type;
        token.line = line_;
        token.column = column();
        return token;
    }

    void newLine() {
        ++line_;
        lineStart_ = pos_;
    }

    // Skips blanks, comments and line continuations; true when anything was skipped.
    bool skipBlanks() {
        bool skipped = false;
        while (pos_ < src_.size()) {
            char16_t c = src_[pos_];
            if (isBlank(c)) {
                ++pos_;
            } else if (c == u'\'') {
                skipToLineEnd();
            } else if (c == u'_' && continuationFollows()) {
                ++pos_;
                while (isBlank(peek()))
                    ++pos_;
                if (peek() == u'\r') ++pos_;
                if (peek() == u'\n') ++pos_;
                newLine();
            } else {
                break;
            }
            skipped = true;
        }
        return skipped;
    }

    bool continuationFollows() const {
        std::size_t p = pos_ + 1;
        while (p < src_.size() && isBlank(src_[p]))
            ++p;
        return p >= src_.size() || src_[p] == u'\r' || src_[p] == u'\n';
    }

    void skipToLineEnd() {
        while (pos_ < src_.size() && src_[pos_] != u'\r' && src_[pos_] != u'\n')
            ++pos_;
    }

    Token next() {
        const char16_t c = peek();
        if (c == u'\r' || c == u'\n') {
            Token token = make(Tok::Newline);
            if (c == u'\r' && peek(1) == u'\n') ++pos_;
            ++pos_;
            newLine();
            return token;
        }
        if (isLetter(c)) return word();
        if (isDigit(c) || (c == u'.' && isDigit(peek(1)))) return number();
        if (c == u'"') return string();
        if (c == u'&') return ampersand();
        if (c == u'#') return date();
        if (c == u'[') return bracketed();
        return punctuation();
    }

    Token word() {
        Token token = make(Tok::Identifier);
        const std::size_t start = pos_;
        while (pos_ < src_.size() && isIdentifierPart(src_[pos_]))
            ++pos_;
        token.text = std::u16string(src_.substr(start, pos_ - start));
        const std::u16string lower = toLower(token.text);
        const bool afterDot = !tokens_.empty() && tokens_.back().type == Tok::Dot;
        if (lower == u"rem" && !afterDot) {  // obj.Rem is a member, not a comment
            skipToLineEnd();
            token.type = Tok::Newline;  // replaced below by the line end itself
            return next_or_end();
        }
        for (const auto& k : kKeywords) {
            if (lower == k.lower) {
                token.type = k.type;
                break;
            }
        }
        return token;
    }

    // After a Rem comment: the line end (or the end of the text) that follows it.
    Token next_or_end() {
        if (pos_ >= src_.size()) return make(Tok::Newline);
        return next();
    }

    Token bracketed() {
        Token token = make(Tok::Identifier);
        ++pos_;
        const std::size_t start = pos_;
        while (pos_ < src_.size() && src_[pos_] != u']' && src_[pos_] != u'\n' &&
               src_[pos_] != u'\r') {
            ++pos_;
        }
        if (peek() != u']') fail(errors::kExpectedIdentifier);
        token.text = std::u16string(src_.substr(start, pos_ - start));
        ++pos_;
        return token;
    }

    Token number() {
        Token token = make(Tok::Integer);
        std::string ascii;
        bool isFloat = false;
        while (isDigit(peek()))
            ascii += static_cast<char>(src_[pos_++]);
        if (peek() == u'.' && isDigit(peek(1))) {
            isFloat = true;
            ascii += static_cast<char>(src_[pos_++]);
            while (isDigit(peek()))
                ascii += static_cast<char>(src_[pos_++]);
        } else if (peek() == u'.' && !isLetter(peek(1))) {
            isFloat = true;  // "1." is a Double
            ++pos_;
        }
        const char16_t e = peek();
        if ((e == u'e' || e == u'E') &&
            (isDigit(peek(1)) || ((peek(1) == u'+' || peek(1) == u'-') && isDigit(peek(2))))) {
            isFloat = true;
            ascii += 'e';
            ++pos_;
            if (peek() == u'+' || peek() == u'-') ascii += static_cast<char>(src_[pos_++]);
            while (isDigit(peek()))
                ascii += static_cast<char>(src_[pos_++]);
        }
        if (isLetter(peek()) || peek() == u'_') fail(errors::kExpectedEndOfStatement);
        token.number = parseCNumber(ascii);
        if (std::isinf(token.number)) failAt(errors::kInvalidNumber, token.line, token.column);
        if (isFloat || token.number > 2147483647.0) token.type = Tok::Float;
        return token;
    }

    Token ampersand() {
        Token token = make(Tok::Ampersand);
        const char16_t k = peek(1);
        int base = 0;
        std::size_t skip = 2;
        // "&h" and "&o" start a number only when a digit of that base follows: `s &hi` is
        // the concatenation of s and hi.
        if ((k == u'h' || k == u'H') && isHexDigit(peek(2)))
            base = 16;
        else if ((k == u'o' || k == u'O') && isOctalDigit(peek(2)))
            base = 8;
        else if (isOctalDigit(k))
            base = 8, skip = 1;
        if (base == 0) {
            ++pos_;
            return token;
        }
        pos_ += skip;
        unsigned long long value = 0;
        int digits = 0;
        while (true) {
            const char16_t c = peek();
            int d = -1;
            if (isDigit(c))
                d = c - u'0';
            else if (base == 16 && c >= u'a' && c <= u'f')
                d = c - u'a' + 10;
            else if (base == 16 && c >= u'A' && c <= u'F')
                d = c - u'A' + 10;
            if (d < 0 || d >= base) break;
            value = value * static_cast<unsigned>(base) + static_cast<unsigned>(d);
            if (value > 0xFFFFFFFFull) failAt(errors::kInvalidNumber, token.line, token.column);
            ++digits;
            ++pos_;
        }
        if (digits == 0) failAt(errors::kInvalidNumber, token.line, token.column);
        bool asLong = false;
        if (peek() == u'&') {
            asLong = true;
            ++pos_;
        }
        token.type = Tok::Integer;
        if (!asLong && value <= 0xFFFF) {
            token.number = static_cast<int16_t>(value);
        } else if (asLong) {
            // With the Long suffix the digits are 32 bits; the value then takes the smallest
            // subtype it fits, as any decimal literal does (&hFFFFFFFF& is the Integer -1).
            token.number = static_cast<int32_t>(static_cast<uint32_t>(value));
        } else {
            token.number = static_cast<int32_t>(static_cast<uint32_t>(value));
            token.text.assign(1, u'&');
        }
        return token;
    }

    Token string() {
        Token token = make(Tok::String);
        ++pos_;
        while (true) {
            if (pos_ >= src_.size() || src_[pos_] == u'\r' || src_[pos_] == u'\n') {
                failAt(errors::kUnterminatedString, token.line, token.column);
            }
            if (src_[pos_] == u'"') {
                if (peek(1) == u'"') {
                    token.text += u'"';
                    pos_ += 2;
                    continue;
                }
                ++pos_;
                break;
            }
            token.text += src_[pos_++];
        }
        return token;
    }

    Token date() {
        Token token = make(Tok::Date);
        ++pos_;
        const std::size_t start = pos_;
        while (pos_ < src_.size() && src_[pos_] != u'#' && src_[pos_] != u'\n' &&
               src_[pos_] != u'\r') {
            ++pos_;
        }
        if (peek() != u'#') failAt(errors::kSyntaxError, token.line, token.column);
        auto value = parseDateText(src_.substr(start, pos_ - start));
        if (!value) failAt(errors::kSyntaxError, token.line, token.column);
        ++pos_;
        token.number = *value;
        return token;
    }

    Token punctuation() {
        Token token = make(Tok::End);
        const char16_t c = src_[pos_++];
        switch (c) {
            case u':':
                token.type = Tok::Colon;
                break;
            case u'(':
                token.type = Tok::LParen;
                break;
            case u')':
                token.type = Tok::RParen;
                break;
            case u',':
                token.type = Tok::Comma;
                break;
            case u'.':
                token.type = Tok::Dot;
                break;
            case u'+':
                token.type = Tok::Plus;
                break;
            case u'-':
                token.type = Tok::Minus;
                break;
            case u'*':
                token.type = Tok::Star;
                break;
            case u'/':
                token.type = Tok::Slash;
                break;
            case u'\\':
                token.type = Tok::Backslash;
                break;
            case u'^':
                token.type = Tok::Caret;
                break;
            case u'=':  // "=>" and "=<" are old spellings of ">=" and "<="
                if (peek() == u'>')
                    ++pos_, token.type = Tok::Ge;
                else if (peek() == u'<')
                    ++pos_, token.type = Tok::Le;
                else
                    token.type = Tok::Eq;
                break;
            case u'<':
                if (peek() == u'>')
                    ++pos_, token.type = Tok::Ne;
                else if (peek() == u'=')
                    ++pos_, token.type = Tok::Le;
                else
                    token.type = Tok::Lt;
                break;
            case u'>':
                if (peek() == u'=')
                    ++pos_, token.type = Tok::Ge;
                else if (peek() == u'<')
                    ++pos_, token.type = Tok::Ne;  // "><" is "<>"
                else
                    token.type = Tok::Gt;
                break;
            default:
                failAt(errors::kInvalidCharacter, token.line, token.column);
        }
        return token;
    }

    std::u16string_view src_;
    std::size_t pos_ = 0;
    std::size_t lineStart_ = 0;
    int line_ = 1;
    std::vector<Token> tokens_;
};

}  // namespace

const char16_t* spelling(Tok type) {
    for (const auto& k : kKeywords) {
        if (k.type == type) return k.written;
    }
    return u"";
}

std::vector<Token> tokenize(std::u16string_view source) {
    return Lexer(source).run();
}

}  // namespace lorvane::vbs
