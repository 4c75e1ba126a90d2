#include "reports/ui/frmReportList.h"

#include "app/MainWindow.h"
#include "app/ModalWindows.h"
#include "app/frmMain.h"
#include "common/PromptService.h"
#include "common/RunError.h"
#include "common/Win1252.h"
#include "common/clsSystem.h"
#include "common/ui/HelpContext.h"
#include "common/ui/WindowRegistry.h"
#include "common/ui/clsSystemUI.h"
#include "common/ui/TabChain.h"
#include "data/clsDB.h"
#include "reports/ui/frmPSFilterDlg.h"
#include "reports/ui/frmProductReportDisplay.h"
#include "xbase/IndexC4.h"
#include "xbase/c4.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>

namespace {

QString typeText(const QString& type)
{
    if (type == QLatin1String("C"))
        return QStringLiteral("Customers");
    if (type == QLatin1String("I"))
        return QStringLiteral("Issues");
    return QStringLiteral("Unknown");
}

} // namespace

frmReportList::frmReportList(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("frmReportList"));
    setWindowTitle(QStringLiteral("Reports"));
    HelpContext::set(this, kHelpContext);

    Label1 = new QLabel(QStringLiteral("New:"), this);
    Label2 = new QLabel(QStringLiteral("Report"), this);
    cmdNewCustomerRpt = new QPushButton(QStringLiteral("&Customers"), this);
    cmdNewIssueReport = new QPushButton(QStringLiteral("&Issues"), this);
    cmdNewProductReport = new QPushButton(QStringLiteral("&Product/Services"), this);
    cmdView = new QPushButton(QStringLiteral("&View"), this);
    cmdProperties = new QPushButton(QStringLiteral("&Edit"), this);
    cmdCopy = new QPushButton(QStringLiteral("&Copy"), this);
    cmdRefresh = new QPushButton(QStringLiteral("R&efresh"), this);
    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    const std::pair<QPushButton*, const char*> buttons[] = {
        {cmdNewCustomerRpt, "cmdNewCustomerRpt"},
        {cmdNewIssueReport, "cmdNewIssueReport"},
        {cmdNewProductReport, "cmdNewProductReport"},
        {cmdView, "cmdView"},
        {cmdProperties, "cmdProperties"},
        {cmdCopy, "cmdCopy"},
        {cmdRefresh, "cmdRefresh"},
        {CancelButton, "CancelButton"},
    };
    for (const auto& [button, name] : buttons) {
        button->setObjectName(QLatin1String(name));
        button->setAutoDefault(false);
    }
    cmdNewCustomerRpt->setToolTip(QStringLiteral("Create new report definition"));
    cmdNewIssueReport->setToolTip(QStringLiteral("Create new report definition"));
    cmdNewProductReport->setToolTip(QStringLiteral("View Product/Services Report"));
    cmdView->setToolTip(QStringLiteral("View report"));
    cmdProperties->setToolTip(QStringLiteral("Edit report definition"));
    cmdCopy->setToolTip(QStringLiteral("Make a copy of report definition"));

    lv = new QTreeWidget(this);
    lv->setObjectName(QStringLiteral("lv"));
    lv->setAccessibleName(QStringLiteral("Reports"));
    lv->setRootIsDecorated(false);
    lv->setSelectionMode(QAbstractItemView::SingleSelection);
    lv->setColumnCount(4);
    lv->setHeaderLabels({QStringLiteral("Report Title"), QStringLiteral("Type"), QStringLiteral("Last Modified By"),
                         QStringLiteral("Last Modified On")});
    lv->header()->setSectionsClickable(true);
    lv->header()->setStretchLastSection(false);
    lv->installEventFilter(this);
    lv->viewport()->installEventFilter(this);
    lblCount = new QLabel(this);
    lblCount->setObjectName(QStringLiteral("lblCount"));

    connect(cmdNewCustomerRpt, &QPushButton::clicked, this, &frmReportList::cmdNewCustomerRpt_Click);
    connect(cmdNewIssueReport, &QPushButton::clicked, this, &frmReportList::cmdNewIssueReport_Click);
    connect(cmdNewProductReport, &QPushButton::clicked, this, &frmReportList::cmdNewProductReport_Click);
    connect(cmdView, &QPushButton::clicked, this, &frmReportList::cmdView_Click);
    connect(cmdProperties, &QPushButton::clicked, this, &frmReportList::cmdProperties_Click);
    connect(cmdCopy, &QPushButton::clicked, this, &frmReportList::cmdCopy_Click);
    connect(cmdRefresh, &QPushButton::clicked, this, &frmReportList::cmdRefresh_Click);
    connect(CancelButton, &QPushButton::clicked, this, [this] { WindowRegistry::current().closeForm(this); });
    connect(lv, &QTreeWidget::itemSelectionChanged, this, &frmReportList::SetUI);
    connect(lv, &QTreeWidget::itemDoubleClicked, this, [this] { cmdView_Click(); });
    connect(lv->header(), &QHeaderView::sectionClicked, this, [this](int column) { SysUI().LVSort(lv, column); });

    auto* bar = new QHBoxLayout;
    bar->addWidget(Label1);
    for (QPushButton* button : {cmdNewCustomerRpt, cmdNewIssueReport, cmdNewProductReport})
        bar->addWidget(button);
    bar->addWidget(Label2);
    for (QPushButton* button : {cmdView, cmdProperties, cmdCopy, cmdRefresh, CancelButton})
        bar->addWidget(button);
    bar->addStretch();
    bar->addWidget(lblCount);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lv, 1);
    layout->addLayout(bar);
    setTabChain({cmdNewCustomerRpt, cmdNewIssueReport, cmdNewProductReport, cmdView, cmdProperties, cmdCopy,
                 cmdRefresh, CancelButton, lv});
    SetUI();
}

void frmReportList::Init() { LoadData(-1); }

void frmReportList::LoadData(qint32 RptID)
{
    Prompts().setWaitCursor(true);
    const QString remembered = SysUI().LvGetSelectedItemKey(lv);
    DATA4* table = DB().OpenTable(DB().ReportTable());
    if (!table) {
        Prompts().setWaitCursor(false);
        return;
    }
    TAG4* tag = d4tag(table, "title");
    int rc = tag ? d4tagSelect(table, tag) : C4_ERR_TAG;
    const char* const names[] = {"rowid", "title", "type", "lastmodby", "lastmoddt", "lastmodtm"};
    FIELD4* fields[std::size(names)] = {};
    for (size_t i = 0; i < std::size(names); ++i)
        fields[i] = d4field(table, names[i]);
    if (rc >= 0 && std::find(std::begin(fields), std::end(fields), nullptr) != std::end(fields))
        rc = C4_ERR_ARGUMENT;
    const auto text = [](FIELD4* field) { return fromWin1252(f4ptr(field), f4len_v(field)).trimmed(); };
    // Every row shows the report image of the main window.
    const frmMain* main = mainWindow();
    const QIcon icon = main && main->SysImageList.size() > 4 ? main->SysImageList.at(4) : QIcon();
    if (rc >= 0) {
        lv->setUpdatesEnabled(false);
        lv->clear();
        for (rc = d4top(table); rc == 0; rc = d4skip(table, 1)) {
            const QString when = Sys().DBDateToDislayDate(text(fields[4]), QStringLiteral("Short Date")) +
                                 QStringLiteral(" @ ") + Sys().DBTimeToDislayTime(text(fields[5]));
            QTreeWidgetItem* item = SysUI().lvAddItem(
                lv, QStringLiteral("N%1").arg(f4long(fields[0])),
                {text(fields[1]), typeText(text(fields[2])),
                 DB().GetUsername(static_cast<qint32>(f4long(fields[3]))), when});
            item->setIcon(0, icon);
        }
        lv->setUpdatesEnabled(true);
    }
    const RunError error = rc < 0 ? DB().TakeEngineError(rc) : RunError{};
    d4close(table);
    if (error.isError()) {
        Prompts().setWaitCursor(false);
        Sys().ShowError(QStringLiteral("frmReportList_LoadData"), error);
        return;
    }
    setWindowTitle(QStringLiteral("All Reports @") + Sys().CurrTimeAMPM());
    SysUI().LvSelectFirstItem(lv);
    SysUI().LvSelectItem(lv, remembered);
    if (RptID > 0)
        SysUI().LvSelectItem(lv, QStringLiteral("N%1").arg(RptID));
    DisplayResultCnt();
    SetUI();
    Prompts().setWaitCursor(false);
}

void frmReportList::DisplayResultCnt()
{
    lblCount->setText(QString::number(lv->topLevelItemCount()) + QStringLiteral(" Report(s)"));
}

void frmReportList::SetUI()
{
    const bool selected = SysUI().LvIsItemSelected(lv);
    cmdProperties->setEnabled(selected);
    cmdCopy->setEnabled(selected);
    cmdView->setEnabled(selected);
}

qint32 frmReportList::selectedId() const { return SysUI().LvGetSelectedItemKey(lv).mid(1).toInt(); }

void frmReportList::FocusOnLv()
{
    if (lv->isVisible())
        lv->setFocus();
}

void frmReportList::cmdNewCustomerRpt_Click()
{
    if (!DB().Perm_Reports())
        return;
    if (frmMain* main = mainWindow())
        main->ShowReportDef(-1, QStringLiteral("C"), true);
}

void frmReportList::cmdNewIssueReport_Click()
{
    if (!DB().Perm_Reports())
        return;
    if (frmMain* main = mainWindow())
        main->ShowReportDef(-1, QStringLiteral("I"), true);
}

// No permission is asked: the report only reads.
void frmReportList::cmdNewProductReport_Click()
{
    QPointer<frmMain> main = mainWindow();
    PSReportFilters chosen;
    {
        frmPSFilterDlg dialog(main ? static_cast<QWidget*>(main) : this);
        ModalWindows::exec(dialog);
        if (!dialog.Accepted)
            return;
        chosen = PSReportFilters{dialog.PSID, dialog.Active, dialog.Custom1, dialog.Custom2};
    }
    auto* report = new frmProductReportDisplay;
    report->Init(chosen.PSID, chosen.Active, chosen.Custom1, chosen.Custom2);
    // The run yields to the user, who may have closed the database or the
    // program's main window meanwhile.
    if (!main || !DB().IsOpen()) {
        delete report;
        return;
    }
    main->addMdiChild(report);
}

void frmReportList::cmdView_Click()
{
    const qint32 id = selectedId();
    if (id <= 0)
        return;
    if (frmMain* main = mainWindow())
        main->ShowReport(id);
}

void frmReportList::cmdProperties_Click()
{
    const qint32 id = selectedId();
    if (id <= 0)
        return;
    if (frmMain* main = mainWindow())
        main->ShowReportDef(id, QString(), false);
}

void frmReportList::cmdCopy_Click()
{
    if (DB().Perm_Reports() && SysUI().LvIsItemSelected(lv)) {
        const qint32 id = selectedId();
        const QString question = QStringLiteral("Do you wish to make a copy of '") +
                                 SysUI().LvGetSelectedItemText(lv) + QStringLiteral("'?");
        if (MsgBox(question, MsgStyle::YesNoCancel | MsgStyle::Question | MsgStyle::DefaultButton2) ==
            MsgAnswer::Yes) {
            const qint32 newId = DB().CopyReport(id);
            LoadData(newId);
        }
    }
    FocusOnLv();
}

void frmReportList::cmdRefresh_Click()
{
    LoadData(-1);
    FocusOnLv();
}

void frmReportList::sizeColumns()
{
    // Shares of the inner width; the last one gives up 100 twips.
    const int width = lv->viewport()->width();
    const int shares[] = {40, 15, 20, 25};
    for (int c = 0; c < 4; ++c)
        lv->setColumnWidth(c, std::max(0, width * shares[c] / 100 - (c == 3 ? 100 / 15 : 0)));
}

bool frmReportList::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lv->viewport() && event->type() == QEvent::Resize)
        sizeColumns();
    if (watched == lv && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            cmdView_Click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
