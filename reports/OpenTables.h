#pragma once

#include "data/clsDB.h"
#include "xbase/c4.h"

#include <QString>

#include <vector>

// The tables a command opens, closed when it ends however it ends.
class OpenTables {
public:
    OpenTables() = default;
    OpenTables(const OpenTables&) = delete;
    OpenTables& operator=(const OpenTables&) = delete;
    ~OpenTables()
    {
        for (DATA4* table : m_tables)
            d4close(table);
    }

    // The table at `path`, or null after the opener's message.
    DATA4* open(const QString& path)
    {
        DATA4* table = DB().OpenTable(path);
        if (table)
            m_tables.push_back(table);
        return table;
    }

private:
    std::vector<DATA4*> m_tables;
};
