#include "data/ShippedData.h"

#include <array>

namespace ShippedData {
namespace {

using Schema::Table;

const AdminUser kAdmin{1000, "admin", "vorne", "Administrator", "1", "T",
                       "111111111111111111111111111111"};

constexpr std::array kCategories{
    Category{400, 101, "Open"},     Category{401, 101, "In Progress"},
    Category{402, 101, "On Hold"},  Category{403, 101, "Waiting for Customer"},
    Category{404, 101, "Resolved"}, Category{405, 101, "Closed"},
    Category{450, 102, "Low"},      Category{451, 102, "Normal"},
    Category{452, 102, "High"},     Category{453, 102, "Urgent"}};

#define BM_CUST_D(id, name, fld, type, lab, ord, cat) \
    ReportColumn{id, name, "C", "D", fld, Table::Cust, type, lab, ord, cat}
#define BM_CUST_F(id, name, fld, type, lab, ord, cat) \
    ReportColumn{id, name, "C", "F", fld, Table::Cust, type, lab, ord, cat}
#define BM_ISSUE_D(id, name, fld, type, lab, ord, cat) \
    ReportColumn{id, name, "I", "D", fld, Table::Issues, type, lab, ord, cat}
#define BM_ISSUE_F(id, name, fld, type, lab, ord, cat) \
    ReportColumn{id, name, "I", "F", fld, Table::Issues, type, lab, ord, cat}

// Category columns carry the list that offers their values also as display
// columns; filter columns need an index tag named like their field (the
// report seeks on it), except "P", which names no field.
constexpr std::array kReportColumns{
    BM_CUST_D(1, "Customer ID", "rowid", "I", false, 10, 0),
    BM_CUST_D(2, "Customer Number", "custno", "S", true, 20, 0),
    BM_CUST_D(3, "Salutation", "salutation", "S", false, 30, 0),
    BM_CUST_D(4, "First Name", "firstname", "S", true, 40, 0),
    BM_CUST_D(5, "Last Name", "lastname", "S", true, 50, 0),
    BM_CUST_D(6, "Company", "company", "S", true, 60, 0),
    BM_CUST_D(7, "Title", "title", "S", true, 70, 0),
    BM_CUST_D(8, "Category", "custcat", "L", true, 80, 1),
    BM_CUST_D(9, "Address (line 1)", "address1", "S", true, 90, 0),
    BM_CUST_D(10, "Address (line 2)", "address2", "S", true, 100, 0),
    BM_CUST_D(11, "City", "city", "S", true, 110, 0),
    BM_CUST_D(12, "State", "state", "L", true, 120, 3),
    BM_CUST_D(13, "Postal Code", "postalcode", "S", true, 130, 0),
    BM_CUST_D(14, "Country", "country", "L", true, 140, 4),
    BM_CUST_D(15, "Work Phone", "workphone", "S", true, 150, 0),
    BM_CUST_D(16, "Home Phone", "homephone", "S", true, 160, 0),
    BM_CUST_D(17, "Mobile Phone", "mobilphone", "S", true, 170, 0),
    BM_CUST_D(18, "Fax Phone", "faxphone", "S", true, 180, 0),
    BM_CUST_D(19, "Default Email", "emailname", "S", true, 190, 0),
    BM_CUST_D(20, "Alternate Email", "emailname2", "S", true, 200, 0),
    BM_CUST_D(21, "Custom 1", "custom1", "S", true, 210, 0),
    BM_CUST_D(22, "Custom 2", "custom2", "S", true, 220, 0),
    BM_CUST_D(23, "Products/Services", "", "X", false, 230, 0),
    BM_CUST_D(24, "Last Modified On", "lastmoddt", "D", false, 240, 0),
    BM_CUST_D(25, "Last Modified By", "lastmodby", "U", false, 250, 0),
    BM_CUST_F(51, "Category", "custcat", "L", true, 10, 1),
    BM_CUST_F(52, "State", "state", "L", true, 20, 3),
    BM_CUST_F(53, "Country", "country", "L", true, 30, 4),
    BM_CUST_F(54, "Product/Service", "", "P", false, 40, 2),
    BM_ISSUE_D(101, "Issue ID", "rowid", "I", false, 10, 0),
    BM_ISSUE_D(102, "Customer", "custid", "C", false, 20, 0),
    BM_ISSUE_D(103, "Customer ID", "custid", "I", false, 30, 0),
    BM_ISSUE_D(104, "Product/Service", "psid", "L", false, 40, 2),
    BM_ISSUE_D(105, "Short Description", "shortdesc", "S", false, 50, 0),
    BM_ISSUE_D(106, "Custom 1", "custom1", "S", true, 60, 0),
    BM_ISSUE_D(107, "Custom 2", "custom2", "S", true, 70, 0),
    BM_ISSUE_D(108, "Assigned To", "assignedto", "U", false, 80, 0),
    BM_ISSUE_D(109, "Priority", "priority", "L", false, 90, 102),
    BM_ISSUE_D(110, "Status", "status", "L", false, 100, 101),
    BM_ISSUE_D(111, "Category", "issuecat", "L", true, 110, 105),
    BM_ISSUE_D(112, "Date Submitted", "submitdt", "D", false, 120, 0),
    BM_ISSUE_D(113, "Date Responded", "responsedt", "D", false, 130, 0),
    BM_ISSUE_D(114, "Date Resolved", "resolvedt", "D", false, 140, 0),
    BM_ISSUE_D(115, "Last Modified On", "lastmoddt", "D", false, 150, 0),
    BM_ISSUE_D(116, "Last Modified By", "lastmodby", "U", false, 160, 0),
    BM_ISSUE_F(151, "Product/Service", "psid", "L", false, 10, 2),
    BM_ISSUE_F(152, "Status", "status", "L", false, 20, 101),
    BM_ISSUE_F(153, "Priority", "priority", "L", false, 30, 102),
    BM_ISSUE_F(154, "Category", "issuecat", "L", true, 40, 105),
};

} // namespace

const AdminUser& admin() { return kAdmin; }
int nextUserId() { return kAdmin.rowid + 1; }
std::span<const Category> categories() { return kCategories; }
std::span<const ReportColumn> reportColumns() { return kReportColumns; }

QString tblname(const ReportColumn& col) { return Schema::dataFileName(col.table); }

QString customname(const ReportColumn& col)
{
    if (!col.labelled)
        return {};
    return (tblname(col) + QLatin1Char('_') + QLatin1String(col.fldname)).toUpper();
}

} // namespace ShippedData
