#include "IssueFixture.h"
#include "DataFixture.h"

#include "app/EditModeCtl.h"
#include "common/Clock.h"
#include "common/ui/HelpContext.h"
#include "common/ui/ObjectTag.h"
#include "common/ui/clsSystemUI.h"
#include "app/WindowCreators.h"
#include "customers/frmCustomer.h"
#include "data/ParamFlags.h"
#include "issues/frmEditIssueTemplates.h"
#include "issues/frmIssueTemplate.h"
#include "issues/frmSelectIssueTemplate.h"
#include "xbase/c4.h"

#include "WhenModal.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

// The template picker and the template list, driven as the main window and
// the customer window show them.

namespace {

using bmtest::whenModal;

const QString kEnable = QStringLiteral("ENABLE_ISSUE_TEMPLATES");

QStringList texts(const QTreeWidget* lv)
{
    QStringList shown;
    for (int i = 0; i < lv->topLevelItemCount(); ++i)
        shown.append(lv->topLevelItem(i)->text(0));
    return shown;
}

QTreeWidgetItem* item(const QTreeWidget* lv, const QString& text)
{
    const auto found = lv->findItems(text, Qt::MatchExactly);
    return found.isEmpty() ? nullptr : found.first();
}

void select(QTreeWidget* lv, const QString& text)
{
    QTreeWidgetItem* found = item(lv, text);
    ASSERT_NE(found, nullptr) << text.toStdString();
    lv->clearSelection();
    found->setSelected(true);
}

// The in-place editor open on the list, or null.
QLineEdit* renameBox(const QTreeWidget* lv)
{
    return qobject_cast<QLineEdit*>(lv->indexWidget(lv->currentIndex()));
}

class TemplatesTest : public IssueFixture {
protected:
    // The template names as bmtool dumps them, in row order.
    static QStringList dumpedNames()
    {
        QStringList names;
        for (const QStringList& row : dumpedRows(DB().IssuesTemplatesTable()))
            names.append(field(row, QStringLiteral("NAME")));
        return names;
    }

    // Opens the template list through the main window and runs `step` in it.
    void manage(std::function<void(frmEditIssueTemplates*)> step)
    {
        whenModal<frmEditIssueTemplates>(std::move(step));
        m_main.ManageIssueTemplates();
    }

    // A window of the main window by its tag.
    template <class T>
    static T* window(const QString& tag)
    {
        QWidget* found = nullptr;
        SysUI().GetFormWithTag(tag, found);
        return dynamic_cast<T*>(found);
    }

    void discard(frmIssue* w)
    {
        m_prompts.button(MsgAnswer::Yes);
        w->CancelButton->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

// --- The picker ------------------------------------------------------------------

TEST_F(TemplatesTest, PickerOffersBlankIssueFirstAndOKWaitsForAChoice)
{
    const qint32 zeta = addNamedTemplate(QStringLiteral("Zeta"));
    addNamedTemplate(QStringLiteral("alpha"));
    qint32 chosen = 0;
    whenModal<frmSelectIssueTemplate>([](frmSelectIssueTemplate* d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("Select Issue Template"));
        EXPECT_EQ(objectTag(d), QStringLiteral("EDIT_ISSUETEMPLATES"));
        EXPECT_EQ(HelpContext::of(d), 1335);
        EXPECT_EQ(d->lv->headerItem()->text(0), QStringLiteral("Issue Templates"));
        EXPECT_EQ(texts(d->lv), (QStringList{QStringLiteral("Blank Issue"), QStringLiteral("alpha"),
                                             QStringLiteral("Zeta")}));
        EXPECT_EQ(SysUI().lvItemKey(d->lv->topLevelItem(0)), QStringLiteral("N-1"));
        EXPECT_EQ(d->cmdRefresh->text(), QStringLiteral("R&efresh"));
        // Without a choice OK is off and does nothing.
        EXPECT_FALSE(d->cmdOK->isEnabled());
        d->cmdOK->click();
        EXPECT_TRUE(d->isVisible());
        select(d->lv, QStringLiteral("Zeta"));
        EXPECT_TRUE(d->cmdOK->isEnabled());
        d->cmdOK->click();
    });
    EXPECT_TRUE(m_main.GetIssueTemplateID(chosen));
    EXPECT_EQ(chosen, zeta);

    // A double-click chooses the row it hits; "Blank Issue" stands for none.
    whenModal<frmSelectIssueTemplate>([](frmSelectIssueTemplate* d) {
        QTreeWidgetItem* blank = d->lv->topLevelItem(0);
        const QPoint at = d->lv->visualItemRect(blank).center();
        QTest::mouseClick(d->lv->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(d->lv->viewport(), Qt::LeftButton, {}, at);
    });
    EXPECT_TRUE(m_main.GetIssueTemplateID(chosen));
    EXPECT_EQ(chosen, -1);

    // Cancel and the close box choose nothing, even with a row selected.
    for (bool byCloseBox : {false, true}) {
        chosen = 0;
        whenModal<frmSelectIssueTemplate>([byCloseBox](frmSelectIssueTemplate* d) {
            select(d->lv, QStringLiteral("alpha"));
            byCloseBox ? (void)d->close() : d->cmdCancel->click();
        });
        EXPECT_FALSE(m_main.GetIssueTemplateID(chosen)) << byCloseBox;
        EXPECT_EQ(chosen, 0);
    }
}

TEST_F(TemplatesTest, PickerRefreshShowsTemplatesAddedMeanwhile)
{
    addNamedTemplate(QStringLiteral("Alpha"));
    qint32 chosen = 0;
    whenModal<frmSelectIssueTemplate>([this](frmSelectIssueTemplate* d) {
        addNamedTemplate(QStringLiteral("Beta"));
        EXPECT_EQ(texts(d->lv).size(), 2);
        d->cmdRefresh->click();
        EXPECT_EQ(texts(d->lv), (QStringList{QStringLiteral("Blank Issue"), QStringLiteral("Alpha"),
                                             QStringLiteral("Beta")}));
        EXPECT_FALSE(d->cmdOK->isEnabled());
        d->cmdCancel->click();
    });
    EXPECT_FALSE(m_main.GetIssueTemplateID(chosen));
}

TEST_F(TemplatesTest, NewIssueFromACustomerAsksForATemplateOnlyWhenTheyAreOn)
{
    const qint32 billing = addCategory(QStringLiteral("Billing"), 105);
    const qint32 renewal = addNamedTemplate(QStringLiteral("Renewal"),
                                            {{"psid", m_hardware},
                                             {"shortdesc", QStringLiteral("Licence renewal")},
                                             {"priority", 453},
                                             {"status", 402},
                                             {"issuecat", billing},
                                             {"custom1", QStringLiteral("C one")},
                                             {"desc", QStringLiteral("Renew the licence")}});
    ASSERT_TRUE(DB().SetParamValue(kEnable, QStringLiteral("1")));
    frmCustomer* c = open(m_cust);
    ASSERT_NE(c, nullptr);
    c->TabCtl->setCurrentIndex(3);

    // Cancel opens nothing.
    whenModal<frmSelectIssueTemplate>([](frmSelectIssueTemplate* d) { d->cmdCancel->click(); });
    c->cmdNewIssue->click();
    EXPECT_FALSE(SysUI().IsFormLoaded(QStringLiteral("I-1")));

    // "Blank Issue": the plain defaults.
    whenModal<frmSelectIssueTemplate>([](frmSelectIssueTemplate* d) {
        EXPECT_FALSE(d->cmdOK->isEnabled());
        select(d->lv, QStringLiteral("Blank Issue"));
        d->cmdOK->click();
    });
    c->cmdNewIssue->click();
    frmIssue* w = window<frmIssue>(QStringLiteral("I-1"));
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->TemplateID(), -1);
    EXPECT_EQ(w->CustID(), m_cust);
    EXPECT_EQ(w->cboPS->currentIndex(), -1);
    EXPECT_EQ(w->txtShortDesc->text(), QString());
    EXPECT_EQ(SysUI().cboGetItemID(w->cboPriority), 451);
    EXPECT_EQ(SysUI().cboGetItemID(w->cboStatus), 400);
    EXPECT_EQ(w->txtDesc->toPlainText(), QString());
    discard(w);

    // A template fills its values.
    whenModal<frmSelectIssueTemplate>([](frmSelectIssueTemplate* d) {
        select(d->lv, QStringLiteral("Renewal"));
        d->cmdOK->click();
    });
    c->cmdNewIssue->click();
    w = window<frmIssue>(QStringLiteral("I-1"));
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->TemplateID(), renewal);
    EXPECT_EQ(SysUI().cboGetItemID(w->cboPS), m_hardware);
    EXPECT_EQ(w->txtShortDesc->text(), QStringLiteral("Licence renewal"));
    EXPECT_EQ(SysUI().cboGetItemID(w->cboPriority), 453);
    EXPECT_EQ(SysUI().cboGetItemID(w->cboStatus), 402);
    EXPECT_EQ(SysUI().cboGetItemID(w->cboIssueCategory), billing);
    EXPECT_EQ(w->txtCust1->currentText(), QStringLiteral("C one"));
    EXPECT_EQ(w->txtDesc->toPlainText(), QStringLiteral("Renew the licence"));
    discard(w);

    // Templates off: no picker, the issue opens at once.
    ASSERT_TRUE(DB().SetParamValue(kEnable, QStringLiteral("0")));
    int pickers = 0;
    WindowCreators::set(WindowCreators::Kind::SelectIssueTemplate, [&pickers](QWidget* parent) -> QWidget* {
        ++pickers;
        return new frmSelectIssueTemplate(parent);
    });
    c->cmdNewIssue->click();
    EXPECT_EQ(pickers, 0);
    w = window<frmIssue>(QStringLiteral("I-1"));
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->TemplateID(), -1);
    discard(w);
}

// --- The template list -------------------------------------------------------------

TEST_F(TemplatesTest, NewAddsUntitledNamesCountedAfreshEachTimeTheListOpens)
{
    manage([](frmEditIssueTemplates* d) {
        EXPECT_EQ(objectTag(d), QStringLiteral("EDIT_ISSUETEMPLATES"));
        EXPECT_EQ(HelpContext::of(d), 1335);
        EXPECT_EQ(d->windowTitle(), QStringLiteral("Edit Issue Templates - 3/15/2024 @ 10:30:00 AM"));
        EXPECT_EQ(d->lv->headerItem()->text(0), QStringLiteral("Issue Templates"));
        EXPECT_EQ(d->ckEnableIssueTemplate->text(),
                  QStringLiteral("Enable Templates  - Prompt user to select an issue template when creating a new issue"));
        EXPECT_FALSE(d->cmdEdit->isEnabled());
        for (int n = 1; n <= 3; ++n) {
            const QString name = QStringLiteral("Untitled %1").arg(n);
            d->cmdNew->click();
            EXPECT_EQ(texts(d->lv).last(), name);
            EXPECT_TRUE(d->lv->topLevelItem(n - 1)->isSelected());
            EXPECT_TRUE(d->cmdEdit->isEnabled());
            // The new name is open for renaming at once.
            QLineEdit* box = renameBox(d->lv);
            ASSERT_NE(box, nullptr) << n;
            EXPECT_EQ(box->text(), name);
        }
        d->cmdClose->click();
    });
    EXPECT_EQ(dumpedNames(), (QStringList{QStringLiteral("Untitled 1"), QStringLiteral("Untitled 2"),
                                          QStringLiteral("Untitled 3")}));
    // Only the identifier and the name are written: no stamp, no values.
    const QStringList first = dumpedRows(DB().IssuesTemplatesTable()).first();
    EXPECT_EQ(field(first, QStringLiteral("LASTMODBY")), QString());
    EXPECT_EQ(field(first, QStringLiteral("SHORTDESC")), QString());
    EXPECT_FALSE(SysUI().IsFormLoaded(QStringLiteral("T%1").arg(field(first, QStringLiteral("ROWID")))));

    manage([](frmEditIssueTemplates* d) {
        d->cmdNew->click();
        EXPECT_EQ(texts(d->lv).last(), QStringLiteral("Untitled 1"));
    });
    EXPECT_EQ(dumpedNames().size(), 4);
    EXPECT_EQ(dumpedNames().last(), QStringLiteral("Untitled 1"));
}

TEST_F(TemplatesTest, RenameInPlaceIsTrimmedAndCutAndABlankNameChangesNothing)
{
    addNamedTemplate(QStringLiteral("Alpha"));
    const QString x60(60, QLatin1Char('x'));
    const QString y70(70, QLatin1Char('y'));
    const struct {
        QString typed;
        QString kept;
    } cases[] = {
        {QStringLiteral("   "), QStringLiteral("Alpha")},
        {QString(), QStringLiteral("Alpha")},
        {QStringLiteral(" Gold plan  "), QStringLiteral("Gold plan")},
        {x60 + y70, x60 + QString(60, QLatin1Char('y'))},
    };
    manage([&](frmEditIssueTemplates* d) {
        for (const auto& c : cases) {
            QTreeWidgetItem* row = d->lv->topLevelItem(0);
            QString edited = c.typed;
            if (d->lv_AfterLabelEdit(row, edited))
                row->setText(0, edited);
            EXPECT_EQ(row->text(0), c.kept) << c.typed.toStdString();
            EXPECT_EQ(dumpedNames(), QStringList{c.kept}) << c.typed.toStdString();
        }
        // Typed into the list's own editor and confirmed with Enter.
        select(d->lv, x60 + QString(60, QLatin1Char('y')));
        d->lv->setCurrentItem(d->lv->topLevelItem(0));
        d->lv->editItem(d->lv->topLevelItem(0), 0);
        QLineEdit* box = renameBox(d->lv);
        ASSERT_NE(box, nullptr);
        box->setText(QStringLiteral("  Silver plan "));
        QTest::keyClick(box, Qt::Key_Return);
        QCoreApplication::processEvents();
        EXPECT_EQ(texts(d->lv), QStringList{QStringLiteral("Silver plan")});
    });
    EXPECT_EQ(dumpedNames(), QStringList{QStringLiteral("Silver plan")});
    EXPECT_TRUE(m_prompts.shown().isEmpty());
}

TEST_F(TemplatesTest, RenamingATemplateGoneOrLockedSaysSoAndWritesNothing)
{
    const qint32 alpha = addNamedTemplate(QStringLiteral("Alpha"));
    addNamedTemplate(QStringLiteral("Bravo"));
    code4lockDelay(DB().CBEngine(), 5);
    manage([&](frmEditIssueTemplates* d) {
        // Another user deleted Alpha: the typed name stays in the list.
        ASSERT_TRUE(DB().DeleteRecord(alpha, DB().IssuesTemplatesTable()));
        QString edited = QStringLiteral("Alpha two");
        QTreeWidgetItem* row = item(d->lv, QStringLiteral("Alpha"));
        ASSERT_NE(row, nullptr);
        EXPECT_TRUE(d->lv_AfterLabelEdit(row, edited));
        // Another process holds Bravo's row (the second record).
        bmtest::LockHolder other(DB().IssuesTemplatesTable(), 2);
        ASSERT_TRUE(other.holding());
        edited = QStringLiteral("Bravo two");
        EXPECT_TRUE(d->lv_AfterLabelEdit(item(d->lv, QStringLiteral("Bravo")), edited));
    });
    ASSERT_EQ(m_prompts.shown().size(), 2);
    EXPECT_EQ(m_prompts.shown().at(0).text,
              QStringLiteral("Unable to update this item in table bccitempl.dbf! It may have been deleted by another "
                             "user. Press Refresh to get the latest list."));
    EXPECT_EQ(m_prompts.shown().at(0).style, MsgStyle::Critical);
    EXPECT_EQ(m_prompts.shown().at(0).title, QStringLiteral("Brindlemark"));
    EXPECT_EQ(m_prompts.shown().at(1).text, QStringLiteral("RECORD LOCKED: Unable to update bccitempl.dbf!"));
    EXPECT_EQ(m_prompts.shown().at(1).style, MsgStyle::Critical);
    EXPECT_EQ(dumpedNames(), (QStringList{QStringLiteral("Alpha"), QStringLiteral("Bravo")}));
}

TEST_F(TemplatesTest, TheSwitchIsWrittenHoweverTheListCloses)
{
    // A new database has no row: the box starts clear, and closing writes "0".
    ASSERT_EQ(DB().GetParamValue(kEnable), QString());
    bool checked = true;
    manage([&](frmEditIssueTemplates* d) {
        checked = d->ckEnableIssueTemplate->isChecked();
        d->cmdClose->click();
    });
    EXPECT_FALSE(checked);
    EXPECT_EQ(DB().GetParamValue(kEnable), QStringLiteral("0"));

    // Ticked and closed by the close box: "1"; the next opening shows it.
    manage([](frmEditIssueTemplates* d) {
        d->ckEnableIssueTemplate->setChecked(true);
        d->close();
    });
    EXPECT_EQ(DB().GetParamValue(kEnable), QStringLiteral("1"));
    EXPECT_TRUE(IsIssueTemplatesEnabled());

    // Unticked, then Edit on a template: "0" as well.
    const qint32 alpha = addNamedTemplate(QStringLiteral("Alpha"));
    manage([&](frmEditIssueTemplates* d) {
        checked = d->ckEnableIssueTemplate->isChecked();
        d->ckEnableIssueTemplate->setChecked(false);
        select(d->lv, QStringLiteral("Alpha"));
        d->cmdEdit->click();
    });
    EXPECT_TRUE(checked);
    EXPECT_EQ(DB().GetParamValue(kEnable), QStringLiteral("0"));
    auto* opened = window<frmIssueTemplate>(QStringLiteral("T%1").arg(alpha));
    ASSERT_NE(opened, nullptr);
    m_prompts.button(MsgAnswer::Yes);
    opened->CancelButton->click();
}

TEST_F(TemplatesTest, EditOpensTheChosenTemplateInEditModeAndCloseOpensNothing)
{
    addNamedTemplate(QStringLiteral("Alpha"));
    const qint32 bravo = addNamedTemplate(QStringLiteral("Bravo"));
    manage([](frmEditIssueTemplates* d) {
        select(d->lv, QStringLiteral("Bravo"));
        d->cmdClose->click();
    });
    EXPECT_FALSE(SysUI().IsFormLoaded(QStringLiteral("T%1").arg(bravo)));

    bool hidden = false;
    manage([&](frmEditIssueTemplates* d) {
        select(d->lv, QStringLiteral("Bravo"));
        d->cmdEdit->click();
        hidden = !d->isVisible();
    });
    EXPECT_TRUE(hidden);
    auto* w = window<frmIssueTemplate>(QStringLiteral("T%1").arg(bravo));
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->EM->InEditMode());
    EXPECT_EQ(templateMark(bravo), QStringLiteral("1000|testbox"));
    m_prompts.button(MsgAnswer::Yes);
    w->CancelButton->click();
    EXPECT_EQ(templateMark(bravo), QStringLiteral("0|"));
}

TEST_F(TemplatesTest, RefreshKeepsTheSelectedTemplate)
{
    addNamedTemplate(QStringLiteral("Bravo"));
    manage([this](frmEditIssueTemplates* d) {
        select(d->lv, QStringLiteral("Bravo"));
        Clock::setFixed(QDateTime(QDate(2024, 3, 15), QTime(11, 5, 9)));
        addNamedTemplate(QStringLiteral("Alpha"));
        d->cmdRefresh->click();
        EXPECT_EQ(texts(d->lv), (QStringList{QStringLiteral("Alpha"), QStringLiteral("Bravo")}));
        EXPECT_TRUE(item(d->lv, QStringLiteral("Bravo"))->isSelected());
        EXPECT_TRUE(d->cmdEdit->isEnabled());
        EXPECT_EQ(d->windowTitle(), QStringLiteral("Edit Issue Templates - 3/15/2024 @ 11:05:09 AM"));
    });
}

TEST_F(TemplatesTest, PrintWritesTheCaptionAndEveryName)
{
    if (!QFile::exists(QStringLiteral("/usr/bin/pdftotext")))
        GTEST_SKIP() << "pdftotext is not installed";
    for (const char* name : {"Printer jam", "Licence renewal", "Password reset"})
        addNamedTemplate(QString::fromLatin1(name));
    const QString pdf = m_temp.file(QStringLiteral("templates.pdf"));
    m_prompts.printer({QString(), pdf, 1}).button(MsgAnswer::Ok);
    m_main.resize(1000, 700);
    manage([](frmEditIssueTemplates* d) {
        d->resize(500, 400);
        d->cmdPrint->click();
    });
    ASSERT_TRUE(QFile::exists(pdf));
    QProcess run;
    run.start(QStringLiteral("/usr/bin/pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(run.waitForFinished(30000));
    const QString text = QString::fromUtf8(run.readAllStandardOutput());
    for (const char* expected : {"Edit Issue Templates - 3/15/2024 @ 10:30:00 AM", "Printer jam", "Licence renewal",
                                 "Password reset"})
        EXPECT_TRUE(text.contains(QString::fromLatin1(expected))) << expected << "\n" << text.toStdString();
}

} // namespace
