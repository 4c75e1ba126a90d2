#include "AppFixture.h"
#include "IdleForm.h"

#include "app/WindowCreators.h"
#include "app/WindowInterfaces.h"
#include "app/clsForm.h"
#include "app/frmMain.h"
#include "common/ui/ObjectTag.h"
#include "common/ui/frmCalendar.h"
#include "data/RecColl.h"
#include "data/Schema.h"
#include "data/clsDB.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTimer>

namespace {

using Kind = WindowCreators::Kind;

// What the navigation did to the windows it made, in order.
using Log = QStringList;

// A window of any record kind that writes down what it is given.
class FakeRecordWindow : public QWidget,
                         public IdleForm,
                         public PSWindow,
                         public IssueWindow,
                         public ReportDefWindow,
                         public ReportDisplayWindow,
                         public NotifyCustomerTarget {
public:
    FakeRecordWindow(QString kind, Log& log)
        : m_kind(std::move(kind))
        , m_log(log)
    {
    }

    void Init(qint32 RowID, bool EditMode) override
    {
        setObjectTag(this, m_kind + QString::number(RowID));
        m_log.append(QStringLiteral("%1 Init %2 %3").arg(m_kind).arg(RowID).arg(EditMode));
    }
    void Init(qint32 RptID) override
    {
        setObjectTag(this, m_kind + QString::number(RptID));
        m_log.append(QStringLiteral("%1 Init %2").arg(m_kind).arg(RptID));
    }
    void SetCustID(qint32 id) override { m_log.append(QStringLiteral("%1 CustID %2").arg(m_kind).arg(id)); }
    void SetTemplateID(qint32 id) override { m_log.append(QStringLiteral("%1 TemplateID %2").arg(m_kind).arg(id)); }
    void SetRptType(const QString& type) override { m_log.append(m_kind + QStringLiteral(" RptType ") + type); }
    void LV_LoadIssues(qint32 id) override { m_log.append(QStringLiteral("%1 LV_LoadIssues %2").arg(objectTag(this)).arg(id)); }
    void LV_LoadPS(qint32 id) override { m_log.append(QStringLiteral("%1 LV_LoadPS %2").arg(objectTag(this)).arg(id)); }


private:
    QString m_kind;
    Log& m_log;
};

// A list window (customer list, issue list, report list, single windows).
class FakeListWindow : public QWidget,
                       public CustomerListWindow,
                       public IssueListWindow,
                       public ReportListWindow,
                       public NotifyReportListTarget {
public:
    FakeListWindow(QString name, Log& log)
        : m_name(std::move(name))
        , m_log(log)
    {
    }
    void Init(const QString& text, int type) override { m_log.append(QStringLiteral("%1 Init %2 %3").arg(m_name, text).arg(type)); }
    void SetSearchFields(bool a, bool b, bool c) override { m_log.append(QStringLiteral("%1 Fields %2%3%4").arg(m_name).arg(a).arg(b).arg(c)); }
    void Init(const QString& text, int type, qint32 psid) override
    {
        m_log.append(QStringLiteral("%1 Init %2 %3 %4").arg(m_name, text).arg(type).arg(psid));
    }
    void Init() override { m_log.append(m_name + QStringLiteral(" Init")); }
    void LoadData(qint32 id) override { m_log.append(QStringLiteral("%1 LoadData %2").arg(m_name).arg(id)); }

private:
    QString m_name;
    Log& m_log;
};

// A dialog that "runs" without blocking and hands back set answers.
class FakeDialog : public QDialog,
                   public LookupCustomerDialog,
                   public SearchIssuesDialog,
                   public EditIssueTemplatesDialog,
                   public SelectIssueTemplateDialog {
public:
    FakeDialog(QWidget* parent, QString name, Log& log)
        : QDialog(parent)
        , m_name(std::move(name))
        , m_log(log)
    {
    }
    ~FakeDialog() override { m_log.append(m_name + QStringLiteral(" unloaded")); }
    int exec() override
    {
        m_log.append(m_name + QStringLiteral(" shown"));
        if (onExec)
            onExec();
        return ok ? Accepted : Rejected;
    }

    bool OKPressed() const override { return ok; }
    QString SearchStr() const override { return text; }
    QString SearchText() const override { return text; }
    int SearchType() const override { return type; }
    qint32 PSID() const override { return 77; }
    bool SearchShortDesc() const override { return true; }
    bool SearchDescription() const override { return false; }
    bool SearchResolution() const override { return true; }
    qint32 TemplateID() const override { return id; }

    bool ok = false;
    QString text;
    int type = 0;
    qint32 id = 0;
    std::function<void()> onExec;

private:
    QString m_name;
    Log& m_log;
};

class NavigationTest : public AppFixture {
protected:
    NavigationTest()
    {
        openNewDatabase();
        const std::pair<Kind, const char*> records[] = {
            {Kind::Customer, "C"}, {Kind::PS, "P"}, {Kind::Issue, "I"}, {Kind::IssueTemplate, "T"},
            {Kind::ReportDef, "REPORTDEF"}, {Kind::ReportDisplay, "REPORTDISPLAY"},
        };
        for (const auto& [kind, tag] : records) {
            const QString name = QString::fromLatin1(tag);
            WindowCreators::set(kind, [this, name](QWidget*) { return new FakeRecordWindow(name, m_log); });
        }
        const std::pair<Kind, const char*> lists[] = {
            {Kind::CustomerList, "CustomerList"}, {Kind::IssueList, "IssueList"}, {Kind::ReportList, "ReportList"},
            {Kind::MyIssues, "MyIssues"}, {Kind::PurgeIssues, "Purge"}, {Kind::DataImport, "Import"},
        };
        for (const auto& [kind, tag] : lists) {
            const QString name = QString::fromLatin1(tag);
            WindowCreators::set(kind, [this, name](QWidget*) {
                m_log.append(name + QStringLiteral(" made"));
                return new FakeListWindow(name, m_log);
            });
        }
        const std::pair<Kind, const char*> dialogs[] = {
            {Kind::LookupCustomer, "Lookup"}, {Kind::SearchIssues, "Search"},
            {Kind::EditIssueTemplates, "Templates"}, {Kind::SelectIssueTemplate, "Picker"},
            {Kind::Users, "Users"},
        };
        for (const auto& [kind, tag] : dialogs) {
            const QString name = QString::fromLatin1(tag);
            WindowCreators::set(kind, [this, name](QWidget* parent) {
                EXPECT_EQ(parent, &m_main) << name.toStdString();
                auto* dialog = new FakeDialog(parent, name, m_log);
                if (m_prepare)
                    m_prepare(*dialog);
                return dialog;
            });
        }
    }
    ~NavigationTest() override { WindowCreators::clear(); }

    // A stored row of `rectype` with every written field blank but those
    // given; its identifier.
    qint32 addRow(const QString& path, const char* rectype, const QList<std::pair<const char*, QString>>& fields = {})
    {
        const QString type = QString::fromLatin1(rectype);
        RecColl coll(path, -1, type);
        for (const Schema::KindField& f : Schema::recordType(type)->writes)
            coll.add(QLatin1String(f.name), QString());
        for (const auto& [name, value] : fields)
            coll.set(QLatin1String(name), value);
        EXPECT_TRUE(DB().SaveRecord(coll, false));
        return coll.value(QStringLiteral("_rowid")).toInt();
    }

    qint32 addCustomer() { return addRow(DB().CustomerTable(), "_customer"); }

    int windowCount() const { return int(m_main.mdiArea()->subWindowList().size()); }

    QStringList boxes() const { return shownTexts(ShownPrompt::Kind::MessageBox); }

    Log m_log;
    frmMain m_main;
    std::function<void(FakeDialog&)> m_prepare;
};

const QString kGone = QStringLiteral(
    "Record cannot be accessed or no longer exists. It may have been deleted by another user.");

TEST_F(NavigationTest, OneWindowPerRecordFoundByItsWholeTag)
{
    m_main.ShowCustomer(-1, true);
    m_main.ShowCustomer(-1, true);
    EXPECT_EQ(m_log, Log{QStringLiteral("C Init -1 1")});
    EXPECT_EQ(windowCount(), 1);

    // "C100" and "C10000" are other customers than 1000.
    const qint32 id = addCustomer();
    ASSERT_EQ(id, 1000);
    for (const char* tag : {"C100", "C10000"}) {
        auto* other = new QWidget;
        setObjectTag(other, QString::fromLatin1(tag));
        m_main.addMdiChild(other);
    }
    m_log.clear();
    m_main.ShowCustomer(1000, false);
    m_main.ShowCustomer(1000, true);
    EXPECT_EQ(m_log, Log{QStringLiteral("C Init 1000 0")});
    EXPECT_EQ(windowCount(), 4);
    EXPECT_EQ(objectTag(m_main.mdiArea()->activeSubWindow()->widget()), QStringLiteral("C1000"));
    EXPECT_TRUE(m_prompts.shown().isEmpty());
}

TEST_F(NavigationTest, StoredRowsMustExistAndRowlessCallsOpenNothing)
{
    const qint32 customer = addCustomer();
    const qint32 ps = addRow(DB().Customers2PSTable(), "_ps", {{"custid", QString::number(customer)}});
    const qint32 report = addRow(DB().ReportTable(), "_rptdef", {{"type", QStringLiteral("C")}});

    // Nothing at all: a product/service without a customer, report output
    // and templates below 1.
    m_main.ShowPS(-1, 0, true);
    m_main.ShowPS(ps, -1, false);
    m_main.ShowReport(0);
    m_main.ShowIssueTemplate(-1, true);
    EXPECT_TRUE(m_log.isEmpty());
    EXPECT_TRUE(m_prompts.shown().isEmpty());

    // Rows that are not there: the database object's message, no window.
    m_main.ShowIssue(4711, -1, false, -1);
    m_main.ShowReport(4711);
    m_main.ShowIssueTemplate(4711, true);
    EXPECT_TRUE(m_log.isEmpty());
    EXPECT_EQ(shownTexts(ShownPrompt::Kind::MessageWindow), QStringList(3, kGone));

    // Values set before Init, in order; the type only for a new definition.
    m_main.ShowPS(-1, customer, true);
    m_main.ShowIssue(-1, customer, true, 5);
    m_main.ShowReportDef(0, QStringLiteral("I"), true);
    m_main.ShowReportDef(report, QStringLiteral("I"), false);
    m_main.ShowReport(report);
    const Log expected{
        QStringLiteral("P CustID 1000"),          QStringLiteral("P Init -1 1"),
        QStringLiteral("I CustID 1000"),          QStringLiteral("I TemplateID 5"),
        QStringLiteral("I Init -1 1"),            QStringLiteral("REPORTDEF RptType I"),
        QStringLiteral("REPORTDEF Init 0 1"),     QStringLiteral("REPORTDEF Init %1 0").arg(report),
        QStringLiteral("REPORTDISPLAY Init %1").arg(report),
    };
    EXPECT_EQ(m_log, expected);

    // A stored product/service whose customer was deleted opens nothing.
    m_log.clear();
    m_prompts.clear();
    ASSERT_TRUE(DB().DeleteRecord(customer, DB().CustomerTable()));
    m_main.ShowPS(ps, customer, false);
    EXPECT_TRUE(m_log.isEmpty());
    EXPECT_EQ(shownTexts(ShownPrompt::Kind::MessageWindow), QStringList{kGone});
}

TEST_F(NavigationTest, TheIdentifierPromptTakesOnlyARowIdentifier)
{
    for (int i = 0; i < 6; ++i)
        addCustomer();
    for (const char* typed : {"abc", "0", "-3", "1.5", "99999999999", "+7"})
        m_prompts.text(QString::fromLatin1(typed)).button(MsgAnswer::Ok);
    m_prompts.text(QStringLiteral(" 1005 "));
    m_main.LookupByCustomerNumber();
    EXPECT_EQ(m_log, Log{QStringLiteral("C Init 1005 0")});
    const QList<ShownPrompt>& shown = m_prompts.shown();
    ASSERT_EQ(shown.size(), 13);
    for (int i = 0; i < shown.size(); ++i) {
        const ShownPrompt& p = shown.at(i);
        EXPECT_EQ(p.title, QStringLiteral("Brindlemark"));
        if (i % 2 == 0) {
            EXPECT_EQ(p.kind, ShownPrompt::Kind::InputBox);
            EXPECT_EQ(p.text, QStringLiteral("Enter Customer ID"));
            EXPECT_EQ(p.defaultText, QString());
            EXPECT_EQ(p.helpContext, 1210);
        } else {
            EXPECT_EQ(p.text, QStringLiteral("Please enter a numeric value for Customer ID!"));
            EXPECT_EQ(p.style, MsgStyle::Exclamation);
        }
    }

    // An empty answer or Cancel ends quietly; a row that is not there gets
    // the database object's message only.
    m_log.clear();
    m_prompts.clear();
    m_prompts.text(QStringLiteral("   ")).cancel().text(QStringLiteral("4711"));
    m_main.LookupByCustomerNumber();
    m_main.LookupByIssueNumber();
    m_main.LookupByIssueNumber();
    EXPECT_TRUE(m_log.isEmpty());
    ASSERT_EQ(m_prompts.shown().size(), 4);
    EXPECT_EQ(m_prompts.shown().at(1).text, QStringLiteral("Enter Issue ID"));
    EXPECT_EQ(m_prompts.shown().at(1).helpContext, 1220);
    EXPECT_EQ(m_prompts.last().text, kGone);

    m_prompts.clear();
    m_prompts.text(QStringLiteral("x")).button(MsgAnswer::Ok);
    m_main.LookupByIssueNumber();
    EXPECT_EQ(boxes(), QStringList{QStringLiteral("Please enter a numeric value for Issue ID!")});
}

TEST_F(NavigationTest, AdministrationCommandsRefuseWithoutTheirPermission)
{
    const QString folder = DB().DBPath();
    addUser(QStringLiteral("clerk"), QString(30, QLatin1Char('0')));
    DB().CloseDB();
    m_logins.login(QStringLiteral("clerk"), QStringLiteral("clerk"));
    ASSERT_TRUE(DB().OpenDB(folder));
    using F = frmMain;
    for (frmMain::Command command : {&F::PurgeOldIssues, &F::ImportData, &F::ManageIssueTemplates,
                                     &F::UserManagement, &F::Customizations, &F::NewCustomer}) {
        m_prompts.clear();
        (m_main.*command)();
        ASSERT_EQ(m_prompts.shown().size(), 1);
        EXPECT_TRUE(m_prompts.last().text.startsWith(QLatin1String("Sorry, you are not permitted")));
    }
    EXPECT_TRUE(m_log.isEmpty());
    EXPECT_EQ(windowCount(), 0);
}

TEST_F(NavigationTest, SingleWindowsOpenOnceAndDialogsAreUnloadedAfterUse)
{
    m_main.MyIssues();
    m_main.MyIssues();
    m_main.Reports();
    m_main.Reports();
    m_main.PurgeOldIssues();
    m_main.ImportData();
    m_main.ImportData();
    const Log expected{QStringLiteral("MyIssues made"), QStringLiteral("ReportList made"),
                       QStringLiteral("ReportList Init"), QStringLiteral("Purge made"), QStringLiteral("Import made")};
    EXPECT_EQ(m_log, expected);
    QStringList tags;
    for (QMdiSubWindow* sub : m_main.mdiArea()->subWindowList())
        tags.append(objectTag(sub->widget()));
    EXPECT_EQ(tags, (QStringList{QStringLiteral("MYISSUES"), QStringLiteral("REPORTS"), QStringLiteral("PURGEISSUES"),
                                 QStringLiteral("IMPORTDATA")}));

    // The template manager opens a template only for an identifier above 0.
    const qint32 templ = addRow(DB().IssuesTemplatesTable(), "_issuetemplate");
    for (const qint32 id : {0, -1, templ}) {
        m_log.clear();
        m_prepare = [id](FakeDialog& d) { d.id = id; };
        m_main.ManageIssueTemplates();
        Log want{QStringLiteral("Templates shown"), QStringLiteral("Templates unloaded")};
        if (id > 0)
            want.append(QStringLiteral("T Init %1 1").arg(id));
        EXPECT_EQ(m_log, want) << id;
    }

    // Users: shown and unloaded.
    m_log.clear();
    m_main.UserManagement();
    EXPECT_EQ(m_log, (Log{QStringLiteral("Users shown"), QStringLiteral("Users unloaded")}));
}

TEST_F(NavigationTest, SearchesHandTheirAnswersToANewList)
{
    const qint32 customer = addCustomer();
    // Cancelled: nothing but the dialog.
    m_main.LookupCustomer();
    m_main.SearchIssues();
    EXPECT_EQ(m_log, (Log{QStringLiteral("Lookup shown"), QStringLiteral("Lookup unloaded"),
                          QStringLiteral("Search shown"), QStringLiteral("Search unloaded")}));

    // Type 5 is a customer row; other types fill a customer list.
    m_log.clear();
    m_prepare = [customer](FakeDialog& d) {
        d.ok = true;
        d.type = 5;
        d.text = QString::number(customer);
    };
    m_main.LookupCustomer();
    m_prepare = [](FakeDialog& d) {
        d.ok = true;
        d.type = 2;
        d.text = QStringLiteral("Smith");
    };
    m_main.LookupCustomer();
    m_main.SearchIssues();
    const Log expected{
        QStringLiteral("Lookup shown"),        QStringLiteral("Lookup unloaded"),
        QStringLiteral("C Init 1000 0"),       QStringLiteral("Lookup shown"),
        QStringLiteral("Lookup unloaded"),     QStringLiteral("CustomerList made"),
        QStringLiteral("CustomerList Init Smith 2"), QStringLiteral("Search shown"),
        QStringLiteral("IssueList made"),      QStringLiteral("IssueList Fields 101"),
        QStringLiteral("IssueList Init Smith 2 77"), QStringLiteral("Search unloaded"),
    };
    EXPECT_EQ(m_log, expected);
    EXPECT_EQ(windowCount(), 3);
}

TEST_F(NavigationTest, ANoticeReloadsOnlyTheNamedListOfOneWindow)
{
    const qint32 first = addCustomer();
    const qint32 second = addCustomer();
    m_main.ShowCustomer(first, false);
    m_main.ShowCustomer(second, false);
    auto* plain = new QWidget;   // a window without the notice interface
    setObjectTag(plain, QStringLiteral("C4711"));
    m_main.addMdiChild(plain);
    m_main.Reports();
    m_log.clear();

    m_main.NotifyCustomer(second, 1, 88);
    m_main.NotifyCustomer(first, 2, 99);
    m_main.NotifyCustomer(first, 3, 99);
    m_main.NotifyCustomer(4711, 1, 5);
    m_main.NotifyCustomer(4712, 1, 5);
    m_main.NotifyReportList(42);
    const Log expected{QStringLiteral("C1001 LV_LoadIssues 88"), QStringLiteral("C1000 LV_LoadPS 99"),
                       QStringLiteral("ReportList LoadData 42")};
    EXPECT_EQ(m_log, expected);

    // No report list open: nothing.
    m_log.clear();
    m_main.mnuWindowCloseAll_Click();
    m_main.NotifyReportList(42);
    EXPECT_TRUE(m_log.isEmpty());
}

TEST_F(NavigationTest, TemplatePickerAndCalendarGiveNothingWhenCancelled)
{
    qint32 templateId = -1;
    EXPECT_FALSE(m_main.GetIssueTemplateID(templateId));
    EXPECT_EQ(templateId, -1);
    m_prepare = [](FakeDialog& d) {
        d.ok = true;
        d.id = 1003;
    };
    EXPECT_TRUE(m_main.GetIssueTemplateID(templateId));
    EXPECT_EQ(templateId, 1003);
    EXPECT_EQ(m_log, (Log{QStringLiteral("Picker shown"), QStringLiteral("Picker unloaded"),
                          QStringLiteral("Picker shown"), QStringLiteral("Picker unloaded")}));

    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const auto pressOnCalendar = [](bool ok) {
        QTimer::singleShot(0, [ok] {
            auto* calendar = qobject_cast<frmCalendar*>(QApplication::activeModalWidget());
            ASSERT_NE(calendar, nullptr);
            EXPECT_EQ(calendar->OKButton->text(), QStringLiteral("OK"));
            (ok ? calendar->OKButton : calendar->CancelButton)->click();
        });
    };
    pressOnCalendar(false);
    EXPECT_EQ(m_main.GetShortDateFromPopupCalendar(QStringLiteral("3/1/2024")), QString());
    pressOnCalendar(true);
    EXPECT_EQ(m_main.GetShortDateFromPopupCalendar(QStringLiteral("3/1/2024")), QStringLiteral("3/1/2024"));
    QLocale::setDefault(QLocale::system());
}

} // namespace
