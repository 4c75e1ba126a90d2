#include "reports/ui/frmProductReportDisplay.h"

#include "app/MainWindow.h"
#include "app/clsCustomLabels.h"
#include "app/frmMain.h"
#include "common/Clock.h"
#include "common/PromptService.h"
#include "common/WaitCursor.h"
#include "common/clsSystem.h"
#include "common/ui/HelpContext.h"
#include "common/ui/ObjectTag.h"
#include "common/ui/TabChain.h"
#include "common/ui/WindowRegistry.h"
#include "common/ui/clsSystemUI.h"
#include "common/ui/FitColumns.h"
#include "common/ui/frmFind.h"
#include "reports/ui/ReportGridCommands.h"
#include "reports/ui/ReportGridModel.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <utility>

namespace {

// Lets the user act while the table is read; stops the walk once the
// window is asked to close.
class YieldToUser final : public Progress {
public:
    explicit YieldToUser(const bool& stop) : m_stop(stop) {}
    bool report(int) override
    {
        QCoreApplication::processEvents();
        return !m_stop;
    }
    void setMessage(const QString&) override {}

private:
    const bool& m_stop;
};

} // namespace

frmProductReportDisplay::frmProductReportDisplay(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("frmProductReportDisplay"));
    setWindowTitle(QStringLiteral("Product/Service Report"));
    resize(900, 500); // room for a report's many columns; the user may maximize
    HelpContext::set(this, kHelpContext);

    m_model = new ReportGridModel(m_run.grid(), this);
    grd = ReportGridCommands::newGrid(this, m_model, QStringLiteral("Product/Service Report"));

    cmdFind = new QPushButton(QStringLiteral("&Find"), this);
    cmdZoomIn = new QPushButton(QStringLiteral("&Zoom In"), this);
    cmdRefresh = new QPushButton(QStringLiteral("R&efresh"), this);
    cmdSaveAs = new QPushButton(QStringLiteral("&Save As"), this);
    cmdPrint = new QPushButton(QStringLiteral("Print"), this);
    CancelButton = new QPushButton(QStringLiteral("Close"), this);
    const std::pair<QPushButton*, const char*> buttons[] = {
        {cmdFind, "cmdFind"},     {cmdZoomIn, "cmdZoomIn"}, {cmdRefresh, "cmdRefresh"},
        {cmdSaveAs, "cmdSaveAs"}, {cmdPrint, "cmdPrint"},   {CancelButton, "CancelButton"},
    };
    for (const auto& [button, name] : buttons) {
        button->setObjectName(QLatin1String(name));
        button->setAutoDefault(false);
    }
    cmdZoomIn->setToolTip(QStringLiteral("Open selected record"));
    lblCount = new QLabel(this);
    lblCount->setObjectName(QStringLiteral("lblCount"));

    connect(cmdFind, &QPushButton::clicked, this, &frmProductReportDisplay::cmdFind_Click);
    connect(cmdZoomIn, &QPushButton::clicked, this, &frmProductReportDisplay::cmdZoomIn_Click);
    connect(cmdRefresh, &QPushButton::clicked, this, &frmProductReportDisplay::LoadData);
    connect(cmdSaveAs, &QPushButton::clicked, this, &frmProductReportDisplay::cmdSaveAs_Click);
    connect(cmdPrint, &QPushButton::clicked, this, &frmProductReportDisplay::cmdPrint_Click);
    connect(CancelButton, &QPushButton::clicked, this, [this] { WindowRegistry::current().closeForm(this); });
    connect(grd->horizontalHeader(), &QHeaderView::sectionClicked, this, &frmProductReportDisplay::SortByColumn);
    connect(grd, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid() && !m_running)
            zoomInto(index.row());
    });

    auto* bar = new QHBoxLayout;
    for (QPushButton* button : {cmdFind, cmdZoomIn, cmdRefresh, cmdSaveAs, cmdPrint, CancelButton})
        bar->addWidget(button);
    bar->addStretch();
    bar->addWidget(lblCount);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(grd, 1);
    layout->addLayout(bar);
    setTabChain({grd, cmdFind, cmdZoomIn, cmdRefresh, cmdSaveAs, cmdPrint, CancelButton});

    // Any window that the find dialog served lets go of it.
    frmFind::instance().hide();
}

frmProductReportDisplay::~frmProductReportDisplay()
{
    if (m_ownsFind)
        ReportGridCommands::hideFind(this, true);
    // The grid goes before the rows its model reads: a window still shown
    // hides its children after its own members are gone.
    delete grd;
    delete m_model;
}

void frmProductReportDisplay::closeEvent(QCloseEvent* event)
{
    if (m_running) {
        // The run lets go of the tables first; the window closes after it.
        m_closeAfterRun = true;
        event->ignore();
        return;
    }
    if (m_ownsFind)
        ReportGridCommands::hideFind(this, false);
    QWidget::closeEvent(event);
}

// Esc anywhere in the window that no control takes for itself is Close.
void frmProductReportDisplay::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        CancelButton->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void frmProductReportDisplay::Init(qint32 PSID, qint32 Active, const QString& Custom1, const QString& Custom2)
{
    m_title = QStringLiteral("[Product/Service Report] @ ") + Sys().CurrTimeAMPM();
    lblCount->clear();
    m_filters = PSReportFilters{PSID, Active, Custom1, Custom2};
    LoadData();
    SetUI();
}

void frmProductReportDisplay::SetTagVariant() { setObjectTag(this, Sys().CurrTimeAMPM()); }

void frmProductReportDisplay::SetWindowCaption() { setWindowTitle(m_title); }

void frmProductReportDisplay::FocusOnGrid() { SysUI().CtlSetFocus(grd); }

void frmProductReportDisplay::LoadData()
{
    if (m_running)
        return;
    WaitCursor busy;
    SetTagVariant();
    SetWindowCaption();
    busy.done();
    DisplayReportData();
}

void frmProductReportDisplay::setCommandsEnabled(bool enabled)
{
    for (QPushButton* button : {cmdFind, cmdZoomIn, cmdRefresh, cmdSaveAs, cmdPrint})
        button->setEnabled(enabled);
}

void frmProductReportDisplay::DisplayReportData()
{
    QStringList labels;
    for (const QString& field : PSReportRun::labelledFields())
        labels.append(CustomLabels().GetPSLabelName(field, false));
    m_running = true;
    setCommandsEnabled(false);
    WaitCursor busy;
    m_run.InitGrid(labels);
    m_model->reload();
    YieldToUser yield(m_closeAfterRun);
    yield.report(-1);
    (void)m_run.DisplayRowData(m_filters, Clock::today(), yield);
    yield.report(-1);
    m_run.SortAndNumber();
    // The view still holds no rows: the sorted rows reach it after a turn
    // of the event loop, so that the sort and their layout are two waits.
    yield.report(-1);
    m_model->reload();
    busy.done();
    m_running = false;
    setCommandsEnabled(true);
    if (m_closeAfterRun) {
        WindowRegistry::current().closeForm(this);
        return;
    }
    // Sized first, so that the first cell is scrolled into view at its
    // final width; to the rows in view, as a hundred thousand rows would
    // keep the window waiting.
    fitColumnsToRowsInView(grd);
    if (m_run.grid().rowCount() >= 1) {
        ReportGridCommands::selectCell(grd, 0, 1);
        grd->scrollTo(grd->model()->index(0, 0)); // the row numbers in view too
    }
    FocusOnGrid();
}

void frmProductReportDisplay::SortByColumn(int column)
{
    ReportGrid& grid = m_run.grid();
    if (m_running || grid.rowCount() < 1 || column < 0 || column >= grid.columnCount())
        return;
    WaitCursor busy;
    grid.sortBy(column);
    m_model->reload();
    ReportGridCommands::selectCell(grd, 0, column);
}

void frmProductReportDisplay::cmdFind_Click()
{
    m_ownsFind = true;
    ReportGridCommands::showFind(this);
}

void frmProductReportDisplay::Find(const QString& text, bool wholePhrase, bool matchCase, bool&)
{
    if (!m_running)
        ReportGridCommands::find(grd, text, wholePhrase, matchCase);
}

void frmProductReportDisplay::cmdPrint_Click() { ReportGridCommands::print(grd, m_title, true); }

void frmProductReportDisplay::cmdSaveAs_Click()
{
    SysUI().SaveGrid(grd);
    FocusOnGrid();
}

void frmProductReportDisplay::cmdZoomIn_Click()
{
    const QModelIndex current = grd->currentIndex();
    if (!current.isValid()) {
        MsgBox(QStringLiteral("Please select a row first!"), MsgStyle::Exclamation);
        return;
    }
    zoomInto(current.row());
}

void frmProductReportDisplay::zoomInto(int row)
{
    const ReportGrid& grid = m_run.grid();
    if (row < 0 || row >= grid.rowCount())
        return;
    const qint32 psId = grid.rowData(row);
    const qint32 custId = grid.text(row, 2).toInt();
    auto* main = mainWindow();
    if (psId > 0 && main)
        main->ShowPS(psId, custId, false);
}
