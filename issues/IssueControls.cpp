#include "issues/IssueControls.h"

#include "app/RecordControls.h"
#include "app/RecordFrame.h"
#include "common/RunError.h"
#include "common/clsSystem.h"
#include "common/ui/clsSystemUI.h"
#include "data/clsDB.h"
#include "data/ui/FieldBox.h"
#include "xbase/IndexC4.h"
#include "xbase/c4.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QPlainTextEdit>

namespace IssueControls {

void IssueFields::makeIssueFields(QWidget* page, QObject* window, Schema::Table table)
{
    using namespace RecordControls;
    lblPS = fieldLabel(page, "Label1", QStringLiteral("Product/Service:"));
    cboPS = editable(new QComboBox(page), "cboPS");
    cmdCatPS = listButton(page, "cmdCatPS", QStringLiteral("products/services"));
    lblShortDesc = fieldLabel(page, "lblShortDesc", QStringLiteral("Short Description:"));
    txtShortDesc = editable(new QLineEdit(page), "txtShortDesc");
    FieldBox::fit(txtShortDesc, table, "shortdesc");
    lblAssigned = fieldLabel(page, "lblAssigned", QStringLiteral("Assigned To:"));
    cboAssignedTo = editable(new QComboBox(page), "cboAssignedTo");
    lblPriority = fieldLabel(page, "lblPriority", QStringLiteral("Priority:"));
    cboPriority = editable(new QComboBox(page), "cboPriority");
    cmdCatPriority = listButton(page, "cmdCatPriority", QStringLiteral("priorities"));
    lblStatus = fieldLabel(page, "lblStatus", QStringLiteral("Status:"));
    cboStatus = editable(new QComboBox(page), "cboStatus");
    cmdCatStatus = listButton(page, "cmdCatStatus", QStringLiteral("statuses"));
    lblCat = fieldLabel(page, "lblCat", QStringLiteral("Category:"), QStringLiteral("issuecat"));
    cboIssueCategory = editable(new QComboBox(page), "cboIssueCategory");
    cmdCatIssueCategory = listButton(page, "cmdCatIssueCategory", QStringLiteral("issue categories"));
    customField(page, table, 1, &lblCustom1, &txtCust1, &cmdCust1Cat);
    customField(page, table, 2, &lblCustom2, &txtCust2, &cmdCust2Cat);

    const std::pair<QLabel*, QWidget*> buddies[] = {
        {lblPS, cboPS},         {lblShortDesc, txtShortDesc}, {lblAssigned, cboAssignedTo},
        {lblPriority, cboPriority}, {lblStatus, cboStatus},   {lblCat, cboIssueCategory},
        {lblCustom1, txtCust1}, {lblCustom2, txtCust2}};
    for (const auto& [label, field] : buddies)
        label->setBuddy(field);

    for (const auto& [b, cbo] : {std::pair{cmdCatPS, cboPS}, std::pair{cmdCatPriority, cboPriority},
                                 std::pair{cmdCatStatus, cboStatus}, std::pair{cmdCatIssueCategory, cboIssueCategory}}) {
        QObject::connect(b, &QPushButton::clicked, window,
                         [this, list = cbo] { editCategoryList(list, listType(list)); });
    }
    QObject::connect(cmdCust1Cat, &QPushButton::clicked, window, [this] { RecordFrame::editQuickList(txtCust1, CatType::IssueCustom1); });
    QObject::connect(cmdCust2Cat, &QPushButton::clicked, window, [this] { RecordFrame::editQuickList(txtCust2, CatType::IssueCustom2); });
}

CatType::Kind IssueFields::listType(const QComboBox* cbo) const
{
    using namespace CatType;
    return cbo == cboPS ? ProductService : cbo == cboStatus ? IssueStatus : cbo == cboPriority ? IssuePriority
                                                                                                : IssueCategory;
}

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

void editCategoryList(QComboBox* cbo, CatType::Kind type)
{
    const qint32 selected = SysUI().cboGetItemID(cbo);
    RecordFrame::listEditor()(type);
    RecordControls::loadCategories(cbo, type, type == CatType::IssueCategory);
    SysUI().cboSelectAtID(cbo, selected);
    SysUI().CtlSetFocus(cbo);
}

// A text tab: the stamp button above its box.
QPlainTextEdit* textTab(QTabWidget* tabs, const QString& caption, Schema::Table table, const char* field,
                        const char* boxName, const char* stampName, QPushButton*& stamp)
{
    auto* page = new QWidget;
    auto* box = RecordControls::editable(FieldBox::textBox(page, table, field), boxName);
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
