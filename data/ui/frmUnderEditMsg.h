#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The under-edit dialog: names the user and machine that have a record under
// edit and asks whether to edit it anyway. "I will try later" is both the
// default and the cancel button, so Enter and Escape give it up. The caller
// reads EditAnyway after the modal showing, then destroys the dialog.
class frmUnderEditMsg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 1050;

    explicit frmUnderEditMsg(QWidget* parent = nullptr);

    void Init(const QString& userName, const QString& computerName);

    bool EditAnyway = false;

    QLabel* imgWarn = nullptr;
    QLabel* lblMsg = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;

private:
    void OKButton_Click();
    void CancelButton_Click();
};
