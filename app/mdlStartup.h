#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class SingleInstance;
class frmMain;

// The program's start-up. Main runs once: it refuses a second copy started
// without an argument, keeps the splash up for its three seconds while the
// main window loads, shows the main window, opens the database named on the
// command line or else the one opened last, and offers the tip of the day.
// The object owns the main window from then on; the program lives until
// that window is closed (frmMain::unloaded).
class mdlStartup {
public:
    struct Options {
        // The splash's timer; the program keeps the default.
        int splashMillis = 3000;
        // The name of the single-instance socket and lock in the runtime
        // folder; empty for the program's own.
        QString instanceName;
    };

    mdlStartup();
    explicit mdlStartup(Options options);
    ~mdlStartup();
    mdlStartup(const mdlStartup&) = delete;
    mdlStartup& operator=(const mdlStartup&) = delete;

    // The command line of the program's arguments (the program name left
    // out), joined by blanks.
    static QString commandLineText(const QStringList& arguments);

    // Runs the start-up over the command line, which is trimmed and loses
    // one pair of surrounding double quotes; what is left names a database
    // folder. False when another copy is running and this one must end at
    // once.
    bool Main(const QString& commandLine);

    // The main window once Main has made it.
    frmMain* mainWindow() const { return m_main.get(); }

private:
    bool refuseSecondCopy(bool hasArgument);
    void showSplashWhileLoading();
    void bringForward();

    Options m_options;
    std::unique_ptr<SingleInstance> m_instance;
    std::unique_ptr<frmMain> m_main;
};
