#include "BoxWidths.h"
#include "CustomerFixture.h"

#include "common/ui/clsSystemUI.h"
#include "customers/frmPS.h"
#include "data/RecColl.h"
#include "data/clsDB.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

// What the text boxes of the customer and product/service windows take, and
// that what a customer window shows is what it stores.

namespace {

using FieldWidthTest = CustomerFixture;

using Widths = std::map<std::string, int>;

template <class W>
W* windowTagged(const QString& tag)
{
    QWidget* found = nullptr;
    SysUI().GetFormWithTag(tag, found);
    return dynamic_cast<W*>(found);
}

RecColl readCustomer(qint32 id)
{
    RecColl coll(DB().CustomerTable(), id, QStringLiteral("_customer"));
    EXPECT_TRUE(DB().ReadRecord(coll, true));
    return coll;
}

// The widths of the fields in the shipped table templates; the contract and
// tracking numbers are kept to 20 characters of their 40, and the dates are
// typed in the short date format.
TEST_F(FieldWidthTest, EveryBoxOfTheCustomerAndProductServiceWindowsTakesItsFieldsWidth)
{
    m_main.NewCustomer();
    auto* customer = windowTagged<frmCustomer>(QStringLiteral("C-1"));
    ASSERT_NE(customer, nullptr);
    EXPECT_EQ(bmtest::typingBoxWidths(customer),
              (Widths{{"txtCustNo", 20},     {"cboSalutation", 15},  {"txtFname", 30},       {"txtLname", 40},
                      {"txtCoName", 60},     {"txtTitle", 40},       {"txtAddress1", 60},    {"txtAddress2", 60},
                      {"txtCity", 40},       {"txtPostalCode", 15},  {"txtWorkPhone", 30},   {"txtHomePhone", 30},
                      {"txtMobilePhone", 30}, {"txtFaxphone", 30},   {"txtEmailName", 80},   {"txtEmailName2", 80},
                      {"txtCust1", 60},      {"txtCust2", 60}}));

    const qint32 cust = addCustomer({{QStringLiteral("company"), QStringLiteral("Acme")}});
    m_main.ShowPS(-1, cust, true);
    auto* ps = windowTagged<frmPS>(QStringLiteral("P-1"));
    ASSERT_NE(ps, nullptr);
    EXPECT_EQ(bmtest::typingBoxWidths(ps),
              (Widths{{"txtShortDesc", 80}, {"txtDateInitiated", 18}, {"txtDateTerminated", 18},
                      {"txtContractNumber", 20}, {"txtTrackNo", 20}, {"txtCust1", 60}, {"txtCust2", 60}}));
}

TEST_F(FieldWidthTest, SeventyCharactersTypedStopAtTheFieldAndTheSavedCustomerIsWhatWasShown)
{
    const QString seventy = QStringLiteral("ABCDEFGHIJ").repeated(7);
    m_main.NewCustomer();
    frmCustomer* w = windowTagged<frmCustomer>(QStringLiteral("C-1"));
    ASSERT_NE(w, nullptr);
    const struct {
        QLineEdit* box;
        const char* field;
        int width;
    } boxes[] = {
        {w->txtCoName, "company", 60},
        {w->cboSalutation->lineEdit(), "salutation", 15},
        {w->txtCust1->lineEdit(), "custom1", 60},
        {w->txtPostalCode, "postalcode", 15},
    };
    for (const auto& b : boxes) {
        QTest::keyClicks(b.box, seventy);
        EXPECT_EQ(b.box->text(), seventy.left(b.width)) << b.field;
    }
    w->cmdApply->click();
    ASSERT_GE(w->RowID, 1000);
    const qint32 id = w->RowID;
    RecColl stored = readCustomer(id);
    for (const auto& b : boxes)
        EXPECT_EQ(stored.text(QString::fromLatin1(b.field)).trimmed(), b.box->text()) << b.field;

    w->cmdRefresh->click();
    stored = readCustomer(id);
    for (const auto& b : boxes)
        EXPECT_EQ(b.box->text(), stored.text(QString::fromLatin1(b.field)).trimmed()) << b.field;
    EXPECT_TRUE(m_prompts.shown().isEmpty());
}

TEST_F(FieldWidthTest, ALetterTheTablesCannotHoldIsLeftOutSaidOnceAndNotStoredAsSomethingElse)
{
    m_main.NewCustomer();
    frmCustomer* w = windowTagged<frmCustomer>(QStringLiteral("C-1"));
    ASSERT_NE(w, nullptr);
    w->txtCoName->setText(QStringLiteral("Acme"));
    for (const QString& key : {QStringLiteral("\u0141"), QStringLiteral("\u00f3"), QStringLiteral("d"),
                               QStringLiteral("\u017a")})
        QTest::sendKeyEvent(QTest::Click, w->txtCity, Qt::Key_unknown, key, Qt::NoModifier);
    EXPECT_EQ(w->txtCity->text(), QStringLiteral("\u00f3d"));
    EXPECT_TRUE(m_prompts.shown().isEmpty());
    QCoreApplication::processEvents();
    EXPECT_EQ(boxTexts(), QStringList{QStringLiteral(
                              "The character '\u0141' can't be stored! The database can only hold the letters, "
                              "digits and signs of Western European languages.")});
    EXPECT_EQ(m_prompts.last().style, 48);

    w->cmdApply->click();
    ASSERT_GE(w->RowID, 1000);
    EXPECT_EQ(readCustomer(w->RowID).text(QStringLiteral("city")).trimmed(), QStringLiteral("\u00f3d"));
}

} // namespace
