#pragma once

#include "common/PromptService.h"

#include <QList>

#include <deque>

// What a scripted prompt service was asked to show.
struct ShownPrompt {
    enum class Kind { MessageBox, MessageWindow, InputBox, FileDialog, FolderDialog, PrinterDialog, PrinterSelection,
                      Dialog, Mail };
    Kind kind = Kind::MessageBox;
    QString text;         // message or prompt; folder dialog: start folder; mail: body;
                          // printer selection: the current printer; dialog: object name
    QString title;        // mail: subject; dialog: window title
    int style = 0;        // message box style, or the message window's icon
    int helpContext = 0;
    QString helpFile;
    QString defaultText;  // input box default
    FileDialogRequest file;
    bool includeFiles = false;
    QStringList mailTo;
    bool mailAsUrl = false;
};

// A prompt service for tests: it installs itself on construction (restoring
// the previous service on destruction), records every prompt, and answers
// each from the script in order. A prompt that finds the script empty is
// answered as cancelled (OK for one-button boxes; a message window simply
// closes) and counted in unscripted().
//
// Script entries fit the prompt they meet:
//   button(b)  message boxes answer b;
//   text(s)    input boxes, file and folder dialogs answer s; a mail
//              hand-off fails for the reason s;
//   cancel()   any prompt is cancelled (a box gives its escape answer);
//   accept()   a printer dialog is confirmed, the printer choice gives the
//              default printer with one copy, a dialog is accepted, a mail
//              is taken by the mail program, a box gives its first button;
//   printer(c) the printer choice answers c.
// Any other entry cancels a dialog (through its reject()).
// Any entry closes a message window.
class ScriptedPrompts final : public PromptService {
public:
    ScriptedPrompts();
    ~ScriptedPrompts() override;
    ScriptedPrompts(const ScriptedPrompts&) = delete;
    ScriptedPrompts& operator=(const ScriptedPrompts&) = delete;

    ScriptedPrompts& button(MsgAnswer answer);
    ScriptedPrompts& text(const QString& answer);
    ScriptedPrompts& cancel();
    ScriptedPrompts& accept();
    ScriptedPrompts& printer(const PrinterChoice& choice);

    const QList<ShownPrompt>& shown() const { return m_shown; }
    ShownPrompt last() const { return m_shown.isEmpty() ? ShownPrompt{} : m_shown.last(); }
    int unscripted() const { return m_unscripted; }
    int scriptLeft() const { return int(m_script.size()); }
    bool waitCursor() const { return m_waitCursor; }
    void clear();

    MsgAnswer messageBox(const MsgBoxRequest& request) override;
    void messageWindow(const QString& text, int icon, int helpContext) override;
    std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                    const QString& defaultText, int helpContext = 0) override;
    std::optional<QString> fileDialog(const FileDialogRequest& request) override;
    QString folderDialog(const QString& title, const QString& startFolder, bool includeFiles) override;
    bool printerDialog(QPrinter* printer, const QString& title) override;
    std::optional<PrinterChoice> printerSelection(const QString& current) override;
    bool execDialog(QObject* dialog) override;
    bool mailHandOff(const MailMessage& message, bool asUrl, RunError& failure) override;
    void setWaitCursor(bool on) override { m_waitCursor = on; }

private:
    struct Entry {
        enum class Type { Button, Text, Cancel, Accept, Printer } type;
        MsgAnswer button = MsgAnswer::Ok;
        QString text;
        PrinterChoice printer;
    };

    std::optional<Entry> next();
    std::optional<QString> textAnswer();

    std::deque<Entry> m_script;
    QList<ShownPrompt> m_shown;
    int m_unscripted = 0;
    bool m_waitCursor = false;
    PromptService* m_previous = nullptr;
};
