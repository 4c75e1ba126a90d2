#include "issues/frmIssue.h"

#include "issues/IssueActionsCtl.h"
#include "issues/IssueControls.h"

#include "app/RecordFrame.h"
#include "app/StatisticCtl.h"
#include "common/clsSystem.h"
#include "common/ui/frmRichEdit.h"
#include "data/clsDB.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

QString frmIssue::FormContent()
{
    const auto line = [](const QString& caption, const QString& value, int breaks) {
        return Sys().PadSpaces(caption, 20, 2) + value + Sys().CRLF(breaks);
    };
    const QString rule = Sys().PadChar(QString(), 80, QStringLiteral("-"), 2);
    QString text = QStringLiteral("ISSUE DETAILS (") + lblIssueNumber->text() + QStringLiteral(")") + Sys().CRLF(2);
    text += line(QStringLiteral("Customer Name:"), lblCustomer->text(), 1);
    text += line(QStringLiteral("Short Description:"), txtShortDesc->text(), 1);
    text += line(QStringLiteral("Product/Service:"), cboPS->currentText(), 2);
    text += line(QStringLiteral("Status:"), cboStatus->currentText(), 1);
    text += line(QStringLiteral("Priority:"), cboPriority->currentText(), 1);
    text += line(QStringLiteral("Assigned To::"), cboAssignedTo->currentText(), 2);
    text += line(QStringLiteral("Submit Date:"), txtDateSubmit->text(), 1);
    text += line(QStringLiteral("Response Date:"), txtDateResponse->text(), 1);
    text += line(QStringLiteral("Resolution Date:"), txtDateResolution->text(), 2);
    text += line(lblCustom1->text(), txtCust1->currentText(), 1);
    text += line(lblCustom2->text(), txtCust2->currentText(), 2);
    text += line(lblCat->text(), cboIssueCategory->currentText(), 2);
    text += rule + Sys().CRLF(1) + IACtl->content() + rule + Sys().CRLF(2);
    for (const auto& [caption, box] : {std::pair{QStringLiteral("Description:"), txtDesc},
                                       std::pair{QStringLiteral("Resolution:"), txtResolution}})
        text += caption + Sys().CRLF(1) + IssueControls::storedText(box) + Sys().CRLF(2) + rule + Sys().CRLF(2);
    text += line(QStringLiteral("Last Modified By:"), LE->ModifiedBy(), 1);
    text += line(QStringLiteral("Last Modified On:"), LE->ModifiedOn(), 1);
    text += line(QStringLiteral("Last Modified At:"), LE->ModifiedAt(), 2);
    return text;
}

QString frmIssue::FormPrint()
{
    auto* viewer = new frmRichEdit;
    viewer->Init(windowTitle(), FormContent());
    viewer->show();
    return QString();
}

QString frmIssue::FormEmail()
{
    RecordFrame::mailSender()(DB().GetCustomerEmail(m_custId),
                                QStringLiteral("<<Verify Email Address and Enter Subject>>"), FormContent());
    return QString();
}
