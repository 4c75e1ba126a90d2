#include "reports/ui/frmReportDef.h"

#include "app/EditModeCtl.h"
#include "app/MainWindow.h"
#include "app/StatisticCtl.h"
#include "app/frmMain.h"
#include "common/PromptService.h"
#include "common/WaitCursor.h"
#include "common/clsSystem.h"
#include "common/ui/AccessibleNames.h"
#include "common/ui/HelpContext.h"
#include "common/ui/ObjectTag.h"
#include "common/ui/clsSystemUI.h"
#include "common/ui/frmRichEdit.h"
#include "common/ui/TabChain.h"
#include "data/RecColl.h"
#include "data/clsDB.h"
#include "data/ui/FieldBox.h"
#include "reports/RepNumber.h"
#include "reports/clsRepDefParser.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

// Roles of a criterion entry besides its column (Qt::UserRole).
constexpr int kOperRole = Qt::UserRole + 1;
constexpr int kValueRole = Qt::UserRole + 2;

template <class W>
W* editable(W* w, const char* name)
{
    w->setObjectName(QString::fromLatin1(name));
    setObjectTag(w, QStringLiteral("E"));
    return w;
}

QString typeCaption(const QString& type)
{
    return type == QLatin1String("C") ? QStringLiteral("Customers") : QStringLiteral("Issues");
}

} // namespace

frmReportDef::frmReportDef(QWidget* parent)
    : RecordWindow<QWidget>(RecordTable{QStringLiteral("REPORTDEF"), DB().ReportTable(), QStringLiteral("bccrep.dbf"),
                                        QStringLiteral("_rptdef"), &clsDB::Perm_Reports, QString()},
                            parent)
{
    setObjectName(QStringLiteral("frmReportDef"));
    setWindowTitle(QStringLiteral("Report Definition"));
    HelpContext::set(this, kHelpContext);
    showPicker = [](QDialog& dialog) { Prompts().execDialog(&dialog); };

    auto button = [this](const char* name, const QString& caption) {
        return editable(new QPushButton(caption, this), name);
    };
    OKButton = button("OKButton", QStringLiteral("OK"));
    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    cmdApplyButton = button("cmdApply", QStringLiteral("Apply"));
    cmdDeleteButton = button("cmdDelete", QStringLiteral("&Delete"));
    cmdRefreshButton = new QPushButton(QStringLiteral("R&efresh"), this);
    cmdRefreshButton->setObjectName(QStringLiteral("cmdRefresh"));
    cmdOK = OKButton;
    cmdApply = cmdApplyButton;
    cmdDelete = cmdDeleteButton;
    cmdRefresh = cmdRefreshButton;

    TabCtl = new QTabWidget(this);
    TabCtl->setObjectName(QStringLiteral("TabCtl"));
    auto* defTab = new QWidget;
    auto* label8 = new QLabel(QStringLiteral("Report Type:"), defTab);
    lblReportType = new QLabel(defTab);
    lblReportType->setObjectName(QStringLiteral("lblReportType"));
    auto* frame2 = new QGroupBox(QStringLiteral("Report Title"), defTab);
    txtRptTitle = editable(new QLineEdit(frame2), "txtRptTitle");
    txtRptTitle->setAccessibleName(QStringLiteral("Report Title"));
    FieldBox::fit(txtRptTitle, Schema::Table::Rep, "title");
    (new QVBoxLayout(frame2))->addWidget(txtRptTitle);

    auto* frame3 = new QGroupBox(QStringLiteral("Data Selection"), defTab);
    auto* label4 = new QLabel(QStringLiteral("Display Columns:"), frame3);
    lstColumns = editable(new QListWidget(frame3), "lstColumns");
    AccessibleNames::nameByLabel(lstColumns, label4);
    cmdDisplayCols = button("cmdDisplayCols", QStringLiteral("Add"));
    cmdDelDispCol = button("cmdDelDispCol", QStringLiteral("Del"));
    cmdDispColUp = button("cmdDispColUp", QStringLiteral("Up"));
    cmdDispColDown = button("cmdDispColDown", QStringLiteral("Down"));
    auto* label5 = new QLabel(QStringLiteral("Criteria:"), frame3);
    lstFilters = editable(new QListWidget(frame3), "lstFilters");
    AccessibleNames::nameByLabel(lstFilters, label5);
    cmdAddFilter = button("cmdAddFilter", QStringLiteral("Add"));
    cmdDelFilter = button("cmdDelFilter", QStringLiteral("Del"));
    cmdDisplayCols->setAccessibleName(QStringLiteral("Add display column"));
    cmdDelDispCol->setAccessibleName(QStringLiteral("Delete display column"));
    cmdAddFilter->setAccessibleName(QStringLiteral("Add criterion"));
    cmdDelFilter->setAccessibleName(QStringLiteral("Delete criterion"));
    auto* selection = new QGridLayout(frame3);
    selection->addWidget(label4, 0, 0);
    selection->addWidget(lstColumns, 1, 0);
    auto* colButtons = new QVBoxLayout;
    for (QPushButton* b : {cmdDisplayCols, cmdDelDispCol, cmdDispColUp, cmdDispColDown})
        colButtons->addWidget(b);
    colButtons->addStretch();
    selection->addLayout(colButtons, 1, 1);
    selection->addWidget(label5, 2, 0);
    selection->addWidget(lstFilters, 3, 0);
    auto* filterButtons = new QVBoxLayout;
    filterButtons->addWidget(cmdAddFilter);
    filterButtons->addWidget(cmdDelFilter);
    filterButtons->addStretch();
    selection->addLayout(filterButtons, 3, 1);

    auto* frame4 = new QGroupBox(QStringLiteral("Options"), defTab);
    auto* label1 = new QLabel(QStringLiteral("Printed Page Orientation:"), frame4);
    optPortrait = editable(new QRadioButton(QStringLiteral("Potrait"), frame4), "optOrientation1");
    optLandscape = editable(new QRadioButton(QStringLiteral("Landscape"), frame4), "optOrientation0");
    label1->setBuddy(optPortrait);
    ckShowRowNum = editable(new QCheckBox(QStringLiteral("Show Row Numbers"), frame4), "ckShowRowNum");
    ckGroupByFirstCol =
        editable(new QCheckBox(QStringLiteral("Suppress repeating values (first column)"), frame4), "ckGroupByFirstCol");
    auto* options = new QVBoxLayout(frame4);
    auto* orientation = new QHBoxLayout;
    orientation->addWidget(label1);
    orientation->addWidget(optPortrait);
    orientation->addWidget(optLandscape);
    orientation->addStretch();
    options->addLayout(orientation);
    options->addWidget(ckShowRowNum);
    options->addWidget(ckGroupByFirstCol);

    auto* defLayout = new QVBoxLayout(defTab);
    auto* typeRow = new QHBoxLayout;
    typeRow->addWidget(label8);
    typeRow->addWidget(lblReportType);
    typeRow->addStretch();
    defLayout->addLayout(typeRow);
    defLayout->addWidget(frame2);
    defLayout->addWidget(frame3, 1);
    defLayout->addWidget(frame4);
    TabCtl->addTab(defTab, QStringLiteral("&Report Definition"));

    auto* notesTab = new QWidget;
    cmdDTStamp_Notes = button("cmdDTStamp_Notes", QStringLiteral("Date-Time Sta&mp"));
    txtNote = editable(FieldBox::textBox(notesTab, Schema::Table::Rep, "notes"), "txtNote");
    txtNote->setAccessibleName(QStringLiteral("Notes"));
    auto* notesLayout = new QVBoxLayout(notesTab);
    notesLayout->addWidget(cmdDTStamp_Notes, 0, Qt::AlignLeft);
    notesLayout->addWidget(txtNote, 1);
    TabCtl->addTab(notesTab, QStringLiteral("&Notes"));

    auto* editTab = new QWidget;
    auto* editLayout = new QVBoxLayout(editTab);
    editLayout->addWidget(LE);
    editLayout->addStretch();
    TabCtl->addTab(editTab, QStringLiteral("Last Edi&t"));

    auto* top = new QHBoxLayout;
    top->addWidget(lblEdit);
    top->addWidget(EM);
    top->addStretch();
    auto* bar = new QHBoxLayout;
    bar->addStretch();
    for (QPushButton* b : {OKButton, CancelButton, cmdApplyButton, cmdDeleteButton, cmdRefreshButton})
        bar->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(TabCtl, 1);
    layout->addLayout(bar);

    setTabChain({lblEdit, TabCtl, txtRptTitle, lstColumns, cmdDisplayCols, cmdDelDispCol, cmdDispColUp, cmdDispColDown,
                 lstFilters, cmdAddFilter, cmdDelFilter, optPortrait, optLandscape, ckShowRowNum, ckGroupByFirstCol,
                 cmdDTStamp_Notes, txtNote, OKButton, CancelButton, cmdApplyButton, cmdDeleteButton, cmdRefreshButton});

    connect(OKButton, &QPushButton::clicked, this, &frmReportDef::cmdOK_Click);
    connect(cmdApplyButton, &QPushButton::clicked, this, &frmReportDef::cmdApply_Click);
    connect(CancelButton, &QPushButton::clicked, this, &frmReportDef::cmdCancel_Click);
    connect(cmdDeleteButton, &QPushButton::clicked, this, &frmReportDef::cmdDelete_Click);
    connect(cmdRefreshButton, &QPushButton::clicked, this, [this] { LoadData(); });
    connect(cmdDTStamp_Notes, &QPushButton::clicked, this, &frmReportDef::cmdDTStamp_Notes_Click);
    connect(cmdDisplayCols, &QPushButton::clicked, this, &frmReportDef::cmdDisplayCols_Click);
    connect(cmdDelDispCol, &QPushButton::clicked, this, &frmReportDef::cmdDelDispCol_Click);
    connect(cmdDispColUp, &QPushButton::clicked, this, &frmReportDef::cmdDispColUp_Click);
    connect(cmdDispColDown, &QPushButton::clicked, this, &frmReportDef::cmdDispColDown_Click);
    connect(cmdAddFilter, &QPushButton::clicked, this, &frmReportDef::cmdAddFilter_Click);
    connect(cmdDelFilter, &QPushButton::clicked, this, &frmReportDef::cmdDelFilter_Click);
    connect(TabCtl, &QTabWidget::currentChanged, this, [this](int index) {
        if (index == 1 && txtNote->isVisible())
            txtNote->setFocus();
    });
    InitControls();
}

void frmReportDef::SetTagVariant() { setObjectTag(this, WindowTag()); }

void frmReportDef::Init(qint32 RowID_, bool EditMode)
{
    lblReportType->setText(typeCaption(RptType));
    RecordForm::Init(RowID_, EditMode);
    // The window opens with the focus on its row of tabs, as after the edit
    // switch; the hidden edit switch of a new report would otherwise hold it
    // and no key would reach the window.
    TabCtl->setFocus();
}

void frmReportDef::InitControls()
{
    txtRptTitle->clear();
    txtNote->clear();
    lstColumns->clear();
    lstFilters->clear();
    ckGroupByFirstCol->setChecked(false);
    ckShowRowNum->setChecked(true);
    optLandscape->setChecked(true);
    RecordForm::InitControls();
}

void frmReportDef::LoadData()
{
    const WaitCursor busy;
    InitControls();
    if (RowID > 0) {
        SetTagVariant();
        if (DB().CheckIfRecExists(DB().ReportTable(), table().file, RowID, false)) {
            RecColl coll(DB().ReportTable(), RowID, table().rectype);
            coll.set(QStringLiteral("_tablename"), table().file);
            if (DB().ReadRecord(coll, false)) {
                txtRptTitle->setText(coll.text(QStringLiteral("title")));
                RptType = coll.text(QStringLiteral("type"));
                lblReportType->setText(typeCaption(RptType));
                SetRptGroupColsAndFilters(coll.text(QStringLiteral("def")));
                txtNote->setPlainText(coll.text(QStringLiteral("notes")));
            }
            coll.clear();
            UpdateLastEditCtl();
        }
    }
    SetWindowCaption();
}

void frmReportDef::SetUI()
{
    RecordForm::SetUI();
    const bool stored = RowID >= 0;
    lblEdit->setVisible(stored);
    if (!stored) {
        cmdRefreshButton->setEnabled(false);
        cmdDeleteButton->setEnabled(false);
    }
}

void frmReportDef::SetWindowCaption()
{
    const QString title = txtRptTitle->text().trimmed();
    const QString name = title.isEmpty() ? QStringLiteral("New") : txtRptTitle->text().left(15) + QStringLiteral("...");
    setWindowTitle(QStringLiteral("Report Definition: ") + name + QStringLiteral(" @") + Sys().CurrTimeAMPM());
}

void frmReportDef::addFilterEntry(qint32 colId, const QString& oper, const QString& value, const QString& text)
{
    auto* item = new QListWidgetItem(text, lstFilters);
    item->setData(Qt::UserRole, colId);
    item->setData(kOperRole, oper);
    item->setData(kValueRole, value);
}

void frmReportDef::SetRptGroupColsAndFilters(const QString& text)
{
    clsRepDefParser parser;
    parser.InitFromRptDef(text);
    ckGroupByFirstCol->setChecked(parser.GroupByFirstCol);
    ckShowRowNum->setChecked(parser.ShowRowNum);
    optPortrait->setChecked(true);
    if (parser.Landscape)
        optLandscape->setChecked(true);
    for (const clsRepDispCol& col : parser.DispCols) {
        auto* item = new QListWidgetItem(col.name, lstColumns);
        item->setData(Qt::UserRole, col.ColID);
    }
    // The report run's own test of a value: a criterion that it applies
    // ("1004.0" as well) is shown, and saved again as it was stored.
    for (const clsRepFilter& filter : parser.Filters) {
        const std::optional<qint32> valueId = repIdentifier(filter.Value);
        if (!valueId)
            continue;
        const QString desc = DB().GetCategoryDesc(*valueId, nullptr);
        addFilterEntry(filter.ColId, filter.Oper, filter.Value,
                       FilterDisplayText(DB().RptColumnName(filter.ColId), filter.Oper, desc, *valueId));
    }
}

QString frmReportDef::FormRptDef() const
{
    clsRepDefParser parser;
    parser.Init(ckGroupByFirstCol->isChecked(), optLandscape->isChecked(), ckShowRowNum->isChecked());
    for (int i = 0; i < lstColumns->count(); ++i)
        parser.AddDisplayColumn(lstColumns->item(i)->data(Qt::UserRole).toInt());
    for (int i = 0; i < lstFilters->count(); ++i) {
        const QListWidgetItem* item = lstFilters->item(i);
        parser.AddFilter(item->data(Qt::UserRole).toInt(), item->data(kOperRole).toString(),
                         item->data(kValueRole).toString());
    }
    return parser.GetRptDefBuffer();
}

bool frmReportDef::ValidateData()
{
    QString faults;
    if (txtRptTitle->text().trimmed().isEmpty())
        faults += QStringLiteral("  - REPORT TITLE must be entered.") + Sys().CRLF(2);
    if (lstColumns->count() == 0)
        faults += QStringLiteral("  - Please select at least one column to display.") + Sys().CRLF(2);
    if (faults.isEmpty())
        return true;
    Sys().ShowMsg(QStringLiteral("Please correct the following data entry fields:") + Sys().CRLF(2) + faults, 3, -1);
    return false;
}

void frmReportDef::notifyList()
{
    if (auto* main = mainWindow())
        main->NotifyReportList(RowID);
}

bool frmReportDef::SaveData()
{
    const WaitCursor busy;
    if (!ValidateData()) {
        return false;
    }
    if (RowID >= 1 && !DB().CheckIfRecExists(DB().ReportTable(), table().file, RowID, false)) {
        return false;
    }
    RecColl coll(DB().ReportTable(), RowID, table().rectype);
    coll.set(QStringLiteral("_tablename"), table().file);
    coll.set(QStringLiteral("title"), txtRptTitle->text());
    coll.set(QStringLiteral("type"), RptType);
    coll.set(QStringLiteral("def"), FormRptDef());
    coll.set(QStringLiteral("notes"), txtNote->toPlainText());
    // StoreRecord keeps the under-edit mark after a failed save, as the
    // window stays in edit mode.
    const bool saved = StoreRecord(coll);
    SetWindowCaption();
    notifyList();
    return saved;
}

QString frmReportDef::FormPrint()
{
    auto* preview = new frmRichEdit;
    preview->setAttribute(Qt::WA_DeleteOnClose);
    preview->Init(windowTitle(), FormContent());
    preview->show();
    return QString();
}

void frmReportDef::cmdOK_Click() { SaveAndClose(); }

void frmReportDef::cmdApply_Click() { (void)SaveAndStay(); }

void frmReportDef::cmdCancel_Click() { CloseWindow(); }

void frmReportDef::cmdDelete_Click()
{
    const QString question =
        QStringLiteral("Are you sure you want to *DELETE*  '") + windowTitle() + QStringLiteral("'?");
    if (MsgBox(question, MsgStyle::YesNoCancel | MsgStyle::Question | MsgStyle::DefaultButton3,
               QStringLiteral("DELETE Confirmation")) != MsgAnswer::Yes)
        return;
    if (!DB().DeleteRecord(RowID, DB().ReportTable()))
        return;
    notifyList();
    EM->ViewMode();
    CloseWindow();
}

void frmReportDef::cmdDTStamp_Notes_Click()
{
    txtNote->insertPlainText(Sys().CurrDateTimeShort() + QStringLiteral(" by ") + DB().LoginName());
    txtNote->setFocus();
}

void frmReportDef::cmdDisplayCols_Click()
{
    frmRptDisplayColumns picker(this);
    picker.Init(RptType);
    SysUI().LB2LBRemoveItems(lstColumns, picker.lstRptCols);
    showPicker(picker);
    if (picker.OKPressed) {
        for (int i = 0; i < picker.lstRptCols->count(); ++i) {
            const QListWidgetItem* chosen = picker.lstRptCols->item(i);
            if (!chosen->isSelected())
                continue;
            auto* item = new QListWidgetItem(chosen->text(), lstColumns);
            item->setData(Qt::UserRole, chosen->data(Qt::UserRole));
        }
    }
    lstColumns->setFocus();
}

void frmReportDef::cmdDelDispCol_Click()
{
    SysUI().LBRemoveCurSelected(lstColumns);
    lstColumns->setFocus();
}

void frmReportDef::cmdDispColUp_Click()
{
    const int at = lstColumns->currentRow();
    if (at > 0 && lstColumns->item(at)->isSelected()) {
        SysUI().LBSwapItems(lstColumns, at, at - 1);
        lstColumns->setCurrentRow(at - 1);
    }
    lstColumns->setFocus();
}

void frmReportDef::cmdDispColDown_Click()
{
    const int at = lstColumns->currentRow();
    if (at >= 0 && at + 1 < lstColumns->count() && lstColumns->item(at)->isSelected()) {
        SysUI().LBSwapItems(lstColumns, at, at + 1);
        lstColumns->setCurrentRow(at + 1);
    }
    lstColumns->setFocus();
}

void frmReportDef::cmdAddFilter_Click()
{
    frmRptFilterColumns picker(this);
    picker.Init(RptType);
    for (int i = 0; i < lstFilters->count(); ++i)
        picker.RemoveColumn(lstFilters->item(i)->data(Qt::UserRole).toInt());
    showPicker(picker);
    if (picker.OKPressed)
        addFilterEntry(picker.SelColID, picker.SelOper, QString::number(picker.SelValueID),
                       FilterDisplayText(picker.SelColText, picker.SelOper, picker.SelValueText, picker.SelValueID));
    lstFilters->setFocus();
}

void frmReportDef::cmdDelFilter_Click()
{
    SysUI().LBRemoveCurSelected(lstFilters);
    lstFilters->setFocus();
}
