#include "xbase/Expr.h"
#include "xbase/ExprLexer.h"
#include "xbase/ExprNode.h"

#include <cctype>
#include <cstdlib>

namespace xbase {
namespace {

using expr::Lexer;
using expr::NodePtr;
using expr::Tok;
using expr::Token;
using expr::upper;

// Recursive descent, loosest binding first: .OR., .AND., .NOT., comparison,
// + and -, * and /, unary minus, primaries.
class Parser {
public:
    Parser(const std::string& text, const RecordLayout& layout) : m_lexer(text), m_layout(layout) { advance(); }

    NodePtr parse()
    {
        NodePtr n = orExpr();
        if (n && m_tok.kind != Tok::End)
            return fail("unexpected \"" + m_tok.text + "\"");
        return n;
    }
    const std::string& error() const { return m_error; }

private:
    void advance() { m_tok = m_lexer.next(); }
    bool isOp(const char* op) const { return m_tok.kind == Tok::Op && m_tok.text == op; }
    NodePtr fail(const std::string& msg)
    {
        if (m_error.empty())
            m_error = msg;
        return nullptr;
    }

    NodePtr orExpr()
    {
        NodePtr a = andExpr();
        while (a && m_tok.kind == Tok::Or) {
            advance();
            NodePtr b = andExpr();
            a = b ? logic(false, std::move(a), std::move(b)) : nullptr;
        }
        return a;
    }
    NodePtr andExpr()
    {
        NodePtr a = notExpr();
        while (a && m_tok.kind == Tok::And) {
            advance();
            NodePtr b = notExpr();
            a = b ? logic(true, std::move(a), std::move(b)) : nullptr;
        }
        return a;
    }
    NodePtr logic(bool isAnd, NodePtr a, NodePtr b)
    {
        if (a->type() != ExprType::Logical || b->type() != ExprType::Logical)
            return fail(std::string(isAnd ? ".AND." : ".OR.") + " needs logical values");
        return expr::makeLogic(isAnd, std::move(a), std::move(b));
    }
    NodePtr notExpr()
    {
        if (m_tok.kind != Tok::Not)
            return comparison();
        advance();
        NodePtr a = notExpr();
        if (a && a->type() != ExprType::Logical)
            return fail(".NOT. needs a logical value");
        return a ? expr::makeNot(std::move(a)) : nullptr;
    }
    NodePtr comparison()
    {
        NodePtr a = additive();
        static const char* const ops[] = {"=", "==", "<>", "!=", "<", ">", "<=", ">=", "$"};
        for (const char* op : ops) {
            if (a && isOp(op)) {
                const std::string name = std::string(op) == "!=" ? "<>" : op;
                advance();
                NodePtr b = additive();
                if (!b)
                    return nullptr;
                NodePtr n = expr::makeCompare(name, std::move(a), std::move(b));
                return n ? std::move(n) : fail("cannot compare these values with " + name);
            }
        }
        return a;
    }
    NodePtr additive() { return arithmetic(&Parser::multiplicative, "+", "-"); }
    NodePtr multiplicative() { return arithmetic(&Parser::unary, "*", "/"); }
    // One left-associative level of arithmetic over operands parsed by `next`.
    NodePtr arithmetic(NodePtr (Parser::*next)(), const char* op1, const char* op2)
    {
        NodePtr a = (this->*next)();
        while (a && (isOp(op1) || isOp(op2))) {
            const char op = m_tok.text[0];
            advance();
            NodePtr b = (this->*next)();
            if (!b)
                return nullptr;
            a = expr::makeArithmetic(op, std::move(a), std::move(b));
            if (!a)
                return fail(std::string("cannot apply ") + op + " to these values");
        }
        return a;
    }
    NodePtr unary()
    {
        if (isOp("-")) {
            advance();
            NodePtr a = unary();
            if (a && a->type() != ExprType::Numeric)
                return fail("- needs a number");
            return a ? expr::makeNegate(std::move(a)) : nullptr;
        }
        if (isOp("+"))
            advance();
        return primary();
    }
    NodePtr primary()
    {
        Token t = m_tok;
        switch (t.kind) {
        case Tok::Number: advance(); return expr::makeConstant(ExprValue::ofNumber(std::strtod(t.text.c_str(), nullptr)));
        case Tok::String: advance(); return expr::makeConstant(ExprValue::ofText(t.text));
        case Tok::True: advance(); return expr::makeConstant(ExprValue::ofLogical(true));
        case Tok::False: advance(); return expr::makeConstant(ExprValue::ofLogical(false));
        case Tok::LParen: {
            advance();
            NodePtr n = orExpr();
            if (n && m_tok.kind != Tok::RParen)
                return fail("missing )");
            advance();
            return n;
        }
        case Tok::Name: advance(); return m_tok.kind == Tok::LParen ? call(upper(t.text)) : field(t.text);
        case Tok::End: return fail("expression ends too early");
        default: return fail("unexpected \"" + t.text + "\"");
        }
    }
    NodePtr field(const std::string& name)
    {
        auto index = m_layout.find(name);
        // Tables of a database container keep long field names in the
        // container and the first ten characters in the table.
        if (!index && name.size() > 10)
            index = m_layout.find(name.substr(0, 10));
        if (!index)
            return fail("no field " + name);
        NodePtr n = expr::makeField(m_layout, *index);
        return n ? std::move(n) : fail("field " + name + " cannot be used in an index expression");
    }
    NodePtr call(const std::string& name)
    {
        advance(); // (
        std::vector<NodePtr> args;
        while (m_tok.kind != Tok::RParen) {
            NodePtr a = orExpr();
            if (!a)
                return nullptr;
            args.push_back(std::move(a));
            if (m_tok.kind == Tok::Comma)
                advance();
            else if (m_tok.kind != Tok::RParen)
                return fail("missing ) after the arguments of " + name);
        }
        advance();
        std::string error;
        NodePtr n = expr::makeCall(name, std::move(args), &error);
        return n ? std::move(n) : fail(error);
    }

    Lexer m_lexer;
    const RecordLayout& m_layout;
    Token m_tok;
    std::string m_error;
};

} // namespace

Expr::Expr(std::string text, std::unique_ptr<expr::Node> root) : m_text(std::move(text)), m_root(std::move(root)) {}
Expr::~Expr() = default;

Status Expr::compile(const std::string& text, const RecordLayout& layout, std::unique_ptr<Expr>* out)
{
    Parser parser(text, layout);
    NodePtr root = parser.parse();
    if (!root)
        return Status::invalidArgument("index expression \"" + text + "\": " + parser.error());
    out->reset(new Expr(text, std::move(root)));
    return Status::ok();
}

ExprType Expr::type() const { return m_root->type(); }
size_t Expr::width() const { return m_root->width(); }
bool Expr::nullable() const { return m_root->nullable(); }
bool Expr::isIntegerField() const { return m_root->isIntegerField(); }
void Expr::eval(const uint8_t* record, ExprValue* out) const { m_root->eval(record, out); }

bool Expr::isTrue(const uint8_t* record) const
{
    ExprValue v;
    m_root->eval(record, &v);
    return v.type == ExprType::Logical && !v.null && v.logical;
}

} // namespace xbase
