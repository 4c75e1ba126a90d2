#pragma once

#include "common/PromptService.h"

class QUrl;
class QWidget;

// The prompt service of the running program: Qt dialogs, modal over the main
// window of the WindowRegistry (or the active window when there is none).
// main() installs one for the whole run.
class WidgetPrompts final : public PromptService {
public:
    WidgetPrompts() = default;
    ~WidgetPrompts() override;

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
    void setWaitCursor(bool on) override;

    bool waitCursor() const { return m_waitCursor; }

    // Qt name filters of a "Description|pattern|..." filter text.
    static QStringList nameFilters(const QString& filter);
    // The percent-encoded mailto: URL of a message.
    static QUrl mailtoUrl(const MailMessage& message);

private:
    static QWidget* owner();

    bool m_waitCursor = false;
};
