#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class QTextEdit;

// A text preview from which the user prints, saves or copies the text.
// Each use makes a new one, shown modeless without an owner; it deletes
// itself when closed, so several may be open at once.
class frmRichEdit : public QWidget {
    Q_OBJECT
public:
    explicit frmRichEdit(QWidget* parent = nullptr);

    // The caption and the text, shown in "Courier New" 10 (the system's
    // fixed-pitch font where that is missing).
    void Init(const QString& caption, const QString& text);

    QTextEdit* RTB = nullptr;
    QWidget* BtnBar = nullptr;
    QPushButton* cmdPrint = nullptr;
    QPushButton* cmdSaveAs = nullptr;
    QPushButton* cmdCopyToClipboard = nullptr;
    QPushButton* CancelButton = nullptr;

private:
    void cmdCopyToClipboard_Click();
};
