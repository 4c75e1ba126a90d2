#include "CustomerTestSupport.h"

#include "common/mdlRegistry.h"
#include "common/ui/HelpContext.h"
#include "customers/frmCustomerList.h"
#include "customers/frmLookupCustomer.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {

using bmtest::whenModal;

const QString kNotNumeric = QStringLiteral("Customer ID must be numeric!");
const QString kNeedsText = QStringLiteral(
    "'Search String:' must be entered. Request 'Edit Report' permission from your administrator to enable "
    "query without search string.");

class LookupCustomerTest : public CustomerSearchFixture {
protected:
    // The dialog as the user sees it, with the entry at `row` chosen and
    // `text` typed, accepted with the Search button.
    std::unique_ptr<frmLookupCustomer> search(int row, const QString& text)
    {
        auto dialog = std::make_unique<frmLookupCustomer>(&m_main);
        dialog->cboType->setCurrentRow(row);
        dialog->txtSearch->setText(text);
        dialog->OKButton->click();
        return dialog;
    }

    static QStringList entries(const frmLookupCustomer& dialog)
    {
        QStringList texts;
        for (int i = 0; i < dialog.cboType->count(); ++i)
            texts.append(dialog.cboType->item(i)->text());
        return texts;
    }
};

TEST_F(LookupCustomerTest, ShowsTheSixTypesUnderTheCurrentLabels)
{
    frmLookupCustomer first(&m_main);
    EXPECT_EQ(first.windowTitle(), QStringLiteral("Lookup Customer"));
    EXPECT_EQ(HelpContext::of(&first), 1210);
    EXPECT_EQ(entries(first), (QStringList{
        QStringLiteral("Primary Contact's Last Name starts with or is:"),
        QStringLiteral("Company starts with or is:"),
        QStringLiteral("Customer Number starts with or is:"),
        QStringLiteral("Work Phone starts with or is:"),
        QStringLiteral("Phone/Address/City/Zip contains:"),
        QStringLiteral("Customer ID is:"),
    }));
    // First use: nothing typed, the first entry chosen.
    EXPECT_EQ(first.txtSearch->text(), QString());
    EXPECT_EQ(first.cboType->currentRow(), 0);
    EXPECT_EQ(first.Label1->buddy(), first.cboType);
    EXPECT_EQ(first.Label2->buddy(), first.txtSearch);
    EXPECT_EQ(first.cmdClear->text(), QStringLiteral("C&lear"));
    EXPECT_EQ(first.OKButton->text(), QStringLiteral("&Search"));
    EXPECT_TRUE(first.OKButton->isDefault());

    ASSERT_TRUE(DB().SetParamValue(QStringLiteral("bcccust.dbf_lastname"), QStringLiteral("Surname")));
    ASSERT_TRUE(DB().SetParamValue(QStringLiteral("bcccust.dbf_workphone"), QStringLiteral("Office")));
    frmLookupCustomer renamed(&m_main);
    EXPECT_EQ(renamed.cboType->item(0)->text(), QStringLiteral("Primary Contact's Surname starts with or is:"));
    EXPECT_EQ(renamed.cboType->item(3)->text(), QStringLiteral("Office starts with or is:"));
}

TEST_F(LookupCustomerTest, TheRememberedTypeChoosesItsEntryAndClearEmptiesOnlyTheText)
{
    const struct {
        const char* stored;
        int row;
    } cases[] = {{"6", 4}, {"5", 5}, {"2", 1}, {"7", 0}, {"", 0}};
    for (const auto& c : cases) {
        SavePrefString(QStringLiteral("LastCustSearchType"), QString::fromLatin1(c.stored));
        SavePrefString(QStringLiteral("LastCustSearchStr"), QStringLiteral("Miller"));
        frmLookupCustomer dialog(&m_main);
        EXPECT_EQ(dialog.cboType->currentRow(), c.row) << c.stored;
        EXPECT_EQ(dialog.txtSearch->text(), QStringLiteral("Miller"));
        dialog.cmdClear->click();
        EXPECT_EQ(dialog.txtSearch->text(), QString());
        EXPECT_EQ(dialog.cboType->currentRow(), c.row);
    }
}

TEST_F(LookupCustomerTest, AcceptsATrimmedTextInItsCaseAndRemembersIt)
{
    const auto dialog = search(1, QStringLiteral("  Acme Tools  "));
    EXPECT_TRUE(dialog->OKPressed());
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->SearchStr(), QStringLiteral("Acme Tools"));
    EXPECT_EQ(dialog->SearchType(), 2);
    EXPECT_EQ(GetPrefString(QStringLiteral("LastCustSearchStr")), QStringLiteral("Acme Tools"));
    EXPECT_EQ(GetPrefString(QStringLiteral("LastCustSearchType")), QStringLiteral("2"));

    const auto contains = search(4, QStringLiteral("elm"));
    EXPECT_EQ(contains->SearchType(), 6);
    const auto id = search(5, QStringLiteral(" 1005 "));
    EXPECT_TRUE(id->OKPressed());
    EXPECT_EQ(id->SearchType(), 5);
    EXPECT_EQ(id->SearchStr(), QStringLiteral("1005"));
    EXPECT_EQ(GetPrefString(QStringLiteral("LastCustSearchType")), QStringLiteral("5"));
    EXPECT_TRUE(boxes().isEmpty());
}

TEST_F(LookupCustomerTest, ACustomerIdIsOneToNineDigitsWorthAtLeastOne)
{
    SavePrefString(QStringLiteral("LastCustSearchType"), QStringLiteral("3"));
    SavePrefString(QStringLiteral("LastCustSearchStr"), QStringLiteral("C-1"));
    for (const char* typed : {"12a", "", "  ", "0", "000", "-5", "+5", "1.5", "1 5", "1234567890123", "1234567890"}) {
        m_prompts.clear();
        const auto dialog = search(5, QString::fromLatin1(typed));
        EXPECT_FALSE(dialog->OKPressed()) << typed;
        EXPECT_TRUE(dialog->isVisible() || dialog->result() != QDialog::Accepted) << typed;
        EXPECT_EQ(dialog->txtSearch->text(), QString::fromLatin1(typed));
        EXPECT_EQ(boxes(), QStringList{kNotNumeric}) << typed;
        EXPECT_EQ(m_prompts.last().style, MsgStyle::Exclamation);
        EXPECT_EQ(GetPrefString(QStringLiteral("LastCustSearchType")), QStringLiteral("3"));
        EXPECT_EQ(GetPrefString(QStringLiteral("LastCustSearchStr")), QStringLiteral("C-1"));
    }
    const auto nine = search(5, QStringLiteral("123456789"));
    EXPECT_TRUE(nine->OKPressed());
    EXPECT_EQ(nine->SearchStr(), QStringLiteral("123456789"));
}

TEST_F(LookupCustomerTest, AnEmptyTextNeedsTheReportsPermission)
{
    // The administrator holds it.
    const auto admin = search(0, QStringLiteral("   "));
    EXPECT_TRUE(admin->OKPressed());
    EXPECT_EQ(admin->SearchStr(), QString());

    addUser(QStringLiteral("clerk"), QStringLiteral("111") + QString(27, QLatin1Char('0')));
    DB().CloseDB();
    m_logins.login(QStringLiteral("clerk"), QStringLiteral("clerk"));
    ASSERT_TRUE(DB().OpenDB(m_folder));
    ASSERT_FALSE(DB().Perm_ReportsNoMsg());
    SavePrefString(QStringLiteral("LastCustSearchStr"), QStringLiteral("kept"));
    for (int row : {0, 1, 2, 3, 4}) {
        m_prompts.clear();
        const auto refused = search(row, QString());
        EXPECT_FALSE(refused->OKPressed()) << row;
        EXPECT_EQ(boxes(), QStringList{kNeedsText}) << row;
    }
    EXPECT_EQ(GetPrefString(QStringLiteral("LastCustSearchStr")), QStringLiteral("kept"));
    m_prompts.clear();
    EXPECT_FALSE(search(5, QString())->OKPressed());
    EXPECT_EQ(boxes(), QStringList{kNotNumeric});
}

TEST_F(LookupCustomerTest, CancelStoresNothing)
{
    SavePrefString(QStringLiteral("LastCustSearchType"), QStringLiteral("1"));
    SavePrefString(QStringLiteral("LastCustSearchStr"), QStringLiteral("Old"));
    frmLookupCustomer dialog(&m_main);
    dialog.cboType->setCurrentRow(2);
    dialog.txtSearch->setText(QStringLiteral("New"));
    dialog.CancelButton->click();
    EXPECT_FALSE(dialog.OKPressed());
    EXPECT_EQ(GetPrefString(QStringLiteral("LastCustSearchType")), QStringLiteral("1"));
    EXPECT_EQ(GetPrefString(QStringLiteral("LastCustSearchStr")), QStringLiteral("Old"));
}

// The View menu's command: a customer identifier opens that customer, any
// other type a new list window.
TEST_F(LookupCustomerTest, TheCommandOpensTheCustomerOrANewList)
{
    for (int i = 0; i < 6; ++i)
        addCustomer({{"lastname", QStringLiteral("Smith%1").arg(i)}});
    whenModal<frmLookupCustomer>([](frmLookupCustomer* d) {
        d->cboType->setCurrentRow(5);
        d->txtSearch->setText(QStringLiteral("1005"));
        d->OKButton->click();
    });
    m_main.LookupCustomer();
    EXPECT_EQ(m_opened, QStringList{QStringLiteral("C1005 view")});

    for (int round = 0; round < 2; ++round) {
        whenModal<frmLookupCustomer>([](frmLookupCustomer* d) {
            d->cboType->setCurrentRow(0);
            d->txtSearch->setText(QStringLiteral("smith"));
            d->OKButton->click();
        });
        m_main.LookupCustomer();
    }
    int lists = 0;
    for (QMdiSubWindow* sub : subWindows()) {
        if (auto* list = qobject_cast<frmCustomerList*>(sub->widget())) {
            ++lists;
            EXPECT_EQ(list->lblCust->text(), QStringLiteral("6 Customer(s)"));
        }
    }
    EXPECT_EQ(lists, 2);
}

} // namespace
