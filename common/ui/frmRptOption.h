#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The grid print options: orientation, what to print, the title and whether
// the date and time follow it. Loading restores the stored choices; OK
// stores them again (and the title under m_sTitleValueName when set).
class frmRptOption : public QDialog {
    Q_OBJECT
public:
    explicit frmRptOption(QWidget* parent = nullptr);

    // Remembers the value name; a non-empty stored title of that name
    // replaces the title text.
    void RestoreRptTitle(const QString& valueName);
    // 1 selects "Portrait", anything else "Landscape".
    void SetPageOrientation(int orientation);

    bool m_bOK = false;
    int m_nPageOrientation = 0;   // 1 portrait, 2 landscape
    int m_nSingleRowOnly = 0;     // 1 "Selected row only"
    int m_nPrintDateTime = 0;     // 1 checked
    QString m_sTitleValueName;

    QRadioButton* optLandscape = nullptr;  // optOrientation(0)
    QRadioButton* optPortrait = nullptr;   // optOrientation(1)
    QRadioButton* optEntireView = nullptr; // optWhatToPrint(0)
    QRadioButton* optSelectedRow = nullptr; // optWhatToPrint(1)
    QLineEdit* txtTitle = nullptr;
    QCheckBox* ckDT = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;

public slots:
    void accept() override;
    void reject() override;
};
