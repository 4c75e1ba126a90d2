#include "app/frmMain.h"

#include "app/ModalWindows.h"
#include "app/frmOptions.h"
#include "common/PromptService.h"
#include "common/RunError.h"
#include "common/WaitCursor.h"
#include "common/clsSystem.h"
#include "common/mdlRegistry.h"

// Mail never leaves from here: the message goes to the user's mail program,
// where the user checks it and sends it (or not).

namespace {

const QString kHandlerValue = QStringLiteral("emailhandler");
const QString kTwoBreaks = QStringLiteral("\r\n\r\n");

bool handOff(const MailMessage& message, bool asUrl, const QString& errorLabel)
{
    WaitCursor busy;
    RunError failure;
    const bool taken = Prompts().mailHandOff(message, asUrl, failure);
    busy.done();
    if (!taken)
        Sys().ShowError(errorLabel, failure);
    return taken;
}

} // namespace

qint32 frmMain::GetEmailHandler()
{
    const qint32 handler = GetPrefLong(kHandlerValue);
    return handler == 1 || handler == 2 ? handler : 0;
}

bool frmMain::SetEmailHandler(qint32 handler)
{
    return RegWriteString(PrefKeyPath(), QString::number(handler), kHandlerValue);
}

void frmMain::EmailHandlerDlg()
{
    frmOptions options(this);
    ModalWindows::exec(options);
}

bool frmMain::SendMail(const QString& toAddress, const QString& subject, const QString& body)
{
    if (GetEmailHandler() == 0)
        EmailHandlerDlg();
    if (GetEmailHandler() == 2)
        return SendMailLink(toAddress, subject, body);
    return SendMailProgram(toAddress, subject, body);
}

bool frmMain::SendMailProgram(const QString& toAddress, const QString& subject, const QString& body)
{
    // An empty address gives no recipient: the user adds one in the mail program.
    const MailMessage message{toAddress.isEmpty() ? QStringList() : QStringList{toAddress}, subject, body};
    if (handOff(message, false, QStringLiteral("frmMain_SendMailMAPI"))) {
        raise();
        activateWindow();
        return true;
    }
    NoMAPIMsg();
    return false;
}

bool frmMain::SendMailLink(const QString& toAddress, const QString& subject, const QString& body)
{
    // An empty address gives no recipient; the parts are taken as they are.
    const QStringList to = toAddress.isEmpty() ? QStringList() : toAddress.split(QLatin1Char(','));
    const MailMessage message{to, subject, body + kTwoBreaks};
    if (handOff(message, true, QStringLiteral("frmMain_SendMailOutlook")))
        return true;
    NoOutlookMsg();
    return false;
}

void frmMain::NoMAPIMsg()
{
    Sys().ShowMsg(QStringLiteral("Unable to initiate your email software! ") + kTwoBreaks
                      + QStringLiteral("The message is handed to the desktop's mail program, and no mail program "
                                       "could take it on your machine.")
                      + kTwoBreaks + QStringLiteral("Please choose View, Options menu to check or change your Email options.")
                      + kTwoBreaks,
                  3, 0);
}

void frmMain::NoOutlookMsg()
{
    Sys().ShowMsg(QStringLiteral("Unable to initiate Microsoft Outlook!") + kTwoBreaks
                      + QStringLiteral("If you intend to use a mailto: link, please make sure the desktop has a default "
                                       "mail program for such links and that it is functioning properly.")
                      + kTwoBreaks + QStringLiteral("Please choose View, Options menu to check or change your Email options.")
                      + kTwoBreaks,
                  3, 0);
}
