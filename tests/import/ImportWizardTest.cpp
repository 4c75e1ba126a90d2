#include "DataFixture.h"
#include "ImportTestSupport.h"

#include "common/Product.h"
#include "common/ProgramEnv.h"
#include "common/ui/HelpContext.h"
#include "data/CategoryTypes.h"
#include "import/ImportRun.h"
#include "import/frmDataImport.h"
#include "import/frmImportPreview.h"

#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTimer>

#include <memory>

namespace {

using bmtest::s;
using bmtest::texts;

constexpr int kCustomersRow = 0;
constexpr int kProductsRow = 2;
constexpr int kStatesRow = 5;
constexpr int kIssueStatusesRow = 7;

class ImportWizardTest : public bmtest::DataTest {
protected:
    void SetUp() override
    {
        DataTest::SetUp();
        if (IsSkipped())
            return;
        m_wizard = std::make_unique<frmDataImport>();
    }
    void TearDown() override
    {
        m_wizard.reset();
        DataTest::TearDown();
    }

    QString file(const char* name, const QByteArray& bytes)
    {
        return bmtest::writeImportFile(m_files, QString::fromUtf8(name), bytes);
    }

    // From step 0 with `row` chosen to step 1 with `path` typed, then Next.
    void chooseFile(int row, const QString& path)
    {
        m_wizard->grdImport->setCurrentCell(row, 0);
        m_wizard->cmdNext->click();
        ASSERT_EQ(m_wizard->step(), 1);
        m_wizard->txtFilename->setText(path);
        m_wizard->cmdNext->click();
    }

    // The whole road to Import Now; the boxes shown on the way are answered
    // from the script.
    void importFile(int row, const QString& path)
    {
        chooseFile(row, path);
        ASSERT_EQ(m_wizard->step(), 2) << shownTexts().join(u'\n').toStdString();
        m_wizard->cmdNext->click();
    }

    // Every stored customer, in the order added.
    QList<RecColl> customers()
    {
        QList<RecColl> out;
        DATA4* t = m_db.OpenTable(m_db.CustomerTable());
        if (!t)
            return out;
        QList<int> ids;
        for (int rc = d4top(t); rc == 0; rc = d4skip(t, 1))
            ids.append(int(f4long(d4field(t, "rowid"))));
        d4close(t);
        std::sort(ids.begin(), ids.end());
        for (int id : ids)
            out.append(read(m_db.CustomerTable(), id, QStringLiteral("_customer")));
        return out;
    }

    QStringList customerField(const char* field)
    {
        QStringList out;
        for (const RecColl& c : customers())
            out.append(c.text(QLatin1String(field)));
        return out;
    }

    // The texts of a list, sorted.
    QStringList listTexts(int type)
    {
        QStringList out;
        if (const auto rows = m_db.listRows(m_db.CategoryTable(), QStringLiteral("rowid"), QStringLiteral("desc"), type))
            for (const DbListRow& row : *rows)
                out.append(row.text);
        out.sort();
        return out;
    }

    ShownPrompt lastBox() const
    {
        for (qsizetype i = m_prompts.shown().size() - 1; i >= 0; --i)
            if (m_prompts.shown().at(i).kind == ShownPrompt::Kind::MessageBox)
                return m_prompts.shown().at(i);
        return {};
    }

    bmtest::TempFolder m_files;
    std::unique_ptr<frmDataImport> m_wizard;
};

TEST_F(ImportWizardTest, TheFileStepRefusesBlanksAMissingFileAndAFailingFile)
{
    m_wizard->cmdNext->click();
    ASSERT_EQ(m_wizard->step(), 1);
    EXPECT_EQ(m_wizard->lblFile->text(),
              s("Please enter or browse to the file that contains data for 'Customers' :"));

    const QString missing = m_files.file(QStringLiteral("nowhere.csv"));
    const QString failing = file("bad.csv", "LASTNAME,PHONE\r\nSmith,555\r\n");
    const QString unclosed = file("unclosed.csv", "LASTNAME,COMPANY,NOTES\r\nSmith,Acme,\"one\r\ntwo\"\r\n"
                                                  "Doe,,\"line one\nline two\n");
    const struct {
        QString typed;
        QString message;
    } cases[] = {
        {s("    "), s("Please enter the name of the data file to import.")},
        {missing, s("'") + missing + s("' does not exist!")},
        {failing, s("IMPORT FAILED FROM FILE ") + failing
                      + s("!\r\n\r\nRequired column 'COMPANY' is missing from the first row.\r\n\r\n"
                          "Unrecognized column 'PHONE' found on the first row.\r\n\r\n")},
        {unclosed, s("IMPORT FAILED FROM FILE ") + unclosed
                       + s("!\r\n\r\nRow 4: A value that begins with a double quote on this row is never closed: "
                           "the file ends before its closing double quote.\r\n\r\n")},
    };
    for (const auto& c : cases) {
        m_prompts.clear();
        m_wizard->txtFilename->setText(c.typed);
        m_wizard->cmdNext->click();
        EXPECT_EQ(m_wizard->step(), 1) << c.typed.toStdString();
        ASSERT_EQ(m_prompts.shown().size(), 1) << c.typed.toStdString();
        EXPECT_EQ(m_prompts.last().kind, ShownPrompt::Kind::MessageWindow);
        EXPECT_EQ(m_prompts.last().text, c.message);
        EXPECT_EQ(m_prompts.last().style, 3); // critical
    }
    m_wizard->cmdPrevious->click();
    EXPECT_EQ(m_wizard->step(), 0);
    EXPECT_TRUE(m_wizard->cmdPrevious->isHidden());
}

// Each step starts where its work is, so the wizard can be worked from the
// keyboard alone; an "&" of a target's caption shows as itself on the label
// that names the file box.
TEST_F(ImportWizardTest, EachStepStartsInItsOwnControl)
{
    EXPECT_EQ(m_wizard->focusWidget(), m_wizard->grdImport);
    const QString path = file("products.csv", "DESCRIPTION\r\nDisk Drive\r\n");
    m_wizard->grdImport->setCurrentCell(kProductsRow, 0);
    m_wizard->cmdNext->click();
    ASSERT_EQ(m_wizard->step(), 1);
    EXPECT_EQ(m_wizard->focusWidget(), m_wizard->txtFilename);
    EXPECT_EQ(m_wizard->lblFile->text(),
              s("Please enter or browse to the file that contains data for 'Lookup List: Products && Services' :"));
    m_wizard->txtFilename->setText(path);
    m_wizard->cmdNext->click();
    ASSERT_EQ(m_wizard->step(), 2);
    EXPECT_EQ(m_wizard->focusWidget(), m_wizard->cmdNext);
    m_wizard->cmdNext->click();
    EXPECT_EQ(m_wizard->CancelButton->text(), s("Finish"));
    EXPECT_EQ(m_wizard->focusWidget(), m_wizard->CancelButton);
}

TEST_F(ImportWizardTest, ThreeCustomerLinesImportWithTheirStampsAndTheWizardFinishes)
{
    const QString path = file("customers.csv", "FIRSTNAME, lastname ,COMPANY,CITY\r\n"
                                               "John,Smith,JS Company,Springfield\r\n"
                                               "\r\n"
                                               "Jane,Doe,,\r\n"
                                               ",,,Nowhere\r\n");
    chooseFile(kCustomersRow, path);
    ASSERT_EQ(m_wizard->step(), 2);
    EXPECT_EQ(m_wizard->cmdNext->text(), s("Import Now"));
    EXPECT_EQ(m_wizard->lblCriteria->text(), s("You are about to import 'Customers' from file: '") + path + s("'"));
    EXPECT_EQ(m_wizard->grdPreview->model()->rowCount(), 3);

    m_prompts.clear();
    m_wizard->cmdNext->click();
    const ShownPrompt done = lastBox();
    EXPECT_EQ(done.text, s("Imported 3 Records!"));
    EXPECT_EQ(done.style, MsgStyle::Information);
    EXPECT_EQ(done.title, Product::name());
    EXPECT_FALSE(m_wizard->cmdNext->isEnabled());
    EXPECT_FALSE(m_wizard->cmdPrevious->isEnabled());
    EXPECT_EQ(m_wizard->CancelButton->text(), s("Finish"));

    EXPECT_EQ(customerField("lastname"), texts({"Smith", "Doe", "Un-named"}));
    EXPECT_EQ(customerField("company"), texts({"JS Company", "", ""}));
    EXPECT_EQ(customerField("city"), texts({"Springfield", "", "Nowhere"}));
    for (const RecColl& c : customers()) {
        const RecColl stamp = read(m_db.CustomerTable(), c.value(QStringLiteral("_rowid")).toInt(),
                                   QStringLiteral("_lastedit"));
        EXPECT_EQ(stamp.text(QStringLiteral("lastmodby")), s("1000"));
        EXPECT_EQ(stamp.text(QStringLiteral("lastmoddt")), s("20240315"));
        EXPECT_EQ(stamp.text(QStringLiteral("lastmodtm")), s("14:05:09"));
    }

    m_wizard->CancelButton->click();
    EXPECT_FALSE(m_wizard->isVisible());
}

TEST_F(ImportWizardTest, RepeatedListTextsShareOneCategory)
{
    const QString path = file("states.csv", "LASTNAME,COMPANY,STATE,COUNTRY,CATEGORY\r\n"
                                            "Smith,,Ohio,,Retail\r\n"
                                            "Doe,,OHIO,Canada,\r\n");
    importFile(kCustomersRow, path);
    EXPECT_EQ(lastBox().text, s("Imported 2 Records!"));
    EXPECT_EQ(listTexts(CatType::State), texts({"Ohio"}));
    EXPECT_EQ(listTexts(CatType::Country), texts({"Canada"}));
    EXPECT_EQ(listTexts(CatType::CustomerCategory), texts({"Retail"}));
    const QStringList states = customerField("state");
    ASSERT_EQ(states.size(), 2);
    EXPECT_GE(states.at(0).toInt(), 1000);
    EXPECT_EQ(states.at(1), states.at(0));
    EXPECT_EQ(customerField("country").at(0), s("0"));
    EXPECT_EQ(customerField("custcat").at(1), s("0"));
}

TEST_F(ImportWizardTest, AListFileTwiceAddsNothingTwiceACustomerFileTwiceAddsEveryCustomerTwice)
{
    const QString list = file("statuses.csv", "DESCRIPTION\r\nEscalated\r\n\"Open\"\r\nEscalated\r\n");
    importFile(kIssueStatusesRow, list);
    EXPECT_EQ(lastBox().text, s("Imported 3 Records!"));
    m_wizard = std::make_unique<frmDataImport>();
    importFile(kIssueStatusesRow, list);
    EXPECT_EQ(lastBox().text, s("Imported 3 Records!"));
    EXPECT_EQ(listTexts(CatType::IssueStatus),
              texts({"Closed", "Escalated", "In Progress", "On Hold", "Open", "Resolved", "Waiting for Customer"}));

    const QString people = file("people.csv", "LASTNAME,COMPANY\r\nSmith,\r\n,Acme\r\n");
    m_wizard = std::make_unique<frmDataImport>();
    importFile(kCustomersRow, people);
    m_wizard = std::make_unique<frmDataImport>();
    importFile(kCustomersRow, people);
    EXPECT_EQ(customerField("lastname"), texts({"Smith", "", "Smith", ""}));
    EXPECT_EQ(customerField("company"), texts({"", "Acme", "", "Acme"}));
}

TEST_F(ImportWizardTest, StoredValuesAreUnquotedAsThePreviewShowsThem)
{
    const QString path = file("quotes.csv", "LASTNAME,COMPANY,NOTES\r\n"
                                            "\"say \"\"hi\"\"\",\"Acme, Inc\",\"\"\r\n");
    chooseFile(kCustomersRow, path);
    ASSERT_EQ(m_wizard->step(), 2);
    const QAbstractItemModel* preview = m_wizard->grdPreview->model();
    ASSERT_EQ(preview->rowCount(), 1);
    EXPECT_EQ(preview->index(0, 1).data().toString(), s("say \"hi\""));
    EXPECT_EQ(preview->index(0, 2).data().toString(), s("Acme, Inc"));
    m_wizard->cmdNext->click();
    EXPECT_EQ(customerField("lastname"), texts({"say \"hi\""}));
    EXPECT_EQ(customerField("company"), texts({"Acme, Inc"}));
    EXPECT_EQ(customerField("notes"), texts({""}));
}

// Notes of two lines, as spreadsheet programs save them (LF or CR LF inside
// the quotes): one customer per record with every line kept, stored with the
// CR LF line breaks of the notes; preview and run read the same rows, and
// the rows after keep their line numbers.
TEST_F(ImportWizardTest, QuotedLineBreaksStayInTheirCustomersNotes)
{
    const QString path = file("notes.csv", "LASTNAME,COMPANY,NOTES\r\n"
                                           "Smith,Acme,\"line one\r\nline two\"\r\n"
                                           "Doe,,\"first\nsecond\n\nfourth, \"\"quoted\"\"\"\n"
                                           "Jones,\"Big, Small\",plain\r\n");
    chooseFile(kCustomersRow, path);
    ASSERT_EQ(m_wizard->step(), 2) << shownTexts().join(u'\n').toStdString();
    const QAbstractItemModel* preview = m_wizard->grdPreview->model();
    ASSERT_EQ(preview->rowCount(), 3);
    const QStringList rows{preview->index(0, 0).data().toString(), preview->index(1, 0).data().toString(),
                           preview->index(2, 0).data().toString()};
    EXPECT_EQ(rows, texts({"1", "3", "7"}));
    EXPECT_EQ(preview->index(0, 3).data().toString(), s("line one\r\nline two"));
    EXPECT_EQ(preview->index(1, 3).data().toString(), s("first\r\nsecond\r\n\r\nfourth, \"quoted\""));
    EXPECT_EQ(preview->index(2, 2).data().toString(), s("Big, Small"));

    m_prompts.clear();
    m_wizard->cmdNext->click();
    EXPECT_EQ(lastBox().text, s("Imported 3 Records!"));
    EXPECT_EQ(customerField("lastname"), texts({"Smith", "Doe", "Jones"}));
    EXPECT_EQ(customerField("company"), texts({"Acme", "", "Big, Small"}));
    EXPECT_EQ(customerField("notes"),
              texts({"line one\r\nline two", "first\r\nsecond\r\n\r\nfourth, \"quoted\"", "plain"}));
}

TEST_F(ImportWizardTest, UmlautsOfUtf8AndWindows1252FilesAreStoredAlike)
{
    importFile(kCustomersRow, file("utf8.csv", "\xEF\xBB\xBFLASTNAME,COMPANY\r\nM\xC3\xBCller,\r\n"));
    m_wizard = std::make_unique<frmDataImport>();
    importFile(kCustomersRow, file("ansi.csv", "LASTNAME,COMPANY\nM\xFCller,Stra\xDF" "e\n"));
    EXPECT_EQ(customerField("lastname"), texts({"Müller", "Müller"}));
    EXPECT_EQ(customerField("company"), texts({"", "Straße"}));

    if (!QFile::exists(QDir(bmtest::templatesDir()).filePath(QStringLiteral("bmtool"))))
        GTEST_SKIP() << "bmtool is not built";
    const bmtest::ToolRun dump = bmtest::runBmtool({QStringLiteral("dump"), m_db.CustomerTable()});
    ASSERT_EQ(dump.exitCode, 0) << dump.all().toStdString();
    EXPECT_EQ(dump.out.count(s("LASTNAME: Müller")), 2) << dump.out.toStdString();
    EXPECT_TRUE(dump.out.contains(s("COMPANY: Straße")));
}

TEST_F(ImportWizardTest, AboveFiveThousandRowsTheUserIsAskedFirst)
{
    QByteArray content = "DESCRIPTION\r\n";
    for (int i = 1; i <= 5001; ++i)
        content += "Item " + QByteArray::number(i) + "\r\n";
    const QString path = file("big.csv", content);
    chooseFile(kStatesRow, path);
    ASSERT_EQ(m_wizard->step(), 2);
    for (MsgAnswer answer : {MsgAnswer::No, MsgAnswer::Cancel}) {
        m_prompts.clear();
        m_prompts.button(answer);
        m_wizard->cmdNext->click();
        ASSERT_EQ(m_prompts.shown().size(), 1);
        const ShownPrompt asked = m_prompts.last();
        EXPECT_EQ(asked.text,
                  s("The data file you are about to import contains 5,001 rows of data and may take a long time to "
                    "import. We suggest importing this file when you will NOT be using your computer for a FEW HOURS "
                    "(such as overnight). Do you still wish to continue now?"));
        EXPECT_EQ(asked.style, MsgStyle::YesNoCancel | MsgStyle::Question | MsgStyle::DefaultButton3);
        EXPECT_EQ(asked.title, Product::name());
        EXPECT_TRUE(listTexts(CatType::State).isEmpty());
        EXPECT_EQ(m_wizard->step(), 2);
        EXPECT_TRUE(m_wizard->cmdNext->isEnabled());
    }
    m_prompts.clear();
    m_prompts.button(MsgAnswer::Yes);
    m_wizard->cmdNext->click();
    EXPECT_EQ(lastBox().text, s("Imported 5001 Records!"));
    EXPECT_EQ(listTexts(CatType::State).size(), 5001);
}

TEST_F(ImportWizardTest, TheShippedSampleFilesImportWithoutAFault)
{
    const QDir program(ProgramEnv::programFolder());
    importFile(kCustomersRow, program.filePath(QStringLiteral("Sample Customer Import.csv")));
    EXPECT_EQ(lastBox().text, s("Imported 3 Records!")) << shownTexts().join(u'\n').toStdString();
    m_wizard = std::make_unique<frmDataImport>();
    importFile(kIssueStatusesRow + 1, program.filePath(QStringLiteral("Sample Lookup List Import.csv")));
    EXPECT_EQ(lastBox().text, s("Imported 3 Records!")) << shownTexts().join(u'\n').toStdString();
    EXPECT_EQ(listTexts(CatType::IssueAction), texts({"Item Desc 1", "Item Desc 2", "Item Desc 3"}));
}

TEST_F(ImportWizardTest, ARowThatCannotBeAddedFailsTheRow)
{
    // Without the run's open tables a new list item cannot be appended.
    ImportRun run(QString::number(CatType::IssueStatus), texts({"", "DESCRIPTION"}));
    EXPECT_TRUE(run.AddCategory(texts({"", "Open"})));
    m_prompts.clear();
    EXPECT_FALSE(run.AddCategory(texts({"", "Brand new"})));
    EXPECT_FALSE(listTexts(CatType::IssueStatus).contains(s("Brand new")));

    // Nor is a customer stored whose state could not be added.
    ImportRun customers(s("MAIN_NEWCUSTOMER"), texts({"", "LASTNAME", "STATE"}));
    EXPECT_FALSE(customers.AddCustomer(texts({"", "Smith", "Nevada"})));
    EXPECT_TRUE(customerField("lastname").isEmpty());
    EXPECT_TRUE(customers.AddCustomer(texts({"", "Jones", ""})));
    EXPECT_EQ(customerField("lastname"), texts({"Jones"}));
}

TEST_F(ImportWizardTest, TargetsAndTheirFormatHelp)
{
    QStringList captions;
    for (int row = 0; row < m_wizard->grdImport->rowCount(); ++row) {
        captions.append(m_wizard->grdImport->item(row, 0)->text());
        EXPECT_EQ(m_wizard->grdImport->item(row, 1)->text(), s("Format Help"));
    }
    EXPECT_EQ(captions, texts({"Customers", "Lookup List: Customer Category", "Lookup List: Products & Services",
                               "Lookup List: Contract Types", "Lookup List: Contract Durations", "Lookup List: State",
                               "Lookup List: Country", "Lookup List: Issue Statuses", "Lookup List: Issue Actions",
                               "Lookup List: Issue Priorities", "Lookup List: Issue Category"}));
    EXPECT_EQ(m_wizard->windowTitle(), s("Import Data Wizard"));
    EXPECT_EQ(m_wizard->Label1->text(),
              s("This wizard will guide you through importing data into ") + Product::name()
                  + s(". Please select the data you would like to import from the following list:"));

    emit m_wizard->grdImport->cellClicked(3, 1);
    ASSERT_EQ(m_prompts.last().kind, ShownPrompt::Kind::MessageWindow);
    EXPECT_EQ(m_prompts.last().style, 1);
    EXPECT_EQ(m_prompts.last().text,
              s("IMPORT - Lookup List: Contract Types\r\n\r\n") + Product::name()
                  + s(" allows you to import items into this list from a file. \r\n\r\n"
                      "The import file format required is a Comma Separated Value file, usually prepared in MS Excel "
                      "and Saved, As 'CSV (Comma Delimited)' file. The first row (Row 1) of the import file must "
                      "contain column headings. The only column heading required for this import is:\r\n\r\n"
                      "DESCRIPTION\r\n\r\n"
                      "All rows (except the first row which must contain the column heading) in the import file are "
                      "added as NEW items into the list. Description for each item should appear starting from Row 2. "
                      "We recommend preparing this file in MS Excel and saving as 'CSV (Comma Delimited)' file.\r\n\r\n"
                      "Here's how an import file should look like when opened with Windows Notepad Application:\r\n\r\n"
                      "DESCRIPTION\r\nItem Desc 1\r\nItem Desc 2\r\n\r\n"
                      "A sample import file called 'Sample Lookup List Import.csv' is available in ")
                  + ProgramEnv::programFolder() + s(" to get you started. You can open this file with MS Excel."));

    emit m_wizard->grdImport->cellClicked(0, 1);
    const QString customers = m_prompts.last().text;
    EXPECT_TRUE(customers.startsWith(
        s("IMPORT - Customers\r\n\r\n") + Product::name()
        + s(" allows you to import Customer information into its database from a file. \r\n\r\n"
            "The import file format required is a Comma Separated Value file, usually prepared in MS Excel and Saved, "
            "As 'CSV (Comma Delimited)' file. The first row (Row 1) of the import file must contain column headings. "
            "The only column headings required for this import file are LASTNAME and COMPANY. The rest of the columns "
            "are optional. Here's a list of all the recognized/importable column headings:\r\n\r\n"
            "CUSTOMERNUMBER\r\nSALUTATION\r\nFIRSTNAME\r\nLASTNAME\r\nCOMPANY\r\nTITLE\r\nADDRESSLINE1\r\n"
            "ADDRESSLINE2\r\nCITY\r\nSTATE\r\nPOSTALCODE\r\nCOUNTRY\r\nCUSTOM1\r\nCUSTOM2\r\nWORKPHONE\r\nHOMEPHONE\r\n"
            "MOBILEPHONE\r\nFAXPHONE\r\nEMAILDEFAULT\r\nEMAILALTERNATE\r\nCATEGORY\r\nNOTES\r\n\r\n"
            "Each column heading must appear in a separate column. All rows (except the first row which must contain "
            "the column heading) in the import file are added as NEW customers. Data for each customer should appear "
            "starting from Row 2. We recommend preparing this file in MS Excel and saving as 'CSV (Comma Delimited)' "
            "file.\r\n\r\n"
            "Here's how an import file should look like when opened with Windows Notepad Application:\r\n\r\n"
            "FIRSTNAME, LASTNAME, COMPANY, WORKPHONE\r\nJohn, Smith, JS Company, 800-123-5678\r\n"
            "Jane, Doe, , 217-234-9000\r\n\r\n"
            "A sample import file called 'Sample Customer Import.csv' is available in ")))
        << customers.toStdString();
    // Column 0 shows nothing.
    m_prompts.clear();
    emit m_wizard->grdImport->cellClicked(2, 0);
    EXPECT_TRUE(m_prompts.shown().isEmpty());
}

TEST_F(ImportWizardTest, TheWizardOpensOnceAndLabelsItsFields)
{
    m_wizard.reset();
    QWidget* first = ShowImportDataWizard(nullptr);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->property("tag").toString(), s("IMPORTDATA"));
    EXPECT_EQ(HelpContext::of(first), 1080);
    EXPECT_EQ(ShowImportDataWizard(nullptr), first);
    auto* wizard = qobject_cast<frmDataImport*>(first);
    ASSERT_NE(wizard, nullptr);
    EXPECT_EQ(wizard->lblFile->buddy(), wizard->txtFilename);
    EXPECT_EQ(wizard->Label1->buddy(), wizard->grdImport);
    for (QPushButton* button : {wizard->cmdPrevious, wizard->cmdNext, wizard->CancelButton, wizard->cmdBrowse})
        EXPECT_FALSE(button->text().isEmpty());
    EXPECT_EQ(wizard->cmdPrevious->text(), s("<< &Previous"));
    EXPECT_EQ(wizard->cmdNext->text(), s("&Next >>"));
    EXPECT_EQ(wizard->CancelButton->text(), s("Cancel"));
    EXPECT_EQ(wizard->cmdBrowse->text(), s("&Browse"));
    wizard->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    QMdiArea area;
    QWidget* child = ShowImportDataWizard(&area);
    ASSERT_NE(child, nullptr);
    EXPECT_NE(qobject_cast<QMdiSubWindow*>(child->parentWidget()), nullptr);
    ASSERT_EQ(area.subWindowList().size(), 1);
    qobject_cast<frmDataImport*>(child)->CancelButton->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(area.subWindowList().isEmpty());
}

TEST_F(ImportWizardTest, BrowseTakesTheChosenFile)
{
    m_wizard->cmdNext->click();
    m_prompts.text(s("/data/chosen.csv"));
    m_wizard->cmdBrowse->click();
    EXPECT_EQ(m_wizard->txtFilename->text(), s("/data/chosen.csv"));
    const ShownPrompt dialog = m_prompts.last();
    EXPECT_EQ(dialog.file.title, s("Open Data Import File"));
    EXPECT_EQ(dialog.file.filter,
              s("MS Excel Comma Delimited File (*.csv)|*.csv|Text Files (*.txt)|*.txt|All Files (*.*)|*.*"));
    m_prompts.cancel();
    m_wizard->cmdBrowse->click();
    EXPECT_EQ(m_wizard->txtFilename->text(), s("/data/chosen.csv"));
}

} // namespace

namespace {

TEST_F(ImportWizardTest, ACustomerTableThatCannotBeOpenedEndsTheRunUnimported)
{
    const QString path = file("one.csv", "LASTNAME,COMPANY\r\nSmith,\r\n");
    chooseFile(kCustomersRow, path);
    ASSERT_EQ(m_wizard->step(), 2);
    ASSERT_TRUE(QFile::remove(m_db.CustomerTable()));
    m_prompts.clear();
    m_wizard->cmdNext->click();
    QStringList boxes;
    for (const ShownPrompt& p : m_prompts.shown())
        if (p.kind == ShownPrompt::Kind::MessageBox)
            boxes.append(p.text);
    ASSERT_GE(boxes.size(), 2);
    EXPECT_EQ(boxes.at(boxes.size() - 2), s("Unable to open Customer table!"));
    EXPECT_EQ(boxes.last(), s("Unable to import data!"));
    EXPECT_EQ(lastBox().style, MsgStyle::Critical);
    EXPECT_EQ(m_wizard->step(), 2);
    EXPECT_TRUE(m_wizard->cmdNext->isEnabled());
    EXPECT_EQ(m_wizard->CancelButton->text(), s("Cancel"));
}

TEST_F(ImportWizardTest, ThePreviewWindowShowsTheFileAndTellsWhetherToGoOn)
{
    const QString path = file("preview.csv", "LASTNAME,COMPANY,PHONE\r\nSmith,\"Acme, Inc\",555\r\n\r\nDoe\r\n");
    ImportColDefs defs;
    SetupColumns(QStringLiteral("MAIN_NEWCUSTOMER"), defs);
    const QStringList headings = texts({"", "LASTNAME", "COMPANY", "PHONE"});
    for (bool goOnScripted : {true, false}) {
        m_prompts.clear();
        if (goOnScripted)
            m_prompts.accept();
        else
            m_prompts.cancel();
        bool goOn = !goOnScripted;
        EXPECT_TRUE(clsImportData().PreviewData(path, defs, headings, 3, goOn));
        EXPECT_EQ(goOn, goOnScripted);
        EXPECT_EQ(m_prompts.last().kind, ShownPrompt::Kind::Dialog);
        EXPECT_EQ(m_prompts.last().title, s("Preview Data"));
    }
    frmImportPreview preview;
    EXPECT_EQ(preview.Label1->text(), s("You are about to import the following data. Press Continue to proceed or "
                                        "press Cancel to quit..."));
    EXPECT_EQ(preview.cmdContinue->text(), s("C&ontinue"));
    EXPECT_EQ(preview.cmdCancel->text(), s("Cancel"));
    ASSERT_TRUE(preview.Init(path, defs, headings, 3));
    const QAbstractItemModel* grid = preview.grdPreview->model();
    ASSERT_EQ(grid->rowCount(), 2);
    ASSERT_EQ(grid->columnCount(), 3);
    EXPECT_EQ(grid->index(0, 2).data().toString(), s("Acme, Inc"));
    EXPECT_EQ(grid->index(1, 1).data().toString(), s("Doe"));
    preview.cmdContinue->click();
    EXPECT_TRUE(preview.m_bContinue);
}

} // namespace

namespace {

TEST_F(ImportWizardTest, TheWizardDoesNotCloseOrMoveOnWhileItWorks)
{
    QByteArray content = "DESCRIPTION\r\n";
    for (int i = 1; i <= 300; ++i)
        content += "Item " + QByteArray::number(i) + "\r\n";
    const QString path = file("items.csv", content);
    m_wizard->show();
    bool closed = true;
    int stepSeen = -1;
    QTimer::singleShot(0, m_wizard.get(), [&] {
        closed = m_wizard->close();
        m_wizard->cmdNext->click();
        m_wizard->cmdPrevious->click();
        stepSeen = m_wizard->step();
    });
    chooseFile(kStatesRow, path);
    EXPECT_FALSE(closed);
    EXPECT_EQ(stepSeen, 1);
    EXPECT_EQ(m_wizard->step(), 2);
    EXPECT_TRUE(m_wizard->isVisible());
    EXPECT_EQ(m_wizard->grdPreview->model()->rowCount(), 300);
}

} // namespace
