#pragma once

#include "app/RecordWindow.h"
#include "app/WindowInterfaces.h"
#include "data/CategoryTypes.h"

#include <QString>
#include <QWidget>

#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTableWidget;
class QTreeWidget;

// The record window of one customer (tag "C" and its row identifier): the
// customer's fields on tab 0, notes and up to 50 further contacts on tab 1,
// its products/services and issues on tabs 2 and 3 (view mode of a stored
// customer only), the last-edit stamp on tab 4.
class frmCustomer : public RecordWindow<QWidget>, public NotifyCustomerTarget {
public:
    explicit frmCustomer(QWidget* parent = nullptr);
    ~frmCustomer() override;

    qint32 CustID() const { return RowID; }

    // The contract as this window fills it.
    void InitControls() override;
    void LoadData() override;
    void SetUI() override;
    // The contract's edit switch; the row of tabs, where shown, takes the
    // focus afterwards in either mode.
    void DoEditModeBtn() override;
    bool ValidateData() override;
    bool SaveData() override;
    QString FormContent() override;
    QString FormPrint() override;
    QString FormEmail() override;

    void SetWindowCaption();
    // The company, else "Last, First", else "New ".
    QString MakeCustomerName() const;
    void SetCustomerNumber();
    // True when the number is unique or the user adds the customer anyway.
    bool CheckForDuplicateCustomerNumber();

    // The columns of the two lists and the contacts grid, once.
    void LV_AddColHeaders();
    // Refill the list; the row to select afterwards (-1: none of its own).
    void LV_LoadPS(qint32 RowID) override;
    void LV_LoadIssues(qint32 RowID) override;

    QString MailingLabelText() const;
    // The text and one blank, or "" when it is blank.
    static QString AddSpace(const QString& text);

    // The grid as text: every row from `startRow`, the cells from
    // `startCol` (both counted from 1, the headings being row and column 0)
    // joined by `colDelim`, each row closed by `rowDelim`. A separator of
    // the stored contacts (the thorn, CR or LF) that got into a cell is
    // written as a blank, so that the lines keep their shape.
    static QString GridDelimBuffer(const QTableWidget* grid, const QString& colDelim, const QString& rowDelim,
                                   int startRow, int startCol);
    // Fills the grid from such a text (each piece trimmed); what does not
    // fit is dropped, what the text does not reach stays empty.
    static void GridSetFromDelimBuffer(QTableWidget* grid, const QString& text, QChar colDelim, QChar rowDelim);

    // Commands.
    void OKButton_Click();
    void cmdApply_Click();
    void CancelButton_Click();
    void cmdDelete_Click();
    void cmdLabel_Click();
    void cmdCatList_Click(QComboBox* cbo, CatType::Kind catType);
    void cmdCustomList_Click(QComboBox* cbo, CatType::Kind catType);
    void cmdDTStamp_Notes_Click();
    void cmdNewPS_Click();
    void cmdNewIssue_Click();
    void cmdPropertiesPS_Click();
    void cmdPropertiesIssues_Click();
    void cmdPrint_Click();

    // The list editors of the quick lists and the mail hand-off: the main
    // window's, unless a test puts its own in their place.
    static std::function<void(qint32 catType)>& customListEditor();
    static std::function<bool(const QString& to, const QString& subject, const QString& body)>& mailSender();

    // Controls, named as the rest of the program knows them.
    QTabWidget* TabCtl = nullptr;
    QWidget* BtnBar = nullptr;
    QLabel *lblCustNo = nullptr, *lblFN = nullptr, *lblLN = nullptr, *lblCo = nullptr, *lblTitle = nullptr,
        *lblAddr1 = nullptr, *lblAddr2 = nullptr, *lblCity = nullptr, *lblState = nullptr, *lblPostalCode = nullptr,
        *lblCountry = nullptr, *lblWPh = nullptr, *lblHPh = nullptr, *lblMPh = nullptr, *lblFaxP = nullptr,
        *lblDefEmail = nullptr, *lblAltEmail = nullptr, *lblCat = nullptr, *lblCustom1 = nullptr, *lblCustom2 = nullptr,
        *lblCustomerID = nullptr, *lblNewCust = nullptr, *lblMsg = nullptr, *lblPS = nullptr, *lblIssues = nullptr;
    QLineEdit *txtCustNo = nullptr, *txtFname = nullptr, *txtLname = nullptr, *txtCoName = nullptr, *txtTitle = nullptr,
        *txtAddress1 = nullptr, *txtAddress2 = nullptr, *txtCity = nullptr, *txtPostalCode = nullptr,
        *txtWorkPhone = nullptr, *txtHomePhone = nullptr, *txtMobilePhone = nullptr, *txtFaxphone = nullptr,
        *txtEmailName = nullptr, *txtEmailName2 = nullptr;
    QComboBox *cboSalutation = nullptr, *cboStates = nullptr, *cboCountry = nullptr, *cboCategory = nullptr,
        *txtCust1 = nullptr, *txtCust2 = nullptr;
    QPushButton *cboCatCategory = nullptr, *cboCatCountry = nullptr, *cmdCatStates = nullptr, *cmdCust1Cat = nullptr,
        *cmdCust2Cat = nullptr, *cmdSendEmail = nullptr, *cmdSendEmail2 = nullptr, *cmdDTStamp_Notes = nullptr,
        *cmdNewPS = nullptr, *cmdPropertiesPS = nullptr, *cmdPrintPS = nullptr, *cmdNewIssue = nullptr,
        *cmdPropertiesIssues = nullptr, *cmdPrintIssues = nullptr;
    QPushButton *cmdLabel = nullptr, *cmdEmail = nullptr, *cmdPrint = nullptr, *OKButton = nullptr,
        *CancelButton = nullptr;
    QPlainTextEdit* txtNote = nullptr;
    QTableWidget* grdContacts = nullptr;
    QTreeWidget* lvPS = nullptr;
    QTreeWidget* lvIssues = nullptr;

    // The tabs over the button bar: the window lays these two out itself.
    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildTab0(QWidget* page);
    void buildTab1(QWidget* page);
    QWidget* buildListTab(QTreeWidget*& lv, QLabel*& count, QPushButton*& newButton, QPushButton*& properties,
                          QPushButton*& print, const QString& newTip);
    void buildButtonBar();
    void installContactEditor();
    // The notes with the line breaks they are stored with.
    QString notesText() const;
    void layoutWindow();
    void TabCtl_Click();
    void sizeListColumns();
    void lvColumnClick(QTreeWidget* lv, int column);

    // A fill in progress: later fills wait for it, a close waits for it.
    struct PendingFill {
        bool wanted = false;
        qint32 rowId = -1;
    };
    int m_filling = 0;
    PendingFill m_pendingPS, m_pendingIssues;
    bool m_closeAfterFill = false;
    Qt::SortOrder m_psOrder = Qt::AscendingOrder;
    Qt::SortOrder m_issuesOrder = Qt::AscendingOrder;
    void fillPS(qint32 rowId);
    void fillIssues(qint32 rowId);
    void runFill(PendingFill& pending, void (frmCustomer::*fill)(qint32), qint32 rowId);
};
