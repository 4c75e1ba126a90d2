#include "issues/frmEditIssueTemplates.h"

#include "issues/TemplateList.h"

#include "common/clsSystem.h"
#include "common/ui/HelpContext.h"
#include "common/ui/ListRenameDelegate.h"
#include "common/ui/NamedControls.h"
#include "common/ui/ObjectTag.h"
#include "common/ui/TabChain.h"
#include "common/ui/clsSystemUI.h"
#include "data/ParamFlags.h"
#include "data/Schema.h"
#include "data/clsDB.h"
#include "data/ui/FieldBox.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const QString kEnableParam = QStringLiteral("ENABLE_ISSUE_TEMPLATES");

QString templateFile() { return Schema::dataFileName(Schema::Table::ITempl); }

} // namespace

frmEditIssueTemplates::frmEditIssueTemplates(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmEditIssueTemplates"));
    setWindowTitle(QStringLiteral("Issue Templates"));
    lv = TemplateList::make(this);
    lv->setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    lv->setItemDelegate(new ListRenameDelegate(
        lv, [this](QTreeWidgetItem* item, QString& edited) { return lv_AfterLabelEdit(item, edited); },
        [](QLineEdit* box) { FieldBox::fit(box, Schema::Table::ITempl, "name"); }));
    ckEnableIssueTemplate = new QCheckBox(
        QStringLiteral("Enable Templates  - Prompt user to select an issue template when creating a new issue"), this);
    ckEnableIssueTemplate->setObjectName(QStringLiteral("ckEnableIssueTemplate"));
    cmdNew = namedButton(this, QStringLiteral("cmdNew"), QStringLiteral("&New"));
    cmdEdit = namedButton(this, QStringLiteral("cmdEdit"), QStringLiteral("&Edit"));
    cmdPrint = namedButton(this, QStringLiteral("cmdPrint"), QStringLiteral("&Print"));
    cmdRefresh = namedButton(this, QStringLiteral("cmdRefresh"), QStringLiteral("R&efresh"));
    cmdClose = namedButton(this, QStringLiteral("cmdClose"), QStringLiteral("Close"));

    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {cmdNew, cmdEdit, cmdPrint, cmdRefresh, cmdClose})
        buttons->addWidget(b);
    buttons->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addWidget(lv, 1);
    top->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(ckEnableIssueTemplate);
    setTabChain({lv, cmdNew, cmdEdit, cmdPrint, cmdRefresh, cmdClose, ckEnableIssueTemplate});

    connect(lv, &QTreeWidget::itemSelectionChanged, this, &frmEditIssueTemplates::SetUI);
    connect(cmdNew, &QPushButton::clicked, this, &frmEditIssueTemplates::cmdNew_Click);
    connect(cmdEdit, &QPushButton::clicked, this, &frmEditIssueTemplates::cmdEdit_Click);
    connect(cmdPrint, &QPushButton::clicked, this, &frmEditIssueTemplates::cmdPrint_Click);
    connect(cmdRefresh, &QPushButton::clicked, this, &frmEditIssueTemplates::cmdRefresh_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmEditIssueTemplates::cmdClose_Click);
    Init();
}

// The switch is written back whenever the dialog goes, so closing it with
// the box untouched writes the value that it read.
frmEditIssueTemplates::~frmEditIssueTemplates()
{
    (void)DB().SetParamValue(kEnableParam, ckEnableIssueTemplate->isChecked() ? QStringLiteral("1")
                                                                               : QStringLiteral("0"));
}

void frmEditIssueTemplates::Init()
{
    m_templateId = -1;
    setObjectTag(this, QStringLiteral("EDIT_ISSUETEMPLATES"));
    HelpContext::set(this, 1335);
    TemplateList::fitColumn(lv);
    ckEnableIssueTemplate->setChecked(IsIssueTemplatesEnabled());
    LoadData();
    SetUI();
}

void frmEditIssueTemplates::LoadData()
{
    setWindowTitle(QStringLiteral("Edit Issue Templates") + QStringLiteral(" - ") + Sys().CurrDateTimeShort());
    TemplateList::load(lv, true);
    for (int i = 0; i < lv->topLevelItemCount(); ++i)
        ListRenameDelegate::makeEditable(lv->topLevelItem(i));
}

bool frmEditIssueTemplates::IsItemSelected() const { return SysUI().LvIsItemSelected(lv); }

void frmEditIssueTemplates::SetUI() { cmdEdit->setEnabled(IsItemSelected()); }

void frmEditIssueTemplates::cmdNew_Click()
{
    ++m_untitled;
    const QString name = (QStringLiteral("Untitled ") + QString::number(m_untitled)).left(kMaxNameLength);
    const qint32 newId = AddUpdateItem(-1, name);
    if (newId <= 0)
        return;
    QTreeWidgetItem* item = ListRenameDelegate::appendSelected(lv, QStringLiteral("N") + QString::number(newId), name);
    SetUI();
    ListRenameDelegate::startRename(lv, item);
}

bool frmEditIssueTemplates::lv_AfterLabelEdit(QTreeWidgetItem* item, QString& edited)
{
    if (!ListRenameDelegate::tidyName(edited, kMaxNameLength))
        return false;
    // A name that could not be written stays shown until Refresh.
    UpdateDesc(TemplateList::rowIdOf(item), edited);
    return true;
}

void frmEditIssueTemplates::UpdateDesc(qint32 ID, const QString& Name) { (void)AddUpdateItem(ID, Name); }

qint32 frmEditIssueTemplates::AddUpdateItem(qint32 ID, const QString& Name)
{
    DATA4* table = DB().OpenTable(DB().IssuesTemplatesTable());
    if (!table)
        return -1;
    qint32 newId = -1;
    if (ID < 1) {
        newId = DB().AddNamedRow(templateFile(), QStringLiteral("name"), Name, table);
    } else if (DB().UpdateListItem(table, templateFile(), QStringLiteral("rowid"), QStringLiteral("name"), ID, Name,
                                      QStringLiteral("frmEditIssueTemplates_AddUpdateItem"))) {
        newId = ID;
    }
    (void)d4close(table);
    return newId;
}

void frmEditIssueTemplates::cmdEdit_Click()
{
    QTreeWidgetItem* item = nullptr;
    if (!SysUI().LvGetSelectedItem(lv, item))
        return;
    m_templateId = TemplateList::rowIdOf(item);
    accept();
}

void frmEditIssueTemplates::cmdPrint_Click() { SysUI().ListViewPrint_GetPrinter(lv, windowTitle()); }

void frmEditIssueTemplates::cmdRefresh_Click()
{
    LoadData();
    SetUI();
}

void frmEditIssueTemplates::cmdClose_Click()
{
    m_templateId = -1;
    reject();
}
