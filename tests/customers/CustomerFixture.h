#pragma once

#include "AppFixture.h"

#include "app/frmMain.h"
#include "customers/frmCustomer.h"

#include <QLocale>
#include <QVariant>

// The customer window over a fresh database, opened as the main window
// opens it.
class CustomerFixture : public AppFixture {
protected:
    CustomerFixture();
    ~CustomerFixture() override;

    // A stored customer with these fields; its row identifier.
    qint32 addCustomer(const QList<std::pair<QString, QVariant>>& fields);
    qint32 addCategory(const QString& text, qint32 type);
    qint32 addPS(qint32 custId, qint32 psid, const QString& dateInit, const QString& dateTerm);
    qint32 addIssue(qint32 custId, const QString& shortDesc = QString());

    // The window of a customer shown by the main window.
    frmCustomer* open(qint32 custId, bool editMode = false);
    // The under-edit fields of the customer's row ("user|machine").
    QString mark(qint32 custId);
    QStringList boxTexts() const { return shownTexts(ShownPrompt::Kind::MessageBox); }
    QStringList windowTexts() const { return shownTexts(ShownPrompt::Kind::MessageWindow); }

    QLocale m_locale;
    frmMain m_main;
};
