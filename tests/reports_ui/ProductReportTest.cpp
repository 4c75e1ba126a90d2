#include "AppFixture.h"
#include "GridLines.h"
#include "ReportTestRows.h"
#include "../common_ui/ReadBack.h"

#include "app/EditModeCtl.h"
#include "app/ModalWindows.h"
#include "app/WindowCreators.h"
#include "app/frmMain.h"
#include "common/Clock.h"
#include "common/ui/HelpContext.h"
#include "common/ui/ObjectTag.h"
#include "common/ui/clsSystemUI.h"
#include "common/ui/frmFind.h"
#include "customers/CustomerWindows.h"
#include "customers/frmPS.h"
#include "data/CategoryTypes.h"
#include "data/RecColl.h"
#include "data/Schema.h"
#include "data/clsDB.h"
#include "reports/PSReportRun.h"
#include "reports/ui/ReportGridModel.h"
#include "reports/ui/ReportWindows.h"
#include "reports/ui/frmPSFilterDlg.h"
#include "reports/ui/frmProductReportDisplay.h"
#include "reports/ui/frmReportList.h"
#include "xbase/c4.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QSet>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <memory>

namespace {

using reporttest::Fields;

const QString kBuiltInHeadings = QStringLiteral(
    "Row|Product/Service|Cust Id|Customer|Is Active?|Date Initiated|Date Terminated|Custom 1|Custom 2|"
    "Contract or Part Number|Tracking Number:|Contract Type|Contract Duration|Short Description");

class ProductReportTest : public AppFixture {
protected:
    ProductReportTest()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        registerReportWindows();
        registerCustomerWindows();
        openNewDatabase();
        // Made in this order so that the PSID order differs from the names'.
        m_zeta = category(CatType::ProductService, QStringLiteral("Zeta Hosting"));
        m_alpha = category(CatType::ProductService, QStringLiteral("alpha Support"));
        m_annual = category(CatType::ContractType, QStringLiteral("Annual"));
        m_year = category(CatType::ContractDuration, QStringLiteral("12 Months"));
        m_adams = customer(QStringLiteral("Adams"), QStringLiteral("Ann"));
        m_baker = customer(QStringLiteral("Baker"), QStringLiteral("Bob"));
    }
    ~ProductReportTest() override
    {
        frmFind::instance().hide();
        frmFind::instance().setOwner(nullptr);
        WindowCreators::clear();
        QLocale::setDefault(QLocale::system());
    }

    static qint32 save(const QString& path, const QString& type, const reporttest::Fields& fields)
    {
        return reporttest::save(path, type, fields);
    }
    static qint32 category(int type, const QString& text) { return reporttest::category(type, text); }
    static qint32 customer(const QString& last, const QString& first)
    {
        return save(DB().CustomerTable(), QStringLiteral("_customer"),
                    {{QStringLiteral("lastname"), last}, {QStringLiteral("firstname"), first}});
    }
    // A product/service row; `desc` is its short description, which the
    // tests use to tell rows apart. Dates are given as the window shows them.
    static qint32 ps(qint32 custId, qint32 psId, const QString& desc, const Fields& more = {})
    {
        Fields fields{{QStringLiteral("custid"), QString::number(custId)},
                      {QStringLiteral("psid"), QString::number(psId)},
                      {QStringLiteral("shortdesc"), desc}};
        fields.append(more);
        return save(DB().Customers2PSTable(), QStringLiteral("_ps"), fields);
    }
    static void setLabel(const char* field, const QString& label)
    {
        ASSERT_TRUE(DB().SetParamValue(
            DB().MakeCustomFieldParamName(Schema::dataFileName(Schema::Table::CustPs), QLatin1String(field)), label));
    }

    std::unique_ptr<frmProductReportDisplay> report(qint32 psId = -1, qint32 active = -1,
                                                    const QString& custom1 = QString(),
                                                    const QString& custom2 = QString())
    {
        auto w = std::make_unique<frmProductReportDisplay>();
        w->Init(psId, active, custom1, custom2);
        return w;
    }
    static QStringList shown(const frmProductReportDisplay& w) { return gridLines(w.grd->model()); }
    // One column of the data rows.
    static QStringList column(const frmProductReportDisplay& w, int c)
    {
        QStringList cells;
        const QAbstractItemModel* model = w.grd->model();
        for (int r = 0; r < model->rowCount(); ++r)
            cells.append(model->index(r, c).data().toString());
        return cells;
    }
    static QSet<QString> descriptions(const frmProductReportDisplay& w)
    {
        const QStringList cells = column(w, 13);
        return QSet<QString>(cells.cbegin(), cells.cend());
    }
    static void clickHeading(const frmProductReportDisplay& w, int c) { w.grd->horizontalHeader()->sectionClicked(c); }
    frmPS* psWindow(qint32 id) const
    {
        for (frmPS* p : m_main.findChildren<frmPS*>())
            if (objectTag(p) == QStringLiteral("P%1").arg(id))
                return p;
        return nullptr;
    }

    frmMain m_main;
    qint32 m_zeta = 0, m_alpha = 0, m_annual = 0, m_year = 0, m_adams = 0, m_baker = 0;
};

TEST_F(ProductReportTest, WithoutFiltersListsEveryRowByProductNameNumberedWithItsCells)
{
    const qint32 first = ps(m_adams, m_zeta, QStringLiteral("Rack"),
                            {{QStringLiteral("dateinit"), QStringLiteral("1/5/2024")},
                             {QStringLiteral("dateterm"), QStringLiteral("1/5/2025")},
                             {QStringLiteral("custom1"), QStringLiteral("  red ")},
                             {QStringLiteral("custom2"), QStringLiteral("blue")},
                             {QStringLiteral("contno"), QStringLiteral("C-7")},
                             {QStringLiteral("trackno"), QStringLiteral("T-9")},
                             {QStringLiteral("conttype"), QString::number(m_annual)},
                             {QStringLiteral("contdur"), QString::number(m_year)}});
    const qint32 second = ps(m_baker, m_alpha, QStringLiteral("Desk"));
    const qint32 third = ps(m_baker, 4711, QStringLiteral("Orphan"));
    const auto w = report();

    EXPECT_EQ(shown(*w), (QStringList{kBuiltInHeadings,
                                      QStringLiteral("1||%1|Baker, Bob|Yes|||||||||Orphan").arg(m_baker),
                                      QStringLiteral("2|alpha Support|%1|Baker, Bob|Yes|||||||||Desk").arg(m_baker),
                                      QStringLiteral("3|Zeta Hosting|%1|Adams, Ann|Yes|1/5/2024|1/5/2025|red|blue|"
                                                     "C-7|T-9|Annual|12 Months|Rack")
                                          .arg(m_adams)}))
        << shown(*w).join(QLatin1Char('\n')).toStdString();
    const QAbstractItemModel* model = w->grd->model();
    EXPECT_EQ(model->index(0, 5).data(ReportGridModel::kDataRole).toInt(), third);
    EXPECT_EQ(model->index(1, 0).data(ReportGridModel::kDataRole).toInt(), second);
    EXPECT_EQ(model->index(2, 13).data(ReportGridModel::kDataRole).toInt(), first);

    EXPECT_EQ(w->windowTitle(), QStringLiteral("[Product/Service Report] @ 10:30:00 AM"));
    EXPECT_EQ(w->title(), w->windowTitle());
    EXPECT_EQ(objectTag(w.get()), QStringLiteral("10:30:00 AM"));
    EXPECT_EQ(HelpContext::of(w.get()), 1410);
    EXPECT_TRUE(w->lblCount->text().isEmpty());
    EXPECT_EQ(w->grd->currentIndex(), model->index(0, 1));
    EXPECT_EQ(w->GetColumnDataType(2), QStringLiteral("I"));
    EXPECT_EQ(w->GetColumnDataType(5), QStringLiteral("D"));
    EXPECT_EQ(w->GetColumnDataType(6), QStringLiteral("D"));
    EXPECT_EQ(w->GetColumnDataType(3), QString());
}

TEST_F(ProductReportTest, EachFilterNarrowsTheRowsAndTheyCombine)
{
    ps(m_adams, m_zeta, QStringLiteral("z-live-abc"), {{QStringLiteral("custom1"), QStringLiteral("xABCy")}});
    ps(m_adams, m_zeta, QStringLiteral("z-ended"),
       {{QStringLiteral("dateterm"), QStringLiteral("1/1/2024")}, {QStringLiteral("custom2"), QStringLiteral("Gold")}});
    ps(m_baker, m_alpha, QStringLiteral("a-live"),
       {{QStringLiteral("custom1"), QStringLiteral("ab c")}, {QStringLiteral("custom2"), QStringLiteral("old")}});
    ps(m_baker, m_alpha, QStringLiteral("a-ended-abc"),
       {{QStringLiteral("dateterm"), QStringLiteral("6/30/2023")}, {QStringLiteral("custom1"), QStringLiteral("ABC")}});
    ps(m_baker, m_alpha, QStringLiteral("a-empty"));

    struct Case {
        qint32 psId;
        qint32 active;
        QString custom1, custom2;
        QStringList expected;
    };
    const QStringList all{QStringLiteral("z-live-abc"), QStringLiteral("z-ended"), QStringLiteral("a-live"),
                          QStringLiteral("a-ended-abc"), QStringLiteral("a-empty")};
    const QList<Case> cases{
        {-1, -1, {}, {}, all},
        {0, 7, {}, {}, all},
        {m_zeta, -1, {}, {}, {QStringLiteral("z-live-abc"), QStringLiteral("z-ended")}},
        {-1, 1, {}, {}, {QStringLiteral("z-live-abc"), QStringLiteral("a-live"), QStringLiteral("a-empty")}},
        {-1, 0, {}, {}, {QStringLiteral("z-ended"), QStringLiteral("a-ended-abc")}},
        {-1, -1, QStringLiteral("abc"), {}, {QStringLiteral("z-live-abc"), QStringLiteral("a-ended-abc")}},
        {-1, -1, {}, QStringLiteral("OLD"), {QStringLiteral("z-ended"), QStringLiteral("a-live")}},
        {m_alpha, 0, QStringLiteral("abc"), {}, {QStringLiteral("a-ended-abc")}},
        {m_zeta, 1, {}, QStringLiteral("old"), {}},
    };
    for (const Case& c : cases) {
        const auto w = report(c.psId, c.active, c.custom1, c.custom2);
        EXPECT_EQ(descriptions(*w), QSet<QString>(c.expected.cbegin(), c.expected.cend()))
            << c.psId << " " << c.active << " " << c.custom1.toStdString() << " " << c.custom2.toStdString();
    }
}

TEST_F(ProductReportTest, ATerminationDateBeforeTodayIsInactiveAndAnythingElseActive)
{
    // The clock stands at 15 March 2024.
    const struct {
        QString dateterm;
        bool active;
    } cases[] = {
        {QStringLiteral("20240314"), false}, {QStringLiteral("19991231"), false},
        {QStringLiteral("20240315"), true},  {QString(), true},
        {QStringLiteral("2024XX01"), true},  {QStringLiteral("20240231"), true},
        {QStringLiteral("20350101"), true},
    };
    for (const auto& c : cases) {
        const qint32 id = ps(m_adams, m_zeta, c.dateterm);
        pokeField(DB().Customers2PSTable(), id, "dateterm", c.dateterm.isEmpty() ? QStringLiteral("        ")
                                                                                 : c.dateterm);
        EXPECT_EQ(PSReportRun::IsActive(c.dateterm, QDate(2024, 3, 15)), c.active) << c.dateterm.toStdString();
    }
    const auto w = report();
    const QStringList names = column(*w, 13), states = column(*w, 4);
    ASSERT_EQ(names.size(), int(std::size(cases)));
    for (const auto& c : cases) {
        const int row = int(names.indexOf(c.dateterm));
        ASSERT_GE(row, 0) << c.dateterm.toStdString();
        EXPECT_EQ(states[row], c.active ? QStringLiteral("Yes") : QStringLiteral("NO")) << c.dateterm.toStdString();
    }
}

TEST_F(ProductReportTest, HeadingsFollowTheCustomLabelsAndRefreshShowsAChangedOne)
{
    ps(m_adams, m_zeta, QStringLiteral("Rack"));
    setLabel("custom1", QStringLiteral("Serial No"));
    setLabel("trackno", QStringLiteral("Parcel"));
    const auto w = report();
    QStringList headings = kBuiltInHeadings.split(QLatin1Char('|'));
    headings[7] = QStringLiteral("Serial No");
    headings[10] = QStringLiteral("Parcel");
    EXPECT_EQ(shown(*w).first(), headings.join(QLatin1Char('|')));

    setLabel("custom1", QString());
    setLabel("dateterm", QStringLiteral("Ends On"));
    ps(m_baker, m_alpha, QStringLiteral("Desk"));
    Clock::setFixed(QDateTime(QDate(2024, 3, 15), QTime(14, 5, 9)));
    w->cmdRefresh->click();
    headings[7] = QStringLiteral("Custom 1");
    headings[6] = QStringLiteral("Ends On");
    EXPECT_EQ(shown(*w).first(), headings.join(QLatin1Char('|')));
    EXPECT_EQ(column(*w, 13), (QStringList{QStringLiteral("Desk"), QStringLiteral("Rack")}));
    // Only the tag follows the run; the title keeps the time of Init.
    EXPECT_EQ(objectTag(w.get()), QStringLiteral("2:05:09 PM"));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("[Product/Service Report] @ 10:30:00 AM"));
}

TEST_F(ProductReportTest, HeadingClicksSortByTheColumnsKindAndRowRestoresTheFirstOrder)
{
    ps(40000, m_alpha, QStringLiteral("c"), {{QStringLiteral("dateinit"), QStringLiteral("1/2/2024")}});
    ps(2, m_zeta, QStringLiteral("a"), {{QStringLiteral("dateinit"), QStringLiteral("12/15/2023")}});
    ps(10, m_alpha, QStringLiteral("b"));
    const auto w = report();
    EXPECT_EQ(column(*w, 13), (QStringList{QStringLiteral("c"), QStringLiteral("b"), QStringLiteral("a")}));

    clickHeading(*w, 2);
    EXPECT_EQ(column(*w, 2), (QStringList{QStringLiteral("2"), QStringLiteral("10"), QStringLiteral("40000")}));
    EXPECT_EQ(w->grd->currentIndex(), w->grd->model()->index(0, 2));
    clickHeading(*w, 5);
    EXPECT_EQ(column(*w, 5), (QStringList{QString(), QStringLiteral("12/15/2023"), QStringLiteral("1/2/2024")}));
    clickHeading(*w, 0);
    EXPECT_EQ(column(*w, 0), (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}));
    EXPECT_EQ(column(*w, 13), (QStringList{QStringLiteral("c"), QStringLiteral("b"), QStringLiteral("a")}));
    // Every click sorts ascending again.
    clickHeading(*w, 0);
    EXPECT_EQ(column(*w, 0), (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}));
}

TEST_F(ProductReportTest, AnEmptyResultShowsOnlyTheHeadings)
{
    ps(m_adams, m_zeta, QStringLiteral("Rack"));
    for (const qint32 psId : {m_alpha, -1}) {
        const auto w = report(psId, psId > 0 ? -1 : 0);
        EXPECT_EQ(shown(*w), QStringList{kBuiltInHeadings});
        clickHeading(*w, 2);
        EXPECT_EQ(w->grd->model()->rowCount(), 0);
        EXPECT_FALSE(w->grd->currentIndex().isValid());
    }
}

TEST_F(ProductReportTest, ATableThatCannotBeOpenedIsNamedAndLeavesOnlyTheHeadings)
{
    ps(m_adams, m_zeta, QStringLiteral("Rack"));
    const QString path = DB().Customers2PSTable();
    ASSERT_TRUE(QFile::rename(path, path + QStringLiteral(".away")));
    m_prompts.clear();
    const auto w = report();
    EXPECT_EQ(shown(*w), QStringList{kBuiltInHeadings});
    ASSERT_FALSE(m_prompts.shown().isEmpty());
    EXPECT_TRUE(m_prompts.shown().first().text.startsWith(QStringLiteral("Unable to open: ") + path))
        << m_prompts.shown().first().text.toStdString();

    // Once the file is back, Refresh reads it.
    ASSERT_TRUE(QFile::rename(path + QStringLiteral(".away"), path));
    w->cmdRefresh->click();
    EXPECT_EQ(column(*w, 13), QStringList{QStringLiteral("Rack")});
}

TEST_F(ProductReportTest, ZoomInOpensTheRowsProductServiceInViewModeOrAsksForARow)
{
    const qint32 rack = ps(m_adams, m_zeta, QStringLiteral("Rack"));
    const qint32 desk = ps(m_baker, m_alpha, QStringLiteral("Desk"));
    const auto w = report();
    w->resize(900, 400);
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));

    w->grd->setCurrentIndex(QModelIndex());
    m_prompts.clear();
    w->cmdZoomIn->click();
    ASSERT_EQ(m_prompts.shown().size(), 1);
    EXPECT_EQ(m_prompts.last().text, QStringLiteral("Please select a row first!"));
    EXPECT_EQ(m_prompts.last().style, MsgStyle::Exclamation);

    w->grd->setCurrentIndex(w->grd->model()->index(1, 4));
    w->cmdZoomIn->click();
    frmPS* opened = psWindow(rack);
    ASSERT_TRUE(opened);
    EXPECT_FALSE(opened->EM->InEditMode());
    EXPECT_EQ(m_prompts.shown().size(), 1);

    // A double-click on the heading row sorts (here by customer) and opens
    // nothing; on a data row it opens that row.
    QHeaderView* header = w->grd->horizontalHeader();
    const QPoint onCustomer(header->sectionViewportPosition(3) + 5, header->height() / 2);
    // A double-click is a click and then the double-click event.
    const auto doubleClick = [](QWidget* target, const QPoint& at) {
        QTest::mouseClick(target, Qt::LeftButton, {}, at);
        QTest::mouseDClick(target, Qt::LeftButton, {}, at);
    };
    doubleClick(header->viewport(), onCustomer);
    EXPECT_EQ(column(*w, 13), (QStringList{QStringLiteral("Rack"), QStringLiteral("Desk")}));
    EXPECT_FALSE(psWindow(desk));
    const QModelIndex deskCell = w->grd->model()->index(1, 3);
    doubleClick(w->grd->viewport(), w->grd->visualRect(deskCell).center());
    frmPS* second = psWindow(desk);
    ASSERT_TRUE(second);
    EXPECT_FALSE(second->EM->InEditMode());
}

// Searching from the top after Yes covers data row 1 whatever the current
// column, also the "Row" column.
TEST_F(ProductReportTest, FindFromALaterRowOffersTheTopAndYesFindsRowOne)
{
    ps(m_adams, m_alpha, QStringLiteral("Unique"));
    ps(m_adams, m_zeta, QStringLiteral("b"));
    ps(m_baker, m_zeta, QStringLiteral("c"));
    const auto w = report();
    bool up = true;
    for (const int startColumn : {0, 1, 5}) {
        w->grd->setCurrentIndex(w->grd->model()->index(2, startColumn));
        m_prompts.clear();
        m_prompts.button(MsgAnswer::Yes);
        w->Find(QStringLiteral("uniq"), false, false, up);
        ASSERT_EQ(m_prompts.shown().size(), 1) << startColumn;
        EXPECT_EQ(m_prompts.last().text, QStringLiteral("No more occurences of 'uniq' found! Would you like to "
                                                        "search from the top of this view?"));
        EXPECT_EQ(w->grd->currentIndex(), w->grd->model()->index(0, 13)) << startColumn;
    }

    // No, and a search that starts at data row 1, end with the plain answers.
    w->grd->setCurrentIndex(w->grd->model()->index(2, 0));
    m_prompts.clear();
    m_prompts.button(MsgAnswer::No);
    w->Find(QStringLiteral("uniq"), false, false, up);
    EXPECT_EQ(m_prompts.shown().size(), 1);
    EXPECT_EQ(w->grd->currentIndex(), w->grd->model()->index(2, 0));
    w->grd->setCurrentIndex(w->grd->model()->index(0, 0));
    m_prompts.clear();
    w->Find(QStringLiteral("nowhere"), false, false, up);
    ASSERT_EQ(m_prompts.shown().size(), 1);
    EXPECT_EQ(m_prompts.last().text, QStringLiteral("No occurences of 'nowhere' found!"));

    w->cmdFind->click();
    EXPECT_EQ(frmFind::instance().owner(), w.get());
    EXPECT_EQ(frmFind::instance().windowTitle(),
              QStringLiteral("Find in [Product/Service Report] @ 10:30:00 AM"));
}

TEST_F(ProductReportTest, SaveAsWritesTheWholeGridAsTheGoldenFile)
{
    ps(m_adams, m_zeta, QStringLiteral("Rack \"19\""),
       {{QStringLiteral("dateinit"), QStringLiteral("1/5/2024")},
        {QStringLiteral("dateterm"), QStringLiteral("2/1/2024")},
        {QStringLiteral("custom1"), QStringLiteral("red")},
        {QStringLiteral("contno"), QStringLiteral("C-7")},
        {QStringLiteral("conttype"), QString::number(m_annual)},
        {QStringLiteral("contdur"), QString::number(m_year)}});
    ps(m_baker, m_alpha, QStringLiteral("Desk"), {{QStringLiteral("trackno"), QStringLiteral("1Z99")}});
    const auto w = report();
    const QString csv = m_temp.file(QStringLiteral("ps.csv"));
    m_prompts.text(csv).button(MsgAnswer::No);
    w->cmdSaveAs->click();
    QFile saved(csv), golden(QStringLiteral(BM_REPORTS_UI_GOLDEN_DIR "/product_report.csv"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    ASSERT_TRUE(golden.open(QIODevice::ReadOnly));
    QByteArray expected = golden.readAll();
    expected.replace("@ADAMS@", QByteArray::number(m_adams)).replace("@BAKER@", QByteArray::number(m_baker));
    EXPECT_EQ(saved.readAll().toStdString(), expected.toStdString());
}

TEST_F(ProductReportTest, PrintIsLandscapeWithTheTitleOnEveryPage)
{
    if (!QFile::exists(QStringLiteral("/usr/bin/pdftotext")) || !QFile::exists(QStringLiteral("/usr/bin/pdfinfo")))
        GTEST_SKIP() << "poppler-utils are not installed";
    for (int i = 0; i < 80; ++i)
        ps(m_adams, m_zeta, QStringLiteral("Item%1").arg(i, 3, 10, QLatin1Char('0')));
    const auto w = report();
    const QString pdf = m_temp.file(QStringLiteral("ps.pdf"));
    m_prompts.printer({QString(), pdf, 1});
    w->cmdPrint->click();
    const QStringList pages = readback::pdfPages(pdf);
    ASSERT_GE(pages.size(), 2);
    for (int i = 0; i < pages.size(); ++i)
        EXPECT_TRUE(pages[i].contains(QStringLiteral("[Product/Service Report] @ 10:30:00 AM"))) << "page " << i;
    EXPECT_TRUE(pages.last().contains(QStringLiteral("Item079")));
    const QString info = readback::run(QStringLiteral("pdfinfo"), {pdf});
    const QStringList size = info.section(QStringLiteral("Page size:"), 1).simplified().split(u' ');
    ASSERT_GE(size.size(), 3) << info.toStdString();
    EXPECT_GT(size[0].toDouble(), size[2].toDouble()) << info.toStdString();
}

TEST_F(ProductReportTest, CloseDuringTheRunEndsItAndThenClosesTheWindow)
{
    for (int i = 0; i < 300; ++i)
        ps(m_adams, m_zeta, QStringLiteral("Item%1").arg(i));
    auto* w = new frmProductReportDisplay;
    m_main.addMdiChild(w);
    QPointer<frmProductReportDisplay> alive(w);
    bool refusedRefresh = false;
    // At the walk's first yield: Refresh waits, Close ends the run.
    QTimer::singleShot(0, w, [w, &refusedRefresh] {
        refusedRefresh = w->running() && !w->cmdRefresh->isEnabled();
        w->cmdRefresh->click();
        w->CancelButton->click();
    });
    w->Init(-1, -1, QString(), QString());
    EXPECT_TRUE(refusedRefresh);
    ASSERT_TRUE(alive);
    EXPECT_LT(w->grd->model()->rowCount(), 300);
    EXPECT_TRUE(w->isHidden());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(alive);
}

TEST_F(ProductReportTest, ADatabaseClosedDuringTheRunEndsIt)
{
    for (int i = 0; i < 50; ++i)
        ps(m_adams, m_zeta, QStringLiteral("Item%1").arg(i));
    frmProductReportDisplay w;
    // The run yields once before it opens the tables and again after the
    // first row: the database goes at the second.
    QTimer::singleShot(0, &w, [&w] { QTimer::singleShot(0, &w, [] { DB().CloseDB(); }); });
    w.Init(-1, -1, QString(), QString());
    EXPECT_FALSE(DB().IsOpen());
    EXPECT_EQ(w.grd->model()->rowCount(), 1);
    EXPECT_FALSE(w.running());
}

class PSFilterDlgTest : public ProductReportTest {
protected:
    // Shows the dialog as the report list does, `fill` acting as the user.
    void runList(const std::function<void(frmPSFilterDlg&)>& fill)
    {
        const ModalWindows::Runner previous = ModalWindows::setRunner([&fill](QDialog& d) {
            auto* dialog = dynamic_cast<frmPSFilterDlg*>(&d);
            ASSERT_TRUE(dialog);
            fill(*dialog);
        });
        m_list.cmdNewProductReport->click();
        ModalWindows::setRunner(previous);
    }
    QList<frmProductReportDisplay*> reports() const { return m_main.findChildren<frmProductReportDisplay*>(); }

    frmReportList m_list;
};

TEST_F(PSFilterDlgTest, ShowsTheProductsInNameOrderAndTheCurrentLabelsWithNothingChosen)
{
    setLabel("custom2", QStringLiteral("Colour"));
    frmPSFilterDlg dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Product/Service Report Filter"));
    ASSERT_EQ(dialog.cboPS->count(), 2);
    EXPECT_EQ(dialog.cboPS->itemText(0), QStringLiteral("alpha Support"));
    EXPECT_EQ(dialog.cboPS->itemData(0).toInt(), m_alpha);
    EXPECT_EQ(dialog.cboPS->itemText(1), QStringLiteral("Zeta Hosting"));
    EXPECT_EQ(dialog.cboPS->currentIndex(), -1);
    ASSERT_EQ(dialog.ComboIsActive->count(), 2);
    EXPECT_EQ(dialog.ComboIsActive->itemText(0), QStringLiteral("NO"));
    EXPECT_EQ(dialog.ComboIsActive->itemData(0).toInt(), 0);
    EXPECT_EQ(dialog.ComboIsActive->itemText(1), QStringLiteral("Yes"));
    EXPECT_EQ(dialog.ComboIsActive->itemData(1).toInt(), 1);
    EXPECT_EQ(dialog.ComboIsActive->currentIndex(), -1);
    EXPECT_EQ(dialog.LabelCustom1->text(), QStringLiteral("Custom 1:"));
    EXPECT_EQ(dialog.LabelCustom2->text(), QStringLiteral("Colour:"));
    EXPECT_EQ(dialog.LabelCustom2->buddy(), dialog.TextCustom2);
    EXPECT_EQ(dialog.Label1->text(), QStringLiteral("Tip: Leave all fields blank to view all Products/Services"));
    EXPECT_TRUE(dialog.OKButton->isDefault());
}

TEST_F(PSFilterDlgTest, ALabelWithAnAmpersandShowsItAsTypedAndTakesNoAltKey)
{
    setLabel("custom1", QStringLiteral("R&D Code"));
    frmPSFilterDlg dialog;
    EXPECT_EQ(dialog.LabelCustom1->text(), QStringLiteral("R&&D Code:"));
    EXPECT_TRUE(QKeySequence::mnemonic(dialog.LabelCustom1->text()).isEmpty());
}

TEST_F(PSFilterDlgTest, OkTakesOnlyWhatWasChosenAndCancelNothing)
{
    struct Case {
        int psIndex, activeIndex;
        QString text1, text2;
        qint32 psId, active;
        QString custom1, custom2;
    };
    const QList<Case> cases{
        {-1, -1, {}, {}, -1, -1, {}, {}},
        {1, 0, QStringLiteral("  abc "), QStringLiteral("   "), m_zeta, 0, QStringLiteral("abc"), {}},
        {0, 1, {}, QStringLiteral("x y"), m_alpha, 1, {}, QStringLiteral("x y")},
    };
    for (const Case& c : cases) {
        frmPSFilterDlg dialog;
        dialog.cboPS->setCurrentIndex(c.psIndex);
        dialog.ComboIsActive->setCurrentIndex(c.activeIndex);
        dialog.TextCustom1->setText(c.text1);
        dialog.TextCustom2->setText(c.text2);
        dialog.OKButton->click();
        EXPECT_TRUE(dialog.Accepted);
        EXPECT_EQ(dialog.PSID, c.psId);
        EXPECT_EQ(dialog.Active, c.active);
        EXPECT_EQ(dialog.Custom1, c.custom1);
        EXPECT_EQ(dialog.Custom2, c.custom2);
        EXPECT_FALSE(dialog.isVisible());
    }
    frmPSFilterDlg dialog;
    dialog.TextCustom1->setText(QStringLiteral("abc"));
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.Accepted);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.Custom1, QString());
}

TEST_F(PSFilterDlgTest, TheReportListOpensANewReportAfterOkAndNoneAfterCancel)
{
    ps(m_adams, m_zeta, QStringLiteral("Rack"), {{QStringLiteral("custom1"), QStringLiteral("red")}});
    ps(m_baker, m_alpha, QStringLiteral("Desk"));
    runList([](frmPSFilterDlg& d) { d.CancelButton->click(); });
    EXPECT_TRUE(reports().isEmpty());

    runList([](frmPSFilterDlg& d) { d.OKButton->click(); });
    runList([](frmPSFilterDlg& d) {
        d.TextCustom1->setText(QStringLiteral(" RE "));
        d.OKButton->click();
    });
    const QList<frmProductReportDisplay*> opened = reports();
    ASSERT_EQ(opened.size(), 2);
    // Both from the same second, so with the same tag, and both stay.
    EXPECT_EQ(objectTag(opened[0]), objectTag(opened[1]));
    EXPECT_FALSE(opened[0]->isHidden());
    EXPECT_FALSE(opened[1]->isHidden());
    QList<int> rows{opened[0]->grd->model()->rowCount(), opened[1]->grd->model()->rowCount()};
    std::sort(rows.begin(), rows.end());
    EXPECT_EQ(rows, (QList<int>{1, 2}));
    for (frmProductReportDisplay* w : opened) {
        if (w->grd->model()->rowCount() == 1) {
            EXPECT_EQ(w->filters().Custom1, QStringLiteral("RE"));
        }
    }

    // The find dialog serves the report it was opened from; Esc closes it.
    opened[0]->cmdFind->click();
    EXPECT_EQ(frmFind::instance().owner(), opened[0]);
    QPointer<frmProductReportDisplay> first(opened[0]);
    QTest::keyClick(opened[0]->grd, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(first);
    EXPECT_EQ(reports().size(), 1);
}

} // namespace
