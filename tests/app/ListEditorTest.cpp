#include "AdminFixture.h"

#include "app/frmEditCategories.h"
#include "common/Clock.h"
#include "common/ui/ObjectTag.h"
#include "common/ui/clsSystemUI.h"
#include "data/CategoryTypes.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

namespace {

frmEditCategories& editor(QDialog& d) { return static_cast<frmEditCategories&>(d); }

QStringList shownEntries(const frmEditCategories& e)
{
    QStringList texts;
    for (int i = 0; i < e.lv->topLevelItemCount(); ++i)
        texts.append(e.lv->topLevelItem(i)->text(0));
    return texts;
}

QTreeWidgetItem* entry(const frmEditCategories& e, const QString& text)
{
    const auto found = e.lv->findItems(text, Qt::MatchExactly);
    return found.isEmpty() ? nullptr : found.first();
}

void select(frmEditCategories& e, const QString& text)
{
    QTreeWidgetItem* item = entry(e, text);
    ASSERT_NE(item, nullptr) << text.toStdString();
    e.lv->clearSelection();
    item->setSelected(true);
}

class ListEditorTest : public AdminFixture {
protected:
    ListEditorTest() { frmEditCategories::resetUntitledCounter(); }

    // The stored texts of a category type, in text order.
    static QStringList stored(qint32 type)
    {
        QStringList texts;
        const auto rows = DB().listRows(DB().CategoryTable(), QStringLiteral("rowid"), QStringLiteral("desc"), type);
        for (const DbListRow& row : rows.value())
            texts.append(row.text);
        return texts;
    }

    static qint32 addEntry(const QString& text, qint32 type)
    {
        DATA4* cats = DB().OpenTable(DB().CategoryTable());
        const qint32 id = DB().AddCategory(text, type, cats);
        d4close(cats);
        return id;
    }

    // The quick entry list 200, emptied of what a new database brings, with
    // the given entries.
    static void quickList(const QStringList& texts)
    {
        const auto rows = DB().listRows(DB().CategoryTable(), QStringLiteral("rowid"), QStringLiteral("desc"),
                                        CatType::CustomerCustom1);
        for (const DbListRow& row : rows.value())
            DB().DeleteRecord(row.id, DB().CategoryTable());
        for (const QString& text : texts)
            addEntry(text, CatType::CustomerCustom1);
    }
};

TEST_F(ListEditorTest, NewAppendsTheNextUntitledEntryOfTheRunAndOffersItForRenaming)
{
    m_dialogs.then([](QDialog& d) {
        frmEditCategories& e = editor(d);
        EXPECT_EQ(objectTag(&e), QStringLiteral("LISTMGMT_CUSTOMERCATEGORIES"));
        EXPECT_TRUE(e.windowTitle().startsWith(QLatin1String("Edit Customer Categories - ")));
        EXPECT_TRUE(e.windowTitle().endsWith(QLatin1String("10:30:00 AM"))) << e.windowTitle().toStdString();
        EXPECT_EQ(e.lv->headerItem()->text(0), QStringLiteral("Customer Categories"));
        e.cmdNew->click();
        EXPECT_EQ(shownEntries(e).last(), QStringLiteral("Untitled 1"));
        EXPECT_TRUE(e.lv->topLevelItem(e.lv->topLevelItemCount() - 1)->isSelected());
        EXPECT_TRUE(e.cmdDelete->isEnabled());
    });
    m_dialogs.then([](QDialog& d) {
        frmEditCategories& e = editor(d);
        EXPECT_EQ(objectTag(&e), QStringLiteral("LISTMGMT_CUSTOMFIELDS"));
        EXPECT_TRUE(e.windowTitle().startsWith(QLatin1String("Edit Quick Entry List - ")));
        EXPECT_EQ(e.lv->headerItem()->text(0), QStringLiteral("Quick Entry List"));
        e.cmdNew->click();
    });
    m_main.EditCustomerCategory();
    m_main.EditCustomFieldCategory(CatType::IssueCustom2);
    EXPECT_TRUE(stored(CatType::CustomerCategory).contains(QStringLiteral("Untitled 1")));
    EXPECT_EQ(stored(CatType::IssueCustom2), QStringList{QStringLiteral("Untitled 2")});
    EXPECT_EQ(m_dialogs.unscripted, 0);
}

TEST_F(ListEditorTest, ShownNewEntryOpensItsTextForEditing)
{
    frmEditCategories e(&m_main);
    e.Init(QStringLiteral("Edit Quick Entry List"), QStringLiteral("Quick Entry List"), QStringLiteral("bcccat.dbf"),
           DB().CategoryTable(), QStringLiteral("rowid"), QStringLiteral("desc"), CatType::PSCustom1, QString(),
           QString(), QString(), QString(), 1060);
    e.show();
    e.cmdNew->click();
    auto* box = e.lv->findChild<QLineEdit*>();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), QStringLiteral("Untitled 1"));
    // Typing the name and Enter writes it, trimmed.
    box->setText(QStringLiteral("  Gold plan "));
    QTest::keyClick(box, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(shownEntries(e), QStringList{QStringLiteral("Gold plan")});
    EXPECT_EQ(stored(CatType::PSCustom1), QStringList{QStringLiteral("Gold plan")});
}

TEST_F(ListEditorTest, RenameIsTrimmedAndCutAndABlankOneChangesNothing)
{
    quickList({QStringLiteral("Alpha")});
    const QString sixty = QStringLiteral("  ") + QString(30, QLatin1Char('a')) + QString(30, QLatin1Char('b')) + QStringLiteral(" ");
    const struct {
        QString typed;
        QString kept;
    } cases[] = {
        {QStringLiteral("   "), QStringLiteral("Alpha")},
        {QString(), QStringLiteral("Alpha")},
        {QStringLiteral(" Beta "), QStringLiteral("Beta")},
        {sixty, QString(30, QLatin1Char('a')) + QString(10, QLatin1Char('b'))},
    };
    m_dialogs.then([&](QDialog& d) {
        frmEditCategories& e = editor(d);
        for (const auto& c : cases) {
            QTreeWidgetItem* item = e.lv->topLevelItem(0);
            select(e, item->text(0));
            QString edited = c.typed;
            if (e.lv_AfterLabelEdit(item, edited))
                item->setText(0, edited);
            EXPECT_EQ(item->text(0), c.kept) << c.typed.toStdString();
            EXPECT_EQ(stored(CatType::CustomerCustom1), QStringList{c.kept}) << c.typed.toStdString();
        }
    });
    m_main.EditCustomFieldCategory(CatType::CustomerCustom1);
    EXPECT_TRUE(m_prompts.shown().isEmpty());
}

TEST_F(ListEditorTest, RenamingAnEntryAnotherUserDeletedSaysSo)
{
    quickList({QStringLiteral("Alpha")});
    m_dialogs.then([](QDialog& d) {
        frmEditCategories& e = editor(d);
        QTreeWidgetItem* item = e.lv->topLevelItem(0);
        ASSERT_TRUE(DB().DeleteRecord(SysUI().lvItemKey(item).mid(1).toInt(), DB().CategoryTable()));
        QString edited = QStringLiteral("Beta");
        EXPECT_TRUE(e.lv_AfterLabelEdit(item, edited));
    });
    m_main.EditCustomFieldCategory(CatType::CustomerCustom1);
    ASSERT_EQ(m_prompts.shown().size(), 1);
    EXPECT_EQ(m_prompts.last().text, QStringLiteral("Unable to update this item in table bcccat.dbf! It may have been "
                                                     "deleted by another user. Press Refresh to get the latest list."));
    EXPECT_EQ(m_prompts.last().style, MsgStyle::Critical);
    EXPECT_TRUE(stored(CatType::CustomerCustom1).isEmpty());
}

TEST_F(ListEditorTest, AnEntryInUseCannotBeDeletedUntilNoRecordRefersToIt)
{
    const qint32 retail = addEntry(QStringLiteral("Retail"), CatType::CustomerCategory);
    const qint32 other = addEntry(QStringLiteral("Wholesale"), CatType::CustomerCategory);
    const qint32 cust = addRow(DB().CustomerTable(), "_customer", {{"lastname", QStringLiteral("Ames")}, {"custcat", retail}});
    ASSERT_GT(cust, 0);
    m_dialogs.then([&](QDialog& d) {
        frmEditCategories& e = editor(d);
        select(e, QStringLiteral("Retail"));
        e.cmdDelete->click();
        EXPECT_NE(entry(e, QStringLiteral("Retail")), nullptr);
        // The customer moves to another category: now it goes, after the question.
        RecColl coll(DB().CustomerTable(), cust, QStringLiteral("_customer"));
        ASSERT_TRUE(DB().ReadRecord(coll, false));
        coll.set(QStringLiteral("custcat"), other);
        ASSERT_TRUE(DB().SaveRecord(coll, false));
        m_prompts.button(MsgAnswer::Yes);
        e.cmdDelete->click();
        EXPECT_EQ(entry(e, QStringLiteral("Retail")), nullptr);
        EXPECT_FALSE(e.cmdDelete->isEnabled());
    });
    m_main.EditCustomerCategory();
    ASSERT_EQ(m_prompts.shown().size(), 2);
    EXPECT_EQ(m_prompts.shown().at(0).text, QStringLiteral("'Retail' is under use and cannot be deleted!"));
    EXPECT_EQ(m_prompts.shown().at(0).style, MsgStyle::Exclamation);
    EXPECT_EQ(m_prompts.shown().at(0).title, QStringLiteral("Brindlemark"));
    EXPECT_EQ(m_prompts.shown().at(1).text, QStringLiteral("Are you sure you want to delete 'Retail'?"));
    EXPECT_EQ(m_prompts.shown().at(1).title, QStringLiteral("Delete Confirmation"));
    EXPECT_EQ(m_prompts.shown().at(1).style, MsgStyle::YesNoCancel | MsgStyle::Question | MsgStyle::DefaultButton2);
    EXPECT_FALSE(stored(CatType::CustomerCategory).contains(QStringLiteral("Retail")));
}

TEST_F(ListEditorTest, AProductUsedByAnIssueIsInUseAndOneUsedByTemplatesOnlyIsNot)
{
    const qint32 byIssue = addEntry(QStringLiteral("Hosting"), CatType::ProductService);
    const qint32 byTemplate = addEntry(QStringLiteral("Support"), CatType::ProductService);
    ASSERT_GT(addRow(DB().IssuesTable(), "_issue", {{"custid", 1000}, {"psid", byIssue}}), 0);
    ASSERT_GT(addRow(DB().IssuesTemplatesTable(), "_issuetemplate", {{"psid", byTemplate}}), 0);
    m_dialogs.then([](QDialog& d) {
        frmEditCategories& e = editor(d);
        EXPECT_EQ(objectTag(&e), QStringLiteral("LISTMGMT_PRODUCTSERVICECATEGORIES"));
        for (const char* text : {"Hosting", "Support"}) {
            select(e, QString::fromLatin1(text));
            e.cmdDelete->click();
        }
    });
    m_prompts.button(MsgAnswer::Ok).button(MsgAnswer::Yes);
    m_main.EditProductServiceCategory();
    EXPECT_EQ(shownTexts(ShownPrompt::Kind::MessageBox),
              (QStringList{QStringLiteral("'Hosting' is under use and cannot be deleted!"),
                           QStringLiteral("Are you sure you want to delete 'Support'?")}));
    EXPECT_TRUE(stored(CatType::ProductService).contains(QStringLiteral("Hosting")));
    EXPECT_FALSE(stored(CatType::ProductService).contains(QStringLiteral("Support")));
}

TEST_F(ListEditorTest, DeleteAllLeavesTheEntriesInUseWithoutAWord)
{
    QList<qint32> ids;
    for (const char* text : {"One", "Two", "Three", "Four", "Five"})
        ids.append(addEntry(QString::fromLatin1(text), CatType::ContractType));
    ASSERT_GT(addRow(DB().Customers2PSTable(), "_ps", {{"custid", 1000}, {"conttype", ids.at(1)}}), 0);
    ASSERT_GT(addRow(DB().Customers2PSTable(), "_ps", {{"custid", 1000}, {"conttype", ids.at(3)}}), 0);
    m_dialogs.then([](QDialog& d) {
        frmEditCategories& e = editor(d);
        e.cmdDeleteAll->click();
        EXPECT_EQ(shownEntries(e), (QStringList{QStringLiteral("Four"), QStringLiteral("Two")}));
    });
    m_prompts.button(MsgAnswer::Yes);
    m_main.EditContractTypesCategory();
    ASSERT_EQ(m_prompts.shown().size(), 1);
    EXPECT_EQ(m_prompts.last().text, QStringLiteral("Are you sure you want to delete ALL items in this list?"));
    EXPECT_EQ(m_prompts.last().title, QStringLiteral("Delete ALL Confirmation"));
    EXPECT_EQ(m_prompts.last().style, MsgStyle::YesNoCancel | MsgStyle::Question | MsgStyle::DefaultButton2);
    EXPECT_EQ(stored(CatType::ContractType), (QStringList{QStringLiteral("Four"), QStringLiteral("Two")}));
}

TEST_F(ListEditorTest, NoOrCancelToEitherQuestionDeletesNothing)
{
    quickList({QStringLiteral("Alpha"), QStringLiteral("Beta")});
    for (MsgAnswer answer : {MsgAnswer::No, MsgAnswer::Cancel}) {
        m_dialogs.then([&](QDialog& d) {
            frmEditCategories& e = editor(d);
            select(e, QStringLiteral("Alpha"));
            m_prompts.button(answer).button(answer);
            e.cmdDelete->click();
            e.cmdDeleteAll->click();
            EXPECT_EQ(shownEntries(e).size(), 2);
        });
        m_main.EditCustomFieldCategory(CatType::CustomerCustom1);
    }
    EXPECT_EQ(stored(CatType::CustomerCustom1), (QStringList{QStringLiteral("Alpha"), QStringLiteral("Beta")}));
    EXPECT_EQ(m_prompts.shown().size(), 4);
}

TEST_F(ListEditorTest, DeleteSelectedNeedsASelectionAndRefreshRestampsAndKeepsIt)
{
    quickList({QStringLiteral("Alpha"), QStringLiteral("Beta")});
    m_dialogs.then([](QDialog& d) {
        frmEditCategories& e = editor(d);
        EXPECT_FALSE(e.cmdDelete->isEnabled());
        e.cmdDelete->click();
        select(e, QStringLiteral("Beta"));
        EXPECT_TRUE(e.cmdDelete->isEnabled());
        Clock::setFixed(QDateTime(QDate(2024, 3, 15), QTime(10, 45, 5)));
        addEntry(QStringLiteral("Gamma"), CatType::CustomerCustom1);
        e.cmdRefresh->click();
        EXPECT_TRUE(e.windowTitle().endsWith(QLatin1String("10:45:05 AM"))) << e.windowTitle().toStdString();
        EXPECT_EQ(shownEntries(e), (QStringList{QStringLiteral("Alpha"), QStringLiteral("Beta"), QStringLiteral("Gamma")}));
        EXPECT_TRUE(entry(e, QStringLiteral("Beta"))->isSelected());
        EXPECT_TRUE(e.cmdDelete->isEnabled());
    });
    m_main.EditCustomFieldCategory(CatType::CustomerCustom1);
    EXPECT_TRUE(m_prompts.shown().isEmpty());
}

TEST_F(ListEditorTest, PrintGoesToThePrinterChoiceUnderTheCaption)
{
    quickList({QStringLiteral("Alpha")});
    m_dialogs.then([](QDialog& d) { editor(d).cmdPrint->click(); });
    m_prompts.cancel();
    m_main.EditCustomFieldCategory(CatType::CustomerCustom1);
    ASSERT_EQ(m_prompts.shown().size(), 1);
    EXPECT_EQ(m_prompts.last().kind, ShownPrompt::Kind::PrinterSelection);
}

TEST_F(ListEditorTest, WithoutListManagementPermissionOnlyTheRefusal)
{
    reopenAsClerk();
    m_prompts.clear();
    m_main.EditIssueCategory();
    m_main.EditCustomFieldCategory(CatType::PSCustom2);
    EXPECT_TRUE(m_dialogs.captions.isEmpty());
    ASSERT_EQ(m_prompts.shown().size(), 2);
    EXPECT_TRUE(m_prompts.last().text.startsWith(QLatin1String("Sorry, you are not permitted")));
}

TEST_F(ListEditorTest, EveryListOpensUnderItsKeyWordAndCaption)
{
    const struct {
        frmMain::Command command;
        const char* key;
        const char* caption;
    } lists[] = {
        {&frmMain::EditContractDurationsCategory, "LISTMGMT_CONTRACTDURATIONCATEGORIES", "Edit Contract Durations"},
        {&frmMain::EditStateCategory, "LISTMGMT_STATECATEGORIES", "Edit States/Provinces"},
        {&frmMain::EditCountryCategory, "LISTMGMT_COUNTRYCATEGORIES", "Edit Countries"},
        {&frmMain::EditIssueStatusCategory, "LISTMGMT_ISSUESTATUSES", "Edit Issue Statuses"},
        {&frmMain::EditIssueActionsCategory, "LISTMGMT_ISSUEACTIONSTATUSES", "Edit Issue Actions"},
        {&frmMain::EditIssuePriorityCategory, "LISTMGMT_ISSUEPRIORITIES", "Edit Issue Priorities"},
        {&frmMain::EditIssueCategory, "LISTMGMT_ISSUECATETORIES", "Edit Issue Categories"},
    };
    for (const auto& l : lists) {
        QString tag;
        m_dialogs.then([&](QDialog& d) { tag = objectTag(&d); });
        (m_main.*l.command)();
        EXPECT_EQ(tag, QString::fromLatin1(l.key));
        EXPECT_TRUE(m_dialogs.captions.last().startsWith(QLatin1String(l.caption) + QLatin1String(" - ")))
            << l.caption;
    }
}

} // namespace
