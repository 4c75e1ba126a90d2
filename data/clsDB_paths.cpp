#include "data/Schema.h"
#include "data/clsDB.h"

// The table members, three per table: data file, index file, index template.
#define BM_TABLE_PATHS(Member, table)                                                              \
    QString clsDB::Member() const { return dataPath(int(Schema::Table::table), ".dbf"); }           \
    QString clsDB::Member##Index() const { return dataPath(int(Schema::Table::table), ".cdx"); }    \
    QString clsDB::Member##IndexSource() const { return sourcePath(int(Schema::Table::table)); }

BM_TABLE_PATHS(CategoryTable, Cat)
BM_TABLE_PATHS(CustomerTable, Cust)
BM_TABLE_PATHS(Customers2PSTable, CustPs)
BM_TABLE_PATHS(LastIDTable, Id)
BM_TABLE_PATHS(IssuesTable, Issues)
BM_TABLE_PATHS(IssuesActionsTable, IActions)
BM_TABLE_PATHS(IssuesTemplatesTable, ITempl)
BM_TABLE_PATHS(UserTable, User)
BM_TABLE_PATHS(ReportTable, Rep)
BM_TABLE_PATHS(ParamTable, Param)
