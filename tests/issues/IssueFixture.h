#pragma once

#include "CustomerFixture.h"

#include "issues/frmIssue.h"

#include <QString>

// The issue window over a fresh database with one customer ("Acme", with
// an e-mail address) and one product/service category, opened as the main
// window opens it.
class IssueFixture : public CustomerFixture {
protected:
    IssueFixture();

    frmIssue* openIssue(qint32 issueId, qint32 custId, bool editMode, qint32 templateId = -1);
    // A stored issue of the customer with this product/service.
    qint32 addStoredIssue(const QString& shortDesc, qint32 assignedTo = 1000);
    qint32 addAction(qint32 issueId, const QString& duration, qint32 perfby = 1000,
                     const QString& notes = QString(), qint32 action = -1);
    qint32 addTemplate(const QList<std::pair<QString, QVariant>>& fields);
    // A template as the template list makes it (only its identifier and
    // name), then, when fields are given, saved with them.
    qint32 addNamedTemplate(const QString& name, const QList<std::pair<const char*, QVariant>>& fields = {});
    // The rows of a table as bmtool dumps them, each as its field lines
    // ("NAME: value").
    static QList<QStringList> dumpedRows(const QString& path);
    // The value of one field line of a dumped row, "<none>" without it.
    static QString field(const QStringList& row, const QString& name);
    RecColl readIssue(qint32 id);
    // The under-edit fields of the issue's row ("user|machine").
    QString issueMark(qint32 id);
    // The same for a row of the templates table.
    static QString templateMark(qint32 id);
    // The first of `chain` that follows `from` along the focus chain (the
    // inner parts of a control and widgets not listed are passed over).
    static QWidget* nextAmong(const QList<QWidget*>& chain, QWidget* from);
    // The under-edit fields of a row of the table at `path`.
    static QString rowMark(const QString& path, qint32 id);
    // The rows of the actions table that belong to the issue.
    int actionCount(qint32 issueId);

    qint32 m_cust = -1;
    qint32 m_hardware = -1;
    qint32 m_actionKind = -1;
};
