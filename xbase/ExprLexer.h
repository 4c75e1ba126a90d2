#pragma once

#include <string>

// The words of an index expression: names, numbers, quoted texts, the dotted
// words .T. .F. .AND. .OR. .NOT., operators and punctuation.
namespace xbase::expr {

enum class Tok { End, Name, Number, String, True, False, And, Or, Not, Op, LParen, RParen, Comma, Bad };

struct Token {
    Tok kind = Tok::End;
    std::string text;
};

std::string upper(std::string s);

class Lexer {
public:
    explicit Lexer(const std::string& s) : m_s(s) {}
    // The next token; Tok::End at the end, Tok::Bad for what is no token.
    Token next();

private:
    template <class F> size_t span(F accept) const;
    bool digitAt(size_t i) const;
    Token take(Tok kind, size_t end);
    Token dotWord();
    Token quoted(char close);
    Token punct();

    const std::string& m_s;
    size_t m_pos = 0;
};

} // namespace xbase::expr
