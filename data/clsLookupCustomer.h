#pragma once

#include <QString>

// Duplicate customer numbers, asked by the customer window before it saves.
class clsLookupCustomer {
public:
    // How many customers other than `ownRowid` (below 1 for a new customer)
    // carry the number, compared blank-trimmed and case-sensitive; 0 for an
    // empty number or a table that can't be opened.
    qint32 CustomersWithCustomerNumber(const QString& number, qint32 ownRowid) const;
};
