#pragma once

#include <QString>

// The texts that the database object shows. Boxes are titled with the
// product name.
namespace DbMsg {

// "Unable to open: " + path, then, after an empty line, what was wrong.
QString unableToOpen(const QString& path, const QString& reason = QString());
QString rowidNotFound();                                // "ROWID NOT FOUND: Unable to update record!"
QString recordLockedUpdate();                           // "RECORD LOCKED: Unable to update record!"
QString recordLockedNextId();                           // "RECORD LOCKED: Unable to get next id (locked)!"
QString unableToRead(qint32 rowid, const QString& path); // "Unable to read row_id N from table P"
QString recordLockedDelete(const QString& path, const QString& id); // "...Delete from P(id=N) !"
QString unknownRecordType(const QString& rectype);      // a save of a type without writer
QString attachDirFailed(const QString& path);           // "Unable to create subdirectory for attachments: 'P'"

} // namespace DbMsg
