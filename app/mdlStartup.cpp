#include "app/mdlStartup.h"

#include "app/SingleInstance.h"
#include "app/frmMain.h"
#include "app/frmSplash.h"
#include "common/Product.h"
#include "common/PromptService.h"
#include "common/clsSystem.h"
#include "common/mdlRegistry.h"
#include "data/clsDB.h"

#include <QApplication>
#include <QEventLoop>

mdlStartup::mdlStartup()
    : mdlStartup(Options{})
{
}

mdlStartup::mdlStartup(Options options)
    : m_options(std::move(options))
{
    if (m_options.instanceName.isEmpty())
        m_options.instanceName = SingleInstance::defaultName();
}

mdlStartup::~mdlStartup() = default;

QString mdlStartup::commandLineText(const QStringList& arguments) { return arguments.join(QLatin1Char(' ')); }

bool mdlStartup::Main(const QString& commandLine)
{
    const QString folder = Sys().RemoveSurroundingQuote(commandLine.trimmed());
    const bool hasArgument = !folder.isEmpty();
    m_instance = std::make_unique<SingleInstance>(m_options.instanceName);
    if (refuseSecondCopy(hasArgument))
        return false;
    QObject::connect(m_instance.get(), &SingleInstance::comeForwardRequested, [this] { bringForward(); });
    m_instance->serve();

    showSplashWhileLoading();
    if (hasArgument)
        (void)DB().OpenDBOnCommandLine(folder);
    else
        (void)DB().OpenLastDB();
    m_main->SetUI();
    if (GetPrefLong(QStringLiteral("TipsShowAtStartup")) != 1)
        m_main->mnuHelpTip_Click();
    return true;
}

// With a folder named, a further copy may run (to open another database);
// it counts as running all the same.
bool mdlStartup::refuseSecondCopy(bool hasArgument)
{
    if (m_instance->join(!hasArgument))
        return false;
    MsgBox(Product::name() + QStringLiteral(" is already running!"), MsgStyle::Exclamation, Product::name());
    (void)m_instance->askToComeForward();
    return true;
}

// The splash stays on top for its whole time, however fast the main window
// loads; the main window is shown only after it has gone.
void mdlStartup::showSplashWhileLoading()
{
    auto splash = std::make_unique<frmSplash>(nullptr, m_options.splashMillis);
    splash->ShownAtStartup = true;
    splash->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    splash->show();
    splash->repaint();

    m_main = std::make_unique<frmMain>();

    if (!splash->TimerElapsed) {
        QEventLoop wait;
        QObject::connect(splash.get(), &frmSplash::timerElapsed, &wait, &QEventLoop::quit);
        wait.exec();
    }
    splash.reset();
    m_main->show();
}

// A modal dialog that is up stays in front of the main window: it is the
// one the user has to answer.
void mdlStartup::bringForward()
{
    if (!m_main)
        return;
    m_main->setWindowState(m_main->windowState() & ~Qt::WindowMinimized);
    m_main->show();
    QWidget* front = QApplication::activeModalWidget();
    if (!front)
        front = m_main.get();
    front->raise();
    front->activateWindow();
}
