#include "XbaseFixture.h"

#include <fstream>
#include <iterator>
#include <sstream>
#include <unistd.h>

xbase::FieldDescriptor fieldLayout(const std::string& def)
{
    std::vector<std::string> parts;
    std::stringstream in(def);
    for (std::string part; std::getline(in, part, ':');)
        parts.push_back(part);
    xbase::FieldDescriptor f;
    f.name = parts.at(0);
    f.type = parts.at(1).at(0);
    f.length = uint8_t(parts.size() > 2 ? std::stoi(parts[2]) : 0);
    f.decimals = uint8_t(parts.size() > 3 ? std::stoi(parts[3]) : 0);
    f.flags = uint8_t(parts.size() > 4 ? std::stoi(parts[4]) : 0);
    return f;
}

xbase::Table* XbaseFixture::create(const std::string& name, const std::vector<std::string>& fields, bool index)
{
    xbase::TableDefinition def;
    for (const std::string& f : fields)
        def.fields.push_back(fieldLayout(f));
    def.structuralIndex = index;
    xbase::Table* table = nullptr;
    const xbase::Status s = m_engine.createTable(path(name), def, &table);
    EXPECT_TRUE(s.isOk()) << s.toString();
    return table;
}

xbase::Table* XbaseFixture::open(const std::string& name)
{
    xbase::Table* table = nullptr;
    const xbase::Status s = m_engine.openTable(path(name), &table);
    EXPECT_TRUE(s.isOk()) << s.toString();
    return table;
}

void XbaseFixture::close(xbase::Table* table)
{
    XB_EXPECT_OK(m_engine.closeTable(table));
}

void XbaseFixture::appendTexts(xbase::Table* table, const std::vector<std::pair<std::string, std::string>>& values)
{
    XB_ASSERT_OK(table->appendStart());
    XB_ASSERT_OK(table->blank());
    for (const auto& [name, text] : values) {
        xbase::Field* f = table->field(name);
        ASSERT_NE(f, nullptr) << name;
        XB_ASSERT_OK(f->isMemo() ? f->assignMemo(text) : f->assignText(text));
    }
    XB_ASSERT_OK(table->append());
}

std::vector<uint8_t> XbaseFixture::readFile(const std::string& name) const
{
    std::ifstream in(path(name), std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void XbaseFixture::writeFile(const std::string& name, const std::vector<uint8_t>& bytes) const
{
    std::ofstream out(path(name), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

void XbaseFixture::patch(const std::string& name, size_t offset, const std::vector<uint8_t>& bytes) const
{
    std::vector<uint8_t> content = readFile(name);
    ASSERT_LE(offset + bytes.size(), content.size());
    std::copy(bytes.begin(), bytes.end(), content.begin() + long(offset));
    writeFile(name, content);
}

void XbaseFixture::truncate(const std::string& name, size_t size) const
{
    ASSERT_EQ(::truncate(path(name).c_str(), off_t(size)), 0);
}
