#include "IssueListsFixture.h"

#include "common/mdlRegistry.h"
#include "common/ui/HelpContext.h"
#include "common/ui/clsSystemUI.h"
#include "data/clsDB.h"
#include "issues/core/IssueListModel.h"
#include "issues/core/IssueSearchCore.h"
#include "issues/frmIssueList.h"
#include "issues/frmSearchIssues.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>

namespace {

class IssueSearchTest : public IssueListsFixture {
protected:
    IssueSearchTest()
    {
        m_network = makeIssue(QStringLiteral("Network down"), 1000, 400, QStringLiteral("3/1/2024"),
                              QStringLiteral("The router lost power"), QStringLiteral("Replaced the fuse"));
        m_printer = makeIssue(QStringLiteral("printer jams"), 1000, 401, QStringLiteral("3/2/2024"),
                              QStringLiteral("Paper feed worn; network card fine"));
        m_long = makeIssue(QStringLiteral("Slow screen"), 1000, 400, QStringLiteral("3/3/2024"),
                           QString(39990, QLatin1Char('x')) + QStringLiteral(" flicker"));
        m_software = addCategory(QStringLiteral("Software"), 2);
        m_other = makeIssue(QStringLiteral("Licence"), 1000, 400, QStringLiteral("3/4/2024"), QString(), QString(),
                            m_software);
    }

    // A result window opened the way the main window opens one.
    frmIssueList* search(const QString& words, int type, bool shortDesc, bool desc, bool resolution,
                         qint32 psid = -1)
    {
        auto* list = new frmIssueList;
        list->SetSearchFields(shortDesc, desc, resolution);
        list->Init(words, type, psid);
        m_main.addMdiChild(list);
        return list;
    }

    qint32 m_network = 0;
    qint32 m_printer = 0;
    qint32 m_long = 0;
    qint32 m_software = 0;
    qint32 m_other = 0;
};

TEST_F(IssueSearchTest, WordsAreFoundAsTheSearchAsks)
{
    const qint32 none = 0;
    const struct {
        const char* words;
        int type;
        bool shortDesc, desc, resolution;
        QList<qint32> expected;   // ids, by the fixture's names below
        const char* what;
    } cases[] = {
        {"net", 1, true, false, false, {1}, "a word inside a longer word, any case"},
        {"NETWORK jams", 1, true, false, false, {1, 2}, "any of the words"},
        {"network jams", 2, true, false, false, {}, "all words: never split over two issues"},
        {"network power", 2, true, true, false, {}, "all words: never split over two fields"},
        {"router power", 2, true, true, false, {1}, "all words in one field"},
        {"router", 1, true, false, false, {}, "the description only when ticked"},
        {"router", 1, false, true, false, {1}, "the description when ticked"},
        {"fuse", 1, true, true, false, {}, "the resolution only when ticked"},
        {"fuse", 1, false, false, true, {1}, "the resolution when ticked"},
        {"network", 1, true, true, false, {1, 2}, "short description or description"},
        {"flicker", 1, false, true, false, {3}, "a description of 40,000 characters"},
        {"net  jams", 1, true, false, false, {1, 2}, "two blanks between words list no more"},
        {"  ", 1, true, false, false, {1, 2, 3, 4}, "no words: everything"},
        {"zzz", 3, true, false, false, {1, 2, 3, 4}, "an unknown type lists everything"},
    };
    const QList<qint32> ids{none, m_network, m_printer, m_long, m_other};
    for (const auto& c : cases) {
        frmIssueList* list = search(QLatin1String(c.words), c.type, c.shortDesc, c.desc, c.resolution);
        QSet<qint32> expected;
        for (const qint32 n : c.expected)
            expected.insert(ids.at(n));
        EXPECT_EQ(listedIdSet(list->model()), expected) << c.what;
        EXPECT_EQ(list->lblCust->text(), QString::number(expected.size()) + QStringLiteral(" Issue(s)")) << c.what;
        list->close();
    }
}

TEST_F(IssueSearchTest, MatcherAgreesWithTheEngineUpperCase)
{
    const struct {
        const char* words;
        int type;
        const char* text;
        bool matched;
    } cases[] = {
        {"straße", 1, "STRAßE 5", true},      // ß stays ß
        {"\xc3\xa9t\xc3\xa9", 1, "\xc3\x89T\xc3\x89", true},   // été finds ÉTÉ
        {"a  b", 2, "a", false},              // the empty word is dropped, b is missing
        {"a  b", 1, "", false},
        {"\xe2\x82\xac", 1, "costs \xe2\x82\xac 5", true},        // the euro sign is a Windows-1252 character
        {"\xe4\xb8\xad", 1, "?", false},      // a character no stored text can hold
    };
    for (const auto& c : cases) {
        const IssueSearchCore::WordMatcher matcher(QString::fromUtf8(c.words), c.type);
        EXPECT_EQ(matcher.Matched(QString::fromUtf8(c.text)), c.matched) << c.words << " in " << c.text;
    }
}

TEST_F(IssueSearchTest, ResultWindowShowsCaptionCountAndRowsOfOneProductService)
{
    frmIssueList* list = search(QStringLiteral("  licence "), 1, false, false, false, m_software);
    EXPECT_EQ(HelpContext::of(list), 1220);
    EXPECT_EQ(list->windowTitle(), QStringLiteral("Issues (Search ='LICENCE') @10:30:00 AM"));
    EXPECT_TRUE(list->SearchShortDesc);   // nothing ticked: the short description
    ASSERT_EQ(list->model()->rowCount(), 1);
    EXPECT_EQ(rowText(list->model(), 0), QStringLiteral("Licence|Software|Open|Acme"));
    EXPECT_EQ(list->lblCust->text(), QStringLiteral("1 Issue(s)"));

    frmIssueList* empty = search(QString(), 1, true, false, false, addCategory(QStringLiteral("Unused"), 2));
    EXPECT_EQ(empty->model()->rowCount(), 0);
    EXPECT_EQ(empty->lblCust->text(), QStringLiteral("0 Issue(s)"));
    EXPECT_EQ(empty->windowTitle(), QStringLiteral("Issues (Search ='') @10:30:00 AM"));
    EXPECT_FALSE(empty->cmdProperties->isEnabled());
}

TEST_F(IssueSearchTest, HeadingClicksFlipTheOrderWhicheverColumnAndRefreshKeepsTheSelection)
{
    frmIssueList* list = search(QString(), 1, true, false, false);
    const auto firstColumn = [list] {
        QStringList texts;
        for (int row = 0; row < list->model()->rowCount(); ++row)
            texts.append(list->model()->index(row, 0).data().toString());
        return texts;
    };
    emit list->lv->header()->sectionClicked(0);
    EXPECT_EQ(firstColumn(), (QStringList{QStringLiteral("Slow screen"), QStringLiteral("printer jams"),
                                          QStringLiteral("Network down"), QStringLiteral("Licence")}));
    emit list->lv->header()->sectionClicked(0);
    EXPECT_EQ(firstColumn().first(), QStringLiteral("Licence"));
    selectIssue(list->lv, m_printer);
    makeIssue(QStringLiteral("Another"), 1000, 400, QStringLiteral("3/5/2024"));
    list->cmdRefresh->click();
    EXPECT_EQ(list->model()->rowCount(), 5);
    EXPECT_EQ(selectedKey(list->lv), QStringLiteral("N%1").arg(m_printer));
}

TEST_F(IssueSearchTest, SeededIssuesOfAllOrOneProductService)
{
    seed(30, 300);
    frmIssueList* all = search(QString(), 1, true, false, false);
    EXPECT_EQ(listedIdSet(all->model()), idsWhere([](const StoredIssue&) { return true; }));
    const qint32 psid = storedIssues().last().psid;
    frmIssueList* one = search(QString(), 2, true, false, false, psid);
    const QSet<qint32> expected = idsWhere([psid](const StoredIssue& i) { return i.psid == psid; });
    ASSERT_FALSE(expected.isEmpty());
    EXPECT_EQ(listedIdSet(one->model()), expected);
}

TEST_F(IssueSearchTest, ClosingAResultWindowFromInsideItsFillIsSafe)
{
    for (int i = 0; i < 250; ++i)
        makeIssue(QStringLiteral("Many %1").arg(i), 1000, 400, QStringLiteral("3/1/2024"));
    auto* list = new frmIssueList;
    QMdiSubWindow* sub = m_main.addMdiChild(list);
    QPointer<frmIssueList> watched(list);
    bool closed = false;
    duringFill([&] {
        if (!watched || !watched->filling() || watched->model()->rowCount() < 100)
            return false;
        closed = true;
        watched->CancelButton->click();
        return true;
    });
    list->Init(QStringLiteral("many"), 1, -1);
    ASSERT_TRUE(closed);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(watched.isNull());
    (void)sub;
}

class SearchDialogTest : public IssueSearchTest {
protected:
    // The dialog as the main window shows it, answered by `act` once shown.
    void runSearch(const std::function<void(frmSearchIssues*)>& act)
    {
        QTimer::singleShot(0, [act] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (auto* dialog = qobject_cast<frmSearchIssues*>(w); dialog && dialog->isVisible()) {
                    act(dialog);
                    return;
                }
            }
        });
        m_main.SearchIssues();
    }
    QList<frmIssueList*> lists() const
    {
        return m_main.findChildren<frmIssueList*>();
    }
};

TEST_F(SearchDialogTest, SearchOpensAResultWindowAndTheDialogComesBackAsLeft)
{
    runSearch([this](frmSearchIssues* d) {
        EXPECT_EQ(HelpContext::of(d), 1220);
        EXPECT_EQ(d->cboType->currentText(), QStringLiteral("ANY of these Words"));
        EXPECT_EQ(d->cboPS->currentText(), QStringLiteral("All Products/Services"));
        d->txtSearch->setText(QStringLiteral("router  Power"));
        d->cboType->setCurrentIndex(d->cboType->findData(2));
        d->ckSearchWhat[1]->setChecked(true);
        d->cboPS->setCurrentIndex(d->cboPS->findData(m_hardware));
        d->OKButton->click();
    });
    ASSERT_EQ(lists().size(), 1);
    frmIssueList* list = lists().first();
    EXPECT_EQ(listedIds(list->model()), QList<qint32>{m_network});
    EXPECT_EQ(list->windowTitle(), QStringLiteral("Issues (Search ='ROUTER  POWER') @10:30:00 AM"));

    const QStringList names{QStringLiteral("LastIssueSearchStr"), QStringLiteral("LastIssueSearchType"),
                            QStringLiteral("LastIssueSearchPSID"), QStringLiteral("LastIssueSearchShortDesc"),
                            QStringLiteral("LastIssueSearchDesc"), QStringLiteral("LastIssueSearchResolution")};
    QStringList stored;
    for (const QString& name : names)
        stored.append(GetPrefString(name));
    EXPECT_EQ(stored, (QStringList{QStringLiteral("router  Power"), QStringLiteral("2"), QString::number(m_hardware),
                                   QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("0")}));

    // The next search starts as this one was left; Reset and Clear empty it.
    runSearch([this](frmSearchIssues* d) {
        EXPECT_EQ(d->txtSearch->text(), QStringLiteral("router  Power"));
        EXPECT_EQ(d->cboType->currentData().toInt(), 2);
        EXPECT_EQ(d->cboPS->currentData().toInt(), m_hardware);
        EXPECT_FALSE(d->ckSearchWhat[0]->isChecked());
        EXPECT_TRUE(d->ckSearchWhat[1]->isChecked());
        EXPECT_FALSE(d->ckSearchWhat[2]->isChecked());
        d->cmdReset->click();
        EXPECT_EQ(d->txtSearch->text(), QString());
        EXPECT_EQ(d->cboType->currentData().toInt(), 1);
        EXPECT_EQ(d->cboPS->currentData().toInt(), -1);
        EXPECT_FALSE(d->ckSearchWhat[1]->isChecked());
        d->txtSearch->setText(QStringLiteral("x"));
        d->cmdClear->click();
        EXPECT_EQ(d->txtSearch->text(), QString());
        d->CancelButton->click();
    });
    EXPECT_EQ(lists().size(), 1);
}

TEST_F(SearchDialogTest, WordsWithoutABoxTickedWarnAndStoreNothing)
{
    runSearch([](frmSearchIssues* d) {
        d->txtSearch->setText(QStringLiteral("router"));
        d->OKButton->click();
        EXPECT_TRUE(d->isVisible());
        d->CancelButton->click();
    });
    EXPECT_EQ(windowTexts(), QStringList{QStringLiteral("Please check at least one item next to 'Search what'.")});
    EXPECT_EQ(m_prompts.last().style, 2);
    EXPECT_EQ(GetPrefString(QStringLiteral("LastIssueSearchStr")), QString());
    EXPECT_TRUE(lists().isEmpty());
}

TEST_F(SearchDialogTest, DeletedProductServiceAndUnknownTypeFallBack)
{
    const qint32 gone = addCategory(QStringLiteral("Gone"), 2);
    SavePrefLong(QStringLiteral("LastIssueSearchPSID"), gone);
    SavePrefLong(QStringLiteral("LastIssueSearchType"), 7);
    ASSERT_TRUE(DB().DeleteRecord(gone, DB().CategoryTable()));
    runSearch([](frmSearchIssues* d) {
        EXPECT_EQ(d->cboPS->currentText(), QStringLiteral("All Products/Services"));
        EXPECT_EQ(d->cboType->currentText(), QStringLiteral("ANY of these Words"));
        d->OKButton->click();   // blank words, no box: everything
    });
    ASSERT_EQ(lists().size(), 1);
    EXPECT_EQ(lists().first()->model()->rowCount(), 4);
}

} // namespace
