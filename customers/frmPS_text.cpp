#include "customers/frmPS.h"

#include "app/StatisticCtl.h"
#include "app/clsCustomLabels.h"
#include "common/clsSystem.h"
#include "common/ui/frmRichEdit.h"
#include "data/clsDB.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

QString frmPS::notesText() const
{
    // The notes box ends its lines with LF; stored notes end them with CR LF.
    QString text = txtNote->toPlainText();
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

QString frmPS::FormContent()
{
    const auto line = [](const QString& caption, const QString& value, int breaks) {
        return Sys().PadSpaces(caption, 28, 2) + value + Sys().CRLF(breaks);
    };
    // A field label's caption as the window shows it.
    const auto field = [&line](const QLabel* label, const QString& value, int breaks) {
        return line(clsCustomLabels::shownText(label), value, breaks);
    };
    QString text = QStringLiteral("PRODUCT/SERVICE DETAILS") + Sys().CRLF(2);
    text += line(QStringLiteral("Customer Name:"), lblCustomer->text(), 1);
    text += line(QStringLiteral("Product/Service:"), cboPS->currentText(), 1);
    text += field(lblShortDesc, txtShortDesc->text(), 2);
    text += field(lblContPN, txtContractNumber->text(), 1);
    text += field(lblTrackingNo, txtTrackNo->text(), 1);
    text += field(lblContractType, cboContractType->currentText(), 2);
    text += field(lblContractDur, cboContractDuration->currentText(), 1);
    text += field(lblDateInit, txtDateInitiated->text(), 1);
    text += field(lblDateTerm,
                  txtDateTerminated->text() + QStringLiteral(" (") + lblActive->text() + QStringLiteral(") "), 2);
    text += field(lblCustom1, txtCust1->currentText(), 1);
    text += field(lblCustom2, txtCust2->currentText(), 2);
    text += QStringLiteral("Notes:") + Sys().CRLF(1);
    text += notesText() + Sys().CRLF(2);
    text += line(QStringLiteral("Last Modified By:"), LE->ModifiedBy(), 1);
    text += line(QStringLiteral("Last Modified On:"), LE->ModifiedOn(), 1);
    text += line(QStringLiteral("Last Modified At:"), LE->ModifiedAt(), 2);
    return text;
}

QString frmPS::FormPrint()
{
    auto* viewer = new frmRichEdit;
    viewer->Init(windowTitle(), FormContent());
    viewer->show();
    return QString();
}

QString frmPS::FormEmail()
{
    mailSender()(DB().GetCustomerEmail(m_custId), QStringLiteral("<<Verify Email Address and Enter Subject>>"),
                 FormContent());
    return QString();
}
