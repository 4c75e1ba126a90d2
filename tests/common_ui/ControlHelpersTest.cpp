#include "common/ScriptedPrompts.h"
#include "common/ui/EditEnabledControl.h"
#include "common/ui/ObjectTag.h"
#include "common/ui/clsSystemUI.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTableWidget>
#include <QTest>
#include <QTextEdit>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

const QColor kLightYellow(255, 255, 192);

template <typename W>
W* tagged(QWidget* parent, const QString& tag)
{
    auto* w = new W(parent);
    parent->layout()->addWidget(w);
    setObjectTag(w, tag);
    return w;
}

TEST(LockControls, LocksTheTaggedControlsForViewingAndBack)
{
    QWidget window;
    new QVBoxLayout(&window);
    auto* txt = tagged<QLineEdit>(&window, QStringLiteral("E"));
    auto* memo = tagged<QTextEdit>(&window, QStringLiteral("E"));
    auto* cbo = tagged<QComboBox>(&window, QStringLiteral("E"));
    auto* lst = tagged<QListWidget>(&window, QStringLiteral("E"));
    auto* chk = tagged<QCheckBox>(&window, QStringLiteral("E"));
    auto* other = tagged<QLineEdit>(&window, QStringLiteral("X"));
    cbo->addItems({QStringLiteral("one"), QStringLiteral("two")});
    window.show();

    SysUI().LockControls(&window, true, QStringLiteral("E"));
    EXPECT_TRUE(txt->isReadOnly());
    EXPECT_TRUE(memo->isReadOnly());
    EXPECT_EQ(txt->palette().color(QPalette::Base), kLightYellow);
    EXPECT_EQ(cbo->palette().color(QPalette::Base), kLightYellow);
    EXPECT_FALSE(lst->isEnabled());
    EXPECT_FALSE(chk->isEnabled());
    EXPECT_FALSE(other->isReadOnly());
    QTest::keyClicks(txt, QStringLiteral("typed"));
    EXPECT_EQ(txt->text(), QString());
    QTest::keyClick(cbo, Qt::Key_Down);
    EXPECT_EQ(cbo->currentIndex(), 0);

    SysUI().LockControls(&window, false, QStringLiteral("E"));
    EXPECT_FALSE(txt->isReadOnly());
    EXPECT_EQ(txt->palette().color(QPalette::Base), QColor(Qt::white));
    EXPECT_TRUE(lst->isEnabled());
    EXPECT_TRUE(chk->isEnabled());
    QTest::keyClicks(txt, QStringLiteral("typed"));
    EXPECT_EQ(txt->text(), QStringLiteral("typed"));
    QTest::keyClick(cbo, Qt::Key_Down);
    EXPECT_EQ(cbo->currentIndex(), 1);
}

// A control that keeps itself viewable in view mode: it is told the mode
// and stays enabled.
class AttachmentsLike final : public QWidget, public EditEnabledControl {
public:
    using QWidget::QWidget;
    void SetEditEnabled(bool enabled) override { modes.append(enabled); }
    QList<bool> modes;
};

TEST(LockControls, AControlThatHandlesTheModeItselfIsToldInsteadOfDisabled)
{
    QWidget window;
    auto* own = new AttachmentsLike(&window);
    setObjectTag(own, QStringLiteral("E"));
    auto* untagged = new AttachmentsLike(&window);
    SysUI().LockControls(&window, true, QStringLiteral("E"));
    SysUI().LockControls(&window, false, QStringLiteral("E"));
    EXPECT_EQ(own->modes, (QList<bool>{false, true}));
    EXPECT_TRUE(own->isEnabled());
    EXPECT_TRUE(untagged->modes.isEmpty());
}

TEST(TextHelpers, InsertReplacesTheSelectionOrGoesInAtTheCaret)
{
    QLineEdit txt(QStringLiteral("Called customer"));
    txt.setSelection(7, 8);
    SysUI().TxtCtlInsertStr(&txt, QStringLiteral("vendor"));
    EXPECT_EQ(txt.text(), QStringLiteral("Called vendor"));
    txt.setCursorPosition(0);
    SysUI().TxtCtlInsertStr(&txt, QStringLiteral("1/2/2026 "));
    EXPECT_EQ(txt.text(), QStringLiteral("1/2/2026 Called vendor"));

    QTextEdit memo;
    memo.setPlainText(QStringLiteral("ab"));
    QTextCursor c = memo.textCursor();
    c.setPosition(1);
    memo.setTextCursor(c);
    SysUI().TxtCtlInsertStr(&memo, QStringLiteral("X"));
    EXPECT_EQ(memo.toPlainText(), QStringLiteral("aXb"));
}

TEST(TextHelpers, CtrlEIsTheEKeyWithControlHeld)
{
    EXPECT_TRUE(SysUI().KeyPressedCtrlE(Qt::Key_E, Qt::ControlModifier));
    EXPECT_TRUE(SysUI().KeyPressedCtrlE(Qt::Key_E, Qt::ControlModifier | Qt::ShiftModifier));
    EXPECT_FALSE(SysUI().KeyPressedCtrlE(Qt::Key_E, Qt::ShiftModifier));
    EXPECT_FALSE(SysUI().KeyPressedCtrlE(Qt::Key_R, Qt::ControlModifier));
}

// A numeric prompt takes only whole numbers its callers can convert:
// fractions, exponents, "&H" forms and numbers beyond a Long are asked again.
TEST(TextHelpers, PromptInputStringAsksAgainUntilTheAnswerIsAWholeNumber)
{
    ScriptedPrompts prompts;
    const QStringList refused{QStringLiteral(" abc "), QStringLiteral("1.5"),  QStringLiteral("&H10"),
                              QStringLiteral("1E3"),   QStringLiteral("2147483648"), QStringLiteral("4 2")};
    for (const QString& answer : refused)
        prompts.text(answer).accept();
    prompts.text(QStringLiteral(" 42 ")).text(QStringLiteral("-3")).cancel();
    EXPECT_EQ(SysUI().PromptInputString(QStringLiteral("T"), QStringLiteral("Days?"), QStringLiteral("7"), true),
              QStringLiteral("42"));
    ASSERT_EQ(prompts.shown().size(), 2 * refused.size() + 1);
    EXPECT_EQ(prompts.shown().at(0).defaultText, QStringLiteral("7"));
    for (qsizetype i = 0; i < refused.size(); ++i)
        EXPECT_EQ(prompts.shown().at(2 * i + 1).text, QStringLiteral("Please enter a numeric value!")) << i;
    EXPECT_EQ(SysUI().PromptInputString(QStringLiteral("T"), QStringLiteral("Days?"), QString(), true),
              QStringLiteral("-3"));
    EXPECT_EQ(SysUI().PromptInputString(QStringLiteral("T"), QStringLiteral("Days?"), QString(), true), QString());
    // Without numbers only, any answer goes back.
    prompts.text(QStringLiteral(" 1.5 "));
    EXPECT_EQ(SysUI().PromptInputString(QStringLiteral("T"), QStringLiteral("Days?"), QString(), false),
              QStringLiteral("1.5"));
}

class GridFindTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* cells[3][2] = {{"Smith", "Boston"}, {"Jones", "  smith  "}, {"Brown", "Austin"}};
        m_grid.setRowCount(3);
        m_grid.setColumnCount(2);
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 2; ++c)
                m_grid.setItem(r, c, new QTableWidgetItem(QString::fromLatin1(cells[r][c])));
    }
    QTableWidget m_grid;
};

TEST_F(GridFindTest, SearchesFromTheCurrentRowAndStopsAtTheEnds)
{
    m_grid.setCurrentCell(0, 0);
    EXPECT_TRUE(SysUI().GridFind(&m_grid, QStringLiteral("smith"), true, false, false));
    EXPECT_EQ(m_grid.currentRow(), 1);
    EXPECT_EQ(m_grid.currentColumn(), 1);
    EXPECT_FALSE(SysUI().GridFind(&m_grid, QStringLiteral("smith"), true, false, false));
    EXPECT_EQ(m_grid.currentRow(), 1);
    EXPECT_TRUE(SysUI().GridFind(&m_grid, QStringLiteral("Smith"), false, true, true));
    EXPECT_EQ(m_grid.currentRow(), 0);
    EXPECT_FALSE(SysUI().GridFind(&m_grid, QStringLiteral("Smith"), false, true, true));

    m_grid.setCurrentCell(2, 0);
    EXPECT_FALSE(SysUI().GridFind(&m_grid, QString(), false, false, false));
    EXPECT_FALSE(SysUI().GridFind(&m_grid, QStringLiteral("SMITH"), false, true, true)); // case differs
    EXPECT_TRUE(SysUI().GridFind(&m_grid, QStringLiteral("SMI"), false, false, true));
    EXPECT_EQ(m_grid.currentRow(), 1);
}

TEST_F(GridFindTest, SelectRowIgnoresRowsOutsideTheGrid)
{
    SysUI().GridSelectRow(&m_grid, 2);
    EXPECT_EQ(m_grid.currentRow(), 2);
    SysUI().GridSelectRow(&m_grid, 3);
    SysUI().GridSelectRow(&m_grid, -1);
    EXPECT_EQ(m_grid.currentRow(), 2);
    EXPECT_EQ(m_grid.currentColumn(), 0);
}

} // namespace
