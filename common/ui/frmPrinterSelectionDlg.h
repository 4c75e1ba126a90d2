#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

// The printer choice: the installed printers and, last, printing to a PDF
// file. The prompt service shows it; OK closes it only when Validate agrees
// (and, for the file entry, once a file name was given).
class frmPrinterSelectionDlg : public QDialog {
    Q_OBJECT
public:
    // Lists `printers` and the file entry; selects the last entry named
    // `current`, else the first.
    frmPrinterSelectionDlg(const QStringList& printers, const QString& current, QWidget* parent = nullptr);

    // Takes the selected entry into m_nPrinterIndex and the copies into
    // m_nCopies; warns and gives False without a printer or for copies
    // outside 1 to 999.
    bool Validate();
    bool isFileEntry(int index) const;

    bool m_bOK = false;
    int m_nCopies = 1;
    int m_nPrinterIndex = -1;
    QString m_sFileName;   // the PDF file, for the file entry

    QComboBox* cboPrinters = nullptr;
    QLineEdit* txtNumCopies = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;

public slots:
    void accept() override;
    void reject() override;

private:
    void cboPrinters_Click();

    int m_printerCount = 0;
};
