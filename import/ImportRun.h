#pragma once

#include "data/RecColl.h"
#include "xbase/c4.h"

#include <QString>
#include <QStringList>

class Progress;

// The import run: adds one new row per non-empty data line of a file that
// passed the checks, new customers to the customer table or new items to one
// category list. Both tables are opened once for the run. Rows that cannot be
// saved do not stop it; nothing written is undone.
class ImportRun {
public:
    // `targetKey` is the customer import's key or a category type code;
    // `headings` the file's headings at 1..n.
    ImportRun(const QString& targetKey, const QStringList& headings);
    ~ImportRun();
    ImportRun(const ImportRun&) = delete;
    ImportRun& operator=(const ImportRun&) = delete;

    // Opens the customer and category tables; on failure the message to
    // show ("Unable to open Customer table!" or its category twin) and false.
    bool openTables(QString& failure);
    // Reads the whole file and adds its rows, reporting each line to
    // `progress` against `rowCount` (the data lines the check counted), then
    // sets `rowCount` to the non-empty data lines processed and closes the
    // tables. False when a row could not be saved, a quoted value ran
    // unclosed to the end of the file (its record adds nothing) or the file
    // could not be read.
    bool importFile(const QString& fileName, qint32& rowCount, Progress& progress);
    void closeTables();

    // One data line's fields (at 1..n) as a new customer or a new list item.
    bool AddCustomer(const QStringList& fields);
    bool AddCategory(const QStringList& fields);
    // The row identifier of the category of `type` described by
    // `description`, appended when there is none; 0 for an empty description,
    // -1 when it could not be appended.
    qint32 LookupOrAddCategory(const QString& description, qint32 type);

private:
    QString m_targetKey;
    QStringList m_headings;
    DATA4* m_customers = nullptr;
    DATA4* m_categories = nullptr;
    RecColl m_blankCustomer;
};
