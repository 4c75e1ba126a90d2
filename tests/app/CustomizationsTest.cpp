#include "AdminFixture.h"

#include "app/clsCustomLabels.h"
#include "app/frmPreferences.h"
#include "common/ui/ObjectTag.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>

namespace {

frmPreferences& prefs(QDialog& d) { return static_cast<frmPreferences&>(d); }

int rowOf(const frmPreferences& p, const QString& builtIn)
{
    for (int r = 0; r < p.grdCustom->rowCount(); ++r) {
        if (p.grdCustom->item(r, 0)->text() == QStringLiteral("  ") + builtIn)
            return r;
    }
    return -1;
}

// Types a name into the custom cell of a field as a user does, through the
// cell's editor.
void typeName(frmPreferences& p, const QString& builtIn, const QString& name)
{
    const int row = rowOf(p, builtIn);
    ASSERT_GE(row, 0) << builtIn.toStdString();
    QTableWidgetItem* cell = p.grdCustom->item(row, 1);
    p.grdCustom->setCurrentItem(cell);
    p.grdCustom->editItem(cell);
    auto* box = p.grdCustom->findChild<QLineEdit*>();
    ASSERT_NE(box, nullptr);
    box->setText(name);
    QTest::keyClick(box, Qt::Key_Return);
    QCoreApplication::processEvents();
    ASSERT_EQ(cell->text(), name);
}

QStringList column(const frmPreferences& p, int col)
{
    QStringList texts;
    for (int r = 0; r < p.grdCustom->rowCount(); ++r)
        texts.append(p.grdCustom->item(r, col)->text());
    return texts;
}

class CustomizationsTest : public AdminFixture {
protected:
    static QString param(const char* key) { return DB().GetParamValue(QString::fromLatin1(key)); }
    static void setParam(const char* key, const char* value)
    {
        ASSERT_TRUE(DB().SetParamValue(QString::fromLatin1(key), QString::fromLatin1(value)));
    }
    // Every label key of a table file that has a row in the parameters.
    static int storedKeys(const char* tableFile)
    {
        int n = 0;
        for (const QString& field : CustomLabels().FieldNames(QString::fromLatin1(tableFile))) {
            if (DB().RecordExists(1, DB().MakeCustomFieldParamName(QString::fromLatin1(tableFile), field).toUpper(),
                                  DB().ParamTable(), QStringLiteral("sid"), QStringLiteral("sid")) != -1)
                ++n;
        }
        return n;
    }
};

TEST_F(CustomizationsTest, OpensOnTheCustomerWindowWithItsTwentyFieldsAndTheirStoredNames)
{
    setParam("bcccust.dbf_postalcode", "ZIP");
    frmPreferences p;
    EXPECT_EQ(p.windowTitle(), QStringLiteral("Customizations"));
    EXPECT_EQ(p.cboWindow->currentText(), QStringLiteral("Customer Window"));
    EXPECT_EQ(p.cboWindow->count(), 3);
    EXPECT_EQ(p.grdCustom->horizontalHeaderItem(0)->text(), QStringLiteral("Customer Window Default Names"));
    EXPECT_EQ(p.grdCustom->horizontalHeaderItem(1)->text(), QStringLiteral("Custom Display Name"));
    ASSERT_EQ(p.grdCustom->rowCount(), 20);
    EXPECT_EQ(column(p, 0).first(), QStringLiteral("  Customer Number"));
    EXPECT_EQ(column(p, 0).last(), QStringLiteral("  Custom 2"));
    EXPECT_EQ(p.grdCustom->item(rowOf(p, QStringLiteral("Postal Code")), 1)->text(), QStringLiteral("ZIP"));
    EXPECT_EQ(p.grdCustom->item(0, 0)->data(frmPreferences::kKeyRole).toString(), QStringLiteral("bcccust.dbf_custno"));
    // Only the custom names can be edited; the headings are the header.
    for (int r = 0; r < p.grdCustom->rowCount(); ++r) {
        EXPECT_FALSE(p.grdCustom->item(r, 0)->flags() & Qt::ItemIsEditable) << r;
        EXPECT_TRUE(p.grdCustom->item(r, 1)->flags() & Qt::ItemIsEditable) << r;
    }
    EXPECT_EQ(p.cmdReset->toolTip(), QStringLiteral("Use Default Names for this window"));
    EXPECT_EQ(p.optCustName[0]->text(), QStringLiteral("Company (Last Name, First Name)"));
    EXPECT_EQ(p.optCustName[1]->text(), QStringLiteral("Last Name, First Name"));
}

TEST_F(CustomizationsTest, OkStoresTheNamesAndWindowsOpenedAfterwardsShowThem)
{
    m_dialogs.then([](QDialog& d) {
        typeName(prefs(d), QStringLiteral("Custom 1"), QStringLiteral("Region"));
        prefs(d).OKButton->click();
    });
    m_main.Customizations();
    EXPECT_EQ(param("BCCCUST.DBF_CUSTOM1"), QStringLiteral("Region"));
    EXPECT_EQ(param("CUSTOMERNAME_DISPLAY"), QStringLiteral("0"));
    // Every field row of the window is written, changed or not.
    EXPECT_EQ(storedKeys("bcccust.dbf"), 20);
    EXPECT_EQ(storedKeys("bccissues.dbf"), 0);
    QWidget form;
    auto* label = new QLabel(QStringLiteral("Custom 1:"), &form);
    setObjectTag(label, QStringLiteral("custom1"));
    CustomLabels().SetLabels(&form, QStringLiteral("bcccust.dbf"));
    EXPECT_EQ(label->text(), QStringLiteral("Region:"));
}

TEST_F(CustomizationsTest, ResetThenCancelStoresNothingAndResetThenApplyEmptiesOnlyThatWindow)
{
    setParam("bcccust.dbf_city", "Town");
    setParam("bccissues.dbf_custom1", "Ticket Ref");
    m_dialogs.then([](QDialog& d) {
        prefs(d).cmdReset->click();
        EXPECT_EQ(column(prefs(d), 1), QStringList(20, QString()));
        prefs(d).CancelButton->click();
    });
    m_main.Customizations();
    EXPECT_EQ(param("bcccust.dbf_city"), QStringLiteral("Town"));
    EXPECT_EQ(storedKeys("bcccust.dbf"), 1);

    m_dialogs.then([](QDialog& d) {
        prefs(d).cmdReset->click();
        prefs(d).cmdApply->click();
        prefs(d).CancelButton->click();
    });
    m_main.Customizations();
    EXPECT_EQ(param("bcccust.dbf_city"), QString());
    EXPECT_EQ(storedKeys("bcccust.dbf"), 20);
    EXPECT_EQ(param("bccissues.dbf_custom1"), QStringLiteral("Ticket Ref"));
    EXPECT_TRUE(m_prompts.shown().isEmpty());
}

TEST_F(CustomizationsTest, SwitchingWindowsAfterAnEditAsksAndYesStoresThePreviousWindowsNames)
{
    for (MsgAnswer answer : {MsgAnswer::No, MsgAnswer::Yes}) {
        m_prompts.clear();
        m_prompts.button(answer);
        m_dialogs.then([](QDialog& d) {
            frmPreferences& p = prefs(d);
            typeName(p, QStringLiteral("City"), QStringLiteral("Town"));
            p.cboWindow->setCurrentIndex(2);
            EXPECT_EQ(p.grdCustom->rowCount(), 3);
            EXPECT_EQ(p.grdCustom->horizontalHeaderItem(0)->text(), QStringLiteral("Issue Window Default Names"));
            EXPECT_EQ(column(p, 0), (QStringList{QStringLiteral("  Category"), QStringLiteral("  Custom 1"),
                                                 QStringLiteral("  Custom 2")}));
            // No edit since: the next switch asks nothing.
            p.cboWindow->setCurrentIndex(1);
            EXPECT_EQ(p.grdCustom->rowCount(), 9);
            p.CancelButton->click();
        });
        m_main.Customizations();
        ASSERT_EQ(m_prompts.shown().size(), 1);
        EXPECT_EQ(m_prompts.last().text, QStringLiteral("Do you want to save changes for this window?"));
        EXPECT_EQ(m_prompts.last().title, QStringLiteral("Save Changes?"));
        EXPECT_EQ(m_prompts.last().style, MsgStyle::YesNo | MsgStyle::Question);
        EXPECT_EQ(param("bcccust.dbf_city"), answer == MsgAnswer::Yes ? QStringLiteral("Town") : QString());
    }
}

TEST_F(CustomizationsTest, CustomerNameChoiceFollowsTheParameterAndItsDisplayNames)
{
    setParam("bcccust.dbf_lastname", "Surname");
    {
        frmPreferences p;
        EXPECT_TRUE(p.optCustName[0]->isChecked());
        EXPECT_EQ(p.optCustName[1]->text(), QStringLiteral("Surname, First Name"));
    }
    m_dialogs.then([](QDialog& d) {
        prefs(d).optCustName[1]->setChecked(true);
        prefs(d).OKButton->click();
    });
    m_main.Customizations();
    EXPECT_EQ(param("CUSTOMERNAME_DISPLAY"), QStringLiteral("1"));
    frmPreferences p;
    EXPECT_TRUE(p.optCustName[1]->isChecked());
}

TEST_F(CustomizationsTest, NewNamesShowInTheListManagementEntriesAtOnce)
{
    m_dialogs.then([](QDialog& d) {
        typeName(prefs(d), QStringLiteral("Category"), QStringLiteral("Segment"));
        prefs(d).OKButton->click();
    });
    m_main.Customizations();
    EXPECT_EQ(m_main.findChild<QAction*>(QStringLiteral("mnuViewLMCustCat"))->text(), QStringLiteral("Customer Segment..."));
}

TEST_F(CustomizationsTest, WithoutAdministrationOnlyTheRefusal)
{
    reopenAsClerk();
    m_prompts.clear();
    m_main.Customizations();
    EXPECT_TRUE(m_dialogs.captions.isEmpty());
    ASSERT_EQ(m_prompts.shown().size(), 1);
    EXPECT_TRUE(m_prompts.last().text.startsWith(QLatin1String("Sorry, you are not permitted")));
}

} // namespace
