#include "app/frmWelcome.h"

#include "app/frmMain.h"
#include "common/Product.h"
#include "common/clsSystem.h"
#include "common/mdlRegistry.h"
#include "common/ui/ObjectTag.h"
#include "data/clsDB.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QVersionNumber>

frmWelcome::frmWelcome(frmMain* main)
    : QDialog(main)
    , m_main(main)
{
    setObjectName(QStringLiteral("frmWelcome"));
    setObjectTag(this, QStringLiteral("MAIN_HELP"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowTitle(QStringLiteral("Help Center"));

    lblWelcome = new QLabel(QStringLiteral("Help Center"), this);
    lblWelcome->setObjectName(QStringLiteral("lblWelcome"));
    lblWelcome->setAlignment(Qt::AlignCenter);
    QFont big = lblWelcome->font();
    big.setPointSize(big.pointSize() * 3 / 2);
    big.setBold(true);
    lblWelcome->setFont(big);

    const bool open = DB().IsOpen();
    lblLoginName = new QLabel(QStringLiteral("You are logged in as '") + DB().LoginName()
                                  + QStringLiteral("' from machine '") + Sys().GetLocalComputerName()
                                  + QStringLiteral("'"),
                              this);
    lblLoginName->setObjectName(QStringLiteral("lblLoginName"));
    lblDatabase0 = new QLabel(
        QStringLiteral("You are accessing ") + Product::name() + QStringLiteral(" database located at: "), this);
    lblDatabase0->setObjectName(QStringLiteral("lblDatabase0"));
    txtDatabase = new QLineEdit(DB().DBPath(), this);
    txtDatabase->setObjectName(QStringLiteral("txtDatabase"));
    txtDatabase->setReadOnly(true);
    lblDatabase0->setBuddy(txtDatabase);
    lblLoginName->setVisible(open);
    lblDatabase0->setVisible(open);
    txtDatabase->setVisible(open);

    auto* links = new QVBoxLayout;
    lblTour = addLink("lblTour", QStringLiteral("Product Overview"), &frmMain::mnuHelpQuickTour_Click);
    lblTutorial = addLink("lblTutorial", QStringLiteral("Tutorial"), &frmMain::mnuHelpTutorial_Click);
    lblUserMan = addLink("lblUserMan", QStringLiteral("User Manual"), &frmMain::mnuHelpUserManual_Click);
    lblSpecSheet = addLink("lblSpecSheet", QStringLiteral("Spec Sheet (pdf)"), &frmMain::mnuHelpSpecSheet_Click);
    lblTip = addLink("lblTip", QStringLiteral("Tip of the day"), &frmMain::mnuHelpTip_Click);
    lblBackup = addLink("lblBackup", QStringLiteral("How to backup your data?"), &frmMain::mnuHelpBackup_Click);
    lblTarvelon =
        addLink("lblTarvelon", Product::name() + QStringLiteral(" Support"), &frmMain::mnuHelpSupport_Click);
    for (QLabel* link : {lblTour, lblTutorial, lblUserMan, lblSpecSheet, lblTip, lblBackup, lblTarvelon})
        links->addWidget(link);

    const QVersionNumber version = QVersionNumber::fromString(Product::version());
    lblVer = new QLabel(QStringLiteral("Application Version: %1.%2 Rev. %3")
                            .arg(version.majorVersion())
                            .arg(version.minorVersion())
                            .arg(version.microVersion()),
                        this);
    lblVer->setObjectName(QStringLiteral("lblVer"));
    lblDateTime = new QLabel(Sys().CurrDateTimeLong(), this);
    lblDateTime->setObjectName(QStringLiteral("lblDateTime"));

    ckDontShowAtStartup = new QCheckBox(QStringLiteral("Don't show at startup"), this);
    ckDontShowAtStartup->setObjectName(QStringLiteral("ckDontShowAtStartup"));
    ckDontShowAtStartup->setChecked(GetPrefLong(QStringLiteral("WelcomeShowAtStartup")) == 1);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(cmdCancel, &QPushButton::clicked, this, &frmWelcome::close);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(ckDontShowAtStartup);
    bottom->addStretch();
    bottom->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblWelcome);
    layout->addWidget(lblLoginName);
    layout->addWidget(lblDatabase0);
    layout->addWidget(txtDatabase);
    layout->addLayout(links);
    layout->addWidget(lblVer);
    layout->addWidget(lblDateTime);
    layout->addLayout(bottom);

    Timer1 = new QTimer(this);
    Timer1->setInterval(45000);
    connect(Timer1, &QTimer::timeout, this, &frmWelcome::Timer1_Timer);
    Timer1->start();
}

QLabel* frmWelcome::addLink(const char* name, const QString& text, void (frmMain::*member)())
{
    auto* link = new QLabel(QStringLiteral("<a href=\"#\">") + text.toHtmlEscaped() + QStringLiteral("</a>"), this);
    link->setObjectName(QString::fromLatin1(name));
    link->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    link->setFocusPolicy(Qt::StrongFocus);
    link->setAccessibleName(text);
    connect(link, &QLabel::linkActivated, this, [this, member] { (m_main->*member)(); });
    return link;
}

void frmWelcome::Timer1_Timer() { lblDateTime->setText(Sys().CurrDateTimeLong()); }

// Every way of closing ends here: Cancel and the close box through the
// dialog's close event, Esc directly.
void frmWelcome::done(int result)
{
    SavePrefLong(QStringLiteral("WelcomeShowAtStartup"), ckDontShowAtStartup->isChecked() ? 1 : 0);
    QDialog::done(result);
}
