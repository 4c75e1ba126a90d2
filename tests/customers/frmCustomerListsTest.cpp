#include "CustomerFixture.h"
#include "IdleForm.h"

#include "app/EditModeCtl.h"
#include "app/WindowCreators.h"
#include "app/StatisticCtl.h"
#include "common/ui/clsSystemUI.h"
#include "common/ui/frmRichEdit.h"
#include "data/clsDB.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTextEdit>
#include <QTreeWidget>

namespace {

using ListsTest = CustomerFixture;

const QChar kThorn(0x00FE);

QStringList column(QTreeWidget* lv, int c)
{
    QStringList texts;
    for (int i = 0; i < lv->topLevelItemCount(); ++i)
        texts.append(lv->topLevelItem(i)->text(c));
    return texts;
}

QStringList texts(std::initializer_list<const char*> list)
{
    QStringList result;
    for (const char* t : list)
        result.append(QString::fromUtf8(t));
    return result;
}

QString selectedKey(QTreeWidget* lv) { return SysUI().LvGetSelectedItemKey(lv); }

QString cellText(const QTableWidget* grid, int row, int col)
{
    const QTableWidgetItem* item = grid->item(row, col);
    return item ? item->text() : QString();
}

// --- Contacts -------------------------------------------------------------

TEST_F(ListsTest, ContactsGoToTheMemoLineByLineAndComeBackTrimmed)
{
    const qint32 id = addCustomer({{QStringLiteral("company"), QStringLiteral("Acme")}});
    frmCustomer* w = open(id);
    w->DoEditModeBtn();
    w->grdContacts->setItem(2, 0, new QTableWidgetItem(QStringLiteral(" Bob ")));
    w->grdContacts->setItem(2, 4, new QTableWidgetItem(QStringLiteral("bob@x.com")));
    // A separator that got into a cell (pasted, say) must not shift the rest.
    w->grdContacts->setItem(4, 1, new QTableWidgetItem(QStringLiteral("a") + kThorn + QStringLiteral("b\r\nc")));
    w->cmdApply->click();
    ASSERT_FALSE(w->EM->InEditMode());

    RecColl coll(DB().CustomerTable(), id, QStringLiteral("_customer"));
    ASSERT_TRUE(DB().ReadRecord(coll, true));
    const QStringList lines = coll.text(QStringLiteral("contacts")).split(QLatin1Char('\r'));
    ASSERT_EQ(lines.size(), 51);
    const QString empty(4, kThorn);
    EXPECT_EQ(lines.at(0), empty);
    EXPECT_EQ(lines.at(1), empty);
    EXPECT_EQ(lines.at(2), QStringLiteral(" Bob ") + empty + QStringLiteral("bob@x.com"));
    EXPECT_EQ(lines.at(3), empty);
    EXPECT_EQ(lines.at(4), kThorn + QStringLiteral("a b  c") + QString(3, kThorn));
    EXPECT_EQ(lines.at(49), empty);
    EXPECT_EQ(lines.at(50), QString());

    w->LoadData();
    EXPECT_EQ(cellText(w->grdContacts, 2, 0), QStringLiteral("Bob"));
    EXPECT_EQ(cellText(w->grdContacts, 2, 4), QStringLiteral("bob@x.com"));
    EXPECT_EQ(cellText(w->grdContacts, 4, 1), QStringLiteral("a b  c"));
    EXPECT_EQ(cellText(w->grdContacts, 4, 2), QString());
}

TEST_F(ListsTest, MemoTextFillsTheGridAsFarAsItReaches)
{
    QStringList fiftyOne;
    for (int i = 1; i <= 51; ++i)
        fiftyOne.append(QStringLiteral("n%1").arg(i));
    const struct {
        QString text;
        int row;
        int col;
        QString expected;
    } cases[] = {
        {QStringLiteral("Ann") + kThorn + QStringLiteral("CEO"), 0, 1, QStringLiteral("CEO")},
        {QStringLiteral("Ann") + kThorn + QStringLiteral("CEO"), 1, 0, QString()},
        {QStringLiteral("a\u00FEb\u00FEc\u00FEd\u00FEe\u00FEf"), 0, 4,
         QStringLiteral("e")},
        {fiftyOne.join(QLatin1Char('\r')), 49, 0, QStringLiteral("n50")},
        {QStringLiteral("\r\r  x  \r"), 2, 0, QStringLiteral("x")},
        {QString(), 0, 0, QString()},
    };
    QTableWidget grid(50, 5);
    for (const auto& c : cases) {
        grid.setItem(0, 0, new QTableWidgetItem(QStringLiteral("old")));
        frmCustomer::GridSetFromDelimBuffer(&grid, c.text, kThorn, QLatin1Char('\r'));
        EXPECT_EQ(cellText(&grid, c.row, c.col), c.expected) << c.text.toStdString();
        EXPECT_EQ(grid.rowCount(), 50);
        EXPECT_EQ(grid.columnCount(), 5);
    }
}

TEST_F(ListsTest, ContactCellsTakeNoEditInViewModeAndNoSeparatorInEditMode)
{
    const qint32 id = addCustomer({{QStringLiteral("company"), QStringLiteral("Acme")}});
    frmCustomer* w = open(id);
    m_main.show();
    w->TabCtl->setCurrentIndex(1);
    QTableWidget* grid = w->grdContacts;
    grid->setCurrentCell(0, 0);
    grid->edit(grid->currentIndex());
    EXPECT_EQ(grid->findChild<QLineEdit*>(), nullptr);
    EXPECT_EQ(grid->palette().color(QPalette::Base), QColor(0xFF, 0xFF, 0xC0));

    w->DoEditModeBtn();
    EXPECT_EQ(grid->palette().color(QPalette::Base), QColor(Qt::white));
    grid->setCurrentCell(0, 0);
    grid->edit(grid->currentIndex());
    auto* editor = grid->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, QStringLiteral("Jo"));
    QKeyEvent thorn(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(kThorn));
    QApplication::sendEvent(editor, &thorn);
    // Told once the key is over, never inside it.
    EXPECT_TRUE(boxTexts().isEmpty());
    QCoreApplication::processEvents();
    QTest::keyClicks(editor, QStringLiteral("e"));
    EXPECT_EQ(editor->text(), QStringLiteral("Joe"));
    editor->insert(QStringLiteral("x\ny"));
    EXPECT_EQ(editor->text(), QStringLiteral("Joe"));
    QCoreApplication::processEvents();
    EXPECT_EQ(boxTexts(),
              QStringList(2, QStringLiteral("A contact entry cannot hold the character \u00FE or a line break.")));
}

// --- Lists ----------------------------------------------------------------

TEST_F(ListsTest, ProductsServicesShowTheirCategoryDatesAndWhetherActive)
{
    const qint32 id = addCustomer({{QStringLiteral("company"), QStringLiteral("Acme")}});
    frmCustomer* w = open(id);
    EXPECT_EQ(w->lblPS->text(), QStringLiteral("0 products/services"));
    EXPECT_EQ(w->lblIssues->text(), QStringLiteral("0 issues"));
    EXPECT_EQ(w->lvPS->topLevelItemCount(), 0);

    const qint32 alpha = addCategory(QStringLiteral("Alpha"), 2);
    const qint32 beta = addCategory(QStringLiteral("Beta"), 2);
    const qint32 gamma = addCategory(QStringLiteral("Gamma"), 2);
    const qint32 delta = addCategory(QStringLiteral("Delta"), 2);
    addPS(id, delta, QStringLiteral("1/1/2024"), QStringLiteral("3/14/2024"));
    addPS(id, beta, QString(), QStringLiteral("3/15/2024"));
    addPS(id, alpha, QString(), QString());
    const qint32 bad = addPS(id, gamma, QString(), QString());
    pokeField(DB().Customers2PSTable(), bad, "dateterm", QStringLiteral("2024XX01"));
    addPS(id + 1, alpha, QString(), QString());
    addIssue(id);

    w->cmdRefresh->click();
    EXPECT_EQ(w->lblPS->text(), QStringLiteral("4 products/services"));
    EXPECT_EQ(w->lblIssues->text(), QStringLiteral("1 issues"));
    EXPECT_EQ(column(w->lvPS, 0), texts({"Alpha", "Beta", "Delta", "Gamma"}));
    EXPECT_EQ(column(w->lvPS, 4), texts({"Yes", "Yes", "NO", "Yes"}));
    EXPECT_EQ(column(w->lvPS, 2), texts({"", "", "1/1/2024", ""}));
    EXPECT_EQ(column(w->lvPS, 3), texts({"", "3/15/2024", "3/14/2024", ""}));
    EXPECT_EQ(selectedKey(w->lvPS), w->lvPS->topLevelItem(0)->data(0, clsSystemUI::kKeyRole).toString());
    EXPECT_TRUE(w->lvPS->isColumnHidden(5));
    EXPECT_TRUE(w->lvPS->isColumnHidden(6));
    EXPECT_TRUE(w->lvIssues->isColumnHidden(5));
    EXPECT_EQ(w->lvPS->headerItem()->text(4), QStringLiteral("Active?"));

    // A click on the end date heading sorts by the date, not by its text.
    w->lvPS->header()->sectionClicked(3);
    EXPECT_EQ(column(w->lvPS, 0), texts({"Gamma", "Beta", "Delta", "Alpha"}));
}

TEST_F(ListsTest, IssueNumbersArePaddedNeverCutAndSortAsNumbers)
{
    const qint32 id = addCustomer({{QStringLiteral("company"), QStringLiteral("Acme")}});
    const qint32 a = addIssue(id, QStringLiteral("a"));
    const qint32 b = addIssue(id, QStringLiteral("b"));
    const qint32 c = addIssue(id, QStringLiteral("c"));
    pokeField(DB().IssuesTable(), a, "rowid", 1234567);
    pokeField(DB().IssuesTable(), b, "rowid", 10000);
    pokeField(DB().IssuesTable(), c, "rowid", 1000);
    frmCustomer* w = open(id);
    EXPECT_EQ(column(w->lvIssues, 0), texts({"  1000", " 10000", "1234567"}));
    EXPECT_EQ(column(w->lvIssues, 2), texts({"c", "b", "a"}));

    // The user's sort and selection; a reload sorts by number again and
    // keeps the selection unless the saved row is named.
    w->lvIssues->header()->sectionClicked(0);
    EXPECT_EQ(column(w->lvIssues, 0), texts({"1234567", " 10000", "  1000"}));
    ASSERT_TRUE(SysUI().LvSelectItem(w->lvIssues, QStringLiteral("N10000")));
    w->LV_LoadIssues(-1);
    EXPECT_EQ(column(w->lvIssues, 0), texts({"  1000", " 10000", "1234567"}));
    EXPECT_EQ(selectedKey(w->lvIssues), QStringLiteral("N10000"));
    w->LV_LoadIssues(1234567);
    EXPECT_EQ(selectedKey(w->lvIssues), QStringLiteral("N1234567"));
    w->LV_LoadIssues(4242);
    EXPECT_EQ(selectedKey(w->lvIssues), QStringLiteral("N1234567"));
    w->lvIssues->clearSelection();
    w->LV_LoadIssues(4242);
    EXPECT_EQ(selectedKey(w->lvIssues), QStringLiteral("N1000"));
}

TEST_F(ListsTest, ANoticeReloadsOnlyItsOwnList)
{
    const qint32 id = addCustomer({{QStringLiteral("company"), QStringLiteral("Acme")}});
    frmCustomer* w = open(id);
    addPS(id, 0, QString(), QString());
    const qint32 issue = addIssue(id);
    m_main.NotifyCustomer(id, 1, issue);
    EXPECT_EQ(w->lblIssues->text(), QStringLiteral("1 issues"));
    EXPECT_EQ(selectedKey(w->lvIssues), QStringLiteral("N%1").arg(issue));
    EXPECT_EQ(w->lblPS->text(), QStringLiteral("0 products/services"));
    m_main.NotifyCustomer(id, 2, -1);
    EXPECT_EQ(w->lblPS->text(), QStringLiteral("1 products/services"));
}

TEST_F(ListsTest, PropertiesWithoutASelectionSaysSo)
{
    const qint32 id = addCustomer({{QStringLiteral("company"), QStringLiteral("Acme")}});
    frmCustomer* w = open(id);
    w->cmdPropertiesPS->click();
    w->cmdPropertiesIssues->click();
    EXPECT_EQ(boxTexts(),
              (QStringList{QStringLiteral("No Product/Service is currently selected. Please make a selection first."),
                           QStringLiteral("No Issue is currently selected. Please make a selection first.")}));
    EXPECT_EQ(m_prompts.last().style, 48);
    EXPECT_EQ(m_prompts.last().title, QStringLiteral("Brindlemark"));
}

TEST_F(ListsTest, PreviewOnTheProductsTabPrintsTheList)
{
    const qint32 id = addCustomer({{QStringLiteral("company"), QStringLiteral("Acme")}});
    addPS(id, addCategory(QStringLiteral("Support Plan"), 2), QString(), QString());
    frmCustomer* w = open(id);
    m_main.resize(1000, 700);
    m_main.show();
    w->parentWidget()->resize(900, 600);
    w->TabCtl->setCurrentIndex(2);
    QCoreApplication::processEvents();
    const QString pdf = m_temp.file(QStringLiteral("list.pdf"));
    m_prompts.printer({QString(), pdf, 1}).button(MsgAnswer::Ok);
    w->cmdPrint->click();
    ASSERT_TRUE(QFile::exists(pdf));
    QProcess run;
    run.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(run.waitForFinished(30000));
    const QString text = QString::fromUtf8(run.readAllStandardOutput());
    EXPECT_TRUE(text.contains(QStringLiteral("Product/Services List for Acme"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Support Plan"))) << text.toStdString();
    EXPECT_TRUE(boxTexts().contains(QStringLiteral("Document sent to the printer.")));
}

TEST_F(ListsTest, WriteEmailHandsTheAddressEncodedToTheMailProgram)
{
    const qint32 id = addCustomer({{QStringLiteral("company"), QStringLiteral("Acme")},
                                   {QStringLiteral("emailname"), QStringLiteral("who?me@x.com")}});
    frmCustomer* w = open(id);
    w->cmdSendEmail->click();
    w->cmdSendEmail2->click();
    EXPECT_EQ(m_launched, (QList<QStringList>{{QStringLiteral("xdg-email"), QStringLiteral("mailto:who%3Fme@x.com")},
                                              {QStringLiteral("xdg-email"), QStringLiteral("mailto:")}}));
}

// --- Text output ------------------------------------------------------------

// The golden file's text with CR LF line ends.
QString golden(const char* name)
{
    QFile file(QStringLiteral(BM_CUSTOMERS_GOLDEN_DIR "/") + QString::fromLatin1(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return QString::fromUtf8(file.readAll()).replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

void fill(frmCustomer* w, const std::vector<const char*>& values)
{
    QLineEdit* boxes[] = {w->txtFname, w->txtLname, w->txtTitle, w->txtCoName, w->txtAddress1, w->txtAddress2,
                          w->txtCity, w->txtPostalCode};
    for (int i = 0; i < 8; ++i)
        boxes[i]->setText(QString::fromLatin1(values.at(i)));
}

TEST_F(ListsTest, MailingLabelLeavesOutEmptyLines)
{
    addCategory(QStringLiteral("Ohio"), 3);
    addCategory(QStringLiteral("USA"), 4);
    frmCustomer* w = open(-1, true);
    const struct {
        std::vector<const char*> values; // first, last, title, company, address 1 and 2, city, postal code
        const char* salutation;
        const char* state;
        const char* country;
        const char* file;
    } cases[] = {
        {{"Ann", "Lee", "CEO", "Acme", "1 Main St", "Suite 2", "Springfield", "45501"}, "Dr.", "Ohio", "USA",
         "label_full.txt"},
        {{"", "Lee", "", "", "", "", "Springfield", ""}, "", "", "", "label_city_only.txt"},
        {{"Ann", "Lee", "", "", "", "", "", ""}, "   ", "", "USA", "label_no_city.txt"},
    };
    for (const auto& c : cases) {
        fill(w, c.values);
        w->cboSalutation->setEditText(QString::fromLatin1(c.salutation));
        w->cboStates->setCurrentIndex(w->cboStates->findText(QString::fromLatin1(c.state)));
        w->cboCountry->setCurrentIndex(w->cboCountry->findText(QString::fromLatin1(c.country)));
        EXPECT_EQ(w->MailingLabelText(), golden(c.file)) << c.file;
    }

    w->txtCoName->setText(QStringLiteral("Acme"));
    w->cmdLabel->click();
    bool shown = false;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (auto* viewer = qobject_cast<frmRichEdit*>(top); viewer && viewer->isVisible()) {
            EXPECT_EQ(viewer->windowTitle(), QStringLiteral("Mailing label text for Customer Name"));
            EXPECT_EQ(viewer->RTB->toPlainText(), QStringLiteral("Ann Lee\nAcme\nUSA"));
            viewer->close();
            shown = true;
        }
    }
    EXPECT_TRUE(shown);
}

TEST_F(ListsTest, InformationTextFollowsTheLabelsOnShow)
{
    const qint32 vip = addCategory(QStringLiteral("VIP"), 1);
    const qint32 ohio = addCategory(QStringLiteral("Ohio"), 3);
    const qint32 usa = addCategory(QStringLiteral("USA"), 4);
    const QString contacts = QStringLiteral("Bob") + QString(4, kThorn) + QStringLiteral("bob@x.com\r")
                             + kThorn + QStringLiteral("Ghost") + QString(3, kThorn) + QStringLiteral("\r")
                             + QStringLiteral("Cy") + kThorn + QStringLiteral("CTO") + kThorn
                             + QStringLiteral("2 Side St") + kThorn + QStringLiteral("555-2000") + kThorn
                             + QStringLiteral("\r");
    const qint32 id = addCustomer({{QStringLiteral("custno"), QStringLiteral("A-1")},
                                   {QStringLiteral("salutation"), QStringLiteral("Dr.")},
                                   {QStringLiteral("firstname"), QStringLiteral("Ann")},
                                   {QStringLiteral("lastname"), QStringLiteral("Lee")},
                                   {QStringLiteral("company"), QStringLiteral("Acme")},
                                   {QStringLiteral("title"), QStringLiteral("CEO")},
                                   {QStringLiteral("address1"), QStringLiteral("1 Main St")},
                                   {QStringLiteral("address2"), QStringLiteral("Suite 2")},
                                   {QStringLiteral("city"), QStringLiteral("Springfield")},
                                   {QStringLiteral("state"), ohio},
                                   {QStringLiteral("postalcode"), QStringLiteral("45501")},
                                   {QStringLiteral("country"), usa},
                                   {QStringLiteral("custom1"), QStringLiteral("Gold")},
                                   {QStringLiteral("workphone"), QStringLiteral("555-1000")},
                                   {QStringLiteral("emailname"), QStringLiteral("ann@acme.com")},
                                   {QStringLiteral("custcat"), vip},
                                   {QStringLiteral("notes"), QStringLiteral("Line one\r\nLine two")},
                                   {QStringLiteral("contacts"), contacts}});
    ASSERT_EQ(id, 1000);
    frmCustomer* w = open(id);
    EXPECT_EQ(w->FormContent(), golden("info_builtin_labels.txt"));

    QList<QStringList> mails;
    frmCustomer::mailSender() = [&mails](const QString& to, const QString& subject, const QString& body) {
        mails.append({to, subject, body});
        return true;
    };
    w->cmdEmail->click();
    frmCustomer::mailSender() = nullptr;
    EXPECT_EQ(mails, (QList<QStringList>{{QStringLiteral("ann@acme.com"),
                                          QStringLiteral("<<Verify Email Address and Enter Subject>>"),
                                          golden("info_builtin_labels.txt")}}));

    // Preview on the fields' tabs shows the same text in a new viewer each time.
    w->cmdPrint->click();
    w->cmdPrint->click();
    int viewers = 0;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (auto* viewer = qobject_cast<frmRichEdit*>(top); viewer && viewer->isVisible()) {
            EXPECT_EQ(viewer->windowTitle(), QStringLiteral("Customer: Acme @10:30:00 AM"));
            EXPECT_EQ(viewer->RTB->toPlainText(), QString(golden("info_builtin_labels.txt")).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
            viewer->close();
            ++viewers;
        }
    }
    EXPECT_EQ(viewers, 2);

    ASSERT_TRUE(DB().SetParamValue(QStringLiteral("bcccust.dbf_custom1"), QStringLiteral("Preferred Delivery Window")));
    frmCustomer* n = open(-1, true);
    n->txtCoName->setText(QStringLiteral("Acme"));
    n->txtCust1->setEditText(QStringLiteral("Gold"));
    EXPECT_EQ(n->FormContent(), golden("info_custom_label_no_contacts.txt"));
}

} // namespace

namespace {

TEST_F(ListsTest, WhatArrivesDuringAFillWaitsForItsEnd)
{
    const qint32 id = addCustomer({{QStringLiteral("company"), QStringLiteral("Acme")}});
    addPS(id, 0, QString(), QString());
    addIssue(id);
    QPointer<frmCustomer> w = open(id);
    addPS(id, 0, QString(), QString());
    // Events that run between the rows of the fill: a notice for the same
    // list and the window's close box.
    QStringList seen;
    QTimer::singleShot(0, w, [&] {
        m_main.NotifyCustomer(id, 2, -1);
        seen.append(w->lblPS->text());
        w->close();
        seen.append(w ? QStringLiteral("open") : QStringLiteral("gone"));
    });
    w->LV_LoadPS(-1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(seen, texts({"1 products/services", "open"}));
    EXPECT_FALSE(w);
}

} // namespace

namespace {

// An issue window that notes each opening; untagged, so that every opening
// makes one.
class NotedIssueWindow : public QWidget, public IdleForm {
public:
    explicit NotedIssueWindow(QStringList& opened) : m_opened(opened) {}
    void Init(qint32 RowID, bool EditMode) override
    {
        const QString mode = EditMode ? QStringLiteral("edit") : QStringLiteral("view");
        m_opened.append(QStringLiteral("I%1 ").arg(RowID) + mode);
    }

private:
    QStringList& m_opened;
};

TEST_F(ListsTest, EnterOrADoubleClickOpensTheSelectedIssueOnce)
{
    QStringList opened;
    WindowCreators::set(WindowCreators::Kind::Issue, [&opened](QWidget*) { return new NotedIssueWindow(opened); });
    const qint32 id = addCustomer({{QStringLiteral("company"), QStringLiteral("Acme")}});
    const qint32 issue = addIssue(id);
    frmCustomer* w = open(id);
    w->TabCtl->setCurrentIndex(3);
    QTest::keyClick(w->lvIssues, Qt::Key_Return);
    emit w->lvIssues->itemDoubleClicked(w->lvIssues->topLevelItem(0), 0);
    EXPECT_EQ(opened, QStringList(2, QStringLiteral("I%1 view").arg(issue)));
    EXPECT_TRUE(boxTexts().isEmpty());
}

} // namespace
