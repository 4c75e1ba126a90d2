#include "app/TabbedRecordWindow.h"

#include "app/EditModeCtl.h"
#include "common/PromptService.h"
#include "common/clsSystem.h"
#include "data/clsDB.h"

#include <QTabWidget>

void TabbedRecordWindow::DoEditModeBtn()
{
    if (table().permission && !(DB().*table().permission)())
        return;
    if (!EM->InEditMode() && !mayEnterEditMode())
        return;
    RecordForm::DoEditModeBtn();
    if (TabCtl->isVisible())
        TabCtl->setFocus();
}

void TabbedRecordWindow::OKButton_Click() { SaveAndClose(); }

void TabbedRecordWindow::cmdApply_Click()
{
    if (!SaveData())
        return;
    EM->ViewMode();
    initSavedParts();
    UpdateLastEditCtl();
    SetUI();
}

void TabbedRecordWindow::CancelButton_Click() { CancelAndClose(); }

QString TabbedRecordWindow::deleteQuestion() const
{
    return QStringLiteral("Are you sure you want to *DELETE*  '") + windowTitle() + QStringLiteral("'?");
}

void TabbedRecordWindow::cmdDelete_Click()
{
    if (MsgBox(deleteQuestion(), MsgStyle::YesNoCancel + MsgStyle::Question + MsgStyle::DefaultButton3,
               QStringLiteral("DELETE Confirmation"))
        != MsgAnswer::Yes)
        return;
    // The row goes first: a row that stays keeps what hangs on it.
    if (!DB().DeleteRecord(RowID, table().path))
        return;
    deleteOwnedParts();
    EM->ViewMode();
    CloseWindow();
}

QSize TabbedRecordWindow::sizeHint() const
{
    const QSize tabs = TabCtl->sizeHint();
    const QSize bar = BtnBar->sizeHint();
    return {std::max(tabs.width(), bar.width()), tabs.height() + bar.height()};
}

void TabbedRecordWindow::resizeEvent(QResizeEvent* event)
{
    RecordWindow<QWidget>::resizeEvent(event);
    const int barHeight = BtnBar->sizeHint().height();
    BtnBar->setGeometry(0, Sys().NotBelowZeroInt(height() - barHeight), width(), barHeight);
    TabCtl->setGeometry(0, 0, width(), Sys().NotBelowZeroInt(height() - barHeight));
}
