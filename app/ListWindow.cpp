#include "app/ListWindow.h"

#include "common/ui/EnterInList.h"
#include "common/ui/NamedControls.h"
#include "common/ui/TabChain.h"
#include "common/ui/WindowRegistry.h"
#include "common/ui/clsSystemUI.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

QLabel* label(const QString& text, const char* name, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    return l;
}

} // namespace

QTreeView* makeListView(QWidget* parent, QAbstractItemModel* model)
{
    auto* lv = new QTreeView(parent);
    lv->setObjectName(QStringLiteral("lv"));
    lv->setRootIsDecorated(false);
    lv->setUniformRowHeights(true);
    lv->setAllColumnsShowFocus(true);
    lv->setSelectionBehavior(QAbstractItemView::SelectRows);
    lv->setSelectionMode(QAbstractItemView::SingleSelection);
    lv->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lv->header()->setSectionsClickable(true);
    lv->header()->setStretchLastSection(false);
    model->setParent(lv);
    lv->setModel(model);
    return lv;
}

ListWindow::ListWindow(QWidget* parent)
    : QWidget(parent)
{
}

void ListWindow::buildFrame(QTreeView* list, const CommandOrder& order, QWidget* top)
{
    lv = list;
    BtnBar = new QWidget(this);
    BtnBar->setObjectName(QStringLiteral("BtnBar"));
    QPushButton* buttons[4] = {};
    for (std::size_t i = 0; i < order.size(); ++i) {
        switch (order[i]) {
        case Command::Refresh:
            buttons[i] = cmdRefresh = namedButton(BtnBar, QStringLiteral("cmdRefresh"), QStringLiteral("R&efresh"));
            break;
        case Command::Properties:
            buttons[i] = cmdProperties =
                namedButton(BtnBar, QStringLiteral("cmdProperties"), QStringLiteral("&Properties"));
            break;
        case Command::Print:
            buttons[i] = cmdPrint = namedButton(BtnBar, QStringLiteral("cmdPrint"), QStringLiteral("Print"));
            break;
        case Command::Cancel:
            buttons[i] = CancelButton = namedButton(BtnBar, QStringLiteral("CancelButton"), QStringLiteral("Cancel"));
            break;
        }
    }
    lblMsg = label(QStringLiteral("Click a column header to sort results by that column's data"), "lblMsg", BtnBar);
    lblCust = label(QString(), "lblCust", BtnBar);
    auto* bar = new QHBoxLayout(BtnBar);
    bar->setContentsMargins(4, 4, 4, 4);
    for (QPushButton* b : buttons)
        bar->addWidget(b);
    bar->addWidget(lblMsg, 1);
    bar->addWidget(lblCust);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    if (top)
        layout->addWidget(top);
    layout->addWidget(lv, 1);
    layout->addWidget(BtnBar);
    setTabChain({lv, buttons[0], buttons[1], buttons[2], buttons[3]});

    connect(cmdRefresh, &QPushButton::clicked, this, &ListWindow::cmdRefresh_Click);
    connect(cmdProperties, &QPushButton::clicked, this, &ListWindow::cmdProperties_Click);
    connect(cmdPrint, &QPushButton::clicked, this, &ListWindow::cmdPrint_Click);
    connect(CancelButton, &QPushButton::clicked, this, &ListWindow::CancelButton_Click);
    connect(lv, &QTreeView::doubleClicked, this, &ListWindow::cmdProperties_Click);
    connect(lv->selectionModel(), &QItemSelectionModel::selectionChanged, this, &ListWindow::SetUI);
    connect(lv->header(), &QHeaderView::sectionClicked, this, &ListWindow::sortByColumn);
    onEnterInList(lv, [this] { cmdProperties_Click(); });
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, this, &ListWindow::CancelButton_Click);
}

void ListWindow::SetUI() { cmdProperties->setEnabled(!filling() && SysUI().LvIsItemSelected(lv)); }

void ListWindow::setCommandsEnabled(bool enabled)
{
    for (QPushButton* b : {cmdProperties, cmdPrint, cmdRefresh})
        b->setEnabled(enabled);
}

void ListWindow::cmdRefresh_Click()
{
    if (filling())
        return;
    reload();
    SysUI().CtlSetFocus(lv);
}

void ListWindow::cmdProperties_Click()
{
    if (!filling())
        openSelected();
}

void ListWindow::cmdPrint_Click()
{
    if (!filling())
        SysUI().ListViewPrint_GetPrinter(lv, windowTitle());
}

void ListWindow::CancelButton_Click() { WindowRegistry::current().closeForm(this); }

void ListWindow::sortByColumn(int column)
{
    if (!filling())
        SysUI().LVSort(lv, column);
}

void ListWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}
