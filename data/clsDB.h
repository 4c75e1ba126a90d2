#pragma once

#include "common/Progress.h"
#include "common/RunError.h"
#include "data/DbListRow.h"
#include "data/DbWindows.h"
#include "data/RecColl.h"
#include "data/clsDBFile.h"
#include "xbase/IndexC4.h"
#include "xbase/c4.h"

#include <QHash>
#include <QList>
#include <functional>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>

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
    // Opens a table of the open engine; null (after "Unable to open: " with
    // the file that failed, the table's or its index's or memo's, and what
    // was wrong with it, and a cleared engine error) when it cannot be opened.
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
    // For callers that save many new rows at once (an import, the seeding):
    // while kept, the identifier table stays open between identifiers instead
    // of being opened for each one; every identifier is still sought, locked,
    // advanced and written through on its own. Ending the session ends it.
    void KeepIdTableOpen(bool keep);

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
    // A long count calls `tick` (when given) after every kRowsPerCountTick
    // rows, so that a caller with a window can let the user act meanwhile.
    static constexpr qint32 kRowsPerCountTick = 10000;
    qint32 GetRecCount(const QString& path, const QString& tag, const std::function<void()>& tick = {});
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
    // Deletes the issue's row of `issues` (bccissues) together with every
    // row of `actions` (bcciactions) under the tag "issueid", or nothing:
    // all of them are locked first, and a row that another user keeps
    // locked is reported as DeleteRecord reports it and leaves the issue
    // whole. True when none of the rows is left (also when there were none).
    // Both tables stay open.
    bool deleteIssueWithActions(qint32 issueId, DATA4* issues, DATA4* actions);

    // --- Attachments ------------------------------------------------------
    QString AttachPath() const;
    void CreateAttachDir();
    QString GetAttachmentSubDir(qint32 rowid, const QString& prefix) const;
    void DeleteAttachments(qint32 rowid, const QString& prefix);

    // --- Opening, creating and closing -------------------------------------
    // The 28 files of a database folder in their fixed order (data, index and
    // memo file of each table in the maintenance list's order). The files of
    // the issue-action and issue-template tables are the addable ones: an
    // opening copies them in from the templates when only they are missing.
    static QStringList databaseFileNames();
    static bool isAddableFile(const QString& name);
    // Checks the folder (DirContainsValidData; a failure leaves the open
    // database and its windows as they were), closes the open database,
    // starts the engine and asks for a login. True when the database is open
    // and logged in: the folder is then the preference "db", the main window
    // has refreshed its labels and the attachments folder exists. A cancelled
    // login closes the database again and leaves the preference alone.
    bool OpenDB(const QString& folder);
    // Closes every window but the main one; then, when a database is open,
    // clears the open flag, folder and login (LoginID -1) and shuts the
    // engine down, which closes every table it still holds.
    void CloseDB();
    // Copies the 28 templates into an existing folder that holds none of the
    // database files; does not open it. False after the existing-files
    // message, or after the re-install message when a copy fails; a failed
    // attempt removes the files it copied, so that a second try can start.
    bool NewDB(const QString& folder);
    // Start-up: opens the folder of the preference "db" / the folder named on
    // the command line. An empty folder gives False and shows nothing; a
    // folder that does not exist shows the cannot-reach message.
    bool OpenLastDB();
    bool OpenDBOnCommandLine(const QString& folder);
    void CantOpenLastDB(const QString& folder);
    // True when the folder holds the 22 required files, after copying in the
    // missing files of the addable tables; otherwise the missing-files
    // message (naming required files only) and False. A failed copy gives
    // False without the message.
    bool DirContainsValidData(const QString& folder);
    // True when the folder holds none of the 28 files; otherwise the
    // existing-files message and False.
    bool DirIsClean(const QString& folder);
    void SetLastDBDir(const QString& folder);
    QString GetLastDBDir() const;
    void ClearLastDBDir();
    // The backup advice: the 28 files and the attachments folder.
    QString DBMSFiles() const;

    // --- Login and the login state -----------------------------------------
    // User types of bccuser.usertype.
    QString AdminCode() const { return QStringLiteral("1"); }
    QString UserCode() const { return QStringLiteral("0"); }
    // The login state (LoginName, LoginID above): written only by an accepted
    // login; the closing empties LoginName and sets LoginID to -1.
    bool IsAdminUser() const { return m_isAdmin; }
    const QString& password() const { return m_password; }
    void password(const QString& typed) { m_password = typed; }
    // True when an active user has that login (exactly, in any letter case)
    // and that password (in any letter case); only then are the outputs
    // written. An administrator's permissions are 30 characters "1".
    bool VerifyLogin(const QString& login, const QString& typedPassword, qint32& userId, bool& isAdmin,
                     QString& permissions);
    // Offers the remembered login (preference "LastLogin"; "admin" while the
    // database has fewer than two active users) and, while that user's
    // password is still the login, the password, through the installed login
    // dialog (DbWindows). True after a verified login, which fills the login
    // state and remembers the login; False when cancelled.
    bool PromptLogin(const QString& folder);
    bool CreateAdminLogin() const { return false; }
    // Does nothing: a database without active users cannot be logged into.
    void AddAdminUser() {}
    // The user's password in clear (lower case); "" when no user has exactly
    // that login or the row can't be read.
    QString GetUserPassword(const QString& login);
    // "administrator" when the code begins with "1", else "user".
    QString GetUserTypeStr(const QString& userType) const;
    // The user's login; "" for an identifier below 1 or a row that can't be
    // read (no message).
    QString GetUsername(qint32 userId);
    // Stores the new password ("" resets it to the user's login) with a new
    // last-edit stamp; False when the save failed. A password that could
    // never be used to log in is refused with its rule's message before
    // anything is written.
    bool SetPassword(qint32 userId, const QString& newPassword);
    // The message naming the rule that a new password breaks: a character
    // the stored form cannot hold, or more characters than it has room for;
    // "" for a password that can be stored.
    static QString PasswordRuleBroken(const QString& newPassword);
    // True for an administrator; otherwise the refusal message and False.
    bool CheckAdmin() const;
    // The rows of the users combo box (LoadCbo_Users in data/ui): every user,
    // or the active ones, in login order, shown as "Last, First (login)" or
    // the login alone. Nothing when the table can't be opened.
    std::optional<DbListRows> userRows(bool activeOnly);

    // --- Permissions ---------------------------------------------------------
    // "1111" and 26 "0": customers, products/services, issues and reports.
    QString GetDefaultPermissionsStr() const;
    // Each checks its position of the held permission string (an
    // administrator passes them all) and shows the refusal message when not
    // granted; Perm_ReportsNoMsg shows nothing.
    bool Perm_DBAdmin() const { return CheckPerm(7, false); }
    bool Perm_Reports() const { return CheckPerm(4, false); }
    bool Perm_ReportsNoMsg() const { return CheckPerm(4, true); }
    bool Perm_ReportsMailEmail() const { return CheckPerm(5, false); }
    bool Perm_Customers() const { return CheckPerm(1, false); }
    bool Perm_PS() const { return CheckPerm(2, false); }
    bool Perm_Issues() const { return CheckPerm(3, false); }
    bool Perm_ListMgmt() const { return CheckPerm(6, false); }
    // Position 1-based; a character other than "1" grants nothing.
    bool CheckPerm(int position, bool noMsg) const;
    void NoPermissionMsg() const;

    // --- Under-edit marks -----------------------------------------------------
    // `path` is the table's data file, `tableName` its file name.
    // True when the row could be read; only then are the outputs written.
    bool GetUnderEditInfo(const QString& path, const QString& tableName, qint32 rowid, qint32& userId,
                          QString& computerName);
    // True when the user may go on: no mark, a row that can't be read, or
    // "edit anyway" in the under-edit dialog shown for any mark (one's own
    // left-over mark included).
    bool CheckIfRecNotUnderEdit(const QString& path, const QString& tableName, qint32 rowid);
    // True when the row can be read; otherwise False, with the message unless
    // `noMsg`.
    bool CheckIfRecExists(const QString& path, const QString& tableName, qint32 rowid, bool noMsg);
    // Sets the mark to the logged-in user and this computer, or clears it;
    // clearing writes nothing unless the mark is the user's own. Leaves the
    // last-edit stamp alone. True when the mark was written.
    bool SetEditInfo(const QString& path, const QString& tableName, qint32 rowid, bool clear);

    // --- Category lists and list loading ------------------------------------
    // The widget-free halves of LoadLV and LoadCbo (data/ui's clsDBUI fills
    // the widgets). Nothing when no database is open or the table can't be
    // opened; after a fault, the rows read before it.
    // The rows in the order of the tag named like `textField`: all of them
    // for a type below 1, else those of that category type.
    std::optional<DbListRows> listRows(const QString& path, const QString& idField, const QString& textField,
                                       qint32 type);
    // The rows whose `filterField` holds `filterValue`, in the same order.
    std::optional<DbListRows> comboRows(const QString& path, const QString& idField, const QString& textField,
                                        const QString& filterField, qint32 filterValue);
    // The trimmed `field` of the category found under `tag`; "" when none.
    QString GetCategoryDesc(qint32 rowid, DATA4* handle, const QString& tag = QStringLiteral("rowid"),
                            const QString& field = QStringLiteral("desc"));
    // The identifier of the category of that type whose text equals `text`
    // in any letter case (callers pass it trimmed), or -1.
    qint32 CategoryExists(const QString& text, qint32 type, DATA4* handle);
    // Appends a category to the caller's open bcccat; its identifier, or -1
    // for an empty text, no table, or an append that failed.
    qint32 AddCategory(const QString& text, qint32 type, DATA4* handle);
    // Appends a row to the caller's open table with only `rowid` (the next
    // identifier of the table file `tableFile`) and `textField` set; its
    // identifier, or -1 as for AddCategory. The row gets no last-edit stamp.
    qint32 AddNamedRow(const QString& tableFile, const QString& textField, const QString& text, DATA4* handle);
    // How writing a list entry's text went.
    enum class ItemWrite { Written, Locked, NotFound, Failed };
    // Writes `text` into `textField` of the row of the caller's open table
    // whose `keyField` (under the tag of that name) holds `rowid`, under that
    // row's lock with the standing lock settings. Locked and NotFound write
    // nothing and show nothing; Failed hands back the error in `error`, with
    // the row unlocked and its unwritten change dropped.
    ItemWrite UpdateItemText(DATA4* table, const QString& keyField, const QString& textField, qint32 rowid,
                             const QString& text, RunError& error);
    // UpdateItemText for a list window, which tells the user what stopped it:
    // the row locked by another user, the row gone (both naming the table
    // file `tableFile`), or the error under `errorLabel`. True when written.
    bool UpdateListItem(DATA4* table, const QString& tableFile, const QString& keyField, const QString& textField,
                        qint32 rowid, const QString& text, const QString& errorLabel);
    // The engine's last failure (after the negative result `code` of a call
    // that a window made itself) as the error box reports it; the engine's
    // error state is cleared for the calls that follow.
    RunError TakeEngineError(int code);
    // Fills an empty collection with a new `_customer` row: the four
    // collection keys and every customer field, blank ("" or 0). Always True.
    bool NewCustomerRecColl(RecColl& coll) const;

    // --- Parameters ----------------------------------------------------------
    // Keys are stored upper-cased and match exactly, in any letter case.
    // The trimmed value; "" when the key has no row.
    QString GetParamValue(const QString& key);
    // Stores the value unchanged; a new key is added under the table's append
    // lock after a second look, so two users never add it twice.
    bool SetParamValue(const QString& key, const QString& value);
    // "bcccust.dbf" + "_" + "custom1".
    QString MakeCustomFieldParamName(const QString& tableFile, const QString& field) const;

    // --- Names ---------------------------------------------------------------
    // Lookups by row identifier; an open table handed in is used and left
    // open, null opens the table for the one call. "" when not found.
    // "Last, First (login)", or the login alone.
    QString GetUsername2(qint32 userId, DATA4* users = nullptr);
    // The customer display name (parameter CUSTOMERNAME_DISPLAY, read at
    // each call).
    QString GetCustomername(qint32 custId, DATA4* customers = nullptr);
    // The same for a list fill or a report run, which reads the parameter
    // once (CustomerNameDisplayFlag) and passes it to every lookup.
    QString GetCustomername(qint32 custId, DATA4* customers, long nameDisplayFlag);
    // The display names of the customers whose row id `wanted` accepts
    // (deleted rows left out), read in one pass through the table in record
    // order and each handed to `found`: for a fill that names many
    // customers. `keepGoing` is asked every few thousand rows (a fill yields
    // there); False stops the read. Leaves no tag selected. False when
    // stopped or after a fault (shown).
    bool CustomerNames(DATA4* customers, long nameDisplayFlag, const std::function<bool(qint32)>& wanted,
                       const std::function<void(qint32, const QString&)>& found,
                       const std::function<bool()>& keepGoing = {});
    // Name, company, address, state, postal code, country and phones joined
    // by ", ", empty parts left out.
    QString GetCustomerDetail(qint32 custId, DATA4* customers = nullptr, DATA4* categories = nullptr);
    QString GetCustomerEmail(qint32 custId, DATA4* customers = nullptr);
    // The row identifier of the user with exactly that login (any letter
    // case, active or not); 0 when none.
    qint32 GetLoginID(const QString& login);

    // --- Report column catalogue ----------------------------------------------
    // The catalogue is the program folder's table (ReportColumnsTable), never
    // written. Members given a null handle open it for the one call.
    // Kind 1: the trimmed text of `field` of catalogue row `id`; kind 5: its
    // whole number in decimal; other kinds and a missing row: "".
    QString GetRptColField(qint32 id, const QString& field, qint32 kind, DATA4* handle);
    // The row's `name` as stored, whatever its custom label.
    QString RptColumnName(qint32 id);
    // The rows that a column picker lists (LBLoadRptColumns in data/ui): those
    // of the report type and purpose (exact), in catalogue order, named as
    // clsRepDispCol names them less one trailing ":", the column identifier
    // as id. Nothing when the catalogue can't be opened.
    std::optional<DbListRows> rptColumnRows(const QString& reportType, const QString& purpose);
    // The row's `cattype`, or -1.
    qint32 RptFilterGetCatType(qint32 id);
    // Saves a copy of the report definition titled "Copy of " and its title;
    // the copy's identifier, or -1 when the row can't be read or saved.
    qint32 CopyReport(qint32 reportId);
    // Over the caller's open bcccust_ps (False without one): True when the
    // customer has the product/service.
    bool CustomerHasPS(qint32 custId, qint32 psId, DATA4* customerPs);
    // Over the caller's open bcccust_ps and bcccat ("" without either): the
    // descriptions of the customer's products/services joined by ";", in the
    // order of tag custid; a deleted category gives an empty piece.
    QString CustomerPS(qint32 custId, DATA4* customerPs, DATA4* categories);

    // --- Database maintenance ------------------------------------------------
    // Appends the numbered test issues of BulkIssues::range() to bccissues,
    // holding it exclusively with lock enforcement off, and reports every
    // 10,000 rows to `progress` (a false answer ends the run there). The rows
    // up to each report are written whole by then: an error afterwards is
    // shown and keeps them, dropping only the rows since. Refused
    // with a message, before anything is written, when bccissues already
    // holds an identifier of the range or bccid would issue one; after a run
    // bccid issues identifiers above the last appended row. The engine is
    // shared with lock enforcement on again on every way out.
    void AddBulkIssues(Progress& progress);

private:
    clsDB() = default;
    ~clsDB();

    QString dataPath(int table, const char* ext) const;
    qint32 appendNamedRow(DATA4* handle, const QString& tableFile, const char* textField, const QString& text,
                          std::optional<qint32> type, const QString& errorLabel);
    QString sourcePath(int table) const;
    QString programPath(const QString& name) const;
    bool writeFields(RecColl& coll, DATA4* handle, const char* rectype);
    bool readFields(RecColl& coll, DATA4* handle, const char* rectype);
    bool saveExisting(RecColl& coll, DATA4* table, qint32 rowid, bool quiet);
    bool saveNew(RecColl& coll, DATA4* table, int standingAttempts);
    qint32 createIdRow(DATA4* ids, const QString& tableName);
    qint32 advanceId(DATA4* ids);
    int deleteLocked(DATA4* table, const QString& path, const QString& id);
    bool lockIssueWithActions(qint32 issueId, DATA4* issues, DATA4* actions, long& issueRecord,
                              QList<long>& actionRecords);
    // Locks the current row, makes the change, writes it through and unlocks:
    // 0, or C4_LOCKED (nothing changed, nothing shown) when another user kept
    // the lock. A fault drops the unwritten change and unlocks first.
    int changeLocked(DATA4* table, const std::function<void()>& change);

    bool m_isOpen = false;
    QString m_dbPath;
    CODE4* m_engine = nullptr;
    qint32 m_loginId = -1;
    QString m_loginName;
    int m_lastResult = 0;
    bool m_keepIds = false;
    DATA4* m_heldIds = nullptr;

    // --- Opening, login and lookups (private) -------------------------------
    bool startEngine(const QString& folder);
    bool copyTemplates(const QString& folder, const QStringList& names, QStringList* copied);
    bool loadLogin(const LoginAnswer& answer);
    bool storeParam(DATA4* table, const QString& value);
    bool appendParam(DATA4* table, const QString& key, const QString& value);
    std::optional<DbListRows> walkRows(const QString& path, const QString& idField, const QString& textField,
                        const QString& filterField, qint32 filterValue, const char* label);
    QString customerDetail(DATA4* customers, DATA4* categories);
    // A customer's display name; the flag is read when not given.
    QString customerName(qint32 custId, DATA4* customers, std::optional<long> nameDisplayFlag);
    // Reads one text of the row with identifier `rowid` of the table at
    // `path` (or of `handle` when given), "" when there is none; errors are
    // shown under `label`.
    QString readById(qint32 rowid, DATA4* handle, const QString& path, const char* label,
                     const std::function<QString(DATA4*)>& read);
    static void AppendSep(QString& text, const QString& part);
    // Bulk issues: the first identifier that bccid would give bccissues
    // (1000 without its row), -1 after a failure (shown).
    qint32 peekNextId(const QString& tableName);
    // Makes bccid issue identifiers above `lastUsed` for the table (under
    // the row's lock, or the append lock for a new row).
    bool advanceIdPast(const QString& tableName, qint32 lastUsed);

    bool m_isAdmin = false;
    QString m_permissions;
    QString m_password;
};

// Short form: DB().SaveRecord(...)
inline clsDB& DB() { return clsDB::instance(); }
