#include "common/ui/clsSystemUI.h"
#include "customers/CustomerListModel.h"

#include <QAbstractItemModelTester>
#include <QPersistentModelIndex>

#include <algorithm>
#include <numeric>

#include <gtest/gtest.h>

namespace {

CustomerListModel::Row row(qint32 id, const QString& name, const QString& company = QString(),
                           const QString& city = QString())
{
    CustomerListModel::Row r;
    r.id = id;
    r.name = name;
    r.company = company;
    r.custno = QString::number(id * 7);
    r.workphone = QStringLiteral("555-%1").arg(id);
    r.city = city;
    return r;
}

QStringList column(const CustomerListModel& model, int c)
{
    QStringList out;
    for (int r = 0; r < model.rowCount(); ++r)
        out.append(model.index(r, c).data().toString());
    return out;
}

} // namespace

TEST(CustomerListModelTest, ShowsEveryTextAsAddedOnceFlushed)
{
    CustomerListModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    const QString longCity = QString(300, QChar(u'x')) + QStringLiteral("é");
    model.add(row(5, QStringLiteral("Zoë Ærø"), QStringLiteral("Café € Œuvre"), longCity));
    model.add(row(9, QString(), QString(), QString()));
    EXPECT_EQ(model.rowCount(), 0);   // not flushed yet
    model.flush();
    ASSERT_EQ(model.rowCount(), 2);
    EXPECT_EQ(model.index(0, 0).data().toString(), QStringLiteral("Zoë Ærø"));
    EXPECT_EQ(model.index(0, 1).data().toString(), QStringLiteral("Café € Œuvre"));
    EXPECT_EQ(model.index(0, 2).data().toString(), QStringLiteral("35"));
    EXPECT_EQ(model.index(0, 3).data().toString(), QStringLiteral("555-5"));
    EXPECT_EQ(model.index(0, 4).data().toString(), longCity);
    EXPECT_EQ(model.index(1, 0).data().toString(), QString());
    EXPECT_EQ(model.index(0, 0).data(clsSystemUI::kKeyRole).toString(), QStringLiteral("N5"));
    EXPECT_EQ(model.index(1, 0).data(clsSystemUI::kKeyRole).toString(), QStringLiteral("N9"));
    EXPECT_EQ(model.rowId(1), 9);
    model.clear();
    EXPECT_EQ(model.rowCount(), 0);
    model.add(row(3, QStringLiteral("Again")));
    model.flush();
    EXPECT_EQ(column(model, 0), QStringList{QStringLiteral("Again")});
}

// The order a case-blind comparison of the texts gives, ties kept in the
// order added: the order the list had when it held its texts as QStrings.
TEST(CustomerListModelTest, SortsIgnoringCaseKeepingTiesAndTheSelection)
{
    const QStringList names = {QStringLiteral("baker"), QStringLiteral("Élan"),  QStringLiteral("ames"),
                               QStringLiteral("Baker"), QStringLiteral("élan"),  QStringLiteral("Zed"),
                               QStringLiteral("ÄBC"),   QStringLiteral("Ames"),  QStringLiteral("œil"),
                               QStringLiteral("Œil"),   QStringLiteral(""),      QStringLiteral("b")};
    CustomerListModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    for (int i = 0; i < names.size(); ++i)
        model.add(row(100 + i, names[i], QStringLiteral("co%1").arg(names.size() - i)));
    model.flush();
    const QPersistentModelIndex selected = model.index(3, 1);   // "Baker", id 103

    for (const Qt::SortOrder order : {Qt::AscendingOrder, Qt::DescendingOrder}) {
        QList<int> expected(names.size());
        std::iota(expected.begin(), expected.end(), 0);
        std::stable_sort(expected.begin(), expected.end(), [&](int a, int b) {
            const int c = QString::compare(names[a], names[b], Qt::CaseInsensitive);
            return order == Qt::AscendingOrder ? c < 0 : c > 0;
        });
        QStringList expectedNames;
        for (const int i : expected)
            expectedNames.append(names[i]);
        model.sort(0, order);
        EXPECT_EQ(column(model, 0), expectedNames) << "order " << int(order);
        ASSERT_TRUE(selected.isValid());
        EXPECT_EQ(model.rowId(selected.row()), 103);
        EXPECT_EQ(selected.column(), 1);
        EXPECT_EQ(model.index(selected.row(), 0).data().toString(), QStringLiteral("Baker"));
    }
    // Rows added after a sort follow the sorted rows until the next sort.
    model.add(row(500, QStringLiteral("Aaron")));
    model.flush();
    EXPECT_EQ(column(model, 0).last(), QStringLiteral("Aaron"));
    model.sort(0, Qt::AscendingOrder);
    EXPECT_EQ(column(model, 0).at(1), QStringLiteral("Aaron"));   // after the empty name
    EXPECT_EQ(model.rowId(1), 500);
}
