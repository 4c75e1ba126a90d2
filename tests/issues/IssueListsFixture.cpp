#include "IssueListsFixture.h"

#include "common/ui/clsSystemUI.h"
#include "common/ui/frmProgress.h"
#include "data/RecColl.h"
#include "data/clsDB.h"
#include "issues/core/IssueListModel.h"
#include "xbase/IndexC4.h"
#include "xbase/c4.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QTreeView>

namespace {

// Counts the wait dialogs that show.
class WaitWatcher : public QObject {
public:
    explicit WaitWatcher(int& count) : m_count(count) {}
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && qobject_cast<frmProgress*>(watched))
            ++m_count;
        return false;
    }

private:
    int& m_count;
};

QString text(FIELD4* f) { return QString::fromLatin1(f4ptr(f), f4len_v(f)).trimmed(); }

} // namespace

IssueListsFixture::IssueListsFixture()
{
    m_waitWatcher = new WaitWatcher(m_waitShown);
    qApp->installEventFilter(m_waitWatcher);
}

IssueListsFixture::~IssueListsFixture()
{
    qApp->removeEventFilter(m_waitWatcher);
    delete m_waitWatcher;
}

QList<IssueListsFixture::StoredIssue> IssueListsFixture::storedIssues()
{
    QList<StoredIssue> issues;
    DATA4* t = d4open(DB().CBEngine(), DB().IssuesTable().toLocal8Bit().constData());
    if (!t)
        return issues;
    d4tagSelect(t, nullptr);
    for (int rc = d4top(t); rc == 0; rc = d4skip(t, 1)) {
        if (d4deleted(t))
            continue;
        StoredIssue issue;
        issue.id = qint32(f4long(d4field(t, "rowid")));
        issue.assignedTo = qint32(f4long(d4field(t, "assignedto")));
        issue.status = qint32(f4long(d4field(t, "status")));
        issue.psid = qint32(f4long(d4field(t, "psid")));
        issue.custId = qint32(f4long(d4field(t, "custid")));
        issue.submitdt = text(d4field(t, "submitdt"));
        issue.shortdesc = text(d4field(t, "shortdesc"));
        issues.append(issue);
    }
    d4close(t);
    return issues;
}

QSet<qint32> IssueListsFixture::idsWhere(const std::function<bool(const StoredIssue&)>& test)
{
    QSet<qint32> ids;
    for (const StoredIssue& issue : storedIssues()) {
        if (test(issue))
            ids.insert(issue.id);
    }
    return ids;
}

void IssueListsFixture::seed(int customers, int issues, int closedPercent)
{
    QStringList args{QStringLiteral("seed"), DB().DBPath(), QStringLiteral("--customers"), QString::number(customers),
                     QStringLiteral("--issues"), QString::number(issues)};
    if (closedPercent >= 0)
        args << QStringLiteral("--closed-percent") << QString::number(closedPercent);
    const bmtest::ToolRun run = bmtest::runBmtool(args);
    ASSERT_EQ(run.exitCode, 0) << run.all().toStdString();
}

QList<qint32> IssueListsFixture::listedIds(const IssueListModel* model)
{
    QList<qint32> ids;
    for (int row = 0; row < model->rowCount(); ++row)
        ids.append(model->rowId(row));
    return ids;
}

QString IssueListsFixture::rowText(const IssueListModel* model, int row)
{
    QStringList texts;
    for (int column = 0; column < model->columnCount(); ++column)
        texts.append(model->index(row, column).data().toString());
    return texts.join(QLatin1Char('|'));
}

QString IssueListsFixture::selectedKey(QTreeView* lv) { return SysUI().LvGetSelectedItemKey(lv); }

void IssueListsFixture::selectIssue(QTreeView* lv, qint32 id)
{
    ASSERT_TRUE(SysUI().LvSelectItem(lv, QStringLiteral("N%1").arg(id)));
}

void IssueListsFixture::duringFill(const std::function<bool()>& step)
{
    auto* timer = new QTimer(qApp);
    timer->setInterval(0);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, step] {
        if (step()) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start();
}

qint32 IssueListsFixture::makeIssue(const QString& shortDesc, qint32 assignedTo, qint32 status, const QString& submitdt,
                                    const QString& desc, const QString& resolution, qint32 psid)
{
    const qint32 id = addIssue(m_cust, shortDesc);
    RecColl coll = readIssue(id);
    coll.set(QStringLiteral("assignedto"), assignedTo);
    coll.set(QStringLiteral("status"), status);
    coll.set(QStringLiteral("priority"), 452);
    coll.set(QStringLiteral("psid"), psid > 0 ? psid : m_hardware);
    coll.set(QStringLiteral("submitdt"), submitdt);
    coll.set(QStringLiteral("desc"), desc);
    coll.set(QStringLiteral("resolution"), resolution);
    EXPECT_TRUE(DB().SaveRecord(coll, false));
    // An empty date or one in stored form goes in as it is.
    if (submitdt.isEmpty() || (submitdt.size() == 8 && !submitdt.contains(QLatin1Char('/'))))
        pokeField(DB().IssuesTable(), id, "submitdt", submitdt.isEmpty() ? QStringLiteral("        ") : submitdt);
    return id;
}
