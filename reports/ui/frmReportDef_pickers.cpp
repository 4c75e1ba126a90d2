#include "reports/ui/frmReportDef.h"

#include "common/PromptService.h"
#include "common/ui/HelpContext.h"
#include "common/ui/clsSystemUI.h"
#include "common/ui/TabChain.h"
#include "data/clsDB.h"
#include "data/ui/clsDBUI.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

frmRptDisplayColumns::frmRptDisplayColumns(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmRptDisplayColumns"));
    setWindowTitle(QStringLiteral("Report - Columns to Display"));
    HelpContext::set(this, 1400);
    lstRptCols = new QListWidget(this);
    lstRptCols->setObjectName(QStringLiteral("lstRptCols"));
    lstRptCols->setAccessibleName(QStringLiteral("Columns"));
    lstRptCols->setSelectionMode(QAbstractItemView::ExtendedSelection);
    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    connect(OKButton, &QPushButton::clicked, this, &frmRptDisplayColumns::OKButton_Click);
    connect(lstRptCols, &QListWidget::itemDoubleClicked, this, &frmRptDisplayColumns::OKButton_Click);
    connect(CancelButton, &QPushButton::clicked, this, [this] {
        OKPressed = false;
        hide();
        reject();
    });
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(lstRptCols, 1);
    layout->addLayout(buttons);
    setTabOrder(lstRptCols, OKButton);
    setTabOrder(OKButton, CancelButton);
}

void frmRptDisplayColumns::Init(const QString& reportType)
{
    OKPressed = false;
    m_rptType = reportType;
    DBUI().LBLoadRptColumns(lstRptCols, m_rptType, QStringLiteral("D"));
}

void frmRptDisplayColumns::OKButton_Click()
{
    if (lstRptCols->selectedItems().isEmpty()) {
        MsgBox(QStringLiteral("Please select one or more columns to display before pressing OK."),
               MsgStyle::Exclamation);
        return;
    }
    OKPressed = true;
    hide();
    accept();
}

frmRptFilterColumns::frmRptFilterColumns(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmRptFilterColumns"));
    setWindowTitle(QStringLiteral("Report - Criteria"));
    HelpContext::set(this, 1400);
    Label1 = new QLabel(QStringLiteral("Columns:"), this);
    cboCols = new QComboBox(this);
    cboCols->setObjectName(QStringLiteral("cboCols"));
    Label1->setBuddy(cboCols);
    optOperIs = new QRadioButton(QStringLiteral("IS"), this);
    optOperIs->setObjectName(QStringLiteral("optOper0"));
    optOperIsNot = new QRadioButton(QStringLiteral("IS NOT"), this);
    optOperIsNot->setObjectName(QStringLiteral("optOper1"));
    Label2 = new QLabel(QStringLiteral("Values:"), this);
    cboValues = new QComboBox(this);
    cboValues->setObjectName(QStringLiteral("cboValues"));
    Label2->setBuddy(cboValues);
    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    connect(cboCols, &QComboBox::activated, this, &frmRptFilterColumns::cboCols_Click);
    connect(OKButton, &QPushButton::clicked, this, &frmRptFilterColumns::OKButton_Click);
    connect(CancelButton, &QPushButton::clicked, this, [this] {
        OKPressed = false;
        hide();
        reject();
    });
    auto* grid = new QGridLayout(this);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(cboCols, 0, 1);
    auto* opers = new QHBoxLayout;
    opers->addWidget(optOperIs);
    opers->addWidget(optOperIsNot);
    opers->addStretch();
    grid->addLayout(opers, 1, 1);
    grid->addWidget(Label2, 2, 0);
    grid->addWidget(cboValues, 2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    grid->addLayout(buttons, 3, 0, 1, 2);
    setTabChain({cboCols, optOperIs, optOperIsNot, cboValues, OKButton, CancelButton});
}

void frmRptFilterColumns::Init(const QString& reportType)
{
    OKPressed = false;
    optOperIs->setChecked(true);
    m_rptType = reportType;
    // The catalogue's column picker fills a list; the combo box takes its
    // entries in the same order.
    QListWidget columns;
    DBUI().LBLoadRptColumns(&columns, m_rptType, QStringLiteral("F"));
    cboCols->clear();
    for (int i = 0; i < columns.count(); ++i)
        cboCols->addItem(columns.item(i)->text(), columns.item(i)->data(Qt::UserRole));
    cboCols->setCurrentIndex(-1);
    cboValues->clear();
}

void frmRptFilterColumns::RemoveColumn(qint32 colId)
{
    const int at = cboCols->findData(colId);
    if (at >= 0)
        cboCols->removeItem(at);
}

void frmRptFilterColumns::cboCols_Click()
{
    cboValues->clear();
    const qint32 colId = SysUI().cboGetItemID(cboCols);
    if (colId < 0)
        return;
    DBUI().LoadCbo(cboValues, DB().CategoryTable(), QStringLiteral("rowid"), QStringLiteral("desc"),
                   QStringLiteral("type"), DB().RptFilterGetCatType(colId), true, false, -1);
    cboValues->setCurrentIndex(-1);
}

void frmRptFilterColumns::OKButton_Click()
{
    if (cboCols->currentIndex() < 0) {
        MsgBox(QStringLiteral("Please select a Column."), MsgStyle::Exclamation);
        return;
    }
    if (cboValues->currentIndex() < 0) {
        MsgBox(QStringLiteral("Please select Value."), MsgStyle::Exclamation);
        return;
    }
    SelColID = SysUI().cboGetItemID(cboCols);
    SelValueID = SysUI().cboGetItemID(cboValues);
    SelOper = optOperIsNot->isChecked() ? QStringLiteral("#") : QStringLiteral("=");
    SelColText = cboCols->currentText();
    SelValueText = cboValues->currentText();
    OKPressed = true;
    hide();
    accept();
}
