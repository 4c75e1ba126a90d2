#include "AppFixture.h"

#include "app/EditModeCtl.h"
#include "app/RecordWindow.h"
#include "app/StatisticCtl.h"
#include "app/frmMain.h"
#include "common/ui/ObjectTag.h"
#include "data/RecColl.h"
#include "data/clsDB.h"
#include "xbase/c4.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

namespace {

// A customer window of the tests' own: the company box (edited), a label
// of the custom field 1, and Apply.
class CustomerTestWindow : public RecordWindow<QWidget> {
public:
    CustomerTestWindow()
        : RecordWindow<QWidget>({QStringLiteral("C"), DB().CustomerTable(), QStringLiteral("bcccust.dbf"),
                                 QStringLiteral("_customer"), &clsDB::Perm_Customers, QStringLiteral("bcccust.dbf")})
    {
        lblCustom1 = new QLabel(QStringLiteral("Custom 1:"), this);
        setObjectTag(lblCustom1, QStringLiteral("custom1"));
        txtCompany = new QLineEdit(this);
        setObjectTag(txtCompany, QStringLiteral("E"));
        lblCustom1->setBuddy(txtCompany);
        auto* apply = new QPushButton(QStringLiteral("Apply"), this);
        cmdApply = apply;
        QObject::connect(apply, &QPushButton::clicked, this, [this] {
            if (SaveData()) {
                EM->ViewMode();
                LoadData();
                SetUI();
            }
        });
        auto* layout = new QVBoxLayout(this);
        for (QWidget* w : std::initializer_list<QWidget*>{EM, lblEdit, lblCustom1, txtCompany, apply, LE})
            layout->addWidget(w);
        InitControls();
    }

    void LoadData() override
    {
        QString company;
        if (RowID >= 1) {
            RecColl coll(table().path, RowID, table().rectype);
            if (DB().ReadRecord(coll, false))
                company = coll.text(QStringLiteral("company"));
        }
        txtCompany->setText(company);
        UpdateLastEditCtl();
    }
    bool ValidateData() override { return true; }
    bool SaveData() override
    {
        if (!ValidateData())
            return false;
        RecColl coll;
        DB().NewCustomerRecColl(coll);
        coll.set(QStringLiteral("company"), txtCompany->text());
        if (incompleteSave)
            coll.remove(QStringLiteral("company"));
        return StoreRecord(coll);
    }

    // The next saves hand over a collection that the database object
    // refuses before it touches the row.
    bool incompleteSave = false;
    QString FormContent() override { return QString(); }
    QString FormPrint() override { return QString(); }
    QString FormEmail() override { return QString(); }

    QLabel* lblCustom1 = nullptr;
    QLineEdit* txtCompany = nullptr;
};

// A text box that claims every key, shortcuts included.
class GreedyEdit : public QLineEdit {
public:
    using QLineEdit::QLineEdit;
    QList<int> keys;

protected:
    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::ShortcutOverride) {
            e->accept();
            return true;
        }
        return QLineEdit::event(e);
    }
    void keyPressEvent(QKeyEvent* e) override
    {
        keys.append(e->key());
        e->accept();
    }
};

class RecordWindowTest : public AppFixture {
protected:
    RecordWindowTest()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        openNewDatabase();
    }
    ~RecordWindowTest() override { QLocale::setDefault(m_locale); }

    // A stored customer of that company; its row identifier.
    qint32 addCustomer(const QString& company)
    {
        RecColl coll;
        DB().NewCustomerRecColl(coll);
        coll.set(QStringLiteral("company"), company);
        EXPECT_TRUE(DB().SaveRecord(coll, false));
        return coll.value(QStringLiteral("_rowid")).toInt();
    }

    // A window on the row, shown in the main window.
    CustomerTestWindow* open(qint32 rowId, bool editMode = false)
    {
        auto* window = new CustomerTestWindow;
        window->Init(rowId, editMode);
        m_main.addMdiChild(window);
        return window;
    }

    // The under-edit fields of customer record 1 as bmtool shows them.
    QString dumpedMark()
    {
        const bmtest::ToolRun run = bmtest::runBmtool({QStringLiteral("dump"), DB().CustomerTable()});
        EXPECT_EQ(run.exitCode, 0) << run.all().toStdString();
        QStringList lines;
        for (const QString& line : run.out.split(QLatin1Char('\n'))) {
            const QString t = line.trimmed();
            if (t.startsWith(QLatin1String("UNDEREDIT:"), Qt::CaseInsensitive)
                || t.startsWith(QLatin1String("EDTSTATION:"), Qt::CaseInsensitive))
                lines.append(t.section(QLatin1Char(':'), 1).trimmed());
        }
        return lines.join(QLatin1Char('|'));
    }

    QStringList questions() const
    {
        QStringList texts;
        for (const ShownPrompt& p : m_prompts.shown()) {
            if (p.kind == ShownPrompt::Kind::MessageBox)
                texts.append(p.text);
        }
        return texts;
    }

    QLocale m_locale;
    frmMain m_main;
};

const QString kDiscard = QStringLiteral("Do you wish to discard your changes (if any)?");
const QString kGone = QStringLiteral(
    "Record cannot be accessed or no longer exists. It may have been deleted by another user.");

TEST_F(RecordWindowTest, EditSetsTheMarkAndShowsWhatWasSavedMeanwhile)
{
    const qint32 id = addCustomer(QStringLiteral("Acme"));
    CustomerTestWindow* window = open(id);
    EXPECT_EQ(objectTag(window), QStringLiteral("C%1").arg(id));
    EXPECT_EQ(window->EM->lblMode->text(), QStringLiteral("read-only"));
    EXPECT_EQ(window->EM->lblMode->palette().color(QPalette::Window), QColor(0xFF, 0xFF, 0xC0));
    EXPECT_EQ(window->lblEdit->text(), QStringLiteral("Edi&t Data"));
    EXPECT_TRUE(window->txtCompany->isReadOnly());
    EXPECT_FALSE(window->cmdApply->isEnabled());
    EXPECT_EQ(dumpedMark(), QStringLiteral("|"));

    // Another user renames the company while this window shows the old name.
    RecColl other;
    DB().NewCustomerRecColl(other);
    other.set(QStringLiteral("_rowid"), id);
    other.set(QStringLiteral("company"), QStringLiteral("Acme Ltd"));
    ASSERT_TRUE(DB().SaveRecord(other, false));
    EXPECT_EQ(window->txtCompany->text(), QStringLiteral("Acme"));

    window->lblEdit->click();
    EXPECT_TRUE(window->EM->InEditMode());
    EXPECT_EQ(window->EM->lblMode->text(), QStringLiteral("edit-data"));
    EXPECT_EQ(window->lblEdit->text(), QStringLiteral("Cancel Edi&t"));
    EXPECT_EQ(window->txtCompany->text(), QStringLiteral("Acme Ltd"));
    EXPECT_FALSE(window->txtCompany->isReadOnly());
    EXPECT_TRUE(window->cmdApply->isEnabled());
    EXPECT_EQ(dumpedMark(), QStringLiteral("1000|testbox"));
    EXPECT_TRUE(m_prompts.shown().isEmpty());
}

TEST_F(RecordWindowTest, CtrlEOpensEditModeAndAsksBeforeLeavingIt)
{
    const qint32 id = addCustomer(QStringLiteral("Acme"));
    CustomerTestWindow* window = open(id);
    // Even a control that takes every key itself leaves Ctrl+E to the window.
    auto* greedy = new GreedyEdit(window);
    m_main.show();
    QApplication::setActiveWindow(&m_main);
    greedy->setFocus();
    QTest::keyClick(greedy, Qt::Key_E, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_TRUE(window->EM->InEditMode());
    QTest::keyClick(greedy, Qt::Key_X, Qt::ControlModifier);
    EXPECT_TRUE(greedy->keys.contains(Qt::Key_X));
    EXPECT_FALSE(greedy->keys.contains(Qt::Key_E));
    window->txtCompany->setText(QStringLiteral("typed"));

    // No and Cancel keep the values, the mode and the mark; Yes gives them up.
    for (MsgAnswer answer : {MsgAnswer::No, MsgAnswer::Cancel}) {
        m_prompts.button(answer);
        QTest::keyClick(window, Qt::Key_E, Qt::ControlModifier);
        EXPECT_TRUE(window->EM->InEditMode());
        EXPECT_EQ(window->txtCompany->text(), QStringLiteral("typed"));
        EXPECT_EQ(dumpedMark(), QStringLiteral("1000|testbox"));
    }
    m_prompts.button(MsgAnswer::Yes);
    QTest::keyClick(window, Qt::Key_E, Qt::ControlModifier);
    EXPECT_FALSE(window->EM->InEditMode());
    EXPECT_EQ(window->txtCompany->text(), QStringLiteral("Acme"));
    EXPECT_EQ(dumpedMark(), QStringLiteral("0|"));

    EXPECT_EQ(questions(), QStringList(3, kDiscard));
    const ShownPrompt question = m_prompts.shown().first();
    EXPECT_EQ(question.title, QStringLiteral("Brindlemark"));
    EXPECT_EQ(question.style, MsgStyle::YesNoCancel + MsgStyle::Question + MsgStyle::DefaultButton2);
}

TEST_F(RecordWindowTest, EditRefusedWithoutPermissionOrWhenTheRowIsGone)
{
    const qint32 id = addCustomer(QStringLiteral("Acme"));
    const QString folder = DB().DBPath();
    addUser(QStringLiteral("clerk"), QString(30, QLatin1Char('0')));
    DB().CloseDB();
    m_logins.login(QStringLiteral("clerk"), QStringLiteral("clerk"));
    ASSERT_TRUE(DB().OpenDB(folder));

    CustomerTestWindow* window = open(id);
    window->DoEditModeBtn();
    EXPECT_FALSE(window->EM->InEditMode());
    ASSERT_EQ(m_prompts.shown().size(), 1);
    EXPECT_TRUE(m_prompts.last().text.startsWith(QLatin1String("Sorry, you are not permitted")));
    EXPECT_EQ(dumpedMark(), QStringLiteral("|"));
    window->close();
    DB().CloseDB();

    openAsAdmin(folder);
    CustomerTestWindow* second = open(id);
    ASSERT_TRUE(DB().DeleteRecord(id, DB().CustomerTable()));
    m_prompts.clear();
    second->DoEditModeBtn();
    EXPECT_FALSE(second->EM->InEditMode());
    EXPECT_EQ(shownTexts(ShownPrompt::Kind::MessageWindow), QStringList{kGone});
}

TEST_F(RecordWindowTest, AnotherUsersMarkBringsTheUnderEditDialog)
{
    const qint32 id = addCustomer(QStringLiteral("Acme"));
    pokeField(DB().CustomerTable(), id, "underedit", 1);
    pokeField(DB().CustomerTable(), id, "edtstation", QStringLiteral("DESK7"));
    CustomerTestWindow* window = open(id);

    window->DoEditModeBtn();
    EXPECT_FALSE(window->EM->InEditMode());
    EXPECT_EQ(m_logins.underEditAsked, QStringList{QStringLiteral("@DESK7")});
    EXPECT_EQ(dumpedMark(), QStringLiteral("1|DESK7"));

    // Editing anyway takes the mark over.
    m_logins.editAnyway = true;
    window->DoEditModeBtn();
    EXPECT_TRUE(window->EM->InEditMode());
    EXPECT_EQ(dumpedMark(), QStringLiteral("1000|testbox"));
}

TEST_F(RecordWindowTest, AWindowInEditModeClosesOnlyWhenTheDiscardIsConfirmed)
{
    const qint32 id = addCustomer(QStringLiteral("Acme"));
    QPointer<CustomerTestWindow> window = open(id);
    window->DoEditModeBtn();
    ASSERT_TRUE(window->EM->InEditMode());

    // Close Database answered No: the window, its edit and the database stay.
    m_prompts.button(MsgAnswer::No);
    m_main.mnuFileClose_Click();
    ASSERT_TRUE(window);
    EXPECT_FALSE(window->isHidden());
    EXPECT_TRUE(DB().IsOpen());
    EXPECT_EQ(dumpedMark(), QStringLiteral("1000|testbox"));

    // Opening another database answered No: the same.
    const QString other = makeDatabase(QStringLiteral("other"));
    const QString folder = DB().DBPath();
    m_prompts.text(other).button(MsgAnswer::No);
    m_main.mnuFileOpen_Click();
    EXPECT_TRUE(window && !window->isHidden());
    EXPECT_EQ(DB().DBPath(), folder);
    EXPECT_TRUE(m_logins.loginFolders.size() == 1);

    // Close All answered Cancel: the same.
    m_prompts.button(MsgAnswer::Cancel);
    m_main.mnuWindowCloseAll_Click();
    EXPECT_TRUE(window && !window->isHidden());

    // The close box answered Yes: closed, mark cleared.
    m_prompts.button(MsgAnswer::Yes);
    m_main.mdiArea()->subWindowList().first()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(window);
    EXPECT_EQ(dumpedMark(), QStringLiteral("0|"));
    EXPECT_EQ(questions(), QStringList(4, kDiscard));

    // A window in view mode closes without a question.
    m_prompts.clear();
    open(id);
    m_main.mnuFileClose_Click();
    EXPECT_FALSE(DB().IsOpen());
    EXPECT_TRUE(m_prompts.shown().isEmpty());
}

TEST_F(RecordWindowTest, AFailedSaveKeepsEditModeAndTheMark)
{
    const qint32 id = addCustomer(QStringLiteral("Acme"));
    CustomerTestWindow* window = open(id);
    window->DoEditModeBtn();
    window->txtCompany->setText(QStringLiteral("Acme Ltd"));

    // Another engine holds the row's lock (a lock of its own open file,
    // exactly as another process's would be).
    CODE4* other = d4init_v();
    ASSERT_NE(other, nullptr);
    DATA4* table = d4open(other, DB().CustomerTable().toLocal8Bit().constData());
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(d4lock(table, 1), 0);
    window->cmdApply->click();
    d4initUndo(other);

    EXPECT_TRUE(window->EM->InEditMode());
    EXPECT_EQ(window->txtCompany->text(), QStringLiteral("Acme Ltd"));
    EXPECT_EQ(dumpedMark(), QStringLiteral("1000|testbox"));
    EXPECT_FALSE(m_prompts.shown().isEmpty());

    // A save refused while the row itself is free keeps the mark as well.
    window->incompleteSave = true;
    m_prompts.clear();
    window->cmdApply->click();
    EXPECT_TRUE(window->EM->InEditMode());
    EXPECT_EQ(dumpedMark(), QStringLiteral("1000|testbox"));
    EXPECT_EQ(m_prompts.shown().size(), 1);

    // Once the fault is gone the save goes through and the mark with it.
    window->incompleteSave = false;
    m_prompts.clear();
    window->cmdApply->click();
    EXPECT_FALSE(window->EM->InEditMode());
    EXPECT_EQ(window->txtCompany->text(), QStringLiteral("Acme Ltd"));
    EXPECT_EQ(dumpedMark(), QStringLiteral("0|"));
    EXPECT_TRUE(m_prompts.shown().isEmpty());
}

TEST_F(RecordWindowTest, AFirstSaveRetagsTheWindowWithTheNewRow)
{
    CustomerTestWindow* window = open(-1, true);
    EXPECT_EQ(objectTag(window), QStringLiteral("C-1"));
    EXPECT_EQ(window->EM->lblMode->text(), QStringLiteral("edit-data"));
    EXPECT_EQ(window->EM->lblMode->palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_EQ(window->LE->ModifiedBy(), QString());
    EXPECT_TRUE(m_prompts.shown().isEmpty());
    window->txtCompany->setText(QStringLiteral("Newco"));
    window->cmdApply->click();

    ASSERT_GE(window->RowID, 1000);
    EXPECT_EQ(objectTag(window), QStringLiteral("C%1").arg(window->RowID));
    EXPECT_FALSE(window->EM->InEditMode());
    m_main.ShowCustomer(window->RowID, false);
    EXPECT_EQ(m_main.mdiArea()->subWindowList().size(), 1);
    EXPECT_TRUE(m_prompts.shown().isEmpty());
}

TEST_F(RecordWindowTest, LastEditStampShowsEachPartItCanRead)
{
    const qint32 id = addCustomer(QStringLiteral("Acme"));
    CustomerTestWindow* window = open(id);
    EXPECT_EQ(window->LE->ModifiedBy(), QStringLiteral("admin"));
    EXPECT_EQ(window->LE->ModifiedOn(), QStringLiteral("Friday, March 15, 2024"));
    EXPECT_EQ(window->LE->ModifiedAt(), QStringLiteral("10:30:00 AM"));
    EXPECT_EQ(window->LE->txtModifiedOn->text(), window->LE->ModifiedOn());

    const struct {
        const char* field;
        QVariant value;
        const char* by;
        const char* on;
        const char* at;
    } cases[] = {
        {"lastmoddt", QStringLiteral("20241399"), "admin", "", "10:30:00 AM"},
        {"lastmoddt", QString(), "admin", "", "10:30:00 AM"},
        {"lastmodtm", QStringLiteral("25:61:00"), "admin", "", ""},
        {"lastmoddt", QStringLiteral("20240316"), "admin", "Saturday, March 16, 2024", ""},
        {"lastmodby", 4711, "", "Saturday, March 16, 2024", ""},
    };
    for (const auto& c : cases) {
        pokeField(DB().CustomerTable(), id, c.field, c.value);
        window->UpdateLastEditCtl();
        EXPECT_EQ(window->LE->ModifiedBy(), QString::fromLatin1(c.by)) << c.field << "=" << c.value.toString().toStdString();
        EXPECT_EQ(window->LE->ModifiedOn(), QString::fromLatin1(c.on)) << c.field << "=" << c.value.toString().toStdString();
        EXPECT_EQ(window->LE->ModifiedAt(), QString::fromLatin1(c.at)) << c.field << "=" << c.value.toString().toStdString();
    }
}

TEST_F(RecordWindowTest, StoredCustomLabelShowsAfterInitControls)
{
    ASSERT_TRUE(DB().SetParamValue(QStringLiteral("bcccust.dbf_custom1"), QStringLiteral("Region")));
    CustomerTestWindow window;
    EXPECT_EQ(window.lblCustom1->text(), QStringLiteral("Region:"));
    EXPECT_EQ(window.LE->title(), QStringLiteral("Last Modified"));
}

} // namespace
