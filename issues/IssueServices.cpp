#include "issues/IssueServices.h"

#include "app/frmMain.h"
#include "common/ui/WindowRegistry.h"

namespace IssueServices {
namespace {

frmMain* mainWindow() { return qobject_cast<frmMain*>(WindowRegistry::current().mainForm()); }

} // namespace

std::function<QString(const QString&)>& calendar()
{
    static std::function<QString(const QString&)> pick = [](const QString& initialDate) {
        frmMain* main = mainWindow();
        return main ? main->GetShortDateFromPopupCalendar(initialDate) : QString();
    };
    return pick;
}

std::function<void(qint32)>& listEditor()
{
    static std::function<void(qint32)> editor = [](qint32 catType) {
        frmMain* main = mainWindow();
        if (!main)
            return;
        switch (catType) {
        case 2: main->EditProductServiceCategory(); break;
        case 101: main->EditIssueStatusCategory(); break;
        case 102: main->EditIssuePriorityCategory(); break;
        case 105: main->EditIssueCategory(); break;
        case 106: main->EditIssueActionsCategory(); break;
        default: main->EditCustomFieldCategory(catType); break;
        }
    };
    return editor;
}

std::function<bool(const QString&, const QString&, const QString&)>& mailSender()
{
    static std::function<bool(const QString&, const QString&, const QString&)> sender
        = [](const QString& to, const QString& subject, const QString& body) {
              frmMain* main = mainWindow();
              return main && main->SendMail(to, subject, body);
          };
    return sender;
}

} // namespace IssueServices

#include "common/ui/clsSystemUI.h"
#include "data/clsDB.h"

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

} // namespace IssueControls
