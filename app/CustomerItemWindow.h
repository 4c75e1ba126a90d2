#pragma once

#include "app/TabbedRecordWindow.h"

class QLabel;

// The record window of something a customer has: a product/service or an
// issue. It belongs to the customer CustID(), whose name lblCustomer shows
// as a link to the customer's window. It may go into edit mode only while
// that customer still exists; Delete asks about the attachments too.
class CustomerItemWindow : public TabbedRecordWindow {
public:
    qint32 CustID() const { return m_custId; }

    // What the window says when its customer is gone.
    virtual void NoCustomerMsg() = 0;

    // Opens the owning customer's window.
    void lblCustomer_Click();

    QLabel* lblCustomer = nullptr;

protected:
    using TabbedRecordWindow::TabbedRecordWindow;

    // Makes `label` (lblCustomer) a link: link colours, a pointing hand, a
    // click opens the customer.
    void makeCustomerLink(QLabel* label);
    // True while the owning customer's row exists; otherwise NoCustomerMsg
    // follows the report of the missing row (none when `quiet`).
    bool ownerStillThere(bool quiet);
    // "Are you sure you want to *DELETE*  '<caption>' and all of its
    // attachments (if any)?"
    QString deleteQuestion() const override;

    bool mayEnterEditMode() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    qint32 m_custId = -1;
};
