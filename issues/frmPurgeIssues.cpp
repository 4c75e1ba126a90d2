#include "issues/frmPurgeIssues.h"

#include "app/ListWindow.h"
#include "app/MainWindow.h"
#include "app/frmMain.h"
#include "common/Product.h"
#include "common/PromptService.h"
#include "common/clsSystem.h"
#include "common/ui/AccessibleNames.h"
#include "common/ui/EnterInList.h"
#include "common/ui/HelpContext.h"
#include "common/ui/NamedControls.h"
#include "common/ui/ObjectTag.h"
#include "common/ui/TabChain.h"
#include "common/ui/WindowRegistry.h"
#include "common/ui/clsSystemUI.h"
#include "common/ui/frmProgress.h"
#include "data/clsDB.h"
#include "data/ui/clsDBUI.h"
#include "issues/IssueListFill.h"
#include "issues/core/IssueListModel.h"
#include "issues/core/PurgeCore.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

constexpr int kTwipsPerPixel = 15;

QLabel* wrapped(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

} // namespace

frmPurgeIssues::frmPurgeIssues(QWidget* parent)
    : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Purge (Delete) Old Issues Wizard"));
    setObjectTag(this, QStringLiteral("PURGEISSUES"));
    m_model = new IssueListModel(PurgeCore::columns());

    frm = {buildBackupStep(), buildCriteriaStep(), buildPreviewStep()};
    cmdHelp = namedButton(this, QStringLiteral("cmdHelp"), QStringLiteral("&Help"));
    cmdPrevious = namedButton(this, QStringLiteral("cmdPrevious"), QStringLiteral("<< &Previous"));
    CancelButton = namedButton(this, QStringLiteral("CancelButton"), QStringLiteral("Cancel"));
    cmdNext = namedButton(this, QStringLiteral("cmdNext"), QStringLiteral("&Next >>"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdHelp);
    buttons->addStretch(1);
    buttons->addWidget(cmdPrevious);
    buttons->addWidget(CancelButton);
    buttons->addWidget(cmdNext);
    auto* layout = new QVBoxLayout(this);
    for (QGroupBox* step : frm)
        layout->addWidget(step, 1);
    layout->addLayout(buttons);
    setTabChain({lblBackup, txtDateSubmit, cmdCalendar, cboStatus, lv, cmdPrintLV, cmdProperties, cmdHelp, cmdPrevious,
                 CancelButton, cmdNext});

    connect(cmdHelp, &QPushButton::clicked, this, [this] { HelpContext::showFor(this); });
    connect(cmdPrevious, &QPushButton::clicked, this, &frmPurgeIssues::cmdPrevious_Click);
    connect(CancelButton, &QPushButton::clicked, this, &frmPurgeIssues::CancelButton_Click);
    connect(cmdNext, &QPushButton::clicked, this, &frmPurgeIssues::cmdNext_Click);
    Form_Load();
}

frmPurgeIssues::~frmPurgeIssues() { delete m_fill; }

bool frmPurgeIssues::busy() const { return m_deleting || m_fill->running(); }

QGroupBox* frmPurgeIssues::buildBackupStep()
{
    auto* box = new QGroupBox(QStringLiteral("Step 1 of 3"), this);
    box->setObjectName(QStringLiteral("frm0"));
    auto* picture = new QLabel(box);
    picture->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32));
    auto* advice = wrapped(QStringLiteral("BACK UP YOUR DATA FIRST! We strongly suggest that you backup your ")
                               + Product::name()
                               + QStringLiteral(" database now, before you purge any old issues... Once you delete "
                                                "issues they cannot be recovered! "),
                           box);
    advice->setObjectName(QStringLiteral("lblAdvice"));
    lblBackup = new QLabel(QStringLiteral("<a href=\"#\">How to backup data?</a>"), box);
    lblBackup->setObjectName(QStringLiteral("lblBackup"));
    lblBackup->setAccessibleName(QStringLiteral("How to backup data?"));
    lblBackup->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    lblBackup->setFocusPolicy(Qt::StrongFocus);
    connect(lblBackup, &QLabel::linkActivated, this, &frmPurgeIssues::lblBackup_Click);
    auto* goOn = wrapped(QStringLiteral("If you would like to continue to purge/delete old issues press \"Next >>\" "
                                        "button or press \"Cancel\" to quit..."),
                         box);
    auto* grid = new QGridLayout(box);
    grid->addWidget(picture, 0, 0, Qt::AlignTop);
    grid->addWidget(advice, 0, 1);
    grid->addWidget(lblBackup, 1, 1);
    grid->addWidget(goOn, 2, 1);
    grid->setRowStretch(3, 1);
    return box;
}

QGroupBox* frmPurgeIssues::buildCriteriaStep()
{
    auto* box = new QGroupBox(QStringLiteral("Step 2 of 3"), this);
    box->setObjectName(QStringLiteral("frm1"));
    auto* dateLabel = new QLabel(QStringLiteral("Issue Submit Date:"), box);
    txtDateSubmit = new QLineEdit(box);
    txtDateSubmit->setObjectName(QStringLiteral("txtDateSubmit"));
    txtDateSubmit->setMaxLength(18);
    dateLabel->setBuddy(txtDateSubmit);
    cmdCalendar = namedButton(box, QStringLiteral("cmdCalendar"), QStringLiteral("..."));
    cmdCalendar->setToolTip(QStringLiteral("View calendar"));
    cmdCalendar->setAccessibleName(QStringLiteral("View calendar"));
    connect(cmdCalendar, &QPushButton::clicked, this, &frmPurgeIssues::cmdCalendar_Click);
    auto* dateHint = wrapped(
        QStringLiteral("Enter a cutoff submit date for issues that need to be deleted. For example, if you enter "
                       "12/31/1990, you can delete all issues submitted on or before 12/31/1990 if they meet the "
                       "\"Issue Status Criteria\" below."),
        box);
    auto* statusLabel = new QLabel(QStringLiteral("Issue Status Criteria:"), box);
    cboStatus = new QComboBox(box);
    cboStatus->setObjectName(QStringLiteral("cboStatus"));
    statusLabel->setBuddy(cboStatus);
    auto* statusHint = wrapped(
        QStringLiteral("Select status of the issues that needs to be included in deletion. For example, if you "
                       "select an issue status of \"Closed\" then all  issues that have a status of \"Closed\" and "
                       "have a submit date that is on or before the date stated above, will be permanently deleted."),
        box);
    auto* grid = new QGridLayout(box);
    auto* date = new QHBoxLayout;
    date->addWidget(txtDateSubmit, 1);
    date->addWidget(cmdCalendar);
    grid->addWidget(dateLabel, 0, 0);
    grid->addLayout(date, 0, 1);
    grid->addWidget(dateHint, 1, 0, 1, 2);
    grid->addWidget(statusLabel, 2, 0);
    grid->addWidget(cboStatus, 2, 1);
    grid->addWidget(statusHint, 3, 0, 1, 2);
    grid->setRowStretch(4, 1);
    return box;
}

QGroupBox* frmPurgeIssues::buildPreviewStep()
{
    auto* box = new QGroupBox(QStringLiteral("Step 3 of 3"), this);
    box->setObjectName(QStringLiteral("frm2"));
    lblPreview = new QLabel(QStringLiteral("Here's a preview of all issues that will be deleted..."), box);
    lblPreview->setObjectName(QStringLiteral("lblPreview"));
    lblCriteria = wrapped(QString(), box);
    lblCriteria->setObjectName(QStringLiteral("lblCriteria"));
    lv = makeListView(box, m_model);
    AccessibleNames::nameByLabel(lv, lblPreview);
    onEnterInList(lv, [this] { cmdProperties_Click(); });
    m_fill = new IssueListFill(lv, m_model);
    connect(lv, &QTreeView::doubleClicked, this, &frmPurgeIssues::cmdProperties_Click);
    lblNumIssues = new QLabel(box);
    lblNumIssues->setObjectName(QStringLiteral("lblNumIssues"));
    cmdPrintLV = namedButton(box, QStringLiteral("cmdPrintLV"), QStringLiteral("Print"));
    cmdProperties = namedButton(box, QStringLiteral("cmdProperties"), QStringLiteral("Properties"));
    connect(cmdPrintLV, &QPushButton::clicked, this, &frmPurgeIssues::cmdPrintLV_Click);
    connect(cmdProperties, &QPushButton::clicked, this, &frmPurgeIssues::cmdProperties_Click);
    lblPurgeNow = new QLabel(QStringLiteral("Press \"Purge Now\" to delete these issues or press cancel to quit..."), box);
    lblPurgeNow->setObjectName(QStringLiteral("lblPurgeNow"));
    auto* commands = new QHBoxLayout;
    commands->addWidget(lblNumIssues, 1);
    commands->addWidget(cmdPrintLV);
    commands->addWidget(cmdProperties);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(lblPreview);
    layout->addWidget(lblCriteria);
    layout->addWidget(lv, 1);
    layout->addLayout(commands);
    layout->addWidget(lblPurgeNow);
    return box;
}

void frmPurgeIssues::Form_Load()
{
    HelpContext::set(this, 1510);
    m_step = 0;
    resize(6375 / kTwipsPerPixel, 4950 / kTwipsPerPixel);
    DBUI().LoadCbo(cboStatus, DB().CategoryTable(), QStringLiteral("rowid"), QStringLiteral("desc"),
                   QStringLiteral("type"), 101, true, false, -1);
    cboStatus->setCurrentIndex(-1);
    m_model->setHeadings(PurgeCore::headings());
    const int widths[] = {1000, 1200, 1440, 4000};
    for (int column = 0; column < 4; ++column)
        lv->setColumnWidth(column, widths[column] / kTwipsPerPixel);
    if (const frmMain* main = mainWindow(); main && main->SysImageList.size() > 4)
        m_model->setIcon(main->SysImageList.at(4));
    DisplayFrame();
}

void frmPurgeIssues::DisplayFrame()
{
    for (QGroupBox* step : frm)
        step->hide();
    frm[size_t(m_step)]->show();
    cmdNext->setText(QStringLiteral("Next >>"));
    if (m_step == 2) {
        cmdNext->setText(QStringLiteral("Purge Now"));
        lblCriteria->setText(QStringLiteral("Issues submitted on or before ") + txtDateSubmit->text()
                             + QStringLiteral(" with an issue status of '") + cboStatus->currentText()
                             + QLatin1Char('\''));
        LoadLV();
        lblNumIssues->setText(QString::number(m_model->rowCount()) + QStringLiteral(" issue(s)"));
    }
    cmdPrevious->setEnabled(m_step != 0);
}

bool frmPurgeIssues::Validate()
{
    if (m_step != 1)
        return true;
    QString faults;
    const QString date = Sys().trimBlanks(txtDateSubmit->text());
    if (date.isEmpty())
        faults += QStringLiteral("  - Issue Submit Date must be entered.") + Sys().CRLF();
    else if (Sys().CBDateFormat(date).isEmpty())
        faults += QStringLiteral("  - Issue Submit Date is not a valid date.") + Sys().CRLF();
    if (cboStatus->currentIndex() < 0)
        faults += QStringLiteral("  - Issue Status Criteria must be selected.") + Sys().CRLF();
    if (faults.isEmpty())
        return true;
    Sys().ShowMsg(QStringLiteral("Please correct the following errors before proceeding:") + Sys().CRLF(2) + faults,
                  3, -1);
    return false;
}

void frmPurgeIssues::LoadLV()
{
    if (m_fill->running())
        return;
    DATA4* issues = DB().OpenTable(DB().IssuesTable());
    if (!issues)
        return;
    m_fill->begin();
    m_model->clear();
    lv->header()->setSortIndicatorShown(false);
    LoadIssues(issues);
    // Sorted once at the end: the issue numbers in text order.
    m_model->sort(0, Qt::AscendingOrder);
    lv->header()->setSortIndicatorShown(true);
    lv->header()->setSortIndicator(0, Qt::AscendingOrder);
    if (m_fill->tablesStillOpen())
        d4close(issues);
    m_fill->end();
    if (m_fill->closeAfterFill())
        CancelButton_Click();
}

void frmPurgeIssues::LoadIssues(DATA4* issues)
{
    lblNumIssues->setText(QString());
    const QString cutoff = Sys().CBDateFormat(txtDateSubmit->text());
    const qint32 status = SysUI().cboGetItemID(cboStatus);
    const QString statusText = cboStatus->currentText();
    m_fill->run(QStringLiteral("Displaying issues that meet the criteria. Please wait..."), false,
                QStringLiteral("frmPurgeIssues_LoadIssues"), [&](const IssueWalk::Yield& yield) {
        return PurgeCore::LoadIssues(issues, status, statusText, cutoff, *m_model, yield).error;
    });
}

void frmPurgeIssues::PurgeIssues()
{
    if (m_model->rowCount() == 0) {
        MsgBox(QStringLiteral("Currently, there are no issues to purge/delete that meet your criteria."),
               MsgStyle::OkOnly | MsgStyle::Information, Product::name());
        return;
    }
    if (MsgBox(QStringLiteral("Are you sure you want to PERMANENTLY DELETE the displayed issues?"),
               MsgStyle::YesNoCancel | MsgStyle::Question | MsgStyle::DefaultButton2,
               QStringLiteral("Delete Confirmation"))
        != MsgAnswer::Yes)
        return;
    cmdNext->setEnabled(false);
    cmdPrevious->setEnabled(false);
    lblPurgeNow->hide();
    lblPreview->hide();
    lblNumIssues->hide();
    CancelButton->setText(QStringLiteral("Finish"));
    DeleteIssues();
    m_model->clear();
    QString text = QString::number(m_deletion.deleted) + QStringLiteral(" issues have been deleted!");
    if (!m_deletion.left.isEmpty()) {
        QStringList ids;
        for (const qint32 id : std::as_const(m_deletion.left))
            ids.append(QString::number(id));
        text += Sys().CRLF(2) + QStringLiteral("Not deleted (locked by another user): ") + ids.join(QStringLiteral(", "));
    }
    MsgBox(text, MsgStyle::OkOnly | MsgStyle::Information, Product::name());
}

void frmPurgeIssues::DeleteIssues()
{
    QList<qint32> ids;
    ids.reserve(m_model->rowCount());
    for (int row = 0; row < m_model->rowCount(); ++row)
        ids.append(m_model->rowId(row));
    m_deleting = true;
    frmProgress* wait = nullptr;
    SysUI().WaitDlgShow(wait, QStringLiteral("Deleting Issues"), QStringLiteral("Please wait..."), true, false);
    m_deletion = PurgeCore::DeleteIssues(ids, *wait);
    SysUI().WaitDlgRemove(wait);
    m_deleting = false;
}

void frmPurgeIssues::cmdNext_Click()
{
    if (busy() || !Validate())
        return;
    if (m_step == 2) {
        PurgeIssues();
        return;
    }
    ++m_step;
    DisplayFrame();
}

void frmPurgeIssues::cmdPrevious_Click()
{
    if (busy())
        return;
    m_step = std::max(0, m_step - 1);
    DisplayFrame();
}

void frmPurgeIssues::CancelButton_Click() { WindowRegistry::current().closeForm(this); }

void frmPurgeIssues::cmdCalendar_Click()
{
    if (frmMain* main = mainWindow()) {
        const QString chosen = main->GetShortDateFromPopupCalendar(txtDateSubmit->text());
        if (!chosen.isEmpty())
            txtDateSubmit->setText(chosen);
    }
    SysUI().CtlSetFocus(txtDateSubmit);
}

void frmPurgeIssues::lblBackup_Click()
{
    if (const frmMain* main = mainWindow())
        Sys().ShowMsg(main->BackupMsg(DB().DBPath()), 1, -1);
}

void frmPurgeIssues::cmdPrintLV_Click()
{
    if (busy())
        return;
    SysUI().ListViewPrint_GetPrinter(lv, lblCriteria->text());
    SysUI().CtlSetFocus(lv);
}

void frmPurgeIssues::cmdProperties_Click()
{
    if (busy())
        return;
    openSelectedIssue(lv);
}

void frmPurgeIssues::closeEvent(QCloseEvent* event)
{
    if (m_deleting) {
        event->ignore();
        return;
    }
    if (m_fill->putOffClose(event))
        return;
    event->accept();
}

