#include "issues/frmIssueAction.h"

#include "common/WaitCursor.h"
#include "issues/IssueControls.h"

#include "app/RecordControls.h"
#include "app/RecordFrame.h"
#include "common/Module1.h"
#include "common/PromptService.h"
#include "common/clsSystem.h"
#include "common/ui/ObjectTag.h"
#include "common/ui/TabChain.h"
#include "common/ui/clsSystemUI.h"
#include "data/DbNotices.h"
#include "data/RecColl.h"
#include "data/Schema.h"
#include "data/clsDB.h"
#include "data/ui/FieldBox.h"
#include "data/ui/clsDBUI.h"
#include "xbase/IndexC4.h"
#include "xbase/c4.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

using RecordControls::editable;

QLabel* label(QWidget* parent, const QString& caption, QWidget* buddy)
{
    auto* l = new QLabel(caption, parent);
    l->setBuddy(buddy);
    return l;
}

} // namespace

frmIssueAction::frmIssueAction(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmIssueAction"));
    setWindowTitle(QStringLiteral("Issue Action"));
    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));

    auto* tab0 = new QWidget;
    txtDate = editable(new QLineEdit(tab0), "txtDate");
    txtDate->setMaxLength(18);
    cmdCalendar = RecordControls::calendarButton(tab0, "cmdCalendar", QStringLiteral("action date"));
    cboAction = editable(new QComboBox(tab0), "cboAction");
    cmdCatStatus = RecordControls::listButton(tab0, "cmdCatStatus", QStringLiteral("issue actions"));
    cboAssignedTo = editable(new QComboBox(tab0), "cboAssignedTo");
    txtDesc = editable(FieldBox::textBox(tab0, Schema::Table::IActions, "desc"), "txtDesc");
    txtDesc->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtDesc->setTabChangesFocus(true);
    txtDuration = editable(new QLineEdit(tab0), "txtDuration");
    txtDuration->setMaxLength(20);
    txtDuration->setAlignment(Qt::AlignRight);

    auto* grid = new QGridLayout(tab0);
    using RecordControls::row;
    grid->addWidget(label(tab0, QStringLiteral("Date:"), txtDate), 0, 0);
    grid->addLayout(row(txtDate, cmdCalendar), 0, 1);
    grid->addWidget(label(tab0, QStringLiteral("Action:"), cboAction), 1, 0);
    grid->addLayout(row(cboAction, cmdCatStatus), 1, 1);
    grid->addWidget(label(tab0, QStringLiteral("By:"), cboAssignedTo), 2, 0);
    grid->addWidget(cboAssignedTo, 2, 1);
    grid->addWidget(label(tab0, QStringLiteral("Description:"), txtDesc), 3, 0, Qt::AlignTop);
    grid->addWidget(txtDesc, 3, 1);
    grid->addWidget(label(tab0, QStringLiteral("Duration:"), txtDuration), 4, 0);
    grid->addWidget(txtDuration, 4, 1);
    grid->setColumnStretch(1, 1);
    SSTab1->addTab(tab0, QStringLiteral("&Action"));

    auto* tab1 = new QWidget;
    txtNote = editable(FieldBox::textBox(tab1, Schema::Table::IActions, "notes"), "txtNote");
    txtNote->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtNote->setAccessibleName(QStringLiteral("Notes"));
    cmdDTStamp_Desc = editable(new QPushButton(QStringLiteral("Date-Time Sta&mp"), tab1), "cmdDTStamp_Desc");
    auto* notes = new QVBoxLayout(tab1);
    auto* top = new QHBoxLayout;
    top->addStretch(1);
    top->addWidget(cmdDTStamp_Desc);
    notes->addLayout(top);
    notes->addWidget(txtNote, 1);
    SSTab1->addTab(tab1, QStringLiteral("&Notes"));

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    auto* main = new QVBoxLayout(this);
    main->addWidget(SSTab1, 1);
    main->addLayout(buttons);

    setTabChain({SSTab1, txtDate, cmdCalendar, cboAction, cmdCatStatus, cboAssignedTo, txtDesc, txtDuration,
                 cmdDTStamp_Desc, txtNote, OKButton, CancelButton});
    OKButton->setDefault(true);

    connect(OKButton, &QPushButton::clicked, this, [this] { OKButton_Click(); });
    connect(CancelButton, &QPushButton::clicked, this, [this] { CancelButton_Click(); });
    connect(cmdCalendar, &QPushButton::clicked, this, [this] { cmdCalendar_Click(); });
    connect(cmdCatStatus, &QPushButton::clicked, this, [this] { cmdCatStatus_Click(); });
    connect(cmdDTStamp_Desc, &QPushButton::clicked, this, [this] { cmdDTStamp_Desc_Click(); });
    // Enter makes a new line in the notes, so OK is not the default there.
    connect(SSTab1, &QTabWidget::currentChanged, this, [this](int tab) {
        OKButton->setDefault(tab == 0);
        OKButton->setAutoDefault(tab == 0);
    });
    SSTab1->setCurrentIndex(0);
}

void frmIssueAction::Init(qint32 ActionID, qint32 IssueID, int Mode)
{
    m_actionId = ActionID;
    m_issueId = IssueID;
    m_mode = Mode;
    LoadData();
}

void frmIssueAction::LoadData()
{
    InitCtls();
    if (m_actionId > 0)
        ReadData();
    SetUI();
}

void frmIssueAction::loadActions(qint32 selectId)
{
    DBUI().LoadCbo(cboAction, DB().CategoryTable(), QStringLiteral("rowid"), QStringLiteral("desc"),
                   QStringLiteral("type"), 106, true, false, -1);
    cboAction->setCurrentIndex(-1);
    SysUI().cboSelectAtID(cboAction, selectId);
}

void frmIssueAction::InitCtls()
{
    txtDate->setText(Sys().CurrDateShort());
    txtDuration->setText(QStringLiteral("0.00"));
    txtDesc->clear();
    txtNote->clear();
    cboAction->clear();
    cboAssignedTo->clear();
    loadActions(-1);
    DBUI().LoadCbo_Users(cboAssignedTo, true, true);
    cboAssignedTo->setCurrentIndex(-1);
    SysUI().cboSelectAtID(cboAssignedTo, DB().LoginID());
}

void frmIssueAction::ReadData()
{
    const WaitCursor busy;
    DATA4* table = DB().OpenTable(DB().IssuesActionsTable());
    if (!table) {
        return;
    }
    FIELD4 *issueid, *date, *desc, *action, *perfby, *duration, *notes;
    if (!IssueControls::prepareTable(table, "rowid",
                                     {{&issueid, "issueid"}, {&date, "date"}, {&desc, "desc"}, {&action, "action"},
                                      {&perfby, "perfby"}, {&duration, "duration"}, {&notes, "notes"}},
                                     QStringLiteral("frmIssueAction_ReadData"))) {
        d4close(table);
        return;
    }
    if (d4seekDouble(table, double(m_actionId)) == 0) {
        m_issueId = qint32(f4long(issueid));
        txtDate->setText(Sys().DBDateToDislayDate(Module1::FieldStr(date).trimmed(), QStringLiteral("Short Date")));
        txtDesc->setPlainText(Module1::FieldStr(desc).trimmed());
        SysUI().cboSelectAtID(cboAction, qint32(f4long(action)));
        // The stored performer, also one no longer active (listed for this
        // action), so that a save keeps him; none when the row names nobody.
        cboAssignedTo->setCurrentIndex(-1);
        IssueControls::selectUser(cboAssignedTo, qint32(f4long(perfby)));
        txtDuration->setText(QLocale().toString(f4double(duration), 'f', 2));
        txtNote->setPlainText(Module1::MemoFieldStr(notes).trimmed());
    }
    d4close(table);
}

void frmIssueAction::SetUI()
{
    const bool locked = m_mode == ViewMode || m_mode == DeleteMode;
    SysUI().LockControls(this, locked, QStringLiteral("E"));
    switch (m_mode) {
    case AddMode: setWindowTitle(QStringLiteral("Add Issue Action")); break;
    case EditMode: setWindowTitle(QStringLiteral("Edit Issue Action")); break;
    case ViewMode: setWindowTitle(QStringLiteral("View Issue Action")); break;
    case DeleteMode: setWindowTitle(QStringLiteral("Delete Issue Action")); break;
    default: break;
    }
    CancelButton->setVisible(m_mode != ViewMode);
    OKButton->setText(m_mode == ViewMode ? QStringLiteral("Close")
                      : m_mode == DeleteMode ? QStringLiteral("DELETE")
                                             : QStringLiteral("OK"));
}

void frmIssueAction::NoIssueMsg()
{
    Sys().ShowMsg(QStringLiteral("The Issue record to which this Action record belongs to no longer exists or is "
                                 "inaccessible."),
                  3, -1);
}

bool frmIssueAction::Validate()
{
    const QString crlf2 = Sys().CRLF(2);
    QString faults;
    const QString date = txtDate->text().trimmed();
    if (date.isEmpty())
        faults += QStringLiteral("  - DATE must be entered.") + crlf2;
    else if (!Sys().isDate(date))
        faults += QStringLiteral("  - DATE entered is not a valid date.") + crlf2;
    if (cboAction->currentIndex() < 0)
        faults += QStringLiteral("  - ACTION must be selected.") + crlf2;
    // The same test as the data store's number writer, so that a value that
    // passes here is the value written.
    const QString duration = txtDuration->text();
    if (!duration.isEmpty() && !Sys().isNumeric(duration))
        faults += QStringLiteral("  - DURATION must be numeric.") + crlf2;
    if (faults.isEmpty())
        return true;
    Sys().ShowMsg(QStringLiteral("Please correct the following data entry fields:") + crlf2 + faults, 3, -1);
    return false;
}

bool frmIssueAction::SaveData()
{
    const WaitCursor busy;
    if (!Validate())
        return false;
    const QString rowid = QStringLiteral("rowid");
    if (DB().RecordExists(2, m_issueId, DB().IssuesTable(), rowid, rowid) < 1) {
        NoIssueMsg();
        return false;
    }
    if (m_actionId > 0 && DB().RecordExists(2, m_actionId, DB().IssuesActionsTable(), rowid, rowid) < 1) {
        Sys().ShowMsg(DbNotice::recordGone(), 3, -1);
        return false;
    }
    RecColl coll(DB().IssuesActionsTable(), m_actionId, QStringLiteral("_issueaction"));
    coll.set(QStringLiteral("_tablename"), Schema::dataFileName(Schema::Table::IActions));
    coll.add(QStringLiteral("issueid"), m_issueId);
    coll.add(QStringLiteral("date"), txtDate->text());
    coll.add(QStringLiteral("action"), SysUI().cboGetItemID(cboAction));
    coll.add(QStringLiteral("perfby"), SysUI().cboGetItemID(cboAssignedTo));
    coll.add(QStringLiteral("desc"), IssueControls::storedText(txtDesc));
    // A cleared duration is stored as none, not left as it was.
    const QString duration = txtDuration->text().trimmed();
    coll.add(QStringLiteral("duration"), duration.isEmpty() ? QStringLiteral("0") : duration);
    coll.add(QStringLiteral("notes"), IssueControls::storedText(txtNote));
    const bool saved = DB().SaveRecord(coll, false);
    if (saved)
        m_actionId = coll.value(QStringLiteral("_rowid")).toInt();
    coll.clear();
    return saved;
}

bool frmIssueAction::DeleteRecord()
{
    const int style = MsgStyle::YesNoCancel + MsgStyle::Question + MsgStyle::DefaultButton2;
    if (MsgBox(QStringLiteral("Are you sure you want to delete this Issue Action?"), style) != MsgAnswer::Yes)
        return false;
    return DB().DeleteRecord(m_actionId, DB().IssuesActionsTable());
}

void frmIssueAction::OKButton_Click()
{
    bool ok = true;
    if (m_mode == AddMode || m_mode == EditMode)
        ok = SaveData();
    else if (m_mode == DeleteMode)
        ok = DeleteRecord();
    if (!ok)
        return;
    Saved = m_mode != ViewMode;
    hide();
    done(Saved ? QDialog::Accepted : QDialog::Rejected);
}

void frmIssueAction::CancelButton_Click()
{
    Saved = false;
    hide();
    done(QDialog::Rejected);
}

void frmIssueAction::reject() { CancelButton_Click(); }

void frmIssueAction::cmdCalendar_Click()
{
    const QString picked = RecordFrame::calendar()(txtDate->text());
    if (!picked.isEmpty())
        txtDate->setText(picked);
    SysUI().CtlSetFocus(txtDate);
}

void frmIssueAction::cmdCatStatus_Click()
{
    const qint32 selected = SysUI().cboGetItemID(cboAction);
    RecordFrame::listEditor()(CatType::IssueAction);
    loadActions(selected);
    SysUI().CtlSetFocus(cboAction);
}

void frmIssueAction::cmdDTStamp_Desc_Click()
{
    RecordFrame::insertStamp(txtNote);
}
