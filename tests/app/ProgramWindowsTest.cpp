#include "AppFixture.h"
#include "ModalScript.h"
#include "ReportTestRows.h"
#include "WhenModal.h"

#include "app/EditModeCtl.h"
#include "app/ProgramWindows.h"
#include "app/RecordWindow.h"
#include "app/WindowCreators.h"
#include "app/frmMain.h"
#include "app/frmTip.h"
#include "app/frmUsers.h"
#include "app/frmWelcome.h"
#include "common/clsSystem.h"
#include "common/ui/AttachmentsCtl.h"
#include "common/ui/HelpBrowser.h"
#include "common/ui/ObjectTag.h"
#include "common/ui/WidgetPrompts.h"
#include "customers/frmCustomer.h"
#include "customers/frmCustomerList.h"
#include "customers/frmLookupCustomer.h"
#include "customers/frmPS.h"
#include "data/RecColl.h"
#include "data/ShippedData.h"
#include "data/clsDB.h"
#include "data/ui/clsDBUtil.h"
#include "data/ui/frmDBMaint.h"
#include "import/frmDataImport.h"
#include "issues/IssueActionsCtl.h"
#include "issues/frmEditIssueTemplates.h"
#include "issues/frmIssue.h"
#include "issues/frmIssueList.h"
#include "issues/frmIssueTemplate.h"
#include "issues/frmMyIssues.h"
#include "issues/frmPurgeIssues.h"
#include "issues/frmSearchIssues.h"
#include "issues/frmSelectIssueTemplate.h"
#include "reports/ui/frmPSFilterDlg.h"
#include "reports/ui/frmProductReportDisplay.h"
#include "reports/ui/frmReportDef.h"
#include "reports/ui/frmReportDisplay.h"
#include "reports/ui/frmReportList.h"
#include "xbase/c4.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTableWidget>
#include <QTextBrowser>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>
#include <QTreeWidget>

#include <functional>

namespace {

using Kind = WindowCreators::Kind;

// Every text a window shows: its caption, labels, boxes, buttons and the
// cells of its lists and grids.
QStringList textsOf(const QWidget* window)
{
    QStringList texts{window->windowTitle()};
    for (const QWidget* w : window->findChildren<QWidget*>()) {
        if (const auto* label = qobject_cast<const QLabel*>(w))
            texts.append(label->text());
        else if (const auto* box = qobject_cast<const QLineEdit*>(w))
            texts.append(box->text());
        else if (const auto* combo = qobject_cast<const QComboBox*>(w))
            texts.append(combo->currentText());
        else if (const auto* plain = qobject_cast<const QPlainTextEdit*>(w))
            texts.append(plain->toPlainText());
        else if (const auto* rich = qobject_cast<const QTextEdit*>(w))
            texts.append(rich->toPlainText());
        else if (const auto* view = qobject_cast<const QAbstractItemView*>(w); view && view->model()) {
            const QAbstractItemModel* model = view->model();
            for (int r = 0; r < qMin(model->rowCount(), 50); ++r)
                for (int c = 0; c < model->columnCount(); ++c)
                    texts.append(model->index(r, c).data().toString());
        }
    }
    return texts;
}

bool shows(const QWidget* window, const QString& text)
{
    const QStringList texts = textsOf(window);
    return std::any_of(texts.begin(), texts.end(), [&text](const QString& t) { return t.contains(text); });
}

enum class CloseBy { Button, Escape };

// Closes the window as a user would: its own button, or Esc where the focus
// is (in the window itself when the focus is elsewhere).
void closeWindow(QWidget* window, QAbstractButton* button, CloseBy how)
{
    if (how == CloseBy::Button) {
        ASSERT_NE(button, nullptr);
        button->click();
        return;
    }
    QWidget* target = QApplication::focusWidget();
    if (!target || (target != window && !window->isAncestorOf(target)))
        target = window;
    QTest::keyClick(target, Qt::Key_Escape);
}

using ButtonOf = std::function<QAbstractButton*(QWidget*)>;

// The button `member` of a window of the class W.
template <class W>
ButtonOf own(QPushButton* W::*member)
{
    return [member](QWidget* window) -> QAbstractButton* {
        auto* w = dynamic_cast<W*>(window);
        return w ? w->*member : nullptr;
    };
}

// A window kind: how it is opened, a text it shows when open, and the
// button of its own that closes it. A dialog is shown modally by the
// command itself.
struct Opening {
    const char* name;
    std::function<void()> open;
    QString shows;
    ButtonOf button;
    bool dialog = false;
    std::function<void()> opener = {}; // the window it is opened from
};

// Searches that open their result lists: every row, searched for nothing.
void lookupCustomers(frmMain& main)
{
    bmtest::whenModal<frmLookupCustomer>([](frmLookupCustomer* d) { d->OKButton->click(); });
    main.LookupCustomer();
}

void searchIssues(frmMain& main)
{
    bmtest::whenModal<frmSearchIssues>([](frmSearchIssues* d) { d->OKButton->click(); });
    main.SearchIssues();
}

class ProgramWindowsTest : public AppFixture {
protected:
    ProgramWindowsTest()
    {
        registerProgramWindows();
        openNewDatabase();
        m_main.SetUI();
        m_main.setWindowState(Qt::WindowNoState);
        m_main.resize(1000, 700);
        m_main.show();
        m_main.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&m_main));
        seed();
    }
    ~ProgramWindowsTest() override
    {
        m_main.closeChildren();
        settle();
        WindowCreators::clear();
    }

    // One of each record, each showing "Zephyr" somewhere.
    void seed()
    {
        using reporttest::save;
        const QString admin = QString::number(ShippedData::admin().rowid);
        m_hosting = reporttest::category(2, QStringLiteral("Hosting"));
        m_cust = save(DB().CustomerTable(), QStringLiteral("_customer"),
                      {{QStringLiteral("lastname"), QStringLiteral("Zephyrson")},
                       {QStringLiteral("firstname"), QStringLiteral("Ann")},
                       {QStringLiteral("company"), QStringLiteral("Zephyr Works")}});
        m_ps = save(DB().Customers2PSTable(), QStringLiteral("_ps"),
                    {{QStringLiteral("custid"), QString::number(m_cust)},
                     {QStringLiteral("psid"), QString::number(m_hosting)},
                     {QStringLiteral("shortdesc"), QStringLiteral("Zephyr hosting plan")}});
        m_issue = save(DB().IssuesTable(), QStringLiteral("_issue"),
                       {{QStringLiteral("custid"), QString::number(m_cust)},
                        {QStringLiteral("psid"), QString::number(m_hosting)},
                        {QStringLiteral("shortdesc"), QStringLiteral("Zephyr outage")},
                        {QStringLiteral("assignedto"), admin},
                        {QStringLiteral("status"), QStringLiteral("401")},
                        {QStringLiteral("priority"), QStringLiteral("451")}});
        DATA4* templates = DB().OpenTable(DB().IssuesTemplatesTable());
        ASSERT_NE(templates, nullptr);
        m_template =
            DB().AddNamedRow(QStringLiteral("bccitempl.dbf"), QStringLiteral("name"), QStringLiteral("Zephyr template"),
                             templates);
        d4close(templates);
        m_report = save(DB().ReportTable(), QStringLiteral("_rptdef"),
                        {{QStringLiteral("title"), QStringLiteral("Zephyr report")},
                         {QStringLiteral("type"), QStringLiteral("C")},
                         {QStringLiteral("def"), QStringLiteral("0\n6~5\n\n\n\n1\n0")}});
    }

    static void settle()
    {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // What the main window holds open: the frames in its area, the entries
    // of its Window menu and the windows its registry knows.
    std::string holds()
    {
        QStringList held;
        for (const QMdiSubWindow* sub : m_main.mdiArea()->subWindowList(QMdiArea::CreationOrder))
            held.append(QStringLiteral("frame ") + (sub->widget() ? objectTag(sub->widget()) : QString()));
        QMenu* menu = m_main.findChild<QMenu*>(QStringLiteral("mnuWindow"));
        emit menu->aboutToShow();
        for (const QAction* action : menu->actions()) {
            if (action->objectName().startsWith(QLatin1String("mnuWindowList")))
                held.append(QStringLiteral("menu ") + action->text());
        }
        for (const QWidget* form : m_main.openForms())
            held.append(QStringLiteral("form ") + (objectTag(form).isEmpty() ? form->objectName() : objectTag(form)));
        return held.join(QStringLiteral(", ")).toStdString();
    }

    // The one window that is open now and was not among `before`.
    QWidget* opened(const QList<QWidget*>& before)
    {
        QList<QWidget*> added;
        for (QWidget* form : m_main.openForms()) {
            if (!before.contains(form))
                added.append(form);
        }
        return added.size() == 1 ? added.first() : nullptr;
    }

    void productReport()
    {
        ModalScript filter;
        filter.then([](QDialog& d) { static_cast<frmPSFilterDlg&>(d).OKButton->click(); });
        m_main.findChild<frmReportList*>()->cmdNewProductReport->click();
    }

    std::vector<Opening> openings()
    {
        const QString zephyr = QStringLiteral("Zephyr");
        return {
            {"customer", [this] { m_main.ShowCustomer(m_cust, false); }, zephyr, own(&frmCustomer::CancelButton)},
            {"product/service", [this] { m_main.ShowPS(m_ps, m_cust, false); }, zephyr, own(&frmPS::CancelButton)},
            {"issue", [this] { m_main.ShowIssue(m_issue, -1, false, -1); }, zephyr, own(&frmIssue::CancelButton)},
            {"issue template", [this] { m_main.ShowIssueTemplate(m_template, false); }, zephyr,
             own(&frmIssueTemplate::CancelButton)},
            {"report definition", [this] { m_main.ShowReportDef(m_report, QStringLiteral("C"), false); }, zephyr,
             own(&frmReportDef::CancelButton)},
            {"report output", [this] { m_main.ShowReport(m_report); }, zephyr, own(&frmReportDisplay::CancelButton)},
            {"report list", [this] { m_main.Reports(); }, zephyr, own(&frmReportList::CancelButton)},
            {"customer list", [this] { lookupCustomers(m_main); }, zephyr, own(&frmCustomerList::CancelButton)},
            {"issue list", [this] { searchIssues(m_main); }, zephyr, own(&frmIssueList::CancelButton)},
            {"my issues", [this] { m_main.MyIssues(); }, zephyr, own(&frmMyIssues::CancelButton)},
            {"purge wizard", [this] { m_main.PurgeOldIssues(); }, QStringLiteral("Purge (Delete) Old Issues Wizard"),
             own(&frmPurgeIssues::CancelButton)},
            {"import wizard", [this] { m_main.ImportData(); }, QStringLiteral("Import Data Wizard"),
             own(&frmDataImport::CancelButton)},
            {"product/service report", [this] { productReport(); }, zephyr,
             own(&frmProductReportDisplay::CancelButton), false, [this] { m_main.Reports(); }},
            {"help center", [this] { m_main.HelpCenter(); }, QStringLiteral("Help Center"),
             own(&frmWelcome::cmdCancel)},
            {"lookup customer", [this] { m_main.LookupCustomer(); }, QStringLiteral("Lookup Customer"),
             own(&frmLookupCustomer::CancelButton), true},
            {"search issues", [this] { m_main.SearchIssues(); }, QStringLiteral("Search Issues"),
             own(&frmSearchIssues::CancelButton), true},
            {"issue templates", [this] { m_main.ManageIssueTemplates(); }, zephyr,
             own(&frmEditIssueTemplates::cmdClose), true},
            {"template choice",
             [this] {
                 qint32 id = 0;
                 (void)m_main.GetIssueTemplateID(id);
             },
             zephyr, own(&frmSelectIssueTemplate::cmdCancel), true},
            {"users", [this] { m_main.UserManagement(); }, QString::fromLatin1(ShippedData::admin().login),
             own(&frmUsers::OKButton), true},
        };
    }

    // Opens the window, closes it, and opens it once more: nothing of it
    // may stay behind after a close, and the new one shows its content.
    void closesWholeAndReopens(const Opening& o, CloseBy how)
    {
        SCOPED_TRACE(o.name);
        if (o.opener)
            o.opener();
        const std::string before = holds();
        const QList<QWidget*> forms = m_main.openForms();
        if (o.dialog) {
            for (CloseBy pass : {how, CloseBy::Button}) {
                bool seen = false;
                bmtest::whenModal<QDialog>([&](QDialog* d) {
                    seen = shows(d, o.shows);
                    closeWindow(d, o.button(d), pass);
                });
                o.open();
                settle();
                EXPECT_TRUE(seen);
                EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
                EXPECT_EQ(holds(), before);
            }
            return;
        }
        for (CloseBy pass : {how, CloseBy::Button}) {
            o.open();
            QWidget* window = opened(forms);
            ASSERT_NE(window, nullptr);
            EXPECT_TRUE(window->isVisible());
            EXPECT_TRUE(shows(window, o.shows));
            closeWindow(window, o.button(window), pass);
            settle();
            EXPECT_EQ(holds(), before);
        }
    }

    void closesWholeAndReopens(CloseBy how)
    {
        for (const Opening& o : openings()) {
            closesWholeAndReopens(o, how);
            m_main.closeChildren();
            settle();
        }
    }

    // Opens every window kind in turn and runs `check` on it while it is
    // open (a dialog while it is shown modally), then closes it.
    void withEveryWindow(const std::function<void(QWidget* window)>& check)
    {
        for (const Opening& o : openings()) {
            SCOPED_TRACE(o.name);
            if (o.opener)
                o.opener();
            if (o.dialog) {
                bool shown = false;
                bmtest::whenModal<QDialog>([&](QDialog* d) {
                    shown = true;
                    check(d);
                });
                o.open();
                settle();
                EXPECT_TRUE(shown);
            } else {
                const QList<QWidget*> forms = m_main.openForms();
                o.open();
                QWidget* window = opened(forms);
                EXPECT_NE(window, nullptr);
                if (window) {
                    settle();
                    check(window);
                }
            }
            m_main.closeChildren();
            settle();
        }
    }

    // The user whose under-edit mark the row carries (0: none).
    static qint32 markOf(const QString& table, qint32 rowId)
    {
        RecColl coll(table, rowId, QStringLiteral("_lockinfo"));
        EXPECT_TRUE(DB().ReadRecord(coll, true));
        return coll.value(QStringLiteral("underedit")).toInt();
    }

    // A stored record's window, opened and put in edit mode by its edit
    // button.
    RecordForm* editing(const std::function<void()>& open)
    {
        const QList<QWidget*> forms = m_main.openForms();
        open();
        QWidget* window = opened(forms);
        auto* form = dynamic_cast<RecordForm*>(window);
        if (!form)
            return nullptr;
        form->lblEdit->click();
        return form->EM->InEditMode() ? form : nullptr;
    }

    frmMain m_main;
    qint32 m_hosting = 0, m_cust = 0, m_ps = 0, m_issue = 0, m_template = 0, m_report = 0;
};

// A record window in edit mode.
struct Record {
    const char* name;
    std::function<void()> open;
    QString table;
    qint32 row;
};

TEST_F(ProgramWindowsTest, EscInARecordBeingEditedAsksTheDiscardQuestionFirst)
{
    const Record records[] = {
        {"customer", [this] { m_main.ShowCustomer(m_cust, false); }, DB().CustomerTable(), m_cust},
        {"product/service", [this] { m_main.ShowPS(m_ps, m_cust, false); }, DB().Customers2PSTable(), m_ps},
        {"issue", [this] { m_main.ShowIssue(m_issue, -1, false, -1); }, DB().IssuesTable(), m_issue},
        {"issue template", [this] { m_main.ShowIssueTemplate(m_template, false); }, DB().IssuesTemplatesTable(),
         m_template},
        {"report definition", [this] { m_main.ShowReportDef(m_report, QStringLiteral("C"), false); },
         DB().ReportTable(), m_report},
    };
    const qint32 admin = ShippedData::admin().rowid;
    for (const Record& r : records) {
        SCOPED_TRACE(r.name);
        const std::string before = holds();
        RecordForm* form = editing(r.open);
        ASSERT_NE(form, nullptr);
        auto* window = dynamic_cast<QWidget*>(form);
        ASSERT_EQ(markOf(r.table, r.row), admin);

        // No keeps the window, in edit mode and under the mark.
        m_prompts.clear();
        m_prompts.button(MsgAnswer::No);
        closeWindow(window, nullptr, CloseBy::Escape);
        settle();
        EXPECT_EQ(shownTexts(ShownPrompt::Kind::MessageBox),
                  QStringList{QStringLiteral("Do you wish to discard your changes (if any)?")});
        EXPECT_TRUE(window->isVisible());
        EXPECT_TRUE(form->EM->InEditMode());
        EXPECT_EQ(markOf(r.table, r.row), admin);

        // Yes closes it whole and clears the mark.
        m_prompts.clear();
        m_prompts.button(MsgAnswer::Yes);
        closeWindow(window, nullptr, CloseBy::Escape);
        settle();
        EXPECT_EQ(m_prompts.shown().size(), 1);
        EXPECT_EQ(holds(), before);
        EXPECT_EQ(markOf(r.table, r.row), 0);
    }
}

// The discard question as a real box: Esc typed into a text box closes the
// window once the key is done, and the box asks first.
TEST_F(ProgramWindowsTest, EscInATextBoxOfAnEditedCustomerAsksInARealBoxAndCloses)
{
    const std::string before = holds();
    RecordForm* form = editing([this] { m_main.ShowCustomer(m_cust, false); });
    ASSERT_NE(form, nullptr);
    auto* customer = dynamic_cast<frmCustomer*>(form);
    customer->txtCity->setFocus();
    customer->txtCity->setText(QStringLiteral("Springfield"));

    WidgetPrompts real;
    PromptService* scripted = setPrompts(&real);
    QString asked;
    bmtest::whenModal<QMessageBox>([&asked](QMessageBox* box) {
        asked = box->text();
        box->button(QMessageBox::Yes)->click();
    });
    QTest::keyClick(customer->txtCity, Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&] { return holds() == before; }, 5000));
    setPrompts(scripted);

    EXPECT_EQ(asked, QStringLiteral("Do you wish to discard your changes (if any)?"));
    EXPECT_EQ(markOf(DB().CustomerTable(), m_cust), 0);
    RecColl stored(DB().CustomerTable(), m_cust, QStringLiteral("_customer"));
    ASSERT_TRUE(DB().ReadRecord(stored, true));
    EXPECT_EQ(stored.text(QStringLiteral("city")), QString());
}

// Esc that ends moving a frame from its system menu ends only that.
TEST_F(ProgramWindowsTest, EscEndingAMoveOfAFrameByKeyboardLeavesTheWindowOpen)
{
    m_main.Reports();
    QMdiSubWindow* sub = m_main.mdiArea()->subWindowList().first();
    const QList<QAction*> entries = sub->systemMenu()->actions();
    const auto move = std::find_if(entries.begin(), entries.end(),
                                   [](const QAction* a) { return a->text() == QStringLiteral("&Move"); });
    ASSERT_NE(move, entries.end());
    (*move)->trigger();
    QTest::keyClick(sub, Qt::Key_Escape);
    settle();
    EXPECT_EQ(m_main.mdiArea()->subWindowList(), QList<QMdiSubWindow*>{sub});
    EXPECT_TRUE(sub->isVisible());
}

TEST_F(ProgramWindowsTest, EveryKindHasItsWindowInTheProgram)
{
    EXPECT_TRUE(WindowCreators::missing().isEmpty());
    WindowCreators::set(Kind::ReportList, {});
    WindowCreators::set(Kind::Users, {});
    EXPECT_EQ(WindowCreators::missing(), (QList<Kind>{Kind::ReportList, Kind::Users}));
}

TEST_F(ProgramWindowsTest, EveryWindowClosesWholeByItsOwnButtonAndOpensAgainWithItsContent)
{
    closesWholeAndReopens(CloseBy::Button);
}

TEST_F(ProgramWindowsTest, EveryWindowClosesWholeByEscAndOpensAgainWithItsContent)
{
    closesWholeAndReopens(CloseBy::Escape);
}

} // namespace

namespace {

// What a screen reader announces for `w`.
QString accessibleName(QWidget* w)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
    return face ? face->text(QAccessible::Name) : QString();
}

// Empty, or with a mnemonic marker ("&" before a letter; "Roles & Permissions"
// is a plain ampersand).
bool badName(const QString& name)
{
    for (qsizetype i = 0; i + 1 < name.size(); ++i) {
        if (name.at(i) == QLatin1Char('&') && !name.at(i + 1).isSpace())
            return true;
    }
    return name.trimmed().isEmpty();
}

// Whether the user can bring `w` up in `window`: it is shown, or only its
// tab page is hidden.
bool reachable(const QWidget* w, const QWidget* window)
{
    for (const QWidget* p = w; p && p != window; p = p->parentWidget()) {
        const QWidget* stack = p->parentWidget();
        const bool tabPage = stack && qobject_cast<const QTabWidget*>(stack->parentWidget());
        if (p->isHidden() && !tabPage)
            return false;
    }
    return true;
}

// The controls of `window` that keyboard focus can reach but that a screen
// reader would announce without a name (or with a mnemonic marker), and the
// tabs whose names carry a marker.
std::string unnamedControls(QWidget* window)
{
    QStringList faults;
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets.prepend(window);
    for (QWidget* w : widgets) {
        const QString id = QLatin1String(w->metaObject()->className()) + QLatin1Char(' ') + w->objectName()
            + (w->parentWidget() ? QStringLiteral(" in ") + w->parentWidget()->objectName() : QString());
        if (auto* tabs = qobject_cast<QTabBar*>(w)) {
            for (int i = 0; i < tabs->count(); ++i) {
                if (badName(tabs->accessibleTabName(i).isEmpty() ? tabs->tabText(i).remove(QLatin1Char('&'))
                                                                  : tabs->accessibleTabName(i)))
                    faults.append(id + QStringLiteral(" tab ") + tabs->tabText(i));
            }
            QAccessibleInterface* face = QAccessible::queryAccessibleInterface(tabs);
            for (int i = 0; face && i < face->childCount(); ++i) {
                if (face->child(i)->role() == QAccessible::PageTab && badName(face->child(i)->text(QAccessible::Name)))
                    faults.append(id + QStringLiteral(" page tab ") + face->child(i)->text(QAccessible::Name));
            }
            continue;
        }
        // A control whose focus goes to another one, and the pop-up lists
        // of combo boxes, are told through that other one; but the text box
        // of a combo is what a screen reader finds focused.
        const bool comboText = qobject_cast<QComboBox*>(w->parentWidget()) && qobject_cast<QLineEdit*>(w);
        if ((!(w->focusPolicy() & Qt::TabFocus) && !comboText) || w == window || (w->focusProxy() && !comboText)
            || w->window() != window->window() || !reachable(w, window))
            continue;
        const QString name = accessibleName(w);
        if (badName(name))
            faults.append(id + QStringLiteral(": \"") + name + QLatin1Char('"'));
    }
    return faults.join(QLatin1Char('\n')).toStdString();
}

} // namespace

// Every window and dialog a user reaches from the main window: each control
// that takes focus by Tab has a name for a screen reader, without "&".
TEST_F(ProgramWindowsTest, EveryFocusableControlOfEveryWindowHasAScreenReaderName)
{
    withEveryWindow([](QWidget* window) { EXPECT_EQ(unnamedControls(window), ""); });
    EXPECT_EQ(unnamedControls(&m_main), "");
}

// The dialogs the main window's own menus open, and the help viewer: named
// controls too, and the viewer is a window whose page carries the title.
TEST_F(ProgramWindowsTest, EveryDialogOfTheMainWindowNamesItsControlsAndHelpIsAWindowWithATitledPage)
{
    const std::pair<const char*, std::function<void()>> scripted[] = {
        {"change password", [this] { m_main.ChangePassword(); }},
        {"customizations", [this] { m_main.Customizations(); }},
        {"list editor", [this] { m_main.EditCustomerCategory(); }},
        {"e-mail options", [this] { m_main.EmailHandlerDlg(); }},
    };
    for (const auto& [name, open] : scripted) {
        SCOPED_TRACE(name);
        std::string faults = "not shown";
        ModalScript script;
        script.then([&faults](QDialog& d) {
            faults = unnamedControls(&d);
            d.reject();
        });
        open();
        EXPECT_EQ(faults, "");
    }
    const std::pair<const char*, std::function<void()>> modal[] = {
        {"about", [this] { m_main.mnuHelpAbout_Click(); }},
        {"calendar", [this] { (void)m_main.GetShortDateFromPopupCalendar(QString()); }},
    };
    for (const auto& [name, open] : modal) {
        SCOPED_TRACE(name);
        std::string faults = "not shown";
        bmtest::whenModal<QDialog>([&faults](QDialog* d) { faults = unnamedControls(d); });
        open();
        settle();
        EXPECT_EQ(faults, "");
    }
    std::string maintenance = "not shown";
    clsDBUtil::installModalRunner([&maintenance](frmDBMaint& window) { maintenance = unnamedControls(&window); });
    m_main.menuHelpDatabaseMaintenance_Click();
    EXPECT_EQ(maintenance, "");

    m_main.mnuHelpTip_Click();
    auto* tip = m_main.findChild<frmTip*>();
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(unnamedControls(tip), "");
    tip->close();

    HelpBrowser help;
    QString missing;
    ASSERT_TRUE(help.showTopic(Sys().HelpFilename(), 1070, missing)) << missing.toStdString();
    EXPECT_EQ(unnamedControls(&help), "");
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(&help);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->role(), QAccessible::Window);
    EXPECT_FALSE(face->text(QAccessible::Name).isEmpty());
    EXPECT_EQ(accessibleName(help.txtPage), help.windowTitle());
    EXPECT_NE(help.windowTitle(), QStringLiteral("Brindlemark Help"));
}

namespace {

// Whether the focus is in the grid or in the editor of one of its cells.
bool inGrid(const QWidget* grid)
{
    const QWidget* focus = QApplication::focusWidget();
    return focus && (focus == grid || grid->isAncestorOf(focus));
}

} // namespace

// The keyboard in a record window and a wizard: Tab leaves the notes (Ctrl+Tab
// types a tab there), Shift+Tab leaves the contacts grid from its first cell
// and Tab comes back to that cell, and Return presses the focused button.
TEST_F(ProgramWindowsTest, TabLeavesNotesAndGridAndReturnPressesTheFocusedButton)
{
    RecordForm* form = editing([this] { m_main.ShowCustomer(m_cust, false); });
    ASSERT_NE(form, nullptr);
    auto* customer = dynamic_cast<frmCustomer*>(form);
    customer->TabCtl->setCurrentIndex(1);
    customer->txtNote->setFocus();
    customer->txtNote->setPlainText(QStringLiteral("Call back"));
    customer->txtNote->moveCursor(QTextCursor::End);
    QTest::keyClick(customer->txtNote, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(customer->txtNote->toPlainText(), QStringLiteral("Call back\t"));
    EXPECT_EQ(QApplication::focusWidget(), customer->txtNote);
    QTest::keyClick(customer->txtNote, Qt::Key_Tab);
    EXPECT_TRUE(inGrid(customer->grdContacts));
    EXPECT_EQ(customer->txtNote->toPlainText(), QStringLiteral("Call back\t"));

    // In edit mode the focused cell is open in its editor.
    QTableWidget* grid = customer->grdContacts;
    grid->setCurrentCell(0, 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_TRUE(inGrid(grid));
    EXPECT_EQ(grid->currentRow(), 0);
    EXPECT_EQ(grid->currentColumn(), 0);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), customer->txtNote);
    QTest::keyClick(customer->txtNote, Qt::Key_Tab);
    EXPECT_TRUE(inGrid(grid));
    EXPECT_EQ(grid->currentRow(), 0);
    EXPECT_EQ(grid->currentColumn(), 0);
    grid->setCurrentCell(grid->rowCount() - 1, grid->columnCount() - 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_FALSE(inGrid(grid));
    EXPECT_EQ(grid->currentRow(), grid->rowCount() - 1);
    m_prompts.button(MsgAnswer::Yes);
    m_main.closeChildren();
    settle();

    const QList<QWidget*> forms = m_main.openForms();
    m_main.ImportData();
    auto* wizard = dynamic_cast<frmDataImport*>(opened(forms));
    ASSERT_NE(wizard, nullptr);
    ASSERT_TRUE(wizard->frm[0]->isVisible());
    wizard->cmdNext->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), wizard->cmdNext);
    QTest::keyClick(wizard->cmdNext, Qt::Key_Return);
    EXPECT_FALSE(wizard->frm[0]->isVisible());
    EXPECT_TRUE(wizard->frm[1]->isVisible());
    wizard->CancelButton->setFocus();
    QTest::keyClick(wizard->CancelButton, Qt::Key_Enter);
    settle();
    EXPECT_EQ(m_main.openForms(), forms);
}

namespace {

// Each column's width as a share (in per cent) of the list's inner width.
QList<int> columnShares(const QTreeWidget* lv)
{
    QList<int> shares;
    const double inner = lv->viewport()->width();
    for (int c = 0; c < lv->columnCount(); ++c)
        shares.append(qRound(lv->columnWidth(c) * 100 / inner));
    return shares;
}

// Whether every row of the table and every column lies in its view.
bool showsAllCells(const QTableWidget* grid)
{
    const int rows = grid->rowCount(), columns = grid->columnCount();
    return rows > 0 && columns > 0
        && grid->rowViewportPosition(rows - 1) + grid->rowHeight(rows - 1) <= grid->viewport()->height()
        && grid->columnViewportPosition(columns - 1) + grid->columnWidth(columns - 1) <= grid->viewport()->width();
}

} // namespace

// Lists size their columns by their real width when shown and when resized,
// and windows open at a size that shows what they hold.
TEST_F(ProgramWindowsTest, ListsShareTheirRealWidthAndWindowsOpenShowingTheirContent)
{
    m_main.Reports();
    auto* reports = m_main.findChild<frmReportList*>();
    ASSERT_NE(reports, nullptr);
    settle();
    EXPECT_EQ(columnShares(reports->lv), (QList<int>{40, 15, 20, 24}));
    auto* frame = qobject_cast<QMdiSubWindow*>(reports->parentWidget());
    ASSERT_NE(frame, nullptr);
    frame->resize(frame->size() + QSize(200, 0));
    settle();
    EXPECT_EQ(columnShares(reports->lv), (QList<int>{40, 15, 20, 24}));
    // The buttons stand below the list; each report shows the report image.
    EXPECT_LT(reports->lv->mapTo(reports, QPoint(0, reports->lv->height())).y(),
              reports->cmdView->mapTo(reports, QPoint(0, 0)).y());
    ASSERT_GT(reports->lv->topLevelItemCount(), 0);
    EXPECT_FALSE(reports->lv->topLevelItem(0)->icon(0).isNull());
    m_main.closeChildren();
    settle();

    // The actions and attachments tabs are laid out only when shown.
    const QList<QWidget*> forms = m_main.openForms();
    m_main.ShowIssue(m_issue, -1, false, -1);
    auto* issue = dynamic_cast<frmIssue*>(opened(forms));
    ASSERT_NE(issue, nullptr);
    issue->TabCtl->setCurrentWidget(issue->TabCtl->widget(1));
    settle();
    EXPECT_EQ(columnShares(issue->IACtl->lv), (QList<int>{15, 20, 15, 35, 15}));
    issue->TabCtl->setCurrentIndex(4);
    settle();
    EXPECT_EQ(columnShares(issue->ACtl->lv), (QList<int>{30, 15, 30, 24}));
    m_main.closeChildren();
    settle();

    // User Management: every column in view.
    bool allColumns = false;
    bmtest::whenModal<frmUsers>([&allColumns](frmUsers* users) {
        const QHeaderView* header = users->lv->header();
        const int last = header->count() - 1;
        const int needed = header->sectionViewportPosition(last)
            + header->fontMetrics().horizontalAdvance(QStringLiteral("Active?"));
        allColumns = needed < users->lv->viewport()->width();
        users->OKButton->click();
    });
    m_main.UserManagement();
    settle();
    EXPECT_TRUE(allColumns);

    // Customizations: every row and both columns of the customer window's
    // names in view.
    bool allCells = false;
    ModalScript script;
    script.then([&allCells](QDialog& d) {
        d.show();
        settle();
        allCells = showsAllCells(d.findChild<QTableWidget*>(QStringLiteral("grdCustom")));
        d.reject();
    });
    m_main.Customizations();
    EXPECT_TRUE(allCells);
}

namespace {

// The part of the area's content the user can bring into view: the
// viewport, widened by what its scroll bars can reach.
QRect reachableArea(const QAbstractScrollArea* area)
{
    QRect room = area->viewport()->rect();
    const QScrollBar* h = area->horizontalScrollBar();
    const QScrollBar* v = area->verticalScrollBar();
    if (area->horizontalScrollBarPolicy() != Qt::ScrollBarAlwaysOff)
        room.adjust(h->minimum() - h->value(), 0, h->maximum() - h->value(), 0);
    if (area->verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff)
        room.adjust(0, v->minimum() - v->value(), 0, v->maximum() - v->value());
    return room;
}

// The buttons of `window` that the user cannot reach: outside `room` (in
// the coordinates of `area`) and not inside a scroll area of the window.
std::string unreachableButtons(QWidget* window, QWidget* area, const QRect& room)
{
    QStringList faults;
    for (QAbstractButton* b : window->findChildren<QAbstractButton*>()) {
        if (!b->isVisible() || qobject_cast<QScrollBar*>(b->parentWidget()))
            continue;
        bool scrolled = false;
        for (QWidget* p = b->parentWidget(); p && p != window; p = p->parentWidget())
            scrolled = scrolled || qobject_cast<QAbstractScrollArea*>(p);
        const QRect r(b->mapTo(area, QPoint(0, 0)), b->size());
        if (!scrolled && !room.contains(r))
            faults.append(b->objectName() + QLatin1Char(' ') + b->text());
    }
    return faults.join(QStringLiteral(", ")).toStdString();
}

} // namespace

// At the main window's first size on a 1280 x 1000 screen every button of
// every window can be reached: in view, or brought into view by scrolling.
TEST_F(ProgramWindowsTest, AtTheFirstSizeEveryButtonOfEveryWindowCanBeReached)
{
    const QSize first = frmMain::firstSize(QRect(0, 0, 1280, 1000));
    EXPECT_LE(first.width(), 1280);
    EXPECT_LE(first.height(), 1000);
    m_main.resize(first);
    settle();
    QMdiArea* area = m_main.mdiArea();
    withEveryWindow([area](QWidget* window) {
        auto* frame = qobject_cast<QMdiSubWindow*>(window->parentWidget());
        if (!frame) {
            // A dialog, or a window of its own beside the main window.
            EXPECT_EQ(unreachableButtons(window, window, window->rect()), "");
            return;
        }
        EXPECT_EQ(unreachableButtons(window, area->viewport(), reachableArea(area)), "");
        // The whole window fits the area at this size.
        const QSize room = area->viewport()->size();
        EXPECT_TRUE(frame->width() <= room.width() && frame->height() <= room.height())
            << "frame " << frame->width() << "x" << frame->height() << " in " << room.width() << "x" << room.height();
    });
}
