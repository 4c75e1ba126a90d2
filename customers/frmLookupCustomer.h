#pragma once

#include "app/WindowInterfaces.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// The customer search: a search type and a text, checked and remembered
// (LastCustSearchType, LastCustSearchStr) when accepted. It searches nothing
// itself; the main window reads the result after exec() and opens the
// customer (type 5) or a customer list.
//
// Types, in the order of the list: 1 last name, 2 company, 3 customer
// number, 4 work telephone (prefix searches), 6 address or telephone
// contains, 5 customer row identifier.
class frmLookupCustomer : public QDialog, public LookupCustomerDialog {
    Q_OBJECT
public:
    explicit frmLookupCustomer(QWidget* parent = nullptr);

    bool OKPressed() const override { return m_okPressed; }
    QString SearchStr() const override { return m_searchStr; }
    int SearchType() const override { return m_searchType; }

    QLabel* Label1 = nullptr;
    QListWidget* cboType = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* txtSearch = nullptr;
    QPushButton* cmdClear = nullptr;
    QLabel* lblMsg = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;

private:
    void Form_Load();
    void OKButton_Click();
    void CancelButton_Click();

    bool m_okPressed = false;
    QString m_searchStr;
    int m_searchType = 0;
};
