#pragma once

#include <cstdint>
#include <string>

namespace xbase {

// What an index expression yields for one record.
enum class ExprType : uint8_t { Character, Numeric, Date, DateTime, Logical };

// A value of an expression. Dates and date-times are Julian days (with the
// time as a fraction of the day); 0 is the empty date. `null` marks a NULL
// from a nullable field, whatever the type.
struct ExprValue {
    ExprType type = ExprType::Logical;
    bool null = false;
    bool logical = false;
    double number = 0.0;
    std::string text; // Character values, in the table's code page

    static ExprValue ofText(std::string t)
    {
        ExprValue v;
        v.type = ExprType::Character;
        v.text = std::move(t);
        return v;
    }
    static ExprValue ofNumber(double n, ExprType type = ExprType::Numeric)
    {
        ExprValue v;
        v.type = type;
        v.number = n;
        return v;
    }
    static ExprValue ofLogical(bool b)
    {
        ExprValue v;
        v.logical = b;
        return v;
    }
};

} // namespace xbase
