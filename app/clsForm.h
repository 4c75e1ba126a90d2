#pragma once

#include <QString>

// The contract of every window that shows one stored record (customer,
// product/service, issue, issue template, report definition, user). The
// thirteen operations in their fixed order; a record window inherits its Qt
// class and this contract (usually through RecordWindow, which writes the
// behaviour all record windows share once) and overrides each operation.
//
// A row identifier below 1 stands for a record not stored yet. Callers set
// the window's own public values (an owning customer, a template, a report
// type) before Init.
class clsForm {
public:
    virtual ~clsForm() = default;

    // Keeps the row, tags the window, puts it in edit or view mode, loads
    // and sets the controls.
    virtual void Init(qint32 RowID, bool EditMode) = 0;
    // Fills the pick lists, renames the custom-labelled field labels and
    // blanks the last-edit control.
    virtual void InitControls() = 0;
    // Defaults for a new record, the stored row otherwise; the last-edit
    // stamp and the caption.
    virtual void LoadData() = 0;
    // Edit button caption, locked or unlocked controls and buttons by mode.
    virtual void SetUI() = 0;
    // Sets (true) or clears (false) the row's under-edit mark.
    virtual void SetLock(bool Lock) = 0;
    // The edit button and Ctrl+E: into edit mode after the checks, or out of
    // it after a confirmed discard.
    virtual void DoEditModeBtn() = 0;
    // False, after telling the user what is wrong, when a field fails.
    virtual bool ValidateData() = 0;
    // Validates and stores the record; true when the row was saved.
    virtual bool SaveData() = 0;
    // Asks whether to discard the changes; true for Yes.
    virtual bool DiscardChanges() = 0;
    // Shows the record's last-edit stamp.
    virtual void UpdateLastEditCtl() = 0;
    // The record as plain text for printing and e-mail ("" when the window
    // has none).
    virtual QString FormContent() = 0;
    // Opens the record's text for printing.
    virtual QString FormPrint() = 0;
    // Hands the record's text to the mail program.
    virtual QString FormEmail() = 0;
};
