#include "reports/MailMerge.h"

#include "common/Module1.h"
#include "common/PromptService.h"
#include "common/RunError.h"
#include "common/clsSystem.h"
#include "data/clsDB.h"
#include "reports/OpenTables.h"
#include "reports/ReportGrid.h"
#include "xbase/IndexC4.h"
#include "xbase/c4.h"

#include <QFile>
#include <QFileInfo>

#include <array>
#include <utility>
#include <vector>

namespace {

QString canonical(const QString& path) { return QFileInfo(path).canonicalFilePath(); }

// Fields copied as trimmed text, and those that hold a category.
constexpr std::array kTextFields{"custno",    "salutation", "firstname",  "lastname",  "company",  "title",
                                 "address1",  "address2",   "city",       "postalcode", "workphone", "homephone",
                                 "mobilphone", "faxphone",  "emailname",  "emailname2", "custom1",  "custom2"};
constexpr std::array kCategoryFields{"state", "country", "custcat"};

// The fields of the copy, each with the customer field it is written from,
// looked up once for the whole file.
struct MergeFields {
    MergeFields(DATA4* merge, DATA4* customers)
    {
        for (const char* name : kTextFields)
            texts.emplace_back(d4field(merge, name), d4field(customers, name));
        for (const char* name : kCategoryFields)
            categories.emplace_back(d4field(merge, name), d4field(customers, name));
        products = d4field(merge, "prodserv");
    }
    std::vector<std::pair<FIELD4*, FIELD4*>> texts;
    std::vector<std::pair<FIELD4*, FIELD4*>> categories;
    FIELD4* products = nullptr;
};

} // namespace

namespace MailMerge {

bool refuses(const QString& fileName)
{
    const QString wanted = canonical(fileName);
    if (wanted.isEmpty())
        return false;
    QStringList guarded{DB().MailMergeTable()};
    for (const clsDBFile& file : DB().DataFilePaths()) {
        const QFileInfo table(file.Table);
        guarded << file.Table << table.path() + QStringLiteral("/") + table.completeBaseName() + QStringLiteral(".fpt")
                << file.TableIndex << file.TableIndexSource;
    }
    for (const QString& path : guarded) {
        if (!path.isEmpty() && canonical(path) == wanted) {
            MsgBox(fileName + QStringLiteral(" is a file of the open database or the mail merge template and cannot "
                                             "be replaced. Please choose another file name."),
                   MsgStyle::Exclamation);
            return true;
        }
    }
    return false;
}

bool write(const ReportGrid& grid, const QString& fileName, Progress& progress)
{
    if (QFile::exists(fileName) && !QFile::remove(fileName)) {
        MsgBox(QStringLiteral("Unable to replace ") + fileName + QLatin1Char('!'), MsgStyle::Exclamation);
        return false;
    }
    if (!QFile::copy(DB().MailMergeTable(), fileName)) {
        MsgBox(QStringLiteral("Unable to create ") + fileName + QLatin1Char('!'), MsgStyle::Exclamation);
        return false;
    }
    QFile::setPermissions(fileName, QFile::permissions(fileName) | QFile::WriteOwner);

    OpenTables tables;
    DATA4* customers = tables.open(DB().CustomerTable());
    DATA4* merge = customers ? tables.open(fileName) : nullptr;
    DATA4* categories = merge ? tables.open(DB().CategoryTable()) : nullptr;
    DATA4* customerPs = categories ? tables.open(DB().Customers2PSTable()) : nullptr;
    if (!customerPs)
        return false;

    const MergeFields fields(merge, customers);
    int rc = d4tagSelect(customers, d4tag(customers, "rowid"));
    for (int row = 0; rc >= 0 && row < grid.rowCount(); ++row) {
        const int found = d4seekDouble(customers, grid.rowData(row));
        if (found < 0) {
            rc = found;
            break;
        }
        if (found == 0) {
            rc = d4appendStartVB(merge, 0);
            if (rc >= 0)
                rc = d4blank(merge);
            if (rc < 0)
                break;
            for (const auto& [to, from] : fields.texts)
                Module1::AssignFieldStr(to, Module1::FieldStr(from).trimmed());
            for (const auto& [to, from] : fields.categories)
                Module1::AssignFieldStr(to, DB().GetCategoryDesc(qint32(f4long(from)), categories));
            Module1::AssignFieldStr(fields.products, DB().CustomerPS(grid.rowData(row), customerPs, categories));
            rc = d4append(merge);
            if (rc >= 0)
                rc = d4flush(merge);
            d4unlock(merge);
            if (rc < 0)
                break;
        }
        if ((row + 1) % 100 == 0 && !progress.report(-1))
            return false;
    }
    if (rc < 0) {
        Sys().ShowError(QStringLiteral("frmReportDisplay_CreateMailMergeData"), DB().TakeEngineError(rc));
        return false;
    }
    return true;
}

} // namespace MailMerge
