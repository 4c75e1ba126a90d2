#include "data/clsLookupCustomer.h"

#include "common/Win1252.h"
#include "common/clsSystem.h"
#include "data/clsDB.h"
#include "data/clsDB_internal.h"

using namespace dbdetail;

qint32 clsLookupCustomer::CustomersWithCustomerNumber(const QString& number, qint32 ownRowid) const
{
    // The number as the customer window stores it: without surrounding blanks.
    const QString trimmed = trimBlanks(number);
    const QString key = upperWin1252(trimmed);
    if (key.isEmpty())
        return 0;
    qint32 count = 0;
    try {
        TableUse table(nullptr, DB().OpenTable(DB().CustomerTable()));
        if (!table)
            return 0;
        DATA4* t = table.get();
        CODE4* engine = &t->engine();
        selectTag(t, "custno");
        FIELD4* rowid = needField(t, "rowid");
        FIELD4* custno = needField(t, "custno");
        const std::string bytes = toWin1252(key);
        for (int rc = check(engine, d4seek(t, bytes.c_str())); rc == 0;
             rc = check(engine, d4seekNext(t, bytes.c_str()))) {
            const QString stored = trimBlanks(fieldText(custno));
            if (qint32(f4long(rowid)) != ownRowid && !stored.isEmpty() && stored == trimmed)
                Sys().IncL(count);
        }
    } catch (const Fault& f) {
        Sys().ShowError(QStringLiteral("clsLookupCustomer_CustomersWithCustomerNumber"), f.error);
    }
    return count;
}
