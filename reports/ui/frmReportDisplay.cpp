#include "reports/ui/frmReportDisplay.h"

#include "app/MainWindow.h"
#include "app/frmMain.h"
#include "common/Product.h"
#include "common/PromptService.h"
#include "common/WaitCursor.h"
#include "common/clsSystem.h"
#include "common/ui/HelpContext.h"
#include "common/ui/ObjectTag.h"
#include "common/ui/TabChain.h"
#include "common/ui/WindowRegistry.h"
#include "common/ui/clsSystemUI.h"
#include "common/ui/frmFind.h"
#include "common/ui/frmProgress.h"
#include "data/clsDB.h"
#include "reports/MailMerge.h"
#include "reports/OpenTables.h"
#include "reports/ui/ReportGridCommands.h"
#include "reports/ui/ReportGridModel.h"
#include "xbase/c4.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QVBoxLayout>

#include <utility>

namespace {

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

// The wait dialog as the progress of work in the report core.
class WaitProgress final : public Progress {
public:
    explicit WaitProgress(WaitDialog& dialog) : m_dialog(dialog) {}
    bool report(int) override { return m_dialog.goOn(); }
    void setMessage(const QString&) override {}

private:
    WaitDialog& m_dialog;
};

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

    m_model = std::make_unique<ReportGridModel>(m_run.grid());
    grd = ReportGridCommands::newGrid(this, m_model.get(), QStringLiteral("Report"));
    // Columns are fitted to the rows that a window on this screen can show
    // (the first ones, where the grid opens), not to a sample of every row:
    // with many rows that would keep the program from the user.
    const int rowHeight = qMax(1, grd->verticalHeader()->defaultSectionSize());
    const int screenHeight = screen() ? screen()->availableGeometry().height() : 1080;
    grd->horizontalHeader()->setResizeContentsPrecision(qMax(1, screenHeight / rowHeight));

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
    WaitCursor busy;
    SetTagVariant();
    const bool read = m_run.LoadData(m_rptId);
    SetWindowCaption();
    busy.done();
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
        WaitProgress relay(wait);
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
    const WaitCursor busy;
    grid.sortBy(column);
    m_model->reload();
    ReportGridCommands::selectCell(grd, 0, column);
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
        MsgBox(fileName + QStringLiteral(" has been created!"), MsgStyle::Information);
    }
}

bool frmReportDisplay::CreateMailMergeData(const QString& fileName)
{
    if (MailMerge::refuses(fileName))
        return false;
    WaitDialog wait(QStringLiteral("Mail Merge Data"), QStringLiteral("Creating Mail Merge Data file. Please wait..."));
    WaitProgress progress(wait);
    const bool written = MailMerge::write(m_run.grid(), fileName, progress);
    return written && !wait.cancelled();
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
        const QString counted = QStringLiteral("Email addresses for ") + QString::number(missing) +
                                QStringLiteral(" out of ") + QString::number(grid.rowCount()) +
                                QStringLiteral(" customers either do not exist or are invalid.");
        if (missing >= grid.rowCount()) {
            MsgBox(counted, MsgStyle::Exclamation);
            return;
        }
        if (MsgBox(counted + QStringLiteral(" Do you wish to continue?"), MsgStyle::YesNoCancel | MsgStyle::Question)
            != MsgAnswer::Yes)
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
