#include "CustomerFixture.h"

#include "app/EditModeCtl.h"
#include "app/StatisticCtl.h"
#include "app/WindowCreators.h"
#include "app/WindowInterfaces.h"
#include "common/ui/ObjectTag.h"
#include "data/RecColl.h"
#include "data/clsDB.h"
#include "xbase/c4.h"

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>
#include "common/ui/clsSystemUI.h"

namespace {

using RecordTest = CustomerFixture;

const QString kDiscard = QStringLiteral("Do you wish to discard your changes (if any)?");

RecColl readCustomer(qint32 id)
{
    RecColl coll(DB().CustomerTable(), id, QStringLiteral("_customer"));
    EXPECT_TRUE(DB().ReadRecord(coll, true));
    return coll;
}

TEST_F(RecordTest, NewCustomerWithACompanyOnlyIsStoredAndOpensItsListTabs)
{
    auto* newCustomer = m_main.findChild<QAction*>(QStringLiteral("mnuViewNewCustomer"));
    ASSERT_NE(newCustomer, nullptr);
    EXPECT_EQ(newCustomer->shortcut(), QKeySequence(Qt::Key_F2));
    m_main.NewCustomer();
    frmCustomer* w = nullptr;
    {
        QWidget* found = nullptr;
        ASSERT_TRUE(SysUI().GetFormWithTag(QStringLiteral("C-1"), found));
        w = dynamic_cast<frmCustomer*>(found);
    }
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Customer Name"));
    EXPECT_TRUE(w->EM->InEditMode());
    EXPECT_FALSE(w->TabCtl->isTabEnabled(2));
    EXPECT_FALSE(w->TabCtl->isTabEnabled(3));
    EXPECT_FALSE(w->lblEdit->isVisibleTo(w));
    EXPECT_TRUE(w->lblNewCust->isVisibleTo(w));
    EXPECT_FALSE(w->lblCustomerID->isVisibleTo(w));
    EXPECT_FALSE(w->cmdRefresh->isEnabled());
    EXPECT_FALSE(w->cmdDelete->isEnabled());

    w->txtCoName->setText(QStringLiteral("Acme"));
    w->cmdApply->click();
    ASSERT_GE(w->RowID, 1000);
    const qint32 id = w->RowID;
    EXPECT_EQ(objectTag(w), QStringLiteral("C%1").arg(id));
    EXPECT_FALSE(w->EM->InEditMode());
    EXPECT_TRUE(w->TabCtl->isTabEnabled(2));
    EXPECT_TRUE(w->TabCtl->isTabEnabled(3));
    EXPECT_TRUE(w->lblEdit->isVisibleTo(w));
    EXPECT_EQ(w->lblEdit->text(), QStringLiteral("Edi&t Data"));
    EXPECT_EQ(w->lblCustomerID->text(), QStringLiteral("ID: %1").arg(id));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Customer: Acme @10:30:00 AM"));
    EXPECT_EQ(w->LE->ModifiedBy(), QStringLiteral("admin"));

    RecColl coll = readCustomer(id);
    EXPECT_EQ(coll.text(QStringLiteral("company")).trimmed(), QStringLiteral("Acme"));
    EXPECT_EQ(coll.value(QStringLiteral("custcat")).toInt(), -1);
    EXPECT_EQ(coll.value(QStringLiteral("state")).toInt(), -1);
    EXPECT_EQ(coll.value(QStringLiteral("country")).toInt(), -1);
    const QString contacts = coll.text(QStringLiteral("contacts"));
    EXPECT_EQ(contacts, QString(QStringLiteral("\u00FE\u00FE\u00FE\u00FE\r")).repeated(50));
    EXPECT_EQ(contacts.size(), 250);
    EXPECT_EQ(mark(id), QStringLiteral("0|"));
    EXPECT_TRUE(m_prompts.shown().isEmpty());
}

TEST_F(RecordTest, ValidationStopsAtTheFirstFault)
{
    const QString noName = QStringLiteral("Customer's last name or company name must be specified!");
    const QString badDefault = QStringLiteral("Default email address entered is not a valid email address!");
    const QString badAlternate = QStringLiteral("Alternate email address entered is not a valid email address!");
    const struct {
        const char* last;
        const char* company;
        const char* mail;
        const char* mail2;
        QString fault; // empty: saved
    } cases[] = {
        {"", "  ", "a@@b", "x y", noName},
        {"Smith", "", "", "", QString()},
        {"", "Acme", "abc", "", QString()},
        {"", "Acme", "a@@b", "x y", badDefault},
        {"", "Acme", "a b", "", badDefault},
        {"", "Acme", "a@", "", badDefault},
        {"", "Acme", " a@b.com ", "x y", badAlternate},
        {"", "Acme", "", "b@", badAlternate},
    };
    for (const auto& c : cases) {
        frmCustomer* w = open(-1, true);
        ASSERT_NE(w, nullptr);
        m_prompts.clear();
        w->txtLname->setText(QString::fromLatin1(c.last));
        w->txtCoName->setText(QString::fromLatin1(c.company));
        w->txtEmailName->setText(QString::fromLatin1(c.mail));
        w->txtEmailName2->setText(QString::fromLatin1(c.mail2));
        w->cmdApply->click();
        if (c.fault.isEmpty()) {
            EXPECT_GE(w->RowID, 1000) << c.mail;
            EXPECT_TRUE(windowTexts().isEmpty()) << c.mail;
        } else {
            EXPECT_EQ(w->RowID, -1) << c.mail;
            EXPECT_TRUE(w->EM->InEditMode());
            EXPECT_EQ(windowTexts(), QStringList{c.fault}) << c.mail;
            EXPECT_EQ(m_prompts.shown().first().style, 3);
            m_prompts.button(MsgAnswer::Yes);
        }
        w->close();
    }
}

TEST_F(RecordTest, DuplicateNumberIsAskedUnderTheCustomLabelOnEverySave)
{
    ASSERT_TRUE(DB().SetParamValue(QStringLiteral("bcccust.dbf_custno"), QStringLiteral("Account")));
    addCustomer({{QStringLiteral("company"), QStringLiteral("First")}, {QStringLiteral("custno"), QStringLiteral("A-1")}});
    const qint32 second = addCustomer({{QStringLiteral("company"), QStringLiteral("Second")}});
    frmCustomer* w = open(second);
    w->DoEditModeBtn();
    ASSERT_TRUE(w->EM->InEditMode());
    w->txtCustNo->setText(QStringLiteral("A-1 "));

    m_prompts.button(MsgAnswer::Cancel);
    w->cmdApply->click();
    const QString question = QStringLiteral(
        "There are 1 other customer(s) with the same Account 'A-1 ' in your database. Choose View | Lookup Customer "
        "to find the customers with the same Account. \r\n\r\nDo you want to add this customer with the duplicate "
        "Account anyways?");
    EXPECT_EQ(boxTexts(), QStringList{question});
    EXPECT_EQ(m_prompts.last().style, MsgStyle::YesNoCancel + MsgStyle::Question + MsgStyle::DefaultButton3);
    EXPECT_EQ(m_prompts.last().title, QStringLiteral("Brindlemark"));
    EXPECT_TRUE(w->EM->InEditMode());
    EXPECT_EQ(mark(second), QStringLiteral("1000|testbox"));

    m_prompts.clear();
    m_prompts.button(MsgAnswer::Yes);
    w->cmdApply->click();
    EXPECT_FALSE(w->EM->InEditMode());
    EXPECT_EQ(readCustomer(second).text(QStringLiteral("custno")).trimmed(), QStringLiteral("A-1"));

    // An empty number is never a duplicate, however many share it.
    m_prompts.clear();
    frmCustomer* n = open(-1, true);
    n->txtCoName->setText(QStringLiteral("Third"));
    n->cmdApply->click();
    EXPECT_GE(n->RowID, 1000);
    EXPECT_TRUE(m_prompts.shown().isEmpty());
}

// A custom label shows as typed: an "&" in it takes no Alt key.
TEST_F(RecordTest, CustomLabelsShowTheirAmpersandsAsTyped)
{
    const struct {
        const char* key;
        const char* typed;
        QLabel* frmCustomer::*label;
        QString caption; // the label's text, which shows the name as typed
    } cases[] = {
        {"bcccust.dbf_custom1", "R&D Code", &frmCustomer::lblCustom1, QStringLiteral("R&&D Code:")},
        {"bcccust.dbf_company", "Smith && Sons", &frmCustomer::lblCo, QStringLiteral("Smith &&&& Sons:")},
        {"bcccust.dbf_city", "Town", &frmCustomer::lblCity, QStringLiteral("Town:")},
    };
    for (const auto& c : cases)
        ASSERT_TRUE(DB().SetParamValue(QString::fromLatin1(c.key), QString::fromLatin1(c.typed)));
    frmCustomer* w = open(addCustomer({{QStringLiteral("company"), QStringLiteral("Acme")}}));
    ASSERT_NE(w, nullptr);
    for (const auto& c : cases) {
        const QLabel* label = w->*c.label;
        EXPECT_EQ(label->text(), c.caption) << c.key;
        EXPECT_TRUE(QKeySequence::mnemonic(label->text()).isEmpty()) << c.key;
    }
    // The information text names the fields as the window shows them.
    const QString text = w->FormContent();
    EXPECT_TRUE(text.contains(QStringLiteral("\r\nSmith && Sons:      Acme\r\n"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("\r\nR&D Code:           \r\n"))) << text.toStdString();
}

TEST_F(RecordTest, CaptionNamesTheCompanyElseLastAndFirstName)
{
    const struct {
        const char* first;
        const char* last;
        const char* company;
        const char* caption;
    } cases[] = {
        {"Ann", "Lee", " Acme ", "Customer: Acme @10:30:00 AM"},
        {"Ann", "Lee", "", "Customer: Lee, Ann @10:30:00 AM"},
        {"", "Lee", "", "Customer: Lee @10:30:00 AM"},
        {"Ann", "", "", "Customer: New  @10:30:00 AM"},
    };
    for (const auto& c : cases) {
        const qint32 id = addCustomer({{QStringLiteral("firstname"), QString::fromLatin1(c.first)},
                                       {QStringLiteral("lastname"), QString::fromLatin1(c.last)},
                                       {QStringLiteral("company"), QString::fromLatin1(c.company)}});
        frmCustomer* w = open(id);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->windowTitle(), QString::fromLatin1(c.caption));
    }
}

TEST_F(RecordTest, DeleteIsRefusedWhileRowsDependOnTheCustomer)
{
    const qint32 id = addCustomer({{QStringLiteral("company"), QStringLiteral("Acme")}});
    addPS(id, 0, QString(), QString());
    addIssue(id);
    QPointer<frmCustomer> w = open(id);
    w->DoEditModeBtn();
    ASSERT_TRUE(w->cmdDelete->isEnabled());
    m_prompts.clear();
    w->cmdDelete->click();
    const QString caption = QStringLiteral("Customer: Acme @10:30:00 AM");
    EXPECT_EQ(windowTexts(),
              QStringList{QStringLiteral("Unable to delete customer because:\r\n\r\n  - '") + caption
                          + QStringLiteral("' has Product/Services associated (Cancel Edit & see Product/Services "
                                           "tab).\r\n\r\n  - '")
                          + caption + QStringLiteral("' has Issues associated (Cancel Edit & see Issues tab).\r\n\r\n")});
    EXPECT_EQ(m_prompts.last().style, 2);
    ASSERT_TRUE(w);
    EXPECT_TRUE(DB().CheckIfRecExists(DB().CustomerTable(), QStringLiteral("bcccust.dbf"), id, true));
}

TEST_F(RecordTest, DeleteAskedYesRemovesTheRowAndClosesTheWindow)
{
    const qint32 id = addCustomer({{QStringLiteral("lastname"), QStringLiteral("Lee")}});
    QPointer<frmCustomer> w = open(id);
    w->DoEditModeBtn();
    m_prompts.clear();
    for (MsgAnswer answer : {MsgAnswer::No, MsgAnswer::Yes}) {
        m_prompts.button(answer);
        w->cmdDelete->click();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(boxTexts(), QStringList(2, QStringLiteral("Are you sure you want to *DELETE*  'Customer: Lee @10:30:00 AM'?")));
    EXPECT_EQ(m_prompts.last().title, QStringLiteral("DELETE Confirmation"));
    EXPECT_EQ(m_prompts.last().style, MsgStyle::YesNoCancel + MsgStyle::Question + MsgStyle::DefaultButton3);
    EXPECT_FALSE(w);
    EXPECT_FALSE(DB().CheckIfRecExists(DB().CustomerTable(), QStringLiteral("bcccust.dbf"), id, true));
}

TEST_F(RecordTest, FieldsAndCategoriesRoundTripAndAVanishedCategorySavesAsNone)
{
    const qint32 vip = addCategory(QStringLiteral("VIP"), 1);
    const qint32 ohio = addCategory(QStringLiteral("Ohio"), 3);
    const qint32 usa = addCategory(QStringLiteral("USA"), 4);
    addCategory(QStringLiteral("Gold"), 200);
    const qint32 id = addCustomer({{QStringLiteral("company"), QStringLiteral("Acme")},
                                   {QStringLiteral("custcat"), 4711}, {QStringLiteral("state"), ohio},
                                   {QStringLiteral("country"), usa}, {QStringLiteral("custom1"), QStringLiteral("Typed")},
                                   {QStringLiteral("salutation"), QStringLiteral("Dr.")},
                                   {QStringLiteral("notes"), QStringLiteral("line 1\r\nline 2")}});
    frmCustomer* w = open(id);
    EXPECT_EQ(w->cboCategory->currentIndex(), -1);
    EXPECT_EQ(w->cboCategory->currentText(), QString());
    EXPECT_EQ(w->cboCategory->itemText(0), QString());
    EXPECT_EQ(w->cboCategory->itemText(1), QStringLiteral("VIP"));
    EXPECT_EQ(w->cboStates->currentText(), QStringLiteral("Ohio"));
    EXPECT_EQ(w->cboCountry->currentText(), QStringLiteral("USA"));
    EXPECT_EQ(w->txtCust1->currentText(), QStringLiteral("Typed"));
    EXPECT_EQ(w->txtCust1->itemText(0), QStringLiteral("Gold"));
    EXPECT_EQ(w->cboSalutation->currentText(), QStringLiteral("Dr."));
    (void)vip;

    w->DoEditModeBtn();
    w->cmdApply->click();
    ASSERT_FALSE(w->EM->InEditMode());
    RecColl coll = readCustomer(id);
    EXPECT_EQ(coll.value(QStringLiteral("custcat")).toInt(), -1);
    EXPECT_EQ(coll.value(QStringLiteral("state")).toInt(), ohio);
    EXPECT_EQ(coll.value(QStringLiteral("country")).toInt(), usa);
    EXPECT_EQ(coll.text(QStringLiteral("custom1")).trimmed(), QStringLiteral("Typed"));
    EXPECT_EQ(coll.text(QStringLiteral("salutation")).trimmed(), QStringLiteral("Dr."));
    EXPECT_EQ(coll.text(QStringLiteral("notes")), QStringLiteral("line 1\r\nline 2"));
}

TEST_F(RecordTest, AnotherUsersMarkBringsTheUnderEditDialog)
{
    const qint32 id = addCustomer({{QStringLiteral("company"), QStringLiteral("Acme")}});
    pokeField(DB().CustomerTable(), id, "underedit", 1);
    pokeField(DB().CustomerTable(), id, "edtstation", QStringLiteral("DESK7"));
    frmCustomer* w = open(id);
    w->lblEdit->click();
    EXPECT_FALSE(w->EM->InEditMode());
    EXPECT_EQ(m_logins.underEditAsked, QStringList{QStringLiteral("@DESK7")});
    EXPECT_EQ(mark(id), QStringLiteral("1|DESK7"));
}

TEST_F(RecordTest, AFailedSaveKeepsEditModeAndTheMark)
{
    const qint32 id = addCustomer({{QStringLiteral("company"), QStringLiteral("Acme")}});
    frmCustomer* w = open(id);
    w->DoEditModeBtn();
    w->txtCoName->setText(QStringLiteral("Acme Ltd"));
    CODE4* other = d4init_v();
    DATA4* table = d4open(other, DB().CustomerTable().toLocal8Bit().constData());
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(d4lock(table, 1), 0);
    w->cmdApply->click();
    d4initUndo(other);
    EXPECT_TRUE(w->EM->InEditMode());
    EXPECT_EQ(w->txtCoName->text(), QStringLiteral("Acme Ltd"));
    EXPECT_EQ(mark(id), QStringLiteral("1000|testbox"));
    EXPECT_FALSE(m_prompts.shown().isEmpty());
}

// --- Commands -----------------------------------------------------------------

TEST_F(RecordTest, CtrlEEntersEditModeOnlyFromViewModeWhereTheSwitchShows)
{
    const qint32 id = addCustomer({{QStringLiteral("company"), QStringLiteral("Acme")}});
    frmCustomer* w = open(id);
    m_main.show();
    QApplication::setActiveWindow(&m_main);

    w->TabCtl->setCurrentIndex(2);
    QTest::keyClick(w->lvPS, Qt::Key_E, Qt::ControlModifier);
    EXPECT_FALSE(w->EM->InEditMode());
    EXPECT_FALSE(w->lblEdit->isVisibleTo(w));
    EXPECT_FALSE(w->cmdEmail->isEnabled());

    w->TabCtl->setCurrentIndex(0);
    EXPECT_TRUE(w->cmdEmail->isEnabled());
    QTest::keyClick(w->txtCoName, Qt::Key_E, Qt::ControlModifier);
    ASSERT_TRUE(w->EM->InEditMode());
    EXPECT_EQ(w->lblEdit->text(), QStringLiteral("Cancel Edi&t"));
    EXPECT_TRUE(w->lblEdit->isVisibleTo(w));
    EXPECT_FALSE(w->TabCtl->isTabEnabled(2));

    // In edit mode Ctrl+E asks nothing and changes nothing.
    QTest::keyClick(w->txtCoName, Qt::Key_E, Qt::ControlModifier);
    EXPECT_TRUE(w->EM->InEditMode());
    EXPECT_TRUE(m_prompts.shown().isEmpty());
}

TEST_F(RecordTest, CtrlEInALockedListEntersEditModeOfThatWindowOnly)
{
    const qint32 acme = addCustomer({{QStringLiteral("company"), QStringLiteral("Acme")}});
    const qint32 other = addCustomer({{QStringLiteral("company"), QStringLiteral("Other")}});
    frmCustomer* w = open(acme);
    frmCustomer* next = open(other);
    m_main.show();
    QApplication::setActiveWindow(&m_main);

    // A list in view mode refuses the keys that would change it, but not
    // the window's Ctrl+E; the other open window stays as it is.
    QTest::keyClick(w->cboCountry, Qt::Key_E, Qt::ControlModifier);
    EXPECT_TRUE(w->EM->InEditMode());
    EXPECT_FALSE(next->EM->InEditMode());
    EXPECT_TRUE(m_prompts.shown().isEmpty());
}

TEST_F(RecordTest, TheRowOfTabsTakesTheFocusAfterTheEditSwitchInEitherMode)
{
    const qint32 id = addCustomer({{QStringLiteral("company"), QStringLiteral("Acme")}});
    frmCustomer* w = open(id);
    m_main.show();
    m_main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m_main));

    w->txtCoName->setFocus();
    QTest::keyClick(w->txtCoName, Qt::Key_E, Qt::ControlModifier);
    ASSERT_TRUE(w->EM->InEditMode());
    EXPECT_TRUE(w->TabCtl->hasFocus());

    w->TabCtl->setCurrentIndex(1);
    EXPECT_TRUE(w->txtNote->hasFocus());
    m_prompts.button(MsgAnswer::Yes);
    QTest::mouseClick(w->lblEdit, Qt::LeftButton);
    ASSERT_FALSE(w->EM->InEditMode());
    EXPECT_TRUE(w->TabCtl->hasFocus());
}

TEST_F(RecordTest, ClosingInEditModeAsksAndNoKeepsTheWindow)
{
    const qint32 id = addCustomer({{QStringLiteral("company"), QStringLiteral("Acme")}});
    QPointer<frmCustomer> w = open(id);
    w->DoEditModeBtn();
    m_prompts.button(MsgAnswer::No);
    m_main.mdiArea()->subWindowList().first()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_TRUE(w);
    EXPECT_TRUE(w->EM->InEditMode());
    EXPECT_EQ(mark(id), QStringLiteral("1000|testbox"));

    m_prompts.button(MsgAnswer::Yes);
    w->CancelButton->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(w);
    EXPECT_EQ(mark(id), QStringLiteral("0|"));
    EXPECT_EQ(boxTexts(), QStringList(2, kDiscard));
}

TEST_F(RecordTest, ModifyListKeepsTheSelectedEntryOrTheTypedText)
{
    const qint32 vip = addCategory(QStringLiteral("VIP"), 1);
    const qint32 old = addCategory(QStringLiteral("Old"), 1);
    addCategory(QStringLiteral("Gold"), 200);
    const qint32 id = addCustomer({{QStringLiteral("company"), QStringLiteral("Acme")}, {QStringLiteral("custcat"), vip}});
    const qint32 other = addCustomer({{QStringLiteral("company"), QStringLiteral("Beta")}, {QStringLiteral("custcat"), old}});
    QList<qint32> customLists;
    frmCustomer::customListEditor() = [&customLists](qint32 type) { customLists.append(type); };

    frmCustomer* w = open(id);
    w->DoEditModeBtn();
    pokeField(DB().CategoryTable(), vip, "desc", QStringLiteral("Very Important"));
    w->cboCatCategory->click();
    EXPECT_EQ(w->cboCategory->currentText(), QStringLiteral("Very Important"));
    EXPECT_EQ(SysUI().cboGetItemID(w->cboCategory), vip);

    w->txtCust1->setEditText(QStringLiteral("Not listed"));
    w->cmdCust1Cat->click();
    EXPECT_EQ(w->txtCust1->currentText(), QStringLiteral("Not listed"));
    EXPECT_EQ(w->txtCust1->count(), 1);
    EXPECT_EQ(customLists, QList<qint32>{200});

    // A category deleted meanwhile leaves the combo empty, saved as none.
    frmCustomer* b = open(other);
    b->DoEditModeBtn();
    ASSERT_TRUE(DB().DeleteRecord(old, DB().CategoryTable()));
    b->cboCatCategory->click();
    EXPECT_EQ(b->cboCategory->currentIndex(), -1);
    b->cmdApply->click();
    EXPECT_EQ(readCustomer(other).value(QStringLiteral("custcat")).toInt(), -1);
    frmCustomer::customListEditor() = nullptr;
}

TEST_F(RecordTest, DateTimeStampReplacesTheSelectionWithoutALineBreak)
{
    const qint32 id = addCustomer({{QStringLiteral("company"), QStringLiteral("Acme")},
                                   {QStringLiteral("notes"), QStringLiteral("before XXX after")}});
    frmCustomer* w = open(id);
    w->DoEditModeBtn();
    QTextCursor cursor = w->txtNote->textCursor();
    cursor.setPosition(7);
    cursor.setPosition(10, QTextCursor::KeepAnchor);
    w->txtNote->setTextCursor(cursor);
    w->cmdDTStamp_Notes->click();
    EXPECT_EQ(w->txtNote->toPlainText(), QStringLiteral("before 3/15/2024 @ 10:30:00 AM by admin after"));
}

// An issue window that only records how it was opened.
class FakeIssueWindow : public QWidget, public IssueWindow {
public:
    static inline QList<QList<qint32>> opened;
    qint32 cust = 0;
    void SetCustID(qint32 CustID) override { cust = CustID; }
    void SetTemplateID(qint32 TemplateID) override { opened.append({cust, TemplateID}); }
};

// A template choice that answers at once.
class FakeTemplatePicker : public QDialog, public SelectIssueTemplateDialog {
public:
    FakeTemplatePicker(QWidget* parent, bool ok)
        : QDialog(parent)
        , m_ok(ok)
    {
    }
    int exec() override { return m_ok ? Accepted : Rejected; }
    bool OKPressed() const override { return m_ok; }
    qint32 TemplateID() const override { return 77; }

private:
    bool m_ok;
};

TEST_F(RecordTest, NewIssueWithoutTemplatesOpensTheIssueWindowAtOnce)
{
    FakeIssueWindow::opened.clear();
    WindowCreators::set(WindowCreators::Kind::Issue, [](QWidget*) -> QWidget* { return new FakeIssueWindow; });
    const qint32 id = addCustomer({{QStringLiteral("company"), QStringLiteral("Acme")}});
    frmCustomer* w = open(id);
    w->TabCtl->setCurrentIndex(3);
    w->cmdNewIssue->click();
    EXPECT_EQ(FakeIssueWindow::opened, (QList<QList<qint32>>{{id, -1}}));
    EXPECT_TRUE(m_prompts.shown().isEmpty());

    // With templates on, the chosen template goes to the issue; Cancel in
    // the choice opens nothing.
    ASSERT_TRUE(DB().SetParamValue(QStringLiteral("ENABLE_ISSUE_TEMPLATES"), QStringLiteral("1")));
    for (bool ok : {true, false}) {
        WindowCreators::set(WindowCreators::Kind::SelectIssueTemplate,
                            [ok](QWidget* parent) -> QWidget* { return new FakeTemplatePicker(parent, ok); });
        FakeIssueWindow::opened.clear();
        w->cmdNewIssue->click();
        const QList<QList<qint32>> expected = ok ? QList<QList<qint32>>{{id, 77}} : QList<QList<qint32>>{};
        EXPECT_EQ(FakeIssueWindow::opened, expected) << ok;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(RecordTest, OKSavesAndClosesTheWindow)
{
    const qint32 id = addCustomer({{QStringLiteral("company"), QStringLiteral("Acme")}});
    QPointer<frmCustomer> w = open(id);
    w->DoEditModeBtn();
    w->txtCity->setText(QStringLiteral("Springfield"));
    w->OKButton->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(w);
    EXPECT_EQ(readCustomer(id).text(QStringLiteral("city")).trimmed(), QStringLiteral("Springfield"));
    EXPECT_EQ(mark(id), QStringLiteral("0|"));
    EXPECT_TRUE(m_prompts.shown().isEmpty());
}

TEST_F(RecordTest, AWindowSmallerThanItsButtonBarGivesTheTabsNoHeight)
{
    const qint32 id = addCustomer({{QStringLiteral("company"), QStringLiteral("Acme")}});
    frmCustomer window;
    window.Init(id, false);
    frmCustomer* w = &window;
    w->show();
    w->resize(300, 10);
    QCoreApplication::processEvents();
    ASSERT_EQ(w->height(), 10);
    EXPECT_EQ(w->TabCtl->height(), 0);
    EXPECT_EQ(w->BtnBar->y(), 0);
    w->resize(900, 600);
    QCoreApplication::processEvents();
    EXPECT_EQ(w->TabCtl->height(), 600 - w->BtnBar->height());
    EXPECT_EQ(w->BtnBar->y(), w->TabCtl->height());
}

// Tab from the row of tabs walks the pages in the order of their layout
// (only the shown page is reached), then the button bar.
TEST_F(RecordTest, TabFromTheTabsWalksTheFieldsThenTheButtons)
{
    const qint32 id = addCustomer({{QStringLiteral("company"), QStringLiteral("Acme")}});
    frmCustomer* w = open(id);
    const QList<QWidget*> expected{
        w->txtCustNo, w->cboSalutation, w->txtFname, w->txtLname, w->txtCoName, w->txtTitle, w->txtAddress1,
        w->txtAddress2, w->txtCity, w->cboStates, w->cmdCatStates, w->txtPostalCode, w->cboCountry,
        w->cboCatCountry, w->txtWorkPhone, w->txtHomePhone, w->txtMobilePhone, w->txtFaxphone, w->txtEmailName,
        w->cmdSendEmail, w->txtEmailName2, w->cmdSendEmail2, w->cboCategory, w->cboCatCategory, w->txtCust1,
        w->cmdCust1Cat, w->txtCust2, w->cmdCust2Cat, w->cmdDTStamp_Notes, w->txtNote, w->grdContacts, w->lvPS,
        w->cmdNewPS, w->cmdPropertiesPS, w->cmdPrintPS, w->lvIssues, w->cmdNewIssue, w->cmdPropertiesIssues,
        w->cmdPrintIssues, w->lblEdit, w->cmdLabel, w->cmdEmail, w->cmdPrint,
        w->cmdRefresh, w->cmdDelete, w->OKButton, w->CancelButton, w->cmdApply};
    QWidget* start = w->TabCtl->tabBar();
    QList<QWidget*> walked;
    for (QWidget* next = start->nextInFocusChain(); next != start && walked.size() < expected.size();
         next = next->nextInFocusChain()) {
        if (expected.contains(next) && !walked.contains(next))
            walked.append(next);
    }
    EXPECT_EQ(walked, expected);
}

} // namespace
