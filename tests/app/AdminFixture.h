#pragma once

#include "AppFixture.h"
#include "ModalScript.h"

#include "app/frmMain.h"
#include "data/RecColl.h"
#include "data/Schema.h"
#include "data/clsDB.h"

#include <QList>
#include <utility>

// The administration windows over a new database opened by the built-in
// administrator, with their modal displays scripted.
class AdminFixture : public AppFixture {
protected:
    AdminFixture() { m_folder = openNewDatabase(); }

    // A new row of the record type, its other fields blank; its identifier.
    static qint32 addRow(const QString& path, const char* rectype, const QList<std::pair<const char*, QVariant>>& fields)
    {
        const QString type = QString::fromLatin1(rectype);
        RecColl coll(path, -1, type);
        for (const Schema::KindField& f : Schema::recordType(type)->writes)
            coll.add(QLatin1String(f.name), f.kind == Schema::fkWhole ? QVariant(0) : QVariant(QString()));
        for (const auto& [name, value] : fields)
            coll.set(QString::fromLatin1(name), value);
        if (!DB().SaveRecord(coll, false))
            return -1;
        return coll.value(QStringLiteral("_rowid")).toInt();
    }

    // Logs in again as a new user "clerk" holding the default permissions.
    void reopenAsClerk()
    {
        ASSERT_GT(addRow(DB().UserTable(), "_userinfo",
                         {{"login", QStringLiteral("clerk")}, {"lastname", QStringLiteral("Clerk")},
                          {"useractive", QStringLiteral("T")}, {"usertype", QStringLiteral("0")},
                          {"perm", DB().GetDefaultPermissionsStr()}}),
                  0);
        DB().CloseDB();
        m_logins.login(QStringLiteral("clerk"), QStringLiteral("clerk"));
        ASSERT_TRUE(DB().OpenDB(m_folder));
    }

    QString m_folder;
    frmMain m_main;
    ModalScript m_dialogs;
};
