#include "customers/frmCustomerList.h"

#include "app/MainWindow.h"
#include "app/clsCustomLabels.h"
#include "app/frmMain.h"
#include "common/Module1.h"
#include "common/Product.h"
#include "common/RunError.h"
#include "common/Win1252.h"
#include "common/clsSystem.h"
#include "common/ui/HelpContext.h"
#include "common/ui/ObjectTag.h"
#include "common/ui/WindowRegistry.h"
#include "common/ui/clsSystemUI.h"
#include "common/ui/frmProgress.h"
#include "customers/CustomerListModel.h"
#include "data/clsDB.h"
#include "xbase/IndexC4.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QStyle>
#include <QTreeView>

#include <string>

namespace {

constexpr int kRowsBetweenYields = 100;
constexpr int kTwipsPerPixel = 15;

// An engine failure inside a search, for ShowError.
struct EngineFault {
    RunError error;
};

int check(DATA4* table, int code)
{
    if (code >= 0)
        return code;
    const xbase::Status& status = table->engine().lastError();
    const QString text = status.isOk() ? QStringLiteral("Database engine error")
                                       : QString::fromStdString(status.toString());
    code4errorCode(&table->engine(), 0);
    throw EngineFault{RunError::make(code, text)};
}

FIELD4* field(DATA4* table, const char* name)
{
    FIELD4* f = d4field(table, name);
    if (!f)
        throw EngineFault{RunError::make(C4_ERR_ARGUMENT, QStringLiteral("No field '%1'").arg(QLatin1String(name)))};
    return f;
}

void selectTag(DATA4* table, const QString& name)
{
    const std::string bytes = name.toStdString();
    TAG4* tag = d4tag(table, bytes.c_str());
    if (!tag)
        throw EngineFault{RunError::make(C4_ERR_TAG, QStringLiteral("No index tag '%1'").arg(name))};
    check(table, d4tagSelect(table, tag));
}

QString trimmedField(FIELD4* f) { return Sys().trimBlanks(Module1::FieldStr(f)); }

} // namespace

frmCustomerList::frmCustomerList(QWidget* parent)
    : ListWindow(parent)
{
    setWindowTitle(QStringLiteral("Customer List"));
    setObjectTag(this, QStringLiteral("VIEW_CUSTOMERINFO"));

    m_model = new CustomerListModel;
    buildFrame(makeListView(this, m_model),
               {Command::Properties, Command::Print, Command::Refresh, Command::Cancel});
    lv->setAccessibleName(QStringLiteral("Customer List"));

    // Headings under the current field labels, and the rows' image.
    HelpContext::set(this, 1210);
    const auto label = [](const char* name) {
        return CustomLabels().GetCustomerLabelName(QString::fromLatin1(name), false);
    };
    m_model->setHeadings({QStringLiteral("Name"), label("company"), label("custno"), label("workphone"),
                          label("city")});
    if (const frmMain* main = mainWindow(); main && !main->SysImageList.isEmpty())
        m_model->setIcon(main->SysImageList.first());
    resize(640, 400);
    Form_Resize();
    SetUI();
}

void frmCustomerList::Init(const QString& SearchStr, int SearchType)
{
    m_searchStr = SearchStr;
    m_searchType = SearchType;
    LoadData();
    SetUI();
}

void frmCustomerList::LoadData()
{
    if (m_filling)
        return;
    const QString keptKey = SysUI().LvGetSelectedItemKey(lv);
    DATA4* table = DB().OpenTable(DB().CustomerTable());
    if (!table)
        return;
    m_engine = DB().CBEngine();
    m_filling = true;
    setCommandsEnabled(false);
    m_model->clear();
    m_searchStr = upperWin1252(Sys().trimBlanks(m_searchStr));
    if (m_searchStr.isEmpty()) {
        LoadAllCustomers(table, 0);
    } else {
        switch (m_searchType) {
        case 1: LoadCustomersWithTag(QStringLiteral("lastname"), table); break;
        case 2: LoadCustomersWithTag(QStringLiteral("company"), table); break;
        case 3: LoadCustomersWithTag(QStringLiteral("custno"), table); break;
        case 4: LoadCustomersWithTag(QStringLiteral("workphone"), table); break;
        case 6: LoadAllCustomers(table, 6); break;
        default: break;
        }
    }
    // A database closed meanwhile took the table with it.
    if (tableStillOpen())
        d4close(table);
    SysUI().LvSetSortKey(lv, 0, Qt::AscendingOrder);
    SysUI().LvSelectFirstItem(lv);
    SysUI().LvSelectItem(lv, keptKey);
    DisplayResultCnt();
    m_filling = false;
    setCommandsEnabled(true);
    SetUI();
    if (m_closeAfterFill)
        CancelButton_Click();
}

bool frmCustomerList::yieldToUser(frmProgress* wait)
{
    m_model->flush();
    QCoreApplication::processEvents();
    return !wait->m_bCancel && !m_closeAfterFill && tableStillOpen();
}

bool frmCustomerList::tableStillOpen() const { return DB().IsOpen() && DB().CBEngine() == m_engine; }

bool frmCustomerList::runFill(const QString& message, const QString& errorLabel,
                              const std::function<void(frmProgress*)>& walk)
{
    frmProgress* wait = nullptr;
    SysUI().WaitDlgShow(wait, Product::name(), message, false, true);
    lv->setUpdatesEnabled(false);
    RunError failure;
    try {
        walk(wait);
    } catch (const EngineFault& fault) {
        failure = fault.error;
    }
    m_model->flush();
    lv->setUpdatesEnabled(true);
    SysUI().WaitDlgRemove(wait);
    if (failure.isError()) {
        Sys().ShowError(errorLabel, failure);
        return false;
    }
    return true;
}

void frmCustomerList::LoadCustomersWithTag(const QString& tagName, DATA4* table)
{
    if (Sys().trimBlanks(tagName).isEmpty())
        return;
    const bool done = runFill(QStringLiteral("Searching Customers. Please wait..."),
                              QStringLiteral("frmCustomerList_LoadCustomersWithTag"), [&](frmProgress* wait) {
        selectTag(table, tagName);
        check(table, d4top(table));
        FIELD4* rowid = field(table, "rowid");
        FIELD4* lastname = field(table, "lastname");
        FIELD4* firstname = field(table, "firstname");
        FIELD4* company = field(table, "company");
        FIELD4* city = field(table, "city");
        FIELD4* workphone = field(table, "workphone");
        FIELD4* custno = field(table, "custno");
        bool going = yieldToUser(wait);
        const std::string key = toWin1252(m_searchStr);
        long count = 0;
        int rc = going ? check(table, d4seek(table, key.c_str())) : C4_EOF;
        while (going && rc == 0) {
            AddLvItem(rowid, firstname, lastname, company, city, workphone, custno);
            if (++count % kRowsBetweenYields == 0)
                going = yieldToUser(wait);
            if (going)
                rc = check(table, d4seekNext(table, key.c_str()));
        }
    });
    if (done)
        setWindowTitle(QStringLiteral("Customers (") + tagName + QStringLiteral("='") + m_searchStr
                       + QStringLiteral("') @") + Sys().CurrTimeAMPM());
}

void frmCustomerList::LoadAllCustomers(DATA4* table, int searchType)
{
    const bool done = runFill(QStringLiteral("Listing Customers. Please wait..."),
                              QStringLiteral("frmCustomerList_LoadAllCustomers"), [&](frmProgress* wait) {
        selectTag(table, QStringLiteral("lastname"));
        int rc = check(table, d4top(table));
        FIELD4* rowid = field(table, "rowid");
        FIELD4* lastname = field(table, "lastname");
        FIELD4* firstname = field(table, "firstname");
        FIELD4* company = field(table, "company");
        FIELD4* city = field(table, "city");
        FIELD4* custno = field(table, "custno");
        const ContainsFields fields{field(table, "address1"),  field(table, "address2"),  city,
                                    field(table, "postalcode"), field(table, "workphone"), field(table, "homephone"),
                                    field(table, "mobilphone"), field(table, "faxphone")};
        bool going = true;
        long count = 0;
        while (going && rc == 0) {
            if (searchType != 6 || CustomerMeetsCriteria(fields))
                AddLvItem(rowid, firstname, lastname, company, city, fields[4], custno);
            rc = check(table, d4skip(table, 1));
            if (++count % kRowsBetweenYields == 0)
                going = yieldToUser(wait);
        }
    });
    if (!done)
        return;
    const QString at = QStringLiteral(" @") + Sys().CurrTimeAMPM();
    setWindowTitle(searchType == 6 ? QStringLiteral("Customers (Address contains '") + m_searchStr
                                             + QStringLiteral("')") + at
                                   : QStringLiteral("All Customers") + at);
}

bool frmCustomerList::CustomerMeetsCriteria(const ContainsFields& fields) const
{
    for (FIELD4* f : fields) {
        if (FieldContainsSearchStr(f))
            return true;
    }
    return false;
}

bool frmCustomerList::FieldContainsSearchStr(FIELD4* field) const
{
    const QString value = GetUCaseStringValue(field);
    return !value.isEmpty() && value.contains(m_searchStr, Qt::CaseInsensitive);
}

QString frmCustomerList::GetUCaseStringValue(FIELD4* field) { return upperWin1252(trimmedField(field)); }

void frmCustomerList::AddLvItem(FIELD4* rowid, FIELD4* firstname, FIELD4* lastname, FIELD4* company, FIELD4* city,
                                FIELD4* workphone, FIELD4* custno)
{
    CustomerListModel::Row row;
    row.id = qint32(f4long(rowid));
    row.name = Sys().MakeFullName(trimmedField(firstname), trimmedField(lastname));
    row.company = trimmedField(company);
    row.custno = trimmedField(custno);
    row.workphone = trimmedField(workphone);
    row.city = trimmedField(city);
    m_model->add(std::move(row));
}

void frmCustomerList::DisplayResultCnt()
{
    lblCust->setText(QString::number(m_model->rowCount()) + QStringLiteral(" Customer(s)"));
}

void frmCustomerList::openSelected()
{
    const QString key = SysUI().LvGetSelectedItemKey(lv);
    if (key.isEmpty())
        return;
    if (frmMain* main = mainWindow())
        main->ShowCustomer(key.mid(1).toInt(), false);
}

void frmCustomerList::reload()
{
    LoadData();
    SetUI();
}

void frmCustomerList::closeEvent(QCloseEvent* event)
{
    if (m_filling) {
        // The search lets go of the table first; the window closes after it.
        m_closeAfterFill = true;
        event->ignore();
        return;
    }
    event->accept();
}

void frmCustomerList::Form_Resize()
{
    // The list spans the window's inner width; the columns share what its
    // frame and vertical scroll bar leave, so that no horizontal one shows.
    const int inner = width() - 2 * lv->frameWidth() - lv->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, lv);
    const int fifth = std::max(0, inner) / 5;
    for (int column = 0; column < 4; ++column)
        lv->setColumnWidth(column, fifth);
    lv->setColumnWidth(4, std::max(0, fifth - 100 / kTwipsPerPixel));
}
