#include "app/CustomerItemWindow.h"

#include "app/frmMain.h"
#include "common/ui/WindowRegistry.h"
#include "data/Schema.h"
#include "data/clsDB.h"

#include <QEvent>
#include <QLabel>

namespace {

frmMain* mainWindow() { return qobject_cast<frmMain*>(WindowRegistry::current().mainForm()); }

} // namespace

void CustomerItemWindow::makeCustomerLink(QLabel* label)
{
    lblCustomer = label;
    lblCustomer->setStyleSheet(QStringLiteral("color: #0000C0"));
    lblCustomer->setCursor(Qt::PointingHandCursor);
    lblCustomer->installEventFilter(this);
}

bool CustomerItemWindow::ownerStillThere(bool quiet)
{
    if (DB().CheckIfRecExists(DB().CustomerTable(), Schema::dataFileName(Schema::Table::Cust), m_custId, quiet))
        return true;
    NoCustomerMsg();
    return false;
}

bool CustomerItemWindow::mayEnterEditMode() { return ownerStillThere(true); }

QString CustomerItemWindow::deleteQuestion() const
{
    return QStringLiteral("Are you sure you want to *DELETE*  '") + windowTitle()
           + QStringLiteral("' and all of its attachments (if any)?");
}

void CustomerItemWindow::lblCustomer_Click()
{
    if (frmMain* main = mainWindow())
        main->ShowCustomer(m_custId, false);
}

bool CustomerItemWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lblCustomer && event->type() == QEvent::MouseButtonRelease) {
        lblCustomer_Click();
        return true;
    }
    return TabbedRecordWindow::eventFilter(watched, event);
}
