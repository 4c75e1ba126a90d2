#include "reports/ui/frmReportDisplay.h"

#include "app/MainWindow.h"
#include "app/frmMain.h"
#include "common/Module1.h"
#include "common/Product.h"
#include "common/PromptService.h"
#include "common/RunError.h"
#include "common/clsSystem.h"
#include "common/ui/HelpContext.h"
#include "common/ui/ObjectTag.h"
#include "common/ui/TabChain.h"
#include "common/ui/WindowRegistry.h"
#include "common/ui/clsSystemUI.h"
#include "common/ui/frmFind.h"
#include "common/ui/frmProgress.h"
#include "data/clsDB.h"
#include "reports/ui/ReportGridCommands.h"
#include "reports/ui/ReportGridModel.h"
#include "xbase/IndexC4.h"
#include "xbase/c4.h"

#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <array>
#include <utility>

namespace {

// The tables a command opens, closed when it ends however it ends.
class OpenTables {
public:
    DATA4* open(const QString& path)
    {
        DATA4* table = DB().OpenTable(path);
        if (table)
            m_tables.push_back(table);
        return table;
    }
    ~OpenTables()
    {
        for (DATA4* table : m_tables)
            d4close(table);
    }

private:
    std::vector<DATA4*> m_tables;
};

// The wait dialog of a command, removed when the command ends.
class WaitDialog {
public:
    WaitDialog(const QString& caption, const QString& message)
    {
        SysUI().WaitDlgShow(m_window, caption, message, false, true);
    }
    ~WaitDialog() { SysUI().WaitDlgRemove(m_window); }
    // Lets the Cancel button work; false once it was pressed.
    bool goOn() { return m_window ? m_window->report(-1) : true; }
    bool cancelled() const { return m_window && m_window->m_bCancel; }

private:
    frmProgress* m_window = nullptr;
};

QString canonical(const QString& path) { return QFileInfo(path).canonicalFilePath(); }

// True when `target` is a table, memo or index file of the open database,
// an index template or the mail-merge template: replacing it would destroy
// what every user of the database relies on.
bool isProtectedFile(const QString& target)
{
    const QString wanted = canonical(target);
    if (wanted.isEmpty())
        return false;
    QStringList guarded{DB().MailMergeTable()};
    for (const clsDBFile& file : DB().DataFilePaths()) {
        const QFileInfo table(file.Table);
        guarded << file.Table << table.path() + QStringLiteral("/") + table.completeBaseName() + QStringLiteral(".fpt")
                << file.TableIndex << file.TableIndexSource;
    }
    for (const QString& path : guarded) {
        if (!path.isEmpty() && canonical(path) == wanted)
            return true;
    }
    return false;
}

} // namespace

frmReportDisplay::frmReportDisplay(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("frmReportDisplay"));
    setWindowTitle(QStringLiteral("Report Display"));
    resize(900, 500); // room for a report's many columns; the user may maximize
    // Never "REPORTS": the report list must not find an output window.
    setObjectTag(this, QStringLiteral("REPORTDISPLAY"));
    HelpContext::set(this, kHelpContext);

    m_model = new ReportGridModel(m_run.grid(), this);
    grd = ReportGridCommands::newGrid(this, m_model, QStringLiteral("Report"));

    cmdFind = new QPushButton(QStringLiteral("&Find"), this);
    cmdZoomIn = new QPushButton(QStringLiteral("&Zoom In"), this);
    cmdEmail = new QPushButton(QStringLiteral("E&mail"), this);
    cmdMailMerge = new QPushButton(QStringLiteral("Mail Merge"), this);
    cmdRefresh = new QPushButton(QStringLiteral("R&efresh"), this);
    cmdSaveAs = new QPushButton(QStringLiteral("&Save As"), this);
    cmdPrint = new QPushButton(QStringLiteral("Print"), this);
    CancelButton = new QPushButton(QStringLiteral("Close"), this);
    const std::pair<QPushButton*, const char*> buttons[] = {
        {cmdFind, "cmdFind"},         {cmdZoomIn, "cmdZoomIn"},   {cmdEmail, "cmdEmail"},
        {cmdMailMerge, "cmdMailMerge"}, {cmdRefresh, "cmdRefresh"}, {cmdSaveAs, "cmdSaveAs"},
        {cmdPrint, "cmdPrint"},       {CancelButton, "CancelButton"},
    };
    for (const auto& [button, name] : buttons) {
        button->setObjectName(QLatin1String(name));
        button->setAutoDefault(false);
    }
    cmdZoomIn->setToolTip(QStringLiteral("Open selected record"));
    cmdEmail->setToolTip(QStringLiteral("Send email to displayed customers"));
    cmdMailMerge->setToolTip(QStringLiteral("Create mail merge data"));
    lblCount = new QLabel(this);
    lblCount->setObjectName(QStringLiteral("lblCount"));

    connect(cmdFind, &QPushButton::clicked, this, &frmReportDisplay::cmdFind_Click);
    connect(cmdZoomIn, &QPushButton::clicked, this, &frmReportDisplay::cmdZoomIn_Click);
    connect(cmdEmail, &QPushButton::clicked, this, &frmReportDisplay::cmdEmail_Click);
    connect(cmdMailMerge, &QPushButton::clicked, this, &frmReportDisplay::cmdMailMerge_Click);
    connect(cmdRefresh, &QPushButton::clicked, this, [this] {
        LoadData();
        SetUI();
    });
    connect(cmdSaveAs, &QPushButton::clicked, this, &frmReportDisplay::cmdSaveAs_Click);
    connect(cmdPrint, &QPushButton::clicked, this, &frmReportDisplay::cmdPrint_Click);
    connect(CancelButton, &QPushButton::clicked, this, [this] { WindowRegistry::current().closeForm(this); });
    connect(grd->horizontalHeader(), &QHeaderView::sectionClicked, this, &frmReportDisplay::SortByColumn);
    connect(grd, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid())
            zoomInto(index.row());
    });

    auto* bar = new QHBoxLayout;
    for (QPushButton* button : {cmdFind, cmdZoomIn, cmdEmail, cmdMailMerge, cmdRefresh, cmdSaveAs, cmdPrint,
                                CancelButton})
        bar->addWidget(button);
    bar->addStretch();
    bar->addWidget(lblCount);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(grd, 1);
    layout->addLayout(bar);
    setTabChain({grd, cmdFind, cmdZoomIn, cmdEmail, cmdMailMerge, cmdRefresh, cmdSaveAs, cmdPrint, CancelButton});

    // Any window that the find dialog served lets go of it.
    frmFind::instance().hide();
    SetUI();
}

frmReportDisplay::~frmReportDisplay()
{
    if (m_ownsFind)
        ReportGridCommands::hideFind(this, true);
    // The grid goes before the rows its model reads: a window still shown
    // hides its children after its own members are gone.
    delete grd;
    delete m_model;
}

void frmReportDisplay::closeEvent(QCloseEvent* event)
{
    if (m_ownsFind)
        ReportGridCommands::hideFind(this, false);
    QWidget::closeEvent(event);
}

void frmReportDisplay::Init(qint32 RptID)
{
    m_rptId = RptID;
    lblCount->clear();
    LoadData();
    SetUI();
}

void frmReportDisplay::SetTagVariant()
{
    setObjectTag(this, QStringLiteral("REPORTDISPLAY") + QString::number(m_rptId));
}

void frmReportDisplay::LoadData()
{
    Sys().WaitStart();
    SetTagVariant();
    const bool read = m_run.LoadData(m_rptId);
    SetWindowCaption();
    Sys().WaitEnd();
    if (read)
        DisplayReportData();
}

void frmReportDisplay::SetWindowCaption()
{
    QString title = m_run.title();
    if (!title.trimmed().isEmpty() && title.size() >= 31)
        title = title.left(30) + QStringLiteral("...");
    const QString kind = m_run.reportType() == QLatin1String("C") ? QStringLiteral("Customers Report: ")
                                                                  : QStringLiteral("Issues Report: ");
    setWindowTitle(kind + title + QStringLiteral(" @") + Sys().CurrTimeAMPM());
}

void frmReportDisplay::SetUI()
{
    const bool customers = m_run.reportType() == QLatin1String("C");
    cmdEmail->setVisible(customers);
    cmdMailMerge->setVisible(customers);
}

void frmReportDisplay::FocusOnGrid() { SysUI().CtlSetFocus(grd); }

void frmReportDisplay::DisplayReportData()
{
    bool walked = false;
    {
        WaitDialog wait(QStringLiteral("Preparing Report"), QStringLiteral("Please wait..."));
        struct Relay final : Progress {
            WaitDialog& dialog;
            explicit Relay(WaitDialog& d) : dialog(d) {}
            bool report(int) override { return dialog.goOn(); }
            void setMessage(const QString&) override {}
        } relay(wait);
        m_model->reload();
        walked = m_run.DisplayReportData(relay);
        m_model->reload();
    }
    const ReportGrid& grid = m_run.grid();
    if (walked || m_run.visitedCount() > 0)
        lblCount->setText(QString::number(grid.rowCount()) + QStringLiteral(" rows"));
    // Sized first, so that the first cell is scrolled into view at its
    // final width.
    if (grid.columnCount() > 1)
        grd->resizeColumnsToContents();
    if (grid.rowCount() >= 1 && grid.columnCount() >= 1) {
        ReportGridCommands::selectCell(grd, 0, grid.firstDataColumn());
        grd->scrollTo(grd->model()->index(0, 0)); // the row numbers in view too
    }
    FocusOnGrid();
}

int frmReportDisplay::currentGridRow() const
{
    const QModelIndex current = grd->currentIndex();
    return current.isValid() ? current.row() + 1 : 0;
}

void frmReportDisplay::SortByColumn(int column)
{
    ReportGrid& grid = m_run.grid();
    if (grid.rowCount() < 1 || column < 0 || column >= grid.columnCount())
        return;
    if (m_run.definition().GroupByFirstCol) {
        MsgBoxRequest request;
        request.text = QStringLiteral("This report cannot be re-sorted because the report definition 'Suppresses "
                                      "repeating values' in the first column of the report!");
        request.title = Product::name();
        request.style = MsgStyle::Information;
        request.helpFile = Sys().HelpFilename();
        request.helpContext = 1400;
        Prompts().messageBox(request);
        return;
    }
    Sys().WaitStart();
    grid.sortBy(column);
    m_model->reload();
    ReportGridCommands::selectCell(grd, 0, column);
    Sys().WaitEnd();
}

// --- Print and save -------------------------------------------------------

void frmReportDisplay::cmdPrint_Click()
{
    ReportGridCommands::print(grd, m_run.title(), m_run.definition().Landscape);
}

void frmReportDisplay::cmdSaveAs_Click()
{
    SysUI().SaveGrid(grd);
    FocusOnGrid();
}

// --- Mail merge -------------------------------------------------------------

void frmReportDisplay::cmdMailMerge_Click()
{
    if (!DB().Perm_ReportsMailEmail())
        return;
    Sys().ShowMsg(
        Product::name() +
            QStringLiteral(
                " allows you to create a data file in DBF/MS FoxPro-compatible format for the customers displayed "
                "on this report. The data file created can be used with a mail merge capable program such as "
                "Microsoft Word to create customized letters, labels and envelopes. Please consult the "
                "documentation for your mail merge capable program (such as Microsoft Word) on how to create mail "
                "merged documents from a DBF/MS FoxPro-compatible data file. Please note the FILE TYPE created is "
                "'MS FoxPro File'. DATA SOURCE is 'FoxPro Files - Word via ODBC(*.dbf)'."),
        1, -1);
    if (MsgBox(QStringLiteral("Would you like to create the mail merge data file now?"),
               MsgStyle::YesNoCancel | MsgStyle::Question) != MsgAnswer::Yes)
        return;
    QString fileName;
    if (!Sys().GetFilename(fileName, QStringLiteral("MS FoxPro Files (*.dbf)|*.dbf"), 2623494,
                           QStringLiteral("Create Mail Merge Data File"), true))
        return;
    if (CreateMailMergeData(fileName)) {
        m_msgText = fileName + QStringLiteral(" has been created!");
        MsgBox(m_msgText, MsgStyle::Information);
    }
}

bool frmReportDisplay::CreateMailMergeData(const QString& fileName)
{
    if (isProtectedFile(fileName)) {
        MsgBox(fileName + QStringLiteral(" is a file of the open database or the mail merge template and cannot be "
                                         "replaced. Please choose another file name."),
               MsgStyle::Exclamation);
        return false;
    }
    WaitDialog wait(QStringLiteral("Mail Merge Data"), QStringLiteral("Creating Mail Merge Data file. Please wait..."));
    if (QFile::exists(fileName) && !QFile::remove(fileName)) {
        MsgBox(QStringLiteral("Unable to replace ") + fileName + QLatin1Char('!'), MsgStyle::Exclamation);
        return false;
    }
    if (!QFile::copy(DB().MailMergeTable(), fileName)) {
        MsgBox(QStringLiteral("Unable to create ") + fileName + QLatin1Char('!'), MsgStyle::Exclamation);
        return false;
    }
    QFile::setPermissions(fileName, QFile::permissions(fileName) | QFile::WriteOwner);

    OpenTables tables;
    DATA4* customers = tables.open(DB().CustomerTable());
    DATA4* merge = customers ? tables.open(fileName) : nullptr;
    DATA4* categories = merge ? tables.open(DB().CategoryTable()) : nullptr;
    DATA4* customerPs = categories ? tables.open(DB().Customers2PSTable()) : nullptr;
    if (!customerPs)
        return false;

    // Fields copied as trimmed text, and those that hold a category.
    static constexpr std::array kTextFields{"custno",    "salutation", "firstname", "lastname",   "company",
                                            "title",     "address1",   "address2",  "city",       "postalcode",
                                            "workphone", "homephone",  "mobilphone", "faxphone", "emailname",
                                            "emailname2", "custom1",   "custom2"};
    static constexpr std::array kCategoryFields{"state", "country", "custcat"};
    int rc = d4tagSelect(customers, d4tag(customers, "rowid"));
    RunError failure;
    bool cancelled = false;
    const ReportGrid& grid = m_run.grid();
    for (int row = 0; rc >= 0 && row < grid.rowCount(); ++row) {
        const int found = d4seekDouble(customers, grid.rowData(row));
        if (found < 0) {
            rc = found;
            break;
        }
        if (found == 0) {
            rc = d4appendStartVB(merge, 0);
            if (rc >= 0)
                rc = d4blank(merge);
            if (rc < 0)
                break;
            for (const char* name : kTextFields)
                Module1::AssignFieldStr(d4field(merge, name),
                                        Module1::FieldStr(d4field(customers, name)).trimmed());
            for (const char* name : kCategoryFields)
                Module1::AssignFieldStr(d4field(merge, name),
                                        DB().GetCategoryDesc(qint32(f4long(d4field(customers, name))), categories));
            Module1::AssignFieldStr(d4field(merge, "prodserv"),
                                    DB().CustomerPS(grid.rowData(row), customerPs, categories));
            rc = d4append(merge);
            if (rc >= 0)
                rc = d4flush(merge);
            d4unlock(merge);
            if (rc < 0)
                break;
        }
        if ((row + 1) % 100 == 0 && !wait.goOn()) {
            cancelled = true;
            break;
        }
    }
    if (!cancelled && wait.cancelled())
        cancelled = true;
    if (rc < 0) {
        failure = DB().TakeEngineError(rc);
        Sys().ShowError(QStringLiteral("frmReportDisplay_CreateMailMergeData"), failure);
        return false;
    }
    return !cancelled;
}

// --- E-mail ------------------------------------------------------------------

void frmReportDisplay::cmdEmail_Click()
{
    if (!DB().Perm_ReportsMailEmail())
        return;
    OpenTables tables;
    DATA4* customers = tables.open(DB().CustomerTable());
    if (!customers)
        return;
    const ReportGrid& grid = m_run.grid();
    QString list;
    int missing = 0;
    bool cancelled = false;
    {
        WaitDialog wait(QStringLiteral("Customer Email"), QStringLiteral("Retrieving email addresses. Please wait..."));
        for (int row = 0; row < grid.rowCount(); ++row) {
            const QString address = DB().GetCustomerEmail(grid.rowData(row), customers).trimmed();
            if (!address.isEmpty() && Sys().EmailAddressIsValid(address))
                list += address + QStringLiteral(", ");
            else
                ++missing;
            if ((row + 1) % 100 == 0 && !wait.goOn())
                break;
        }
        wait.goOn();
        cancelled = wait.cancelled();
    }
    if (cancelled)
        return;
    list = list.trimmed();
    if (list.endsWith(QLatin1Char(',')))
        list.chop(1);
    if (missing > 0) {
        m_msgText = QStringLiteral("Email addresses for ") + QString::number(missing) + QStringLiteral(" out of ") +
                    QString::number(grid.rowCount()) +
                    QStringLiteral(" customers either do not exist or are invalid.");
        if (missing >= grid.rowCount()) {
            MsgBox(m_msgText, MsgStyle::Exclamation);
            return;
        }
        m_msgText += QStringLiteral(" Do you wish to continue?");
        if (MsgBox(m_msgText, MsgStyle::YesNoCancel | MsgStyle::Question) != MsgAnswer::Yes)
            return;
    }
    if (list.isEmpty())
        return;
    frmMain* main = mainWindow();
    if (main && main->SendMail(list, QStringLiteral("<<Verify Email Address and Enter Subject>>"), QString()))
        return;
    Sys().ShowMsg(QStringLiteral("Here's a list of email addresses for the displayed customers:") +
                      QStringLiteral("\r\n\r\n") + list,
                  1, -1);
}

// --- Find and zoom ------------------------------------------------------------

void frmReportDisplay::cmdFind_Click()
{
    m_ownsFind = true;
    ReportGridCommands::showFind(this);
}

void frmReportDisplay::Find(const QString& text, bool wholePhrase, bool matchCase, bool&)
{
    ReportGridCommands::find(grd, text, wholePhrase, matchCase);
}

void frmReportDisplay::cmdZoomIn_Click()
{
    if (currentGridRow() < 1) {
        MsgBox(QStringLiteral("Please select a row first!"), MsgStyle::Exclamation);
        return;
    }
    zoomInto(currentGridRow() - 1);
}

void frmReportDisplay::zoomInto(int modelRow)
{
    if (modelRow < 0 || modelRow >= m_run.grid().rowCount())
        return;
    const qint32 rowid = m_run.grid().rowData(modelRow);
    if (rowid < 1)
        return;
    frmMain* main = mainWindow();
    if (!main)
        return;
    if (m_run.reportType() == QLatin1String("C"))
        main->ShowCustomer(rowid, false);
    else if (m_run.reportType() == QLatin1String("I"))
        main->ShowIssue(rowid, -1, false, -1);
    else
        MsgBox(QStringLiteral("Invalid report type!"), MsgStyle::Critical);
}
