#pragma once

#include "data/RecColl.h"

#include <QString>

// One stored issue template, read for the issue window that fills a new
// issue from it. The getters give the fields of the row that the last
// successful Init read; they are meant to be called only after it.
class clsIssueTemplate {
public:
    // Reads the template row. False at once for an identifier below 1
    // (no template: the table is not touched); False after the database
    // object's missing-record message when the row is gone.
    bool Init(qint32 TemplateID);

    qint32 PSId() const { return number("psid"); }
    QString ShortDesc() const { return text("shortdesc"); }
    qint32 AssignedTo() const { return number("assignedto"); }
    qint32 Priority() const { return number("priority"); }
    qint32 STATUS() const { return number("status"); }
    qint32 Category() const { return number("issuecat"); }
    QString Desc() const { return text("desc"); }
    QString Resolution() const { return text("resolution"); }
    QString custom1() const { return text("custom1"); }
    QString custom2() const { return text("custom2"); }

private:
    qint32 number(const char* field) const;
    QString text(const char* field) const;

    RecColl m_coll;
};
