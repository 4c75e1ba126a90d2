#include "data/ui/frmUnderEditMsg.h"

#include "common/ui/HelpContext.h"
#include "data/DbNotices.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

frmUnderEditMsg::frmUnderEditMsg(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmUnderEditMsg"));
    setWindowTitle(QStringLiteral("Record Currently Under Edit"));
    HelpContext::set(this, kHelpContext);
    imgWarn = new QLabel(this);
    imgWarn->setObjectName(QStringLiteral("imgWarn"));
    imgWarn->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32));
    lblMsg = new QLabel(this);
    lblMsg->setObjectName(QStringLiteral("lblMsg"));
    lblMsg->setWordWrap(true);
    OKButton = new QPushButton(QStringLiteral("Edi&t the record anyway"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    CancelButton = new QPushButton(QStringLiteral("I will try &later "), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    CancelButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &frmUnderEditMsg::OKButton_Click);
    connect(CancelButton, &QPushButton::clicked, this, &frmUnderEditMsg::CancelButton_Click);

    auto* top = new QHBoxLayout;
    top->addWidget(imgWarn, 0, Qt::AlignTop);
    top->addWidget(lblMsg, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CancelButton);
    buttons->addWidget(OKButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);
    setTabOrder(CancelButton, OKButton);
    CancelButton->setFocus();
}

void frmUnderEditMsg::Init(const QString& userName, const QString& computerName)
{
    lblMsg->setText(DbNotice::underEdit(userName, computerName));
    EditAnyway = false;
}

void frmUnderEditMsg::OKButton_Click()
{
    EditAnyway = true;
    accept();
}

void frmUnderEditMsg::CancelButton_Click()
{
    EditAnyway = false;
    reject();
}
