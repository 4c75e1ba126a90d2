#include "customers/frmPS.h"

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
#include "data/clsDB.h"
#include "data/ui/FieldBox.h"
#include "data/ui/clsDBUI.h"

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

// The contract and tracking numbers are kept to fewer characters than their
// fields hold.
constexpr int kNumberBoxWidth = 20;

} // namespace

std::function<QString(const QString&)>& frmPS::calendar() { return RecordFrame::calendar(); }

std::function<void(qint32)>& frmPS::listEditor() { return RecordFrame::listEditor(); }

std::function<bool(const QString&, const QString&, const QString&)>& frmPS::mailSender()
{
    return RecordFrame::mailSender();
}

frmPS::frmPS(QWidget* parent)
    : CustomerItemWindow({QStringLiteral("P"), DB().Customers2PSTable(), QStringLiteral("bcccust_ps.dbf"),
                             QStringLiteral("_ps"), &clsDB::Perm_PS, QStringLiteral("bcccust_ps.dbf")},
                            parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setEditKeyEntersOnly();
    setObjectTag(this, QStringLiteral("VIEW_CUSTOMERINFO"));
    TabCtl = new QTabWidget(this);
    TabCtl->setObjectName(QStringLiteral("TabCtl"));
    auto* tab0 = new QWidget;
    buildTab0(tab0);
    TabCtl->addTab(tab0, QStringLiteral("P&roduct/Service"));

    auto* tab1 = new QWidget;
    txtNote = editable(FieldBox::textBox(tab1, Schema::Table::CustPs, "notes"), "txtNote");
    txtNote->setAccessibleName(QStringLiteral("Notes"));
    cmdDTStamp_Notes = editable(button(tab1, "cmdDTStamp_Notes", QStringLiteral("Date-Time Sta&mp")), "cmdDTStamp_Notes");
    auto* notes = new QVBoxLayout(tab1);
    auto* top = new QHBoxLayout;
    top->addStretch(1);
    top->addWidget(cmdDTStamp_Notes);
    notes->addLayout(top);
    notes->addWidget(txtNote, 1);
    setTabOrder(cmdDTStamp_Notes, txtNote);
    TabCtl->addTab(tab1, QStringLiteral("&Notes"));

    auto* tab2 = new QWidget;
    ACtl = editable(new AttachmentsCtl(tab2), "ACtl");
    auto* attachments = new QVBoxLayout(tab2);
    attachments->addWidget(ACtl);
    TabCtl->addTab(tab2, QStringLiteral("&Attachments"));

    auto* tab3 = new QWidget;
    auto* last = new QVBoxLayout(tab3);
    last->addWidget(LE);
    last->addStretch(1);
    TabCtl->addTab(tab3, QStringLiteral("Last Edi&t"));
    buildButtonBar();

    connect(cmdDTStamp_Notes, &QPushButton::clicked, this, [this] { cmdDTStamp_Notes_Click(); });
    connect(TabCtl, &QTabWidget::currentChanged, this, [this](int tab) {
        if (tab == 1)
            SysUI().CtlSetFocus(txtNote);
        else if (tab == 2)
            SysUI().CtlSetFocus(ACtl->lv);
    });

    setWindowTitle(QStringLiteral("Product/Service"));
    HelpContext::set(this, 1320);
    TabCtl->setCurrentIndex(0);
}

frmPS::~frmPS() = default;

void frmPS::buildTab0(QWidget* page)
{
    Label2 = fieldLabel(page, "Label2", QStringLiteral("Customer Name:"));
    makeCustomerLink(fieldLabel(page, "lblCustomer", QString()));
    Label1 = fieldLabel(page, "Label1", QStringLiteral("Product/Service:"));
    cboPS = editable(new QComboBox(page), "cboPS");
    cmdCatPS = listButton(page, "cmdCatPS", QStringLiteral("products/services"));
    lblShortDesc = fieldLabel(page, "lblShortDesc", QStringLiteral("Short Description:"), QStringLiteral("shortdesc"));
    txtShortDesc = editable(new QLineEdit(page), "txtShortDesc");
    FieldBox::fit(txtShortDesc, Schema::Table::CustPs, "shortdesc");
    lblDateInit = fieldLabel(page, "lblDateInit", QStringLiteral("Date Initiated:"), QStringLiteral("dateinit"));
    txtDateInitiated = editable(new QLineEdit(page), "txtDateInitiated");
    txtDateInitiated->setMaxLength(18);
    cmdCalendar0 = calendarButton(page, "cmdCalendar0", QStringLiteral("date initiated"));
    lblDateTerm = fieldLabel(page, "lblDateTerm", QStringLiteral("Date Terminated:"), QStringLiteral("dateterm"));
    txtDateTerminated = editable(new QLineEdit(page), "txtDateTerminated");
    txtDateTerminated->setMaxLength(18);
    cmdCalendar1 = calendarButton(page, "cmdCalendar1", QStringLiteral("date terminated"));
    lblActive = fieldLabel(page, "lblActive", QString());
    lblContPN = fieldLabel(page, "lblContPN", QStringLiteral("Contract or Part Number:"), QStringLiteral("contno"));
    txtContractNumber = editable(new QLineEdit(page), "txtContractNumber");
    FieldBox::fit(txtContractNumber, Schema::Table::CustPs, "contno", kNumberBoxWidth);
    lblTrackingNo = fieldLabel(page, "lblTrackingNo", QStringLiteral("Tracking Number:"), QStringLiteral("trackno"));
    txtTrackNo = editable(new QLineEdit(page), "txtTrackNo");
    FieldBox::fit(txtTrackNo, Schema::Table::CustPs, "trackno", kNumberBoxWidth);
    lblContractType = fieldLabel(page, "lblContractType", QStringLiteral("Contract Type:"), QStringLiteral("conttype"));
    cboContractType = editable(new QComboBox(page), "cboContractType");
    cmdCatContractType = listButton(page, "cmdCatContractType", QStringLiteral("contract types"));
    lblContractDur = fieldLabel(page, "lblContractDur", QStringLiteral("Contract Duration:"), QStringLiteral("contdur"));
    cboContractDuration = editable(new QComboBox(page), "cboContractDuration");
    cmdCatContractDuration = listButton(page, "cmdCatContractDuration", QStringLiteral("contract durations"));
    customField(page, Schema::Table::CustPs, 1, &lblCustom1, &txtCust1, &cmdCust1Cat);
    customField(page, Schema::Table::CustPs, 2, &lblCustom2, &txtCust2, &cmdCust2Cat);
    lblNewPS = fieldLabel(page, "lblNewPS",
                          QStringLiteral("Press Apply button to save this record and to access Attachments tabs"));
    lblNewPS->setWordWrap(true);

    const std::pair<QLabel*, QWidget*> buddies[] = {
        {Label1, cboPS}, {lblShortDesc, txtShortDesc}, {lblDateInit, txtDateInitiated},
        {lblDateTerm, txtDateTerminated}, {lblContPN, txtContractNumber}, {lblTrackingNo, txtTrackNo},
        {lblContractType, cboContractType}, {lblContractDur, cboContractDuration}, {lblCustom1, txtCust1},
        {lblCustom2, txtCust2}};
    for (const auto& [label, field] : buddies)
        label->setBuddy(field);

    auto* grid = new QGridLayout(page);
    grid->setColumnStretch(1, 1);
    int r = 0;
    auto add = [&](QWidget* label, QLayout* field) {
        grid->addWidget(label, r, 0);
        grid->addLayout(field, r++, 1);
    };
    grid->addWidget(Label2, r, 0);
    grid->addWidget(lblCustomer, r++, 1);
    add(Label1, row(cboPS, cmdCatPS));
    grid->addWidget(lblShortDesc, r, 0);
    grid->addWidget(txtShortDesc, r++, 1);
    add(lblDateInit, row(txtDateInitiated, cmdCalendar0));
    auto* term = row(txtDateTerminated, cmdCalendar1);
    term->addWidget(lblActive);
    add(lblDateTerm, term);
    grid->addWidget(lblContPN, r, 0);
    grid->addWidget(txtContractNumber, r++, 1);
    grid->addWidget(lblTrackingNo, r, 0);
    grid->addWidget(txtTrackNo, r++, 1);
    add(lblContractType, row(cboContractType, cmdCatContractType));
    add(lblContractDur, row(cboContractDuration, cmdCatContractDuration));
    add(lblCustom1, row(txtCust1, cmdCust1Cat));
    add(lblCustom2, row(txtCust2, cmdCust2Cat));
    grid->addWidget(lblNewPS, r++, 0, 1, 2);
    grid->setRowStretch(r, 1);

    setTabChain({cboPS, cmdCatPS, txtShortDesc, txtDateInitiated, cmdCalendar0, txtDateTerminated, cmdCalendar1,
                 txtContractNumber, txtTrackNo, cboContractType, cmdCatContractType, cboContractDuration,
                 cmdCatContractDuration, txtCust1, cmdCust1Cat, txtCust2, cmdCust2Cat});

    connect(cmdCalendar0, &QPushButton::clicked, this, [this] { cmdCalendar_Click(0); });
    connect(cmdCalendar1, &QPushButton::clicked, this, [this] { cmdCalendar_Click(1); });
    connect(cmdCatPS, &QPushButton::clicked, this, [this] { cmdCatList_Click(cboPS); });
    connect(cmdCatContractType, &QPushButton::clicked, this, [this] { cmdCatList_Click(cboContractType); });
    connect(cmdCatContractDuration, &QPushButton::clicked, this, [this] { cmdCatList_Click(cboContractDuration); });
    connect(cmdCust1Cat, &QPushButton::clicked, this, [this] { cmdCustomList_Click(txtCust1, CatType::PSCustom1); });
    connect(cmdCust2Cat, &QPushButton::clicked, this, [this] { cmdCustomList_Click(txtCust2, CatType::PSCustom2); });
}

void frmPS::buildButtonBar()
{
    const RecordFrame::ButtonBar b
        = RecordFrame::makeButtonBar(*this, this, QStringLiteral("Print  Preview product/service details"),
                                     QStringLiteral("Email product/service details"), TabCtl, cboPS, cmdCust2Cat);
    // The pages after the first follow its fields; Tab reaches the shown one.
    setTabChain({cmdCust2Cat, cmdDTStamp_Notes, txtNote, ACtl->lv, ACtl->cmdSaveAs, ACtl->cmdView, ACtl->cmdRemove,
                 ACtl->cmdAttach, lblEdit});
    RecordFrame::adoptButtonBar(this, b);
}

// --- Events and commands -------------------------------------------------------

void frmPS::deleteOwnedParts()
{
    DB().DeleteAttachments(RowID, QStringLiteral("_ps"));
    if (frmMain* main = mainWindow())
        main->NotifyCustomer(m_custId, 2, RowID);
}

void frmPS::cmdCalendar_Click(int index)
{
    RecordFrame::pickDate(index == 0 ? txtDateInitiated : txtDateTerminated);
}

void frmPS::cmdCatList_Click(QComboBox* cbo)
{
    const CatType::Kind type = cbo == cboPS               ? CatType::ProductService
                               : cbo == cboContractType ? CatType::ContractType
                                                        : CatType::ContractDuration;
    const qint32 selected = SysUI().cboGetItemID(cbo);
    listEditor()(type);
    loadCategories(cbo, type, type != CatType::ProductService);
    if (selected > 0)
        SysUI().cboSelectAtID(cbo, selected);
    SysUI().CtlSetFocus(cbo);
}

void frmPS::cmdCustomList_Click(QComboBox* cbo, CatType::Kind catType)
{
    RecordFrame::editQuickList(cbo, catType);
}

void frmPS::cmdDTStamp_Notes_Click()
{
    RecordFrame::insertStamp(txtNote);
}
