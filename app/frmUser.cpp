#include "app/frmUser.h"

#include "app/EditModeCtl.h"
#include "app/StatisticCtl.h"
#include "common/PromptService.h"
#include "common/WaitCursor.h"
#include "common/clsSystem.h"
#include "common/ui/HelpContext.h"
#include "common/ui/ObjectTag.h"
#include "common/ui/TabChain.h"
#include "data/RecColl.h"
#include "data/clsDB.h"
#include "data/ui/FieldBox.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const QString kTable = QStringLiteral("bccuser.dbf");

// The permission list: text and position in the permission string.
const std::pair<const char*, int> kPermissions[frmUser::kPermissionRows] = {
    {"Edit Customers", 1},
    {"Edit Product/Services", 2},
    {"Edit Issues", 3},
    {"Edit Reports", 4},
    {"Allow Mail/Email (from Customer Reports)", 5},
    {"List Management", 6},
    {"Database Admin", 7},
};

constexpr int kLoginMin = 3;
constexpr int kLoginMax = 20;
// Names and department are kept shorter than their fields.
constexpr int kNameMax = 25;
constexpr int kDeptMax = 30;

// A box of a field of the user table; `cap` where the box is kept narrower
// than its field.
QLineEdit* lineEdit(QWidget* parent, const char* name, const char* field, int cap = 0)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    FieldBox::fit(box, Schema::Table::User, field, cap);
    setObjectTag(box, QStringLiteral("E"));
    return box;
}

} // namespace

frmUser::frmUser(QWidget* parent)
    : RecordWindow<QDialog>({QString(), DB().UserTable(), kTable, QStringLiteral("_userinfo"), nullptr, QString()},
                            parent)
{
    setObjectName(QStringLiteral("frmUser"));
    setEditKeyEntersOnly();
    setWindowTitle(QStringLiteral("User Properties"));
    HelpContext::set(this, kHelpContext);

    TabCtl = new QTabWidget(this);
    TabCtl->setObjectName(QStringLiteral("TabCtl"));
    TabCtl->addTab(buildLoginTab(), QStringLiteral("&Login"));
    txtNote = FieldBox::textBox(this, Schema::Table::User, "note");
    txtNote->setObjectName(QStringLiteral("txtNote"));
    txtNote->setAccessibleName(QStringLiteral("Additional Information"));
    setObjectTag(txtNote, QStringLiteral("E"));
    TabCtl->addTab(txtNote, QStringLiteral("&Additional Information"));
    auto* editTab = new QWidget(this);
    auto* editLayout = new QVBoxLayout(editTab);
    editLayout->addWidget(LE);
    editLayout->addStretch();
    TabCtl->addTab(editTab, QStringLiteral("Last E&dit"));
    connect(TabCtl, &QTabWidget::currentChanged, this, [this](int index) {
        if (index == 1)
            SysUI().CtlSetFocus(txtNote);
    });

    auto* refresh = new QPushButton(QStringLiteral("R&efresh"), this);
    auto* apply = new QPushButton(QStringLiteral("Apply"), this);
    OKButton = new QPushButton(QStringLiteral("OK"), this);
    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    OKButton->setDefault(true);
    refresh->setObjectName(QStringLiteral("cmdRefresh"));
    apply->setObjectName(QStringLiteral("cmdApply"));
    OKButton->setObjectName(QStringLiteral("OKButton"));
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    cmdRefresh = refresh;
    cmdApply = apply;
    cmdOK = OKButton;
    connect(refresh, &QPushButton::clicked, this, [this] { LoadData(); });
    connect(apply, &QPushButton::clicked, this, &frmUser::cmdApply_Click);
    connect(OKButton, &QPushButton::clicked, this, &frmUser::OKButton_Click);
    connect(CancelButton, &QPushButton::clicked, this, &frmUser::reject);

    auto* top = new QHBoxLayout;
    top->addWidget(EM);
    top->addStretch();
    top->addWidget(lblEdit);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(refresh);
    buttons->addStretch();
    buttons->addWidget(apply);
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(TabCtl);
    layout->addLayout(buttons);

    // The Tab order of the layout: the contract's controls were made first.
    setTabChain({lblEdit, TabCtl, txtLogin, txtFirstname, txtLastname, txtDept, chkActive, optUser, lstPermissions,
                 optAdmin, txtNote, refresh, apply, OKButton, CancelButton});

    InitControls();
    lblMsg->clear();
    TabCtl->setCurrentIndex(0);
    Saved = false;
}

QWidget* frmUser::buildLoginTab()
{
    auto* tab = new QWidget(this);
    Frame2 = new QGroupBox(QStringLiteral("User Information"), tab);
    txtLogin = lineEdit(Frame2, "txtLogin", "login", kLoginMax);
    txtFirstname = lineEdit(Frame2, "txtFirstname", "firstname", kNameMax);
    txtLastname = lineEdit(Frame2, "txtLastname", "lastname", kNameMax);
    txtDept = lineEdit(Frame2, "txtDept", "dept", kDeptMax);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    chkActive = new QCheckBox(QStringLiteral("Active"), Frame2);
    chkActive->setObjectName(QStringLiteral("chkActive"));
    setObjectTag(chkActive, QStringLiteral("E"));
    auto* info = new QGridLayout(Frame2);
    const std::pair<const char*, QLineEdit*> fields[] = {
        {"Login Name:", txtLogin},
        {"First Name:", txtFirstname},
        {"Last Name:", txtLastname},
        {"Department:", txtDept},
    };
    int row = 0;
    for (const auto& [caption, box] : fields) {
        auto* label = new QLabel(QLatin1String(caption), Frame2);
        label->setBuddy(box);
        info->addWidget(label, row, 0);
        info->addWidget(box, row, 1);
        ++row;
    }
    info->addWidget(chkActive, row, 1);

    Frame1 = new QGroupBox(QStringLiteral("Roles && Permissions"), tab);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    optUser = new QRadioButton(QStringLiteral("User Role (Rights && permissions as follows:)"), Frame1);
    optAdmin = new QRadioButton(QStringLiteral("Administrator Role  (Has ALL rights && permissions)"), Frame1);
    optUser->setObjectName(QStringLiteral("optUser"));
    optAdmin->setObjectName(QStringLiteral("optAdmin"));
    setObjectTag(optUser, QStringLiteral("E"));
    setObjectTag(optAdmin, QStringLiteral("E"));
    UserType = new QButtonGroup(this);
    UserType->addButton(optUser, 0);
    UserType->addButton(optAdmin, 1);
    // The checked state, not the click: assistive tools and the keyboard
    // check a role without clicking it.
    connect(UserType, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked)
            SetUI_LBPerm();
    });
    lstPermissions = new QListWidget(Frame1);
    lstPermissions->setObjectName(QStringLiteral("lstPermissions"));
    lstPermissions->setAccessibleName(QStringLiteral("Permissions"));
    lstPermissions->setSelectionMode(QAbstractItemView::MultiSelection);
    setObjectTag(lstPermissions, QStringLiteral("E"));
    Label4 = new QLabel(
        QStringLiteral("TIP: 'Edit' permission allows user to add/delete/update otherwise the screen is read-only"),
        Frame1);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setWordWrap(true);
    auto* roles = new QVBoxLayout(Frame1);
    roles->addWidget(optUser);
    roles->addWidget(lstPermissions);
    roles->addWidget(optAdmin);
    roles->addWidget(Label4);

    lblMsg = new QLabel(tab);
    lblMsg->setObjectName(QStringLiteral("lblMsg"));
    lblMsg->setWordWrap(true);
    auto* layout = new QVBoxLayout(tab);
    layout->addWidget(Frame2);
    layout->addWidget(Frame1);
    layout->addWidget(lblMsg);
    return tab;
}

void frmUser::Init(qint32 rowId, bool editMode)
{
    lblMsg->setText(rowId < 1 ? QStringLiteral("NOTE: The initial password for the user is the same as Login Name.")
                              : QString());
    RecordWindow<QDialog>::Init(rowId, editMode);
}

void frmUser::InitControls()
{
    for (QLineEdit* box : {txtLogin, txtFirstname, txtLastname, txtDept})
        box->clear();
    txtNote->clear();
    chkActive->setChecked(true);
    lstPermissions->clear();
    for (const auto& [text, position] : kPermissions) {
        auto* item = new QListWidgetItem(QLatin1String(text), lstPermissions);
        item->setData(Qt::UserRole, position);
    }
    SetPermListBox(DB().GetDefaultPermissionsStr());
    RecordWindow<QDialog>::InitControls();
}

void frmUser::setRole(int index)
{
    if (QAbstractButton* button = UserType->button(index))
        button->setChecked(true);
}

void frmUser::LoadData()
{
    const WaitCursor busy;
    InitControls();
    if (RowID > 0 && DB().CheckIfRecExists(table().path, kTable, RowID, false)) {
        RecColl coll(table().path, RowID, table().rectype);
        coll.set(QStringLiteral("_tablename"), kTable);
        if (DB().ReadRecord(coll, false)) {
            txtLogin->setText(coll.text(QStringLiteral("login")));
            txtFirstname->setText(coll.text(QStringLiteral("firstname")));
            txtLastname->setText(coll.text(QStringLiteral("lastname")));
            txtDept->setText(coll.text(QStringLiteral("dept")));
            chkActive->setChecked(coll.text(QStringLiteral("useractive")) == QLatin1String("T"));
            setRole(coll.text(QStringLiteral("usertype")) == DB().AdminCode() ? 1 : 0);
            txtNote->setPlainText(coll.text(QStringLiteral("note")));
            SetPermListBox(coll.text(QStringLiteral("perm")));
        }
        coll.clear();
        UpdateLastEditCtl();
    }
    setWindowTitle(QStringLiteral("User Properties @ ") + Sys().CurrTimeAMPM());
}

void frmUser::SetUI()
{
    RecordWindow<QDialog>::SetUI();
    SetUI_LBPerm();
    lblEdit->setVisible(RowID >= 0);
    if (RowID < 0)
        cmdRefresh->setEnabled(false);
}

void frmUser::SetUI_LBPerm()
{
    if (EM->InEditMode())
        lstPermissions->setEnabled(UserType->checkedId() == 0);
}

void frmUser::DoEditModeBtn()
{
    RecordWindow<QDialog>::DoEditModeBtn();
    SysUI().CtlSetFocus(TabCtl);
}

void frmUser::SetPermListBox(const QString& perm)
{
    for (int row = 0; row < lstPermissions->count(); ++row)
        lstPermissions->item(row)->setSelected(row < perm.size() && perm.at(row) == QLatin1Char('1'));
    lstPermissions->setCurrentRow(-1, QItemSelectionModel::NoUpdate);
}

QString frmUser::GetPermListBox() const
{
    QString perm = DB().GetDefaultPermissionsStr();
    for (int row = 0; row < lstPermissions->count(); ++row) {
        const QListWidgetItem* item = lstPermissions->item(row);
        const int position = item->data(Qt::UserRole).toInt();
        if (position >= 1 && position <= perm.size())
            perm[position - 1] = item->isSelected() ? QLatin1Char('1') : QLatin1Char('0');
    }
    return perm;
}

bool frmUser::ValidateData()
{
    const QString login = txtLogin->text();
    if (!Sys().StrAlphaDigitOnly(login) || login.size() < kLoginMin || login.size() > kLoginMax) {
        const QString crlf = QStringLiteral("\r\n");
        const QString length =
            QStringLiteral("Login Name must be between %1 and %2 characters long.").arg(kLoginMin).arg(kLoginMax);
        Sys().ShowMsg(length + crlf + QStringLiteral("Login Name may NOT contain spaces.") + crlf
                          + QStringLiteral("Login Name may only contain characters (A-Z) or digits (0-9).") + crlf,
                      2, -1);
        return false;
    }
    if (UserType->checkedId() < 0) {
        Sys().ShowMsg(QStringLiteral("Please choose either 'Administrator Role' or 'User Role' in the 'Roles & "
                                     "Permissions' section."),
                      2, -1);
        return false;
    }
    if (!DB().IsUniqueVal(RowID, login, QStringLiteral("login"), table().path)) {
        Sys().ShowMsg(QStringLiteral("Login name must be unique within the database!"), 2, -1);
        return false;
    }
    return true;
}

bool frmUser::SaveData()
{
    if (!ValidateData())
        return false;
    RecColl coll;
    coll.add(QStringLiteral("login"), txtLogin->text());
    coll.add(QStringLiteral("useractive"), chkActive->isChecked() ? QStringLiteral("T") : QStringLiteral("F"));
    coll.add(QStringLiteral("usertype"), UserType->checkedId() == 1 ? DB().AdminCode() : DB().UserCode());
    coll.add(QStringLiteral("perm"), GetPermListBox());
    coll.add(QStringLiteral("firstname"), txtFirstname->text().left(kNameMax));
    coll.add(QStringLiteral("lastname"), txtLastname->text().left(kNameMax));
    coll.add(QStringLiteral("dept"), txtDept->text().left(kDeptMax));
    // The box keeps line breaks as LF; the stored note has them as CR LF.
    coll.add(QStringLiteral("note"), txtNote->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n")));
    return StoreRecord(coll);
}

void frmUser::OKButton_Click()
{
    if (!SaveData())
        return;
    Saved = true;
    QDialog::accept();
}

void frmUser::cmdApply_Click()
{
    if (!SaveData())
        return;
    EM->ViewMode();
    UpdateLastEditCtl();
    SetUI();
    Saved = true;
}

void frmUser::reject()
{
    if (QueryClose())
        QDialog::reject();
}

void frmUser::closeEvent(QCloseEvent* event)
{
    // The close box goes through reject(), which asks once.
    QDialog::closeEvent(event);
}
