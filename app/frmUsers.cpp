#include "app/frmUsers.h"

#include "app/WindowCreators.h"
#include "app/frmUser.h"
#include "common/PromptService.h"
#include "common/RunError.h"
#include "common/WaitCursor.h"
#include "common/Win1252.h"
#include "common/clsSystem.h"
#include "common/ui/EnterInList.h"
#include "common/ui/FirstSize.h"
#include "common/ui/HelpContext.h"
#include "common/ui/clsSystemUI.h"
#include "common/ui/TabChain.h"
#include "data/clsDB.h"
#include "xbase/IndexC4.h"
#include "xbase/c4.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>

namespace {

const QString kTable = QStringLiteral("bccuser.dbf");

bool isAdminAccount(const QString& login) { return login.toUpper() == QLatin1String("ADMIN"); }

} // namespace

frmUsers::frmUsers(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmUsers"));
    setWindowTitle(QStringLiteral("Edit Users"));
    HelpContext::set(this, kHelpContext);
    showUserWindow = [](frmUser& window) { Prompts().execDialog(&window); };

    Frame1 = new QGroupBox(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    lv = new QTreeWidget(Frame1);
    lv->setObjectName(QStringLiteral("lv"));
    lv->setAccessibleName(QStringLiteral("Users"));
    lv->setRootIsDecorated(false);
    lv->setSelectionMode(QAbstractItemView::SingleSelection);
    lv->setColumnCount(4);
    lv->setHeaderLabels({QStringLiteral("Login Name"), QStringLiteral("Name"), QStringLiteral("Role"),
                         QStringLiteral("Active?")});
    lv->header()->setSectionsClickable(true);
    // The window first opens wide enough for every column.
    lv->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    onEnterInList(lv, [this] { cmdProperties_Click(); });
    lblNumUsers = new QLabel(QStringLiteral("x Users"), Frame1);
    lblNumUsers->setObjectName(QStringLiteral("lblNumUsers"));
    auto* frameLayout = new QVBoxLayout(Frame1);
    frameLayout->addWidget(lv);
    frameLayout->addWidget(lblNumUsers);

    cmdAdd = new QPushButton(QStringLiteral("A&dd..."), this);
    cmdProperties = new QPushButton(QStringLiteral("&Properties"), this);
    cmdRemove = new QPushButton(QStringLiteral("&Remove"), this);
    cmdResetPassword = new QPushButton(QStringLiteral("Reset Password"), this);
    cmdRefresh = new QPushButton(QStringLiteral("R&efresh"), this);
    OKButton = new QPushButton(QStringLiteral("&Close"), this);
    const std::pair<QPushButton*, const char*> names[] = {
        {cmdAdd, "cmdAdd"},         {cmdProperties, "cmdProperties"}, {cmdRemove, "cmdRemove"},
        {cmdResetPassword, "cmdResetPassword"}, {cmdRefresh, "cmdRefresh"}, {OKButton, "OKButton"},
    };
    // Enter on the list opens the properties; no button takes it first.
    for (const auto& [button, name] : names) {
        button->setObjectName(QLatin1String(name));
        button->setAutoDefault(false);
    }
    connect(cmdAdd, &QPushButton::clicked, this, &frmUsers::cmdAdd_Click);
    connect(cmdProperties, &QPushButton::clicked, this, &frmUsers::cmdProperties_Click);
    connect(cmdRemove, &QPushButton::clicked, this, &frmUsers::cmdRemove_Click);
    connect(cmdResetPassword, &QPushButton::clicked, this, &frmUsers::cmdResetPassword_Click);
    connect(cmdRefresh, &QPushButton::clicked, this, &frmUsers::cmdRefresh_Click);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(lv, &QTreeWidget::itemSelectionChanged, this, &frmUsers::SetUI);
    connect(lv, &QTreeWidget::itemDoubleClicked, this, [this] { cmdProperties_Click(); });
    connect(lv->header(), &QHeaderView::sectionClicked, this, [this](int column) { SysUI().LVSort(lv, column); });

    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {cmdAdd, cmdProperties, cmdRemove, cmdResetPassword, cmdRefresh})
        buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(OKButton);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(Frame1, 1);
    layout->addLayout(buttons);
    setTabChain({lv, cmdAdd, cmdProperties, cmdRemove, cmdResetPassword, cmdRefresh, OKButton});

    LoadData(-1);
    SetUI();
    fitFirstSize(this);
}

void frmUsers::DisplayUserCnt()
{
    lblNumUsers->setText(QString::number(lv->topLevelItemCount()) + QStringLiteral(" user(s)"));
}

void frmUsers::SetUI()
{
    const bool selected = SysUI().LvIsItemSelected(lv);
    cmdRemove->setEnabled(selected);
    cmdProperties->setEnabled(selected);
    cmdResetPassword->setEnabled(selected);
}

int frmUsers::fillRows(DATA4* table)
{
    TAG4* tag = d4tag(table, "login");
    int rc = tag ? d4tagSelect(table, tag) : C4_ERR_TAG;
    if (rc < 0)
        return rc;
    FIELD4* rowid = d4field(table, "rowid");
    const char* const names[] = {"login", "firstname", "lastname", "usertype", "useractive"};
    FIELD4* fields[std::size(names)] = {};
    for (size_t i = 0; i < std::size(names); ++i)
        fields[i] = d4field(table, names[i]);
    if (!rowid || std::find(std::begin(fields), std::end(fields), nullptr) != std::end(fields))
        return C4_ERR_ARGUMENT;
    const auto text = [](FIELD4* field) { return fromWin1252(f4ptr(field), f4len_v(field)).trimmed(); };
    lv->clear();
    for (rc = d4top(table); rc == 0; rc = d4skip(table, 1)) {
        const QString name = Sys().MakeFullName(text(fields[1]), text(fields[2]));
        SysUI().lvAddItem(lv, QStringLiteral("N%1").arg(f4long(rowid)),
                          {text(fields[0]), name, DB().GetUserTypeStr(text(fields[3])),
                           DB().TorF2Str(text(fields[4]))});
    }
    return rc;
}

void frmUsers::LoadData(qint32 SelectID)
{
    WaitCursor busy;
    const QString remembered = SysUI().LvGetSelectedItemKey(lv);
    DATA4* table = DB().OpenTable(DB().UserTable());
    if (!table) {
        return;
    }
    const int rc = fillRows(table);
    const RunError error = rc < 0 ? DB().TakeEngineError(rc) : RunError{};
    d4close(table);
    if (error.isError()) {
        busy.done();
        Sys().ShowError(QStringLiteral("frmUsers_LoadData"), error);
        return;
    }
    if (SelectID > 0)
        SysUI().LvSelectItem(lv, QStringLiteral("N%1").arg(SelectID));
    DisplayUserCnt();
    setWindowTitle(QStringLiteral("System Users @ ") + Sys().CurrTimeAMPM());
    SysUI().LvSelectFirstItem(lv);
    SysUI().LvSelectItem(lv, remembered);
}

qint32 frmUsers::selectedId() const { return SysUI().LvGetSelectedItemKey(lv).mid(1).toInt(); }

void frmUsers::openUser(qint32 rowId, bool editMode)
{
    frmUser window(this);
    window.Init(rowId, editMode);
    showUserWindow(window);
    if (window.Saved) {
        LoadData(window.UserID());
        SetUI();
    }
}

void frmUsers::cmdAdd_Click() { openUser(-1, true); }

void frmUsers::cmdProperties_Click()
{
    if (!SysUI().LvIsItemSelected(lv))
        return;
    if (isAdminAccount(SysUI().LvGetSelectedItemText(lv))) {
        Sys().ShowMsg(QStringLiteral("ADMIN is a system account. It cannot be modified. You can, however, change "
                                     "password for ADMIN. To change password for ADMIN, login as ADMIN (initial "
                                     "password for ADMIN is VORNE) and choose File, Change Password... menu."),
                      1, -1);
        return;
    }
    const qint32 id = selectedId();
    if (!DB().CheckIfRecExists(DB().UserTable(), kTable, id, false))
        return;
    openUser(id, false);
}

void frmUsers::cmdRemove_Click()
{
    if (!SysUI().LvIsItemSelected(lv))
        return;
    const QString text = QStringLiteral(
        "To preserve history of edits by a user, deletion of users is NOT allowed. However, you may INACTIVATE a "
        "user by unchecking the Active checkbox on User Properties dialog box.\n\nWould like to view Properties "
        "for this user?");
    if (MsgBox(text, MsgStyle::YesNo + MsgStyle::Question) == MsgAnswer::Yes)
        cmdProperties_Click();
}

void frmUsers::cmdResetPassword_Click()
{
    if (!SysUI().LvIsItemSelected(lv))
        return;
    const qint32 id = selectedId();
    if (!DB().CheckIfRecExists(DB().UserTable(), kTable, id, false))
        return;
    const QString login = SysUI().LvGetSelectedItemText(lv);
    const QString question = QStringLiteral("Do you want to RESET the password for user '") + login
        + QStringLiteral("'?\nAfter reset, the password will be:\n\n") + login;
    if (MsgBox(question, MsgStyle::YesNoCancel + MsgStyle::Question + MsgStyle::DefaultButton2) != MsgAnswer::Yes)
        return;
    if (DB().SetPassword(id, QString()))
        MsgBox(QStringLiteral("The password for user '") + login + QStringLiteral("' has been reset to: ") + login,
               MsgStyle::Information);
    else
        MsgBox(QStringLiteral("Unable to reset password!"), MsgStyle::Exclamation);
}

void frmUsers::cmdRefresh_Click()
{
    LoadData(-1);
    SetUI();
}

void registerUserWindows()
{
    WindowCreators::set(WindowCreators::Kind::Users, [](QWidget* parent) { return new frmUsers(parent); });
}
