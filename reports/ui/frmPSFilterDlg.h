#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The filters of the product/service report, chosen before the report list
// opens the report window: a product/service, an active state and two texts
// for the custom fields. The buttons only hide the dialog; the caller reads
// the public values afterwards. Fields left empty filter nothing, so an
// untouched dialog gives -1, -1, "" and "".
class frmPSFilterDlg : public QDialog {
    Q_OBJECT
public:
    explicit frmPSFilterDlg(QWidget* parent = nullptr);

    // PSID and Active -1, the texts "".
    void ResetValues();

    bool Accepted = false;
    qint32 PSID = -1;    // category row identifier, -1 for all
    qint32 Active = -1;  // -1 all, 1 active only, 0 inactive only
    QString Custom1;     // trimmed, "" for none
    QString Custom2;

    QLabel* Label2 = nullptr;
    QComboBox* cboPS = nullptr;
    QLabel* Label3 = nullptr;
    QComboBox* ComboIsActive = nullptr;
    QLabel* LabelCustom1 = nullptr;
    QLineEdit* TextCustom1 = nullptr;
    QLabel* LabelCustom2 = nullptr;
    QLineEdit* TextCustom2 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;

    void OKButton_Click();
    void CancelButton_Click();

    // OK: the chosen entries and the non-blank trimmed texts; Accepted.
    void accept() override;
    // Cancel and Esc: Accepted false.
    void reject() override;

private:
    void Form_Load();
};
