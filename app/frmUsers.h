#pragma once

#include <QDialog>

#include <functional>

class QGroupBox;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class frmUser;
namespace xbase {
class Table;
}

// The user management window: every user of the open database in login
// order, with Add, Properties, Remove (users are never deleted: it explains
// why and offers the properties), Reset Password, Refresh and Close. The
// built-in administrator account (login "ADMIN" in any letter case) can't
// be opened, only have its password reset. Made by the main window's User
// Management command through the creator table and shown modally.
class frmUsers : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 1070;

    explicit frmUsers(QWidget* parent = nullptr);

    // Shows the user window modally over this one. The program lets the
    // prompt service run it; tests put their own hand in its place.
    std::function<void(frmUser&)> showUserWindow;

    // "<n> user(s)".
    void DisplayUserCnt();
    // Remove, Properties and Reset Password act on a selected row only.
    void SetUI();

    void cmdAdd_Click();
    void cmdProperties_Click();
    void cmdRemove_Click();
    void cmdResetPassword_Click();
    void cmdRefresh_Click();

    QTreeWidget* lv = nullptr;
    QLabel* lblNumUsers = nullptr;
    QGroupBox* Frame1 = nullptr;
    QPushButton* cmdAdd = nullptr;
    QPushButton* cmdProperties = nullptr;
    QPushButton* cmdRemove = nullptr;
    QPushButton* cmdResetPassword = nullptr;
    QPushButton* cmdRefresh = nullptr;
    QPushButton* OKButton = nullptr;

private:
    // Fills the list from the users table and selects `SelectID` (a row
    // identifier; below 1 for none), then the first row, then the row that
    // was selected before.
    void LoadData(qint32 SelectID);
    // Refills the list from the open users table in login order; the
    // engine's result (negative on a failure).
    int fillRows(xbase::Table* table);
    // Opens the user window on the row; reloads when it saved.
    void openUser(qint32 rowId, bool editMode);
    // The selected row's identifier (from its key "N<id>"), or 0.
    qint32 selectedId() const;
};

// Registers the user management window with the main window's creator table.
void registerUserWindows();
