#pragma once

#include "app/WindowCreators.h"
#include "common/ui/WindowRegistry.h"

#include <QIcon>
#include <QList>
#include <QMainWindow>
#include <QPointer>

#include <memory>

class QDialog;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;
class QToolButton;
class frmTip;
struct MainCommand;

// The main window: one for the whole run, tagged "MAINFORM". It owns the MDI
// area where record windows, lists and reports open, and is the registry of
// open windows by tag (installed while it exists). Menus, toolbar and button
// menus are built from the one command table (MainCommands.h); every entry
// runs one public member. Two states, taken from the database object each
// time SetUI runs: no database open (File and Help only, no toolbar) and a
// database open. Its position is restored when it is made and saved when it
// closes, in the settings file of SettingsFile.
class frmMain : public QMainWindow, public WindowRegistry {
    Q_OBJECT
public:
    // A command: a member run by a menu item, toolbar key or button-menu key.
    using Command = void (frmMain::*)();

    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    // The owner of the program's dialogs.
    QWidget* hWnd() { return this; }

    // --- Frame ------------------------------------------------------------
    void SetWindowCaption();
    void InitToolBar();
    // SetMenus, SetStatusBar, SetWindowCaption.
    void SetUI();
    void SetMenus();
    void SetStatusBar();
    // Captions of the List Management entries from the open database's
    // custom labels.
    void SetCustomMenuLabels();

    // --- File menu --------------------------------------------------------
    void mnuFileNew_Click();
    void mnuFileOpen_Click();
    // Closes every child window first; when one stays open the database
    // stays open too.
    void mnuFileClose_Click();
    void mnuDisplayDataFolder_Click();
    void mnuFileChangePWD_Click();
    void mnuFileExit_Click();
    // The backup advice for `dataDir` (empty: the open database's folder).
    QString BackupMsg(const QString& dataDir = QString()) const;

    // --- Navigation (frmMain_navigation.cpp) ----------------------------------
    // One window per record, found by its whole tag (kind and row
    // identifier): an open one comes forward, unchanged. A stored row (1 or
    // more) must exist (the database object tells the user when it does not);
    // below 1 opens a new record. The windows come from WindowCreators.
    void ShowCustomer(qint32 CustID, bool EditMode);
    // Nothing for a customer below 1; a stored product/service also needs
    // its customer.
    void ShowPS(qint32 PSID, qint32 CustID, bool EditMode);
    void ShowIssue(qint32 IssueID, qint32 CustID, bool EditMode, qint32 TemplateID);
    // Stored templates only: nothing below 1.
    void ShowIssueTemplate(qint32 TemplateID, bool EditMode);
    // The type goes to a new definition only.
    void ShowReportDef(qint32 RptID, const QString& RptType, bool EditMode);
    // Stored reports only: nothing below 1.
    void ShowReport(qint32 RptID);

    // Commands; those of the administration check Perm_DBAdmin first.
    void LookupCustomer();
    void NewCustomer();
    void SearchIssues();
    // Ask for a row identifier (a whole number from 1 to 2147483647, blanks
    // around it dropped; anything else is asked for again, an empty answer
    // ends quietly) and open the row in view mode.
    void LookupByIssueNumber();
    void LookupByCustomerNumber();
    void MyIssues();
    void Reports();
    void EditCustomerCategory();
    void EditProductServiceCategory();
    void EditContractTypesCategory();
    void EditContractDurationsCategory();
    void EditStateCategory();
    void EditCountryCategory();
    void EditIssueStatusCategory();
    void EditIssueActionsCategory();
    void EditIssuePriorityCategory();
    void EditIssueCategory();
    // The quick entry list of a custom field (category types 200 to 205).
    void EditCustomFieldCategory(qint32 catType);
    // Opens the list editor on one list, tagged `key`, modally; the eleven
    // values after `key` go to its Init with the help context 1060.
    void ListMgmt(const QString& key, const QString& caption, const QString& columnHeading,
                  const QString& tableFile, const QString& tablePath, const QString& keyField,
                  const QString& textField, qint32 categoryType, const QString& inUseTable1,
                  const QString& inUseField1, const QString& inUseTable2, const QString& inUseField2);
    void UserManagement();
    void ManageIssueTemplates();
    void ImportData();
    void Customizations();
    void EmailHandlerDlg();
    void PurgeOldIssues();
    void ChangePassword();
    // The Help Center window ("MAIN_HELP"); one at a time.
    void HelpCenter();

    // --- Notices and pickers (frmMain_notices.cpp) ------------------------------
    // The open window of customer `CustID` reloads its issue list (`What` 1)
    // or its product/service list (2), selecting `RowID`; anything else, or
    // no such window, does nothing.
    void NotifyCustomer(qint32 CustID, int What, qint32 RowID);
    // The open report list reloads, selecting `RptID`.
    void NotifyReportList(qint32 RptID);
    // The date picker over `initialDate`: the chosen short date, or "" when
    // cancelled.
    QString GetShortDateFromPopupCalendar(const QString& initialDate);
    // The template picker: on OK `TemplateID` becomes the chosen template
    // (-1 "Blank Issue") and the result is true; otherwise it is left alone.
    bool GetIssueTemplateID(qint32& TemplateID);
    // Database Admin, Statistics: the record counts of five tables.
    void mnuViewDatabaseAdminStatistics_Click();

    // --- E-mail -------------------------------------------------------------
    // Hands the message to the user's mail program through the chosen
    // handler (asking for it first while none is chosen; handler 1 when the
    // user chooses none). True when a program took it, which says nothing
    // about its being sent; False after the error box and the handler's
    // failure message.
    bool SendMail(const QString& toAddress, const QString& subject, const QString& body);
    // Handler 1: the desktop's mail program, the address as typed as one
    // recipient and the body unchanged.
    bool SendMailProgram(const QString& toAddress, const QString& subject, const QString& body);
    // Handler 2: a mailto: link, the address split at "," into recipients
    // and the body ended by two line breaks.
    bool SendMailLink(const QString& toAddress, const QString& subject, const QString& body);
    void NoMAPIMsg();
    void NoOutlookMsg();
    // The stored handler: 1 or 2, any other value 0 (none chosen).
    // The size the main window first opens at on a screen whose available
    // area is `available`: room for the largest child window, within it.
    static QSize firstSize(const QRect& available);
    static qint32 GetEmailHandler();
    // Stores the handler; False when the settings could not be written.
    static bool SetEmailHandler(qint32 handler);

    // --- Toolbar ------------------------------------------------------------
    // The member of a toolbar button's key / of a button-menu entry's key
    // (whole, case-sensitive); an unknown key, "LISTMGMT" and "ADMIN" do
    // nothing.
    void TB_ButtonClick(const QString& key);
    void TB_ButtonMenuClick(const QString& key);

    // --- Window menu --------------------------------------------------------
    void mnuWindowTH_Click();
    void mnuWindowTV_Click();
    void mnuWindowCascade_Click();
    void mnuWindowArrangeIcons_Click();
    // Closes every window but the main one; one that refuses stays open.
    void mnuWindowCloseAll_Click();

    // --- Help menu ----------------------------------------------------------
    void menuHelpDatabaseMaintenance_Click();
    void mnuHelpFAQs_Click();
    void mnuHelpQuickTour_Click();
    void mnuHelpSpecSheet_Click();
    void mnuHelpUserManual_Click();
    void mnuHelpTutorial_Click();
    // Shows the tip window, or brings up the one already open.
    void mnuHelpTip_Click();
    void mnuHelpSupport_Click();
    void mnuHelpBackup_Click();
    void mnuHelpAbout_Click();
    void mnuHelpBulkIssues_Click();
    void GotoWebsite(const QString& url);

    // --- Children -----------------------------------------------------------
    // Opens `form` (tagged, owned by the MDI area from now on) as an MDI
    // child and shows it. Esc in it that none of its controls takes for
    // itself closes it as closeForm does, once the key is done.
    QMdiSubWindow* addMdiChild(QWidget* form);
    // Closes every window but this one; false when one of them refused.
    bool closeChildren();

    QMdiArea* mdiArea() const { return m_mdiArea; }
    QToolBar* toolBar() const { return TB; }
    // The toolbar button of `key`, and the entry `entryKey` of the button
    // menu of `buttonKey`; null when there is none.
    QToolButton* toolButton(const QString& key) const;
    QAction* buttonMenuEntry(const QString& buttonKey, const QString& entryKey) const;
    // The two status bar panels.
    QString statusText(int panel) const;

    // WindowRegistry
    QWidget* mainForm() const override;
    QList<QWidget*> openForms() const override;
    void activateForm(QWidget* form) override;
    bool closeForm(QWidget* form) override;

    // The images of the toolbar buttons, 1-based as the command table
    // numbers them.
    QList<QIcon> TBIL;
    // The images of the list windows' rows, 1-based: 1 customer, 2
    // product/service, 4 issue, 5 report.
    QList<QIcon> SysImageList;

signals:
    // The window closed for good: the database is closed and the position
    // saved. The program ends here.
    void unloaded();

protected:
    void closeEvent(QCloseEvent* event) override;
    // Closes a window of the workspace on an Esc that none of its controls
    // took, and keeps from the menus' shortcuts the keys that the focused
    // control uses itself.
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Runs a command; every menu item, toolbar key and button-menu key ends
    // here.
    virtual void runCommand(Command command);

private:
    void buildMenus();
    void buildToolBar();
    void buildStatusBar();
    QMenu* menuNamed(const QString& name) const;
    QAction* actionNamed(const QString& name) const;
    void addMenuEntry(const MainCommand& row);
    void addToolButton(const MainCommand& row);
    void fillWindowList();
    void tileChildren(Qt::Orientation orientation);
    bool closeDatabase();
    bool newDatabaseInFolder(const QString& folder);
    QString creationNotice(const QString& folder) const;
    QMdiSubWindow* subWindowOf(const QWidget* form) const;
    bool bringForward(const QString& tag);
    QWidget* makeWindow(WindowCreators::Kind kind, QWidget* parent = nullptr);
    // Makes the dialog of `kind` and shows it modally; null when what the
    // kind made is no dialog. The dialog is unloaded when the pointer goes.
    std::unique_ptr<QDialog> runDialog(WindowCreators::Kind kind);
    void openRecordWindow(QWidget* window, qint32 rowId, bool editMode);
    void openSingleWindow(WindowCreators::Kind kind, const QString& tag);
    qint32 promptRowIdentifier(const QString& what, int helpContext);
    void closeOnEscape();
    // Takes a ShortcutOverride of a key that the focused control uses itself
    // (F2 in an item view whose current cell it edits).
    bool keepKeyFromShortcuts(QObject* watched, QEvent* event);

    QMdiArea* m_mdiArea = nullptr;
    QToolBar* TB = nullptr;
    QLabel* m_panel1 = nullptr;
    QLabel* m_panel2 = nullptr;
    QMenu* m_windowMenu = nullptr;
    QList<QAction*> m_windowListActions;
    QPointer<frmTip> m_tip;
    // The child that Esc closes, from the key until the close is over.
    QPointer<QWidget> m_closingOnEscape;
};
