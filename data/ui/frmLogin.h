#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// The login dialog of an opening database. OK checks the typed login with
// clsDB::VerifyLogin: a refused try shows the failure message and keeps the
// dialog for another, without limit; a verified one sets LoginOK and the
// answer and hides the dialog. Cancel (or Escape) hides it with LoginOK
// False. The caller reads the public answer, then destroys the dialog.
class frmLogin : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 1040;

    explicit frmLogin(QWidget* parent = nullptr);

    // Shows the folder, offers the login name and password, and puts the
    // cursor where typing is needed.
    void Init(const QString& folder, const QString& loginName, const QString& password);

    // The answer.
    bool LoginOK = false;
    QString LoginName;
    qint32 UserID = -1;
    QString Password;
    bool IsAdmin = false;
    QString Permissions;

    QLabel* picIcon = nullptr;
    QLineEdit* txtDir = nullptr;
    QLabel* lblLabels = nullptr;
    QLineEdit* txtLogin = nullptr;
    QLabel* lblLabelRetype = nullptr;
    QLineEdit* txtPassword = nullptr;
    QLabel* lblMsg = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdHelp = nullptr;

private:
    void buildFields();
    void buildButtons();
    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdHelp_Click();
    void refuse(QLineEdit* box);
};
