#include "customers/frmCustomer.h"

#include "app/MainWindow.h"
#include "app/clsCustomLabels.h"
#include "app/frmMain.h"
#include "common/Clock.h"
#include "common/Module1.h"
#include "common/Product.h"
#include "common/PromptService.h"
#include "common/RunError.h"
#include "common/WaitCursor.h"
#include "common/clsSystem.h"
#include "common/ui/YieldPacer.h"
#include "common/ui/clsSystemUI.h"
#include "data/clsDB.h"
#include "xbase/IndexC4.h"
#include "xbase/c4.h"

#include <QIcon>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QTableWidget>
#include <QTreeWidget>

#include <functional>

namespace {

// Issue rows compare their identifiers as numbers, whatever their width.
constexpr int kNumberRole = Qt::UserRole + 5;

class IssueRow : public QTreeWidgetItem {
public:
    using QTreeWidgetItem::QTreeWidgetItem;
    bool operator<(const QTreeWidgetItem& other) const override
    {
        const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
        if (column == 0)
            return data(0, kNumberRole).toLongLong() < other.data(0, kNumberRole).toLongLong();
        return QTreeWidgetItem::operator<(other);
    }
};

QString trimmedField(FIELD4* field) { return Module1::FieldStr(field).trimmed(); }

// "NO" once the stored end date has passed, "Yes" otherwise (no date, or
// one that is no date, included).
QString activeText(const QString& storedTerm)
{
    const QDate term = QDate::fromString(storedTerm, QStringLiteral("yyyyMMdd"));
    return term.isValid() && term < Clock::today() ? QStringLiteral("NO") : QStringLiteral("Yes");
}

// Painting held and the busy pointer on while a list fills; both come back
// however the fill ends.
class FillScope {
public:
    explicit FillScope(QTreeWidget* lv)
        : m_lv(lv)
    {
        m_lv->setUpdatesEnabled(false);
    }
    ~FillScope()
    {
        if (m_lv)
            m_lv->setUpdatesEnabled(true);
    }

private:
    WaitCursor m_busy;  // made first and gone last
    QPointer<QTreeWidget> m_lv;
};

// The row the fill selects: the saved row, else the one selected before,
// else the first.
void selectAfterFill(QTreeWidget* lv, const QString& keptKey, qint32 rowId)
{
    SysUI().LvSelectFirstItem(lv);
    if (!keptKey.isEmpty())
        SysUI().LvSelectItem(lv, keptKey);
    if (rowId >= 1)
        SysUI().LvSelectItem(lv, QStringLiteral("N") + QString::number(rowId));
}

QIcon listIcon(const frmMain* main, int index)
{
    return main && main->SysImageList.size() > index ? main->SysImageList.at(index) : QIcon();
}

// Refills the list with the customer's rows of the table, each made by
// makeRow from the open category table and the handles of `fields` (in that
// order). Other events run now and then while the rows are added. Then
// sorted by the first column, counted ("<n><countSuffix>") and a row
// selected. A table that can't be opened (its opener has said so) leaves
// the list empty; a table without the fields or the index is reported as
// an error.
void fillList(QTreeWidget* lv, QLabel* count, const QString& countSuffix, const QString& path,
              std::initializer_list<const char*> fields, const QString& errorLabel, qint32 custId, qint32 rowId,
              const std::function<QTreeWidgetItem*(DATA4*, const QList<FIELD4*>&)>& makeRow)
{
    FillScope scope(lv);
    const QString keptKey = SysUI().LvGetSelectedItemKey(lv);
    lv->clear();
    DATA4* categories = DB().OpenTable(DB().CategoryTable());
    if (!categories)
        return;
    DATA4* table = DB().OpenTable(path);
    if (!table) {
        d4close(categories);
        return;
    }
    d4tagSelect(table, d4tag(table, "CUSTID"));
    d4top(table);
    QList<FIELD4*> handles;
    for (const char* name : fields)
        handles.append(d4field(table, name));
    if (handles.contains(nullptr) || !d4tagSelected(table)) {
        d4close(table);
        d4close(categories);
        Sys().ShowError(errorLabel, RunError::make(3265, QStringLiteral("Item not found in this collection.")));
        return;
    }
    QPointer<QTreeWidget> guard(lv);
    YieldPacer pacer;
    for (int found = d4seekDouble(table, double(custId)); found == 0 && guard;
         found = d4seekNextDouble(table, double(custId))) {
        lv->addTopLevelItem(makeRow(categories, handles));
        pacer.yieldIfDue();
    }
    d4close(table);
    d4close(categories);
    if (!guard)
        return;
    lv->sortItems(0, Qt::AscendingOrder);
    lv->header()->setSortIndicator(0, Qt::AscendingOrder);
    count->setText(QString::number(lv->topLevelItemCount()) + countSuffix);
    selectAfterFill(lv, keptKey, rowId);
}

} // namespace

void frmCustomer::LV_AddColHeaders()
{
    grdContacts->setColumnCount(5);
    grdContacts->setRowCount(50);
    grdContacts->setHorizontalHeaderLabels({QStringLiteral("Name"), QStringLiteral("Title"), QStringLiteral("Address"),
                                            QStringLiteral("Telephone"), QStringLiteral("Email")});
    QStringList numbers;
    for (int i = 1; i <= 50; ++i)
        numbers.append(QString::number(i));
    grdContacts->setVerticalHeaderLabels(numbers);
    grdContacts->verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    const int widths[] = {133, 96, 233, 96, 133};
    for (int c = 0; c < 5; ++c)
        grdContacts->setColumnWidth(c, widths[c]);

    lvPS->setHeaderLabels({QStringLiteral("Product/Service"),
                           CustomLabels().GetPSLabelName(QStringLiteral("shortdesc"), false),
                           CustomLabels().GetPSLabelName(QStringLiteral("dateinit"), false),
                           CustomLabels().GetPSLabelName(QStringLiteral("dateterm"), false),
                           QStringLiteral("Active?"), QStringLiteral("Date Init Sort"),
                           QStringLiteral("Date Term Sort")});
    lvPS->headerItem()->setTextAlignment(4, Qt::AlignCenter);
    lvIssues->setHeaderLabels({QStringLiteral("ID"), QStringLiteral("Status"), QStringLiteral("Short Description"),
                               QStringLiteral("Product/Service"), QStringLiteral("Submit Date"),
                               QStringLiteral("Date Sort")});
    // The sortable forms of the dates are there to sort on, not to be seen.
    lvPS->setColumnHidden(5, true);
    lvPS->setColumnHidden(6, true);
    lvIssues->setColumnHidden(5, true);
}

void frmCustomer::runFill(PendingFill& pending, void (frmCustomer::*fill)(qint32), qint32 rowId)
{
    // A notice that arrives while a fill lets events run waits for its end.
    if (m_filling > 0) {
        pending.wanted = true;
        pending.rowId = rowId;
        return;
    }
    ++m_filling;
    (this->*fill)(rowId);
    while (m_pendingPS.wanted || m_pendingIssues.wanted) {
        for (auto [p, f] : {std::pair{&m_pendingPS, &frmCustomer::fillPS},
                            std::pair{&m_pendingIssues, &frmCustomer::fillIssues}}) {
            if (p->wanted) {
                p->wanted = false;
                (this->*f)(p->rowId);
            }
        }
    }
    --m_filling;
    if (m_closeAfterFill) {
        m_closeAfterFill = false;
        CloseWindow();
    }
}

void frmCustomer::LV_LoadPS(qint32 RowID) { runFill(m_pendingPS, &frmCustomer::fillPS, RowID); }

void frmCustomer::LV_LoadIssues(qint32 RowID) { runFill(m_pendingIssues, &frmCustomer::fillIssues, RowID); }

void frmCustomer::fillPS(qint32 rowId)
{
    const QIcon icon = listIcon(mainWindow(), 2);
    fillList(lvPS, lblPS, QStringLiteral(" products/services"), DB().Customers2PSTable(),
             {"ROWID", "PSID", "SHORTDESC", "DATEINIT", "DATETERM"}, QStringLiteral("frmCustomer_LV_LoadPS"),
             CustID(), rowId, [&icon](DATA4* categories, const QList<FIELD4*>& f) {
                 const QString init = trimmedField(f[3]);
                 const QString term = trimmedField(f[4]);
                 auto* item = new QTreeWidgetItem(QStringList{
                     DB().GetCategoryDesc(qint32(f4long(f[1])), categories), trimmedField(f[2]),
                     Sys().DBDateToDislayDate(init, QStringLiteral("Short Date")),
                     Sys().DBDateToDislayDate(term, QStringLiteral("Short Date")), activeText(term), init, term});
                 clsSystemUI::lvSetItemKey(item, QStringLiteral("N") + QString::number(f4long(f[0])));
                 item->setIcon(0, icon);
                 item->setTextAlignment(4, Qt::AlignCenter);
                 return item;
             });
    m_psOrder = Qt::AscendingOrder;
}

void frmCustomer::fillIssues(qint32 rowId)
{
    const QIcon icon = listIcon(mainWindow(), 4);
    fillList(lvIssues, lblIssues, QStringLiteral(" issues"), DB().IssuesTable(),
             {"ROWID", "SUBMITDT", "PSID", "SHORTDESC", "STATUS"}, QStringLiteral("frmCustomer_LV_LoadIssues"),
             CustID(), rowId, [&icon](DATA4* categories, const QList<FIELD4*>& f) {
                 const qint32 id = qint32(f4long(f[0]));
                 const QString submit = trimmedField(f[1]);
                 // Padded to six characters on the left; a longer
                 // identifier is shown whole.
                 const QString number = QString::number(id);
                 auto* item = new IssueRow(QStringList{
                     number.rightJustified(6, QLatin1Char(' ')), DB().GetCategoryDesc(qint32(f4long(f[4])), categories),
                     trimmedField(f[3]), DB().GetCategoryDesc(qint32(f4long(f[2])), categories),
                     Sys().DBDateToDislayDate(submit, QStringLiteral("Short Date")), submit});
                 clsSystemUI::lvSetItemKey(item, QStringLiteral("N") + number);
                 item->setData(0, kNumberRole, qlonglong(id));
                 item->setIcon(0, icon);
                 return item;
             });
    m_issuesOrder = Qt::AscendingOrder;
}

void frmCustomer::lvColumnClick(QTreeWidget* lv, int column)
{
    // The date columns sort on their hidden sortable forms.
    int target = column;
    if (lv == lvPS && column == 2)
        target = 5;
    else if (lv == lvPS && column == 3)
        target = 6;
    else if (lv == lvIssues && column == 4)
        target = 5;
    Qt::SortOrder& order = lv == lvPS ? m_psOrder : m_issuesOrder;
    order = order == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    lv->sortItems(target, order);
    lv->header()->setSortIndicator(column, order);
}

void frmCustomer::cmdPropertiesPS_Click()
{
    QTreeWidgetItem* item = nullptr;
    if (!SysUI().LvIsItemSelected(lvPS) || !SysUI().LvGetSelectedItem(lvPS, item)) {
        MsgBox(QStringLiteral("No Product/Service is currently selected. Please make a selection first."),
               MsgStyle::Exclamation, Product::name());
        return;
    }
    if (frmMain* main = mainWindow())
        main->ShowPS(clsSystemUI::lvItemKey(item).mid(1).toInt(), CustID(), false);
}

void frmCustomer::cmdPropertiesIssues_Click()
{
    QTreeWidgetItem* item = nullptr;
    if (!SysUI().LvIsItemSelected(lvIssues) || !SysUI().LvGetSelectedItem(lvIssues, item)) {
        MsgBox(QStringLiteral("No Issue is currently selected. Please make a selection first."),
               MsgStyle::Exclamation, Product::name());
        return;
    }
    if (frmMain* main = mainWindow())
        main->ShowIssue(clsSystemUI::lvItemKey(item).mid(1).toInt(), CustID(), false, -1);
}
