#pragma once

#include "app/RecordWindow.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

// The user window: one row of the users table (login, names, department,
// active flag, role, the seven named permissions, a note, the last-edit
// stamp). A modal dialog that the user management window makes, initialises
// with Init(-1, true) for a new user or Init(row, false) for a stored one,
// shows, and reads back: Saved (an OK or Apply went through) and UserID (the
// row shown, the new row once a new user is stored).
//
// A new user's password is set by the data store when the row is first
// written (the login name). Reaching this window needs the database
// administration permission, so the edit button checks none of its own.
class frmUser : public RecordWindow<QDialog> {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 1070;
    static constexpr int kPermissionRows = 7;

    explicit frmUser(QWidget* parent = nullptr);

    qint32 UserID() const { return RowID; }
    // False when the window loads; True after any OK or Apply that saved.
    bool Saved = false;

    void Init(qint32 RowID, bool EditMode) override;
    void InitControls() override;
    void LoadData() override;
    void SetUI() override;
    // The edit button, then the focus to the tabs.
    void DoEditModeBtn() override;
    bool ValidateData() override;
    bool SaveData() override;
    QString FormContent() override { return QString(); }
    QString FormPrint() override { return QString(); }
    QString FormEmail() override { return QString(); }

    // In edit mode the permission list takes input only under the user role.
    void SetUI_LBPerm();
    // Marks row i when character i+1 of `perm` is "1"; rows the string does
    // not reach stay unmarked. No row is current afterwards.
    void SetPermListBox(const QString& perm);
    // The default permission string with each row's position set to "1"
    // (marked) or "0".
    QString GetPermListBox() const;

    QTabWidget* TabCtl = nullptr;
    QGroupBox* Frame2 = nullptr;
    QLineEdit* txtLogin = nullptr;
    QLineEdit* txtFirstname = nullptr;
    QLineEdit* txtLastname = nullptr;
    QLineEdit* txtDept = nullptr;
    QCheckBox* chkActive = nullptr;
    QGroupBox* Frame1 = nullptr;
    QButtonGroup* UserType = nullptr;   // 0 user role, 1 administrator role
    QRadioButton* optUser = nullptr;
    QRadioButton* optAdmin = nullptr;
    QListWidget* lstPermissions = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* lblMsg = nullptr;
    QPlainTextEdit* txtNote = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;

public slots:
    // Esc and Cancel: in edit mode only after a discard answered Yes.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* buildLoginTab();
    void OKButton_Click();
    void cmdApply_Click();
    void setRole(int index);
};
