#include "common/clsSystem.h"

#include "common/HelpViewer.h"
#include "common/Product.h"
#include "common/ProgramEnv.h"
#include "common/PromptService.h"
#include "common/ShellRunner.h"

#include <QFileInfo>
#include <QUrl>
#include <QVersionNumber>

namespace {

const QString kOpener = QStringLiteral("xdg-open");
const QString kMailer = QStringLiteral("xdg-email");

QString noApplication(const QString& name)
{
    return QStringLiteral("Unable to launch '") + name
        + QStringLiteral("'! No application may be associated with this file type.");
}

bool launch(const QString& program, const QString& target)
{
    return ShellRunner::run(program, {target}) == 0;
}

void showHelp(long topic)
{
    if (!HelpViewer::installed()) {
        MsgBox(QStringLiteral("No help is available."), MsgStyle::Information);
        return;
    }
    QString missing;
    if (!HelpViewer::show(Sys().HelpFilename(), topic, missing))
        MsgBox(noApplication(missing), MsgStyle::Exclamation);
}

} // namespace

QString clsSystem::GetVersionString() const
{
    const QVersionNumber version = QVersionNumber::fromString(Product::version());
    return QStringLiteral("%1.%2").arg(version.majorVersion()).arg(version.minorVersion());
}

QString clsSystem::GetAppTitle() const
{
    return Product::name() + QStringLiteral(" - v") + GetVersionString();
}

QString clsSystem::cTvWebsite() const { return Product::website(); }

void clsSystem::ShowFolder(const QString& folder) const
{
    if (!DirExists(folder) || !launch(kOpener, folder))
        MsgBox(QStringLiteral("Unable to open folder '") + folder + QLatin1Char('\''), MsgStyle::Exclamation);
}

void clsSystem::GotoWebsite(const QString& address) const
{
    // The shell took "www.example.com" for a web page; xdg-open wants a scheme.
    const QString target =
        QUrl(address).scheme().isEmpty() ? QUrl::fromUserInput(address).toString() : address;
    if (address.trimmed().isEmpty() || !launch(kOpener, target))
        MsgBox(noApplication(address), MsgStyle::Exclamation);
}

void clsSystem::LaunchFile(const QString& file, const QString& nameToShow) const
{
    // xdg-open takes a missing file for a web address; ask about it first.
    if (!QFileInfo::exists(file) || !launch(kOpener, file))
        MsgBox(noApplication(nameToShow.isEmpty() ? file : nameToShow), MsgStyle::Exclamation);
}

void clsSystem::SendEmail(const QString& address) const
{
    const QByteArray encoded = QUrl::toPercentEncoding(address, QByteArrayLiteral("@"));
    (void)launch(kMailer, QStringLiteral("mailto:") + QString::fromLatin1(encoded));
}

void clsSystem::GotoTVWebsite() const { GotoWebsite(cTvWebsite()); }

QString clsSystem::GetLocalComputerName() const { return ProgramEnv::computerName(); }

QString clsSystem::HelpFilename() const
{
    return MakePath(ProgramEnv::programFolder(), QStringLiteral("userman.html"));
}

void clsSystem::ShowHelpContents() const { showHelp(0); }

void clsSystem::ShowHelpTopic(long topic) const { showHelp(topic); }
