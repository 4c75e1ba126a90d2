#include "common/ScriptedPrompts.h"

#include "common/RunError.h"

#include <QMetaObject>
#include <QObject>
#include <QVariant>

namespace {

MsgAnswer firstButton(int style)
{
    switch (MsgStyle::buttons(style)) {
    case MsgStyle::AbortRetryIgnore:
        return MsgAnswer::Abort;
    case MsgStyle::YesNoCancel:
    case MsgStyle::YesNo:
        return MsgAnswer::Yes;
    case MsgStyle::RetryCancel:
        return MsgAnswer::Retry;
    default:
        return MsgAnswer::Ok;
    }
}

} // namespace

ScriptedPrompts::ScriptedPrompts() { m_previous = setPrompts(this); }

ScriptedPrompts::~ScriptedPrompts() { setPrompts(m_previous); }

ScriptedPrompts& ScriptedPrompts::button(MsgAnswer answer)
{
    m_script.push_back({Entry::Type::Button, answer, {}, {}});
    return *this;
}

ScriptedPrompts& ScriptedPrompts::text(const QString& answer)
{
    m_script.push_back({Entry::Type::Text, MsgAnswer::Ok, answer, {}});
    return *this;
}

ScriptedPrompts& ScriptedPrompts::cancel()
{
    m_script.push_back({Entry::Type::Cancel, MsgAnswer::Cancel, {}, {}});
    return *this;
}

ScriptedPrompts& ScriptedPrompts::accept()
{
    m_script.push_back({Entry::Type::Accept, MsgAnswer::Ok, {}, {}});
    return *this;
}

ScriptedPrompts& ScriptedPrompts::printer(const PrinterChoice& choice)
{
    m_script.push_back({Entry::Type::Printer, MsgAnswer::Ok, {}, choice});
    return *this;
}

void ScriptedPrompts::clear()
{
    m_script.clear();
    m_shown.clear();
    m_unscripted = 0;
}

std::optional<ScriptedPrompts::Entry> ScriptedPrompts::next()
{
    if (m_script.empty()) {
        ++m_unscripted;
        return std::nullopt;
    }
    Entry e = m_script.front();
    m_script.pop_front();
    return e;
}

std::optional<QString> ScriptedPrompts::textAnswer()
{
    const auto e = next();
    if (e && e->type == Entry::Type::Text)
        return e->text;
    return std::nullopt;
}

MsgAnswer ScriptedPrompts::messageBox(const MsgBoxRequest& request)
{
    ShownPrompt p;
    p.kind = ShownPrompt::Kind::MessageBox;
    p.text = request.text;
    p.title = request.title;
    p.style = request.style;
    p.helpFile = request.helpFile;
    p.helpContext = request.helpContext;
    m_shown.append(p);
    const auto e = next();
    if (!e)
        return msgEscapeAnswer(request.style);
    switch (e->type) {
    case Entry::Type::Button:
        return e->button;
    case Entry::Type::Accept:
        return firstButton(request.style);
    default:
        return msgEscapeAnswer(request.style);
    }
}

void ScriptedPrompts::messageWindow(const QString& text, int icon, int helpContext)
{
    ShownPrompt p;
    p.kind = ShownPrompt::Kind::MessageWindow;
    p.text = text;
    p.style = icon;
    p.helpContext = helpContext;
    m_shown.append(p);
    next();
}

std::optional<QString> ScriptedPrompts::inputBox(const QString& prompt, const QString& title,
                                                 const QString& defaultText, int helpContext)
{
    ShownPrompt p;
    p.kind = ShownPrompt::Kind::InputBox;
    p.text = prompt;
    p.title = title;
    p.defaultText = defaultText;
    p.helpContext = helpContext;
    m_shown.append(p);
    return textAnswer();
}

std::optional<QString> ScriptedPrompts::fileDialog(const FileDialogRequest& request)
{
    ShownPrompt p;
    p.kind = ShownPrompt::Kind::FileDialog;
    p.title = request.title;
    p.file = request;
    m_shown.append(p);
    return textAnswer();
}

QString ScriptedPrompts::folderDialog(const QString& title, const QString& startFolder, bool includeFiles)
{
    ShownPrompt p;
    p.kind = ShownPrompt::Kind::FolderDialog;
    p.title = title;
    p.text = startFolder;
    p.includeFiles = includeFiles;
    m_shown.append(p);
    return textAnswer().value_or(QString());
}

bool ScriptedPrompts::printerDialog(QPrinter*, const QString& title)
{
    ShownPrompt p;
    p.kind = ShownPrompt::Kind::PrinterDialog;
    p.title = title;
    m_shown.append(p);
    const auto e = next();
    return e && e->type == Entry::Type::Accept;
}

std::optional<PrinterChoice> ScriptedPrompts::printerSelection(const QString& current)
{
    ShownPrompt p;
    p.kind = ShownPrompt::Kind::PrinterSelection;
    p.text = current;
    m_shown.append(p);
    const auto e = next();
    if (e && e->type == Entry::Type::Printer)
        return e->printer;
    if (e && e->type == Entry::Type::Accept)
        return PrinterChoice{};
    return std::nullopt;
}

bool ScriptedPrompts::execDialog(QObject* dialog)
{
    ShownPrompt p;
    p.kind = ShownPrompt::Kind::Dialog;
    p.text = dialog->objectName();
    p.title = dialog->property("windowTitle").toString();
    m_shown.append(p);
    const auto e = next();
    const bool accepted = e && e->type == Entry::Type::Accept;
    // The dialog's own slots run, so that it keeps what OK or Cancel do.
    QMetaObject::invokeMethod(dialog, accepted ? "accept" : "reject", Qt::DirectConnection);
    return accepted;
}

bool ScriptedPrompts::mailHandOff(const MailMessage& message, bool asUrl, RunError& failure)
{
    ShownPrompt p;
    p.kind = ShownPrompt::Kind::Mail;
    p.text = message.body;
    p.title = message.subject;
    p.mailTo = message.to;
    p.mailAsUrl = asUrl;
    m_shown.append(p);
    const auto e = next();
    if (e && e->type == Entry::Type::Accept)
        return true;
    const QString reason = e && e->type == Entry::Type::Text ? e->text : QStringLiteral("The mail program did not take the message.");
    failure = RunError::make(5, reason);
    return false;
}
