#pragma once

#include "data/RecColl.h"
#include "data/Schema.h"
#include "data/clsDB.h"
#include "xbase/c4.h"

#include <QList>
#include <QString>

#include <gtest/gtest.h>

#include <utility>

// Rows for the report window tests, stored through the database object.
namespace reporttest {

using Fields = QList<std::pair<QString, QString>>;

// A new record of the kind `type`: every field the kind writes, blank but
// for `fields`. Its row identifier.
inline qint32 save(const QString& path, const QString& type, const Fields& fields)
{
    RecColl coll(path, -1, type);
    if (const Schema::RecordType* rt = Schema::recordType(type))
        for (const Schema::KindField& f : rt->writes)
            coll.add(QLatin1String(f.name), QString());
    for (const auto& [name, value] : fields)
        coll.set(name, value);
    EXPECT_TRUE(DB().SaveRecord(coll, false));
    return coll.value(QStringLiteral("_rowid")).toInt();
}

// A new category of the type; its row identifier, -1 when it failed.
inline qint32 category(int type, const QString& text)
{
    DATA4* cats = DB().OpenTable(DB().CategoryTable());
    const qint32 id = cats ? DB().AddCategory(text, type, cats) : -1;
    if (cats)
        d4close(cats);
    return id;
}

} // namespace reporttest
