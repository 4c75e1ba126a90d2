#include "AppFixture.h"
#include "BoxWidths.h"

#include "app/WindowCreators.h"
#include "app/EditModeCtl.h"
#include "app/frmMain.h"
#include "common/ui/ObjectTag.h"
#include "common/ui/clsSystemUI.h"
#include "data/RecColl.h"
#include "data/clsDB.h"
#include "reports/ui/ReportWindows.h"
#include "reports/ui/frmReportDef.h"
#include "reports/ui/frmReportList.h"
#include "xbase/c4.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

class ReportDefTest : public AppFixture {
protected:
    ReportDefTest()
    {
        registerReportWindows();
        openNewDatabase();
    }
    ~ReportDefTest() override { WindowCreators::clear(); }

    frmReportDef* openDef(qint32 id, const QString& type, bool editMode)
    {
        m_main.ShowReportDef(id, type, editMode);
        const auto windows = m_main.findChildren<frmReportDef*>();
        return windows.isEmpty() ? nullptr : windows.last();
    }

    // The window's column picker answers by choosing the entries at `rows`.
    static void pickColumns(frmReportDef* def, QList<int> rows, QStringList* offered = nullptr)
    {
        def->showPicker = [rows, offered](QDialog& dialog) {
            auto* picker = qobject_cast<frmRptDisplayColumns*>(&dialog);
            ASSERT_TRUE(picker);
            if (offered)
                for (int i = 0; i < picker->lstRptCols->count(); ++i)
                    offered->append(picker->lstRptCols->item(i)->text());
            for (int row : rows)
                picker->lstRptCols->item(row)->setSelected(true);
            picker->OKButton_Click();
        };
        def->cmdDisplayCols_Click();
    }

    static qint32 addCategory(const QString& text, qint32 type)
    {
        DATA4* table = DB().OpenTable(DB().CategoryTable());
        const qint32 id = DB().AddCategory(text, type, table);
        d4close(table);
        return id;
    }

    // A stored report as another program may have written it; its identifier.
    static qint32 storeReport(const QString& title, const QString& type, const QString& def)
    {
        RecColl coll(DB().ReportTable(), -1, QStringLiteral("_rptdef"));
        coll.add(QStringLiteral("title"), title);
        coll.add(QStringLiteral("type"), type);
        coll.add(QStringLiteral("def"), def);
        coll.add(QStringLiteral("notes"), QStringLiteral("kept"));
        EXPECT_TRUE(DB().SaveRecord(coll, false));
        return coll.value(QStringLiteral("_rowid")).toInt();
    }

    static QString storedDef(qint32 id)
    {
        RecColl coll(DB().ReportTable(), id, QStringLiteral("_rptdef"));
        EXPECT_TRUE(DB().ReadRecord(coll, true));
        return coll.text(QStringLiteral("def"));
    }

    frmMain m_main;
};

TEST_F(ReportDefTest, NewCustomerDefinitionStartsWithTheNewReportSettings)
{
    frmReportDef* def = openDef(-1, QStringLiteral("C"), true);
    ASSERT_TRUE(def);
    EXPECT_EQ(objectTag(def), QStringLiteral("REPORTDEF-1"));
    EXPECT_TRUE(def->optLandscape->isChecked());
    EXPECT_FALSE(def->optPortrait->isChecked());
    EXPECT_TRUE(def->ckShowRowNum->isChecked());
    EXPECT_FALSE(def->ckGroupByFirstCol->isChecked());
    EXPECT_EQ(def->lblReportType->text(), QStringLiteral("Customers"));
    EXPECT_TRUE(def->windowTitle().startsWith(QStringLiteral("Report Definition: New @")));
    EXPECT_FALSE(def->cmdDeleteButton->isEnabled());
    EXPECT_EQ(def->optPortrait->text(), QStringLiteral("Potrait"));
    // A second New brings the unsaved window forward, whatever its type.
    m_main.ShowReportDef(-1, QStringLiteral("I"), true);
    EXPECT_EQ(m_main.findChildren<frmReportDef*>().size(), 1);
}

// The title box takes the 100 characters of the stored title.
TEST_F(ReportDefTest, TheTitleIsTheOnlyBoxAndTakesTheTitlesWidth)
{
    frmReportDef* def = openDef(-1, QStringLiteral("C"), true);
    ASSERT_TRUE(def);
    EXPECT_EQ(bmtest::typingBoxWidths(def), (std::map<std::string, int>{{"txtRptTitle", 100}}));
    QTest::keyClicks(def->txtRptTitle, QStringLiteral("Quarterly ").repeated(11));
    EXPECT_EQ(def->txtRptTitle->text(), QStringLiteral("Quarterly ").repeated(10));
}

TEST_F(ReportDefTest, ValidationListsBothFaultsAndSavesNothing)
{
    frmReportDef* def = openDef(-1, QStringLiteral("C"), true);
    ASSERT_TRUE(def);
    def->txtRptTitle->setText(QStringLiteral("   "));
    EXPECT_FALSE(def->SaveData());
    EXPECT_EQ(shownTexts(ShownPrompt::Kind::MessageWindow),
              QStringList{QStringLiteral("Please correct the following data entry fields:\r\n\r\n"
                                         "  - REPORT TITLE must be entered.\r\n\r\n"
                                         "  - Please select at least one column to display.\r\n\r\n")});
    EXPECT_EQ(def->RowID, -1);
}

TEST_F(ReportDefTest, SaveStoresTheSevenLinesAndTheOpenListSelectsTheReport)
{
    m_main.Reports();
    auto* list = m_main.findChildren<frmReportList*>().value(0);
    ASSERT_TRUE(list);
    frmReportDef* def = openDef(-1, QStringLiteral("C"), true);
    ASSERT_TRUE(def);
    def->txtRptTitle->setText(QStringLiteral("Gold customers"));
    pickColumns(def, {0, 2});
    ASSERT_EQ(def->lstColumns->count(), 2);
    const qint32 first = def->lstColumns->item(0)->data(Qt::UserRole).toInt();
    const qint32 second = def->lstColumns->item(1)->data(Qt::UserRole).toInt();

    // The column picker leaves out what is listed, and refuses OK without a
    // choice.
    QStringList offered;
    def->showPicker = [&offered](QDialog& dialog) {
        auto* picker = qobject_cast<frmRptDisplayColumns*>(&dialog);
        for (int i = 0; i < picker->lstRptCols->count(); ++i)
            offered.append(picker->lstRptCols->item(i)->text());
        picker->OKButton_Click();
        EXPECT_FALSE(picker->OKPressed);
    };
    def->cmdDisplayCols_Click();
    EXPECT_EQ(m_prompts.last().text, QStringLiteral("Please select one or more columns to display before pressing OK."));
    EXPECT_FALSE(offered.contains(def->lstColumns->item(0)->text()));
    EXPECT_FALSE(offered.contains(def->lstColumns->item(1)->text()));
    EXPECT_EQ(def->lstColumns->count(), 2);

    // A criterion: the first criterion column, IS NOT, a category of its type.
    qint32 colId = -1;
    qint32 valueId = -1;
    def->showPicker = [&](QDialog& dialog) {
        auto* picker = qobject_cast<frmRptFilterColumns*>(&dialog);
        ASSERT_TRUE(picker);
        ASSERT_GT(picker->cboCols->count(), 0);
        picker->cboCols->setCurrentIndex(0);
        colId = picker->cboCols->currentData().toInt();
        valueId = addCategory(QStringLiteral("Gold"), DB().RptFilterGetCatType(colId));
        emit picker->cboCols->activated(0);
        ASSERT_EQ(picker->cboValues->count(), 1);
        picker->cboValues->setCurrentIndex(0);
        picker->optOperIsNot->setChecked(true);
        picker->OKButton_Click();
    };
    def->cmdAddFilter_Click();
    ASSERT_EQ(def->lstFilters->count(), 1);

    def->ckGroupByFirstCol->setChecked(true);
    def->optPortrait->setChecked(true);
    def->ckShowRowNum->setChecked(false);
    ASSERT_TRUE(def->SaveData());
    ASSERT_GT(def->RowID, 0);
    EXPECT_EQ(objectTag(def), QStringLiteral("REPORTDEF%1").arg(def->RowID));
    EXPECT_EQ(storedDef(def->RowID),
              QStringLiteral("1\n%1~%2\n%3\n#\n%4\n0\n0").arg(first).arg(second).arg(colId).arg(valueId));
    EXPECT_EQ(SysUI().LvGetSelectedItemKey(list->lv), QStringLiteral("N%1").arg(def->RowID));

    // The criterion picker leaves out a column already used.
    def->showPicker = [colId](QDialog& dialog) {
        auto* picker = qobject_cast<frmRptFilterColumns*>(&dialog);
        EXPECT_EQ(picker->cboCols->findData(colId), -1);
        picker->CancelButton->click();
    };
    def->cmdAddFilter_Click();
    EXPECT_EQ(def->lstFilters->count(), 1);
}

TEST_F(ReportDefTest, CriterionPickerNeedsAColumnAndAValue)
{
    frmReportDef* def = openDef(-1, QStringLiteral("I"), true);
    ASSERT_TRUE(def);
    def->showPicker = [](QDialog& dialog) {
        auto* picker = qobject_cast<frmRptFilterColumns*>(&dialog);
        ASSERT_TRUE(picker);
        picker->OKButton_Click();
        EXPECT_FALSE(picker->OKPressed);
        ASSERT_GT(picker->cboCols->count(), 0);
        picker->cboCols->setCurrentIndex(0);
        emit picker->cboCols->activated(0);
        EXPECT_EQ(picker->cboValues->count(), 0); // a fresh database has no categories
        picker->OKButton_Click();
        EXPECT_FALSE(picker->OKPressed);
        picker->CancelButton->click();
    };
    def->cmdAddFilter_Click();
    const QStringList boxes = shownTexts(ShownPrompt::Kind::MessageBox);
    EXPECT_EQ(boxes, (QStringList{QStringLiteral("Please select a Column."), QStringLiteral("Please select Value.")}));
    EXPECT_EQ(def->lstFilters->count(), 0);
}

TEST_F(ReportDefTest, OperatorSurvivesAColumnNameHoldingHashAndApostrophe)
{
    // The criterion's column, operator and value travel with the entry: a
    // shown text that would read back as "#" leaves "=" in place.
    const qint32 catType = 1;
    const qint32 value = addCategory(QStringLiteral("Gold"), catType);
    const qint32 id = storeReport(QStringLiteral("Hash"), QStringLiteral("C"), QString());

    frmReportDef* def = openDef(id, QString(), false);
    ASSERT_TRUE(def);
    def->showPicker = [](QDialog&) {};
    def->DoEditModeBtn();
    def->txtRptTitle->setText(QStringLiteral("Hash"));
    pickColumns(def, {0});
    def->showPicker = [value](QDialog& dialog) {
        auto* picker = qobject_cast<frmRptFilterColumns*>(&dialog);
        picker->cboCols->setCurrentIndex(0);
        // What a user's column label could say.
        picker->cboCols->setItemText(0, QStringLiteral("Cust #No's"));
        picker->cboValues->addItem(QStringLiteral("Gold"), value);
        picker->cboValues->setCurrentIndex(0);
        picker->OKButton_Click();
    };
    def->cmdAddFilter_Click();
    ASSERT_EQ(def->lstFilters->count(), 1);
    EXPECT_TRUE(def->lstFilters->item(0)->text().startsWith(QStringLiteral("Cust #No's = 'Gold'")));
    ASSERT_TRUE(def->SaveData());
    const QStringList lines = storedDef(id).split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines[3], QStringLiteral("="));
    EXPECT_EQ(lines[4], QString::number(value));
    // Reloaded and saved again, it stays "=".
    def->DoEditModeBtn();
    def->LoadData();
    ASSERT_TRUE(def->SaveData());
    EXPECT_EQ(storedDef(id).split(QLatin1Char('\n')).value(3), QStringLiteral("="));
}

TEST_F(ReportDefTest, ACriterionValueThatTheRunTakesIsShownAndKeptBySave)
{
    // Criterion: Status (column 152) IS the shipped status "Closed" (row 405).
    const struct {
        const char* value;
        bool kept;
    } cases[] = {
        {"405.0", true},
        {"+405", true},
        {"405", true},
        {"Closed", false},
        {"4O5", false},
    };
    for (const auto& c : cases) {
        const QString value = QString::fromLatin1(c.value);
        const qint32 id = storeReport(value, QStringLiteral("I"), QStringLiteral("0\n101\n152\n=\n") + value
                                                                      + QStringLiteral("\n1\n0"));
        frmReportDef* def = openDef(id, QString(), false);
        ASSERT_TRUE(def) << c.value;
        ASSERT_EQ(def->lstFilters->count(), c.kept ? 1 : 0) << c.value;
        if (c.kept) {
            EXPECT_TRUE(def->lstFilters->item(0)->text().endsWith(QStringLiteral(" = 'Closed' [405]")))
                << def->lstFilters->item(0)->text().toStdString();
        }
        def->showPicker = [](QDialog&) {};
        def->DoEditModeBtn();
        ASSERT_TRUE(def->SaveData()) << c.value;
        const QStringList lines = storedDef(id).split(QLatin1Char('\n'));
        ASSERT_EQ(lines.size(), 7) << c.value;
        EXPECT_EQ(lines.mid(2, 3), c.kept ? (QStringList{QStringLiteral("152"), QStringLiteral("="), value})
                                          : (QStringList{QString(), QString(), QString()}))
            << c.value;
    }
}

TEST_F(ReportDefTest, DeleteAsksWithCancelAsDefaultAndReloadsTheList)
{
    frmReportDef* def = openDef(-1, QStringLiteral("C"), true);
    ASSERT_TRUE(def);
    def->txtRptTitle->setText(QStringLiteral("Old"));
    pickColumns(def, {0});
    def->cmdApply_Click();
    const qint32 id = def->RowID;
    ASSERT_GT(id, 0);
    EXPECT_FALSE(def->cmdDeleteButton->isEnabled()); // view mode
    m_main.Reports();
    auto* list = m_main.findChildren<frmReportList*>().value(0);
    ASSERT_TRUE(list);
    EXPECT_EQ(list->lblCount->text(), QStringLiteral("1 Report(s)"));

    def->showPicker = [](QDialog&) {};
    def->DoEditModeBtn();
    ASSERT_TRUE(def->cmdDeleteButton->isEnabled());
    m_prompts.button(MsgAnswer::Cancel);
    def->cmdDelete_Click();
    const ShownPrompt asked = m_prompts.last();
    EXPECT_TRUE(asked.text.startsWith(QStringLiteral("Are you sure you want to *DELETE*  'Report Definition: Old...")));
    EXPECT_EQ(asked.title, QStringLiteral("DELETE Confirmation"));
    EXPECT_EQ(MsgStyle::defaultButton(asked.style), 2);
    EXPECT_EQ(list->lblCount->text(), QStringLiteral("1 Report(s)"));

    m_prompts.button(MsgAnswer::Yes);
    def->cmdDelete_Click();
    EXPECT_EQ(list->lblCount->text(), QStringLiteral("0 Report(s)"));
    EXPECT_FALSE(DB().CheckIfRecExists(DB().ReportTable(), QStringLiteral("bccrep.dbf"), id, true));
}

} // namespace

namespace {

// A memo file cut short behind the data store's back: the definition's text
// can't be read or written, and the window says so.
TEST_F(ReportDefTest, DamagedMemoFileIsReportedOnLoadAndSave)
{
    const qint32 id = storeReport(QStringLiteral("Monthly"), QStringLiteral("C"), QStringLiteral("0\n3~5\n\n\n\n1\n0"));

    const QString memoPath = DB().DBPath() + QStringLiteral("/bccrep.fpt");
    QFile memo(memoPath);
    ASSERT_TRUE(memo.resize(512));
    m_prompts.clear();

    frmReportDef* def = openDef(id, QString(), false);
    ASSERT_TRUE(def);
    const QStringList loadErrors = shownTexts(ShownPrompt::Kind::MessageBox);
    ASSERT_FALSE(loadErrors.isEmpty());
    EXPECT_TRUE(loadErrors.join(QLatin1Char('\n')).contains(QStringLiteral("bccrep.fpt")))
        << loadErrors.join(QLatin1Char('\n')).toStdString();

    m_prompts.clear();
    def->showPicker = [](QDialog&) {};
    def->DoEditModeBtn();
    def->txtRptTitle->setText(QStringLiteral("Monthly"));
    pickColumns(def, {0});
    // A header that gives no block size: nothing can be written to the file.
    {
        QFile header(memoPath);
        ASSERT_TRUE(header.open(QIODevice::ReadWrite));
        header.seek(6);
        header.write(QByteArray(2, '\0'));
    }
    EXPECT_FALSE(def->SaveData());
    const QStringList saveErrors = shownTexts(ShownPrompt::Kind::MessageBox);
    ASSERT_FALSE(saveErrors.isEmpty());
    EXPECT_TRUE(saveErrors.join(QLatin1Char('\n')).contains(QStringLiteral("bccrep.fpt")))
        << saveErrors.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(def->EM->InEditMode());
}

} // namespace
