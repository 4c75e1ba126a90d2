#include "app/frmEditCategories.h"

#include "common/PromptService.h"
#include "common/WaitCursor.h"
#include "common/clsSystem.h"
#include "common/ui/HelpContext.h"
#include "common/ui/ListRenameDelegate.h"
#include "common/ui/NamedControls.h"
#include "common/ui/clsSystemUI.h"
#include "data/clsDB.h"
#include "data/ui/FieldBox.h"
#include "data/ui/clsDBUI.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

int frmEditCategories::s_untitled = 0;

namespace {

constexpr int kTwipsPerPixel = 15;

void makeEditable(QTreeWidgetItem* item) { ListRenameDelegate::makeEditable(item); }

} // namespace

frmEditCategories::frmEditCategories(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmEditCategories"));
    setWindowTitle(QStringLiteral("Lookup List"));
    build();
}

void frmEditCategories::build()
{
    lv = new QTreeWidget(this);
    lv->setObjectName(QStringLiteral("lv"));
    lv->setAccessibleName(QStringLiteral("Categories"));
    lv->setRootIsDecorated(false);
    lv->setColumnCount(1);
    lv->setHeaderLabels({QStringLiteral("Categories")});
    lv->setSelectionMode(QAbstractItemView::SingleSelection);
    lv->setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    lv->setItemDelegate(new ListRenameDelegate(
        lv, [this](QTreeWidgetItem* item, QString& edited) { return lv_AfterLabelEdit(item, edited); },
        [](QLineEdit* box) { FieldBox::fit(box, Schema::Table::Cat, "desc", kMaxTextLength); }));
    lv->setMinimumSize(260, 260);
    cmdNew = namedButton(this, QStringLiteral("cmdNew"), QStringLiteral("&New"));
    cmdDelete = namedButton(this, QStringLiteral("cmdDelete"), QStringLiteral("&Delete SELECTED"));
    cmdDeleteAll = namedButton(this, QStringLiteral("cmdDeleteAll"), QStringLiteral("Delete ALL"));
    cmdRefresh = namedButton(this, QStringLiteral("cmdRefresh"), QStringLiteral("R&efresh"));
    cmdPrint = namedButton(this, QStringLiteral("cmdPrint"), QStringLiteral("&Print"));
    cmdClose = namedButton(this, QStringLiteral("cmdClose"), QStringLiteral("Close"));
    connect(cmdNew, &QPushButton::clicked, this, &frmEditCategories::cmdNew_Click);
    connect(cmdDelete, &QPushButton::clicked, this, &frmEditCategories::cmdDelete_Click);
    connect(cmdDeleteAll, &QPushButton::clicked, this, &frmEditCategories::cmdDeleteAll_Click);
    connect(cmdRefresh, &QPushButton::clicked, this, [this] {
        LoadData();
        SetUI();
    });
    connect(cmdPrint, &QPushButton::clicked, this, &frmEditCategories::cmdPrint_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);
    connect(lv, &QTreeWidget::itemSelectionChanged, this, &frmEditCategories::SetUI);

    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {cmdNew, cmdDelete, cmdDeleteAll, cmdRefresh, cmdPrint, cmdClose})
        buttons->addWidget(b);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(lv, 1);
    layout->addLayout(buttons);
    setTabOrder(lv, cmdNew);
    setTabOrder(cmdNew, cmdDelete);
    setTabOrder(cmdDelete, cmdDeleteAll);
    setTabOrder(cmdDeleteAll, cmdRefresh);
    setTabOrder(cmdRefresh, cmdPrint);
    setTabOrder(cmdPrint, cmdClose);
}

void frmEditCategories::Init(const QString& caption, const QString& columnHeading, const QString& tableFile,
                             const QString& tablePath, const QString& keyField, const QString& textField,
                             qint32 categoryType, const QString& inUseTable1, const QString& inUseField1,
                             const QString& inUseTable2, const QString& inUseField2, qint32 helpContext)
{
    if (helpContext > 0)
        HelpContext::set(this, helpContext);
    m_caption = caption;
    m_tableFile = tableFile;
    m_tablePath = tablePath;
    m_keyField = keyField;
    m_textField = textField;
    m_type = categoryType;
    m_inUseTable1 = inUseTable1;
    m_inUseField1 = inUseField1;
    m_inUseTable2 = inUseTable2;
    m_inUseField2 = inUseField2;
    lv->setHeaderLabels({columnHeading});
    lv->setColumnWidth(0, lv->width() - 400 / kTwipsPerPixel);
    LoadData();
    SetUI();
}

void frmEditCategories::LoadData()
{
    DBUI().LoadLV(lv, m_tablePath, m_keyField, m_textField, m_type, true);
    for (int i = 0; i < lv->topLevelItemCount(); ++i)
        makeEditable(lv->topLevelItem(i));
    setWindowTitle(m_caption + QStringLiteral(" - ") + Sys().CurrDateTimeShort());
}

bool frmEditCategories::IsItemSelected() const { return SysUI().LvIsItemSelected(lv); }

void frmEditCategories::SetUI() { cmdDelete->setEnabled(IsItemSelected()); }

qint32 frmEditCategories::rowidOf(const QTreeWidgetItem* item)
{
    return SysUI().lvItemKey(item).mid(1).toInt();
}

void frmEditCategories::cmdNew_Click()
{
    ++s_untitled;
    const QString text = (QStringLiteral("Untitled ") + QString::number(s_untitled)).left(kMaxTextLength);
    const qint32 rowid = AddUpdateItem(-1, text);
    if (rowid <= 0)
        return;
    QTreeWidgetItem* item = ListRenameDelegate::appendSelected(lv, QStringLiteral("N") + QString::number(rowid), text);
    SetUI();
    ListRenameDelegate::startRename(lv, item);
}

bool frmEditCategories::lv_AfterLabelEdit(QTreeWidgetItem* item, QString& edited)
{
    if (!ListRenameDelegate::tidyName(edited, kMaxTextLength))
        return false;
    UpdateDesc(rowidOf(item), edited);
    return true;
}

void frmEditCategories::UpdateDesc(qint32 rowid, const QString& text) { (void)AddUpdateItem(rowid, text); }

qint32 frmEditCategories::AddUpdateItem(qint32 rowid, const QString& text)
{
    if (text.isEmpty())
        return -1;
    DATA4* table = DB().OpenTable(m_tablePath);
    if (!table)
        return -1;
    qint32 result = -1;
    if (rowid < 1) {
        result = DB().AddCategory(text, m_type, table);
    } else if (DB().UpdateListItem(table, m_tableFile, m_keyField, m_textField, rowid, text,
                                      QStringLiteral("frmEditCategories_AddUpdateItem"))) {
        result = rowid;
    }
    (void)d4close(table);
    return result;
}

bool frmEditCategories::inUse(qint32 rowid)
{
    return !DB().CanDeleteItem(rowid, m_inUseTable1, m_inUseField1)
        || !DB().CanDeleteItem(rowid, m_inUseTable2, m_inUseField2);
}

bool frmEditCategories::DeleteItem(qint32 rowid, const QString& text)
{
    if (inUse(rowid)) {
        MsgBox(QLatin1Char('\'') + text + QStringLiteral("' is under use and cannot be deleted!"), MsgStyle::Exclamation);
        return false;
    }
    const MsgAnswer answer = MsgBox(QStringLiteral("Are you sure you want to delete '") + text + QStringLiteral("'?"),
                                    MsgStyle::YesNoCancel | MsgStyle::Question | MsgStyle::DefaultButton2,
                                    QStringLiteral("Delete Confirmation"));
    return answer == MsgAnswer::Yes && DB().DeleteRecord(rowid, m_tablePath);
}

void frmEditCategories::cmdDelete_Click()
{
    QTreeWidgetItem* item = nullptr;
    if (!SysUI().LvGetSelectedItem(lv, item))
        return;
    if (!DeleteItem(rowidOf(item), item->text(0)))
        return;
    delete item;
    lv->clearSelection();
    SetUI();
}

void frmEditCategories::cmdDeleteAll_Click()
{
    if (MsgBox(QStringLiteral("Are you sure you want to delete ALL items in this list?"),
               MsgStyle::YesNoCancel | MsgStyle::Question | MsgStyle::DefaultButton2,
               QStringLiteral("Delete ALL Confirmation"))
        != MsgAnswer::Yes)
        return;
    const WaitCursor busy;
    DeleteAllItems();
    LoadData();
    SetUI();
}

void frmEditCategories::DeleteAllItems()
{
    for (int i = 0; i < lv->topLevelItemCount(); ++i)
        DeleteSingleItem(rowidOf(lv->topLevelItem(i)));
}

void frmEditCategories::DeleteSingleItem(qint32 rowid)
{
    // An entry in use simply stays.
    if (!inUse(rowid))
        (void)DB().DeleteRecord(rowid, m_tablePath);
}

void frmEditCategories::cmdPrint_Click() { SysUI().ListViewPrint_GetPrinter(lv, windowTitle()); }
