#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One importable column heading and the check applied to its values.
struct clsImportColDef {
    QString Name;          // the heading as it must appear in row 1 (upper case)
    int TypeCode = 0;      // 0 text, 1 and 2 numeric, 3 "Y" or "N", 4 a date
    bool Required = false; // the heading must be present in row 1
    bool AllowBlank = true;
    bool CheckRange = false; // numeric values must lie in MinVal..MaxVal
    double MinVal = 0;
    double MaxVal = 0;
};

// The column definitions of one import target, keyed by Name, in the order
// they were added.
class ImportColDefs {
public:
    // Adds the definition under its Name; false when the Name is there already.
    bool add(const clsImportColDef& def);
    void clear();
    bool isEmpty() const { return m_defs.isEmpty(); }
    // The definition whose Name equals `name` exactly, or null.
    const clsImportColDef* find(const QString& name) const;
    // The Names in order.
    const QStringList& names() const { return m_names; }
    QList<clsImportColDef>::const_iterator begin() const { return m_defs.cbegin(); }
    QList<clsImportColDef>::const_iterator end() const { return m_defs.cend(); }

private:
    QList<clsImportColDef> m_defs;
    QStringList m_names;
};

// Import targets: the key of the customer import; every other key is the
// decimal category type code of a list.
inline const QString kImportTargetCustomers = QStringLiteral("MAIN_NEWCUSTOMER");

// The 22 customer headings, in the order the Format Help lists them.
const QStringList& customerImportHeadings();

// Empties `defs` and fills it with the columns of the target `targetKey`:
// the customer headings (LASTNAME and COMPANY required) for the customer
// import, else one required, non-blank DESCRIPTION.
void SetupColumns(const QString& targetKey, ImportColDefs& defs);
