#include "customers/frmCustomer.h"

#include "app/EditModeCtl.h"
#include "app/MainWindow.h"
#include "app/RecordControls.h"
#include "app/StatisticCtl.h"
#include "app/clsCustomLabels.h"
#include "app/frmMain.h"
#include "common/PromptService.h"
#include "common/clsSystem.h"
#include "common/ui/AccessibleNames.h"
#include "common/ui/EnterInList.h"
#include "common/ui/GridTabExit.h"
#include "common/ui/HelpContext.h"
#include "common/ui/ObjectTag.h"
#include "common/ui/clsSystemUI.h"
#include "common/ui/frmRichEdit.h"
#include "common/ui/TabChain.h"
#include "data/ParamFlags.h"
#include "data/clsDB.h"
#include "data/ui/FieldBox.h"
#include "data/ui/clsDBUI.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

using namespace RecordControls;

constexpr int kContactRows = 50;

// Every text control of the first tab takes the width of its field.
void fitToFields(frmCustomer& w)
{
    const std::pair<QLineEdit*, const char*> boxes[] = {
        {w.txtCustNo, "custno"},       {w.txtFname, "firstname"},      {w.txtLname, "lastname"},
        {w.txtCoName, "company"},      {w.txtTitle, "title"},          {w.txtAddress1, "address1"},
        {w.txtAddress2, "address2"},   {w.txtCity, "city"},            {w.txtPostalCode, "postalcode"},
        {w.txtWorkPhone, "workphone"}, {w.txtHomePhone, "homephone"},  {w.txtMobilePhone, "mobilphone"},
        {w.txtFaxphone, "faxphone"},   {w.txtEmailName, "emailname"},  {w.txtEmailName2, "emailname2"}};
    for (const auto& [box, field] : boxes)
        FieldBox::fit(box, Schema::Table::Cust, field);
    FieldBox::fit(w.cboSalutation, Schema::Table::Cust, "salutation");
}

} // namespace

std::function<void(qint32)>& frmCustomer::customListEditor()
{
    static std::function<void(qint32)> editor = [](qint32 catType) {
        if (auto* main = mainWindow())
            main->EditCustomFieldCategory(catType);
    };
    return editor;
}

std::function<bool(const QString&, const QString&, const QString&)>& frmCustomer::mailSender()
{
    static std::function<bool(const QString&, const QString&, const QString&)> sender
        = [](const QString& to, const QString& subject, const QString& body) {
              auto* main = mainWindow();
              return main && main->SendMail(to, subject, body);
          };
    return sender;
}

frmCustomer::frmCustomer(QWidget* parent)
    : RecordWindow<QWidget>({QStringLiteral("C"), DB().CustomerTable(), QStringLiteral("bcccust.dbf"),
                             QStringLiteral("_customer"), &clsDB::Perm_Customers, QStringLiteral("bcccust.dbf")},
                            parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setEditKeyEntersOnly();
    TabCtl = new QTabWidget(this);
    TabCtl->setObjectName(QStringLiteral("TabCtl"));
    auto* tab0 = new QWidget;
    auto* tab1 = new QWidget;
    buildTab0(tab0);
    buildTab1(tab1);
    TabCtl->addTab(tab0, QStringLiteral("Primary &Contact"));
    TabCtl->addTab(tab1, QStringLiteral("&Notes && Additional Contacts"));
    TabCtl->addTab(buildListTab(lvPS, lblPS, cmdNewPS, cmdPropertiesPS, cmdPrintPS,
                                QStringLiteral("Add new Product/Service")),
                   QStringLiteral("Products/&Services"));
    TabCtl->addTab(buildListTab(lvIssues, lblIssues, cmdNewIssue, cmdPropertiesIssues, cmdPrintIssues,
                                QStringLiteral("Add new Issue")),
                   QStringLiteral("&Issues"));
    lvPS->setObjectName(QStringLiteral("lvPS"));
    lvIssues->setObjectName(QStringLiteral("lvIssues"));
    // Enter in a list opens its selected row.
    onEnterInList(lvPS, [this] { cmdPropertiesPS_Click(); });
    onEnterInList(lvIssues, [this] { cmdPropertiesIssues_Click(); });
    lvPS->setAccessibleName(QStringLiteral("Products/Services"));
    lvIssues->setAccessibleName(QStringLiteral("Issues"));
    auto* tab4 = new QWidget;
    auto* tab4Layout = new QVBoxLayout(tab4);
    tab4Layout->addWidget(LE);
    tab4Layout->addStretch(1);
    TabCtl->addTab(tab4, QStringLiteral("Last Edi&t"));
    buildButtonBar();

    connect(cmdNewPS, &QPushButton::clicked, this, [this] { cmdNewPS_Click(); });
    connect(cmdNewIssue, &QPushButton::clicked, this, [this] { cmdNewIssue_Click(); });
    connect(cmdPropertiesPS, &QPushButton::clicked, this, [this] { cmdPropertiesPS_Click(); });
    connect(cmdPropertiesIssues, &QPushButton::clicked, this, [this] { cmdPropertiesIssues_Click(); });
    connect(cmdPrintPS, &QPushButton::clicked, this,
            [this] { SysUI().ListViewPrint_GetPrinter(lvPS, windowTitle(), true); });
    connect(cmdPrintIssues, &QPushButton::clicked, this,
            [this] { SysUI().ListViewPrint_GetPrinter(lvIssues, windowTitle(), true); });
    connect(lvPS, &QTreeWidget::itemDoubleClicked, this, [this] { cmdPropertiesPS_Click(); });
    connect(lvIssues, &QTreeWidget::itemDoubleClicked, this, [this] { cmdPropertiesIssues_Click(); });
    connect(lvPS->header(), &QHeaderView::sectionClicked, this, [this](int c) { lvColumnClick(lvPS, c); });
    connect(lvIssues->header(), &QHeaderView::sectionClicked, this, [this](int c) { lvColumnClick(lvIssues, c); });
    connect(TabCtl, &QTabWidget::currentChanged, this, [this] { TabCtl_Click(); });

    setWindowTitle(QStringLiteral("Customer Name"));
    HelpContext::set(this, 1300);
    LV_AddColHeaders();
    installContactEditor();
}

frmCustomer::~frmCustomer() = default;

void frmCustomer::buildTab0(QWidget* page)
{
    lblCustNo = fieldLabel(page, "lblCustNo", QStringLiteral("Customer Number:"), QStringLiteral("custno"));
    txtCustNo = editable(new QLineEdit(page), "txtCustNo");
    lblCustomerID = fieldLabel(page, "lblCustomerID", QString(), QString());
    cboSalutation = editable(new QComboBox(page), "cboSalutation");
    cboSalutation->setEditable(true);
    cboSalutation->addItems({QStringLiteral("Mr."), QStringLiteral("Miss."), QStringLiteral("Ms."),
                             QStringLiteral("Mrs."), QStringLiteral("Dr."), QStringLiteral("Rev."),
                             QStringLiteral("Prof.")});
    cboSalutation->setCurrentIndex(-1);
    cboSalutation->setMinimumContentsLength(5);
    cboSalutation->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cboSalutation->setAccessibleName(QStringLiteral("Salutation"));
    AccessibleNames::nameTextOfCombo(cboSalutation);
    lblFN = fieldLabel(page, "lblFN", QStringLiteral("First Name:"), QStringLiteral("firstname"));
    txtFname = editable(new QLineEdit(page), "txtFname");
    lblLN = fieldLabel(page, "lblLN", QStringLiteral("Last Name:"), QStringLiteral("lastname"));
    txtLname = editable(new QLineEdit(page), "txtLname");
    lblCo = fieldLabel(page, "lblCo", QStringLiteral("Company:"), QStringLiteral("company"));
    txtCoName = editable(new QLineEdit(page), "txtCoName");
    lblTitle = fieldLabel(page, "lblTitle", QStringLiteral("Title:"), QStringLiteral("title"));
    txtTitle = editable(new QLineEdit(page), "txtTitle");
    lblAddr1 = fieldLabel(page, "lblAddr1", QStringLiteral("Address (line 1):"), QStringLiteral("address1"));
    txtAddress1 = editable(new QLineEdit(page), "txtAddress1");
    lblAddr2 = fieldLabel(page, "lblAddr2", QStringLiteral("Address (line 2):"), QStringLiteral("address2"));
    txtAddress2 = editable(new QLineEdit(page), "txtAddress2");
    lblCity = fieldLabel(page, "lblCity", QStringLiteral("City:"), QStringLiteral("city"));
    txtCity = editable(new QLineEdit(page), "txtCity");
    lblState = fieldLabel(page, "lblState", QStringLiteral("State:"), QStringLiteral("state"));
    cboStates = editable(new QComboBox(page), "cboStates");
    cmdCatStates = listButton(page, "cmdCatStates", QStringLiteral("states"));
    lblPostalCode = fieldLabel(page, "lblPostalCode", QStringLiteral("Postal Code:"), QStringLiteral("postalcode"));
    txtPostalCode = editable(new QLineEdit(page), "txtPostalCode");
    lblCountry = fieldLabel(page, "lblCountry", QStringLiteral("Country:"), QStringLiteral("country"));
    cboCountry = editable(new QComboBox(page), "cboCountry");
    cboCatCountry = listButton(page, "cboCatCountry", QStringLiteral("countries"));
    lblWPh = fieldLabel(page, "lblWPh", QStringLiteral("Work Phone:"), QStringLiteral("workphone"));
    txtWorkPhone = editable(new QLineEdit(page), "txtWorkPhone");
    lblHPh = fieldLabel(page, "lblHPh", QStringLiteral("Home Phone:"), QStringLiteral("homephone"));
    txtHomePhone = editable(new QLineEdit(page), "txtHomePhone");
    lblMPh = fieldLabel(page, "lblMPh", QStringLiteral("Mobile Phone:"), QStringLiteral("mobilphone"));
    txtMobilePhone = editable(new QLineEdit(page), "txtMobilePhone");
    lblFaxP = fieldLabel(page, "lblFaxP", QStringLiteral("Fax Phone:"), QStringLiteral("faxphone"));
    txtFaxphone = editable(new QLineEdit(page), "txtFaxphone");
    lblDefEmail = fieldLabel(page, "lblDefEmail", QStringLiteral("Default Email:"), QStringLiteral("emailname"));
    txtEmailName = editable(new QLineEdit(page), "txtEmailName");
    cmdSendEmail = button(page, "cmdSendEmail", QStringLiteral("Write Email"), QStringLiteral("Send email to this customer"));
    lblAltEmail = fieldLabel(page, "lblAltEmail", QStringLiteral("Alternate Email:"), QStringLiteral("emailname2"));
    txtEmailName2 = editable(new QLineEdit(page), "txtEmailName2");
    cmdSendEmail2 = button(page, "cmdSendEmail2", QStringLiteral("Write Email"), QStringLiteral("Send email to this customer"));
    lblCat = fieldLabel(page, "lblCat", QStringLiteral("Category:"), QStringLiteral("custcat"));
    cboCategory = editable(new QComboBox(page), "cboCategory");
    cboCatCategory = listButton(page, "cboCatCategory", QStringLiteral("customer categories"));
    customField(page, Schema::Table::Cust, 1, &lblCustom1, &txtCust1, &cmdCust1Cat);
    customField(page, Schema::Table::Cust, 2, &lblCustom2, &txtCust2, &cmdCust2Cat);
    fitToFields(*this);
    lblNewCust = fieldLabel(page, "lblNewCust",
                            QStringLiteral("Press Apply button to save this customer and to access Product/Services "
                                           "and Issues tabs"),
                            QString());
    lblNewCust->setWordWrap(true);
    lblMsg = fieldLabel(page, "lblMsg",
                        QStringLiteral("Additional contacts for this customer can be entered under the 'Notes' tab."),
                        QString());
    lblMsg->setWordWrap(true);

    const std::pair<QLabel*, QWidget*> buddies[] = {
        {lblCustNo, txtCustNo}, {lblFN, txtFname}, {lblLN, txtLname}, {lblCo, txtCoName},
        {lblTitle, txtTitle}, {lblAddr1, txtAddress1}, {lblAddr2, txtAddress2}, {lblCity, txtCity},
        {lblState, cboStates}, {lblPostalCode, txtPostalCode}, {lblCountry, cboCountry},
        {lblWPh, txtWorkPhone}, {lblHPh, txtHomePhone}, {lblMPh, txtMobilePhone}, {lblFaxP, txtFaxphone},
        {lblDefEmail, txtEmailName}, {lblAltEmail, txtEmailName2}, {lblCat, cboCategory},
        {lblCustom1, txtCust1}, {lblCustom2, txtCust2}};
    for (const auto& [label, field] : buddies)
        label->setBuddy(field);

    auto* grid = new QGridLayout(page);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setColumnMinimumWidth(2, 0);
    int r = 0;
    grid->addWidget(lblCustNo, r, 0);
    grid->addWidget(txtCustNo, r, 1);
    grid->addWidget(lblCustomerID, r, 3);
    ++r;
    auto* salutationName = new QHBoxLayout;
    salutationName->addWidget(cboSalutation);
    salutationName->addWidget(txtFname, 1);
    grid->addWidget(lblFN, r, 0);
    grid->addLayout(salutationName, r, 1);
    grid->addWidget(lblLN, r, 2);
    grid->addWidget(txtLname, r, 3);
    ++r;
    grid->addWidget(lblCo, r, 0);
    grid->addWidget(txtCoName, r, 1);
    grid->addWidget(lblTitle, r, 2);
    grid->addWidget(txtTitle, r, 3);
    ++r;
    grid->addWidget(lblAddr1, r, 0);
    grid->addWidget(txtAddress1, r, 1, 1, 3);
    ++r;
    grid->addWidget(lblAddr2, r, 0);
    grid->addWidget(txtAddress2, r, 1, 1, 3);
    ++r;
    grid->addWidget(lblCity, r, 0);
    grid->addWidget(txtCity, r, 1);
    grid->addWidget(lblState, r, 2);
    grid->addLayout(row(cboStates, cmdCatStates), r, 3);
    ++r;
    grid->addWidget(lblPostalCode, r, 0);
    grid->addWidget(txtPostalCode, r, 1);
    grid->addWidget(lblCountry, r, 2);
    grid->addLayout(row(cboCountry, cboCatCountry), r, 3);
    ++r;
    grid->addWidget(lblWPh, r, 0);
    grid->addWidget(txtWorkPhone, r, 1);
    grid->addWidget(lblHPh, r, 2);
    grid->addWidget(txtHomePhone, r, 3);
    ++r;
    grid->addWidget(lblMPh, r, 0);
    grid->addWidget(txtMobilePhone, r, 1);
    grid->addWidget(lblFaxP, r, 2);
    grid->addWidget(txtFaxphone, r, 3);
    ++r;
    grid->addWidget(lblDefEmail, r, 0);
    grid->addLayout(row(txtEmailName, cmdSendEmail), r, 1);
    grid->addWidget(lblAltEmail, r, 2);
    grid->addLayout(row(txtEmailName2, cmdSendEmail2), r, 3);
    ++r;
    grid->addWidget(lblCat, r, 0);
    grid->addLayout(row(cboCategory, cboCatCategory), r, 1);
    ++r;
    grid->addWidget(lblCustom1, r, 0);
    grid->addLayout(row(txtCust1, cmdCust1Cat), r, 1);
    grid->addWidget(lblCustom2, r, 2);
    grid->addLayout(row(txtCust2, cmdCust2Cat), r, 3);
    ++r;
    grid->addWidget(lblMsg, r, 0, 1, 4);
    ++r;
    grid->addWidget(lblNewCust, r, 0, 1, 4);
    grid->setRowStretch(r + 1, 1);

    setTabChain({txtCustNo, cboSalutation, txtFname, txtLname, txtCoName, txtTitle, txtAddress1, txtAddress2, txtCity,
                 cboStates, cmdCatStates, txtPostalCode, cboCountry, cboCatCountry, txtWorkPhone, txtHomePhone,
                 txtMobilePhone, txtFaxphone, txtEmailName, cmdSendEmail, txtEmailName2, cmdSendEmail2, cboCategory,
                 cboCatCategory, txtCust1, cmdCust1Cat, txtCust2, cmdCust2Cat});

    connect(cboCatCategory, &QPushButton::clicked, this, [this] { cmdCatList_Click(cboCategory, CatType::CustomerCategory); });
    connect(cboCatCountry, &QPushButton::clicked, this, [this] { cmdCatList_Click(cboCountry, CatType::Country); });
    connect(cmdCatStates, &QPushButton::clicked, this, [this] { cmdCatList_Click(cboStates, CatType::State); });
    connect(cmdCust1Cat, &QPushButton::clicked, this, [this] { cmdCustomList_Click(txtCust1, CatType::CustomerCustom1); });
    connect(cmdCust2Cat, &QPushButton::clicked, this, [this] { cmdCustomList_Click(txtCust2, CatType::CustomerCustom2); });
    connect(cmdSendEmail, &QPushButton::clicked, this, [this] { Sys().SendEmail(txtEmailName->text()); });
    connect(cmdSendEmail2, &QPushButton::clicked, this, [this] { Sys().SendEmail(txtEmailName2->text()); });
}

void frmCustomer::buildTab1(QWidget* page)
{
    txtNote = editable(FieldBox::textBox(page, Schema::Table::Cust, "notes"), "txtNote");
    txtNote->setAccessibleName(QStringLiteral("Notes"));
    cmdDTStamp_Notes = button(page, "cmdDTStamp_Notes", QStringLiteral("Date-Time Sta&mp"));
    setObjectTag(cmdDTStamp_Notes, QStringLiteral("E"));
    connect(cmdDTStamp_Notes, &QPushButton::clicked, this, [this] { cmdDTStamp_Notes_Click(); });
    grdContacts = new QTableWidget(page);
    grdContacts->setObjectName(QStringLiteral("grdContacts"));
    grdContacts->setAccessibleName(QStringLiteral("Additional contacts"));
    leaveGridAtItsEnds(grdContacts);

    // Notes over contacts, the two halves apart by a small gap.
    auto* box = new QVBoxLayout(page);
    auto* top = new QHBoxLayout;
    top->addStretch(1);
    top->addWidget(cmdDTStamp_Notes);
    box->addLayout(top);
    box->addWidget(txtNote, 1);
    box->addSpacing(17);
    box->addWidget(grdContacts, 1);
    setTabOrder(cmdDTStamp_Notes, txtNote);
    setTabOrder(txtNote, grdContacts);
}

QWidget* frmCustomer::buildListTab(QTreeWidget*& lv, QLabel*& count, QPushButton*& newButton,
                                   QPushButton*& properties, QPushButton*& print, const QString& newTip)
{
    auto* page = new QWidget;
    lv = new QTreeWidget(page);
    lv->setRootIsDecorated(false);
    lv->setSelectionMode(QAbstractItemView::SingleSelection);
    lv->setSortingEnabled(false);
    lv->header()->setSectionsClickable(true);
    lv->header()->setSortIndicatorShown(true);
    lv->header()->setStretchLastSection(false);
    count = new QLabel(page);
    newButton = button(page, "cmdNew", QStringLiteral("Ne&w"), newTip);
    properties = button(page, "cmdProperties", QStringLiteral("&Properties"));
    print = button(page, "cmdPrintList", QStringLiteral("Print List"));
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(newButton);
    buttons->addWidget(properties);
    buttons->addWidget(print);
    buttons->addStretch(1);
    auto* body = new QHBoxLayout;
    body->addWidget(lv, 1);
    body->addLayout(buttons);
    auto* box = new QVBoxLayout(page);
    box->addLayout(body, 1);
    box->addWidget(count);
    setTabOrder(lv, newButton);
    setTabOrder(newButton, properties);
    setTabOrder(properties, print);
    return page;
}

void frmCustomer::buildButtonBar()
{
    BtnBar = new QWidget(this);
    BtnBar->setObjectName(QStringLiteral("BtnBar"));
    cmdLabel = button(BtnBar, "cmdLabel", QStringLiteral("&Label"), QStringLiteral("Mailing label text"));
    cmdEmail = button(BtnBar, "cmdEmail", QStringLiteral("&Email"), QStringLiteral("Email customer information"));
    cmdPrint = button(BtnBar, "cmdPrint", QStringLiteral("&Preview"), QStringLiteral("Print  Preview customer information"));
    auto* refresh = button(BtnBar, "cmdRefresh", QStringLiteral("R&efresh"));
    auto* del = button(BtnBar, "cmdDelete", QStringLiteral("&Delete"));
    setObjectTag(del, QStringLiteral("E"));
    OKButton = button(BtnBar, "OKButton", QStringLiteral("OK"));
    setObjectTag(OKButton, QStringLiteral("E"));
    CancelButton = button(BtnBar, "CancelButton", QStringLiteral("Cancel"));
    auto* apply = button(BtnBar, "cmdApply", QStringLiteral("Apply"));
    setObjectTag(apply, QStringLiteral("E"));
    cmdRefresh = refresh;
    cmdDelete = del;
    cmdOK = OKButton;
    cmdApply = apply;

    auto* box = new QHBoxLayout(BtnBar);
    box->setContentsMargins(6, 4, 6, 4);
    box->addWidget(EM);
    box->addWidget(lblEdit);
    box->addStretch(1);
    for (QPushButton* b : {cmdLabel, cmdEmail, cmdPrint, refresh, del, OKButton, CancelButton, apply})
        box->addWidget(b);
    // The row of tabs, the pages in turn (Tab reaches the shown one only),
    // then the button bar.
    setTabChain({TabCtl, txtCustNo});
    setTabChain({cmdCust2Cat, cmdDTStamp_Notes, txtNote, grdContacts, lvPS, cmdNewPS, cmdPropertiesPS, cmdPrintPS,
                 lvIssues, cmdNewIssue, cmdPropertiesIssues, cmdPrintIssues, lblEdit, cmdLabel, cmdEmail, cmdPrint,
                 refresh, del, OKButton, CancelButton, apply});

    connect(cmdLabel, &QPushButton::clicked, this, [this] { cmdLabel_Click(); });
    connect(cmdEmail, &QPushButton::clicked, this, [this] { FormEmail(); });
    connect(cmdPrint, &QPushButton::clicked, this, [this] { cmdPrint_Click(); });
    connect(refresh, &QPushButton::clicked, this, [this] { LoadData(); });
    connect(del, &QPushButton::clicked, this, [this] { cmdDelete_Click(); });
    connect(OKButton, &QPushButton::clicked, this, [this] { OKButton_Click(); });
    connect(CancelButton, &QPushButton::clicked, this, [this] { CancelButton_Click(); });
    connect(apply, &QPushButton::clicked, this, [this] { cmdApply_Click(); });
}

// --- Layout and events ------------------------------------------------------

void frmCustomer::layoutWindow()
{
    // The button bar along the bottom; the tabs take what is left, never
    // less than nothing.
    const int barHeight = BtnBar->sizeHint().height();
    const int w = width();
    const int h = height();
    BtnBar->setGeometry(0, Sys().NotBelowZeroInt(h - barHeight), w, barHeight);
    TabCtl->setGeometry(0, 0, w, Sys().NotBelowZeroInt(h - barHeight));
    sizeListColumns();
}

QSize frmCustomer::sizeHint() const
{
    const QSize tabs = TabCtl->sizeHint();
    const QSize bar = BtnBar->sizeHint();
    return {std::max(tabs.width(), bar.width()), tabs.height() + bar.height()};
}

void frmCustomer::sizeListColumns()
{
    // Columns share the list's width; the sortable date columns stay hidden.
    auto share = [](QTreeWidget* lv, std::initializer_list<double> parts) {
        const int width = lv->viewport()->width();
        int column = 0;
        const int last = int(parts.size()) - 1;
        for (double part : parts) {
            int size = column == last ? int(part * width) - 7 : int(part * width);
            lv->setColumnWidth(column++, Sys().NotBelowZeroInt(size));
        }
    };
    share(lvPS, {0.30, 0.34, 0.13, 0.13, 0.10});
    share(lvIssues, {0.10, 0.18, 0.37, 0.20, 0.15});
}

void frmCustomer::resizeEvent(QResizeEvent* event)
{
    RecordWindow<QWidget>::resizeEvent(event);
    layoutWindow();
}

void frmCustomer::TabCtl_Click()
{
    const int tab = TabCtl->currentIndex();
    const bool listTab = tab == 2 || tab == 3;
    EM->setVisible(!listTab);
    lblEdit->setVisible(!listTab && RowID >= 1);
    cmdEmail->setEnabled(!listTab);
    // The page shown takes the focus: the notes, or the list of a list tab
    // (its New button is one Tab further).
    if (tab == 1)
        SysUI().CtlSetFocus(txtNote);
    else if (tab == 2)
        SysUI().CtlSetFocus(lvPS);
    else if (tab == 3)
        SysUI().CtlSetFocus(lvIssues);
    sizeListColumns();
}

void frmCustomer::closeEvent(QCloseEvent* event)
{
    // A list being filled lets other events run between its rows; the
    // window goes only once the fill is over.
    if (m_filling > 0) {
        event->ignore();
        m_closeAfterFill = true;
        return;
    }
    RecordWindow<QWidget>::closeEvent(event);
}

// --- Commands -----------------------------------------------------------------

void frmCustomer::OKButton_Click() { SaveAndClose(); }

void frmCustomer::cmdApply_Click() { (void)SaveAndStay(); }

void frmCustomer::CancelButton_Click() { CancelAndClose(); }

void frmCustomer::cmdLabel_Click()
{
    auto* viewer = new frmRichEdit;
    viewer->Init(QStringLiteral("Mailing label text for ") + windowTitle(), MailingLabelText());
    viewer->show();
}

void frmCustomer::cmdCatList_Click(QComboBox* cbo, CatType::Kind catType)
{
    if (frmMain* main = mainWindow()) {
        if (catType == CatType::CustomerCategory)
            main->EditCustomerCategory();
        else if (catType == CatType::Country)
            main->EditCountryCategory();
        else
            main->EditStateCategory();
    }
    const qint32 selected = SysUI().cboGetItemID(cbo);
    DBUI().LoadCbo(cbo, DB().CategoryTable(), QStringLiteral("rowid"), QStringLiteral("desc"),
                   QStringLiteral("type"), catType, true, true, -1);
    cbo->setCurrentIndex(-1);
    if (selected != -1)
        SysUI().cboSelectAtID(cbo, selected);
    SysUI().CtlSetFocus(catType == CatType::CustomerCategory ? static_cast<QWidget*>(cboCatCategory) : cbo);
}

void frmCustomer::cmdCustomList_Click(QComboBox* cbo, CatType::Kind catType)
{
    const QString typed = cbo->currentText();
    customListEditor()(catType);
    DBUI().LoadCbo(cbo, DB().CategoryTable(), QStringLiteral("rowid"), QStringLiteral("desc"),
                   QStringLiteral("type"), catType, true, false, -1);
    cbo->setCurrentIndex(-1);
    cbo->setEditText(typed);
    SysUI().CtlSetFocus(cbo);
}

void frmCustomer::cmdDTStamp_Notes_Click()
{
    SysUI().TxtCtlInsertStr(txtNote, Sys().CurrDateTimeShort() + QStringLiteral(" by ") + DB().LoginName());
    txtNote->setFocus();
}

void frmCustomer::cmdNewPS_Click()
{
    if (!DB().Perm_PS())
        return;
    if (frmMain* main = mainWindow())
        main->ShowPS(-1, RowID, true);
}

void frmCustomer::cmdNewIssue_Click()
{
    if (!DB().Perm_Issues())
        return;
    frmMain* main = mainWindow();
    if (!main)
        return;
    qint32 templateId = -1;
    if (IsIssueTemplatesEnabled() && !main->GetIssueTemplateID(templateId))
        return;
    main->ShowIssue(-1, RowID, true, templateId);
}

void frmCustomer::cmdPrint_Click()
{
    const int tab = TabCtl->currentIndex();
    if (tab == 2)
        SysUI().ListViewPrint_GetPrinter(lvPS, QStringLiteral("Product/Services List for ") + MakeCustomerName(), true);
    else if (tab == 3)
        SysUI().ListViewPrint_GetPrinter(lvIssues, QStringLiteral("Issue List for ") + MakeCustomerName(), true);
    else
        FormPrint();
}
