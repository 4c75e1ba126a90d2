#pragma once

#include "data/RecColl.h"
#include "data/clsDBFile.h"
#include "xbase/IndexC4.h"
#include "xbase/c4.h"

#include <QList>
#include <QString>
#include <QVariant>

// The database object: the one way into the open database folder. It names
// every table file, opens tables for one operation and closes them again, and
// reads, saves and deletes rows carried in record collections.
//
// Table handles: a member that takes one uses a non-null handle as it is and
// leaves that table open (positioned where its work left it); given null it
// opens the table from the path for the one call and closes it before it
// returns. The caller's handle is never changed.
//
// Failures are shown to the user (through the prompt service) and come back
// as False, -1 or "", never as exceptions. The engine's lock attempts are 10
// for the length of a save or delete and back to their setting afterwards.
class clsDB {
public:
    static clsDB& instance();

    // --- State ------------------------------------------------------------
    bool IsOpen() const { return m_isOpen; }
    const QString& DBPath() const { return m_dbPath; }
    CODE4* CBEngine() const { return m_engine; }
    qint32 LoginID() const { return m_loginId; }
    const QString& LoginName() const { return m_loginName; }
    // The result of the last engine call of a save, read or delete.
    int LastResult() const { return m_lastResult; }

    // Starts a session on `folder` without a login dialog: a new engine with
    // the settings of an open database (shared, locks enforced, read locks
    // off, unlimited attempts, delay 100), `LoginID` set to `loginId`. Ends
    // the session before. False when the engine cannot start.
    bool startSession(const QString& folder, qint32 loginId, const QString& loginName);
    // Shuts the engine down (closing every table it holds) and clears the
    // open flag, folder and login; CBEngine is null afterwards.
    void endSession();

    // --- Table files ------------------------------------------------------
    // The folder, "/" unless it ends with one, and the name; the name alone
    // for an empty folder.
    QString MakePath(const QString& folder, const QString& name) const;
    QString DBDefaultPath() const;   // BMKData in the home folder

    QString CategoryTable() const;
    QString CustomerTable() const;
    QString Customers2PSTable() const;
    QString LastIDTable() const;
    QString IssuesTable() const;
    QString IssuesActionsTable() const;
    QString IssuesTemplatesTable() const;
    QString UserTable() const;
    QString ReportTable() const;
    QString ParamTable() const;
    QString CategoryTableIndex() const;
    QString CustomerTableIndex() const;
    QString Customers2PSTableIndex() const;
    QString LastIDTableIndex() const;
    QString IssuesTableIndex() const;
    QString IssuesActionsTableIndex() const;
    QString IssuesTemplatesTableIndex() const;
    QString UserTableIndex() const;
    QString ReportTableIndex() const;
    QString ParamTableIndex() const;
    QString CategoryTableIndexSource() const;
    QString CustomerTableIndexSource() const;
    QString Customers2PSTableIndexSource() const;
    QString LastIDTableIndexSource() const;
    QString IssuesTableIndexSource() const;
    QString IssuesActionsTableIndexSource() const;
    QString IssuesTemplatesTableIndexSource() const;
    QString UserTableIndexSource() const;
    QString ReportTableIndexSource() const;
    QString ParamTableIndexSource() const;
    QString ReportColumnsTable() const;
    QString MailMergeTable() const;
    // Ten records, one per table, in the maintenance list's order.
    QList<clsDBFile> DataFilePaths() const;

    // --- Saving -----------------------------------------------------------
    // Opens a table of the open engine; null (after "Unable to open: " and
    // the path, and a cleared engine error) when it cannot be opened.
    DATA4* OpenTable(const QString& path);
    // Writes the collection's row: a `_rowid` below 1 appends a new row under
    // a fresh identifier, which replaces `_rowid`; otherwise the row is found
    // by tag "rowid", locked (10 attempts), written and unlocked. `quiet`
    // suppresses only the not-found message. A record type without writer is
    // refused before anything is written.
    bool SaveRecord(RecColl& coll, bool quiet, DATA4* handle = nullptr);
    // Writes the fields of the collection's record type into the current
    // record (a new row also gets `rowid`). False for a type without writer.
    bool UpdateFields(RecColl& coll, DATA4* handle, qint32 rowid, bool isNew);
    bool UpdateFields_UserInfo(RecColl& coll, DATA4* handle, qint32 rowid, bool isNew);
    bool UpdateFields_SetPassword(RecColl& coll, DATA4* handle, qint32 rowid, bool isNew);
    bool UpdateFields_LockInfo(RecColl& coll, DATA4* handle, qint32 rowid, bool isNew);
    bool UpdateFields_NewCustomer(RecColl& coll, DATA4* handle, qint32 rowid, bool isNew);
    bool UpdateFields_Customer(RecColl& coll, DATA4* handle, qint32 rowid, bool isNew);
    bool UpdateFields_Customer2PS(RecColl& coll, DATA4* handle, qint32 rowid, bool isNew);
    bool UpdateFields_Customer2Issue(RecColl& coll, DATA4* handle, qint32 rowid, bool isNew);
    bool UpdateFields_IssueTemplate(RecColl& coll, DATA4* handle, qint32 rowid, bool isNew);
    bool UpdateFields_ReportDef(RecColl& coll, DATA4* handle, qint32 rowid, bool isNew);
    bool UpdateFields_Issue2Action(RecColl& coll, DATA4* handle, qint32 rowid, bool isNew);
    // The last-edit stamp: the logged-in user, today, now (one clock reading).
    void UpdateFields_LastEdit(DATA4* handle);
    // Stores `value` into the field by the field kind code (Schema::FieldKind).
    void AssignValue(FIELD4* field, const QString& value, int kind);
    // True when no row but `rowid` holds `value` (upper-cased) under `tag`.
    bool IsUniqueVal(qint32 rowid, const QString& value, const QString& tag, const QString& path);
    bool TorF2Bool(const QString& flag) const;
    QString TorF2Str(const QString& flag) const;

    // --- Row identifiers --------------------------------------------------
    // The next identifier of the table file `tableName` ("bcccust.dbf"):
    // 1000 or more; 0 when its row stayed locked; -1 when `bccid` failed.
    qint32 GetNextID(const QString& tableName);

    // --- Reading ----------------------------------------------------------
    // Adds the fields of the record type of row `_rowid` of `_tablepath`.
    bool ReadRecord(RecColl& coll, bool quiet);
    bool ReadFields(RecColl& coll, DATA4* handle, qint32 rowid);
    bool ReadFields_ReportDef(RecColl& coll, DATA4* handle, qint32 rowid);
    bool ReadFields_Customer2Issue(RecColl& coll, DATA4* handle, qint32 rowid);
    bool ReadFields_IssueTemplate(RecColl& coll, DATA4* handle, qint32 rowid);
    bool ReadFields_Customer2PS(RecColl& coll, DATA4* handle, qint32 rowid);
    bool ReadFields_Customer(RecColl& coll, DATA4* handle, qint32 rowid);
    bool ReadFields_UserInfo(RecColl& coll, DATA4* handle, qint32 rowid);
    bool ReadFields_LastEdit(RecColl& coll, DATA4* handle, qint32 rowid);
    bool ReadFields_LockInfo(RecColl& coll, DATA4* handle, qint32 rowid);
    // The rows that the tag's order visits; -1 when the table can't be opened.
    qint32 GetRecCount(const QString& path, const QString& tag);
    // The rows of the file, deleted ones included, in one engine call.
    qint32 GetRecCountFast(const QString& path, const QString& tag);
    // Key kind 2: numeric key; any other: text key. The field's whole number
    // in the row found under the tag, or -1.
    qint32 RecordExists(qint32 keyKind, const QVariant& key, const QString& path, const QString& tag,
                        const QString& field, DATA4* handle = nullptr);
    // True when a row not marked deleted holds the key in the field (a walk
    // in the table's current order; no tag is selected).
    bool RecordExistsNoTag(qint32 keyKind, const QVariant& key, const QString& field, const QString& path,
                           DATA4* handle = nullptr);
    qint32 IssuesOutstanding() const { return 1; }

    // --- Deleting ---------------------------------------------------------
    // True when no live row of the table holds `rowid` in `field`, or the
    // path is empty; False when one does or the table can't be opened.
    bool CanDeleteItem(qint32 rowid, const QString& path, const QString& field);
    // True when the row is gone afterwards (deleted now or not found).
    bool DeleteRecord(qint32 rowid, const QString& path, DATA4* handle = nullptr);
    // Deletes every row whose key under `tag` is `key`. False when the table
    // can't be opened or a row stays locked (shown once).
    bool DeleteAllRecords(qint32 key, const QString& path, const QString& tag, DATA4* handle = nullptr);

    // --- Attachments ------------------------------------------------------
    QString AttachPath() const;
    void CreateAttachDir();
    QString GetAttachmentSubDir(qint32 rowid, const QString& prefix) const;
    void DeleteAttachments(qint32 rowid, const QString& prefix);

private:
    clsDB() = default;
    ~clsDB();

    QString dataPath(int table, const char* ext) const;
    QString sourcePath(int table) const;
    QString programPath(const QString& name) const;
    bool writeFields(RecColl& coll, DATA4* handle, const char* rectype);
    bool readFields(RecColl& coll, DATA4* handle, const char* rectype);
    bool saveExisting(RecColl& coll, DATA4* table, qint32 rowid, bool quiet);
    bool saveNew(RecColl& coll, DATA4* table);
    qint32 createIdRow(DATA4* ids, const QString& tableName);
    qint32 advanceId(DATA4* ids);
    int deleteLocked(DATA4* table, const QString& path, const QString& id);

    bool m_isOpen = false;
    QString m_dbPath;
    CODE4* m_engine = nullptr;
    qint32 m_loginId = -1;
    QString m_loginName;
    int m_lastResult = 0;
};

// Short form: DB().SaveRecord(...)
inline clsDB& DB() { return clsDB::instance(); }
