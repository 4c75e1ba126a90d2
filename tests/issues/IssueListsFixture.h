#pragma once

#include "IssueFixture.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>

class IssueListModel;
class QTreeView;

// The issue list windows (My Issues, search results, the purge wizard) over
// the issue fixture's database, with an independent reading of the issues
// table to compare the lists with.
class IssueListsFixture : public IssueFixture {
protected:
    IssueListsFixture();
    ~IssueListsFixture() override;

    // One issue as the table holds it, read row by row in record order.
    struct StoredIssue {
        qint32 id = 0;
        qint32 assignedTo = 0;
        qint32 status = 0;
        qint32 psid = 0;
        qint32 custId = 0;
        QString submitdt;
        QString shortdesc;
    };
    static QList<StoredIssue> storedIssues();
    static QSet<qint32> idsWhere(const std::function<bool(const StoredIssue&)>& test);

    // Fills the open database with bmtool seed.
    void seed(int customers, int issues, int closedPercent = -1);

    static QList<qint32> listedIds(const IssueListModel* model);
    static QSet<qint32> listedIdSet(const IssueListModel* model) { const QList<qint32> ids = listedIds(model); return QSet<qint32>(ids.begin(), ids.end()); }
    // The texts of a row joined by "|".
    static QString rowText(const IssueListModel* model, int row);
    // The key of the selected row ("" when none).
    static QString selectedKey(QTreeView* lv);
    // Selects the row of the issue.
    static void selectIssue(QTreeView* lv, qint32 id);

    // Runs `step` at each yield of the event loop until it answers true.
    void duringFill(const std::function<bool()>& step);
    // How many wait dialogs were shown since the fixture started.
    int waitDialogsShown() const { return m_waitShown; }

    qint32 makeIssue(const QString& shortDesc, qint32 assignedTo, qint32 status, const QString& submitdt,
                     const QString& desc = QString(), const QString& resolution = QString(), qint32 psid = -1);

private:
    QObject* m_waitWatcher = nullptr;
    int m_waitShown = 0;
};
