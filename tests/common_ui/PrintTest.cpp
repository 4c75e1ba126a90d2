#include "../common/LocaleScope.h"
#include "ReadBack.h"
#include "RecordingSurface.h"
#include "common/Clock.h"
#include "common/ScriptedPrompts.h"
#include "common/SettingsFile.h"
#include "common/mdlRegistry.h"
#include "common/ui/clsSystemUI.h"
#include "common/ui/frmPrinterSelectionDlg.h"
#include "common/ui/frmRptOption.h"

#include "TestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

using Kind = PrintStep::Kind;

// A list of `rows` rows "Row n" / "Detail n" with column widths in pixels.
std::unique_ptr<QTreeWidget> makeList(int rows, std::initializer_list<int> widths, QStringList headings)
{
    auto lv = std::make_unique<QTreeWidget>();
    lv->setHeaderLabels(headings);
    lv->header()->setStretchLastSection(false);
    int c = 0;
    for (int w : widths)
        lv->header()->resizeSection(c++, w);
    for (int r = 1; r <= rows; ++r)
        lv->addTopLevelItem(new QTreeWidgetItem({QStringLiteral("Row %1").arg(r), QStringLiteral("Detail %1").arg(r)}));
    return lv;
}

QList<PrintStep> textsAt(const QList<PrintStep>& log, int y)
{
    QList<PrintStep> out;
    for (const PrintStep& s : log)
        if (s.kind == Kind::Text && s.y == y)
            out.append(s);
    return out;
}

QStringList pageNumbers(const QList<PrintStep>& log)
{
    QStringList out;
    for (const PrintStep& s : textsAt(log, 15120 - 250))
        out.append(s.text);
    return out;
}

TEST(ListPrint, PageLayoutInTwipsOnTheRecordingSurface)
{
    ScriptedPrompts prompts;
    auto lv = makeList(150, {400, 800}, {QStringLiteral("A heading far too long for its column"), QStringLiteral("Detail")});
    ASSERT_EQ(lv->header()->logicalDpiX(), 96) << "the expected widths assume 15 twips a pixel";
    lv->topLevelItem(0)->setText(1, QString(60, u'x'));
    QList<PrintStep> log;
    RecordingSurface surface(&log);
    const QFont before = surface.font();
    EXPECT_TRUE(SysUI().ListViewPrint(surface, lv.get(), 1000, 1000, 1000, 1000, QStringLiteral("Customer List")));

    // 6000 + 12000 twips are wider than the 10240 between the margins, so
    // both narrow in proportion: 3413 and 6827, from x = 1000 - 360.
    const QList<PrintStep> headings = textsAt(log, 640);
    ASSERT_EQ(headings.size(), 3 * 2);
    EXPECT_EQ(headings[0].x, 640);
    EXPECT_EQ(headings[0].text, QStringLiteral("A heading far too long for its..")); // 34 characters fit, less 4
    EXPECT_TRUE(headings[0].bold);
    EXPECT_EQ(headings[1].x, 640 + 3413);
    EXPECT_EQ(headings[1].text, QStringLiteral("Detail"));

    // Title centred 250 below the printable top; page number 250 above its
    // bottom, from the middle.
    const QList<PrintStep> titles = textsAt(log, 250);
    ASSERT_EQ(titles.size(), 3);
    EXPECT_EQ(titles[0].text, QStringLiteral("Customer List"));
    EXPECT_EQ(titles[0].x, 11520 / 2 - 650);
    EXPECT_EQ(pageNumbers(log), (QStringList{QStringLiteral(" 1"), QStringLiteral(" 2"), QStringLiteral(" 3")}));
    EXPECT_EQ(textsAt(log, 15120 - 250).first().x, 11520 / 2);

    // Rows from two lines below the heading; (14480 - 640) / 240 rounds to
    // 58, less 2: 56 rows a page.
    const QList<PrintStep> first = textsAt(log, 640 + 480);
    ASSERT_EQ(first.size(), 3 * 2);
    EXPECT_EQ(first[0].text, QStringLiteral("Row 1"));
    EXPECT_FALSE(first[0].bold);
    EXPECT_EQ(first[1].text, QString(60, u'x')); // 60 characters: 6000 twips fit in 6827
    EXPECT_EQ(textsAt(log, 640 + 480 + 55 * 240).at(0).text, QStringLiteral("Row 56"));
    EXPECT_EQ(textsAt(log, 640 + 480 + 37 * 240).last().text, QStringLiteral("Detail 150"));
    EXPECT_EQ(std::count_if(log.begin(), log.end(), [](const PrintStep& s) { return s.kind == Kind::NewPage; }), 2);
    EXPECT_EQ(log.first().kind, Kind::Begin);
    EXPECT_EQ(log.last().kind, Kind::End);
    EXPECT_EQ(surface.font(), before);
    EXPECT_FALSE(prompts.waitCursor());
}

TEST(ListPrint, ANarrowListKeepsItsWidthsAndAnEmptyListPrintsOnePage)
{
    ScriptedPrompts prompts;
    auto lv = makeList(0, {50, 100}, {QStringLiteral("Name"), QStringLiteral("Phone")});
    QList<PrintStep> log;
    RecordingSurface surface(&log);
    EXPECT_TRUE(SysUI().ListViewPrint(surface, lv.get(), 1000, 1000, 1000, 1000, QString()));
    const QList<PrintStep> headings = textsAt(log, 640);
    ASSERT_EQ(headings.size(), 2);
    EXPECT_EQ(headings[1].x, 640 + 750);
    EXPECT_TRUE(textsAt(log, 250).isEmpty()); // no title
    EXPECT_EQ(pageNumbers(log), QStringList{QStringLiteral(" 1")});
    ASSERT_EQ(log.size(), 1 + 2 + 1 + 1);
    EXPECT_EQ(log.last().kind, Kind::End);
}

TEST(ListPrint, CopiesAreSeparateJobsWithOneClosingMessage)
{
    ScriptedPrompts prompts;
    RecordingPrinter printer;
    auto lv = makeList(3, {100, 100}, {QStringLiteral("Name"), QStringLiteral("Phone")});
    prompts.printer({QStringLiteral("Laser"), QString(), 3}).button(MsgAnswer::Ok);
    SysUI().ListViewPrint_GetPrinter(lv.get(), QStringLiteral("My Issues"));
    EXPECT_EQ(printer.count(Kind::Begin), 3);
    EXPECT_EQ(printer.count(Kind::End), 3);
    EXPECT_EQ(printer.choices.size(), 3);
    EXPECT_EQ(printer.choices.first().printerName, QStringLiteral("Laser"));
    ASSERT_EQ(prompts.shown().size(), 2);
    EXPECT_EQ(prompts.last().text, QStringLiteral("Document sent to the printer."));
    EXPECT_EQ(prompts.last().title, QStringLiteral("Document Print"));
    EXPECT_EQ(prompts.last().style, MsgStyle::OkOnly);

    prompts.clear();
    printer.log.clear();
    prompts.cancel();
    SysUI().ListViewPrint_GetPrinter(lv.get(), QStringLiteral("My Issues"));
    EXPECT_TRUE(printer.log.isEmpty());
    EXPECT_EQ(prompts.shown().size(), 1);
}

TEST(ListPrint, AnErrorAbortsTheJobRestoresTheFontAndIsShown)
{
    ScriptedPrompts prompts;
    RecordingPrinter printer;
    printer.failAt = 5;
    auto lv = makeList(10, {100, 100}, {QStringLiteral("Name"), QStringLiteral("Phone")});
    lv->setFont(QFont(QStringLiteral("DejaVu Sans"), 14));
    prompts.accept();
    SysUI().ListViewPrint_GetPrinter(lv.get(), QStringLiteral("List"));
    EXPECT_EQ(printer.count(Kind::Abort), 1);
    EXPECT_EQ(printer.count(Kind::End), 0);
    EXPECT_EQ(printer.log.last().kind, Kind::Abort);
    ASSERT_EQ(prompts.shown().size(), 2); // the printer choice, the error; no closing message
    EXPECT_EQ(prompts.last().title, QStringLiteral("Error"));
    EXPECT_TRUE(prompts.last().text.endsWith(QStringLiteral("\rListViewPrint")));
    EXPECT_FALSE(prompts.waitCursor());

    QList<PrintStep> log;
    RecordingSurface surface(&log);
    surface.failAt = 3;
    const QFont before = surface.font();
    EXPECT_FALSE(SysUI().ListViewPrint(surface, lv.get(), 1000, 1000, 1000, 1000, QStringLiteral("List")));
    EXPECT_EQ(surface.font(), before);
    EXPECT_FALSE(surface.jobOpen());
}

TEST(PrinterChoice, ListsPrintersWithTheFileEntryAndChecksTheCopies)
{
    ScriptedPrompts prompts;
    frmPrinterSelectionDlg dlg({QStringLiteral("Laser"), QStringLiteral("Inkjet")}, QStringLiteral("Inkjet"));
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Printer Selection"));
    ASSERT_EQ(dlg.cboPrinters->count(), 3);
    EXPECT_EQ(dlg.cboPrinters->itemText(2), QStringLiteral("Print to File (PDF)"));
    EXPECT_EQ(dlg.cboPrinters->currentIndex(), 1);
    EXPECT_EQ(dlg.txtNumCopies->text(), QStringLiteral("1"));
    EXPECT_FALSE(dlg.m_bOK);
    const struct {
        const char* text;
        bool valid;
        int copies;
    } cases[] = {{"0", false, 0}, {"1000", false, 1000}, {"x", false, 0}, {"", false, 0},
                 {"2", true, 2},  {"2.4", true, 2},      {"999", true, 999}, {" 7 ", true, 7}};
    for (const auto& c : cases) {
        prompts.clear();
        dlg.txtNumCopies->setText(QString::fromLatin1(c.text));
        EXPECT_EQ(dlg.Validate(), c.valid) << c.text;
        EXPECT_EQ(dlg.m_nCopies, c.copies) << c.text;
        EXPECT_EQ(dlg.m_nPrinterIndex, 1);
        if (c.valid) {
            EXPECT_TRUE(prompts.shown().isEmpty()) << c.text;
        } else {
            ASSERT_EQ(prompts.shown().size(), 1) << c.text;
            EXPECT_EQ(prompts.last().text, QStringLiteral("Number of copies must be between 1 and 999."));
            EXPECT_EQ(prompts.last().title, QStringLiteral("Warning"));
            EXPECT_EQ(prompts.last().style, MsgStyle::Exclamation);
        }
    }
    frmPrinterSelectionDlg unknown({QStringLiteral("Laser")}, QStringLiteral("Gone"));
    EXPECT_EQ(unknown.cboPrinters->currentIndex(), 0);
}

TEST(PrinterChoice, TheFileEntryPrintsOneCopyToTheNamedFile)
{
    ScriptedPrompts prompts;
    frmPrinterSelectionDlg dlg({QStringLiteral("Laser")}, QString());
    dlg.txtNumCopies->setText(QStringLiteral("5"));
    dlg.cboPrinters->setCurrentIndex(1);
    EXPECT_EQ(dlg.txtNumCopies->text(), QStringLiteral("1"));
    EXPECT_FALSE(dlg.txtNumCopies->isEnabled());
    prompts.cancel();
    dlg.OKButton->click();
    EXPECT_FALSE(dlg.m_bOK);
    prompts.text(QStringLiteral("/tmp/out.pdf"));
    dlg.OKButton->click();
    EXPECT_TRUE(dlg.m_bOK);
    EXPECT_EQ(dlg.m_sFileName, QStringLiteral("/tmp/out.pdf"));
    EXPECT_EQ(dlg.m_nCopies, 1);
    EXPECT_EQ(prompts.last().kind, ShownPrompt::Kind::FileDialog);

    frmPrinterSelectionDlg none(QStringList{}, QString());
    EXPECT_EQ(none.cboPrinters->count(), 1);
    none.CancelButton->click();
    EXPECT_FALSE(none.m_bOK);
}

class OptionsTest : public ::testing::Test {
protected:
    bmtest::TempFolder temp;
    SettingsFile::Override settings{temp.file(QStringLiteral("prefs.ini"))};
    ScriptedPrompts prompts;
};

TEST_F(OptionsTest, OpensWithStoredOrDefaultChoicesAndStoresThemOnOk)
{
    frmRptOption first;
    EXPECT_TRUE(first.optLandscape->isChecked());
    EXPECT_TRUE(first.optEntireView->isChecked());
    EXPECT_FALSE(first.ckDT->isChecked());
    EXPECT_FALSE(first.m_bOK);
    for (const auto& [n, portrait] : {std::pair{0, false}, {5, false}, {2, false}, {1, true}}) {
        first.SetPageOrientation(n);
        EXPECT_EQ(first.optPortrait->isChecked(), portrait) << n;
        EXPECT_EQ(first.optLandscape->isChecked(), !portrait) << n;
    }
    first.txtTitle->setText(QStringLiteral("Given"));
    first.RestoreRptTitle(QStringLiteral("RptTitleSales"));
    EXPECT_EQ(first.txtTitle->text(), QStringLiteral("Given"));
    first.txtTitle->setText(QStringLiteral("Sales by Month"));
    first.optSelectedRow->setChecked(true);
    first.ckDT->setChecked(true);
    first.CancelButton->click();
    EXPECT_EQ(GetPrefString(QStringLiteral("RptPrintDateTime")), QString());
    first.OKButton->click();
    EXPECT_TRUE(first.m_bOK);

    frmRptOption second;
    EXPECT_TRUE(second.optPortrait->isChecked());
    EXPECT_TRUE(second.optSelectedRow->isChecked());
    EXPECT_TRUE(second.ckDT->isChecked());
    second.RestoreRptTitle(QStringLiteral("RptTitleSales"));
    EXPECT_EQ(second.txtTitle->text(), QStringLiteral("Sales by Month"));
    EXPECT_EQ(GetPrefLong(QStringLiteral("RptPageOrientation")), 1);
    EXPECT_EQ(GetPrefLong(QStringLiteral("RptPrintSingleRowOnly")), 1);
}

TEST_F(OptionsTest, GridPrintOfTheSelectedRowGivesEveryRowItsHiddenStateBack)
{
    Clock::setFixed(QDateTime(QDate(2026, 3, 14), QTime(9, 30)));
    LocaleScope english(LocaleScope::english());
    RecordingPrinter printer;
    QTableWidget grid(5, 2);
    grid.setHorizontalHeaderLabels({QStringLiteral("Customer"), QStringLiteral("Total")});
    for (int r = 0; r < 5; ++r) {
        grid.setItem(r, 0, new QTableWidgetItem(r == 3 ? QString() : QStringLiteral("C%1").arg(r)));
        grid.setItem(r, 1, new QTableWidgetItem(QString::number(r * 10)));
    }
    grid.setRowHidden(2, true);
    grid.setCurrentCell(1, 0);
    SavePrefLong(QStringLiteral("RptPrintSingleRowOnly"), 1);
    SavePrefLong(QStringLiteral("RptPrintDateTime"), 1);
    prompts.accept().accept();
    SysUI().GridPrint(&grid, QStringLiteral("Sales"), QString(), false, 1);
    ASSERT_EQ(printer.log.first().kind, Kind::Begin);
    EXPECT_EQ(printer.log.first().text, QStringLiteral("Sales - 3/14/2026 @ 9:30:00 AM"));
    QStringList printed;
    for (const PrintStep& s : printer.texts())
        printed.append(s.text);
    EXPECT_EQ(printed, (QStringList{QStringLiteral("Customer"), QStringLiteral("Total"), QStringLiteral("C1"),
                                    QStringLiteral("10")}));
    EXPECT_EQ(prompts.shown().first().kind, ShownPrompt::Kind::Dialog);
    EXPECT_EQ(prompts.shown().first().title, QStringLiteral("Report Options"));
    for (int r = 0; r < 5; ++r)
        EXPECT_EQ(grid.isRowHidden(r), r == 2) << r;

    // With row marks: the rows whose first cell holds something.
    printer.log.clear();
    prompts.accept().accept();
    SysUI().GridPrint(&grid, QStringLiteral("Sales"), QString(), true, 0);
    printed.clear();
    for (const PrintStep& s : printer.texts())
        printed.append(s.text);
    EXPECT_EQ(printed.mid(2), (QStringList{QStringLiteral("C0"), QStringLiteral("0"), QStringLiteral("C1"),
                                           QStringLiteral("10"), QStringLiteral("C4"), QStringLiteral("40")}));
    for (int r = 0; r < 5; ++r)
        EXPECT_EQ(grid.isRowHidden(r), r == 2) << r;

    // Cancelled options print nothing.
    printer.log.clear();
    prompts.cancel();
    SysUI().GridPrint(&grid, QStringLiteral("Sales"), QString(), false, 0);
    EXPECT_TRUE(printer.log.isEmpty());
    Clock::clearFixed();
}

// Forwards to a real surface and fails as a printer would at the n-th text.
class FailingSurface final : public PrintSurface {
public:
    FailingSurface(std::unique_ptr<PrintSurface> inner, int failAt) : m_inner(std::move(inner)), m_failAt(failAt) {}
    void beginJob(const QString& name, bool landscape) override { m_inner->beginJob(name, landscape); }
    Metrics metrics() const override { return m_inner->metrics(); }
    QFont font() const override { return m_inner->font(); }
    void setFont(const QFont& font) override { m_inner->setFont(font); }
    int textWidth(const QString& t) const override { return m_inner->textWidth(t); }
    int textHeight(const QString& t) const override { return m_inner->textHeight(t); }
    void drawText(int x, int y, const QString& t) override
    {
        if (++m_texts >= m_failAt)
            m_error = RunError::make(482, QStringLiteral("Printer error"));
        else
            m_inner->drawText(x, y, t);
    }
    int layoutDocument(QTextDocument& d, const QSize& s) override { return m_inner->layoutDocument(d, s); }
    void drawDocumentPage(QTextDocument& d, int p, const QRect& r) override { m_inner->drawDocumentPage(d, p, r); }
    void newPage() override { m_inner->newPage(); }
    void endJob() override { m_inner->endJob(); }
    void abortJob() override { m_inner->abortJob(); }
    bool jobOpen() const override { return m_inner->jobOpen(); }
    RunError error() const override { return m_error.isError() ? m_error : m_inner->error(); }

private:
    std::unique_ptr<PrintSurface> m_inner;
    int m_failAt;
    int m_texts = 0;
    RunError m_error;
};

bool hasLine(const QString& page, const QString& text)
{
    return page.split(u'\n').contains(text, Qt::CaseSensitive)
           || QRegularExpression(QStringLiteral("(^|\\n)\\s*") + QRegularExpression::escape(text) + QStringLiteral("\\s*(\\n|$)"))
                  .match(page)
                  .hasMatch();
}

TEST(PrintToPdf, AListOfAHundredAndFiftyRowsShowsTitleAndPageNumbersOnEachPage)
{
    bmtest::TempFolder temp;
    const QString pdf = temp.file(QStringLiteral("list.pdf"));
    ScriptedPrompts prompts;
    auto lv = makeList(150, {150, 300}, {QStringLiteral("Customer"), QStringLiteral("Detail")});
    prompts.printer({QString(), pdf, 1}).button(MsgAnswer::Ok);
    SysUI().ListViewPrint_GetPrinter(lv.get(), QStringLiteral("Customer List"));
    EXPECT_EQ(prompts.last().text, QStringLiteral("Document sent to the printer."));
    const QStringList pages = readback::pdfPages(pdf);
    ASSERT_GE(pages.size(), 2);
    for (int i = 0; i < pages.size(); ++i) {
        EXPECT_TRUE(pages[i].contains(QStringLiteral("Customer List"))) << i;
        EXPECT_TRUE(hasLine(pages[i], QString::number(i + 1))) << i << pages[i].toStdString();
        EXPECT_TRUE(pages[i].contains(QStringLiteral("Customer"))) << i;
    }
    EXPECT_TRUE(pages.first().contains(QStringLiteral("Row 1 ")));
    EXPECT_TRUE(pages.last().contains(QStringLiteral("Detail 150")));
}

TEST(PrintToPdf, AnErrorMidPrintLeavesNoOpenJobAndNoFile)
{
    bmtest::TempFolder temp;
    const QString pdf = temp.file(QStringLiteral("broken.pdf"));
    ScriptedPrompts prompts;
    auto lv = makeList(150, {150, 300}, {QStringLiteral("Customer"), QStringLiteral("Detail")});
    auto inner = PrintSurfaces::printerSurface({QString(), pdf, 1});
    PrintSurface* real = inner.get();
    FailingSurface surface(std::move(inner), 200);
    const QFont before = surface.font();
    EXPECT_FALSE(SysUI().ListViewPrint(surface, lv.get(), 1000, 1000, 1000, 1000, QStringLiteral("List")));
    EXPECT_FALSE(real->jobOpen());
    EXPECT_EQ(surface.font(), before);
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_EQ(prompts.last().title, QStringLiteral("Error"));
}

} // namespace
