#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// The password dialog of the logged-in user, shown twice by the Change
// Password command: in enter mode it asks for the current password and
// compares it, in any letter case, with CurrentPassword; in new mode it asks
// for the new one twice and applies the password rules. Every refusal is a
// message and keeps the dialog open. It reads and writes nothing itself:
// the opener reads OKPressed and NewPassword once the dialog is hidden.
class frmChangePWD : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMinLength = 3;
    static constexpr int kMaxLength = 20;

    explicit frmChangePWD(QWidget* parent = nullptr);

    bool OKPressed = false;
    QString CurrentPassword;
    QString NewPassword;

    void EnterMode(const QString& prompt);
    void NewMode(const QString& prompt);
    // Empties both boxes; OKPressed False.
    void Init();

    QLabel* picIcon = nullptr;
    QLabel* lblLabels = nullptr;
    QLineEdit* txtPassword = nullptr;
    QLabel* lblLabelRetype = nullptr;
    QLineEdit* txtPasswordRetype = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdHelp = nullptr;

private:
    void build();
    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdHelp_Click();
    // The first rule the new password breaks, or "".
    QString newPasswordFault() const;

    bool m_newMode = false;
};
