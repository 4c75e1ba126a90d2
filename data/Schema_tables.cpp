#include "data/Schema.h"

#include <array>

namespace Schema {
namespace {

// Identifiers hold the whole 32-bit range, sign included.
#define BM_ID(name) FieldDef{name, 'N', 11, 0}
#define BM_TEXT(name, width) FieldDef{name, 'C', width, 0}
#define BM_DATE(name) FieldDef{name, 'D', 8, 0}
#define BM_MEMO(name) FieldDef{name, 'M', 10, 0}
// The last-edit stamp and the under-edit mark of the editable tables.
#define BM_STAMP_AND_MARK                                                        \
    BM_ID("lastmodby"), BM_DATE("lastmoddt"), BM_TEXT("lastmodtm", 8),           \
        BM_ID("underedit"), BM_TEXT("edtstation", 40)

constexpr char kLive[] = ".NOT.DELETED()";
#define BM_TAG(name, key) TagDef{name, key, kLive}

constexpr std::array kCatFields{BM_ID("rowid"), BM_ID("type"), BM_TEXT("desc", 60)};
constexpr std::array kCatTags{BM_TAG("rowid", "rowid"), BM_TAG("desc", "UPPER(desc)"),
                              BM_TAG("type", "type")};

constexpr std::array kCustFields{
    BM_ID("rowid"),          BM_TEXT("custno", 20),     BM_TEXT("firstname", 30),
    BM_TEXT("lastname", 40), BM_TEXT("company", 60),    BM_ID("custcat"),
    BM_TEXT("salutation", 15), BM_TEXT("title", 40),    BM_TEXT("address1", 60),
    BM_TEXT("address2", 60), BM_TEXT("city", 40),       BM_ID("state"),
    BM_TEXT("postalcode", 15), BM_ID("country"),        BM_TEXT("workphone", 30),
    BM_TEXT("homephone", 30), BM_TEXT("mobilphone", 30), BM_TEXT("faxphone", 30),
    BM_TEXT("emailname", 80), BM_TEXT("emailname2", 80), BM_MEMO("notes"),
    BM_MEMO("contacts"),     BM_TEXT("custom1", 60),    BM_TEXT("custom2", 60),
    BM_STAMP_AND_MARK};
// custcat, state and country let a report filter seek its rows.
constexpr std::array kCustTags{
    BM_TAG("rowid", "rowid"),         BM_TAG("lastname", "UPPER(lastname)"),
    BM_TAG("company", "UPPER(company)"), BM_TAG("custno", "UPPER(custno)"),
    BM_TAG("workphone", "UPPER(workphone)"), BM_TAG("custcat", "custcat"),
    BM_TAG("state", "state"),         BM_TAG("country", "country")};

constexpr std::array kCustPsFields{
    BM_ID("rowid"),          BM_ID("custid"),          BM_ID("psid"),
    BM_TEXT("shortdesc", 80), BM_TEXT("custom1", 60),  BM_TEXT("custom2", 60),
    BM_DATE("dateinit"),     BM_DATE("dateterm"),      BM_TEXT("contno", 40),
    BM_TEXT("trackno", 40),  BM_ID("conttype"),        BM_ID("contdur"),
    BM_MEMO("notes"),        BM_STAMP_AND_MARK};
constexpr std::array kCustPsTags{BM_TAG("rowid", "rowid"), BM_TAG("custid", "custid"),
                                 BM_TAG("PSID", "psid")};

constexpr std::array kIdFields{BM_TEXT("tblname", 40), BM_ID("lastid")};
constexpr std::array kIdTags{BM_TAG("TBLNAME", "tblname")};

constexpr std::array kIssuesFields{
    BM_ID("rowid"),          BM_ID("custid"),          BM_ID("psid"),
    BM_TEXT("shortdesc", 80), BM_TEXT("custom1", 60),  BM_TEXT("custom2", 60),
    BM_ID("assignedto"),     BM_ID("priority"),        BM_ID("status"),
    BM_ID("issuecat"),       BM_DATE("submitdt"),      BM_DATE("responsedt"),
    BM_DATE("resolvedt"),    BM_MEMO("desc"),          BM_MEMO("resolution"),
    BM_STAMP_AND_MARK};
// priority and issuecat let a report filter seek its rows.
constexpr std::array kIssuesTags{
    BM_TAG("rowid", "rowid"),          BM_TAG("custid", "custid"),
    BM_TAG("PSID", "psid"),            BM_TAG("ASSIGNEDTO", "assignedto"),
    BM_TAG("status", "status"),        BM_TAG("SUBMITDT", "DTOS(submitdt)"),
    BM_TAG("priority", "priority"),    BM_TAG("issuecat", "issuecat")};

constexpr std::array kIActionsFields{
    BM_ID("rowid"),   BM_ID("issueid"),      BM_DATE("date"),
    BM_ID("action"),  BM_ID("perfby"),       BM_TEXT("desc", 120),
    FieldDef{"duration", 'N', 12, 2},        BM_MEMO("notes")};
constexpr std::array kIActionsTags{BM_TAG("rowid", "rowid"), BM_TAG("issueid", "issueid")};

constexpr std::array kITemplFields{
    BM_ID("rowid"),          BM_ID("psid"),            BM_TEXT("shortdesc", 80),
    BM_TEXT("custom1", 60),  BM_TEXT("custom2", 60),   BM_ID("assignedto"),
    BM_ID("priority"),       BM_ID("status"),          BM_ID("issuecat"),
    BM_MEMO("desc"),         BM_MEMO("resolution"),    BM_TEXT("name", 120),
    BM_STAMP_AND_MARK};
constexpr std::array kITemplTags{BM_TAG("rowid", "rowid"), BM_TAG("name", "UPPER(name)")};

// password holds the hexadecimal form of a 20-character password.
constexpr std::array kUserFields{
    BM_ID("rowid"),          BM_TEXT("login", 20),     BM_TEXT("password", 40),
    BM_TEXT("firstname", 30), BM_TEXT("lastname", 40), BM_TEXT("dept", 40),
    BM_TEXT("useractive", 1), BM_TEXT("usertype", 1),  BM_TEXT("perm", 30),
    BM_MEMO("note"),         BM_STAMP_AND_MARK};
constexpr std::array kUserTags{
    BM_TAG("rowid", "rowid"), BM_TAG("login", "UPPER(login)"),
    TagDef{"ACTIVEUSER", "UPPER(login)", "useractive = \"T\" .AND. .NOT.DELETED()"}};

constexpr std::array kRepFields{BM_ID("rowid"), BM_TEXT("title", 100), BM_TEXT("type", 1),
                                BM_MEMO("def"), BM_MEMO("notes"), BM_STAMP_AND_MARK};
constexpr std::array kRepTags{BM_TAG("rowid", "rowid"), BM_TAG("title", "UPPER(title)")};

constexpr std::array kParamFields{BM_TEXT("sid", 60), BM_MEMO("value")};
constexpr std::array kParamTags{BM_TAG("sid", "sid")};

const TableDef kTables[kTableCount] = {
    {"cat", kCatFields, kCatTags},
    {"cust", kCustFields, kCustTags},
    {"cust_ps", kCustPsFields, kCustPsTags},
    {"id", kIdFields, kIdTags},
    {"issues", kIssuesFields, kIssuesTags},
    {"iactions", kIActionsFields, kIActionsTags},
    {"itempl", kITemplFields, kITemplTags},
    {"user", kUserFields, kUserTags},
    {"rep", kRepFields, kRepTags},
    {"param", kParamFields, kParamTags},
};

constexpr std::array kAllTables{Table::Cat,    Table::Cust,     Table::CustPs, Table::Id,
                                Table::Issues, Table::IActions, Table::ITempl, Table::User,
                                Table::Rep,    Table::Param};

constexpr std::array kRepColsFields{
    BM_ID("rowid"),         BM_TEXT("name", 40),      BM_TEXT("rpttype", 1),
    BM_TEXT("purpose", 1),  BM_TEXT("fldname", 10),   BM_TEXT("tblname", 20),
    BM_TEXT("datatype", 1), BM_TEXT("customname", 40), FieldDef{"order", 'N', 5, 0},
    FieldDef{"cattype", 'N', 5, 0}};
constexpr std::array kRepColsTags{BM_TAG("rowid", "rowid"), BM_TAG("order", "order")};

constexpr std::array kMailMergeFields{
    BM_TEXT("custno", 20),     BM_TEXT("salutation", 15), BM_TEXT("firstname", 30),
    BM_TEXT("lastname", 40),   BM_TEXT("company", 60),    BM_TEXT("title", 40),
    BM_TEXT("address1", 60),   BM_TEXT("address2", 60),   BM_TEXT("city", 40),
    BM_TEXT("state", 60),      BM_TEXT("postalcode", 15), BM_TEXT("country", 60),
    BM_TEXT("workphone", 30),  BM_TEXT("homephone", 30),  BM_TEXT("mobilphone", 30),
    BM_TEXT("faxphone", 30),   BM_TEXT("emailname", 80),  BM_TEXT("emailname2", 80),
    BM_TEXT("custom1", 60),    BM_TEXT("custom2", 60),    BM_TEXT("custcat", 60),
    BM_TEXT("prodserv", 254)};

const TableDef kRepCols{"repcols", kRepColsFields, kRepColsTags};
const TableDef kMailMerge{"mm", kMailMergeFields, {}};

} // namespace

const TableDef& table(Table t) { return kTables[static_cast<int>(t)]; }
std::span<const Table> allTables() { return kAllTables; }
const TableDef& reportColumnsTable() { return kRepCols; }
const TableDef& mailMergeTable() { return kMailMerge; }

} // namespace Schema
