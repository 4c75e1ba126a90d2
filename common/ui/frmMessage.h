#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QTextEdit;

// The message window: a notice or refusal with an icon, a help topic, and
// buttons to print, save or mail the text. Shown modally by the prompt
// service for ShowMsg; "OK" hides it, which ends the modal showing.
class frmMessage : public QDialog {
    Q_OBJECT
public:
    explicit frmMessage(QWidget* parent = nullptr);

    // Text (plain), icon (1 information, 2 warning, 3 critical, 4 locked,
    // others none) and help context (below 1: none, kept as 0).
    void Init(const QString& text, int icon, int helpContext);

    int helpContextId() const { return m_helpContext; }

    QTextEdit* txtMsg = nullptr;
    QLabel* ImageInfo = nullptr;
    QLabel* imgWarn = nullptr;
    QLabel* imageCritical = nullptr;
    QLabel* imgLocked = nullptr;
    QPushButton* cmdSaveAs = nullptr;
    QPushButton* cmdPrint = nullptr;
    QPushButton* cmdEmail = nullptr;
    QPushButton* cmdClose = nullptr;

private:
    void buildIcons();
    void buildButtons();
    void cmdPrint_Click();
    void cmdSaveAs_Click();
    void cmdEmail_Click();

    int m_helpContext = 0;
};
