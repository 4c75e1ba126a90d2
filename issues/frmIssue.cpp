#include "issues/frmIssue.h"

#include "issues/IssueActionsCtl.h"
#include "issues/IssueControls.h"

#include "app/EditModeCtl.h"
#include "app/MainWindow.h"
#include "app/RecordControls.h"
#include "app/RecordFrame.h"
#include "app/StatisticCtl.h"
#include "app/frmMain.h"
#include "common/PromptService.h"
#include "common/clsSystem.h"
#include "common/ui/AttachmentsCtl.h"
#include "common/ui/HelpContext.h"
#include "common/ui/ObjectTag.h"
#include "common/ui/TabChain.h"
#include "common/ui/clsSystemUI.h"
#include "data/Schema.h"
#include "data/clsDB.h"
#include "data/ui/FieldBox.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

using namespace RecordControls;

} // namespace

frmIssue::frmIssue(QWidget* parent)
    : CustomerItemWindow({QStringLiteral("I"), DB().IssuesTable(), Schema::dataFileName(Schema::Table::Issues),
                             QStringLiteral("_issue"), &clsDB::Perm_Issues,
                             Schema::dataFileName(Schema::Table::Issues)},
                            parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setEditKeyEntersOnly();
    TabCtl = new QTabWidget(this);
    TabCtl->setObjectName(QStringLiteral("TabCtl"));
    auto* tab0 = new QWidget;
    buildIssueTab(tab0);
    TabCtl->addTab(tab0, QStringLiteral("&Issue"));

    auto* tab1 = new QWidget;
    IACtl = editable(new IssueActionsCtl(tab1), "IACtl");
    auto* actions = new QVBoxLayout(tab1);
    actions->addWidget(IACtl);
    TabCtl->addTab(tab1, QStringLiteral("&Actions"));

    txtDesc = IssueControls::textTab(TabCtl, QStringLiteral("&Description"), Schema::Table::Issues, "desc", "txtDesc",
                                     "cmdDTStamp_Desc", cmdDTStamp_Desc);
    txtResolution = IssueControls::textTab(TabCtl, QStringLiteral("&Resolution"), Schema::Table::Issues, "resolution",
                                           "txtResolution", "cmdDTStamp_Resolution", cmdDTStamp_Resolution);

    auto* tab4 = new QWidget;
    ACtl = editable(new AttachmentsCtl(tab4), "ACtl");
    auto* attachments = new QVBoxLayout(tab4);
    attachments->addWidget(ACtl);
    TabCtl->addTab(tab4, QStringLiteral("Attac&hments"));

    auto* tab5 = new QWidget;
    auto* last = new QVBoxLayout(tab5);
    last->addWidget(LE);
    last->addStretch(1);
    TabCtl->addTab(tab5, QStringLiteral("Last Edi&t"));
    buildButtonBar();

    connect(cmdDTStamp_Desc, &QPushButton::clicked, this, [this] { cmdDTStamp_Click(txtDesc); });
    connect(cmdDTStamp_Resolution, &QPushButton::clicked, this, [this] { cmdDTStamp_Click(txtResolution); });
    connect(TabCtl, &QTabWidget::currentChanged, this, [this](int tab) {
        if (tab == 1)
            SysUI().CtlSetFocus(IACtl->lv);
        else if (tab == 2)
            SysUI().CtlSetFocus(txtDesc);
        else if (tab == 3)
            SysUI().CtlSetFocus(txtResolution);
        else if (tab == 4)
            SysUI().CtlSetFocus(ACtl->lv);
    });

    setWindowTitle(QStringLiteral("Issue"));
    HelpContext::set(this, 1310);
    TabCtl->setCurrentIndex(0);
}

frmIssue::~frmIssue() = default;

void frmIssue::buildIssueTab(QWidget* page)
{
    auto* lblCustomerName = fieldLabel(page, "Label2", QStringLiteral("Customer Name:"));
    makeCustomerLink(fieldLabel(page, "lblCustomer", QString()));
    makeIssueFields(page, this, Schema::Table::Issues);
    auto* lblSubmit = fieldLabel(page, "lblSubmit", QStringLiteral("Submit Date:"));
    txtDateSubmit = editable(new QLineEdit(page), "txtDateSubmit");
    txtDateSubmit->setMaxLength(18);
    cmdCalendar0 = calendarButton(page, "cmdCalendar0", QStringLiteral("submit date"));
    auto* lblResponse = fieldLabel(page, "lblResponse", QStringLiteral("Response Date:"));
    txtDateResponse = editable(new QLineEdit(page), "txtDateResponse");
    txtDateResponse->setMaxLength(18);
    cmdCalendar1 = calendarButton(page, "cmdCalendar1", QStringLiteral("response date"));
    lblRes = fieldLabel(page, "lblRes", QStringLiteral("Resolution Date:"));
    txtDateResolution = editable(new QLineEdit(page), "txtDateResolution");
    txtDateResolution->setMaxLength(18);
    cmdCalendar2 = calendarButton(page, "cmdCalendar2", QStringLiteral("resolution date"));
    lblIssueNumber = fieldLabel(page, "lblIssueNumber", QString());
    lblNewIssue = fieldLabel(page, "lblNewIssue",
                             QStringLiteral("Press Apply button to save this issue and to access Actions and "
                                            "Attachments tabs"));
    lblNewIssue->setWordWrap(true);

    const std::pair<QLabel*, QWidget*> buddies[] = {
        {lblSubmit, txtDateSubmit}, {lblResponse, txtDateResponse}, {lblRes, txtDateResolution}};
    for (const auto& [label, field] : buddies)
        label->setBuddy(field);

    auto* grid = new QGridLayout(page);
    grid->setColumnStretch(1, 1);
    int r = 0;
    auto add = [&](QWidget* label, QWidget* field, QWidget* side) {
        grid->addWidget(label, r, 0);
        if (side)
            grid->addLayout(row(field, side), r++, 1);
        else
            grid->addWidget(field, r++, 1);
    };
    grid->addWidget(lblCustomerName, r, 0);
    grid->addWidget(lblCustomer, r++, 1);
    add(lblPS, cboPS, cmdCatPS);
    add(lblShortDesc, txtShortDesc, nullptr);
    add(lblSubmit, txtDateSubmit, cmdCalendar0);
    add(lblResponse, txtDateResponse, cmdCalendar1);
    add(lblRes, txtDateResolution, cmdCalendar2);
    add(lblAssigned, cboAssignedTo, nullptr);
    add(lblPriority, cboPriority, cmdCatPriority);
    add(lblStatus, cboStatus, cmdCatStatus);
    add(lblCat, cboIssueCategory, cmdCatIssueCategory);
    add(lblCustom1, txtCust1, cmdCust1Cat);
    add(lblCustom2, txtCust2, cmdCust2Cat);
    grid->addWidget(lblIssueNumber, r++, 0, 1, 2);
    grid->addWidget(lblNewIssue, r++, 0, 1, 2);
    grid->setRowStretch(r, 1);

    setTabChain({cboPS, cmdCatPS, txtShortDesc, txtDateSubmit, cmdCalendar0, txtDateResponse, cmdCalendar1,
                 txtDateResolution, cmdCalendar2, cboAssignedTo, cboPriority, cmdCatPriority, cboStatus,
                 cmdCatStatus, cboIssueCategory, cmdCatIssueCategory, txtCust1, cmdCust1Cat, txtCust2,
                 cmdCust2Cat});

    connect(cmdCalendar0, &QPushButton::clicked, this, [this] { cmdCalendar_Click(0); });
    connect(cmdCalendar1, &QPushButton::clicked, this, [this] { cmdCalendar_Click(1); });
    connect(cmdCalendar2, &QPushButton::clicked, this, [this] { cmdCalendar_Click(2); });
}

void frmIssue::buildButtonBar()
{
    const RecordFrame::ButtonBar b
        = RecordFrame::makeButtonBar(*this, this, QStringLiteral("Print Preview issue details"),
                                     QStringLiteral("Email issue details"), TabCtl, cboPS, cmdCust2Cat);
    // The pages after the first follow its fields; Tab reaches the shown one.
    setTabChain({cmdCust2Cat, IACtl->lv, IACtl->cmdEditView, IACtl->cmdDel, IACtl->cmdAdd, cmdDTStamp_Desc, txtDesc,
                 cmdDTStamp_Resolution, txtResolution, ACtl->lv, ACtl->cmdSaveAs, ACtl->cmdView, ACtl->cmdRemove,
                 ACtl->cmdAttach, lblEdit});
    RecordFrame::adoptButtonBar(this, b);
}

// --- Events and commands -------------------------------------------------------

void frmIssue::initSavedParts()
{
    InitIACtl();
    InitATC();
}

void frmIssue::deleteOwnedParts()
{
    // An issue that stays keeps its actions and its files.
    DB().DeleteAllRecords(RowID, DB().IssuesActionsTable(), QStringLiteral("issueid"));
    DB().DeleteAttachments(RowID, QStringLiteral("_i"));
    if (frmMain* main = mainWindow())
        main->NotifyCustomer(m_custId, 1, -1);
}

void frmIssue::cmdCalendar_Click(int index)
{
    RecordFrame::pickDate(index == 0 ? txtDateSubmit : index == 1 ? txtDateResponse : txtDateResolution);
}

void frmIssue::cmdCatList_Click(QComboBox* cbo)
{
    IssueControls::editCategoryList(cbo, listType(cbo));
}

void frmIssue::cmdCustomList_Click(QComboBox* cbo, CatType::Kind catType)
{
    RecordFrame::editQuickList(cbo, catType);
}

void frmIssue::cmdDTStamp_Click(QPlainTextEdit* box)
{
    RecordFrame::insertStamp(box);
}
