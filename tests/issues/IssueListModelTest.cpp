#include "issues/core/IssueListModel.h"

#include <QAbstractItemModelTester>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Source = IssueListModel::Source;

QStringList column(const IssueListModel& model, int c)
{
    QStringList texts;
    for (int row = 0; row < model.rowCount(); ++row)
        texts.append(model.index(row, c).data().toString());
    return texts;
}

TEST(IssueListModelTest, RowsShowAfterFlushAndSortByTextWithEqualRowsInOrder)
{
    IssueListModel model({Source::RowId, Source::Shared, Source::Own});
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Warning);
    const quint32 beta = model.share(QStringLiteral("beta"));
    const quint32 alpha = model.share(QStringLiteral("Alpha"));
    EXPECT_EQ(model.share(QStringLiteral("beta")), beta);
    model.addRow(9999, {beta}, u"one");
    model.addRow(10000, {alpha}, u"Two");
    model.addRow(1001, {beta}, u"three");
    model.addRow(123, {model.share(QStringLiteral("ALPHA"))}, QString(300, QLatin1Char('z')));
    EXPECT_EQ(model.rowCount(), 0);
    model.flush();
    ASSERT_EQ(model.rowCount(), 4);
    EXPECT_EQ(model.index(1, 0).data(IssueListModel::kKeyRole).toString(), QStringLiteral("N10000"));
    EXPECT_FALSE(model.index(1, 1).data(IssueListModel::kKeyRole).isValid());

    model.sort(0, Qt::AscendingOrder);
    EXPECT_EQ(column(model, 0), (QStringList{QStringLiteral("10000"), QStringLiteral("1001"), QStringLiteral("123"),
                                             QStringLiteral("9999")}));
    model.sort(0, Qt::DescendingOrder);
    EXPECT_EQ(column(model, 0).first(), QStringLiteral("9999"));
    model.sort(1, Qt::AscendingOrder);   // "Alpha" and "ALPHA" are equal: they keep their order
    EXPECT_EQ(column(model, 0), (QStringList{QStringLiteral("123"), QStringLiteral("10000"), QStringLiteral("9999"),
                                             QStringLiteral("1001")}));
    model.sort(2, Qt::AscendingOrder);
    EXPECT_EQ(column(model, 2).mid(0, 3), (QStringList{QStringLiteral("one"), QStringLiteral("three"), QStringLiteral("Two")}));
    EXPECT_EQ(model.index(3, 2).data().toString().size(), 300);

    model.clear();
    EXPECT_EQ(model.rowCount(), 0);
    model.addRow(5, {}, u"x");   // missing shared cells read as ""
    model.flush();
    EXPECT_EQ(model.index(0, 1).data().toString(), QString());
}

TEST(IssueListModelTest, OwnTextsOfAnyLengthReadBackAsGivenEmptyOnesFirst)
{
    // An issue without a short description may come first; texts over 254
    // bytes keep a longer length before them.
    IssueListModel model({Source::RowId, Source::Own});
    const QStringList texts = {QString(),
                               QStringLiteral("Caf\u00e9 R\u00c9SEAU"),
                               QStringLiteral("caf\u00c9 r\u00e9seaux"),
                               QString(254, QLatin1Char('a')),
                               QString(255, QLatin1Char('b')),
                               QString(70000, QLatin1Char('c')),
                               QString()};
    for (qsizetype i = 0; i < texts.size(); ++i)
        model.addRow(qint32(i + 1), {}, texts.at(i));
    model.flush();
    EXPECT_EQ(column(model, 1), texts);
    // Sorted as the texts compare ignoring case, equal ones in their order.
    QStringList sorted = texts;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const QString& a, const QString& b) { return QString::compare(a, b, Qt::CaseInsensitive) < 0; });
    model.sort(1, Qt::AscendingOrder);
    EXPECT_EQ(column(model, 1), sorted);
    EXPECT_EQ(column(model, 0).mid(0, 2), (QStringList{QStringLiteral("1"), QStringLiteral("7")}));
}

TEST(IssueListModelTest, IssueNumbersSortInTextOrderWhetherDenseSparseOrRepeated)
{
    // Dense distinct numbers take a different path from sparse or repeated
    // ones: each case is checked against the numbers' texts sorted.
    struct Case {
        const char* what;
        QList<qint32> ids;
    };
    QList<qint32> dense;
    for (qint32 id = 1; id <= 12000; ++id)
        if (id % 7 != 3)
            dense.append(id);
    std::reverse(dense.begin(), dense.end());
    std::rotate(dense.begin(), dense.begin() + 5000, dense.end());
    QList<qint32> repeated = dense;
    repeated.append(1000);
    QList<qint32> sparse = {123456789, 5, 99999999, 1, 100000000};
    const Case cases[] = {{"dense", dense}, {"dense with a repeat", repeated}, {"sparse", sparse}, {"one", {1}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        IssueListModel model({Source::RowId, Source::Own});
        for (const qint32 id : c.ids)
            model.addRow(id, {}, QString::number(id));
        model.flush();
        QStringList expected;
        for (const qint32 id : c.ids)
            expected.append(QString::number(id));
        std::stable_sort(expected.begin(), expected.end());
        model.sort(0, Qt::AscendingOrder);
        EXPECT_EQ(column(model, 0), expected);
        EXPECT_EQ(column(model, 1), expected);   // the rows move whole
        model.sort(0, Qt::DescendingOrder);
        std::reverse(expected.begin(), expected.end());
        EXPECT_EQ(column(model, 0), expected);
    }
}

TEST(IssueListModelTest, APreparedSortGivesTheSortsOrderAndLapsesWhenARowIsAdded)
{
    IssueListModel model({Source::RowId});
    QStringList expected;
    for (qint32 id = 3000; id >= 1; --id) {
        model.addRow(id, {});
        expected.append(QString::number(id));
    }
    std::sort(expected.begin(), expected.end());
    model.prepareSort(0, Qt::AscendingOrder);
    model.sort(0, Qt::AscendingOrder);
    EXPECT_EQ(column(model, 0), expected);

    // Prepared for one order, sorted in the other; then a row added after
    // the preparing.
    model.prepareSort(0, Qt::AscendingOrder);
    model.sort(0, Qt::DescendingOrder);
    EXPECT_EQ(column(model, 0).first(), QStringLiteral("999"));
    model.prepareSort(0, Qt::AscendingOrder);
    model.addRow(3001, {});
    expected.insert(std::lower_bound(expected.begin(), expected.end(), QStringLiteral("3001")), QStringLiteral("3001"));
    model.sort(0, Qt::AscendingOrder);
    EXPECT_EQ(column(model, 0), expected);
}

} // namespace
