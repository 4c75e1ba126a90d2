#include "xbase/IndexTag.h"

#include "xbase/ExprLexer.h"
#include "xbase/NumberText.h"
#include "xbase/Table.h"

#include <cmath>

namespace xbase {

using namespace cdx;

namespace {

// A field that `text` names and `layout` lacks (function names aside), or "".
std::string missingField(const std::string& text, const RecordLayout& layout)
{
    expr::Lexer lexer(text);
    expr::Token t = lexer.next();
    while (t.kind != expr::Tok::End && t.kind != expr::Tok::Bad) {
        const expr::Token after = lexer.next();
        const bool field = t.kind == expr::Tok::Name && after.kind != expr::Tok::LParen;
        if (field && !layout.find(t.text) && !(t.text.size() > 10 && layout.find(t.text.substr(0, 10))))
            return t.text;
        t = after;
    }
    return {};
}

// A stored expression that names a field the table lacks: the table's header
// or the index is damaged. The table is named first, as it is its header
// that lacks the field.
Status compileStored(Table& table, const CdxFile& file, const std::string& tag, const std::string& text,
                     std::unique_ptr<Expr>* out)
{
    const Status s = Expr::compile(text, table.layout(), out);
    const std::string field = s.isOk() ? std::string() : missingField(text, table.layout());
    if (field.empty())
        return s;
    return Status::corruption(table.path() + ": the table's header has no field " + expr::upper(field) +
                              ", which tag " + tag + " of " + file.path() + " uses: the table or its index is damaged");
}

} // namespace

IndexTag::IndexTag(Table& table, CdxFile* file, const TreeShape& shape)
    : m_table(table), m_file(file), m_shape(shape), m_tree(file, shape)
{
}

Status IndexTag::keyShape(const Expr& keyExpr, bool nullable, key::KeyType* type, uint16_t* keyLen)
{
    size_t len = 0;
    switch (keyExpr.type()) {
    case ExprType::Character: *type = key::KeyType::Character; len = keyExpr.width(); break;
    case ExprType::Numeric:
        *type = keyExpr.isIntegerField() ? key::KeyType::Integer : key::KeyType::Numeric;
        len = *type == key::KeyType::Integer ? 4 : 8;
        break;
    case ExprType::Date: *type = key::KeyType::Date; len = 8; break;
    case ExprType::DateTime: *type = key::KeyType::DateTime; len = 8; break;
    case ExprType::Logical: *type = key::KeyType::Logical; len = 1; break;
    }
    len += nullable ? 1 : 0;
    if (len == 0 || len > size_t(kMaxKeyLen))
        return Status::invalidArgument("index key \"" + keyExpr.text() + "\" is " + std::to_string(len) +
                                       " bytes long; keys take 1 to 240");
    *keyLen = uint16_t(len);
    return Status::ok();
}

Status IndexTag::open(Table& table, CdxFile* file, const std::string& name, uint32_t header, std::unique_ptr<IndexTag>* out)
{
    CdxTagHeader h;
    XB_RETURN_IF_ERROR(file->read([&] {
        CdxTagHeader* p = nullptr;
        XB_RETURN_IF_ERROR(file->header(header, &p));
        h = *p;
        return Status::ok();
    }));
    std::unique_ptr<Expr> keyExpr, forExpr;
    XB_RETURN_IF_ERROR(compileStored(table, *file, name, h.keyExpr, &keyExpr));
    if (!h.forExpr.empty()) {
        XB_RETURN_IF_ERROR(compileStored(table, *file, name, h.forExpr, &forExpr));
        if (forExpr->type() != ExprType::Logical)
            return Status::invalidArgument("FOR expression \"" + h.forExpr + "\" of tag " + name + " is not logical");
    }
    key::KeyType type;
    uint16_t keyLen = 0;
    XB_RETURN_IF_ERROR(keyShape(*keyExpr, h.nullable(), &type, &keyLen));
    if (keyLen != h.keyLen)
        return Status::corruption(table.path() + ": the table's fields make " + std::to_string(keyLen) +
                                  "-byte keys of tag " + name + ", which " + file->path() + " stores as " +
                                  std::to_string(h.keyLen) + "-byte keys: the table or its index is damaged");
    out->reset(new IndexTag(table, file, TreeShape{header, keyLen, key::fillByte(type), name}));
    IndexTag& t = **out;
    t.m_name = name;
    t.m_key = std::move(keyExpr);
    t.m_for = std::move(forExpr);
    t.m_type = type;
    t.m_nullable = h.nullable();
    t.m_descending = h.descending;
    t.m_options = h.options;
    return Status::ok();
}

TagDefinition IndexTag::definition() const
{
    TagDefinition d;
    d.name = m_name;
    d.keyExpr = m_key->text();
    d.forExpr = m_for ? m_for->text() : std::string();
    d.descending = m_descending;
    d.unique = m_options & kOptUnique;
    d.candidate = m_options & kOptCandidate;
    return d;
}

bool IndexTag::makeKey(const uint8_t* record, std::string* key) const
{
    if (m_for && !m_for->isTrue(record))
        return false;
    keyOf(record, key);
    return true;
}

void IndexTag::keyOf(const uint8_t* record, std::string* key) const
{
    ExprValue v;
    m_key->eval(record, &v);
    key->assign(m_shape.keyLen, char(m_shape.fill));
    auto* p = reinterpret_cast<uint8_t*>(key->data());
    if (m_nullable) {
        if (v.null) {
            key->assign(m_shape.keyLen, '\0');
            return;
        }
        *p++ = 0x80;
    }
    const size_t room = m_shape.keyLen - (m_nullable ? 1 : 0);
    switch (m_type) {
    case key::KeyType::Character: std::memcpy(p, v.text.data(), std::min(room, v.text.size())); break;
    case key::KeyType::Integer: key::encodeInt32(int32_t(v.number), p); break;
    case key::KeyType::Logical: *p = v.logical ? 'T' : 'F'; break;
    default: key::encodeDouble(v.number, p); break;
    }
}

bool IndexTag::numericKey(double value, std::string* key) const
{
    const std::string marker = m_nullable ? std::string(1, '\x80') : std::string();
    uint8_t buf[8];
    switch (m_type) {
    case key::KeyType::Numeric: case key::KeyType::Date: case key::KeyType::DateTime:
        key::encodeDouble(value, buf);
        *key = marker + std::string(reinterpret_cast<char*>(buf), 8);
        return true;
    case key::KeyType::Integer:
        if (!(value >= -2147483648.0 && value <= 2147483647.0))
            return false;
        key::encodeInt32(int32_t(std::trunc(value)), buf);
        *key = marker + std::string(reinterpret_cast<char*>(buf), 4);
        return true;
    default: return false;
    }
}

std::string IndexTag::seekKey(const std::string& text) const
{
    std::string out;
    switch (m_type) {
    case key::KeyType::Character:
        out = (m_nullable ? std::string(1, '\x80') : std::string()) + text;
        if (out.size() > m_shape.keyLen)
            out.resize(m_shape.keyLen);
        return out;
    case key::KeyType::Date: case key::KeyType::DateTime: {
        double jd = 0;
        if (!key::julianFromDtos(text.data(), text.size(), &jd))
            jd = 0;
        numericKey(jd, &out);
        return out;
    }
    case key::KeyType::Logical:
        out = (m_nullable ? std::string(1, '\x80') : std::string());
        out += (!text.empty() && std::strchr("TtYy", text[0])) ? 'T' : 'F';
        return out;
    default:
        if (!numericKey(number::parse(text.data(), text.size()), &out))
            out.assign(m_shape.keyLen, '\xFF');
        return out;
    }
}

} // namespace xbase
