#pragma once

#include <QString>

#include <span>

// The schema of a database folder, in one place: the ten tables with their
// fields and index tags, the two tables of the program folder (the report
// column catalogue and the mail-merge template), the field kinds through which
// a value is written, and the record types that carry one row between a window
// and the database object. The shipped templates are generated from this
// source, and the database object reads and writes by it.
namespace Schema {

// The prefix of every table file name ("bcc" + "cust" = "bcccust.dbf").
inline constexpr char kTablePrefix[] = "bcc";

// The tables of a database folder, in the order of the maintenance list.
enum class Table { Cat, Cust, CustPs, Id, Issues, IActions, ITempl, User, Rep, Param };
inline constexpr int kTableCount = 10;

// A field of a table file: FoxPro type letter C, N, D or M.
struct FieldDef {
    const char* name;
    char type;
    int width;
    int decimals;
};

// An index tag: its name, key expression and FOR expression. Every shipped tag
// leaves out deleted rows.
struct TagDef {
    const char* name;
    const char* key;
    const char* forExpr;
};

struct TableDef {
    const char* stem;    // the name after the prefix: "cust", "cust_ps"
    std::span<const FieldDef> fields;
    std::span<const TagDef> tags;
    bool hasMemo() const;
    const FieldDef* field(const QString& name) const;   // nullptr when absent
};

const TableDef& table(Table t);
std::span<const Table> allTables();

// "bcccust" and "bcccust.dbf" of a table.
QString tableName(Table t);
QString dataFileName(Table t);
QString baseName(const TableDef& def);  // prefix + stem

// The program-folder tables: the report column catalogue (with an index, no
// memo) and the mail-merge template (no index, no memo).
const TableDef& reportColumnsTable();
const TableDef& mailMergeTable();
QString reportColumnsFileName();   // "bccrepcols.dbf"
QString reportColumnsIndexName();  // "bccrepcols.cdx"
QString mailMergeFileName();       // "bccmm.db_"
QString attachFolderName();        // "bccattach"

// The extension of a template: the last letter replaced by "_" ("dbf" -> "db_").
QString templateName(const QString& fileName);

// How a field's text is stored (the value writer dispatches on it).
enum FieldKind {
    fkText = 1,      // the text unchanged
    fkDate = 2,      // "YYYYMMDD"; a text that is not a date stores an empty value
    fkDecimal = 3,   // number with decimals, written only when the text is numeric
    fkNumber = 4,    // number, as fkDecimal
    fkWhole = 5,     // whole number, as fkDecimal
    fkFlag = 6,      // "T"/"F" from a numeric text, written only when numeric
    fkNumber7 = 7,   // number, as fkDecimal
    fkMemo = 8,      // memo text, any length
    fkTime = 9,      // "hh:mm:ss"; a text that is not a date or time stores an empty value
};

// A field of a record type with the kind by which it is written or read.
// Readers take fkWhole as a 32-bit whole number, fkMemo as memo text and every
// other kind as the field's text; all texts are trimmed.
struct KindField {
    const char* name;
    int kind;
};

// A record type: the value of a collection's "_rectype", compared exactly.
struct RecordType {
    const char* name;
    std::span<const KindField> writes;   // empty: no writer
    bool stamp;                          // the writer adds the last-edit stamp
    std::span<const KindField> reads;    // empty: no reader
};

// The record type of that exact name, or nullptr.
const RecordType* recordType(const QString& name);
std::span<const RecordType> allRecordTypes();

// The last-edit stamp and the under-edit mark as field lists.
std::span<const KindField> lastEditFields();
std::span<const KindField> lockInfoFields();

} // namespace Schema
