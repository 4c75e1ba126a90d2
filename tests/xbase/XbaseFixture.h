#pragma once

#include "TestSupport.h"
#include "xbase/Engine.h"
#include "xbase/Table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// A temporary folder with an engine, and the verbs the engine tests use:
// make a table, reopen it, and damage its files on purpose.
class XbaseFixture : public ::testing::Test {
protected:
    std::string path(const std::string& name) const { return m_dir.fileStd(QString::fromStdString(name)); }

    // Creates `name` with the given fields ("NAME:C:20", "AMOUNT:N:10:2", ...).
    xbase::Table* create(const std::string& name, const std::vector<std::string>& fields, bool index = false);
    xbase::Table* open(const std::string& name);
    void close(xbase::Table* table);

    // Appends one record, assigning texts to fields by name ("" keeps blank).
    void appendTexts(xbase::Table* table, const std::vector<std::pair<std::string, std::string>>& values);

    // File verbs.
    std::vector<uint8_t> readFile(const std::string& name) const;
    void writeFile(const std::string& name, const std::vector<uint8_t>& bytes) const;
    void patch(const std::string& name, size_t offset, const std::vector<uint8_t>& bytes) const;
    void truncate(const std::string& name, size_t size) const;
    size_t fileSize(const std::string& name) const { return readFile(name).size(); }

    bmtest::TempFolder m_dir;
    xbase::Engine m_engine;
};

// Parses "NAME:T:LEN[:DEC[:FLAGS]]".
xbase::FieldDescriptor fieldLayout(const std::string& def);

#define XB_ASSERT_OK(expr)                                                       \
    do {                                                                         \
        const ::xbase::Status s_ = (expr);                                       \
        ASSERT_TRUE(s_.isOk()) << s_.toString();                                 \
    } while (0)
#define XB_EXPECT_OK(expr)                                                       \
    do {                                                                         \
        const ::xbase::Status s_ = (expr);                                       \
        EXPECT_TRUE(s_.isOk()) << s_.toString();                                 \
    } while (0)
