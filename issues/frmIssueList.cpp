#include "issues/frmIssueList.h"

#include "app/MainWindow.h"
#include "app/frmMain.h"
#include "common/Win1252.h"
#include "common/clsSystem.h"
#include "common/ui/HelpContext.h"
#include "common/ui/ObjectTag.h"
#include "common/ui/WindowRegistry.h"
#include "common/ui/clsSystemUI.h"
#include "data/clsDB.h"
#include "issues/IssueListFill.h"
#include "issues/core/IssueListModel.h"
#include "issues/core/IssueSearchCore.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QTreeView>

namespace {

constexpr int kTwipsPerPixel = 15;

} // namespace

frmIssueList::frmIssueList(QWidget* parent)
    : ListWindow(parent)
{
    setWindowTitle(QStringLiteral("Issue List"));
    setObjectTag(this, QStringLiteral("VIEW_CUSTOMERINFO"));
    HelpContext::set(this, 1220);

    m_model = new IssueListModel(IssueSearchCore::columns());
    m_model->setHeadings(IssueSearchCore::headings());
    if (const frmMain* main = mainWindow(); main && main->SysImageList.size() > 4)
        m_model->setIcon(main->SysImageList.at(4));
    QTreeView* list = makeListView(this, m_model);
    list->setAccessibleName(QStringLiteral("Issue List"));
    m_fill = new IssueListFill(list, m_model);
    buildFrame(list, {Command::Refresh, Command::Properties, Command::Print, Command::Cancel});
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

void frmIssueList::reload()
{
    LoadData();
    SetUI();
}

void frmIssueList::openSelected() { openSelectedIssue(lv); }

void frmIssueList::closeEvent(QCloseEvent* event)
{
    if (m_fill->putOffClose(event))
        return;
    event->accept();
}

void frmIssueList::Form_Resize()
{
    const int inner = listColumnsWidth(lv, width());
    lv->setColumnWidth(0, inner * 30 / 100);
    lv->setColumnWidth(1, inner * 25 / 100);
    lv->setColumnWidth(2, inner * 15 / 100);
    lv->setColumnWidth(3, std::max(0, inner * 30 / 100 - 100 / kTwipsPerPixel));
}
