#include "common/ui/WidgetPrompts.h"

#include "common/RunError.h"
#include "common/ShellRunner.h"
#include "common/ui/HelpContext.h"
#include "common/ui/WindowRegistry.h"
#include "common/ui/frmMessage.h"
#include "common/ui/frmPrinterSelectionDlg.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPushButton>
#include <QPrinterInfo>
#include <QUrl>

namespace {

QMessageBox::Icon boxIcon(int style)
{
    switch (MsgStyle::icon(style)) {
    case MsgStyle::Critical:
        return QMessageBox::Critical;
    case MsgStyle::Question:
        return QMessageBox::Question;
    case MsgStyle::Exclamation:
        return QMessageBox::Warning;
    case MsgStyle::Information:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

QList<QMessageBox::StandardButton> boxButtons(int style)
{
    using B = QMessageBox;
    switch (MsgStyle::buttons(style)) {
    case MsgStyle::OkCancel:
        return {B::Ok, B::Cancel};
    case MsgStyle::AbortRetryIgnore:
        return {B::Abort, B::Retry, B::Ignore};
    case MsgStyle::YesNoCancel:
        return {B::Yes, B::No, B::Cancel};
    case MsgStyle::YesNo:
        return {B::Yes, B::No};
    case MsgStyle::RetryCancel:
        return {B::Retry, B::Cancel};
    default:
        return {B::Ok};
    }
}

MsgAnswer answerOf(int button, int style)
{
    switch (button) {
    case QMessageBox::Ok:
        return MsgAnswer::Ok;
    case QMessageBox::Cancel:
        return MsgAnswer::Cancel;
    case QMessageBox::Abort:
        return MsgAnswer::Abort;
    case QMessageBox::Retry:
        return MsgAnswer::Retry;
    case QMessageBox::Ignore:
        return MsgAnswer::Ignore;
    case QMessageBox::Yes:
        return MsgAnswer::Yes;
    case QMessageBox::No:
        return MsgAnswer::No;
    default:
        return msgEscapeAnswer(style);
    }
}

// Texts put their parts on lines of their own with a carriage return alone.
QString displayText(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QString qtPatterns(QString patterns)
{
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    QStringList list = patterns.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (QString& p : list) {
        if (p == QStringLiteral("*.*"))
            p = QStringLiteral("*");
    }
    return list.join(QLatin1Char(' '));
}

QString encoded(const QString& text, const QByteArray& keep = {})
{
    return QString::fromLatin1(QUrl::toPercentEncoding(text, keep));
}

// The longest single argument the system hands to a program.
constexpr qsizetype kMaxArgumentBytes = 128 * 1024 - 1;

// xdg-email refuses an empty subject or body and a bare argument without
// "@": empty parts are left out for the user to fill in the mail program,
// and an address without "@" goes as the value of --to, so that a mistyped
// one reaches the mail program where it can be put right. The arguments go
// over in UTF-8 whatever the locale says, and --utf8 tells xdg-email so:
// without it a C locale cuts the text at its first accented letter.
QStringList xdgEmailArguments(const MailMessage& message)
{
    QStringList arguments{QStringLiteral("--utf8")};
    if (!message.subject.isEmpty())
        arguments += {QStringLiteral("--subject"), message.subject};
    if (!message.body.isEmpty())
        arguments += {QStringLiteral("--body"), message.body};
    for (const QString& address : message.to) {
        if (address.trimmed().isEmpty())
            continue;
        if (address.contains(QLatin1Char('@')))
            arguments += address;
        else
            arguments += {QStringLiteral("--to"), address};
    }
    return arguments;
}

bool runHelper(const QString& program, const QStringList& arguments, RunError& failure)
{
    const int code = ShellRunner::run(program, arguments);
    if (code == 0)
        return true;
    if (code < 0)
        failure = RunError::make(53, program + QStringLiteral(" could not be started: it is missing or cannot be run."));
    else
        failure = RunError::make(5, program + QStringLiteral(" ended with exit code %1.").arg(code));
    return false;
}

// A Help button that opens the box's help topic and leaves the question
// open: the box's own handling of the button (which would end the box) is
// cut off.
void addHelpButton(QMessageBox& box)
{
    QPushButton* help = box.addButton(QMessageBox::Help);
    QObject::disconnect(help, &QAbstractButton::clicked, nullptr, nullptr);
    QObject::connect(help, &QAbstractButton::clicked, &box, [&box] { HelpContext::showFor(&box); });
}

} // namespace

QUrl WidgetPrompts::mailtoUrl(const MailMessage& message)
{
    QStringList to;
    for (const QString& address : message.to)
        to.append(encoded(address, QByteArrayLiteral("@")));
    const QString text = QStringLiteral("mailto:") + to.join(QLatin1Char(',')) + QStringLiteral("?subject=")
        + encoded(message.subject) + QStringLiteral("&body=") + encoded(message.body);
    return QUrl::fromEncoded(text.toLatin1(), QUrl::StrictMode);
}

WidgetPrompts::~WidgetPrompts()
{
    setWaitCursor(false);
}

QWidget* WidgetPrompts::owner()
{
    if (QWidget* main = WindowRegistry::current().mainForm())
        return main;
    return QApplication::activeWindow();
}

MsgAnswer WidgetPrompts::messageBox(const MsgBoxRequest& request)
{
    QMessageBox box(boxIcon(request.style), request.title, displayText(request.text), QMessageBox::NoButton, owner());
    const QList<QMessageBox::StandardButton> buttons = boxButtons(request.style);
    for (QMessageBox::StandardButton b : buttons)
        box.addButton(b);
    const int defaultIndex = MsgStyle::defaultButton(request.style);
    box.setDefaultButton(buttons.value(defaultIndex, buttons.first()));
    HelpContext::set(&box, request.helpContext);
    if (request.helpContext > 0)
        addHelpButton(box);
    return answerOf(box.exec(), request.style);
}

void WidgetPrompts::messageWindow(const QString& text, int icon, int helpContext)
{
    frmMessage window(owner());
    window.Init(text, icon, helpContext);
    window.exec();
}

std::optional<QString> WidgetPrompts::inputBox(const QString& prompt, const QString& title,
                                               const QString& defaultText, int helpContext)
{
    QInputDialog dialog(owner());
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultText);
    HelpContext::set(&dialog, helpContext);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

QStringList WidgetPrompts::nameFilters(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts.at(i).trimmed();
        const qsizetype paren = description.lastIndexOf(QLatin1Char('('));
        if (paren > 0 && description.endsWith(QLatin1Char(')')))
            description = description.left(paren).trimmed();
        filters.append(description + QStringLiteral(" (") + qtPatterns(parts.at(i + 1)) + QLatin1Char(')'));
    }
    return filters;
}

std::optional<QString> WidgetPrompts::fileDialog(const FileDialogRequest& request)
{
    QFileDialog dialog(owner());
    if (!request.title.isEmpty())
        dialog.setWindowTitle(request.title);
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(!request.save && (request.flags & FileDlgFlag::FileMustExist) ? QFileDialog::ExistingFile
                                                                                     : QFileDialog::AnyFile);
    if (request.save && !(request.flags & FileDlgFlag::OverwritePrompt))
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    const QStringList filters = nameFilters(request.filter);
    if (!filters.isEmpty())
        dialog.setNameFilters(filters);
    if (!request.defaultExt.isEmpty())
        dialog.setDefaultSuffix(request.defaultExt);
    if (!request.fileName.isEmpty()) {
        const QFileInfo proposed(request.fileName);
        if (proposed.path() != QStringLiteral("."))
            dialog.setDirectory(proposed.path());
        dialog.selectFile(proposed.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

QString WidgetPrompts::folderDialog(const QString& title, const QString& startFolder, bool includeFiles)
{
    const QFileDialog::Options options = includeFiles ? QFileDialog::Options() : QFileDialog::ShowDirsOnly;
    return QFileDialog::getExistingDirectory(owner(), title, startFolder, options);
}

bool WidgetPrompts::printerDialog(QPrinter* printer, const QString& title)
{
    QPrintDialog dialog(printer, owner());
    if (!title.isEmpty())
        dialog.setWindowTitle(title);
    return dialog.exec() == QDialog::Accepted;
}

std::optional<PrinterChoice> WidgetPrompts::printerSelection(const QString& current)
{
    const QStringList printers = QPrinterInfo::availablePrinterNames();
    const QString selected = current.isEmpty() ? QPrinterInfo::defaultPrinterName() : current;
    frmPrinterSelectionDlg dialog(printers, selected, owner());
    if (dialog.exec() != QDialog::Accepted || !dialog.m_bOK)
        return std::nullopt;
    if (dialog.isFileEntry(dialog.m_nPrinterIndex))
        return PrinterChoice{QString(), dialog.m_sFileName, 1};
    return PrinterChoice{printers.at(dialog.m_nPrinterIndex), QString(), dialog.m_nCopies};
}

bool WidgetPrompts::execDialog(QObject* dialog)
{
    auto* d = qobject_cast<QDialog*>(dialog);
    if (!d)
        return false;
    if (!d->parentWidget())
        d->setParent(owner(), d->windowFlags() | Qt::Dialog);
    return d->exec() == QDialog::Accepted;
}

bool WidgetPrompts::mailHandOff(const MailMessage& message, bool asUrl, RunError& failure)
{
    if (asUrl) {
        const QString link = QString::fromLatin1(mailtoUrl(message).toEncoded());
        if (link.size() > kMaxArgumentBytes) {
            failure = RunError::make(5, QStringLiteral("The mailto: link is %1 characters long; at most %2 can be handed over.")
                                            .arg(link.size())
                                            .arg(kMaxArgumentBytes));
            return false;
        }
        return runHelper(QStringLiteral("xdg-open"), {link}, failure);
    }
    // The addresses follow the mail program's options: one that begins with
    // "-" would be read as an option, and is no e-mail address.
    for (const QString& address : message.to) {
        if (address.trimmed().startsWith(QLatin1Char('-'))) {
            failure = RunError::make(5, QStringLiteral("'%1' is not a valid e-mail address.").arg(address.trimmed()));
            return false;
        }
    }
    const QStringList arguments = xdgEmailArguments(message);
    for (const QString& argument : std::as_const(arguments)) {
        const qsizetype bytes = argument.toUtf8().size();
        if (bytes > kMaxArgumentBytes) {
            failure = RunError::make(5, QStringLiteral("A part of the message is %1 bytes long; at most %2 can be handed "
                                                       "to xdg-email.")
                                            .arg(bytes)
                                            .arg(kMaxArgumentBytes));
            return false;
        }
    }
    return runHelper(QStringLiteral("xdg-email"), arguments, failure);
}

void WidgetPrompts::setWaitCursor(bool on)
{
    if (on == m_waitCursor)
        return;
    m_waitCursor = on;
    if (on)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}
