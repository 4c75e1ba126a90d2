#include "data/Schema.h"

namespace Schema {

bool TableDef::hasMemo() const
{
    for (const FieldDef& f : fields)
        if (f.type == 'M')
            return true;
    return false;
}

const FieldDef* TableDef::field(const QString& name) const
{
    for (const FieldDef& f : fields)
        if (name.compare(QLatin1String(f.name), Qt::CaseInsensitive) == 0)
            return &f;
    return nullptr;
}

QString baseName(const TableDef& def)
{
    return QLatin1String(kTablePrefix) + QLatin1String(def.stem);
}

QString tableName(Table t) { return baseName(table(t)); }
QString dataFileName(Table t) { return tableName(t) + QLatin1String(".dbf"); }

QString reportColumnsFileName() { return baseName(reportColumnsTable()) + QLatin1String(".dbf"); }
QString reportColumnsIndexName() { return baseName(reportColumnsTable()) + QLatin1String(".cdx"); }
QString mailMergeFileName() { return baseName(mailMergeTable()) + QLatin1String(".db_"); }
QString attachFolderName() { return QLatin1String(kTablePrefix) + QLatin1String("attach"); }

QString templateName(const QString& fileName)
{
    if (fileName.isEmpty())
        return fileName;
    QString name = fileName;
    name[name.size() - 1] = QLatin1Char('_');
    return name;
}

} // namespace Schema
