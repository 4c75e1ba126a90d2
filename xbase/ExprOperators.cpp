#include "xbase/ExprNode.h"

#include <cstring>

namespace xbase::expr {
namespace {

bool sameKind(ExprType a, ExprType b)
{
    auto dateLike = [](ExprType t) { return t == ExprType::Date || t == ExprType::DateTime; };
    return a == b || (dateLike(a) && dateLike(b));
}

class Compare final : public Node {
public:
    Compare(std::string op, NodePtr a, NodePtr b) : Node(ExprType::Logical, 0), m_op(std::move(op)), m_a(std::move(a)), m_b(std::move(b))
    {
        setNullable(m_a->nullable() || m_b->nullable());
    }

    void eval(const uint8_t* r, ExprValue* out) const override
    {
        ExprValue a, b;
        m_a->eval(r, &a);
        m_b->eval(r, &b);
        *out = ExprValue::ofLogical(false);
        out->null = a.null || b.null;
        if (!out->null)
            out->logical = a.type == ExprType::Character ? compareText(a.text, b.text) : compareOther(a, b);
    }

private:
    // "=" and "<>" ask whether the left text begins with the right one.
    bool compareText(const std::string& a, const std::string& b) const
    {
        if (m_op == "$")
            return b.find(a) != std::string::npos;
        const bool begins = b.size() <= a.size() && a.compare(0, b.size(), b) == 0;
        if (m_op == "=")
            return begins;
        if (m_op == "<>")
            return !begins;
        if (m_op == "==")
            return a == b;
        return order(a.compare(b));
    }
    bool compareOther(const ExprValue& a, const ExprValue& b) const
    {
        if (a.type == ExprType::Logical)
            return (a.logical == b.logical) == (m_op != "<>");
        return order(a.number < b.number ? -1 : (a.number > b.number ? 1 : 0));
    }
    bool order(int c) const
    {
        if (m_op == "=" || m_op == "==")
            return c == 0;
        if (m_op == "<>")
            return c != 0;
        if (m_op == "<")
            return c < 0;
        if (m_op == ">")
            return c > 0;
        if (m_op == "<=")
            return c <= 0;
        return c >= 0;
    }

    std::string m_op;
    NodePtr m_a, m_b;
};

class Arithmetic final : public Node {
public:
    Arithmetic(char op, ExprType type, size_t width, NodePtr a, NodePtr b)
        : Node(type, width), m_op(op), m_a(std::move(a)), m_b(std::move(b))
    {
        setNullable(m_a->nullable() || m_b->nullable());
    }

    void eval(const uint8_t* r, ExprValue* out) const override
    {
        ExprValue b;
        m_a->eval(r, out);
        m_b->eval(r, &b);
        const bool null = out->null || b.null;
        if (out->type == ExprType::Character)
            joinText(out->text, b.text);
        else
            out->number = compute(out->number, b.number);
        out->type = type();
        out->null = null;
    }

private:
    // "-" moves the left text's trailing blanks to the end of the result.
    void joinText(std::string& a, const std::string& b) const
    {
        if (m_op == '+') {
            a += b;
            return;
        }
        const size_t kept = a.find_last_not_of(' ') + 1;
        const size_t blanks = a.size() - kept;
        a.resize(kept);
        a += b;
        a.append(blanks, ' ');
    }
    double compute(double a, double b) const
    {
        switch (m_op) {
        case '+': return a + b;
        case '-': return a - b;
        case '*': return a * b;
        default: return b == 0 ? 0 : a / b;
        }
    }

    char m_op;
    NodePtr m_a, m_b;
};

bool isDate(ExprType t) { return t == ExprType::Date || t == ExprType::DateTime; }

} // namespace

NodePtr makeCompare(const std::string& op, NodePtr a, NodePtr b)
{
    if (!sameKind(a->type(), b->type()))
        return nullptr;
    if (op == "$" && a->type() != ExprType::Character)
        return nullptr;
    if (a->type() == ExprType::Logical && op != "=" && op != "==" && op != "<>")
        return nullptr;
    return std::make_unique<Compare>(op, std::move(a), std::move(b));
}

NodePtr makeArithmetic(char op, NodePtr a, NodePtr b)
{
    const ExprType ta = a->type(), tb = b->type();
    ExprType result;
    size_t width = 0;
    if (ta == ExprType::Character && tb == ExprType::Character && (op == '+' || op == '-')) {
        result = ExprType::Character;
        width = a->width() + b->width();
    } else if (ta == ExprType::Numeric && tb == ExprType::Numeric) {
        result = ExprType::Numeric;
    } else if (isDate(ta) && tb == ExprType::Numeric && (op == '+' || op == '-')) {
        result = ta;
    } else if (isDate(ta) && isDate(tb) && op == '-') {
        result = ExprType::Numeric;
    } else {
        return nullptr;
    }
    return std::make_unique<Arithmetic>(op, result, width, std::move(a), std::move(b));
}

} // namespace xbase::expr
