#include "import/clsImportColDef.h"

bool ImportColDefs::add(const clsImportColDef& def)
{
    if (m_names.contains(def.Name))
        return false;
    m_defs.append(def);
    m_names.append(def.Name);
    return true;
}

void ImportColDefs::clear()
{
    m_defs.clear();
    m_names.clear();
}

const clsImportColDef* ImportColDefs::find(const QString& name) const
{
    const qsizetype i = m_names.indexOf(name);
    return i < 0 ? nullptr : &m_defs.at(i);
}

const QStringList& customerImportHeadings()
{
    static const QStringList headings{
        QStringLiteral("CUSTOMERNUMBER"), QStringLiteral("SALUTATION"),   QStringLiteral("FIRSTNAME"),
        QStringLiteral("LASTNAME"),       QStringLiteral("COMPANY"),      QStringLiteral("TITLE"),
        QStringLiteral("ADDRESSLINE1"),   QStringLiteral("ADDRESSLINE2"), QStringLiteral("CITY"),
        QStringLiteral("STATE"),          QStringLiteral("POSTALCODE"),   QStringLiteral("COUNTRY"),
        QStringLiteral("CUSTOM1"),        QStringLiteral("CUSTOM2"),      QStringLiteral("WORKPHONE"),
        QStringLiteral("HOMEPHONE"),      QStringLiteral("MOBILEPHONE"),  QStringLiteral("FAXPHONE"),
        QStringLiteral("EMAILDEFAULT"),   QStringLiteral("EMAILALTERNATE"), QStringLiteral("CATEGORY"),
        QStringLiteral("NOTES")};
    return headings;
}

void SetupColumns(const QString& targetKey, ImportColDefs& defs)
{
    defs.clear();
    if (targetKey == kImportTargetCustomers) {
        for (const QString& name : customerImportHeadings()) {
            clsImportColDef def;
            def.Name = name;
            def.Required = name == QLatin1String("LASTNAME") || name == QLatin1String("COMPANY");
            defs.add(def);
        }
        return;
    }
    clsImportColDef def;
    def.Name = QStringLiteral("DESCRIPTION");
    def.Required = true;
    def.AllowBlank = false;
    defs.add(def);
}
