#include "issues/IssueControls.h"

#include "customers/RecordControls.h"
#include "customers/RecordFrame.h"

#include "common/RunError.h"
#include "common/clsSystem.h"
#include "common/ui/clsSystemUI.h"
#include "data/clsDB.h"
#include "xbase/IndexC4.h"
#include "xbase/c4.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
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

void editCategoryList(QComboBox* cbo, qint32 type)
{
    const qint32 selected = SysUI().cboGetItemID(cbo);
    RecordFrame::listEditor()(type);
    RecordControls::loadCategories(cbo, type, type == 105);
    SysUI().cboSelectAtID(cbo, selected);
    SysUI().CtlSetFocus(cbo);
}

// A text tab: the stamp button above its box.
QPlainTextEdit* textTab(QTabWidget* tabs, const QString& caption, const char* boxName, const char* stampName,
                        QPushButton*& stamp)
{
    auto* page = new QWidget;
    auto* box = RecordControls::editable(new QPlainTextEdit(page), boxName);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setAccessibleName(QString(caption).remove(QLatin1Char('&')));
    stamp = RecordControls::editable(RecordControls::button(page, stampName, QStringLiteral("Date-Time Sta&mp")), stampName);
    auto* layout = new QVBoxLayout(page);
    auto* top = new QHBoxLayout;
    top->addStretch(1);
    top->addWidget(stamp);
    layout->addLayout(top);
    layout->addWidget(box, 1);
    QWidget::setTabOrder(stamp, box);
    tabs->addTab(page, caption);
    return box;
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
