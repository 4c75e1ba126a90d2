#include "issues/frmMyIssues.h"

#include "app/MainWindow.h"
#include "app/frmMain.h"
#include "common/Clock.h"
#include "common/clsSystem.h"
#include "common/mdlRegistry.h"
#include "common/ui/HelpContext.h"
#include "common/ui/ObjectTag.h"
#include "common/ui/TabChain.h"
#include "common/ui/WindowRegistry.h"
#include "common/ui/clsSystemUI.h"
#include "data/clsDB.h"
#include "data/ui/clsDBUI.h"
#include "issues/IssueListFill.h"
#include "issues/core/IssueListModel.h"
#include "issues/core/MyIssuesCore.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>

namespace {

constexpr int kTwipsPerPixel = 15;
const QColor kAwayFromDefault(255, 192, 192);
const QColor kAtDefault(255, 255, 255);

void setBackColor(QComboBox* cbo, const QColor& color)
{
    QPalette palette = cbo->palette();
    palette.setColor(QPalette::Base, color);
    palette.setColor(QPalette::Button, color);
    cbo->setPalette(palette);
}

} // namespace

frmMyIssues::frmMyIssues(QWidget* parent)
    : ListWindow(parent)
{
    setWindowTitle(QStringLiteral("My Issues"));
    setObjectTag(this, QStringLiteral("MYISSUES"));
    buildControls();
    Form_Load();
}

frmMyIssues::~frmMyIssues() { delete m_fill; }

bool frmMyIssues::filling() const { return m_fill->running(); }

void frmMyIssues::buildControls()
{
    FilterBar = new QWidget(this);
    Label1 = new QLabel(QStringLiteral("Filter by"), FilterBar);
    Label5 = new QLabel(QStringLiteral("Assigned To:"), FilterBar);
    cboAssignedTo = new QComboBox(FilterBar);
    Label6 = new QLabel(QStringLiteral("Status:"), FilterBar);
    cboStatus = new QComboBox(FilterBar);
    ckAutoRefresh = new QCheckBox(QStringLiteral("Auto Refresh"), FilterBar);
    ckAutoRefresh->setToolTip(QStringLiteral("Refresh every 5 minutes"));
    Label5->setBuddy(cboAssignedTo);
    Label6->setBuddy(cboStatus);
    auto* filter = new QHBoxLayout(FilterBar);
    filter->setContentsMargins(4, 4, 4, 4);
    for (QWidget* w : std::initializer_list<QWidget*>{Label1, Label5, cboAssignedTo, Label6, cboStatus, ckAutoRefresh})
        filter->addWidget(w);
    filter->addStretch(1);

    m_model = new IssueListModel(MyIssuesCore::columns());
    QTreeView* list = makeListView(this, m_model);
    list->setAccessibleName(QStringLiteral("My Issues"));
    m_fill = new IssueListFill(list, m_model);
    buildFrame(list, {Command::Refresh, Command::Properties, Command::Print, Command::Cancel}, FilterBar);
    setTabChain({cboAssignedTo, cboStatus, ckAutoRefresh, lv, cmdRefresh, cmdProperties, cmdPrint, CancelButton});

    tmRefresh = new QTimer(this);
    FilterBar->setObjectName(QStringLiteral("FilterBar"));
    Label1->setObjectName(QStringLiteral("Label1"));
    Label5->setObjectName(QStringLiteral("Label5"));
    cboAssignedTo->setObjectName(QStringLiteral("cboAssignedTo"));
    Label6->setObjectName(QStringLiteral("Label6"));
    cboStatus->setObjectName(QStringLiteral("cboStatus"));
    ckAutoRefresh->setObjectName(QStringLiteral("ckAutoRefresh"));
    tmRefresh->setObjectName(QStringLiteral("tmRefresh"));

    connect(cboAssignedTo, &QComboBox::activated, this, &frmMyIssues::combo_Click);
    connect(cboStatus, &QComboBox::activated, this, &frmMyIssues::combo_Click);
    connect(ckAutoRefresh, &QCheckBox::clicked, this, &frmMyIssues::ckAutoRefresh_Click);
    connect(tmRefresh, &QTimer::timeout, this, &frmMyIssues::tmRefresh_Timer);
}

void frmMyIssues::Form_Load()
{
    HelpContext::set(this, 1230);
    m_loading = true;
    tmRefresh->setInterval(40000);
    m_model->setHeadings(MyIssuesCore::headings());
    lv->setColumnHidden(MyIssuesCore::kDateSortingColumn, true);
    if (const frmMain* main = mainWindow(); main && main->SysImageList.size() > 4)
        m_model->setIcon(main->SysImageList.at(4));

    cboAssignedTo->addItem(QStringLiteral("Un-Assigned"), -1);
    DBUI().LoadCbo_Users(cboAssignedTo, false, false);
    SysUI().cboSelectAtID(cboAssignedTo, DB().LoginID());
    cboStatus->addItem(QStringLiteral("All"), -1);
    DBUI().LoadCbo(cboStatus, DB().CategoryTable(), QStringLiteral("rowid"), QStringLiteral("desc"),
                   QStringLiteral("type"), 101, false, false, -1);
    cboStatus->setCurrentIndex(0);
    m_autoRefresh = GetPrefString(QStringLiteral("AutoRefreshMyIssues")) == QStringLiteral("Y");
    SysUI().cboSelectAtID(cboStatus, GetPrefLong(QStringLiteral("LastIssueSearchStatusID")));
    ckAutoRefresh->setChecked(m_autoRefresh);
    m_autoRefresh ? tmRefresh->start() : tmRefresh->stop();
    resize(760, 420);
    Form_Resize();
    m_loading = false;
    LoadData(false);
}

void frmMyIssues::LoadData(bool Quiet)
{
    if (m_fill->running())
        return;
    const QString keptKey = SysUI().LvGetSelectedItemKey(lv);
    IssueListTables tables;
    if (!tables.open())
        return;
    m_fill->begin();
    setCommandsEnabled(false);
    m_model->clear();
    LoadIssues(tables.issues, tables.customers, tables.categories, Quiet);
    m_lastSortedColumn = -1;
    tables.close(*m_fill);
    if (lv->header()->isSortIndicatorShown())
        m_model->sort(lv->header()->sortIndicatorSection(), lv->header()->sortIndicatorOrder());
    SysUI().LvSelectFirstItem(lv);
    SysUI().LvSelectItem(lv, keptKey);
    m_fill->end();
    setCommandsEnabled(true);
    SetUI();
    DisplayResultCnt();
    if (m_fill->closeAfterFill()) {
        CancelButton_Click();
    } else if (m_reloadAfterFill) {
        m_reloadAfterFill = false;
        LoadData(false);
    }
}

void frmMyIssues::LoadIssues(DATA4* issues, DATA4* customers, DATA4* categories, bool Quiet)
{
    const qint32 assignedTo = SysUI().cboGetItemID(cboAssignedTo);
    const qint32 status = SysUI().cboGetItemID(cboStatus);
    const bool done = m_fill->run(QStringLiteral("Displaying My Issues. Please wait..."), Quiet,
                                  QStringLiteral("frmMyIssues_LoadIssues"), [&](const IssueWalk::Yield& yield) {
        return MyIssuesCore::LoadIssues(issues, customers, categories, assignedTo, status, *m_model, yield).error;
    });
    if (done)
        setWindowTitle(QStringLiteral("My Issues (Assigned to: ") + cboAssignedTo->currentText()
                       + QStringLiteral(", Status ='") + cboStatus->currentText() + QStringLiteral("') @")
                       + Sys().CurrTimeAMPM());
}

void frmMyIssues::DisplayResultCnt() { lblCust->setText(QString::number(m_model->rowCount()) + QStringLiteral(" Issue(s)")); }

void frmMyIssues::SetUI()
{
    ListWindow::SetUI();
    setBackColor(cboStatus, cboStatus->currentIndex() > 0 ? kAwayFromDefault : kAtDefault);
    setBackColor(cboAssignedTo,
                 SysUI().cboGetItemID(cboAssignedTo) != DB().LoginID() ? kAwayFromDefault : kAtDefault);
}

void frmMyIssues::combo_Click()
{
    if (m_loading)
        return;
    if (m_fill->running()) {
        // The choice changed under the fill: the list follows it afterwards.
        m_reloadAfterFill = true;
        return;
    }
    LoadData(false);
    SysUI().CtlSetFocus(lv);
}

void frmMyIssues::ckAutoRefresh_Click()
{
    m_autoRefresh = ckAutoRefresh->isChecked();
    m_autoRefresh ? tmRefresh->start() : tmRefresh->stop();
}

void frmMyIssues::reload() { LoadData(false); }

void frmMyIssues::tmRefresh_Timer()
{
    if (!m_autoRefresh || m_fill->running())
        return;
    const QString t = Clock::now().toString(QStringLiteral("h:mm"));
    if (t.endsWith(QLatin1Char('5')) || t.endsWith(QLatin1Char('0')))
        LoadData(true);
}

void frmMyIssues::openSelected() { openSelectedIssue(lv); }

void frmMyIssues::sortByColumn(int column) { lv_ColumnClick(column); }

void frmMyIssues::lv_ColumnClick(int column)
{
    if (m_fill->running())
        return;
    const int i = column + 1;
    m_sortAscending = i == m_lastSortedColumn ? !m_sortAscending : true;
    const int key = i == MyIssuesCore::kSubmitColumn + 1 ? MyIssuesCore::kDateSortingColumn : i - 1;
    const Qt::SortOrder order = m_sortAscending ? Qt::AscendingOrder : Qt::DescendingOrder;
    lv->header()->setSortIndicatorShown(true);
    lv->header()->setSortIndicator(key, order);
    m_model->sort(key, order);
    m_lastSortedColumn = i;
}

void frmMyIssues::closeEvent(QCloseEvent* event)
{
    if (m_fill->putOffClose(event))
        return;
    tmRefresh->stop();
    SavePrefLong(QStringLiteral("LastIssueSearchStatusID"), SysUI().cboGetItemID(cboStatus));
    SavePrefString(QStringLiteral("AutoRefreshMyIssues"), ckAutoRefresh->isChecked() ? QStringLiteral("Y") : QString());
    event->accept();
}

void frmMyIssues::Form_Resize()
{
    const int inner = listColumnsWidth(lv, width());
    const int shares[] = {10, 10, 13, 20, 30};
    for (int column = 0; column < 5; ++column)
        lv->setColumnWidth(column, inner * shares[column] / 100);
    lv->setColumnWidth(5, std::max(0, inner * 17 / 100 - 100 / kTwipsPerPixel));
}
