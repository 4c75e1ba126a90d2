#include "DataUiFixture.h"

#include "common/ProgramEnv.h"
#include "data/ui/frmUnderEditMsg.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace bmtest {
namespace {

class UnderEditDialogTest : public DataUiTest {
protected:
    void SetUp() override
    {
        DataUiTest::SetUp();
        if (IsSkipped())
            return;
        const int olga = addUser(QStringLiteral("olga"));
        m_cust = saveNew(m_db.CustomerTable(), QStringLiteral("_customer"), {{QStringLiteral("company"), QStringLiteral("Acme")}});
        // Olga on OFFICE2 has the customer under edit.
        ProgramEnv::setComputerName(QStringLiteral("OFFICE2"));
        ASSERT_TRUE(m_db.startSession(m_folder.path(), olga, QStringLiteral("olga")));
        ASSERT_TRUE(m_db.SetEditInfo(m_db.CustomerTable(), QStringLiteral("bcccust.dbf"), m_cust, false));
        ProgramEnv::setComputerName(QStringLiteral("DESK1"));
        ASSERT_TRUE(m_db.startSession(m_folder.path(), 1000, QStringLiteral("admin")));
    }
    bool mayEdit() { return m_db.CheckIfRecNotUnderEdit(m_db.CustomerTable(), QStringLiteral("bcccust.dbf"), m_cust); }

    int m_cust = 0;
};

TEST_F(UnderEditDialogTest, NamesTheUserAndMachineAndEditingAnywayGoesOn)
{
    whenModal<frmUnderEditMsg>([](frmUnderEditMsg* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Record Currently Under Edit"));
        EXPECT_EQ(dialog->lblMsg->text(), QStringLiteral("The record you are trying to edit is currently being edited by user 'olga' from "
                                                       "machine 'OFFICE2'\n\nWhat would you like to do?"));
        EXPECT_EQ(dialog->OKButton->text(), QStringLiteral("Edi&t the record anyway"));
        EXPECT_EQ(dialog->CancelButton->text(), QStringLiteral("I will try &later "));
        QTest::mouseClick(dialog->OKButton, Qt::LeftButton);
    });
    EXPECT_TRUE(mayEdit());
}

TEST_F(UnderEditDialogTest, TryLaterEscapeAndEnterRefuse)
{
    const std::function<void(frmUnderEditMsg*)> answers[] = {
        [](frmUnderEditMsg* d) { QTest::mouseClick(d->CancelButton, Qt::LeftButton); },
        [](frmUnderEditMsg* d) { QTest::keyClick(d, Qt::Key_Escape); },
        [](frmUnderEditMsg* d) { QTest::keyClick(d, Qt::Key_Return); },
    };
    for (const auto& answer : answers) {
        bool shown = false;
        whenModal<frmUnderEditMsg>([&](frmUnderEditMsg* d) {
            shown = true;
            answer(d);
        });
        EXPECT_FALSE(mayEdit());
        EXPECT_TRUE(shown);
    }
}

} // namespace
} // namespace bmtest
