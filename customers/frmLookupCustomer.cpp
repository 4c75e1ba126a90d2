#include "customers/frmLookupCustomer.h"

#include "app/clsCustomLabels.h"
#include "common/PromptService.h"
#include "common/clsSystem.h"
#include "common/mdlRegistry.h"
#include "common/ui/AccessibleNames.h"
#include "common/ui/HelpContext.h"
#include "common/ui/clsSystemUI.h"
#include "data/clsDB.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kCustomerIdType = 5;

// A customer row identifier as typed: one to nine digits (blanks around
// them dropped) worth at least 1. A longer number would have to be cut and
// would then name another customer.
bool isCustomerId(const QString& text)
{
    if (text.isEmpty() || text.size() > 9)
        return false;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return text.toInt() >= 1;
}

} // namespace

frmLookupCustomer::frmLookupCustomer(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Lookup Customer"));

    Label1 = new QLabel(QStringLiteral("Search Type:"), this);
    cboType = new QListWidget(this);
    AccessibleNames::nameByLabel(cboType, Label1);
    Label2 = new QLabel(QStringLiteral("Search String:"), this);
    txtSearch = new QLineEdit(this);
    Label2->setBuddy(txtSearch);
    cmdClear = new QPushButton(QStringLiteral("C&lear"), this);
    cmdClear->setAutoDefault(false);
    lblMsg = new QLabel(QStringLiteral("TIP: Leave blank to display all customers"), this);
    OKButton = new QPushButton(QStringLiteral("&Search"), this);
    OKButton->setDefault(true);
    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    CancelButton->setAutoDefault(false);

    auto* text = new QHBoxLayout;
    text->addWidget(txtSearch, 1);
    text->addWidget(cmdClear);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(cboType);
    layout->addWidget(Label2);
    layout->addLayout(text);
    layout->addWidget(lblMsg);
    layout->addLayout(buttons);
    setTabOrder(cboType, txtSearch);
    setTabOrder(txtSearch, cmdClear);
    setTabOrder(cmdClear, OKButton);
    setTabOrder(OKButton, CancelButton);

    connect(cmdClear, &QPushButton::clicked, txtSearch, &QLineEdit::clear);
    connect(OKButton, &QPushButton::clicked, this, &frmLookupCustomer::OKButton_Click);
    connect(CancelButton, &QPushButton::clicked, this, &frmLookupCustomer::CancelButton_Click);

    Form_Load();
}

void frmLookupCustomer::Form_Load()
{
    HelpContext::set(this, 1210);
    const auto label = [](const char* field) {
        return CustomLabels().GetCustomerLabelName(QString::fromLatin1(field), false);
    };
    const std::pair<QString, int> entries[] = {
        {QStringLiteral("Primary Contact's ") + label("lastname") + QStringLiteral(" starts with or is:"), 1},
        {label("company") + QStringLiteral(" starts with or is:"), 2},
        {label("custno") + QStringLiteral(" starts with or is:"), 3},
        {label("workphone") + QStringLiteral(" starts with or is:"), 4},
        {QStringLiteral("Phone/Address/City/Zip contains:"), 6},
        {QStringLiteral("Customer ID is:"), kCustomerIdType},
    };
    for (const auto& [entry, code] : entries) {
        auto* item = new QListWidgetItem(entry, cboType);
        item->setData(Qt::UserRole, code);
    }
    // Wide and high enough for every entry, without scroll bars.
    const int frame = 2 * cboType->frameWidth();
    cboType->setMinimumWidth(cboType->sizeHintForColumn(0) + frame + 8);
    cboType->setFixedHeight(cboType->sizeHintForRow(0) * cboType->count() + frame + 4);
    txtSearch->setText(GetPrefString(QStringLiteral("LastCustSearchStr")));
    cboType->setCurrentRow(0);
    SysUI().lbSelectAtID(cboType, GetPrefLong(QStringLiteral("LastCustSearchType")));
}

void frmLookupCustomer::OKButton_Click()
{
    QString searchStr = Sys().trimBlanks(txtSearch->text());
    const int searchType = SysUI().lbGetItemID(cboType);
    if (searchType == kCustomerIdType && !isCustomerId(searchStr)) {
        MsgBox(QStringLiteral("Customer ID must be numeric!"), MsgStyle::Exclamation);
        return;
    }
    if (searchStr.isEmpty() && !DB().Perm_ReportsNoMsg()) {
        MsgBox(QStringLiteral("'Search String:' must be entered. Request 'Edit Report' permission from your "
                              "administrator to enable query without search string."),
               MsgStyle::Exclamation);
        return;
    }
    m_searchStr = searchStr;
    m_searchType = searchType;
    SavePrefLong(QStringLiteral("LastCustSearchType"), searchType);
    SavePrefString(QStringLiteral("LastCustSearchStr"), searchStr);
    m_okPressed = true;
    accept();
}

void frmLookupCustomer::CancelButton_Click()
{
    m_okPressed = false;
    reject();
}
