#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class frmMain;

// The Help Center ("MAIN_HELP"): who is logged in where, the version, the
// date and time (refreshed every 45 seconds) and links that run the Help
// menu's commands of the main window. Modeless, one at a time (frmMain's
// HelpCenter). Closing it stores "Don't show at startup" as the preference
// WelcomeShowAtStartup (1 ticked, 0 not).
class frmWelcome : public QDialog {
    Q_OBJECT
public:
    explicit frmWelcome(frmMain* main);

    QLabel* lblWelcome = nullptr;
    QLabel* lblLoginName = nullptr;
    QLabel* lblDatabase0 = nullptr;
    QLineEdit* txtDatabase = nullptr;
    QCheckBox* ckDontShowAtStartup = nullptr;
    QLabel* lblVer = nullptr;
    QLabel* lblDateTime = nullptr;
    QLabel* lblTour = nullptr;
    QLabel* lblTutorial = nullptr;
    QLabel* lblUserMan = nullptr;
    QLabel* lblSpecSheet = nullptr;
    QLabel* lblTip = nullptr;
    QLabel* lblBackup = nullptr;
    QLabel* lblTarvelon = nullptr;
    QPushButton* cmdCancel = nullptr;
    QTimer* Timer1 = nullptr;

protected:
    void done(int result) override;

private:
    QLabel* addLink(const char* name, const QString& text, void (frmMain::*member)());
    void Timer1_Timer();

    frmMain* m_main = nullptr;
};
