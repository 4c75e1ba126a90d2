#include "xbase/ExprLexer.h"

#include <cctype>

namespace xbase::expr {

std::string upper(std::string s)
{
    for (char& c : s)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

Token Lexer::next()
{
    while (m_pos < m_s.size() && std::isspace(static_cast<unsigned char>(m_s[m_pos])))
        ++m_pos;
    if (m_pos >= m_s.size())
        return {Tok::End, {}};
    const char c = m_s[m_pos];
    if (std::isalpha(static_cast<unsigned char>(c)) || c == '_')
        return take(Tok::Name, span([](char ch) { return std::isalnum(static_cast<unsigned char>(ch)) || ch == '_'; }));
    if (std::isdigit(static_cast<unsigned char>(c)) || (c == '.' && digitAt(m_pos + 1)))
        return take(Tok::Number, span([](char ch) { return std::isdigit(static_cast<unsigned char>(ch)) || ch == '.'; }));
    if (c == '.')
        return dotWord();
    if (c == '\'' || c == '"' || c == '[')
        return quoted(c == '[' ? ']' : c);
    return punct();
}

template <class F> size_t Lexer::span(F accept) const
{
    size_t end = m_pos;
    while (end < m_s.size() && accept(m_s[end]))
        ++end;
    return end;
}

bool Lexer::digitAt(size_t i) const { return i < m_s.size() && std::isdigit(static_cast<unsigned char>(m_s[i])); }

Token Lexer::take(Tok kind, size_t end)
{
    Token t{kind, m_s.substr(m_pos, end - m_pos)};
    m_pos = end;
    return t;
}

Token Lexer::dotWord()
{
    const size_t close = m_s.find('.', m_pos + 1);
    if (close == std::string::npos)
        return {Tok::Bad, m_s.substr(m_pos)};
    const std::string word = upper(m_s.substr(m_pos + 1, close - m_pos - 1));
    m_pos = close + 1;
    if (word == "T" || word == "Y")
        return {Tok::True, word};
    if (word == "F" || word == "N")
        return {Tok::False, word};
    if (word == "AND")
        return {Tok::And, word};
    if (word == "OR")
        return {Tok::Or, word};
    if (word == "NOT")
        return {Tok::Not, word};
    return {Tok::Bad, word};
}

Token Lexer::quoted(char close)
{
    const size_t end = m_s.find(close, m_pos + 1);
    if (end == std::string::npos)
        return {Tok::Bad, m_s.substr(m_pos)};
    Token t{Tok::String, m_s.substr(m_pos + 1, end - m_pos - 1)};
    m_pos = end + 1;
    return t;
}

Token Lexer::punct()
{
    static const char* const two[] = {"==", "<>", "!=", "<=", ">=", "->"};
    for (const char* op : two)
        if (m_s.compare(m_pos, 2, op) == 0) {
            m_pos += 2;
            return {Tok::Op, op};
        }
    const char c = m_s[m_pos++];
    switch (c) {
    case '(': return {Tok::LParen, "("};
    case ')': return {Tok::RParen, ")"};
    case ',': return {Tok::Comma, ","};
    case '!': return {Tok::Not, "!"};
    case '#': return {Tok::Op, "<>"};
    case '+': case '-': case '*': case '/': case '=': case '<': case '>': case '$':
        return {Tok::Op, std::string(1, c)};
    default: return {Tok::Bad, std::string(1, c)};
    }
}

} // namespace xbase::expr
