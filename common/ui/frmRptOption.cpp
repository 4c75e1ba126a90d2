#include "common/ui/frmRptOption.h"

#include "common/mdlRegistry.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QRadioButton* option(QWidget* parent, const QString& name, const QString& caption)
{
    auto* b = new QRadioButton(caption, parent);
    b->setObjectName(name);
    return b;
}

QGroupBox* frame(QWidget* parent, const QString& caption, std::initializer_list<QWidget*> children)
{
    auto* box = new QGroupBox(caption, parent);
    auto* layout = new QVBoxLayout(box);
    for (QWidget* w : children) {
        w->setParent(box);
        layout->addWidget(w);
    }
    return box;
}

} // namespace

frmRptOption::frmRptOption(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmRptOption"));
    setWindowTitle(QStringLiteral("Report Options"));
    optLandscape = option(this, QStringLiteral("optLandscape"), QStringLiteral("Landscape"));
    optPortrait = option(this, QStringLiteral("optPortrait"), QStringLiteral("Portrait"));
    optEntireView = option(this, QStringLiteral("optEntireView"), QStringLiteral("Entire View"));
    optSelectedRow = option(this, QStringLiteral("optSelectedRow"), QStringLiteral("Selected row only"));
    txtTitle = new QLineEdit(this);
    txtTitle->setObjectName(QStringLiteral("txtTitle"));
    txtTitle->setAccessibleName(QStringLiteral("Report Title"));
    ckDT = new QCheckBox(QStringLiteral("Append Print Date/Time"), this);
    ckDT->setObjectName(QStringLiteral("ckDT"));
    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame(this, QStringLiteral("Printed Page Orientation:"), {optLandscape, optPortrait}));
    layout->addWidget(frame(this, QStringLiteral("What to print?"), {optEntireView, optSelectedRow}));
    layout->addWidget(frame(this, QStringLiteral("Report Title"), {txtTitle, ckDT}));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    layout->addLayout(buttons);
    connect(OKButton, &QPushButton::clicked, this, &frmRptOption::accept);
    connect(CancelButton, &QPushButton::clicked, this, &frmRptOption::reject);

    m_nPageOrientation = GetPrefLong(QStringLiteral("RptPageOrientation"));
    SetPageOrientation(m_nPageOrientation);
    m_nSingleRowOnly = GetPrefLong(QStringLiteral("RptPrintSingleRowOnly"));
    (m_nSingleRowOnly == 1 ? optSelectedRow : optEntireView)->setChecked(true);
    m_nPrintDateTime = GetPrefLong(QStringLiteral("RptPrintDateTime"));
    ckDT->setChecked(m_nPrintDateTime == 1);
}

void frmRptOption::RestoreRptTitle(const QString& valueName)
{
    m_sTitleValueName = valueName;
    if (valueName.isEmpty())
        return;
    const QString stored = GetPrefString(valueName);
    if (!stored.isEmpty())
        txtTitle->setText(stored);
}

void frmRptOption::SetPageOrientation(int orientation)
{
    (orientation == 1 ? optPortrait : optLandscape)->setChecked(true);
}

void frmRptOption::accept()
{
    m_bOK = true;
    m_nPageOrientation = optLandscape->isChecked() ? 2 : 1;
    SavePrefLong(QStringLiteral("RptPageOrientation"), m_nPageOrientation);
    m_nSingleRowOnly = optEntireView->isChecked() ? 0 : 1;
    SavePrefLong(QStringLiteral("RptPrintSingleRowOnly"), m_nSingleRowOnly);
    if (!m_sTitleValueName.isEmpty())
        SavePrefString(m_sTitleValueName, txtTitle->text());
    m_nPrintDateTime = ckDT->isChecked() ? 1 : 0;
    SavePrefLong(QStringLiteral("RptPrintDateTime"), m_nPrintDateTime);
    QDialog::accept();
}

void frmRptOption::reject()
{
    m_bOK = false;
    QDialog::reject();
}
