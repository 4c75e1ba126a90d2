#include "AppFixture.h"
#include "GridLines.h"
#include "ReportTestRows.h"
#include "IdleForm.h"
#include "../common_ui/ReadBack.h"

#include "app/WindowCreators.h"
#include "app/EditModeCtl.h"
#include "app/WindowInterfaces.h"
#include "app/frmMain.h"
#include "common/mdlRegistry.h"
#include "common/ui/ObjectTag.h"
#include "common/ui/frmFind.h"
#include "common/ui/frmProgress.h"
#include "customers/CustomerWindows.h"
#include "customers/frmCustomer.h"
#include "data/CategoryTypes.h"
#include "data/RecColl.h"
#include "data/Schema.h"
#include "data/clsDB.h"
#include "reports/ui/ReportGridModel.h"
#include "reports/ui/ReportWindows.h"
#include "reports/ui/frmReportDisplay.h"
#include "xbase/c4.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QTimer>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTableView>

#include <functional>

namespace {

// An issue window stand-in that writes down how it was opened.
class IssueStub : public QWidget, public IdleForm, public IssueWindow {
public:
    explicit IssueStub(QStringList& log) : m_log(log) {}
    void Init(qint32 RowID, bool EditMode) override
    {
        setObjectTag(this, QStringLiteral("I%1").arg(RowID));
        m_log.append(QStringLiteral("Init %1 %2").arg(RowID).arg(EditMode));
    }
    void SetCustID(qint32 id) override { m_log.append(QStringLiteral("CustID %1").arg(id)); }
    void SetTemplateID(qint32 id) override { m_log.append(QStringLiteral("TemplateID %1").arg(id)); }

private:
    QStringList& m_log;
};

QByteArray fileHash(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256)
                                          : QByteArray();
}

class ReportDisplayTest : public AppFixture {
protected:
    ReportDisplayTest()
    {
        registerReportWindows();
        registerCustomerWindows();
        openNewDatabase();
        m_gold = category(CatType::CustomerCategory, QStringLiteral("Gold"));
        m_silver = category(CatType::CustomerCategory, QStringLiteral("Silver"));
        m_ohio = category(CatType::State, QStringLiteral("Ohio"));
        m_support = category(CatType::ProductService, QStringLiteral("Support"));
        m_hosting = category(CatType::ProductService, QStringLiteral("Hosting"));
    }
    ~ReportDisplayTest() override
    {
        frmFind::instance().hide();
        frmFind::instance().setOwner(nullptr);
        WindowCreators::clear();
    }

    static qint32 save(const QString& path, const QString& type, const reporttest::Fields& fields)
    {
        return reporttest::save(path, type, fields);
    }
    static qint32 category(int type, const QString& text) { return reporttest::category(type, text); }
    qint32 customer(const QString& last, const QString& first, int cat, const QString& email = QString())
    {
        return save(DB().CustomerTable(), QStringLiteral("_customer"),
                    {{QStringLiteral("lastname"), last},
                     {QStringLiteral("firstname"), first},
                     {QStringLiteral("custcat"), QString::number(cat)},
                     {QStringLiteral("state"), QString::number(m_ohio)},
                     {QStringLiteral("country"), QStringLiteral("0")},
                     {QStringLiteral("emailname"), email}});
    }
    static void owns(int custId, int ps)
    {
        save(DB().Customers2PSTable(), QStringLiteral("_ps"),
             {{QStringLiteral("custid"), QString::number(custId)}, {QStringLiteral("psid"), QString::number(ps)}});
    }
    static qint32 report(const QString& type, const QString& def, const QString& title = QStringLiteral("Test"))
    {
        return save(DB().ReportTable(), QStringLiteral("_rptdef"),
                    {{QStringLiteral("title"), title}, {QStringLiteral("type"), type}, {QStringLiteral("def"), def}});
    }

    frmReportDisplay* show(qint32 id)
    {
        m_main.ShowReport(id);
        for (frmReportDisplay* w : m_main.findChildren<frmReportDisplay*>())
            if (objectTag(w) == QStringLiteral("REPORTDISPLAY%1").arg(id))
                return w;
        ADD_FAILURE() << "no report window for " << id;
        return nullptr;
    }

    static QStringList shown(const frmReportDisplay* w) { return gridLines(w->grd->model()); }

    // Last Name, First Name; row numbers as asked.
    qint32 names(bool rowNumbers = true) { return report(QStringLiteral("C"), QStringLiteral("0\n5~4\n\n\n\n%1\n0").arg(int(rowNumbers))); }

    frmMain m_main;
    qint32 m_gold = 0, m_silver = 0, m_ohio = 0, m_support = 0, m_hosting = 0;
};

TEST_F(ReportDisplayTest, OpensTaggedWithItsRowsCountedAndAnswersToItsIdOnly)
{
    customer(QStringLiteral("Baker"), QStringLiteral("Ann"), m_gold);
    const qint32 adams = customer(QStringLiteral("Adams"), QStringLiteral("Bob"), m_silver);
    const qint32 id = names();
    frmReportDisplay* w = show(id);
    ASSERT_TRUE(w);
    EXPECT_EQ(shown(w), (QStringList{QStringLiteral("Row|Last Name|First Name"), QStringLiteral("1|Adams|Bob"),
                                     QStringLiteral("2|Baker|Ann")}));
    EXPECT_EQ(w->lblCount->text(), QStringLiteral("2 rows"));
    EXPECT_TRUE(w->windowTitle().startsWith(QStringLiteral("Customers Report: Test @")));
    EXPECT_EQ(w->grd->model()->headerData(0, Qt::Horizontal, ReportGridModel::kDataRole).toInt(), -1000);
    EXPECT_EQ(w->grd->model()->headerData(1, Qt::Horizontal, ReportGridModel::kDataRole).toInt(), 5);
    EXPECT_EQ(w->grd->model()->index(0, 2).data(ReportGridModel::kDataRole).toInt(), adams);
    EXPECT_FALSE(w->cmdEmail->isHidden());
    // The report list's "REPORTS" never finds it, and a second showing brings the same window.
    EXPECT_NE(objectTag(w), QStringLiteral("REPORTS"));
    m_main.ShowReport(id);
    EXPECT_EQ(m_main.findChildren<frmReportDisplay*>().size(), 1);

    // An issue report hides the customer commands; a report that finds no row
    // shows its headings and "0 rows".
    frmReportDisplay* issues = show(report(QStringLiteral("I"), QStringLiteral("0\n112~102\n\n\n\n0\n0")));
    ASSERT_TRUE(issues);
    EXPECT_TRUE(issues->cmdEmail->isHidden());
    EXPECT_TRUE(issues->cmdMailMerge->isHidden());
    EXPECT_EQ(shown(issues), (QStringList{QStringLiteral("Date Submitted|Customer")}));
    EXPECT_EQ(issues->lblCount->text(), QStringLiteral("0 rows"));
}

TEST_F(ReportDisplayTest, HeadingClicksSortUnlessGroupedAndRowRestoresTheFirstOrder)
{
    customer(QStringLiteral("Baker"), QStringLiteral("Zed"), m_gold);
    customer(QStringLiteral("Adams"), QStringLiteral("Amy"), m_silver);
    customer(QStringLiteral("Clark"), QStringLiteral("Moe"), m_gold);
    frmReportDisplay* w = show(names());
    ASSERT_TRUE(w);
    w->grd->horizontalHeader()->sectionClicked(2);
    EXPECT_EQ(shown(w), (QStringList{QStringLiteral("Row|Last Name|First Name"), QStringLiteral("1|Adams|Amy"),
                                     QStringLiteral("3|Clark|Moe"), QStringLiteral("2|Baker|Zed")}));
    EXPECT_EQ(w->grd->currentIndex().row(), 0);
    EXPECT_EQ(w->grd->currentIndex().column(), 2);
    w->grd->horizontalHeader()->sectionClicked(0);
    EXPECT_EQ(shown(w).mid(1), (QStringList{QStringLiteral("1|Adams|Amy"), QStringLiteral("2|Baker|Zed"),
                                            QStringLiteral("3|Clark|Moe")}));

    // Category, Last Name, grouped.
    frmReportDisplay* grouped = show(report(QStringLiteral("C"), QStringLiteral("1\n8~5\n\n\n\n0\n0")));
    ASSERT_TRUE(grouped);
    const QStringList before = shown(grouped);
    EXPECT_EQ(before, (QStringList{QStringLiteral("Category|Last Name"), QStringLiteral("Gold|Baker"),
                                   QStringLiteral("|Clark"), QStringLiteral("Silver|Adams")}));
    m_prompts.clear();
    grouped->grd->horizontalHeader()->sectionClicked(1);
    EXPECT_EQ(shown(grouped), before);
    ASSERT_EQ(m_prompts.shown().size(), 1);
    EXPECT_EQ(m_prompts.last().text,
              QStringLiteral("This report cannot be re-sorted because the report definition 'Suppresses repeating "
                             "values' in the first column of the report!"));
    EXPECT_EQ(m_prompts.last().helpContext, 1400);
}

TEST_F(ReportDisplayTest, SaveAsWritesTheWholeGridWithHeadingsAndRowNumbers)
{
    customer(QStringLiteral("Baker"), QStringLiteral("Ann"), m_gold);
    customer(QStringLiteral("O\"Hara"), QStringLiteral("Cy"), m_silver);
    frmReportDisplay* w = show(report(QStringLiteral("C"), QStringLiteral("0\n5~4~8\n\n\n\n1\n0")));
    ASSERT_TRUE(w);
    const QString csv = m_temp.file(QStringLiteral("out.csv"));
    m_prompts.text(csv).button(MsgAnswer::No);
    w->cmdSaveAs->click();
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().toStdString(), std::string("\"Row\",\"Last Name\",\"First Name\",\"Category\"\r\n"
                                         "1,\"Baker\",\"Ann\",\"Gold\"\r\n"
                                         "2,\"O\"\"Hara\",\"Cy\",\"Silver\"\r\n"));
}

class MailMergeTest : public ReportDisplayTest {
protected:
    MailMergeTest()
    {
        const qint32 baker = customer(QStringLiteral("Baker"), QStringLiteral("Ann"), m_gold);
        const qint32 adams = customer(QStringLiteral("Adams"), QStringLiteral("Bob"), m_silver);
        owns(baker, m_support);
        owns(baker, m_hosting);
        owns(adams, m_hosting);
        m_window = show(names());
    }
    // Answers the notice, Yes, and the file name.
    void runMerge(const QString& target)
    {
        m_prompts.clear();
        m_prompts.accept().button(MsgAnswer::Yes).text(target).accept();
        m_window->cmdMailMerge->click();
    }
    frmReportDisplay* m_window = nullptr;
};

TEST_F(MailMergeTest, WritesOneRecordPerRowInGridOrderWithTheLookedUpTexts)
{
    ASSERT_TRUE(m_window);
    m_window->grd->horizontalHeader()->sectionClicked(2);  // First Name: Ann (Baker) before Bob (Adams)
    const QString target = m_temp.file(QStringLiteral("merge.dbf"));
    runMerge(target);
    EXPECT_EQ(m_prompts.last().text, target + QStringLiteral(" has been created!"));
    EXPECT_TRUE(m_prompts.shown().first().text.endsWith(QStringLiteral("DATA SOURCE is 'FoxPro Files - Word via ODBC(*.dbf)'.")));

    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral("-c"),
                  QStringLiteral("import sys, dbfread\n"
                                 "for r in dbfread.DBF(sys.argv[1]):\n"
                                 "    print('|'.join([r['LASTNAME'], r['FIRSTNAME'], r['STATE'], r['CUSTCAT'], r['PRODSERV']]))\n"),
                  target});
    ASSERT_TRUE(python.waitForFinished(30000));
    if (python.exitCode() != 0)
        GTEST_SKIP() << "python3-dbfread is not available: " << python.readAllStandardError().toStdString();
    EXPECT_EQ(QString::fromUtf8(python.readAllStandardOutput()),
              QStringLiteral("Baker|Ann|Ohio|Gold|Support;Hosting\nAdams|Bob|Ohio|Silver|Hosting\n"));
}

TEST_F(MailMergeTest, RefusesATableOfTheDatabaseOrTheTemplateAndLeavesThemAlone)
{
    ASSERT_TRUE(m_window);
    for (const QString& target : {DB().CustomerTable(), DB().MailMergeTable()}) {
        const QByteArray before = fileHash(target);
        ASSERT_FALSE(before.isEmpty()) << target.toStdString();
        runMerge(target);
        EXPECT_EQ(fileHash(target), before) << target.toStdString();
        EXPECT_FALSE(m_prompts.last().text.endsWith(QStringLiteral(" has been created!")));
        EXPECT_TRUE(m_prompts.last().text.startsWith(target)) << m_prompts.last().text.toStdString();
    }
    // The refusal does not depend on how the path is spelt.
    const QString roundabout = DB().CustomerTable().section(QLatin1Char('/'), 0, -2) + QStringLiteral("/./")
                               + DB().CustomerTable().section(QLatin1Char('/'), -1);
    const QByteArray before = fileHash(DB().CustomerTable());
    runMerge(roundabout);
    EXPECT_EQ(fileHash(DB().CustomerTable()), before);
}

TEST_F(MailMergeTest, CancelKeepsTheRecordsWrittenAndSaysNothingCreated)
{
    for (int i = 0; i < 148; ++i)
        customer(QStringLiteral("More%1").arg(i), QStringLiteral("F"), m_gold);
    m_window->cmdRefresh->click();
    ASSERT_EQ(m_window->lblCount->text(), QStringLiteral("150 rows"));
    // Presses the wait dialog's Cancel once it is up.
    std::function<void()> pressCancel = [&pressCancel] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            auto* wait = qobject_cast<frmProgress*>(top);
            if (wait && wait->isVisible() && wait->windowTitle() == QStringLiteral("Mail Merge Data")) {
                wait->cmdCancel->click();
                return;
            }
        }
        QTimer::singleShot(0, pressCancel);
    };
    QTimer::singleShot(0, pressCancel);
    const QString target = m_temp.file(QStringLiteral("cut.dbf"));
    runMerge(target);
    EXPECT_FALSE(m_prompts.last().text.endsWith(QStringLiteral(" has been created!")));
    DATA4* merged = DB().OpenTable(target);
    ASSERT_TRUE(merged);
    EXPECT_EQ(d4recCountDo(merged), 100);
    d4close(merged);
}

class EmailTest : public ReportDisplayTest {
protected:
    EmailTest() { SavePrefString(QStringLiteral("emailhandler"), QStringLiteral("1")); }
};

TEST_F(EmailTest, MissingAddressesAreCountedAndTheRestHandedOver)
{
    customer(QStringLiteral("Adams"), QStringLiteral("A"), m_gold, QStringLiteral("a@x"));
    customer(QStringLiteral("Baker"), QStringLiteral("B"), m_gold, QStringLiteral("b@y"));
    customer(QStringLiteral("Clark"), QStringLiteral("C"), m_gold);
    frmReportDisplay* w = show(names());
    ASSERT_TRUE(w);
    m_prompts.clear();
    m_prompts.button(MsgAnswer::Yes).accept();
    w->cmdEmail->click();
    ASSERT_EQ(m_prompts.shown().size(), 2);
    EXPECT_EQ(m_prompts.shown().at(0).text,
              QStringLiteral("Email addresses for 1 out of 3 customers either do not exist or are invalid. Do you "
                             "wish to continue?"));
    EXPECT_EQ(m_prompts.shown().at(1).kind, ShownPrompt::Kind::Mail);
    EXPECT_EQ(m_prompts.shown().at(1).mailTo, QStringList{QStringLiteral("a@x, b@y")});
    EXPECT_EQ(m_prompts.shown().at(1).title, QStringLiteral("<<Verify Email Address and Enter Subject>>"));
    EXPECT_EQ(m_prompts.shown().at(1).text, QString());

    // A refused hand-off shows the list to copy.
    m_prompts.clear();
    m_prompts.button(MsgAnswer::Yes).text(QStringLiteral("no mail program"));
    w->cmdEmail->click();
    EXPECT_EQ(m_prompts.last().kind, ShownPrompt::Kind::MessageWindow);
    EXPECT_EQ(m_prompts.last().text,
              QStringLiteral("Here's a list of email addresses for the displayed customers:\r\n\r\na@x, b@y"));
}

TEST_F(EmailTest, NoAddressAtAllGivesANoticeOnly)
{
    customer(QStringLiteral("Adams"), QStringLiteral("A"), m_gold);
    customer(QStringLiteral("Baker"), QStringLiteral("B"), m_gold, QStringLiteral("not an address"));
    frmReportDisplay* w = show(names());
    ASSERT_TRUE(w);
    m_prompts.clear();
    w->cmdEmail->click();
    ASSERT_EQ(m_prompts.shown().size(), 1);
    EXPECT_EQ(m_prompts.last().text,
              QStringLiteral("Email addresses for 2 out of 2 customers either do not exist or are invalid."));
    EXPECT_EQ(m_prompts.last().style, MsgStyle::Exclamation);
}

TEST_F(ReportDisplayTest, FindOffersTheTopAndThenFindsDataRowOne)
{
    customer(QStringLiteral("Adams"), QStringLiteral("Unique"), m_gold);
    customer(QStringLiteral("Baker"), QStringLiteral("B"), m_gold);
    customer(QStringLiteral("Clark"), QStringLiteral("C"), m_gold);
    frmReportDisplay* w = show(names());
    ASSERT_TRUE(w);
    bool up = false;
    w->grd->setCurrentIndex(w->grd->model()->index(2, 0));
    m_prompts.clear();
    m_prompts.button(MsgAnswer::Yes);
    w->Find(QStringLiteral("uniq"), false, false, up);
    ASSERT_EQ(m_prompts.shown().size(), 1);
    EXPECT_EQ(m_prompts.last().text, QStringLiteral("No more occurences of 'uniq' found! Would you like to search "
                                                    "from the top of this view?"));
    EXPECT_EQ(w->grd->currentIndex().row(), 0);
    EXPECT_EQ(w->grd->currentIndex().column(), 2);

    // From data row 1 the answer comes at once.
    m_prompts.clear();
    w->Find(QStringLiteral("nowhere"), false, false, up);
    ASSERT_EQ(m_prompts.shown().size(), 1);
    EXPECT_EQ(m_prompts.last().text, QStringLiteral("No occurences of 'nowhere' found!"));

    // The find dialog serves the window it was opened from.
    w->cmdFind->click();
    EXPECT_EQ(frmFind::instance().owner(), w);
    EXPECT_TRUE(frmFind::instance().windowTitle().startsWith(QStringLiteral("Find in Customers Report: Test @")));
}

TEST_F(ReportDisplayTest, PrintTurnsThePageByTheFlagAndHeadsEveryPageWithTheTitle)
{
    if (!QFile::exists(QStringLiteral("/usr/bin/pdftotext")) || !QFile::exists(QStringLiteral("/usr/bin/pdfinfo")))
        GTEST_SKIP() << "poppler-utils are not installed";
    for (int i = 0; i < 90; ++i)
        customer(QStringLiteral("Name%1").arg(i, 3, 10, QLatin1Char('0')), QStringLiteral("F"), m_gold);
    for (const bool landscape : {true, false}) {
        const QString title = landscape ? QStringLiteral("Wide Heading") : QStringLiteral("Tall Heading");
        frmReportDisplay* w =
            show(report(QStringLiteral("C"), QStringLiteral("0\n5~4\n\n\n\n1\n%1").arg(int(landscape)), title));
        ASSERT_TRUE(w);
        const QString pdf = m_temp.file(title + QStringLiteral(".pdf"));
        m_prompts.printer({QString(), pdf, 1});
        w->cmdPrint->click();
        const QStringList pages = readback::pdfPages(pdf);
        ASSERT_GE(pages.size(), 2) << landscape;
        for (int i = 0; i < pages.size(); ++i)
            EXPECT_TRUE(pages[i].contains(title)) << landscape << " page " << i;
        EXPECT_TRUE(pages.last().contains(QStringLiteral("Name089")));
        // "Page size: W x H pts": wider than high only in landscape.
        const QString info = readback::run(QStringLiteral("pdfinfo"), {pdf});
        const QStringList size = info.section(QStringLiteral("Page size:"), 1).simplified().split(u' ');
        ASSERT_GE(size.size(), 3) << info.toStdString();
        EXPECT_EQ(size[0].toDouble() > size[2].toDouble(), landscape) << info.toStdString();
    }
}

TEST_F(ReportDisplayTest, ZoomInOpensTheRowsRecordInViewMode)
{
    const qint32 adams = customer(QStringLiteral("Adams"), QStringLiteral("A"), m_gold);
    frmReportDisplay* w = show(names());
    ASSERT_TRUE(w);
    w->grd->setCurrentIndex(QModelIndex());
    m_prompts.clear();
    w->cmdZoomIn->click();
    EXPECT_EQ(m_prompts.last().text, QStringLiteral("Please select a row first!"));

    w->grd->setCurrentIndex(w->grd->model()->index(0, 1));
    w->cmdZoomIn->click();
    frmCustomer* opened = nullptr;
    for (frmCustomer* c : m_main.findChildren<frmCustomer*>())
        if (objectTag(c) == QStringLiteral("C%1").arg(adams))
            opened = c;
    ASSERT_TRUE(opened);
    EXPECT_FALSE(opened->EM->InEditMode());

    // An issue report opens its issue through the issue window's entry.
    QStringList log;
    WindowCreators::set(WindowCreators::Kind::Issue, [&log](QWidget*) -> QWidget* { return new IssueStub(log); });
    const qint32 issue = save(DB().IssuesTable(), QStringLiteral("_issue"),
                              {{QStringLiteral("custid"), QString::number(adams)},
                               {QStringLiteral("shortdesc"), QStringLiteral("Jam")}});
    frmReportDisplay* issues = show(report(QStringLiteral("I"), QStringLiteral("0\n112~102\n\n\n\n0\n0")));
    ASSERT_TRUE(issues);
    issues->grd->doubleClicked(issues->grd->model()->index(0, 1));
    EXPECT_EQ(log, (QStringList{QStringLiteral("CustID -1"), QStringLiteral("TemplateID -1"),
                                QStringLiteral("Init %1 0").arg(issue)}));
}

} // namespace
