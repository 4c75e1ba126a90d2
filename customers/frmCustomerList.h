#pragma once

#include "app/ListWindow.h"
#include "app/WindowInterfaces.h"
#include "xbase/c4.h"

#include <QString>

#include <array>
#include <functional>

class CustomerListModel;
class frmProgress;

// The result of a customer lookup: the customers found by one search, with
// buttons to open the selected one, print the list, search again and close.
// Any number may be open at once, each with its own search.
//
// The search walks the customer table itself and yields to the event loop
// every 100 rows, with the wait window's Cancel button. While it runs,
// Refresh, Properties and Print are refused and a Close cancels the search
// and closes the window once the search has let go of the table, so the
// window is never deleted under its own fill.
class frmCustomerList : public ListWindow, public CustomerListWindow {
    Q_OBJECT
public:
    explicit frmCustomerList(QWidget* parent = nullptr);

    // Keeps the text and type (codes as the lookup dialog gives them), runs
    // the search and sets the buttons.
    void Init(const QString& SearchStr, int SearchType) override;
    void LoadData();
    void DisplayResultCnt();

    // True while a search fills the list.
    bool filling() const override { return m_filling; }
    CustomerListModel* model() const { return m_model; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void reload() override;
    void openSelected() override;
    void Form_Resize() override;

private:
    // Fields of the contains match, in the order they are tried.
    using ContainsFields = std::array<FIELD4*, 8>;

    // Shows the wait window and runs `walk` with painting of the list held
    // back; afterwards the rows found are shown and the wait window goes. An
    // engine failure inside the walk is shown under `errorLabel`: False.
    bool runFill(const QString& message, const QString& errorLabel, const std::function<void(frmProgress*)>& walk);
    void LoadCustomersWithTag(const QString& tagName, DATA4* table);
    void LoadAllCustomers(DATA4* table, int searchType);
    bool CustomerMeetsCriteria(const ContainsFields& fields) const;
    bool FieldContainsSearchStr(FIELD4* field) const;
    static QString GetUCaseStringValue(FIELD4* field);
    void AddLvItem(FIELD4* rowid, FIELD4* firstname, FIELD4* lastname, FIELD4* company, FIELD4* city,
                   FIELD4* workphone, FIELD4* custno);
    // Lets the event loop run, the rows found so far shown; False once the
    // wait window's Cancel was pressed, a Close asked for the window or the
    // database was closed.
    bool yieldToUser(frmProgress* wait);
    // False once the database that the fill reads was closed (from inside a
    // yield): its engine closed the table too.
    bool tableStillOpen() const;

    QString m_searchStr;
    int m_searchType = 0;
    CustomerListModel* m_model = nullptr;
    bool m_filling = false;
    bool m_closeAfterFill = false;
    CODE4* m_engine = nullptr;
};
