#include "CustomerTestSupport.h"

#include "common/ui/HelpContext.h"
#include "common/ui/clsSystemUI.h"
#include "common/ui/frmProgress.h"
#include "customers/CustomerListModel.h"
#include "customers/frmCustomerList.h"

#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

namespace {

class CustomerListTest : public CustomerSearchFixture {
protected:
    // A list window in the main window, filled by the search.
    frmCustomerList* openList(const QString& text, int type)
    {
        auto* list = new frmCustomerList;
        m_main.addMdiChild(list);
        list->Init(text, type);
        return list;
    }

    // Each row as "name|company|number|phone|city".
    static QStringList rows(const frmCustomerList* list)
    {
        QStringList out;
        const QAbstractItemModel* model = list->lv->model();
        for (int r = 0; r < model->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < model->columnCount(); ++c)
                cells.append(model->index(r, c).data().toString());
            out.append(cells.join(QLatin1Char('|')));
        }
        return out;
    }

    static QString selectedKey(frmCustomerList* list) { return SysUI().LvGetSelectedItemKey(list->lv); }

    // `count` customers "Name0000", "Name0001", ... saved through one handle.
    void addManyCustomers(int count)
    {
        DATA4* table = DB().OpenTable(DB().CustomerTable());
        ASSERT_NE(table, nullptr);
        for (int i = 0; i < count; ++i) {
            RecColl coll(DB().CustomerTable(), -1, QStringLiteral("_customer"));
            for (const Schema::KindField& f : Schema::recordType(QStringLiteral("_customer"))->writes)
                coll.add(QLatin1String(f.name), QString());
            coll.set(QStringLiteral("lastname"), QStringLiteral("Name%1").arg(i, 4, 10, QLatin1Char('0')));
            ASSERT_TRUE(DB().SaveRecord(coll, false, table));
        }
        d4close(table);
    }

    // Runs `action` at each yield of the next fill until it answers True.
    static void duringFill(std::function<bool()> action)
    {
        auto* timer = new QTimer;
        timer->setInterval(0);
        QObject::connect(timer, &QTimer::timeout, [timer, action] {
            if (action()) {
                timer->stop();
                timer->deleteLater();
            }
        });
        timer->start();
    }

    static frmProgress* waitWindow()
    {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* wait = qobject_cast<frmProgress*>(w); wait && wait->isVisible())
                return wait;
        }
        return nullptr;
    }
};

TEST_F(CustomerListTest, APrefixSearchListsTheKeysThatBeginWithTheText)
{
    addCustomer({{"lastname", QStringLiteral("Osmith")}, {"firstname", QStringLiteral("Olga")}});
    addCustomer({{"lastname", QStringLiteral("Smithers")}, {"company", QStringLiteral("  Acme  ")},
                 {"custno", QStringLiteral("A-7")}, {"workphone", QStringLiteral("555-0100")},
                 {"city", QStringLiteral("Springfield")}});
    addCustomer({{"lastname", QStringLiteral("SMITH")}, {"firstname", QStringLiteral("John")}});
    addCustomer({{"lastname", QStringLiteral("Adams")}, {"firstname", QStringLiteral("Smith")}});
    frmCustomerList* list = openList(QStringLiteral("  smi "), 1);

    EXPECT_EQ(list->windowTitle(), QStringLiteral("Customers (lastname='SMI') @10:30:00 AM"));
    EXPECT_EQ(rows(list), (QStringList{QStringLiteral("SMITH, John||||"),
                                       QStringLiteral("Smithers|Acme|A-7|555-0100|Springfield")}));
    EXPECT_EQ(list->lblCust->text(), QStringLiteral("2 Customer(s)"));
    EXPECT_EQ(selectedKey(list), QStringLiteral("N1002"));
    EXPECT_TRUE(list->cmdProperties->isEnabled());
    EXPECT_EQ(objectTag(list), QStringLiteral("VIEW_CUSTOMERINFO"));
    EXPECT_EQ(HelpContext::of(list), 1210);
    QStringList headings;
    for (int c = 0; c < 5; ++c)
        headings.append(list->lv->model()->headerData(c, Qt::Horizontal).toString());
    EXPECT_EQ(headings, (QStringList{QStringLiteral("Name"), QStringLiteral("Company"),
                                     QStringLiteral("Customer Number"), QStringLiteral("Work Phone"),
                                     QStringLiteral("City")}));
}

TEST_F(CustomerListTest, EachPrefixTypeSeeksItsOwnField)
{
    addCustomer({{"lastname", QStringLiteral("Ames")}, {"company", QStringLiteral("Northwind")},
                 {"custno", QStringLiteral("K100")}, {"workphone", QStringLiteral("(312) 555-0199")}});
    addCustomer({{"lastname", QStringLiteral("Baker")}, {"company", QStringLiteral("north star")},
                 {"custno", QStringLiteral("k200")}, {"workphone", QStringLiteral("(313) 555-0100")}});
    addCustomer({{"lastname", QStringLiteral("Cole")}, {"company", QStringLiteral("Southwind")},
                 {"custno", QStringLiteral("X100")}, {"workphone", QStringLiteral("(312) 555-0101")}});
    const struct {
        const char* text;
        int type;
        const char* caption;
        QStringList names;
    } cases[] = {
        {"north", 2, "Customers (company='NORTH') @10:30:00 AM", {QStringLiteral("Baker"), QStringLiteral("Ames")}},
        {"k", 3, "Customers (custno='K') @10:30:00 AM", {QStringLiteral("Ames"), QStringLiteral("Baker")}},
        {"(312)", 4, "Customers (workphone='(312)') @10:30:00 AM", {QStringLiteral("Cole"), QStringLiteral("Ames")}},
        {"zz", 1, "Customers (lastname='ZZ') @10:30:00 AM", {}},
    };
    for (const auto& c : cases) {
        frmCustomerList* list = openList(QString::fromLatin1(c.text), c.type);
        EXPECT_EQ(list->windowTitle(), QString::fromLatin1(c.caption));
        QStringList names;
        for (const QString& row : rows(list))
            names.append(row.section(QLatin1Char('|'), 0, 0));
        EXPECT_EQ(names, c.names) << c.text;
    }
    // An empty list: no row selected, Properties off.
    frmCustomerList* none = openList(QStringLiteral("zz"), 1);
    EXPECT_EQ(none->lblCust->text(), QStringLiteral("0 Customer(s)"));
    EXPECT_FALSE(none->cmdProperties->isEnabled());
}

TEST_F(CustomerListTest, AContainsSearchLooksAtTheEightFieldsInAnyCaseOnce)
{
    addCustomer({{"lastname", QStringLiteral("Line1")}, {"address1", QStringLiteral("12 Elmwood Street")}});
    addCustomer({{"lastname", QStringLiteral("Line2")}, {"address2", QStringLiteral("corner of OLD ELMWOOD")}});
    addCustomer({{"lastname", QStringLiteral("Everywhere")}, {"address1", QStringLiteral("1 Elmwood")},
                 {"city", QStringLiteral("Elmwood Park")}, {"faxphone", QStringLiteral("elmwood-fax")}});
    addCustomer({{"lastname", QStringLiteral("Mobile")}, {"mobilphone", QStringLiteral("call elmwood")}});
    addCustomer({{"lastname", QStringLiteral("Zip")}, {"postalcode", QStringLiteral("ELMWOOD1")}});
    addCustomer({{"lastname", QStringLiteral("Home")}, {"homephone", QStringLiteral("x elmwOOd")}});
    addCustomer({{"lastname", QStringLiteral("Work")}, {"workphone", QStringLiteral("ElmWood 5")}});
    // Not one of the eight fields.
    addCustomer({{"lastname", QStringLiteral("Elmwood")}, {"company", QStringLiteral("Elmwood Inc")}});
    addCustomer({{"lastname", QStringLiteral("Other")}, {"address1", QStringLiteral("3 Oak Lane")}});

    frmCustomerList* list = openList(QStringLiteral("lmwoo"), 6);
    EXPECT_EQ(list->windowTitle(), QStringLiteral("Customers (Address contains 'LMWOO') @10:30:00 AM"));
    QStringList names;
    for (const QString& row : rows(list))
        names.append(row.section(QLatin1Char('|'), 0, 0));
    // In last-name order of the walk.
    EXPECT_EQ(names, (QStringList{QStringLiteral("Everywhere"), QStringLiteral("Home"), QStringLiteral("Line1"),
                                  QStringLiteral("Line2"), QStringLiteral("Mobile"), QStringLiteral("Work"),
                                  QStringLiteral("Zip")}));
    EXPECT_EQ(list->lblCust->text(), QStringLiteral("7 Customer(s)"));
}

TEST_F(CustomerListTest, AnEmptyTextListsEveryoneInLastNameOrder)
{
    addCustomer({{"lastname", QStringLiteral("zeta")}, {"firstname", QStringLiteral("Zoe")}});
    addCustomer({{"lastname", QStringLiteral("Alpha")}});
    addCustomer({{"lastname", QStringLiteral("beta")}, {"firstname", QStringLiteral("  Bo ")}});
    for (int type : {1, 6}) {
        frmCustomerList* list = openList(QStringLiteral("   "), type);
        EXPECT_EQ(list->windowTitle(), QStringLiteral("All Customers @10:30:00 AM"));
        EXPECT_EQ(rows(list), (QStringList{QStringLiteral("Alpha||||"), QStringLiteral("beta, Bo||||"),
                                           QStringLiteral("zeta, Zoe||||")}));
        EXPECT_EQ(list->lblCust->text(), QStringLiteral("3 Customer(s)"));
    }
}

TEST_F(CustomerListTest, ACancelledFillKeepsItsRowsWithTheCaptionAndCountOfAFinishedOne)
{
    addManyCustomers(1000);
    bool shown = false;
    duringFill([this, &shown] {
        frmProgress* wait = waitWindow();
        if (!wait)
            return false;
        shown = wait->lblMsg->text() == QStringLiteral("Listing Customers. Please wait...")
            && !wait->cmdCancel->isHidden() && wait->pbar->isHidden();
        for (QMdiSubWindow* sub : subWindows()) {
            auto* list = qobject_cast<frmCustomerList*>(sub->widget());
            if (list && list->model()->rowCount() >= 300) {
                wait->cmdCancel->click();
                return true;
            }
        }
        return false;
    });
    frmCustomerList* list = openList(QString(), 1);
    EXPECT_TRUE(shown);
    EXPECT_EQ(list->model()->rowCount(), 300);
    EXPECT_EQ(list->lblCust->text(), QStringLiteral("300 Customer(s)"));
    EXPECT_EQ(list->windowTitle(), QStringLiteral("All Customers @10:30:00 AM"));
    EXPECT_EQ(rows(list).last(), QStringLiteral("Name0299||||"));
    EXPECT_EQ(waitWindow(), nullptr);
}

TEST_F(CustomerListTest, RefreshAndCloseFromInsideAFillWaitForIt)
{
    addManyCustomers(1000);
    // Refresh is refused while the fill runs: the list ends whole.
    bool pressed = false;
    duringFill([this, &pressed] {
        for (QMdiSubWindow* sub : subWindows()) {
            auto* list = qobject_cast<frmCustomerList*>(sub->widget());
            if (list && list->model()->rowCount() >= 200) {
                list->cmdRefresh_Click();
                list->cmdProperties_Click();
                pressed = true;
                return true;
            }
        }
        return false;
    });
    frmCustomerList* whole = openList(QString(), 1);
    EXPECT_TRUE(pressed);
    EXPECT_EQ(whole->lblCust->text(), QStringLiteral("1000 Customer(s)"));
    EXPECT_TRUE(m_opened.isEmpty());

    // A close waits for the fill, which it cuts short, then closes.
    QPointer<frmCustomerList> closing = new frmCustomerList;
    QPointer<QMdiSubWindow> sub = m_main.addMdiChild(closing);
    duringFill([&closing, &sub] {
        if (!closing || closing->model()->rowCount() < 200)
            return false;
        sub->close();
        closing->CancelButton_Click();
        return true;
    });
    closing->Init(QString(), 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(closing.isNull());
    EXPECT_TRUE(sub.isNull());
    EXPECT_EQ(subWindows().size(), 1);
    EXPECT_EQ(waitWindow(), nullptr);

    // A list not yet shown fills while the database is closed from a yield:
    // the fill stops with what it has and leaves the closed table alone.
    auto hidden = std::make_unique<frmCustomerList>();
    duringFill([&hidden] {
        if (hidden->model()->rowCount() < 200)
            return false;
        DB().CloseDB();
        return true;
    });
    hidden->Init(QStringLiteral("name"), 1);
    EXPECT_FALSE(DB().IsOpen());
    EXPECT_EQ(hidden->lblCust->text(), QStringLiteral("200 Customer(s)"));
}

TEST_F(CustomerListTest, RefreshKeepsTheSelectionOrFallsBackToTheFirstRow)
{
    addCustomer({{"lastname", QStringLiteral("Able")}});
    const qint32 baker = addCustomer({{"lastname", QStringLiteral("Baker")}});
    addCustomer({{"lastname", QStringLiteral("Cole")}});
    frmCustomerList* list = openList(QString(), 1);
    ASSERT_TRUE(SysUI().LvSelectItem(list->lv, QStringLiteral("N%1").arg(baker)));
    addCustomer({{"lastname", QStringLiteral("Aaron")}});
    list->cmdRefresh->click();
    EXPECT_EQ(list->lblCust->text(), QStringLiteral("4 Customer(s)"));
    EXPECT_EQ(selectedKey(list), QStringLiteral("N%1").arg(baker));

    deleteCustomer(baker);
    list->cmdRefresh->click();
    EXPECT_EQ(list->lblCust->text(), QStringLiteral("3 Customer(s)"));
    EXPECT_EQ(list->lv->currentIndex().row(), 0);
    EXPECT_EQ(rows(list).first(), QStringLiteral("Aaron||||"));
    EXPECT_EQ(selectedKey(list), QStringLiteral("N1003"));
}

TEST_F(CustomerListTest, DoubleClickEnterAndPropertiesOpenTheSelectedCustomer)
{
    addCustomer({{"lastname", QStringLiteral("Able")}});
    addCustomer({{"lastname", QStringLiteral("Baker")}});
    m_main.show();
    frmCustomerList* list = openList(QString(), 1);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(list));

    const QModelIndex baker = list->lv->model()->index(1, 0);
    const QRect cell = list->lv->visualRect(baker);
    QTest::mouseClick(list->lv->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(list->lv->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(m_opened, QStringList{QStringLiteral("C1001 view")});
    EXPECT_EQ(subWindows().size(), 2);

    // The customer's window is open: it comes forward, no second one.
    SysUI().LvSelectFirstItem(list->lv);
    list->cmdProperties->click();
    m_main.mdiArea()->setActiveSubWindow(subWindows().first());
    SysUI().LvSelectItem(list->lv, QStringLiteral("N1001"));
    list->lv->setFocus();
    QTest::keyClick(list->lv, Qt::Key_Return);
    EXPECT_EQ(m_opened, (QStringList{QStringLiteral("C1001 view"), QStringLiteral("C1000 view")}));
    EXPECT_EQ(subWindows().size(), 3);
    EXPECT_EQ(objectTag(m_main.mdiArea()->activeSubWindow()->widget()), QStringLiteral("C1001"));
}

TEST_F(CustomerListTest, AHeadingClickSortsAndTheOrderFlipsAtEveryClick)
{
    addCustomer({{"lastname", QStringLiteral("Ames")}, {"company", QStringLiteral("beta")}});
    addCustomer({{"lastname", QStringLiteral("Baker")}, {"company", QStringLiteral("Alpha")}});
    addCustomer({{"lastname", QStringLiteral("Cole")}, {"company", QStringLiteral("gamma")}});
    m_main.show();
    frmCustomerList* list = openList(QString(), 1);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(list));
    QHeaderView* header = list->lv->header();
    const auto click = [header](int column) {
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
    };
    const auto companies = [list] {
        QStringList out;
        for (const QString& row : rows(list))
            out.append(row.section(QLatin1Char('|'), 1, 1));
        return out;
    };
    EXPECT_EQ(selectedKey(list), QStringLiteral("N1000"));
    click(1);
    EXPECT_EQ(companies(), (QStringList{QStringLiteral("gamma"), QStringLiteral("beta"), QStringLiteral("Alpha")}));
    // The selection follows its row.
    EXPECT_EQ(selectedKey(list), QStringLiteral("N1000"));
    EXPECT_EQ(list->lv->currentIndex().row(), 1);
    click(1);
    EXPECT_EQ(companies(), (QStringList{QStringLiteral("Alpha"), QStringLiteral("beta"), QStringLiteral("gamma")}));
    click(0);
    EXPECT_EQ(rows(list).first().section(QLatin1Char('|'), 0, 0), QStringLiteral("Cole"));
    // A refresh lists by name again, and the next click sorts descending.
    list->cmdRefresh->click();
    EXPECT_EQ(companies(), (QStringList{QStringLiteral("beta"), QStringLiteral("Alpha"), QStringLiteral("gamma")}));
    click(2);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);
}

TEST_F(CustomerListTest, PrintPutsTheCaptionAndTheRowsOnPaper)
{
    if (!QFile::exists(QStringLiteral("/usr/bin/pdftotext")))
        GTEST_SKIP() << "pdftotext is not installed";
    addCustomer({{"lastname", QStringLiteral("Smith")}, {"firstname", QStringLiteral("Jane")},
                 {"company", QStringLiteral("Acme")}, {"city", QStringLiteral("Dover")}});
    addCustomer({{"lastname", QStringLiteral("Smithers")}, {"custno", QStringLiteral("S-2")}});
    frmCustomerList* list = openList(QStringLiteral("smi"), 1);
    const QString pdf = m_temp.file(QStringLiteral("list.pdf"));
    m_prompts.printer({QString(), pdf, 1}).button(MsgAnswer::Ok);
    list->cmdPrint->click();
    EXPECT_EQ(boxes(), QStringList{QStringLiteral("Document sent to the printer.")});

    QProcess pdftotext;
    pdftotext.start(QStringLiteral("/usr/bin/pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(pdftotext.waitForFinished(30000));
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
    for (const char* expected : {"Customers (lastname='SMI') @10:30:00 AM", "Name", "Company", "Smith, Jane", "Acme",
                                 "Dover", "Smithers", "S-2"})
        EXPECT_TRUE(text.contains(QString::fromLatin1(expected))) << expected << "\n" << text.toStdString();
}

} // namespace
