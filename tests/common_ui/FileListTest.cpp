#include "common/ui/clsSystemUI.h"

#include "../common/LocaleScope.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

TEST(LvGetFileList, ListsEveryEntryWithSizeTypeAndTime)
{
    LocaleScope english(LocaleScope::english());
    bmtest::TempFolder temp;
    for (const auto& [name, size] : {std::pair{"Empty.TXT", 0}, {"small.txt", 1023}, {"half.csv", 1536}}) {
        QFile f(temp.file(QString::fromLatin1(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(size, 'x'));
    }
    QDir(temp.path()).mkdir(QStringLiteral("Sub"));

    QTreeWidget lv;
    lv.setColumnCount(4);
    SysUI().lvAddItem(&lv, QStringLiteral("N1"), {QStringLiteral("old row")});
    SysUI().LvGetFileList(&lv, temp.path());
    ASSERT_EQ(lv.topLevelItemCount(), 4);
    QStringList rows;
    for (int i = 0; i < lv.topLevelItemCount(); ++i)
        rows.append(lv.topLevelItem(i)->text(0) + QLatin1Char('|') + lv.topLevelItem(i)->text(1));
    EXPECT_EQ(rows, (QStringList{QStringLiteral("empty.txt|1 KB"), QStringLiteral("half.csv|2 KB"),
                                 QStringLiteral("small.txt|1 KB"), QStringLiteral("sub|1 KB")}));
    EXPECT_EQ(lv.topLevelItem(3)->text(2), lv.topLevelItem(3)->text(2).toLower());
    EXPECT_FALSE(lv.topLevelItem(2)->text(2).isEmpty());
    EXPECT_TRUE(lv.topLevelItem(0)->text(3).contains(QLatin1Char(' ')));

    SysUI().LvGetFileList(&lv, QString()); // no folder: the list stays
    EXPECT_EQ(lv.topLevelItemCount(), 4);
}

} // namespace
