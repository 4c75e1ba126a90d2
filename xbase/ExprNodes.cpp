#include "xbase/ExprNode.h"

#include "xbase/Coding.h"
#include "xbase/KeyCodec.h"
#include "xbase/NumberText.h"

#include <algorithm>
#include <cstring>

namespace xbase::expr {
namespace {

class Constant final : public Node {
public:
    explicit Constant(const ExprValue& v) : Node(v.type, v.text.size()), m_value(v) {}
    bool constantNumber(double* out) const override
    {
        *out = m_value.number;
        return m_value.type == ExprType::Numeric;
    }
    void eval(const uint8_t*, ExprValue* out) const override { *out = m_value; }

private:
    ExprValue m_value;
};

// nullFlags: offset of the _NullFlags field in the record, or -1.
bool readBit(const uint8_t* record, int nullFlags, int bit)
{
    return nullFlags >= 0 && bit >= 0 && ((record[size_t(nullFlags) + size_t(bit) / 8] >> (bit % 8)) & 1);
}

ExprType fieldType(char t)
{
    switch (t) {
    case 'N': case 'F': case 'I': case 'B': case 'Y': return ExprType::Numeric;
    case 'D': return ExprType::Date;
    case 'T': return ExprType::DateTime;
    case 'L': return ExprType::Logical;
    default: return ExprType::Character;
    }
}

class FieldRef final : public Node {
public:
    FieldRef(const FieldDescriptor& f, const FieldDescriptor* nullFlags)
        : Node(fieldType(f.type), f.length), m_f(f), m_nullFlags(nullFlags ? int(nullFlags->offset) : -1)
    {
        setNullable(f.isNullable() && nullFlags);
    }
    bool isIntegerField() const override { return m_f.type == 'I'; }

    void eval(const uint8_t* record, ExprValue* out) const override
    {
        const uint8_t* p = record + m_f.offset;
        out->type = type();
        out->null = readBit(record, m_nullFlags, m_f.nullBit);
        switch (m_f.type) {
        case 'N': case 'F': out->number = number::parse(reinterpret_cast<const char*>(p), m_f.length); break;
        case 'I': out->number = double(int32_t(coding::getU32LE(p))); break;
        case 'B': out->number = coding::getDoubleLE(p); break;
        case 'Y': out->number = double(int64_t(coding::getU64LE(p))) / 10000.0; break;
        case 'D':
            if (!key::julianFromDtos(reinterpret_cast<const char*>(p), m_f.length, &out->number))
                out->number = 0;
            break;
        case 'T': {
            const int32_t day = int32_t(coding::getU32LE(p)), ms = int32_t(coding::getU32LE(p + 4));
            out->number = day == 0 && ms == 0 ? 0.0 : day + ms / 86400000.0;
            break;
        }
        case 'L': out->logical = std::strchr("TtYy", p[0]) != nullptr && p[0] != 0; break;
        default: out->text.assign(reinterpret_cast<const char*>(p), textLength(record)); break;
        }
    }

private:
    size_t textLength(const uint8_t* record) const
    {
        if ((m_f.type == 'V' || m_f.type == 'Q') && readBit(record, m_nullFlags, m_f.varLengthBit))
            return std::min<size_t>(record[m_f.offset + m_f.length - 1], m_f.length - 1u);
        return m_f.length;
    }

    FieldDescriptor m_f;
    int m_nullFlags;
};

class Not final : public Node {
public:
    explicit Not(NodePtr a) : Node(ExprType::Logical, 0), m_a(std::move(a)) { setNullable(m_a->nullable()); }
    void eval(const uint8_t* r, ExprValue* out) const override
    {
        m_a->eval(r, out);
        out->logical = !out->logical;
    }

private:
    NodePtr m_a;
};

class Negate final : public Node {
public:
    explicit Negate(NodePtr a) : Node(ExprType::Numeric, 0), m_a(std::move(a)) { setNullable(m_a->nullable()); }
    void eval(const uint8_t* r, ExprValue* out) const override
    {
        m_a->eval(r, out);
        out->number = -out->number;
    }

private:
    NodePtr m_a;
};

// Three-valued: a NULL side decides nothing when the other side decides.
class Logic final : public Node {
public:
    Logic(bool isAnd, NodePtr a, NodePtr b) : Node(ExprType::Logical, 0), m_and(isAnd), m_a(std::move(a)), m_b(std::move(b))
    {
        setNullable(m_a->nullable() || m_b->nullable());
    }
    void eval(const uint8_t* r, ExprValue* out) const override
    {
        ExprValue b;
        m_a->eval(r, out);
        if (!out->null && out->logical != m_and)
            return; // .F. .AND. x, .T. .OR. x
        m_b->eval(r, &b);
        if (!b.null && b.logical != m_and) {
            *out = b;
            return;
        }
        out->null = out->null || b.null;
        out->logical = m_and;
    }

private:
    bool m_and;
    NodePtr m_a, m_b;
};

} // namespace

NodePtr makeConstant(const ExprValue& v) { return std::make_unique<Constant>(v); }

NodePtr makeField(const RecordLayout& layout, size_t index)
{
    const FieldDescriptor& f = layout.field(index);
    if (f.isMemo() || f.type == '0')
        return nullptr;
    return std::make_unique<FieldRef>(f, layout.nullFlags());
}

NodePtr makeNot(NodePtr arg) { return std::make_unique<Not>(std::move(arg)); }
NodePtr makeNegate(NodePtr arg) { return std::make_unique<Negate>(std::move(arg)); }
NodePtr makeLogic(bool isAnd, NodePtr a, NodePtr b) { return std::make_unique<Logic>(isAnd, std::move(a), std::move(b)); }

} // namespace xbase::expr
