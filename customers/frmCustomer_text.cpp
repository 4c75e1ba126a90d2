#include "customers/frmCustomer.h"

#include "app/StatisticCtl.h"
#include "app/clsCustomLabels.h"
#include "common/clsSystem.h"
#include "common/ui/frmRichEdit.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableWidget>

namespace {

QString padded(const QString& label, int width = 20) { return Sys().PadSpaces(label, width, 2); }

// A field label's caption as the window shows it.
QString padded(const QLabel* label) { return padded(clsCustomLabels::shownText(label)); }

QString cell(const QTableWidget* grid, int row, int column)
{
    const QTableWidgetItem* item = grid->item(row, column);
    return item ? item->text() : QString();
}

} // namespace

QString frmCustomer::AddSpace(const QString& text)
{
    return text.trimmed().isEmpty() ? QString() : text + QLatin1Char(' ');
}

QString frmCustomer::notesText() const
{
    // The notes box ends its lines with LF; stored notes end them with CR LF.
    QString text = txtNote->toPlainText();
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

QString frmCustomer::MailingLabelText() const
{
    QStringList lines;
    QString name = AddSpace(cboSalutation->currentText()) + AddSpace(txtFname->text()) + txtLname->text();
    if (!txtTitle->text().isEmpty())
        name += QStringLiteral(", ") + txtTitle->text();
    lines.append(name);
    for (const QLineEdit* line : {txtCoName, txtAddress1, txtAddress2}) {
        if (!line->text().isEmpty())
            lines.append(line->text());
    }
    if (!txtCity->text().isEmpty() || !cboStates->currentText().isEmpty() || !txtPostalCode->text().isEmpty())
        lines.append(txtCity->text() + QStringLiteral(", ") + cboStates->currentText() + QLatin1Char(' ')
                     + txtPostalCode->text());
    QString text;
    for (const QString& line : lines)
        text += line + Sys().CRLF();
    if (!cboCountry->currentText().isEmpty())
        text += cboCountry->currentText();
    return text;
}

QString frmCustomer::FormContent()
{
    const QString blank(20, QLatin1Char(' '));
    const auto nl = [](int count) { return Sys().CRLF(count); };
    QString nameLabel = clsCustomLabels::shownText(lblFN);
    nameLabel.remove(QLatin1Char(':'));
    nameLabel += QLatin1Char(' ') + clsCustomLabels::shownText(lblLN) + QLatin1Char(' ');

    QString text = QStringLiteral("CUSTOMER INFORMATION (") + lblCustomerID->text() + QStringLiteral(")") + nl(2);
    text += padded(lblCustNo) + txtCustNo->text() + nl(1);
    text += padded(nameLabel, 22) + AddSpace(cboSalutation->currentText()) + AddSpace(txtFname->text())
            + txtLname->text() + nl(1);
    text += padded(lblCo) + txtCoName->text() + nl(1);
    text += padded(lblTitle) + txtTitle->text() + nl(1);
    text += padded(lblAddr1) + txtAddress1->text() + nl(1);
    text += blank + txtAddress2->text() + nl(1);
    text += blank + txtCity->text() + QStringLiteral(", ") + cboStates->currentText() + QLatin1Char(' ')
            + txtPostalCode->text() + nl(1);
    text += blank + cboCountry->currentText() + nl(2);
    text += padded(lblCustom1) + txtCust1->currentText() + nl(1);
    text += padded(lblCustom2) + txtCust2->currentText() + nl(2);
    text += padded(lblWPh) + txtWorkPhone->text() + nl(1);
    text += padded(lblHPh) + txtHomePhone->text() + nl(1);
    text += padded(lblMPh) + txtMobilePhone->text() + nl(1);
    text += padded(lblFaxP) + txtFaxphone->text() + nl(1);
    text += padded(lblDefEmail) + txtEmailName->text() + nl(1);
    text += padded(lblAltEmail) + txtEmailName2->text() + nl(2);
    text += padded(lblCat) + cboCategory->currentText() + nl(2);
    text += QStringLiteral("Notes:") + nl(1) + notesText() + nl(2);
    text += QStringLiteral("Additional Contacts:") + nl(1);
    for (int r = 0; r < grdContacts->rowCount(); ++r) {
        const QString name = cell(grdContacts, r, 0);
        if (name.isEmpty())
            continue;
        text += padded(QStringLiteral("Name:")) + name + nl(1);
        const char* labels[] = {"Title:", "Address:", "Telephone:", "Email:"};
        for (int c = 1; c <= 4; ++c) {
            const QString value = cell(grdContacts, r, c);
            if (!value.isEmpty())
                text += padded(QString::fromLatin1(labels[c - 1])) + value + nl(1);
        }
        text += nl(1);
    }
    text += nl(2);
    text += padded(QStringLiteral("Last Modified By:")) + LE->ModifiedBy() + nl(1);
    text += padded(QStringLiteral("Last Modified On:")) + LE->ModifiedOn() + nl(1);
    text += padded(QStringLiteral("Last Modified At:")) + LE->ModifiedAt() + nl(2);
    return text;
}

QString frmCustomer::FormPrint()
{
    auto* viewer = new frmRichEdit;
    viewer->Init(windowTitle(), FormContent());
    viewer->show();
    return QString();
}

QString frmCustomer::FormEmail()
{
    mailSender()(txtEmailName->text(), QStringLiteral("<<Verify Email Address and Enter Subject>>"), FormContent());
    return QString();
}
