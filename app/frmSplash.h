#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QTimer;

// One window, two uses: the splash that start-up keeps up while the main
// window loads, and the About box of Help, About.
//
// At start-up (ShownAtStartup set before it is shown) it ignores clicks and
// keys and cannot be closed by the user; its timer sets TimerElapsed at its
// first tick, 3000 ms after the window was made, and the start-up waits for
// that and then destroys it. As the About box (shown modally) any key or a
// click on the frame or a label closes it, except a click on the web-site
// label, which opens the maker's web site and leaves it open.
class frmSplash : public QDialog {
    Q_OBJECT
public:
    static constexpr int kStartupMillis = 3000;

    // `timerMillis` is the interval of Timer1; the program always uses the
    // default, tests may shorten it.
    explicit frmSplash(QWidget* parent = nullptr, int timerMillis = kStartupMillis);

    bool ShownAtStartup = false;
    bool TimerElapsed = false;

    // Closes the window unless it is the start-up splash.
    void SmartUnload();

    QTimer* Timer1 = nullptr;
    QFrame* Frame1 = nullptr;
    QLabel* Picture1 = nullptr;
    QLabel* lblProductName = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblCompany = nullptr;
    QLabel* lblCopyright = nullptr;
    QLabel* lblPlatform = nullptr;
    QLabel* lblWebsite = nullptr;

signals:
    // TimerElapsed has just been set.
    void timerElapsed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    QLabel* addLabel(const char* name, const QString& text);
    void fillLabels();
    void Timer1_Timer();
    void lblWebsite_Click();
};
