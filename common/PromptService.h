#pragma once

#include <QString>
#include <QStringList>

#include <optional>

struct RunError;

class QObject;
class QPrinter;

// Message box styles and answers, with the values the system's texts use
// ("style 48" is an exclamation box with one OK button). A style is the sum of
// one button set, one icon and at most one default-button choice.
namespace MsgStyle {
constexpr int OkOnly = 0;
constexpr int OkCancel = 1;
constexpr int AbortRetryIgnore = 2;
constexpr int YesNoCancel = 3;
constexpr int YesNo = 4;
constexpr int RetryCancel = 5;
constexpr int Critical = 16;
constexpr int Question = 32;
constexpr int Exclamation = 48;
constexpr int Information = 64;
constexpr int DefaultButton2 = 256;
constexpr int DefaultButton3 = 512;

constexpr int buttons(int style) { return style & 7; }
constexpr int icon(int style) { return style & 0x70; }
constexpr int defaultButton(int style) { return (style & 0x300) >> 8; } // 0-based
} // namespace MsgStyle

enum class MsgAnswer { Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

// The answer that closing a box without choosing gives for a button set:
// Cancel where there is one, else No, else OK (Abort for Abort/Retry/Ignore).
MsgAnswer msgEscapeAnswer(int style);

struct MsgBoxRequest {
    QString text;
    QString title;
    int style = MsgStyle::OkOnly;
    QString helpFile;
    int helpContext = 0;
};

// File dialog flags that the dialogs honour (others are accepted and ignored).
namespace FileDlgFlag {
constexpr long OverwritePrompt = 0x2;
constexpr long PathMustExist = 0x800;
constexpr long FileMustExist = 0x1000;
} // namespace FileDlgFlag

struct FileDialogRequest {
    bool save = false;
    QString title;        // empty: the dialog's own title
    QString filter;       // "Description|pattern|Description|pattern" pairs
    QString fileName;     // proposed file name or path; may be empty
    QString defaultExt;   // added to a typed name without an ending; may be empty
    long flags = 0;
};

// A message handed to the desktop's mail program, where the user sees it
// (and may change it) before it goes.
struct MailMessage {
    QStringList to;
    QString subject;
    QString body;
};

// The printer chosen in the printer choice dialog: an installed printer by
// name (empty: the system's default), or, with `fileName` set, a PDF file.
struct PrinterChoice {
    QString printerName;
    QString fileName;
    int copies = 1;
};

// Everything the program shows modally, or hands to the desktop for the user
// to confirm, goes through the one installed service: message boxes, the
// message window, input boxes, file, folder and printer dialogs, and the
// busy pointer. The window implementation lives in common/ui; tests install
// ScriptedPrompts, which answers from a script and records what was shown.
class PromptService {
public:
    virtual ~PromptService() = default;

    // A message box; returns the button chosen.
    virtual MsgAnswer messageBox(const MsgBoxRequest& request) = 0;

    // The message window (icon 1 information, 2 warning, 3 critical,
    // 4 locked, others none; help context below 1 means none). Returns when
    // the user has closed it.
    virtual void messageWindow(const QString& text, int icon, int helpContext) = 0;

    // An input box; nullopt when cancelled. F1 in it opens the help at
    // `helpContext` (0: the help's contents).
    virtual std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                            const QString& defaultText, int helpContext = 0) = 0;

    // An open or save dialog; the chosen path, or nullopt when cancelled.
    virtual std::optional<QString> fileDialog(const FileDialogRequest& request) = 0;

    // A folder browser starting at startFolder (may be empty); the chosen
    // folder, or an empty text when cancelled.
    virtual QString folderDialog(const QString& title, const QString& startFolder,
                                 bool includeFiles) = 0;

    // The printer dialog over `printer` (not owned); true when the user
    // confirmed, and the printer then carries the choice.
    virtual bool printerDialog(QPrinter* printer, const QString& title) = 0;

    // The printer choice: the installed printers, `current` selected (else
    // the first), and a last entry that prints to a PDF file, whose name it
    // then asks for. The choice with its number of copies (1 for a file), or
    // nullopt when cancelled.
    virtual std::optional<PrinterChoice> printerSelection(const QString& current) = 0;

    // Shows one of the program's own dialogs (a QDialog, not owned) modally
    // over the main window; true when it was closed through its accept().
    virtual bool execDialog(QObject* dialog) = 0;

    // Hands a message to the desktop's mail program: with `asUrl` false to
    // xdg-email with recipients, subject and body as separate arguments
    // (empty ones left out, for the user to fill in there), with `asUrl`
    // true as a percent-encoded mailto: URL opened by xdg-open.
    // True when a program took it; that says nothing about the message being
    // sent. False with the reason in `failure` (the program missing, a
    // non-zero exit, a part or link too long to hand over).
    virtual bool mailHandOff(const MailMessage& message, bool asUrl, RunError& failure) = 0;

    // Switches the busy (hourglass) pointer on or off; not counted.
    virtual void setWaitCursor(bool on) = 0;
};

// The installed service. Before any is installed, a fallback answers every
// prompt as if cancelled (OK for a one-button box) and writes it to the log.
PromptService& Prompts();

// Installs `service` (not owned; nullptr goes back to the fallback) and
// returns the one it replaces.
PromptService* setPrompts(PromptService* service);

// A message box titled with the product name unless a title is given.
MsgAnswer MsgBox(const QString& text, int style = MsgStyle::OkOnly, const QString& title = QString());
