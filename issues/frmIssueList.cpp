#include "issues/frmIssueList.h"

#include "app/frmMain.h"
#include "common/Win1252.h"
#include "common/clsSystem.h"
#include "common/ui/HelpContext.h"
#include "common/ui/ObjectTag.h"
#include "common/ui/TabChain.h"
#include "common/ui/WindowRegistry.h"
#include "common/ui/clsSystemUI.h"
#include "data/clsDB.h"
#include "issues/IssueListFill.h"
#include "issues/core/IssueListModel.h"
#include "issues/core/IssueSearchCore.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

constexpr int kTwipsPerPixel = 15;

frmMain* mainWindow() { return dynamic_cast<frmMain*>(WindowRegistry::current().mainForm()); }

QPushButton* button(const QString& caption, const char* name, QWidget* parent)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    return b;
}

} // namespace

frmIssueList::frmIssueList(QWidget* parent)
    : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Issue List"));
    setObjectTag(this, QStringLiteral("VIEW_CUSTOMERINFO"));
    HelpContext::set(this, 1220);

    m_model = new IssueListModel(IssueSearchCore::columns());
    m_model->setHeadings(IssueSearchCore::headings());
    if (const frmMain* main = mainWindow(); main && main->SysImageList.size() > 4)
        m_model->setIcon(main->SysImageList.at(4));
    lv = makeIssueListView(this, m_model);
    lv->setAccessibleName(QStringLiteral("Issue List"));
    onEnterInList(lv, [this] { cmdProperties_Click(); });
    m_fill = new IssueListFill(lv, m_model);

    BtnBar = new QWidget(this);
    BtnBar->setObjectName(QStringLiteral("BtnBar"));
    cmdRefresh = button(QStringLiteral("R&efresh"), "cmdRefresh", BtnBar);
    cmdProperties = button(QStringLiteral("&Properties"), "cmdProperties", BtnBar);
    cmdPrint = button(QStringLiteral("Print"), "cmdPrint", BtnBar);
    CancelButton = button(QStringLiteral("Cancel"), "CancelButton", BtnBar);
    lblMsg = new QLabel(QStringLiteral("Click a column header to sort results by that column's data"), BtnBar);
    lblMsg->setWordWrap(true);
    lblMsg->setObjectName(QStringLiteral("lblMsg"));
    lblCust = new QLabel(BtnBar);
    lblCust->setObjectName(QStringLiteral("lblCust"));
    auto* bar = new QHBoxLayout(BtnBar);
    bar->setContentsMargins(4, 4, 4, 4);
    for (QPushButton* b : {cmdRefresh, cmdProperties, cmdPrint, CancelButton})
        bar->addWidget(b);
    bar->addWidget(lblMsg, 1);
    bar->addWidget(lblCust);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(lv, 1);
    layout->addWidget(BtnBar);
    setTabChain({lv, cmdRefresh, cmdProperties, cmdPrint, CancelButton});

    connect(lv->selectionModel(), &QItemSelectionModel::selectionChanged, this, &frmIssueList::SetUI);
    connect(lv, &QTreeView::doubleClicked, this, &frmIssueList::cmdProperties_Click);
    connect(lv->header(), &QHeaderView::sectionClicked, this, [this](int column) {
        if (!m_fill->running())
            SysUI().LVSort(lv, column);
    });
    connect(cmdRefresh, &QPushButton::clicked, this, &frmIssueList::cmdRefresh_Click);
    connect(cmdProperties, &QPushButton::clicked, this, &frmIssueList::cmdProperties_Click);
    connect(cmdPrint, &QPushButton::clicked, this, &frmIssueList::cmdPrint_Click);
    connect(CancelButton, &QPushButton::clicked, this, &frmIssueList::CancelButton_Click);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, this, &frmIssueList::CancelButton_Click);
    resize(680, 400);
    Form_Resize();
    SetUI();
}

frmIssueList::~frmIssueList() { delete m_fill; }

bool frmIssueList::filling() const { return m_fill->running(); }

void frmIssueList::SetSearchFields(bool shortDesc, bool description, bool resolution)
{
    SearchShortDesc = shortDesc;
    SearchDesc = description;
    SearchResolution = resolution;
}

void frmIssueList::Init(const QString& SearchStr, int SearchType, qint32 PSID)
{
    m_searchStr = upperWin1252(Sys().trimBlanks(SearchStr));
    m_searchType = SearchType;
    m_psid = PSID;
    if (!SearchShortDesc && !SearchDesc && !SearchResolution)
        SearchShortDesc = true;
    LoadData();
    SetUI();
}

void frmIssueList::LoadData()
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
    QCoreApplication::processEvents();
    if (!m_fill->closeAfterFill() && m_fill->tablesStillOpen())
        LoadIssues(tables.issues, tables.customers, tables.categories);
    SysUI().LvSetSortKey(lv, 0, Qt::AscendingOrder);
    tables.close(*m_fill);
    SysUI().LvSelectFirstItem(lv);
    SysUI().LvSelectItem(lv, keptKey);
    DisplayResultCnt();
    m_fill->end();
    setCommandsEnabled(true);
    SetUI();
    if (m_fill->closeAfterFill())
        CancelButton_Click();
}

void frmIssueList::LoadIssues(DATA4* issues, DATA4* customers, DATA4* categories)
{
    IssueSearchCore::Search search;
    search.text = m_searchStr;
    search.type = m_searchType;
    search.psid = m_psid;
    search.shortDesc = SearchShortDesc;
    search.desc = SearchDesc;
    search.resolution = SearchResolution;
    const bool done = m_fill->run(QStringLiteral("Searching Issues. Please wait..."), false,
                                  QStringLiteral("frmIssueList_LoadIssues"), [&](const IssueWalk::Yield& yield) {
        return IssueSearchCore::LoadIssues(issues, customers, categories, search, *m_model, yield).error;
    });
    if (done)
        setWindowTitle(QStringLiteral("Issues (Search ='") + m_searchStr + QStringLiteral("') @")
                       + Sys().CurrTimeAMPM());
}

void frmIssueList::DisplayResultCnt()
{
    lblCust->setText(QString::number(m_model->rowCount()) + QStringLiteral(" Issue(s)"));
}

void frmIssueList::SetUI() { cmdProperties->setEnabled(!m_fill->running() && SysUI().LvIsItemSelected(lv)); }

void frmIssueList::setCommandsEnabled(bool enabled)
{
    for (QPushButton* b : {cmdProperties, cmdPrint, cmdRefresh})
        b->setEnabled(enabled);
}

void frmIssueList::cmdRefresh_Click()
{
    if (m_fill->running())
        return;
    LoadData();
    SetUI();
    SysUI().CtlSetFocus(lv);
}

void frmIssueList::cmdProperties_Click()
{
    if (m_fill->running())
        return;
    openSelectedIssue(lv);
}

void frmIssueList::cmdPrint_Click()
{
    if (!m_fill->running())
        SysUI().ListViewPrint_GetPrinter(lv, windowTitle());
}

void frmIssueList::CancelButton_Click() { WindowRegistry::current().closeForm(this); }

void frmIssueList::closeEvent(QCloseEvent* event)
{
    if (m_fill->putOffClose(event))
        return;
    event->accept();
}

void frmIssueList::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void frmIssueList::Form_Resize()
{
    const int inner = listColumnsWidth(lv, width());
    lv->setColumnWidth(0, inner * 30 / 100);
    lv->setColumnWidth(1, inner * 25 / 100);
    lv->setColumnWidth(2, inner * 15 / 100);
    lv->setColumnWidth(3, std::max(0, inner * 30 / 100 - 100 / kTwipsPerPixel));
}
