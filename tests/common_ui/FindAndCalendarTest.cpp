#include "../common/LocaleScope.h"
#include "common/Clock.h"
#include "common/ScriptedPrompts.h"
#include "common/ui/FindTarget.h"
#include "common/ui/frmCalendar.h"
#include "common/ui/frmFind.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCloseEvent>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// English dates on Saturday, 14 March 2026.
class Calendar : public ::testing::Test {
protected:
    Calendar() { Clock::setFixed(QDateTime(QDate(2026, 3, 14), QTime(9, 30))); }
    ~Calendar() override { Clock::clearFixed(); }
    LocaleScope english{LocaleScope::english()};
};

struct FindCall {
    QString text;
    bool wholePhrase;
    bool matchCase;
    bool upwards;
};

class RecordingOwner : public QWidget, public FindTarget {
public:
    void Find(const QString& text, bool wholePhrase, bool matchCase, bool& upwards) override
    {
        calls.append({text, wholePhrase, matchCase, upwards});
    }
    QList<FindCall> calls;
};

class StubbornOwner : public RecordingOwner {
protected:
    void closeEvent(QCloseEvent* event) override { event->ignore(); }
};

QModelIndex dayCell(QTableView* view, int day)
{
    const QAbstractItemModel* model = view->model();
    for (int r = 0; r < model->rowCount(); ++r)
        for (int c = 0; c < model->columnCount(); ++c)
            if (model->index(r, c).data().toString() == QString::number(day))
                return model->index(r, c);
    return {};
}

TEST_F(Calendar, InitShowsTheGivenDateOrTodayAndCaptionsOk)
{
    const struct {
        const char* text;
        QDate shown;
        const char* label;
    } cases[] = {{"", QDate(2026, 3, 14), "Saturday, March 14, 2026"},
                 {"abc", QDate(2026, 3, 14), "Saturday, March 14, 2026"},
                 {"3/5/2031", QDate(2031, 3, 5), "Wednesday, March 5, 2031"}};
    for (const auto& c : cases) {
        frmCalendar dlg;
        dlg.m_bOK = true;
        dlg.Init(QString::fromLatin1(c.text), QStringLiteral("OK"));
        EXPECT_FALSE(dlg.m_bOK) << c.text;
        EXPECT_EQ(dlg.Cal->selectedDate(), c.shown) << c.text;
        EXPECT_EQ(dlg.lblCurrdate->text(), QString::fromLatin1(c.label)) << c.text;
        EXPECT_EQ(dlg.OKButton->text(), QStringLiteral("OK"));
    }
}

TEST_F(Calendar, OkGivesTheShortDateWithFourDigitYearsAndCancelGivesNone)
{
    frmCalendar dlg;
    dlg.Init(QStringLiteral("12/24/2029"), QStringLiteral("OK"));
    dlg.show();
    dlg.Cal->setSelectedDate(QDate(2029, 12, 31));
    EXPECT_EQ(dlg.lblCurrdate->text(), QStringLiteral("Monday, December 31, 2029"));
    QTest::mouseClick(dlg.CancelButton, Qt::LeftButton);
    EXPECT_FALSE(dlg.m_bOK);
    EXPECT_FALSE(dlg.isVisible());

    dlg.Init(QStringLiteral("12/24/2029"), QStringLiteral("OK"));
    dlg.show();
    QTest::mouseClick(dlg.cmdToday, Qt::LeftButton);
    EXPECT_EQ(dlg.lblCurrdate->text(), QStringLiteral("Saturday, March 14, 2026"));
    QTest::mouseClick(dlg.OKButton, Qt::LeftButton);
    EXPECT_TRUE(dlg.m_bOK);
    EXPECT_EQ(dlg.m_sDate, QStringLiteral("3/14/2026"));
    EXPECT_FALSE(dlg.isVisible());
}

TEST_F(Calendar, ScriptedThroughThePromptService)
{
    ScriptedPrompts prompts;
    prompts.accept().cancel();
    frmCalendar dlg;
    dlg.Init(QStringLiteral("7/4/2030"), QStringLiteral("OK"));
    EXPECT_TRUE(Prompts().execDialog(&dlg));
    EXPECT_TRUE(dlg.m_bOK);
    EXPECT_EQ(dlg.m_sDate, QStringLiteral("7/4/2030"));
    dlg.Init(QString(), QStringLiteral("OK"));
    EXPECT_FALSE(Prompts().execDialog(&dlg));
    EXPECT_FALSE(dlg.m_bOK);
    EXPECT_EQ(prompts.shown().first().title, QStringLiteral("Calendar"));
}

TEST_F(Calendar, DoubleClickingADayActsAsOk)
{
    frmCalendar dlg;
    dlg.Init(QStringLiteral("1/5/2030"), QStringLiteral("OK"));
    dlg.show();
    auto* view = dlg.Cal->findChild<QTableView*>();
    ASSERT_NE(view, nullptr);
    const QModelIndex cell = dayCell(view, 20);
    ASSERT_TRUE(cell.isValid());
    const QPoint at = view->visualRect(cell).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
    EXPECT_TRUE(dlg.m_bOK);
    EXPECT_EQ(dlg.m_sDate, QStringLiteral("1/20/2030"));
    EXPECT_FALSE(dlg.isVisible());
}

TEST_F(Calendar, APressInTheCalendarReleasedOnAButtonClicksIt)
{
    frmCalendar dlg;
    dlg.Init(QString(), QStringLiteral("OK"));
    dlg.show();
    auto* view = dlg.Cal->findChild<QTableView*>();
    ASSERT_NE(view, nullptr);
    QTest::mousePress(view->viewport(), Qt::LeftButton, {}, view->visualRect(dayCell(view, 2)).center());
    QTest::mouseRelease(dlg.OKButton, Qt::LeftButton);
    EXPECT_TRUE(dlg.m_bOK);
    EXPECT_EQ(dlg.m_sDate, QStringLiteral("3/14/2026"));
    EXPECT_FALSE(dlg.isVisible());

    // Without a press in the calendar a release alone clicks nothing.
    dlg.Init(QString(), QStringLiteral("OK"));
    dlg.show();
    QTest::mouseRelease(dlg.CancelButton, Qt::LeftButton);
    EXPECT_TRUE(dlg.isVisible());
}

TEST(Find, FindNextIsEnabledOnlyForAText)
{
    frmFind& dlg = frmFind::instance();
    EXPECT_EQ(&dlg, &frmFind::instance());
    EXPECT_FALSE(dlg.isModal());
    dlg.textFind->clear();
    EXPECT_FALSE(dlg.OKButton->isEnabled());
    QTest::keyClicks(dlg.textFind, QStringLiteral("a"));
    EXPECT_TRUE(dlg.OKButton->isEnabled());
    QTest::keyClick(dlg.textFind, Qt::Key_Backspace);
    EXPECT_FALSE(dlg.OKButton->isEnabled());
}

TEST(Find, FindNextHandsTheOwnerTextOptionsAndDirection)
{
    frmFind& dlg = frmFind::instance();
    RecordingOwner owner;
    dlg.setOwner(&owner);
    dlg.setTitle(QStringLiteral("Find in Report"));
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Find in Report"));
    dlg.show();
    dlg.textFind->setText(QStringLiteral(" Smith "));
    dlg.optUp->setChecked(true);
    dlg.ckMatchCase->setChecked(true);
    dlg.ckWholeWordOnly->setChecked(false);
    QTest::mouseClick(dlg.OKButton, Qt::LeftButton);
    dlg.optDown->setChecked(true);
    dlg.ckWholeWordOnly->setChecked(true);
    dlg.ckMatchCase->setChecked(false);
    QTest::mouseClick(dlg.OKButton, Qt::LeftButton);
    EXPECT_TRUE(dlg.isVisible());
    ASSERT_EQ(owner.calls.size(), 2);
    EXPECT_EQ(owner.calls[0].text, QStringLiteral(" Smith "));
    EXPECT_TRUE(owner.calls[0].upwards);
    EXPECT_TRUE(owner.calls[0].matchCase);
    EXPECT_FALSE(owner.calls[0].wholePhrase);
    EXPECT_FALSE(owner.calls[1].upwards);
    EXPECT_FALSE(owner.calls[1].matchCase);
    EXPECT_TRUE(owner.calls[1].wholePhrase);

    QTest::mouseClick(dlg.CancelButton, Qt::LeftButton);
    EXPECT_FALSE(dlg.isVisible());
    dlg.show();
    EXPECT_EQ(dlg.textFind->text(), QStringLiteral(" Smith "));
    EXPECT_TRUE(dlg.optDown->isChecked());
    EXPECT_TRUE(dlg.ckWholeWordOnly->isChecked());
    EXPECT_FALSE(dlg.ckMatchCase->isChecked());
    dlg.setOwner(nullptr);
    dlg.hide();
}

TEST(Find, AnOwnerThatIsGoneOrCannotFindIsNeverCalled)
{
    frmFind& dlg = frmFind::instance();
    dlg.textFind->setText(QStringLiteral("x"));
    auto* owner = new RecordingOwner;
    dlg.setOwner(owner);
    EXPECT_EQ(dlg.owner(), owner);
    delete owner;
    QTest::mouseClick(dlg.OKButton, Qt::LeftButton); // would crash on a dangling owner
    EXPECT_EQ(dlg.owner(), nullptr);

    // A closed owner is let go; one that refuses to close is kept.
    RecordingOwner closing;
    closing.show();
    dlg.setOwner(&closing);
    closing.close();
    QApplication::processEvents();
    QTest::mouseClick(dlg.OKButton, Qt::LeftButton);
    EXPECT_EQ(dlg.owner(), nullptr);
    EXPECT_TRUE(closing.calls.isEmpty());

    StubbornOwner stubborn;
    stubborn.show();
    dlg.setOwner(&stubborn);
    stubborn.close();
    QApplication::processEvents();
    QTest::mouseClick(dlg.OKButton, Qt::LeftButton);
    EXPECT_EQ(dlg.owner(), &stubborn);
    EXPECT_EQ(stubborn.calls.size(), 1);
    dlg.setOwner(nullptr);

    QWidget plain;
    dlg.setOwner(&plain);
    EXPECT_EQ(dlg.owner(), nullptr);
    QTest::mouseClick(dlg.OKButton, Qt::LeftButton);
}

} // namespace
