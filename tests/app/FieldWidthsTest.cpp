#include "AdminFixture.h"
#include "BoxWidths.h"

#include "app/frmEditCategories.h"
#include "app/frmPreferences.h"
#include "app/frmUser.h"
#include "data/CategoryTypes.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>

// What the text boxes of the administration windows take.

namespace {

using FieldWidthTest = AdminFixture;

using Widths = std::map<std::string, int>;

// The box of an in-place edit of a list's current item or a grid's cell.
QLineEdit* editorOf(const QAbstractItemView* view)
{
    return qobject_cast<QLineEdit*>(view->indexWidget(view->currentIndex()));
}

// The user window keeps names and department shorter than their fields; a
// list entry is kept to 40 of its 60 characters; a custom label is a memo.
TEST_F(FieldWidthTest, EveryBoxOfTheAdministrationWindowsTakesItsFieldsWidth)
{
    frmUser user;
    user.Init(-1, true);
    EXPECT_EQ(bmtest::typingBoxWidths(&user),
              (Widths{{"txtLogin", 20}, {"txtFirstname", 25}, {"txtLastname", 25}, {"txtDept", 30}}));

    m_dialogs.then([](QDialog& d) {
        auto& lists = static_cast<frmEditCategories&>(d);
        lists.show();
        lists.cmdNew->click();
        QLineEdit* rename = editorOf(lists.lv);
        ASSERT_NE(rename, nullptr);
        EXPECT_EQ(rename->maxLength(), 40);
        QTest::keyClicks(rename, QString(50, QLatin1Char('q')));
        EXPECT_EQ(rename->text(), QString(40, QLatin1Char('q')));
    });
    m_main.EditCustomFieldCategory(CatType::CustomerCustom1);
    EXPECT_EQ(m_dialogs.unscripted, 0);

    frmPreferences labels;
    labels.show();
    labels.grdCustom->setCurrentCell(1, 1);
    labels.grdCustom->editItem(labels.grdCustom->currentItem());
    QLineEdit* label = editorOf(labels.grdCustom);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->maxLength(), 32767);
    QTest::sendKeyEvent(QTest::Click, label, Qt::Key_unknown, QStringLiteral("\u0107"), Qt::NoModifier);
    EXPECT_EQ(label->text(), QString());
    QCoreApplication::processEvents();
    EXPECT_EQ(shownTexts(ShownPrompt::Kind::MessageBox),
              QStringList{QStringLiteral("The character '\u0107' can't be stored! The database can only hold the "
                                         "letters, digits and signs of Western European languages.")});
}

} // namespace
