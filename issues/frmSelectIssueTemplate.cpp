#include "issues/frmSelectIssueTemplate.h"

#include "issues/TemplateList.h"

#include "common/ui/HelpContext.h"
#include "common/ui/NamedControls.h"
#include "common/ui/ObjectTag.h"
#include "common/ui/TabChain.h"
#include "common/ui/clsSystemUI.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

frmSelectIssueTemplate::frmSelectIssueTemplate(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmSelectIssueTemplate"));
    setWindowTitle(QStringLiteral("Select Issue Template"));
    lv = TemplateList::make(this);
    cmdOK = namedButton(this, QStringLiteral("cmdOK"), QStringLiteral("OK"));
    cmdCancel = namedButton(this, QStringLiteral("cmdCancel"), QStringLiteral("Cancel"));
    cmdRefresh = namedButton(this, QStringLiteral("cmdRefresh"), QStringLiteral("R&efresh"));
    cmdOK->setDefault(true);

    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {cmdOK, cmdCancel, cmdRefresh})
        buttons->addWidget(b);
    buttons->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(lv, 1);
    layout->addLayout(buttons);
    setTabChain({lv, cmdOK, cmdCancel, cmdRefresh});

    connect(lv, &QTreeWidget::itemSelectionChanged, this, &frmSelectIssueTemplate::SetUI);
    connect(lv, &QTreeWidget::itemDoubleClicked, this, [this] { cmdOK_Click(); });
    connect(cmdOK, &QPushButton::clicked, this, &frmSelectIssueTemplate::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmSelectIssueTemplate::cmdCancel_Click);
    connect(cmdRefresh, &QPushButton::clicked, this, &frmSelectIssueTemplate::cmdRefresh_Click);
    Init();
}

void frmSelectIssueTemplate::Init()
{
    m_templateId = -1;
    setObjectTag(this, QStringLiteral("EDIT_ISSUETEMPLATES"));
    HelpContext::set(this, 1335);
    TemplateList::fitColumn(lv);
    LoadData();
    SetUI();
}

void frmSelectIssueTemplate::LoadData()
{
    lv->clear();
    SysUI().lvAddItem(lv, QStringLiteral("N-1"), {QStringLiteral("Blank Issue")});
    TemplateList::load(lv, false);
}

bool frmSelectIssueTemplate::IsItemSelected() const { return SysUI().LvIsItemSelected(lv); }

void frmSelectIssueTemplate::SetUI() { cmdOK->setEnabled(IsItemSelected()); }

void frmSelectIssueTemplate::cmdOK_Click()
{
    QTreeWidgetItem* item = nullptr;
    if (!SysUI().LvGetSelectedItem(lv, item))
        return;
    m_templateId = TemplateList::rowIdOf(item);
    m_okPressed = true;
    accept();
}

void frmSelectIssueTemplate::cmdCancel_Click()
{
    m_okPressed = false;
    reject();
}

void frmSelectIssueTemplate::cmdRefresh_Click()
{
    LoadData();
    SetUI();
}
