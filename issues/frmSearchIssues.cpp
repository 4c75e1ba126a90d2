#include "issues/frmSearchIssues.h"

#include "common/clsSystem.h"
#include "common/mdlRegistry.h"
#include "common/ui/HelpContext.h"
#include "common/ui/TabChain.h"
#include "common/ui/clsSystemUI.h"
#include "data/clsDB.h"
#include "data/ui/clsDBUI.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const char* const kSearchWhatSettings[] = {"LastIssueSearchShortDesc", "LastIssueSearchDesc",
                                           "LastIssueSearchResolution"};

QLabel* named(QLabel* label, const char* name)
{
    label->setObjectName(QLatin1String(name));
    return label;
}

} // namespace

frmSearchIssues::frmSearchIssues(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Search Issues"));
    buildControls();
    Form_Load();
}

void frmSearchIssues::buildControls()
{
    Label1 = named(new QLabel(QStringLiteral("Search words:"), this), "Label1");
    txtSearch = new QLineEdit(this);
    txtSearch->setObjectName(QStringLiteral("txtSearch"));
    Label1->setBuddy(txtSearch);
    cmdClear = new QPushButton(QStringLiteral("C&lear"), this);
    cmdClear->setObjectName(QStringLiteral("cmdClear"));
    cmdClear->setAutoDefault(false);
    Label4 = named(new QLabel(QStringLiteral("TIP: Separate keywords by spaces"), this), "Label4");
    lblMsg = named(new QLabel(QStringLiteral("Leave blank to display all issues for the selected Product/Service"), this),
                   "lblMsg");
    Label3 = named(new QLabel(QStringLiteral("Search options:"), this), "Label3");
    cboType = new QComboBox(this);
    cboType->setObjectName(QStringLiteral("cboType"));
    Label3->setBuddy(cboType);
    Label5 = named(new QLabel(QStringLiteral("TIP: Select \"ANY of these Words\" to get maximum hits"), this), "Label5");
    Label7 = named(new QLabel(QStringLiteral("Search what:"), this), "Label7");
    const QString whats[] = {QStringLiteral("Short Description"), QStringLiteral("Description"),
                             QStringLiteral("Resolution")};
    for (size_t i = 0; i < ckSearchWhat.size(); ++i) {
        ckSearchWhat[i] = new QCheckBox(whats[i], this);
        ckSearchWhat[i]->setObjectName(QStringLiteral("ckSearchWhat%1").arg(i));
    }
    Label7->setBuddy(ckSearchWhat[0]);
    Label8 = named(new QLabel(QStringLiteral("TIP: Checking 'Description' or 'Resolution' will slow down search"), this),
                   "Label8");
    Label2 = named(new QLabel(QStringLiteral("Product/Service:"), this), "Label2");
    cboPS = new QComboBox(this);
    cboPS->setObjectName(QStringLiteral("cboPS"));
    Label2->setBuddy(cboPS);
    Label6 = named(new QLabel(QStringLiteral("TIP: Select SPECIFIC Product/Service to SPEED UP your search"), this),
                   "Label6");
    OKButton = new QPushButton(QStringLiteral("Search"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    CancelButton->setAutoDefault(false);
    cmdReset = new QPushButton(QStringLiteral("Reset"), this);
    cmdReset->setObjectName(QStringLiteral("cmdReset"));
    cmdReset->setAutoDefault(false);

    auto* grid = new QGridLayout;
    auto* words = new QHBoxLayout;
    words->addWidget(txtSearch, 1);
    words->addWidget(cmdClear);
    grid->addWidget(Label1, 0, 0);
    grid->addLayout(words, 0, 1);
    grid->addWidget(Label4, 1, 1);
    grid->addWidget(lblMsg, 2, 1);
    grid->addWidget(Label3, 3, 0);
    grid->addWidget(cboType, 3, 1);
    grid->addWidget(Label5, 4, 1);
    grid->addWidget(Label7, 5, 0);
    for (int i = 0; i < 3; ++i)
        grid->addWidget(ckSearchWhat[size_t(i)], 5 + i, 1);
    grid->addWidget(Label8, 8, 1);
    grid->addWidget(Label2, 9, 0);
    grid->addWidget(cboPS, 9, 1);
    grid->addWidget(Label6, 10, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    buttons->addWidget(cmdReset);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    setTabChain({txtSearch, cmdClear, cboType, ckSearchWhat[0], ckSearchWhat[1], ckSearchWhat[2], cboPS, OKButton,
                 CancelButton, cmdReset});

    connect(OKButton, &QPushButton::clicked, this, &frmSearchIssues::OKButton_Click);
    connect(CancelButton, &QPushButton::clicked, this, &frmSearchIssues::CancelButton_Click);
    connect(cmdClear, &QPushButton::clicked, this, [this] { txtSearch->setText(QString()); });
    connect(cmdReset, &QPushButton::clicked, this, &frmSearchIssues::Reset);
}

void frmSearchIssues::Form_Load()
{
    HelpContext::set(this, 1220);
    m_okPressed = false;
    m_searchStr.clear();
    cboType->addItem(QStringLiteral("ANY of these Words"), 1);
    cboType->addItem(QStringLiteral("ALL of these Words"), 2);
    m_psid = -1;
    cboPS->addItem(QStringLiteral("All Products/Services"), -1);
    DBUI().LoadCbo(cboPS, DB().CategoryTable(), QStringLiteral("rowid"), QStringLiteral("desc"),
                   QStringLiteral("type"), 2, false, false, -1);
    Reset();
    txtSearch->setText(GetPrefString(QStringLiteral("LastIssueSearchStr")));
    SysUI().cboSelectAtID(cboType, GetPrefLong(QStringLiteral("LastIssueSearchType")));
    SysUI().cboSelectAtID(cboPS, GetPrefLong(QStringLiteral("LastIssueSearchPSID")));
    for (size_t i = 0; i < ckSearchWhat.size(); ++i)
        ckSearchWhat[i]->setChecked(GetPrefLong(QLatin1String(kSearchWhatSettings[i])) == 1);
}

void frmSearchIssues::Reset()
{
    txtSearch->setText(QString());
    SysUI().cboSelectAtID(cboType, 1);
    m_searchType = 1;
    cboPS->setCurrentIndex(0);
    for (QCheckBox* box : ckSearchWhat)
        box->setChecked(false);
}

void frmSearchIssues::OKButton_Click()
{
    const bool anyTicked = ckSearchWhat[0]->isChecked() || ckSearchWhat[1]->isChecked() || ckSearchWhat[2]->isChecked();
    if (!Sys().trimBlanks(txtSearch->text()).isEmpty() && !anyTicked) {
        Sys().ShowMsg(QStringLiteral("Please check at least one item next to 'Search what'."), 2, -1);
        return;
    }
    m_searchStr = txtSearch->text();
    m_searchType = SysUI().cboGetItemID(cboType);
    m_psid = SysUI().cboGetItemID(cboPS);
    m_searchDesc = ckSearchWhat[1]->isChecked();
    m_searchShortDesc = ckSearchWhat[0]->isChecked();
    m_searchResolution = ckSearchWhat[2]->isChecked();
    SavePrefString(QStringLiteral("LastIssueSearchStr"), m_searchStr);
    SavePrefLong(QStringLiteral("LastIssueSearchType"), m_searchType);
    SavePrefLong(QStringLiteral("LastIssueSearchPSID"), m_psid);
    for (size_t i = 0; i < ckSearchWhat.size(); ++i)
        SavePrefLong(QLatin1String(kSearchWhatSettings[i]), ckSearchWhat[i]->isChecked() ? 1 : 0);
    m_okPressed = true;
    hide();
    accept();
}

void frmSearchIssues::CancelButton_Click()
{
    m_okPressed = false;
    hide();
    reject();
}
