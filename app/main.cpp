#include "app/ProgramWindows.h"
#include "app/TermSignals.h"
#include "app/frmMain.h"
#include "app/mdlStartup.h"
#include "common/Product.h"
#include "common/ui/HelpBrowser.h"
#include "common/ui/HelpContext.h"
#include "common/ui/WidgetPrompts.h"
#include "data/ui/WidgetDbWindows.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(Product::maker());
    QApplication::setApplicationName(Product::name());
    QApplication::setApplicationVersion(Product::version());

    WidgetPrompts prompts;
    setPrompts(&prompts);
    WidgetDbWindows dbWindows;
    DbWindows::install(&dbWindows);
    HelpBrowser::install();
    HelpContext::installF1Handler();
    registerProgramWindows();

    // A copy refused because another one runs ends with 1.
    int code = 1;
    closeOnTermSignals(nullptr);
    {
        mdlStartup startup;
        dbWindows.setMenuLabelsHandler([&startup] {
            if (frmMain* window = startup.mainWindow())
                window->SetCustomMenuLabels();
        });
        if (startup.Main(mdlStartup::commandLineText(QApplication::arguments().mid(1)))) {
            QObject::connect(startup.mainWindow(), &frmMain::unloaded, &app, &QApplication::quit,
                             Qt::QueuedConnection);
            closeOnTermSignals(startup.mainWindow());
            code = QApplication::exec();
            closeAfterTermSignal();
        }
        dbWindows.setMenuLabelsHandler({});
    }
    HelpContext::removeF1Handler();
    HelpBrowser::uninstall();
    DbWindows::install(nullptr);
    setPrompts(nullptr);
    return code;
}
