#include "issues/IssueControls.h"

#include "common/RunError.h"
#include "common/clsSystem.h"
#include "common/ui/clsSystemUI.h"
#include "data/clsDB.h"
#include "xbase/IndexC4.h"
#include "xbase/c4.h"

#include <QComboBox>
#include <QPlainTextEdit>

namespace IssueControls {

void selectUser(QComboBox* cbo, qint32 userId)
{
    if (userId >= 1 && cbo->findData(userId) < 0) {
        if (const auto rows = DB().userRows(false)) {
            for (const DbListRow& row : *rows) {
                if (row.id == userId) {
                    cbo->addItem(row.text, row.id);
                    break;
                }
            }
        }
    }
    SysUI().cboSelectAtID(cbo, userId);
}

QString storedText(const QPlainTextEdit* box)
{
    QString text = box->toPlainText();
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

bool prepareTable(DATA4* table, const char* tag, std::initializer_list<std::pair<FIELD4**, const char*>> fields,
                  const QString& errorLabel)
{
    d4tagSelect(table, d4tag(table, tag));
    d4top(table);
    bool complete = d4tagSelected(table) != nullptr;
    for (const auto& [handle, name] : fields) {
        *handle = d4field(table, name);
        complete = complete && *handle;
    }
    if (!complete)
        Sys().ShowError(errorLabel, RunError::make(3265, QStringLiteral("Item not found in this collection.")));
    return complete;
}

} // namespace IssueControls
