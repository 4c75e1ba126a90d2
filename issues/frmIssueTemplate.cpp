#include "issues/frmIssueTemplate.h"

#include "common/WaitCursor.h"
#include "issues/IssueControls.h"

#include "app/EditModeCtl.h"
#include "app/RecordControls.h"
#include "app/RecordFrame.h"
#include "app/StatisticCtl.h"
#include "common/clsSystem.h"
#include "common/ui/HelpContext.h"
#include "common/ui/TabChain.h"
#include "common/ui/clsSystemUI.h"
#include "common/ui/frmRichEdit.h"
#include "data/RecColl.h"
#include "data/Schema.h"
#include "data/clsDB.h"
#include "data/ui/FieldBox.h"
#include "data/ui/clsDBUI.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <tuple>

namespace {

using namespace RecordControls;

constexpr int kHelpContext = 1335;
constexpr int kDescriptionTab = 1;
constexpr int kResolutionTab = 2;

} // namespace

frmIssueTemplate::frmIssueTemplate(QWidget* parent)
    : TabbedRecordWindow({QStringLiteral("T"), DB().IssuesTemplatesTable(),
                             Schema::dataFileName(Schema::Table::ITempl), QStringLiteral("_issuetemplate"),
                             &clsDB::Perm_Issues, Schema::dataFileName(Schema::Table::Issues)},
                            parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setEditKeyEntersOnly();
    TabCtl = new QTabWidget(this);
    TabCtl->setObjectName(QStringLiteral("TabCtl"));
    auto* tab0 = new QWidget;
    buildIssueTab(tab0);
    TabCtl->addTab(tab0, QStringLiteral("&Issue"));
    txtDesc = IssueControls::textTab(TabCtl, QStringLiteral("&Description"), Schema::Table::ITempl, "desc", "txtDesc",
                                     "cmdDTStamp_Desc", cmdDTStamp_Desc);
    txtResolution = IssueControls::textTab(TabCtl, QStringLiteral("&Resolution"), Schema::Table::ITempl, "resolution",
                                           "txtResolution", "cmdDTStamp_Resolution", cmdDTStamp_Resolution);
    auto* tab3 = new QWidget;
    auto* last = new QVBoxLayout(tab3);
    last->addWidget(LE);
    last->addStretch(1);
    // The caption carries two mnemonics; a screen reader reads the tab's name.
    const int lastEdit = TabCtl->addTab(tab3, QStringLiteral("&Last Edi&t"));
    TabCtl->tabBar()->setAccessibleTabName(lastEdit, QStringLiteral("Last Edit"));

    const RecordFrame::ButtonBar b
        = RecordFrame::makeButtonBar(*this, this, QStringLiteral("Print Preview issue details"),
                                     QStringLiteral("Email issue details"), TabCtl, cboPS, cmdCatIssueCategory);
    RecordFrame::adoptButtonBar(this, b);
    connect(cmdDTStamp_Desc, &QPushButton::clicked, this, [this] { RecordFrame::insertStamp(txtDesc); });
    connect(cmdDTStamp_Resolution, &QPushButton::clicked, this,
            [this] { RecordFrame::insertStamp(txtResolution); });
    connect(TabCtl, &QTabWidget::currentChanged, this, [this](int tab) {
        if (tab == kDescriptionTab)
            SysUI().CtlSetFocus(txtDesc);
        else if (tab == kResolutionTab)
            SysUI().CtlSetFocus(txtResolution);
    });

    setWindowTitle(QStringLiteral("Issue Template"));
    HelpContext::set(this, kHelpContext);
    TabCtl->setCurrentIndex(0);
}

frmIssueTemplate::~frmIssueTemplate() = default;

void frmIssueTemplate::buildIssueTab(QWidget* page)
{
    auto* heading = fieldLabel(page, "lblHeading", QStringLiteral("Issue Template"));
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    makeIssueFields(page, this, Schema::Table::ITempl);

    auto* grid = new QGridLayout(page);
    grid->setColumnStretch(1, 1);
    int r = 0;
    grid->addWidget(heading, r++, 0, 1, 2);
    const std::tuple<QLabel*, QWidget*, QWidget*> rows[] = {
        {lblPS, cboPS, cmdCatPS},
        {lblShortDesc, txtShortDesc, nullptr},
        {lblAssigned, cboAssignedTo, nullptr},
        {lblPriority, cboPriority, cmdCatPriority},
        {lblStatus, cboStatus, cmdCatStatus},
        {lblCustom1, txtCust1, cmdCust1Cat},
        {lblCustom2, txtCust2, cmdCust2Cat},
        {lblCat, cboIssueCategory, cmdCatIssueCategory}};
    for (const auto& [label, field, side] : rows) {
        grid->addWidget(label, r, 0);
        if (side)
            grid->addLayout(row(field, side), r++, 1);
        else
            grid->addWidget(field, r++, 1);
    }
    grid->setRowStretch(r, 1);
    setTabChain({cboPS, cmdCatPS, txtShortDesc, cboAssignedTo, cboPriority, cmdCatPriority, cboStatus, cmdCatStatus,
                 txtCust1, cmdCust1Cat, txtCust2, cmdCust2Cat, cboIssueCategory, cmdCatIssueCategory});
}

// --- Events ---------------------------------------------------------------------


// --- The contract ---------------------------------------------------------------

void frmIssueTemplate::Init(qint32 rowId, bool editMode)
{
    RecordForm::Init(rowId, false);
    if (editMode)
        DoEditModeBtn();
}

void frmIssueTemplate::InitControls()
{
    // The typed texts of the two free-text lists outlive the refill.
    const QString custom1 = txtCust1->currentText();
    const QString custom2 = txtCust2->currentText();
    loadCategories(cboPS, CatType::ProductService, false);
    DBUI().LoadCbo_Users(cboAssignedTo, false, true);
    cboAssignedTo->setCurrentIndex(-1);
    loadCategories(cboPriority, CatType::IssuePriority, false);
    loadCategories(cboStatus, CatType::IssueStatus, false);
    loadCategories(cboIssueCategory, CatType::IssueCategory, true);
    cboIssueCategory->setCurrentIndex(0);
    loadCategories(txtCust1, CatType::IssueCustom1, false);
    loadCategories(txtCust2, CatType::IssueCustom2, false);
    txtCust1->setEditText(custom1);
    txtCust2->setEditText(custom2);
    RecordForm::InitControls();
}

void frmIssueTemplate::LoadData()
{
    const WaitCursor busy;
    InitControls();
    if (RowID > 0) {
        SetTagVariant();
        if (DB().CheckIfRecExists(table().path, table().file, RowID, false))
            readTemplate();
    }
    SetWindowCaption();
}

void frmIssueTemplate::readTemplate()
{
    RecColl coll(table().path, RowID, table().rectype);
    coll.set(QStringLiteral("_tablename"), table().file);
    if (DB().ReadRecord(coll, false)) {
        auto text = [&coll](const char* field) { return coll.text(QString::fromLatin1(field)); };
        // A stored value that no entry carries leaves the list as filled.
        auto select = [&coll](QComboBox* cbo, const char* field) {
            SysUI().cboSelectAtID(cbo, coll.value(QString::fromLatin1(field)).toInt());
        };
        select(cboPS, "psid");
        select(cboAssignedTo, "assignedto");
        select(cboPriority, "priority");
        select(cboStatus, "status");
        select(cboIssueCategory, "issuecat");
        txtShortDesc->setText(text("shortdesc"));
        txtCust1->setEditText(text("custom1"));
        txtCust2->setEditText(text("custom2"));
        txtDesc->setPlainText(text("desc"));
        txtResolution->setPlainText(text("resolution"));
        m_name = text("name").trimmed();
    }
    coll.clear();
    UpdateLastEditCtl();
}

void frmIssueTemplate::SetWindowCaption()
{
    setWindowTitle(QStringLiteral("Issue Template: ") + m_name + QStringLiteral(" @") + Sys().CurrTimeAMPM());
}

void frmIssueTemplate::SetUI()
{
    RecordForm::SetUI();
    lblEdit->setVisible(true);
}

// No field of a template is required and no value is refused.
bool frmIssueTemplate::ValidateData() { return true; }

bool frmIssueTemplate::SaveData()
{
    const WaitCursor busy;
    (void)ValidateData();
    if (RowID < 1) {
        return false;
    }
    RecColl coll;
    auto set = [&coll](const char* field, const QVariant& value) { coll.add(QString::fromLatin1(field), value); };
    set("psid", SysUI().cboGetItemID(cboPS));
    set("shortdesc", txtShortDesc->text());
    set("assignedto", SysUI().cboGetItemID(cboAssignedTo));
    set("priority", SysUI().cboGetItemID(cboPriority));
    set("status", SysUI().cboGetItemID(cboStatus));
    set("issuecat", SysUI().cboGetItemID(cboIssueCategory));
    set("custom1", txtCust1->currentText());
    set("custom2", txtCust2->currentText());
    set("desc", IssueControls::storedText(txtDesc));
    set("resolution", IssueControls::storedText(txtResolution));
    // The row must still be there (its message shows itself); after a
    // refused save the window stays in edit mode and keeps its mark.
    const bool saved = StoreRecord(coll);
    if (saved)
        SetTagVariant();
    SetWindowCaption();
    return saved;
}

// --- Text output -------------------------------------------------------------------

QString frmIssueTemplate::FormContent()
{
    const auto line = [](const QString& caption, const QString& value, int breaks) {
        return Sys().PadSpaces(caption, 20, 2) + value + Sys().CRLF(breaks);
    };
    const QString rule = Sys().PadChar(QString(), 80, QStringLiteral("-"), 2);
    QString text = QStringLiteral("ISSUE TEMPLATE: ") + m_name + Sys().CRLF(2);
    text += line(QStringLiteral("Short Description:"), txtShortDesc->text(), 1);
    text += line(QStringLiteral("Product/Service:"), cboPS->currentText(), 2);
    text += line(QStringLiteral("Status:"), cboStatus->currentText(), 1);
    text += line(QStringLiteral("Priority:"), cboPriority->currentText(), 1);
    text += line(QStringLiteral("Assigned To::"), cboAssignedTo->currentText(), 2);
    text += line(lblCustom1->text(), txtCust1->currentText(), 1);
    text += line(lblCustom2->text(), txtCust2->currentText(), 2);
    text += line(lblCat->text(), cboIssueCategory->currentText(), 2);
    text += rule + Sys().CRLF(1);
    text += QStringLiteral("Description:") + Sys().CRLF(1) + IssueControls::storedText(txtDesc) + Sys().CRLF(2);
    text += rule + Sys().CRLF(2);
    text += QStringLiteral("Resolution:") + Sys().CRLF(1) + IssueControls::storedText(txtResolution) + Sys().CRLF(2);
    text += rule + Sys().CRLF(2);
    text += line(QStringLiteral("Last Modified By:"), LE->ModifiedBy(), 1);
    text += line(QStringLiteral("Last Modified On:"), LE->ModifiedOn(), 1);
    text += line(QStringLiteral("Last Modified At:"), LE->ModifiedAt(), 2);
    return text;
}

QString frmIssueTemplate::FormPrint()
{
    auto* viewer = new frmRichEdit;
    viewer->Init(windowTitle(), FormContent());
    viewer->show();
    return QString();
}

QString frmIssueTemplate::FormEmail()
{
    RecordFrame::mailSender()(QString(), QStringLiteral("<<Verify Email Address and Enter Subject>>"),
                              FormContent());
    return QString();
}
