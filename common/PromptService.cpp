#include "common/PromptService.h"

#include "common/Product.h"
#include "common/RunError.h"

#include <QDebug>

namespace {

// Used by command-line tools and before the program has set up its windows:
// nothing can be shown, so each prompt is logged and left unanswered.
class LoggingPrompts final : public PromptService {
public:
    MsgAnswer messageBox(const MsgBoxRequest& r) override
    {
        qWarning().noquote() << r.title << ":" << r.text;
        return msgEscapeAnswer(r.style);
    }
    void messageWindow(const QString& text, int, int) override { qWarning().noquote() << text; }
    std::optional<QString> inputBox(const QString&, const QString&, const QString&, int) override { return {}; }
    std::optional<QString> fileDialog(const FileDialogRequest&) override { return {}; }
    QString folderDialog(const QString&, const QString&, bool) override { return {}; }
    bool printerDialog(QPrinter*, const QString&) override { return false; }
    std::optional<PrinterChoice> printerSelection(const QString&) override { return {}; }
    bool execDialog(QObject*) override { return false; }
    bool mailHandOff(const MailMessage&, bool, RunError& failure) override
    {
        failure = RunError::make(5, QStringLiteral("No mail program is available."));
        return false;
    }
    void setWaitCursor(bool) override {}
};

LoggingPrompts g_fallback;
PromptService* g_installed = nullptr;

} // namespace

MsgAnswer msgEscapeAnswer(int style)
{
    switch (MsgStyle::buttons(style)) {
    case MsgStyle::OkCancel:
    case MsgStyle::YesNoCancel:
    case MsgStyle::RetryCancel:
        return MsgAnswer::Cancel;
    case MsgStyle::YesNo:
        return MsgAnswer::No;
    case MsgStyle::AbortRetryIgnore:
        return MsgAnswer::Abort;
    default:
        return MsgAnswer::Ok;
    }
}

PromptService& Prompts()
{
    return g_installed ? *g_installed : static_cast<PromptService&>(g_fallback);
}

PromptService* setPrompts(PromptService* service)
{
    PromptService* previous = g_installed;
    g_installed = service;
    return previous;
}

MsgAnswer MsgBox(const QString& text, int style, const QString& title)
{
    MsgBoxRequest request;
    request.text = text;
    request.style = style;
    request.title = title.isEmpty() ? Product::name() : title;
    return Prompts().messageBox(request);
}
