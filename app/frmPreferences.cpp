#include "app/frmPreferences.h"

#include "app/SaveButtons.h"
#include "app/clsCustomLabels.h"
#include "common/PromptService.h"
#include "common/WaitCursor.h"
#include "common/clsSystem.h"
#include "common/ui/FirstSize.h"
#include "common/ui/HelpContext.h"
#include "common/ui/NamedControls.h"
#include "data/clsDB.h"
#include "data/ui/FieldBox.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int kTwipsPerPixel = 15;
const QString kCustomerNameParam = QStringLiteral("CUSTOMERNAME_DISPLAY");

struct WindowEntry {
    const char* text;
    qint32 code;
    const char* tableFile;
};

const WindowEntry kWindows[] = {
    {"Customer Window", 1, "bcccust.dbf"},
    {"Product/Service Window", 2, "bcccust_ps.dbf"},
    {"Issue Window", 3, "bccissues.dbf"},
};

// Tells the window when an edit of a cell begins; the names are stored as
// parameter values, so the editor is fitted to that field.
class EditStartDelegate : public QStyledItemDelegate {
public:
    EditStartDelegate(QObject* parent, std::function<void()> onEdit)
        : QStyledItemDelegate(parent), m_onEdit(std::move(onEdit))
    {
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        m_onEdit();
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* box = qobject_cast<QLineEdit*>(editor))
            FieldBox::fit(box, Schema::Table::Param, "value");
        return editor;
    }

private:
    std::function<void()> m_onEdit;
};

} // namespace

frmPreferences::frmPreferences(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmPreferences"));
    setWindowTitle(QStringLiteral("Customizations"));
    HelpContext::set(this, 1090);
    tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("tabs"));
    tabs->addTab(buildLabelsTab(), QStringLiteral("Customize field labels"));
    tabs->addTab(buildDisplayTab(), QStringLiteral("Display"));
    const SaveButtons saveButtons = makeSaveButtons(this, [this] { SaveData(); });
    OKButton = saveButtons.ok;
    CancelButton = saveButtons.cancel;
    cmdApply = saveButtons.apply;
    cmdReset = namedButton(this, QStringLiteral("cmdReset"), QStringLiteral("Reset"));
    cmdReset->setToolTip(QStringLiteral("Use Default Names for this window"));
    connect(cmdReset, &QPushButton::clicked, this, &frmPreferences::cmdReset_Click);
    saveButtons.row->insertWidget(0, cmdReset);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addLayout(saveButtons.row);
    setTabOrder(cboWindow, grdCustom);
    setTabOrder(grdCustom, optCustName[0]);
    setTabOrder(optCustName[0], optCustName[1]);
    setTabOrder(optCustName[1], cmdReset);
    setTabOrder(cmdReset, OKButton);
    setTabOrder(OKButton, CancelButton);
    setTabOrder(CancelButton, cmdApply);

    InitControls();
    LoadData();
    fitFirstSize(this);
}

QWidget* frmPreferences::buildLabelsTab()
{
    auto* page = new QWidget;
    cboWindow = new QComboBox(page);
    cboWindow->setObjectName(QStringLiteral("cboWindow"));
    cboWindow->setAccessibleName(QStringLiteral("Window"));
    grdCustom = new QTableWidget(page);
    grdCustom->setObjectName(QStringLiteral("grdCustom"));
    grdCustom->setAccessibleName(QStringLiteral("Field labels"));
    grdCustom->verticalHeader()->hide();
    // The window first opens with every row and both columns in view.
    grdCustom->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    grdCustom->setSelectionMode(QAbstractItemView::SingleSelection);
    grdCustom->setItemDelegate(new EditStartDelegate(grdCustom, [this] { m_changed = true; }));
    Label2 = new QLabel(QStringLiteral("Leave Custom Display Name (2nd column) blank to use Default Names (first column)"),
                        page);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setWordWrap(true);
    connect(cboWindow, &QComboBox::currentIndexChanged, this, &frmPreferences::cboWindow_Click);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(cboWindow);
    layout->addWidget(grdCustom, 1);
    layout->addWidget(Label2);
    return page;
}

QWidget* frmPreferences::buildDisplayTab()
{
    auto* page = new QWidget;
    auto* frame = new QGroupBox(QStringLiteral("Customer Name"), page);
    auto* frameLayout = new QVBoxLayout(frame);
    for (int i = 0; i < 2; ++i) {
        optCustName[i] = new QRadioButton(frame);
        optCustName[i]->setObjectName(QStringLiteral("optCustName_%1").arg(i));
        frameLayout->addWidget(optCustName[i]);
    }
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(frame);
    layout->addStretch();
    return page;
}

void frmPreferences::InitControls()
{
    m_loading = true;
    cboWindow->clear();
    for (const WindowEntry& w : kWindows)
        cboWindow->addItem(QString::fromLatin1(w.text), w.code);
    cboWindow->setCurrentIndex(0);
    grdCustom->setColumnCount(2);
    grdCustom->setHorizontalHeaderLabels({QStringLiteral("Internal Name"), QStringLiteral("Custom Display Name")});
    grdCustom->setColumnWidth(0, 3050 / kTwipsPerPixel);
    grdCustom->setColumnWidth(1, 2400 / kTwipsPerPixel);
    const clsCustomLabels& labels = CustomLabels();
    const QString company = labels.GetCustomerLabelName(QStringLiteral("company"), false);
    const QString last = labels.GetCustomerLabelName(QStringLiteral("lastname"), false);
    const QString first = labels.GetCustomerLabelName(QStringLiteral("firstname"), false);
    optCustName[0]->setText(company + QStringLiteral(" (") + last + QStringLiteral(", ") + first + QLatin1Char(')'));
    optCustName[1]->setText(last + QStringLiteral(", ") + first);
    m_loading = false;
}

qint32 frmPreferences::GetCurrentWindow() const
{
    return cboWindow->currentIndex() < 0 ? -1 : cboWindow->currentData().toInt();
}

void frmPreferences::LoadData()
{
    const WaitCursor busy;
    grdCustom->setHorizontalHeaderItem(0, new QTableWidgetItem(cboWindow->currentText() + QStringLiteral(" Default Names")));
    grdCustom->setRowCount(0);
    const clsCustomLabels& labels = CustomLabels();
    const qint32 code = GetCurrentWindow();
    qint32 row = 0;
    qint32 column = 0;
    for (const WindowEntry& w : kWindows) {
        if (w.code != code)
            continue;
        const QString tableFile = QString::fromLatin1(w.tableFile);
        for (const QString& field : labels.FieldNames(tableFile))
            AddF2G(row, column, labels.GetDefaultLabelName(tableFile, field), tableFile, field);
    }
    for (int r = 0; r < grdCustom->rowCount(); ++r) {
        const QString key = grdCustom->item(r, 0)->data(kKeyRole).toString();
        if (!key.isEmpty())
            grdCustom->item(r, 1)->setText(DB().GetParamValue(key));
    }
    optCustName[DB().GetParamValue(kCustomerNameParam) == QLatin1String("1") ? 1 : 0]->setChecked(true);
}

void frmPreferences::AddF2G(qint32& row, qint32& column, const QString& builtInName, const QString& tableFile,
                            const QString& fieldName)
{
    ++row;
    grdCustom->setRowCount(row);
    auto* name = new QTableWidgetItem(QStringLiteral("  ") + builtInName);
    name->setFlags(name->flags() & ~Qt::ItemIsEditable);
    name->setData(kKeyRole, DB().MakeCustomFieldParamName(tableFile, fieldName));
    grdCustom->setItem(row - 1, column, name);
    auto* custom = new QTableWidgetItem;
    custom->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    grdCustom->setItem(row - 1, column + 1, custom);
}

void frmPreferences::SaveData()
{
    const WaitCursor busy;
    for (int r = 0; r < grdCustom->rowCount(); ++r) {
        const QString key = grdCustom->item(r, 0)->data(kKeyRole).toString();
        if (!key.isEmpty())
            (void)DB().SetParamValue(key, grdCustom->item(r, 1)->text());
    }
    (void)DB().SetParamValue(kCustomerNameParam, optCustName[1]->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    m_changed = false;
}

void frmPreferences::cmdReset_Click()
{
    for (int r = 0; r < grdCustom->rowCount(); ++r)
        grdCustom->item(r, 1)->setText(QString());
    m_changed = true;
}

void frmPreferences::cboWindow_Click()
{
    if (m_loading)
        return;
    if (m_changed) {
        // The grid still holds the rows of the window chosen before.
        if (MsgBox(QStringLiteral("Do you want to save changes for this window?"), MsgStyle::YesNo | MsgStyle::Question,
                   QStringLiteral("Save Changes?"))
            == MsgAnswer::Yes)
            SaveData();
        else
            m_changed = false;
    }
    LoadData();
}
