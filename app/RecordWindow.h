#pragma once

#include "app/EditKeyFilter.h"
#include "app/clsForm.h"
#include "common/ui/clsSystemUI.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QString>
#include <QWidget>

class QAbstractButton;
class QPushButton;
class EditModeCtl;
class RecColl;
class StatisticCtl;
class clsDB;

// What a record window works on: the kind that starts its tag ("C", "P",
// "I", "T", "REPORTDEF"; empty for a window that carries no tag), its table
// (data file path and file name as the identifier table knows it), the record
// type its collections carry, the permission that its edit button checks
// (null: none), and the table file whose custom field labels it shows (empty:
// none).
struct RecordTable {
    QString kind;
    QString path;
    QString file;
    QString rectype;
    bool (clsDB::*permission)() const = nullptr;
    QString labelTable;
};

// The behaviour every record window shares, written once over clsForm. A
// window overrides the operations that are its own (InitControls, LoadData,
// ValidateData, SaveData, FormContent, FormPrint, FormEmail) and may extend
// the others by calling these.
//
// Under-edit mark: entering edit mode sets it; it stays while the window is
// in edit mode (also after a save that failed) and is cleared by a save that
// succeeded, a discard answered Yes, and so by every way of closing.
class RecordForm : public clsForm {
public:
    explicit RecordForm(RecordTable table);

    // The record's row; below 1 until a new record is first stored.
    qint32 RowID = -1;

    // The contract's controls, made with the window; the window lays them
    // out (LE on its "Last Edi&t" tab). lblEdit is the edit button.
    EditModeCtl* EM = nullptr;
    StatisticCtl* LE = nullptr;
    QPushButton* lblEdit = nullptr;
    // Buttons whose state SetUI sets when the window has them: Refresh in
    // view mode only, Delete in edit mode of a stored record, OK and Apply in
    // edit mode.
    QAbstractButton* cmdRefresh = nullptr;
    QAbstractButton* cmdDelete = nullptr;
    QAbstractButton* cmdOK = nullptr;
    QAbstractButton* cmdApply = nullptr;

    const RecordTable& table() const { return m_table; }
    // The kind followed by the row identifier ("C1004", "C-1").
    QString WindowTag() const;
    // Tags the window with WindowTag(), as after its row was read or first
    // stored.
    void SetTagVariant();

    // Keeps the row, tags the window, sets EM's mode, LoadData, SetUI.
    void Init(qint32 RowID, bool EditMode) override;
    // The custom field labels and a blank LE; windows fill their lists and
    // call this.
    void InitControls() override;
    // The edit button's caption, the "E" controls and the buttons by mode.
    void SetUI() override;
    void SetLock(bool Lock) override;
    // The permission first (its refusal shows itself). In edit mode: a
    // discard answered Yes goes back to view mode and reloads. In view mode:
    // the row must still exist and not be under another user's edit (or
    // the user edits anyway); then the mark, a reload of the stored row,
    // edit mode.
    void DoEditModeBtn() override;
    // "Do you wish to discard your changes (if any)?"; Yes clears the mark.
    bool DiscardChanges() override;
    void UpdateLastEditCtl() override;

    // Ctrl+E in the window: DoEditModeBtn, which also leaves edit mode after
    // the discard question; in a window whose key only enters edit mode,
    // nothing while it is in edit mode or its edit button is hidden.
    void editKeyPressed();

    // The stored part of SaveData, after the window validated and filled
    // `coll` with its fields: a stored row must still exist; the collection
    // gets the table keys and goes to the database object; a new record
    // takes its issued identifier and tag. The collection is emptied. A
    // saved row's mark is cleared; after a failure the window stays in edit
    // mode and keeps it. True when the row was saved.
    bool StoreRecord(RecColl& coll);

    // The close handler: a window in edit mode closes only when the discard
    // question is answered Yes, or without a question, its edit dropped and
    // its mark cleared, when the program ends on a termination signal.
    bool QueryClose();

    // What the OK, Apply and Cancel buttons of a record window do. OK: a
    // saved record goes back to view mode and the window closes. Apply: a
    // saved record goes back to view mode, its last-edit stamp and buttons
    // are brought up to date, and the window stays; true when saved. Cancel:
    // in edit mode only a discard answered Yes lets the window go.
    void SaveAndClose();
    bool SaveAndStay();
    void CancelAndClose();
    // Closes the window, inside the main window together with its frame.
    void CloseWindow();

protected:
    virtual QWidget* formWidget() = 0;
    // Ctrl+E only enters edit mode, and only where the edit button shows.
    void setEditKeyEntersOnly() { m_editKeyEntersOnly = true; }
    // Makes EM, LE and lblEdit on the window.
    void makeContractControls(QWidget* window);

private:
    RecordTable m_table;
    bool m_editKeyEntersOnly = false;
};

// A record window: a Qt window class (QWidget for an MDI child, QDialog for
// a modal one) with the shared behaviour. A window passes its RecordTable,
// lays out EM, LE and lblEdit with its own controls (tagging with "E" those
// that change only in edit mode, and setting the Tab order of its layout,
// since these three are made first), points cmdRefresh and the like at its
// buttons, calls InitControls once it is built, and is opened by the main
// window's Show members, which call Init. The close box, Close All, Close
// Database and Exit all pass its close handler; Ctrl+E anywhere in it runs
// editKeyPressed (EditKeyFilter).
// A dialog window (QDialog) asks QueryClose in its own Cancel and reject().
template <class Base>
class RecordWindow : public Base, public RecordForm {
public:
    explicit RecordWindow(RecordTable table, QWidget* parent = nullptr)
        : Base(parent)
        , RecordForm(std::move(table))
    {
        makeContractControls(this);
        new EditKeyFilter(this, *this);
    }

protected:
    QWidget* formWidget() override { return this; }

    void closeEvent(QCloseEvent* event) override
    {
        if (!QueryClose()) {
            event->ignore();
            return;
        }
        Base::closeEvent(event);
    }
};
