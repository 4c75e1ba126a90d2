#include "common/ui/frmPrinterSelectionDlg.h"

#include "common/PromptService.h"
#include "common/clsSystem.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace {

const char* const kFileEntry = "Print to File (PDF)";

} // namespace

frmPrinterSelectionDlg::frmPrinterSelectionDlg(const QStringList& printers, const QString& current,
                                               QWidget* parent)
    : QDialog(parent)
    , m_printerCount(int(printers.size()))
{
    setObjectName(QStringLiteral("frmPrinterSelectionDlg"));
    setWindowTitle(QStringLiteral("Printer Selection"));
    cboPrinters = new QComboBox(this);
    cboPrinters->setObjectName(QStringLiteral("cboPrinters"));
    cboPrinters->addItems(printers);
    cboPrinters->addItem(QString::fromLatin1(kFileEntry));
    txtNumCopies = new QLineEdit(QStringLiteral("1"), this);
    txtNumCopies->setObjectName(QStringLiteral("txtNumCopies"));
    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));

    auto* form = new QFormLayout;
    auto* printerLabel = new QLabel(QStringLiteral("Printer:"), this);
    printerLabel->setBuddy(cboPrinters);
    auto* copiesLabel = new QLabel(QStringLiteral("Number of Copies:"), this);
    copiesLabel->setBuddy(txtNumCopies);
    form->addRow(printerLabel, cboPrinters);
    form->addRow(copiesLabel, txtNumCopies);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);

    int selected = -1;
    for (int i = 0; i < m_printerCount; ++i) {
        if (printers.at(i) == current)
            selected = i;
    }
    cboPrinters->setCurrentIndex(selected < 0 ? 0 : selected);
    cboPrinters_Click();

    connect(cboPrinters, &QComboBox::currentIndexChanged, this, &frmPrinterSelectionDlg::cboPrinters_Click);
    connect(OKButton, &QPushButton::clicked, this, &frmPrinterSelectionDlg::accept);
    connect(CancelButton, &QPushButton::clicked, this, &frmPrinterSelectionDlg::reject);
}

bool frmPrinterSelectionDlg::isFileEntry(int index) const { return index == m_printerCount; }

void frmPrinterSelectionDlg::cboPrinters_Click()
{
    // A file holds one copy; more would only write it again.
    const bool file = isFileEntry(cboPrinters->currentIndex());
    if (file)
        txtNumCopies->setText(QStringLiteral("1"));
    txtNumCopies->setEnabled(!file);
}

bool frmPrinterSelectionDlg::Validate()
{
    m_nPrinterIndex = cboPrinters->currentIndex();
    if (m_nPrinterIndex < 0) {
        MsgBox(QStringLiteral("Select a printer."), MsgStyle::Exclamation, QStringLiteral("Warning"));
        return false;
    }
    m_nCopies = 0;
    if (const auto value = Sys().numericValue(txtNumCopies->text()); value && std::abs(*value) < 1e6)
        m_nCopies = int(std::nearbyint(*value));
    if (m_nCopies >= 1 && m_nCopies <= 999)
        return true;
    MsgBox(QStringLiteral("Number of copies must be between 1 and 999."), MsgStyle::Exclamation,
           QStringLiteral("Warning"));
    return false;
}

void frmPrinterSelectionDlg::accept()
{
    if (!Validate())
        return;
    m_sFileName.clear();
    if (isFileEntry(m_nPrinterIndex)) {
        m_sFileName = Sys().GetSaveFileName(QString::fromLatin1(kFileEntry),
                                            QStringLiteral("PDF Document (*.pdf)|*.pdf"), QStringLiteral("pdf"),
                                            QString());
        if (m_sFileName.isEmpty())
            return;
    }
    m_bOK = true;
    QDialog::accept();
}

void frmPrinterSelectionDlg::reject()
{
    m_bOK = false;
    QDialog::reject();
}
