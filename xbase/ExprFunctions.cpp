#include "xbase/ExprNode.h"

#include "xbase/KeyCodec.h"
#include "xbase/LetterCase.h"
#include "xbase/NumberText.h"

#include <cmath>

namespace xbase::expr {
namespace {

enum class Fn { Upper, Lower, Trim, LTrim, AllTrim, Dtos, Str, Deleted };

class Call final : public Node {
public:
    Call(Fn fn, ExprType type, size_t width, std::vector<NodePtr> args, int strWidth = 10, int strDecimals = 0)
        : Node(type, width), m_fn(fn), m_args(std::move(args)), m_width(strWidth), m_decimals(strDecimals)
    {
        for (const NodePtr& a : m_args)
            if (a->nullable())
                setNullable(true);
    }

    void eval(const uint8_t* r, ExprValue* out) const override
    {
        if (m_fn == Fn::Deleted) {
            *out = ExprValue::ofLogical(r[0] == '*');
            return;
        }
        m_args[0]->eval(r, out);
        std::string& t = out->text;
        switch (m_fn) {
        case Fn::Upper: for (char& c : t) c = char(upper1252(uint8_t(c))); break;
        case Fn::Lower: for (char& c : t) c = char(lower1252(uint8_t(c))); break;
        case Fn::Trim: t.erase(t.find_last_not_of(' ') + 1); break;
        case Fn::LTrim: t.erase(0, std::min(t.size(), t.find_first_not_of(' '))); break;
        case Fn::AllTrim:
            t.erase(t.find_last_not_of(' ') + 1);
            t.erase(0, std::min(t.size(), t.find_first_not_of(' ')));
            break;
        case Fn::Dtos: t = key::dtosFromJulian(int64_t(std::floor(out->number))); break;
        case Fn::Str:
            if (!number::format(out->number, m_width, m_decimals, &t))
                t.assign(size_t(m_width), '*');
            break;
        case Fn::Deleted: break;
        }
        out->type = type();
    }

private:
    Fn m_fn;
    std::vector<NodePtr> m_args;
    int m_width, m_decimals;
};

struct Signature {
    const char* name;
    Fn fn;
    size_t minArgs, maxArgs;
    ExprType argType; // of the first argument
};

const Signature kFunctions[] = {
    {"UPPER", Fn::Upper, 1, 1, ExprType::Character},     {"LOWER", Fn::Lower, 1, 1, ExprType::Character},
    {"TRIM", Fn::Trim, 1, 1, ExprType::Character},       {"RTRIM", Fn::Trim, 1, 1, ExprType::Character},
    {"LTRIM", Fn::LTrim, 1, 1, ExprType::Character},     {"ALLTRIM", Fn::AllTrim, 1, 1, ExprType::Character},
    {"DTOS", Fn::Dtos, 1, 1, ExprType::Date},            {"STR", Fn::Str, 1, 3, ExprType::Numeric},
    {"DELETED", Fn::Deleted, 0, 0, ExprType::Logical},
};

bool argFits(ExprType want, ExprType got)
{
    return want == got || (want == ExprType::Date && got == ExprType::DateTime);
}

// STR's width and decimals fix the key width, so they must be constants.
NodePtr makeStr(std::vector<NodePtr> args, std::string* error)
{
    double width = 10, decimals = 0;
    if ((args.size() > 1 && !args[1]->constantNumber(&width)) || (args.size() > 2 && !args[2]->constantNumber(&decimals))) {
        *error = "STR() takes constant widths";
        return nullptr;
    }
    if (width < 1 || width > 240 || decimals < 0 || decimals > width) {
        *error = "STR() width out of range";
        return nullptr;
    }
    const size_t w = size_t(width);
    return std::make_unique<Call>(Fn::Str, ExprType::Character, w, std::move(args), int(w), int(decimals));
}

} // namespace

NodePtr makeCall(const std::string& upperName, std::vector<NodePtr> args, std::string* error)
{
    for (const Signature& s : kFunctions) {
        if (upperName != s.name)
            continue;
        if (args.size() < s.minArgs || args.size() > s.maxArgs) {
            *error = upperName + "() takes " + std::to_string(s.minArgs) + (s.maxArgs > s.minArgs ? " or more" : "") + " arguments";
            return nullptr;
        }
        if (!args.empty() && !argFits(s.argType, args[0]->type())) {
            *error = upperName + "() given a value of the wrong type";
            return nullptr;
        }
        if (s.fn == Fn::Str)
            return makeStr(std::move(args), error);
        if (s.fn == Fn::Deleted)
            return std::make_unique<Call>(s.fn, ExprType::Logical, 0, std::move(args));
        const size_t width = s.fn == Fn::Dtos ? 8 : args[0]->width();
        return std::make_unique<Call>(s.fn, ExprType::Character, width, std::move(args));
    }
    *error = "unknown function " + upperName + "()";
    return nullptr;
}

} // namespace xbase::expr
