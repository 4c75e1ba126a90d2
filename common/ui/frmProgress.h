#pragma once

#include "common/Progress.h"
#include "common/ui/YieldPacer.h"
#include "common/WaitCursor.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

// The wait window: a message, an optional progress bar (0 to 100) and an
// optional Cancel button, shown modeless while the caller works on, with the
// wait cursor from when it is made until it goes. The
// caller yields to the event loop now and then (report() does) and stops
// once m_bCancel is set.
class frmProgress : public QDialog, public Progress {
    Q_OBJECT
public:
    explicit frmProgress(QWidget* parent = nullptr);

    // Clears m_bCancel, shows the window without making it modal and raises it.
    void Display();

    // Progress: sets the bar for 0 to 100, lets pending events run (the Cancel
    // button among them) and answers !m_bCancel. Events run at every report
    // that moves the bar or gives no percent; reports that leave the bar
    // where it was let them run only now and then.
    bool report(int percent) override;
    void setMessage(const QString& message) override;

    bool m_bCancel = false;

    QLabel* lblMsg = nullptr;
    QProgressBar* pbar = nullptr;
    QPushButton* cmdCancel = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void cmdCancel_Click();

    YieldPacer m_pacer;
    // The wait cursor for as long as the window is there.
    WaitCursor m_busy;
};
