#include "app/RecordWindow.h"

#include "app/EditModeCtl.h"
#include "app/StatisticCtl.h"
#include "app/TermSignals.h"
#include "app/clsCustomLabels.h"
#include "common/PromptService.h"
#include "common/ui/ObjectTag.h"
#include "common/ui/WindowRegistry.h"
#include "data/RecColl.h"
#include "data/clsDB.h"

#include <QAbstractButton>
#include <QPushButton>

RecordForm::RecordForm(RecordTable table)
    : m_table(std::move(table))
{
}

void RecordForm::makeContractControls(QWidget* window)
{
    EM = new EditModeCtl(window);
    LE = new StatisticCtl(window);
    lblEdit = new QPushButton(QStringLiteral("Edi&t Data"), window);
    lblEdit->setObjectName(QStringLiteral("lblEdit"));
    lblEdit->setFlat(true);
    QObject::connect(lblEdit, &QPushButton::clicked, window, [this] { DoEditModeBtn(); });
}

QString RecordForm::WindowTag() const { return m_table.kind + QString::number(RowID); }

void RecordForm::SetTagVariant() { setObjectTag(formWidget(), WindowTag()); }

void RecordForm::Init(qint32 rowId, bool editMode)
{
    RowID = rowId;
    if (!m_table.kind.isEmpty())
        setObjectTag(formWidget(), WindowTag());
    editMode ? EM->EditMode() : EM->ViewMode();
    LoadData();
    SetUI();
}

void RecordForm::InitControls()
{
    if (!m_table.labelTable.isEmpty())
        CustomLabels().SetLabels(formWidget(), m_table.labelTable);
    LE->Clear();
}

void RecordForm::SetUI()
{
    const bool edit = EM->InEditMode();
    lblEdit->setText(edit ? QStringLiteral("Cancel Edi&t") : QStringLiteral("Edi&t Data"));
    SysUI().LockControls(formWidget(), !edit, QStringLiteral("E"));
    if (cmdRefresh)
        cmdRefresh->setEnabled(!edit);
    if (cmdDelete)
        cmdDelete->setEnabled(edit && RowID >= 1);
    if (cmdOK)
        cmdOK->setEnabled(edit);
    if (cmdApply)
        cmdApply->setEnabled(edit);
}

void RecordForm::SetLock(bool Lock)
{
    if (RowID >= 1)
        DB().SetEditInfo(m_table.path, m_table.file, RowID, !Lock);
}

void RecordForm::editKeyPressed()
{
    if (m_editKeyEntersOnly && (EM->InEditMode() || !lblEdit->isVisibleTo(formWidget())))
        return;
    DoEditModeBtn();
}

void RecordForm::DoEditModeBtn()
{
    if (m_table.permission && !(DB().*m_table.permission)())
        return;
    if (EM->InEditMode()) {
        if (!DiscardChanges())
            return;
        EM->ViewMode();
        LoadData();
        SetUI();
        return;
    }
    if (!DB().CheckIfRecExists(m_table.path, m_table.file, RowID, false))
        return;
    if (!DB().CheckIfRecNotUnderEdit(m_table.path, m_table.file, RowID))
        return;
    SetLock(true);
    LoadData();
    EM->EditMode();
    SetUI();
}

bool RecordForm::DiscardChanges()
{
    const int style = MsgStyle::YesNoCancel + MsgStyle::Question + MsgStyle::DefaultButton2;
    if (MsgBox(QStringLiteral("Do you wish to discard your changes (if any)?"), style) != MsgAnswer::Yes)
        return false;
    SetLock(false);
    return true;
}

void RecordForm::UpdateLastEditCtl() { LE->Init(m_table.path, m_table.file, RowID); }

bool RecordForm::StoreRecord(RecColl& coll)
{
    if (RowID >= 1 && !DB().CheckIfRecExists(m_table.path, m_table.file, RowID, false))
        return false;
    coll.set(QStringLiteral("_tablepath"), m_table.path);
    coll.set(QStringLiteral("_tablename"), m_table.file);
    coll.set(QStringLiteral("_rowid"), RowID);
    coll.set(QStringLiteral("_rectype"), m_table.rectype);
    const bool saved = DB().SaveRecord(coll, false);
    if (saved && RowID < 1) {
        RowID = coll.value(QStringLiteral("_rowid")).toInt();
        if (!m_table.kind.isEmpty())
            setObjectTag(formWidget(), WindowTag());
    }
    coll.clear();
    // A failed save leaves the window in edit mode: it keeps the mark, so
    // that nobody else starts on the row meanwhile.
    if (saved)
        SetLock(false);
    return saved;
}

bool RecordForm::QueryClose()
{
    if (!EM->InEditMode())
        return true;
    // Nobody is there to answer when the program ends on a signal: the edit
    // goes, and the mark with it.
    if (endingOnSignal()) {
        SetLock(false);
        EM->ViewMode();
        return true;
    }
    return DiscardChanges();
}

void RecordForm::SaveAndClose()
{
    if (!SaveData())
        return;
    EM->ViewMode();
    CloseWindow();
}

bool RecordForm::SaveAndStay()
{
    if (!SaveData())
        return false;
    EM->ViewMode();
    UpdateLastEditCtl();
    SetUI();
    return true;
}

void RecordForm::CancelAndClose()
{
    if (EM->InEditMode()) {
        if (!DiscardChanges())
            return;
        EM->ViewMode();
    }
    CloseWindow();
}

void RecordForm::CloseWindow() { WindowRegistry::current().closeForm(formWidget()); }
