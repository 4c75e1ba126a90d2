#include "common/ScriptedPrompts.h"
#include "common/clsSystem.h"
#include "common/ui/clsSystemUI.h"
#include "common/ui/frmProgress.h"
#include "data/RecColl.h"

#include "TestSupport.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

const QStringList kDefined{QStringLiteral("Name"), QStringLiteral("Phone"), QStringLiteral("City")};

QString writeFile(const bmtest::TempFolder& temp, const QString& name, const QByteArray& bytes)
{
    const QString path = temp.file(name);
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return path;
}

QStringList headingsOf(const QString& line)
{
    QStringList headings;
    Sys().StrParse2Array(line, headings, u',', false);
    return headings;
}

// The grid as text: the heading row, then each row, cells joined by "|".
QStringList gridText(const QTableView& grid)
{
    const QAbstractItemModel* m = grid.model();
    QStringList out;
    QStringList cells;
    for (int c = 0; c < m->columnCount(); ++c)
        cells.append(m->headerData(c, Qt::Horizontal).toString());
    out.append(cells.join(u'|'));
    for (int r = 0; r < m->rowCount(); ++r) {
        cells.clear();
        for (int c = 0; c < m->columnCount(); ++c)
            cells.append(m->index(r, c).data().toString());
        out.append(cells.join(u'|'));
    }
    return out;
}

TEST(ImportFile, FileReadRowNumHandsBackOneTrimmedLine)
{
    bmtest::TempFolder temp;
    ScriptedPrompts prompts;
    const QString path = writeFile(temp, QStringLiteral("in.csv"), "\xEF\xBB\xBF  Name,Phone  \r\nAnna,1\n");
    QString line = QStringLiteral("before");
    EXPECT_TRUE(Sys().FileReadRowNum(path, 1, line));
    EXPECT_EQ(line, QStringLiteral("Name,Phone"));
    EXPECT_TRUE(Sys().FileReadRowNum(path, 2, line));
    EXPECT_EQ(line, QStringLiteral("Anna,1"));
    EXPECT_FALSE(Sys().FileReadRowNum(path, 3, line));
    EXPECT_EQ(line, QStringLiteral("Anna,1"));
    EXPECT_TRUE(prompts.shown().isEmpty());
    EXPECT_FALSE(Sys().FileReadRowNum(temp.file(QStringLiteral("none.csv")), 1, line));
    ASSERT_EQ(prompts.shown().size(), 1);
    EXPECT_TRUE(prompts.last().text.endsWith(QStringLiteral("\rclsSystem_FileReadRowNum")));
    EXPECT_FALSE(prompts.waitCursor());
}

TEST(ImportFile, ColumnsAreRelevantByExactHeading)
{
    EXPECT_TRUE(Sys().ImportIsColumnRelevant(QStringLiteral("Phone"), kDefined));
    EXPECT_FALSE(Sys().ImportIsColumnRelevant(QStringLiteral("phone"), kDefined));
    EXPECT_FALSE(Sys().ImportIsColumnRelevant(QStringLiteral("Fax"), kDefined));
}

TEST(ImportFile, PreviewShowsRelevantColumnsWithDataLineNumbers)
{
    bmtest::TempFolder temp;
    ScriptedPrompts prompts;
    const QString path = writeFile(temp, QStringLiteral("in.csv"),
                                   "Name,Phone,Fax,City\r\n"
                                   "Anna, 555-1234 ,x,\"Berlin, Mitte\"\r\n"
                                   "\r\n"
                                   "   \r\n"
                                   "Bo,1,2,3,4\r\n"
                                   "\"Carl \"\"C\"\"\",777\r\n"
                                   "\xfe" "Dora,\xfe,,\xfe\r\n");
    QTableView grid;
    const QStringList headings = headingsOf(QStringLiteral("Name,Phone,Fax,City"));
    EXPECT_TRUE(SysUI().ImportLoadPreviewGrid(&grid, path, kDefined, headings, 6));
    EXPECT_EQ(gridText(grid), (QStringList{QStringLiteral("Row|Name|Phone|City"),
                                           QStringLiteral("1|Anna|555-1234|Berlin, Mitte"),
                                           QStringLiteral("4|||"),
                                           QStringLiteral("5|Carl \"C\"|777|"),
                                           QStringLiteral("6|\u00feDora|\u00fe|\u00fe")}));
    EXPECT_EQ(grid.model()->index(0, 0).data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignLeft | Qt::AlignVCenter));
    EXPECT_EQ(prompts.unscripted(), 0);
    EXPECT_FALSE(prompts.waitCursor());
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_EQ(qobject_cast<frmProgress*>(w), nullptr) << "the wait window is gone";

    const QString headingOnly = writeFile(temp, QStringLiteral("h.csv"), "Name,Phone\r\n");
    EXPECT_TRUE(
        SysUI().ImportLoadPreviewGrid(&grid, headingOnly, kDefined, headingsOf(QStringLiteral("Name,Phone")), 0));
    EXPECT_EQ(gridText(grid), QStringList{QStringLiteral("Row|Name|Phone")});
}

// The grid reads its rows from the file as they are shown: records whose
// quoted fields run over lines, each line in its own encoding (a line that
// is not UTF-8 as a whole is Windows-1252), and rows read in any order and
// again after many others show what the file holds.
TEST(ImportFile, PreviewRowsReadFromTheFileShowQuotedLineBreaksInAnyOrder)
{
    bmtest::TempFolder temp;
    ScriptedPrompts prompts;
    QByteArray bytes = "Name,Phone,City\r\n"
                       "\"Anna\r\nBerg\",\"555\n1\",\"Ber, \"\"lin\"\"\"\r\n"
                       "\r\n"
                       "M\xFCller,2,K\xC3\xB6ln\n"
                       "\"Open,3,end\r\n"
                       "still open\",4,x\r\n";
    for (int i = 1; i <= 1500; ++i)
        bytes += "P" + QByteArray::number(i) + "," + QByteArray::number(i) + ",C" + QByteArray::number(i) + "\r\n";
    const QString path = writeFile(temp, QStringLiteral("multi.csv"), bytes);
    QTableView grid;
    ASSERT_TRUE(SysUI().ImportLoadPreviewGrid(&grid, path, kDefined, headingsOf(QStringLiteral("Name,Phone,City")),
                                              1506));
    const QAbstractItemModel* m = grid.model();
    ASSERT_EQ(m->rowCount(), 1503);
    const auto rowText = [m](int r) {
        QStringList cells;
        for (int c = 0; c < m->columnCount(); ++c)
            cells.append(m->index(r, c).data().toString());
        return cells.join(u'|');
    };
    const QStringList firstRows = {QStringLiteral("1|Anna\r\nBerg|555\r\n1|Ber, \"lin\""),
                                   QStringLiteral("5|M\u00fcller|2|K\u00c3\u00b6ln"),
                                   QStringLiteral("6|Open,3,end\r\nstill open|4|x")};
    for (int pass = 0; pass < 2; ++pass) {
        EXPECT_EQ(rowText(1502), QStringLiteral("1507|P1500|1500|C1500"));
        for (int r = 0; r < 3; ++r)
            EXPECT_EQ(rowText(r), firstRows[r]) << "pass " << pass;
        EXPECT_EQ(rowText(3), QStringLiteral("8|P1|1|C1"));
        for (int r = 1502; r >= 3; --r)
            ASSERT_EQ(m->index(r, 1).data().toString(), QStringLiteral("P%1").arg(r - 2));
    }
    EXPECT_EQ(prompts.unscripted(), 0);
}

TEST(ImportFile, Utf8AndWindows1252FilesShowAlike)
{
    bmtest::TempFolder temp;
    ScriptedPrompts prompts;
    const QStringList headings = headingsOf(QStringLiteral("Name,City"));
    for (const QByteArray& bytes : {QByteArray("\xEF\xBB\xBFName,City\nM\xC3\xBCller,K\xC3\xB6ln\n"),
                                    QByteArray("Name,City\r\nM\xFCller,K\xF6ln\r\n")}) {
        const QString path = writeFile(temp, QStringLiteral("enc.csv"), bytes);
        QTableView grid;
        EXPECT_TRUE(SysUI().ImportLoadPreviewGrid(&grid, path, kDefined, headings, 1));
        EXPECT_EQ(gridText(grid),
                  (QStringList{QStringLiteral("Row|Name|City"), QStringLiteral("1|M\u00fcller|K\u00f6ln")}));
    }
}

TEST(ImportFile, CancelKeepsTheRowsReadSoFar)
{
    bmtest::TempFolder temp;
    ScriptedPrompts prompts;
    QByteArray bytes = "Name,Phone\r\n";
    for (int i = 1; i <= 1000; ++i)
        bytes += "P" + QByteArray::number(i) + "," + QByteArray::number(i) + "\r\n";
    const QString path = writeFile(temp, QStringLiteral("big.csv"), bytes);
    QTableView grid;
    // Cancel at the first yield after rows have arrived.
    QTimer cancel;
    cancel.setInterval(0);
    QObject::connect(&cancel, &QTimer::timeout, [&grid] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* wait = qobject_cast<frmProgress*>(w);
            if (wait && grid.model() && grid.model()->rowCount() > 0)
                wait->cmdCancel->click();
        }
    });
    cancel.start();
    EXPECT_TRUE(SysUI().ImportLoadPreviewGrid(&grid, path, kDefined, headingsOf(QStringLiteral("Name,Phone")), 1000));
    cancel.stop();
    // Lines 2 to 99 were in before the first yield, at line 100.
    EXPECT_EQ(grid.model()->rowCount(), 98);
    EXPECT_EQ(grid.model()->index(97, 0).data().toString(), QStringLiteral("98"));
    EXPECT_EQ(grid.model()->index(97, 1).data().toString(), QStringLiteral("P98"));
    EXPECT_FALSE(prompts.waitCursor());
}

TEST(ImportFile, AMissingFileIsShownAndGivesFalse)
{
    bmtest::TempFolder temp;
    ScriptedPrompts prompts;
    QTableView grid;
    EXPECT_FALSE(SysUI().ImportLoadPreviewGrid(&grid, temp.file(QStringLiteral("gone.csv")), kDefined,
                                               headingsOf(QStringLiteral("Name")), 1));
    ASSERT_EQ(prompts.shown().size(), 1);
    EXPECT_TRUE(prompts.last().text.endsWith(QStringLiteral("\rclsSystem_ImportLoadPreviewGrid")));
    EXPECT_FALSE(prompts.waitCursor());
}

TEST(ImportFile, CollSetValueAtExistingKeyMovesTheKeyToTheEnd)
{
    RecColl coll;
    coll.add(QStringLiteral("NAME"), QStringLiteral("Anna"));
    coll.add(QStringLiteral("CITY"), QStringLiteral("Berlin"));
    coll.add(QStringLiteral("PHONE"), QStringLiteral("1"));
    Sys().CollSetValueAtExistingKey(coll, QVariant(QStringLiteral("Bonn")), QStringLiteral("CITY"));
    EXPECT_EQ(coll.keys(), (QStringList{QStringLiteral("NAME"), QStringLiteral("PHONE"), QStringLiteral("CITY")}));
    EXPECT_EQ(coll.text(QStringLiteral("CITY")), QStringLiteral("Bonn"));
    Sys().CollSetValueAtExistingKey(coll, QVariant(QStringLiteral("x")), QStringLiteral("FAX"));
    EXPECT_EQ(coll.count(), 3);
    EXPECT_FALSE(coll.contains(QStringLiteral("FAX")));
}

} // namespace
