#pragma once

#include "app/RecordWindow.h"

#include <QWidget>

class QPushButton;
class QTabWidget;

// A record window whose fields stand on the pages of a tab control above a
// bar of buttons (product/service, issue, issue template). The tab control
// fills the window above the bar. OK saves and closes, Apply saves and
// stays, Cancel closes after a discard answered Yes, Delete removes the row
// after a confirmation and then closes. The edit button checks
// the window's permission and then, on the way into edit mode, what
// mayEnterEditMode adds, and leaves the focus on the tabs.
//
// A window makes TabCtl and its pages, then the bar, which sets BtnBar and
// the buttons below.
class TabbedRecordWindow : public RecordWindow<QWidget> {
public:
    void DoEditModeBtn() override;

    // Commands.
    void OKButton_Click();
    void cmdApply_Click();
    void CancelButton_Click();
    // deleteQuestion() with Cancel as the default; on Yes the row, then
    // deleteOwnedParts, and the window closes.
    void cmdDelete_Click();

    QTabWidget* TabCtl = nullptr;
    QWidget* BtnBar = nullptr;
    QPushButton* cmdPrint = nullptr;
    QPushButton* cmdEmail = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;

    // The tabs over the bar.
    QSize sizeHint() const override;

protected:
    using RecordWindow<QWidget>::RecordWindow;

    // False, after telling the user why, when the record may not go into
    // edit mode (checked after the permission).
    virtual bool mayEnterEditMode() { return true; }
    // After Apply saved the record, before its last-edit stamp is read: the
    // parts that wait for a record's first save.
    virtual void initSavedParts() {}
    // "Are you sure you want to *DELETE*  '<caption>'?"
    virtual QString deleteQuestion() const;
    // After Delete removed the row: what hangs on it.
    virtual void deleteOwnedParts() {}

    void resizeEvent(QResizeEvent* event) override;
};
