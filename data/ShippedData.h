#pragma once

#include "data/Schema.h"

#include <QString>

#include <span>

// The rows that ship in the program folder's templates and catalogue. Their
// identifiers never change once shipped: stored databases and report
// definitions refer to them.
namespace ShippedData {

// The built-in administrator of a new database (password "vorne").
struct AdminUser {
    int rowid;
    const char* login;
    const char* password;   // as typed; stored in its hexadecimal form
    const char* lastname;
    const char* usertype;
    const char* useractive;
    const char* perm;
};
const AdminUser& admin();
// The next user identifier that a new database issues.
int nextUserId();

// Default rows of the category table.
struct Category {
    int rowid;
    int type;
    const char* desc;
};
// Identifiers issued later start at 1000, above every shipped row.
std::span<const Category> categories();

// One row of the report column catalogue.
struct ReportColumn {
    int rowid;
    const char* name;
    const char* rpttype;     // "C" customers, "I" issues
    const char* purpose;     // "D" display column, "F" filter column
    const char* fldname;
    Schema::Table table;     // Cust or Issues
    const char* datatype;    // S, L, I, C, D, U, X, P
    bool labelled;           // the field has a custom label
    int order;
    int cattype;             // category type of a filter's values; 0 for none
};
std::span<const ReportColumn> reportColumns();
// The stored texts of a catalogue row: the source table file name, and the
// label parameter key ("BCCCUST.DBF_CUSTOM1") or "" for a field without one.
QString tblname(const ReportColumn& col);
QString customname(const ReportColumn& col);

} // namespace ShippedData
