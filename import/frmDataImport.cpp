#include "import/frmDataImport.h"

#include "app/clsCustomLabels.h"
#include "common/ProgramEnv.h"
#include "common/Product.h"
#include "common/PromptService.h"
#include "common/clsSystem.h"
#include "common/ui/AccessibleNames.h"
#include "common/ui/HelpContext.h"
#include "common/ui/ObjectTag.h"
#include "common/ui/clsSystemUI.h"
#include "common/ui/frmProgress.h"
#include "data/CategoryTypes.h"
#include "import/ImportRun.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int kHelpContext = 1080;
constexpr qint32 kRowsBeforeAsking = 5000;
const QString kTag = QStringLiteral("IMPORTDATA");

} // namespace

frmDataImport::frmDataImport(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmDataImport"));
    setWindowTitle(QStringLiteral("Import Data Wizard"));
    setObjectTag(this, kTag);
    HelpContext::set(this, kHelpContext);

    static const char* const kFrameCaptions[] = {"Step 1 of 3", "Step 2 of 3", "Step 3 of 3"};
    for (int i = 0; i < 3; ++i)
        frm[i] = new QGroupBox(QLatin1String(kFrameCaptions[i]), this);

    Label1 = new QLabel(QStringLiteral("This wizard will guide you through importing data into ") + Product::name()
                            + QStringLiteral(". Please select the data you would like to import from the following list:"),
                        frm[0]);
    Label1->setWordWrap(true);
    grdImport = new QTableWidget(frm[0]);
    AccessibleNames::nameByLabel(grdImport, Label1);
    Label2 = new QLabel(QStringLiteral("Press Next >> to continue or Cancel to quit."), frm[0]);
    auto* step0 = new QVBoxLayout(frm[0]);
    step0->addWidget(Label1);
    step0->addWidget(grdImport, 1);
    step0->addWidget(Label2);

    lblFile = new QLabel(frm[1]);
    lblFile->setWordWrap(true);
    txtFilename = new QLineEdit(frm[1]);
    lblFile->setBuddy(txtFilename);
    cmdBrowse = new QPushButton(QStringLiteral("&Browse"), frm[1]);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(txtFilename, 1);
    fileRow->addWidget(cmdBrowse);
    auto* step1 = new QVBoxLayout(frm[1]);
    step1->addWidget(lblFile);
    step1->addLayout(fileRow);
    step1->addStretch();

    Label8 = new QLabel(QStringLiteral("DATA PREVIEW"), frm[2]);
    lblCriteria = new QLabel(frm[2]);
    lblCriteria->setWordWrap(true);
    grdPreview = new QTableView(frm[2]);
    grdPreview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdPreview->verticalHeader()->hide();
    AccessibleNames::nameByLabel(grdPreview, Label8);
    Label4 = new QLabel(QStringLiteral("Press Import Now to import the data or Cancel to quit."), frm[2]);
    auto* step2 = new QVBoxLayout(frm[2]);
    step2->addWidget(Label8);
    step2->addWidget(lblCriteria);
    step2->addWidget(grdPreview, 1);
    step2->addWidget(Label4);

    cmdPrevious = new QPushButton(QStringLiteral("<< &Previous"), this);
    cmdNext = new QPushButton(QStringLiteral("&Next >>"), this);
    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdPrevious);
    buttons->addWidget(cmdNext);
    buttons->addWidget(CancelButton);

    auto* layout = new QVBoxLayout(this);
    for (QGroupBox* frame : frm)
        layout->addWidget(frame, 1);
    layout->addLayout(buttons);
    resize(640, 480);

    setTabOrder(grdImport, txtFilename);
    setTabOrder(txtFilename, cmdBrowse);
    setTabOrder(cmdBrowse, grdPreview);
    setTabOrder(grdPreview, cmdPrevious);
    setTabOrder(cmdPrevious, cmdNext);
    setTabOrder(cmdNext, CancelButton);

    connect(CancelButton, &QPushButton::clicked, this, &frmDataImport::CancelButton_Click);
    connect(cmdBrowse, &QPushButton::clicked, this, &frmDataImport::cmdBrowse_Click);
    connect(cmdNext, &QPushButton::clicked, this, &frmDataImport::cmdNext_Click);
    connect(cmdPrevious, &QPushButton::clicked, this, &frmDataImport::cmdPrevious_Click);
    connect(grdImport, &QTableWidget::cellClicked, this, &frmDataImport::grdImport_Click);

    fillTargets();
    DisplayFrame();
}

void frmDataImport::fillTargets()
{
    const auto customer = [](const char* field) {
        return CustomLabels().GetCustomerLabelName(QLatin1String(field), false);
    };
    const QList<std::pair<QString, QString>> targets{
        {QStringLiteral("Customers"), kImportTargetCustomers},
        {QStringLiteral("Lookup List: Customer ") + customer("custcat"), QString::number(CatType::CustomerCategory)},
        {QStringLiteral("Lookup List: Products & Services"), QString::number(CatType::ProductService)},
        {QStringLiteral("Lookup List: Contract Types"), QString::number(CatType::ContractType)},
        {QStringLiteral("Lookup List: Contract Durations"), QString::number(CatType::ContractDuration)},
        {QStringLiteral("Lookup List: ") + customer("state"), QString::number(CatType::State)},
        {QStringLiteral("Lookup List: ") + customer("country"), QString::number(CatType::Country)},
        {QStringLiteral("Lookup List: Issue Statuses"), QString::number(CatType::IssueStatus)},
        {QStringLiteral("Lookup List: Issue Actions"), QString::number(CatType::IssueAction)},
        {QStringLiteral("Lookup List: Issue Priorities"), QString::number(CatType::IssuePriority)},
        {QStringLiteral("Lookup List: Issue ") + CustomLabels().GetIssueLabelName(QStringLiteral("issuecat"), false),
         QString::number(CatType::IssueCategory)},
    };
    grdImport->setColumnCount(2);
    grdImport->setRowCount(int(targets.size()));
    grdImport->horizontalHeader()->hide();
    grdImport->verticalHeader()->hide();
    grdImport->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdImport->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdImport->setSelectionMode(QAbstractItemView::SingleSelection);
    QFont linkFont = grdImport->font();
    linkFont.setUnderline(true);
    for (int row = 0; row < targets.size(); ++row) {
        auto* caption = new QTableWidgetItem(targets.at(row).first);
        caption->setData(Qt::UserRole, targets.at(row).second);
        grdImport->setItem(row, 0, caption);
        auto* help = new QTableWidgetItem(QStringLiteral("Format Help"));
        help->setFont(linkFont);
        help->setForeground(QColor(0x00, 0x00, 0xC0));
        help->setTextAlignment(Qt::AlignCenter);
        grdImport->setItem(row, 1, help);
    }
    grdImport->resizeColumnsToContents();
    grdImport->horizontalHeader()->setStretchLastSection(true);
    grdImport->setCurrentCell(0, 0);
}

QString frmDataImport::targetCaption() const
{
    const QTableWidgetItem* item = grdImport->item(grdImport->currentRow(), 0);
    return item ? item->text() : QString();
}

// --- Steps -----------------------------------------------------------------

void frmDataImport::DisplayFrame()
{
    for (QGroupBox* frame : frm)
        frame->hide();
    frm[m_step]->show();
    cmdNext->setText(QStringLiteral("&Next >>"));
    if (m_step == 2) {
        cmdNext->setText(QStringLiteral("Import Now"));
        lblCriteria->setText(QStringLiteral("You are about to import '") + targetCaption()
                             + QStringLiteral("' from file: '") + txtFilename->text() + QStringLiteral("'"));
        setBusy(true);
        SysUI().ImportLoadPreviewGrid(grdPreview, txtFilename->text(), m_colDefs.names(), m_headings, m_rowCount);
        setBusy(false);
    }
    cmdPrevious->setVisible(m_step != 0);
    if (m_step == 1) {
        // The label names its box for the keyboard, so an "&" of the
        // target's caption is doubled to show as itself.
        QString caption = targetCaption();
        caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
        lblFile->setText(QStringLiteral("Please enter or browse to the file that contains data for '") + caption
                         + QStringLiteral("' :"));
    }
    // Each step starts where its work is: the list, the file box, the
    // button that imports.
    QWidget* const first[] = {grdImport, txtFilename, cmdNext};
    first[m_step]->setFocus(Qt::OtherFocusReason);
}

bool frmDataImport::Validate()
{
    if (m_step != 1)
        return true;
    const QString fileName = txtFilename->text();
    QString message;
    if (Sys().trimBlanks(fileName).isEmpty())
        message = QStringLiteral("Please enter the name of the data file to import.");
    else if (!QFileInfo(fileName).isFile())
        message = QStringLiteral("'") + fileName + QStringLiteral("' does not exist!");
    if (!message.isEmpty()) {
        Sys().ShowMsg(message, 3, 0);
        return false;
    }
    return ValidateData();
}

void frmDataImport::InitDataImportStructures()
{
    m_colDefs.clear();
    m_headings = QStringList{QString()};
    m_errorText.clear();
    m_targetKey.clear();
}

bool frmDataImport::ValidateData()
{
    InitDataImportStructures();
    SetupColumns();
    setBusy(true);
    QCoreApplication::processEvents();
    const QString fileName = txtFilename->text();
    const bool ok = m_checker.ValidateCols(fileName, m_colDefs, m_headings, m_errorText)
                    && m_checker.ValidateRows(fileName, m_colDefs, m_headings, m_errorText, m_rowCount);
    setBusy(false);
    if (ok)
        return true;
    Sys().ShowMsg(QStringLiteral("IMPORT FAILED FROM FILE ") + fileName + QStringLiteral("!") + Sys().CRLF(2)
                      + m_errorText,
                  3, 0);
    return false;
}

void frmDataImport::SetupColumns()
{
    const QTableWidgetItem* item = grdImport->item(grdImport->currentRow(), 0);
    m_targetKey = item ? item->data(Qt::UserRole).toString() : QString();
    ::SetupColumns(m_targetKey, m_colDefs);
}

// --- The import ----------------------------------------------------------------

void frmDataImport::ImportData()
{
    if (m_rowCount > kRowsBeforeAsking) {
        const QString question =
            QStringLiteral("The data file you are about to import contains ") + Sys().FormatLongWithCommas(m_rowCount)
            + QStringLiteral(" rows of data and may take a long time to import. We suggest importing this file when "
                             "you will NOT be using your computer for a FEW HOURS (such as overnight). Do you still "
                             "wish to continue now?");
        if (MsgBox(question, MsgStyle::YesNoCancel | MsgStyle::Question | MsgStyle::DefaultButton3, Product::name())
            != MsgAnswer::Yes)
            return;
    }
    if (!ImportData_Detail(txtFilename->text(), m_rowCount)) {
        MsgBox(QStringLiteral("Unable to import data!"), MsgStyle::Critical, Product::name());
        return;
    }
    cmdNext->setEnabled(false);
    cmdPrevious->setEnabled(false);
    CancelButton->setText(QStringLiteral("Finish"));
    CancelButton->setFocus(Qt::OtherFocusReason);   // the one thing left to do
    MsgBox(QStringLiteral("Imported ") + QString::number(m_rowCount) + QStringLiteral(" Records!"),
           MsgStyle::Information, Product::name());
}

bool frmDataImport::ImportData_Detail(const QString& fileName, qint32& rowCount)
{
    setBusy(true);
    frmProgress* wait = nullptr;
    SysUI().WaitDlgShow(wait, QStringLiteral("Import Data"), QStringLiteral("Integrating data. Please wait..."), true,
                        false);
    ImportRun run(m_targetKey, m_headings);
    QString failure;
    bool ok = run.openTables(failure);
    if (ok) {
        ok = run.importFile(fileName, rowCount, *wait);
        SysUI().WaitDlgRemove(wait);
    } else {
        SysUI().WaitDlgRemove(wait);
        MsgBox(failure, MsgStyle::Critical, Product::name());
    }
    setBusy(false);
    return ok;
}

// While the checks, the preview fill or the run go on, the window's
// commands wait and it does not close.
void frmDataImport::setBusy(bool busy)
{
    m_busy = busy;
    for (QGroupBox* frame : frm)
        frame->setEnabled(!busy);
    for (QPushButton* button : {cmdPrevious, cmdNext, CancelButton})
        button->setAttribute(Qt::WA_TransparentForMouseEvents, busy);
}

// --- Handlers ------------------------------------------------------------------

void frmDataImport::CancelButton_Click()
{
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        sub->close();
    else
        close();
}

void frmDataImport::cmdBrowse_Click()
{
    QString fileName;
    if (Sys().GetFilename(fileName,
                          QStringLiteral("MS Excel Comma Delimited File (*.csv)|*.csv|Text Files (*.txt)|*.txt|"
                                         "All Files (*.*)|*.*"),
                          0x280806, QStringLiteral("Open Data Import File")))
        txtFilename->setText(fileName);
}

void frmDataImport::cmdNext_Click()
{
    if (m_busy || !Validate())
        return;
    if (m_step < 2) {
        ++m_step;
        DisplayFrame();
        return;
    }
    ImportData();
}

void frmDataImport::cmdPrevious_Click()
{
    if (m_busy)
        return;
    m_step = std::max(0, m_step - 1);
    DisplayFrame();
}

void frmDataImport::grdImport_Click(int row, int column)
{
    if (column == 1 && !m_busy)
        Sys().ShowMsg(FormatHelpText(row), 1, 0);
}

void frmDataImport::closeEvent(QCloseEvent* event)
{
    if (m_busy) {
        event->ignore();
        return;
    }
    InitDataImportStructures();
    event->accept();
}

QString frmDataImport::FormatHelpText(int row) const
{
    const QTableWidgetItem* item = grdImport->item(row, 0);
    const QString caption = item ? item->text() : QString();
    const QString br = Sys().CRLF();
    const QString br2 = Sys().CRLF(2);
    const QString csv = QStringLiteral(
        "The import file format required is a Comma Separated Value file, usually prepared in MS Excel and Saved, As "
        "'CSV (Comma Delimited)' file. The first row (Row 1) of the import file must contain column headings. ");
    const QString notepad =
        QStringLiteral("Here's how an import file should look like when opened with Windows Notepad Application:") + br2;
    const auto sample = [](const char* name) {
        return QStringLiteral("A sample import file called '") + QLatin1String(name)
               + QStringLiteral("' is available in ") + ProgramEnv::programFolder()
               + QStringLiteral(" to get you started. You can open this file with MS Excel.");
    };
    QString text = QStringLiteral("IMPORT - ") + caption + br2;
    if (row == 0) {
        text += Product::name() + QStringLiteral(" allows you to import Customer information into its database from a file. ")
                + br2;
        text += csv
                + QStringLiteral("The only column headings required for this import file are LASTNAME and COMPANY. The "
                                 "rest of the columns are optional. Here's a list of all the recognized/importable "
                                 "column headings:")
                + br2;
        text += customerImportHeadings().join(br) + br2;
        text += QStringLiteral("Each column heading must appear in a separate column. All rows (except the first row "
                               "which must contain the column heading) in the import file are added as NEW customers. "
                               "Data for each customer should appear starting from Row 2. We recommend preparing this "
                               "file in MS Excel and saving as 'CSV (Comma Delimited)' file.")
                + br2;
        text += notepad + QStringLiteral("FIRSTNAME, LASTNAME, COMPANY, WORKPHONE") + br
                + QStringLiteral("John, Smith, JS Company, 800-123-5678") + br
                + QStringLiteral("Jane, Doe, , 217-234-9000") + br2;
        return text + sample("Sample Customer Import.csv");
    }
    text += Product::name() + QStringLiteral(" allows you to import items into this list from a file. ") + br2;
    text += csv + QStringLiteral("The only column heading required for this import is:") + br2;
    text += QStringLiteral("DESCRIPTION") + br2;
    text += QStringLiteral("All rows (except the first row which must contain the column heading) in the import file "
                           "are added as NEW items into the list. Description for each item should appear starting from "
                           "Row 2. We recommend preparing this file in MS Excel and saving as 'CSV (Comma Delimited)' "
                           "file.")
            + br2;
    text += notepad + QStringLiteral("DESCRIPTION") + br + QStringLiteral("Item Desc 1") + br
            + QStringLiteral("Item Desc 2") + br2;
    return text + sample("Sample Lookup List Import.csv");
}

QWidget* ShowImportDataWizard(QMdiArea* area)
{
    QWidget* open = nullptr;
    if (SysUI().GetFormWithTag(kTag, open)) {
        SysUI().BringFormToTop(kTag);
        return open;
    }
    auto* form = new frmDataImport;
    if (!area) {
        form->setAttribute(Qt::WA_DeleteOnClose);
        form->show();
        return form;
    }
    QMdiSubWindow* sub = area->addSubWindow(form);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->show();
    return form;
}
