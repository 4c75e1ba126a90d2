#pragma once

#include "xbase/ExprValue.h"
#include "xbase/RecordLayout.h"
#include "xbase/Status.h"

#include <memory>
#include <string>

namespace xbase {

namespace expr {
class Node;
}

// A compiled index key or FOR expression. The language covers what index
// tags use: field names (letter case ignored), string, number and logical
// constants, + and - (also joining texts), * and /, the comparisons
// = (text: begins with), ==, <>, #, !=, <, >, <=, >=, $, the logic .AND.,
// .OR., .NOT. and !, and the functions UPPER, LOWER, TRIM, RTRIM, LTRIM,
// ALLTRIM, DTOS, STR and DELETED.
class Expr {
public:
    ~Expr();

    // Compiles `text` against the fields of `layout`; InvalidArgument names
    // the fault (unknown field or function, wrong types, syntax).
    static Status compile(const std::string& text, const RecordLayout& layout, std::unique_ptr<Expr>* out);

    const std::string& text() const { return m_text; }
    ExprType type() const;
    // Width of a character result (a trimmed value keeps its field's width).
    size_t width() const;
    // True when a nullable field feeds the value.
    bool nullable() const;
    // True when the expression is a bare 4-byte integer field.
    bool isIntegerField() const;

    // Evaluates for one record image (byte 0 the deletion flag).
    void eval(const uint8_t* record, ExprValue* out) const;
    // A logical expression's value; NULL and non-logical values are false.
    bool isTrue(const uint8_t* record) const;

private:
    Expr(std::string text, std::unique_ptr<expr::Node> root);

    std::string m_text;
    std::unique_ptr<expr::Node> m_root;
};

} // namespace xbase
