#include "reports/ui/frmPSFilterDlg.h"

#include "app/clsCustomLabels.h"
#include "common/clsSystem.h"
#include "common/ui/TabChain.h"
#include "data/CategoryTypes.h"
#include "data/clsDB.h"
#include "data/ui/clsDBUI.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmPSFilterDlg::frmPSFilterDlg(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmPSFilterDlg"));
    setWindowTitle(QStringLiteral("Product/Service Report Filter"));

    Label2 = new QLabel(QStringLiteral("Product/Service:"), this);
    cboPS = new QComboBox(this);
    cboPS->setObjectName(QStringLiteral("cboPS"));
    Label3 = new QLabel(QStringLiteral("Is Active?"), this);
    ComboIsActive = new QComboBox(this);
    ComboIsActive->setObjectName(QStringLiteral("ComboIsActive"));
    LabelCustom1 = new QLabel(this);
    LabelCustom1->setObjectName(QStringLiteral("LabelCustom1"));
    TextCustom1 = new QLineEdit(this);
    TextCustom1->setObjectName(QStringLiteral("TextCustom1"));
    LabelCustom2 = new QLabel(this);
    LabelCustom2->setObjectName(QStringLiteral("LabelCustom2"));
    TextCustom2 = new QLineEdit(this);
    TextCustom2->setObjectName(QStringLiteral("TextCustom2"));
    Label1 = new QLabel(QStringLiteral("Tip: Leave all fields blank to view all Products/Services"), this);
    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    CancelButton->setAutoDefault(false);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label2->setObjectName(QStringLiteral("Label2"));
    Label3->setObjectName(QStringLiteral("Label3"));
    Label2->setBuddy(cboPS);
    Label3->setBuddy(ComboIsActive);
    LabelCustom1->setBuddy(TextCustom1);
    LabelCustom2->setBuddy(TextCustom2);

    auto* fields = new QGridLayout;
    const std::pair<QLabel*, QWidget*> rows[] = {
        {Label2, cboPS}, {Label3, ComboIsActive}, {LabelCustom1, TextCustom1}, {LabelCustom2, TextCustom2}};
    int row = 0;
    for (const auto& [label, control] : rows) {
        fields->addWidget(label, row, 0);
        fields->addWidget(control, row++, 1);
    }
    fields->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(Label1);
    layout->addLayout(buttons);
    setTabChain({cboPS, ComboIsActive, TextCustom1, TextCustom2, OKButton, CancelButton});

    connect(OKButton, &QPushButton::clicked, this, &frmPSFilterDlg::OKButton_Click);
    connect(CancelButton, &QPushButton::clicked, this, &frmPSFilterDlg::CancelButton_Click);
    ResetValues();
    Form_Load();
}

void frmPSFilterDlg::Form_Load()
{
    clsCustomLabels::showAsTyped(LabelCustom1, CustomLabels().GetPSLabelName(QStringLiteral("custom1"), true));
    clsCustomLabels::showAsTyped(LabelCustom2, CustomLabels().GetPSLabelName(QStringLiteral("custom2"), true));
    DBUI().LoadCbo(cboPS, DB().CategoryTable(), QStringLiteral("rowid"), QStringLiteral("desc"),
                   QStringLiteral("type"), CatType::ProductService, true, false, -1);
    cboPS->setCurrentIndex(-1);
    ComboIsActive->addItem(QStringLiteral("NO"), 0);
    ComboIsActive->addItem(QStringLiteral("Yes"), 1);
    ComboIsActive->setCurrentIndex(-1);
    cboPS->setFocus();
}

void frmPSFilterDlg::ResetValues()
{
    PSID = -1;
    Active = -1;
    Custom1.clear();
    Custom2.clear();
}

void frmPSFilterDlg::OKButton_Click() { accept(); }

void frmPSFilterDlg::accept()
{
    ResetValues();
    // An empty selection carries no item data and so leaves the defaults.
    const QVariant ps = cboPS->currentData();
    if (ps.isValid() && ps.toInt() >= 1)
        PSID = ps.toInt();
    const QVariant active = ComboIsActive->currentData();
    if (active.isValid() && active.toInt() >= 0)
        Active = active.toInt();
    Custom1 = Sys().trimBlanks(TextCustom1->text());
    Custom2 = Sys().trimBlanks(TextCustom2->text());
    Accepted = true;
    QDialog::accept();
}

void frmPSFilterDlg::CancelButton_Click() { reject(); }

void frmPSFilterDlg::reject()
{
    Accepted = false;
    QDialog::reject();
}
