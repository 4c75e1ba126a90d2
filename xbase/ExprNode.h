#pragma once

#include "xbase/ExprValue.h"
#include "xbase/RecordLayout.h"

#include <memory>
#include <string>
#include <vector>

// The compiled form of an index expression: a tree of nodes, each with the
// type and (for character results) the width it yields, fixed when the
// expression is compiled against a record layout.
namespace xbase::expr {

class Node {
public:
    Node(ExprType type, size_t width) : m_type(type), m_width(width) {}
    virtual ~Node() = default;

    ExprType type() const { return m_type; }
    // Character results: the width of the value, as keys are sized by it
    // (trimming functions keep their argument's width).
    size_t width() const { return m_width; }
    // True when a nullable field feeds the value.
    bool nullable() const { return m_nullable; }
    void setNullable(bool on) { m_nullable = on; }
    // A bare integer field, whose keys are 4-byte integers.
    virtual bool isIntegerField() const { return false; }
    // Constant numbers (STR's width and decimals must be constants).
    virtual bool constantNumber(double*) const { return false; }

    // `record` is a whole record image, byte 0 the deletion flag.
    virtual void eval(const uint8_t* record, ExprValue* out) const = 0;

private:
    ExprType m_type;
    size_t m_width;
    bool m_nullable = false;
};

using NodePtr = std::unique_ptr<Node>;

NodePtr makeConstant(const ExprValue& v);
// Null when the layout's field cannot be read by expressions (memo fields).
NodePtr makeField(const RecordLayout& layout, size_t index);
NodePtr makeNot(NodePtr arg);
NodePtr makeNegate(NodePtr arg);
NodePtr makeLogic(bool isAnd, NodePtr a, NodePtr b);
// Comparison operators: "=", "==", "<>", "<", ">", "<=", ">=", "$".
NodePtr makeCompare(const std::string& op, NodePtr a, NodePtr b);
// "+", "-", "*", "/" on types that allow them; null when they don't.
NodePtr makeArithmetic(char op, NodePtr a, NodePtr b);
// A function call; null with *error set when the name, count or argument
// types are wrong.
NodePtr makeCall(const std::string& upperName, std::vector<NodePtr> args, std::string* error);

} // namespace xbase::expr
