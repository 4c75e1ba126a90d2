#include "../common/LocaleScope.h"
#include "RecordingSurface.h"
#include "common/ScriptedPrompts.h"
#include "common/ShellRunner.h"
#include "common/clsSystem.h"
#include "common/ui/clsSystemUI.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QStandardItemModel>
#include <QTableView>
#include <QTableWidget>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

TEST(SaveGrid, EachCellBecomesAFieldByItsKind)
{
    LocaleScope english(LocaleScope::english());
    const struct {
        const char* cell;
        const char* field;
    } cases[] = {
        {"true", "\"Yes\""},          {"FALSE", "\"No\""},         {"", "\"\""},
        {"1,234", "1234"},            {" 42 ", "42"},              {"a,\"b", "\"a,\"\"b\""},
        {"$1,234.50", "1234.5"},      {"-0.25", "-0.25"},          {"12 Main St", "\"12 Main St\""},
        {"Bergstra\xc3\x9f" "e", "\"Bergstra\xdf" "e\""},
    };
    QTableWidget grid(int(std::size(cases)), 1);
    grid.setHorizontalHeaderLabels({QStringLiteral("Value")});
    for (int r = 0; r < grid.rowCount(); ++r)
        grid.setItem(r, 0, new QTableWidgetItem(QString::fromUtf8(cases[r].cell)));
    bmtest::TempFolder temp;
    const QString path = temp.file(QStringLiteral("out.csv"));
    ScriptedPrompts prompts;
    prompts.text(path).button(MsgAnswer::No);
    SysUI().SaveGrid(&grid);

    QByteArray expected = "\"Value\"\r\n";
    for (const auto& c : cases)
        expected += QByteArray(c.field) + "\r\n";
    EXPECT_EQ(fileBytes(path), expected);
    ASSERT_EQ(prompts.shown().size(), 2);
    const ShownPrompt dialog = prompts.shown().at(0);
    EXPECT_EQ(dialog.file.filter, QStringLiteral("MS Excel Comma Delimited File (*.csv)|*.csv"));
    EXPECT_EQ(dialog.file.title, QStringLiteral("Save As..."));
    EXPECT_TRUE(dialog.file.save);
    EXPECT_EQ(prompts.last().text, path + QStringLiteral(" has been saved. Would you like to open this file now?"));
    EXPECT_EQ(prompts.last().style, MsgStyle::YesNoCancel | MsgStyle::Question | MsgStyle::DefaultButton3);
    EXPECT_FALSE(prompts.waitCursor());
}

// A report grid's model: what it shows differs from what it stores; the
// amount column carries a display format (whole numbers).
class ReportModel : public QStandardItemModel {
public:
    using QStandardItemModel::QStandardItemModel;
    QVariant data(const QModelIndex& index, int role) const override
    {
        const QVariant stored = QStandardItemModel::data(index, Qt::EditRole);
        if (role != Qt::DisplayRole)
            return QStandardItemModel::data(index, role);
        if (index.column() == 1)
            return QString::number(qRound(stored.toDouble()));
        return QStringLiteral("[") + stored.toString() + QStringLiteral("]");
    }
};

TEST(SaveGrid, AFormattedColumnGivesItsShownTextAndTheRangeLimitsTheFile)
{
    LocaleScope english(LocaleScope::english());
    ReportModel model(2, 3);
    model.setHorizontalHeaderLabels({QStringLiteral("Name"), QStringLiteral("Amount"), QStringLiteral("Code")});
    model.setHeaderData(1, Qt::Horizontal, QStringLiteral("0"), clsSystemUI::kColumnFormatRole);
    const char* rows[2][3] = {{"Anna", "1234.7", "007"}, {"Bo", "", "x"}};
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 3; ++c)
            model.setItem(r, c, new QStandardItem(QString::fromLatin1(rows[r][c])));
    QTableView grid;
    grid.setModel(&model);
    bmtest::TempFolder temp;
    const QString path = temp.file(QStringLiteral("range.csv"));
    QStringList launched;
    ShellRunner::setRunner([&launched](const QString& program, const QStringList& args) {
        launched = QStringList{program} + args;
        return 0;
    });
    ScriptedPrompts prompts;
    prompts.text(path).button(MsgAnswer::Yes);
    SysUI().SaveGrid(&grid, 0, 0, 1, 1);
    ShellRunner::setRunner({});
    EXPECT_EQ(fileBytes(path), QByteArray("\"Name\",\"Amount\"\r\n\"Anna\",1235\r\n"));
    EXPECT_EQ(launched, (QStringList{QStringLiteral("xdg-open"), path}));
}

TEST(SaveGrid, CancelWritesNothingAndATargetThatCannotBeReplacedIsRefused)
{
    QTableWidget grid(1, 1);
    grid.setItem(0, 0, new QTableWidgetItem(QStringLiteral("x")));
    bmtest::TempFolder temp;
    ScriptedPrompts prompts;
    prompts.cancel();
    SysUI().SaveGrid(&grid);
    EXPECT_EQ(prompts.shown().size(), 1);

    // A folder of that name cannot be removed, even by root.
    const QString path = temp.file(QStringLiteral("taken.csv"));
    ASSERT_TRUE(QDir().mkdir(path));
    prompts.clear();
    prompts.text(path);
    SysUI().SaveGrid(&grid);
    ASSERT_EQ(prompts.shown().size(), 2);
    EXPECT_EQ(prompts.last().text, QStringLiteral("Unable to write to : ") + path
                                       + QStringLiteral(". This file may already be open by another application."));
    EXPECT_EQ(prompts.last().style, MsgStyle::Exclamation);
    EXPECT_EQ(prompts.last().title, QStringLiteral("Brindlemark"));
    EXPECT_TRUE(QFileInfo(path).isDir());
    EXPECT_EQ(QDir(temp.path()).entryList(QDir::Files).size(), 0);
    EXPECT_FALSE(prompts.waitCursor());
}

TEST(ListText, PadOrTruncateKeepsEveryColumnOneShortOfItsWidth)
{
    const struct {
        const char* text;
        int width;
        const char* result;
    } cases[] = {
        {"Description", 20, "Description        "},
        {"123456789012345678901234567890", 20, "1234567890123456.. "},
        {"1234567890123456789", 20, "1234567890123456789"},
        {"", 3, "  "},
        {"abcdef", 3, "  "},
        {"abc", 0, ""},
        {"abc", -5, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Sys().PadOrTruncate(QString::fromLatin1(c.text), c.width), QString::fromLatin1(c.result))
            << c.text << " " << c.width;
}

TEST(ListText, ColumnsShareEightyCharactersByTheirHeaderWidths)
{
    QTreeWidget lv;
    lv.setHeaderLabels({QStringLiteral("Date Opened"), QStringLiteral("Description"), QStringLiteral("By")});
    lv.header()->setStretchLastSection(false);
    lv.header()->resizeSection(0, 1000);
    lv.header()->resizeSection(1, 2000);
    lv.header()->resizeSection(2, 1000);
    lv.addTopLevelItem(new QTreeWidgetItem(
        {QStringLiteral("3/14/2026"), QStringLiteral("Printer in the front office jams on every page"),
         QStringLiteral("Administrator account")}));
    ScriptedPrompts prompts;
    const QString text = SysUI().LVContent(&lv);
    const QString expected = QStringLiteral("Date Opened        Description                            By                 \r\n")
                             + QString(80, u'-') + QStringLiteral("\r\n")
                             + QStringLiteral("3/14/2026          Printer in the front office jams on .. "
                                              "Administrator ac.. \r\n");
    EXPECT_EQ(text, expected);
    EXPECT_FALSE(prompts.waitCursor());
}

TEST(ListText, TrimTextToFitCutsToTheMeasuredWidth)
{
    QList<PrintStep> log;
    RecordingSurface surface(&log); // 100 twips a character
    const struct {
        const char* text;
        int width;
        const char* result;
    } cases[] = {
        {"", 0, ""},          {"abc", 301, "abc"},    {"abc", 300, ".."},
        {"abcdefghij", 800, "abc.."}, {"abcdefghij", 50, ".."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SysUI().TrimTextToFit(surface, QString::fromLatin1(c.text), c.width), QString::fromLatin1(c.result))
            << c.text << " " << c.width;
}

} // namespace
