#include "TemplateWriter.h"

#include "common/Win1252.h"
#include "common/clsSystem.h"
#include "data/ShippedData.h"
#include "xbase/IndexC4.h"
#include "xbase/c4.h"

#include <QDir>
#include <QFile>
#include <QVariant>

#include <vector>

namespace TemplateWriter {
namespace {

using Row = std::vector<std::pair<const char*, QVariant>>;

QString engineError(CODE4* c4)
{
    return QString::fromStdString(c4->lastError().toString());
}

DATA4* createTable(CODE4* c4, const QString& path, const Schema::TableDef& def, QString* error)
{
    xbase::TableDefinition layout;
    for (const Schema::FieldDef& f : def.fields) {
        xbase::FieldDescriptor d;
        d.name = QString::fromLatin1(f.name).toUpper().toStdString();
        d.type = f.type;
        d.length = uint8_t(f.width);
        d.decimals = uint8_t(f.decimals);
        layout.fields.push_back(d);
    }
    xbase::Table* table = nullptr;
    const xbase::Status s = c4->createTable(path.toStdString(), layout, &table);
    if (!s.isOk())
        *error = QString::fromStdString(s.toString());
    return s.isOk() ? table : nullptr;
}

bool appendRow(DATA4* table, const Row& row)
{
    if (d4appendStartVB(table, 0) != 0 || d4blank(table) != 0)
        return false;
    for (const auto& [name, value] : row) {
        FIELD4* field = d4field(table, name);
        if (!field)
            return false;
        const std::string text = toWin1252(value.toString());
        const int rc = value.typeId() == QMetaType::Int ? f4assignLong(field, value.toInt())
                                                        : f4assignNVB(field, text.data(), int(text.size()));
        if (rc != 0)
            return false;
    }
    return d4append(table) == 0;
}

bool createIndex(DATA4* table, const Schema::TableDef& def)
{
    if (def.tags.empty())
        return true;
    std::vector<TAG4INFO> tags;
    for (const Schema::TagDef& tag : def.tags)
        tags.push_back({tag.name, tag.key, tag.forExpr, 0, 0});
    tags.push_back({nullptr, nullptr, nullptr, 0, 0});
    return i4create(table, tags.data()) == 0;
}

std::vector<Row> shippedRows(const QString& base)
{
    std::vector<Row> rows;
    const ShippedData::AdminUser& a = ShippedData::admin();
    if (base == Schema::tableName(Schema::Table::User))
        rows.push_back({{"rowid", a.rowid}, {"login", QLatin1String(a.login)},
                        {"password", Sys().StringToHexStr(QLatin1String(a.password))},
                        {"lastname", QLatin1String(a.lastname)}, {"useractive", QLatin1String(a.useractive)},
                        {"usertype", QLatin1String(a.usertype)}, {"perm", QLatin1String(a.perm)},
                        {"underedit", 0}});
    if (base == Schema::tableName(Schema::Table::Id))
        rows.push_back({{"tblname", Schema::dataFileName(Schema::Table::User)}, {"lastid", ShippedData::nextUserId()}});
    if (base == Schema::tableName(Schema::Table::Cat))
        for (const ShippedData::Category& c : ShippedData::categories())
            rows.push_back({{"rowid", c.rowid}, {"type", c.type}, {"desc", QLatin1String(c.desc)}});
    if (base == Schema::baseName(Schema::reportColumnsTable()))
        for (const ShippedData::ReportColumn& c : ShippedData::reportColumns())
            rows.push_back({{"rowid", c.rowid}, {"name", QLatin1String(c.name)}, {"rpttype", QLatin1String(c.rpttype)},
                            {"purpose", QLatin1String(c.purpose)}, {"fldname", QLatin1String(c.fldname)},
                            {"tblname", ShippedData::tblname(c)}, {"datatype", QLatin1String(c.datatype)},
                            {"customname", ShippedData::customname(c)}, {"order", c.order}, {"cattype", c.cattype}});
    return rows;
}

// Makes one table with its rows and index in the work folder.
bool buildTable(CODE4* c4, const QString& work, const Schema::TableDef& def, QString* error)
{
    const QString base = Schema::baseName(def);
    DATA4* table = createTable(c4, QDir(work).filePath(base + QLatin1String(".dbf")), def, error);
    if (!table)
        return false;
    bool ok = true;
    for (const Row& row : shippedRows(base))
        ok = ok && appendRow(table, row);
    ok = ok && createIndex(table, def);
    if (!ok)
        *error = base + QLatin1String(": ") + engineError(c4);
    return d4close(table) == 0 && ok;
}

bool ship(const QString& from, const QString& to, QString* error)
{
    QFile::remove(to);
    if (QFile::copy(from, to))
        return true;
    *error = QStringLiteral("cannot write ") + to;
    return false;
}

// (work file, shipped name) pairs of one table.
QList<std::pair<QString, QString>> shippedFiles(const Schema::TableDef& def, bool asTemplate)
{
    const QString base = Schema::baseName(def);
    QStringList exts{QStringLiteral(".dbf")};
    if (!def.tags.empty())
        exts.append(QStringLiteral(".cdx"));
    if (def.hasMemo())
        exts.append(QStringLiteral(".fpt"));
    QList<std::pair<QString, QString>> files;
    for (const QString& ext : exts)
        files.append({base + ext, asTemplate ? Schema::templateName(base + ext) : base + ext});
    return files;
}

QList<std::pair<QString, QString>> allShippedFiles()
{
    QList<std::pair<QString, QString>> files;
    for (Schema::Table t : Schema::allTables())
        files += shippedFiles(Schema::table(t), true);
    files += shippedFiles(Schema::reportColumnsTable(), false);
    files += shippedFiles(Schema::mailMergeTable(), true);
    return files;
}

} // namespace

QStringList outputNames()
{
    QStringList names;
    for (const auto& file : allShippedFiles())
        names.append(file.second);
    return names;
}

bool writeAll(const QString& workFolder, const QString& programFolder, QString* error)
{
    CODE4* c4 = d4init_v();
    if (!c4) {
        *error = QStringLiteral("the engine cannot start");
        return false;
    }
    code4accessMode(c4, 1);
    std::vector<const Schema::TableDef*> defs;
    for (Schema::Table t : Schema::allTables())
        defs.push_back(&Schema::table(t));
    defs.push_back(&Schema::reportColumnsTable());
    defs.push_back(&Schema::mailMergeTable());
    bool ok = true;
    for (const Schema::TableDef* def : defs)
        ok = ok && buildTable(c4, workFolder, *def, error);
    d4initUndo(c4);
    for (const auto& [work, shipped] : allShippedFiles())
        ok = ok && ship(QDir(workFolder).filePath(work), QDir(programFolder).filePath(shipped), error);
    return ok;
}

} // namespace TemplateWriter
