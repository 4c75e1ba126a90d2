#include "issues/IssueActionsCtl.h"

#include "common/WaitCursor.h"
#include "issues/IssueControls.h"
#include "issues/frmIssueAction.h"

#include "app/ModalWindows.h"
#include "common/Module1.h"
#include "common/Product.h"
#include "common/PromptService.h"
#include "common/clsSystem.h"
#include "common/ui/WindowRegistry.h"
#include "common/ui/YieldPacer.h"
#include "common/ui/clsSystemUI.h"
#include "data/clsDB.h"
#include "xbase/IndexC4.h"
#include "xbase/c4.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <cmath>

namespace {

// Share of the list's width per column, in percent; the last column gives
// up room for the scroll bar.
constexpr int kColumnShare[] = {15, 20, 15, 35, 15};

QString durationText(double value) { return QLocale().toString(value, 'f', 2); }

QString shortDate(FIELD4* field)
{
    return Sys().DBDateToDislayDate(Module1::FieldStr(field).trimmed(), QStringLiteral("Short Date"));
}

const QString kLight = QStringLiteral("QTreeWidget { background-color: #FFFFC0; }");
const QString kWhite = QStringLiteral("QTreeWidget { background-color: #FFFFFF; }");

} // namespace

IssueActionsCtl::IssueActionsCtl(QWidget* parent)
    : QWidget(parent)
{
    lv = new QTreeWidget(this);
    lv->setObjectName(QStringLiteral("lv"));
    lv->setAccessibleName(QStringLiteral("Actions"));
    lv->setRootIsDecorated(false);
    lv->setUniformRowHeights(true);
    lv->setAllColumnsShowFocus(true);
    lv->setSelectionMode(QAbstractItemView::SingleSelection);
    lv->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lv->setHeaderLabels({QStringLiteral("Date"), QStringLiteral("Action"), QStringLiteral("By"),
                         QStringLiteral("Description"), QStringLiteral("Duration")});
    lv->headerItem()->setTextAlignment(4, Qt::AlignRight | Qt::AlignVCenter);
    lv->header()->setSectionsClickable(true);
    lv->header()->setStretchLastSection(false);
    lv->installEventFilter(this);
    lv->viewport()->installEventFilter(this);

    cmdEditView = new QPushButton(QStringLiteral("View"), this);
    cmdEditView->setObjectName(QStringLiteral("cmdEditView"));
    cmdDel = new QPushButton(QStringLiteral("Delete"), this);
    cmdDel->setObjectName(QStringLiteral("cmdDel"));
    cmdAdd = new QPushButton(QStringLiteral("Add"), this);
    cmdAdd->setObjectName(QStringLiteral("cmdAdd"));
    lblTotalDuration = new QLabel(QStringLiteral("Total Duration:"), this);
    lblTotalDuration->setObjectName(QStringLiteral("lblTotalDuration"));

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdEditView);
    buttons->addWidget(cmdDel);
    buttons->addWidget(cmdAdd);
    buttons->addStretch(1);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(lv, 0, 0);
    grid->addLayout(buttons, 0, 1);
    grid->addWidget(lblTotalDuration, 1, 0, 1, 2);
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(0, 1);
    setTabOrder(lv, cmdEditView);
    setTabOrder(cmdEditView, cmdDel);
    setTabOrder(cmdDel, cmdAdd);

    connect(cmdAdd, &QPushButton::clicked, this, [this] { cmdAdd_Click(); });
    connect(cmdEditView, &QPushButton::clicked, this, [this] { cmdEditView_Click(); });
    connect(cmdDel, &QPushButton::clicked, this, [this] { cmdDel_Click(); });
    connect(lv, &QTreeWidget::itemClicked, this, [this] { SetUI(); });
    connect(lv, &QTreeWidget::itemDoubleClicked, this, [this] { cmdEditView_Click(); });
    connect(lv->header(), &QHeaderView::sectionClicked, this, [this](int column) { SysUI().LVSort(lv, column); });
    // Until the list is laid out its columns keep their shares of a nominal
    // width, which the printed text follows.
    sizeColumns(600);
    SetUI();
}

void IssueActionsCtl::SetEditEnabled(bool enabled)
{
    m_enabled = enabled;
    SetUI();
}

void IssueActionsCtl::SetUI()
{
    const bool selected = SysUI().LvIsItemSelected(lv);
    lv->setStyleSheet(m_enabled ? kWhite : kLight);
    cmdAdd->setEnabled(m_enabled);
    cmdEditView->setText(m_enabled ? QStringLiteral("Edit") : QStringLiteral("View"));
    cmdEditView->setEnabled(selected);
    cmdDel->setEnabled(m_enabled && selected);
}

bool IssueActionsCtl::Init(qint32 IssueID)
{
    m_issueId = IssueID;
    LoadLV();
    SetUI();
    return true;
}

void IssueActionsCtl::LoadLV()
{
    if (m_loading)
        return;
    const WaitCursor busy;
    const QString keptKey = SysUI().LvGetSelectedItemKey(lv);
    lv->clear();
    DATA4* categories = DB().OpenTable(DB().CategoryTable());
    if (!categories) {
        return;
    }
    DATA4* table = DB().OpenTable(DB().IssuesActionsTable());
    if (!table) {
        d4close(categories);
        return;
    }
    // Whole ten-thousandths, so that many durations add up without drift.
    qint64 total = 0;
    FIELD4 *rowid, *date, *desc, *action, *perfby, *duration;
    if (!IssueControls::prepareTable(table, "issueid",
                                     {{&rowid, "rowid"}, {&date, "date"}, {&desc, "desc"}, {&action, "action"},
                                      {&perfby, "perfby"}, {&duration, "duration"}},
                                     QStringLiteral("IssueActionsCtl_LoadLV"))) {
        d4close(table);
        d4close(categories);
        return;
    }
    QPointer<QTreeWidget> guard(lv);
    m_loading = true;
    lv->setUpdatesEnabled(false);
    const double key = double(m_issueId);
    YieldPacer pacer;
    for (int found = d4seekDouble(table, key); found == 0 && guard; found = d4seekNextDouble(table, key)) {
        const double value = f4double(duration);
        total += std::llround(value * 10000.0);
        QTreeWidgetItem* item = SysUI().lvAddItem(
            lv, QStringLiteral("N") + QString::number(f4long(rowid)),
            {shortDate(date), DB().GetCategoryDesc(qint32(f4long(action)), categories),
             DB().GetUsername(qint32(f4long(perfby))), Module1::FieldStr(desc).trimmed(), durationText(value)});
        item->setTextAlignment(4, Qt::AlignRight | Qt::AlignVCenter);
        pacer.yieldIfDue();
    }
    d4close(table);
    d4close(categories);
    if (!guard) {
        return;
    }
    m_loading = false;
    lv->setUpdatesEnabled(true);
    lblTotalDuration->setText(QStringLiteral("Total Duration = ") + durationText(double(total) / 10000.0));
    SysUI().LvSelectFirstItem(lv);
    if (!keptKey.isEmpty())
        SysUI().LvSelectItem(lv, keptKey);
}

QString IssueActionsCtl::content()
{
    return SysUI().LVContent(lv) + Sys().CRLF(1) + lblTotalDuration->text() + NotesContent();
}

QString IssueActionsCtl::NotesContent()
{
    DATA4* table = DB().OpenTable(DB().IssuesActionsTable());
    if (!table)
        return QString();
    FIELD4 *date, *notes;
    if (!IssueControls::prepareTable(table, "issueid", {{&date, "date"}, {&notes, "notes"}},
                                     QStringLiteral("IssueActionsCtl_NotesContent"))) {
        d4close(table);
        return QString();
    }
    QString text;
    const double key = double(m_issueId);
    for (int found = d4seekDouble(table, key); found == 0; found = d4seekNextDouble(table, key)) {
        text += Sys().CRLF(2) + QStringLiteral("=== ") + shortDate(date) + QStringLiteral(" ===") + Sys().CRLF(1)
                + Module1::MemoFieldStr(notes).trimmed();
    }
    d4close(table);
    return text + Sys().CRLF(1);
}

qint32 IssueActionsCtl::selectedAction() const
{
    const QString key = SysUI().LvGetSelectedItemKey(lv);
    return key.isEmpty() ? 0 : key.mid(1).toInt();
}

bool IssueActionsCtl::runDialog(qint32 actionId, int mode, qint32* savedId)
{
    if (m_loading)
        return false;
    frmIssueAction dialog(WindowRegistry::current().mainForm());
    dialog.Init(actionId, m_issueId, mode);
    ModalWindows::exec(dialog);
    if (savedId)
        *savedId = dialog.ActionID();
    return dialog.Saved;
}

void IssueActionsCtl::cmdAdd_Click()
{
    qint32 added = -1;
    if (!runDialog(-1, frmIssueAction::AddMode, &added))
        return;
    LoadLV();
    SysUI().LvSelectItem(lv, QStringLiteral("N") + QString::number(added));
}

void IssueActionsCtl::cmdEditView_Click()
{
    const qint32 id = selectedAction();
    if (id == 0)
        return;
    if (runDialog(id, m_enabled ? frmIssueAction::EditMode : frmIssueAction::ViewMode))
        LoadLV();
}

void IssueActionsCtl::cmdDel_Click()
{
    const qint32 id = selectedAction();
    if (id == 0)
        return;
    if (!runDialog(id, frmIssueAction::DeleteMode))
        return;
    LoadLV();
    SetUI();
    MsgBox(QStringLiteral("Issue Action has been deleted!"), MsgStyle::OkOnly + MsgStyle::Information,
           Product::name());
}

void IssueActionsCtl::sizeColumns(int width)
{
    for (int i = 0; i < 5; ++i)
        lv->setColumnWidth(i, std::max(0, width * kColumnShare[i] / 100));
}

bool IssueActionsCtl::eventFilter(QObject* watched, QEvent* event)
{
    // The columns share the list's inner width once it has its real size:
    // a list on a hidden tab is laid out only when the tab shows.
    if (watched == lv->viewport() && event->type() == QEvent::Resize)
        sizeColumns(lv->viewport()->width());
    if (watched == lv && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            cmdEditView_Click();
            SetUI();
            return true;
        }
    }
    if (watched == lv && event->type() == QEvent::KeyRelease)
        SetUI();
    return QWidget::eventFilter(watched, event);
}
