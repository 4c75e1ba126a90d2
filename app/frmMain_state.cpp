#include "app/frmMain.h"

#include "app/clsCustomLabels.h"
#include "common/clsSystem.h"
#include "data/clsDB.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QToolBar>

// The frame's two states follow the database object each time SetUI runs.

namespace {

// A hidden menu's items keep their shortcuts unless they are disabled too.
void enableTree(QMenu* menu, bool enabled)
{
    menu->menuAction()->setVisible(enabled);
    const QList<QAction*> actions = menu->actions();
    for (QAction* action : actions) {
        if (action->menu())
            enableTree(action->menu(), enabled);
        action->setEnabled(enabled);
    }
}

} // namespace

void frmMain::buildStatusBar()
{
    statusBar()->setObjectName(QStringLiteral("STATUS"));
    m_panel1 = new QLabel(this);
    m_panel1->setObjectName(QStringLiteral("STATUS_Panel1"));
    m_panel2 = new QLabel(this);
    m_panel2->setObjectName(QStringLiteral("STATUS_Panel2"));
    statusBar()->addWidget(m_panel1, 1);
    statusBar()->addPermanentWidget(m_panel2);
}

void frmMain::SetWindowCaption() { setWindowTitle(Sys().GetAppTitle()); }

void frmMain::SetUI()
{
    SetMenus();
    SetStatusBar();
    SetWindowCaption();
}

void frmMain::SetMenus()
{
    const bool open = DB().IsOpen();
    actionNamed(QStringLiteral("mnuFileNew"))->setEnabled(!open);
    actionNamed(QStringLiteral("mnuFileOpen"))->setEnabled(!open);
    actionNamed(QStringLiteral("mnuFileClose"))->setEnabled(open);
    actionNamed(QStringLiteral("mnuFileChangePWD"))->setEnabled(open);
    actionNamed(QStringLiteral("mnuDisplayDataFolder"))->setEnabled(open);
    enableTree(menuNamed(QStringLiteral("mnuView")), open);
    TB->setVisible(open);
    TB->toggleViewAction()->setVisible(false);
    enableTree(m_windowMenu, open);
}

void frmMain::SetStatusBar()
{
    const QString computer = Sys().GetLocalComputerName().toUpper();
    const QString blanks = QStringLiteral("  ");
    if (DB().IsOpen()) {
        m_panel1->setText(QStringLiteral("Database Location: ") + DB().DBPath());
        m_panel2->setText(QStringLiteral("User: ") + computer + QLatin1Char('\\') + DB().LoginName() + blanks);
    } else {
        m_panel1->setText(QStringLiteral("Choose File menu to open or create database."));
        m_panel2->setText(QStringLiteral("Machine: ") + computer + blanks);
    }
}

QString frmMain::statusText(int panel) const
{
    return panel == 1 ? m_panel1->text() : m_panel2->text();
}

// The entries that name a field follow the field's display name in the open
// database; the other List Management entries keep their captions.
void frmMain::SetCustomMenuLabels()
{
    if (!DB().IsOpen())
        return;
    const clsCustomLabels& labels = CustomLabels();
    const struct {
        const char* menuItem;
        const char* buttonKey;
        QString text;
    } entries[] = {
        {"mnuViewLMCustCat", "CATCUST", QStringLiteral("Customer ") + labels.GetCustomerLabelName(QStringLiteral("custcat"), false)},
        {"mnuViewLMStatesProvinces", "CATSTATES", labels.GetCustomerLabelName(QStringLiteral("state"), false)},
        {"mnuViewLMCountries", "CATCOUNTRIES", labels.GetCustomerLabelName(QStringLiteral("country"), false)},
        {"mnuViewLMPSContractTypes", "CATCONT", labels.GetPSLabelName(QStringLiteral("conttype"), false)},
        {"mnuViewLMPSContractDurations", "CATCONTDUR", labels.GetPSLabelName(QStringLiteral("contdur"), false)},
        {"mnuViewLMIssueCategory", "CATICAT", QStringLiteral("Issue ") + labels.GetIssueLabelName(QStringLiteral("issuecat"), false)},
    };
    for (const auto& e : entries) {
        // A name typed with "&" shows it rather than underlining a key.
        QString text = e.text;
        text.replace(QLatin1Char('&'), QStringLiteral("&&"));
        actionNamed(QString::fromLatin1(e.menuItem))->setText(text + QStringLiteral("..."));
        buttonMenuEntry(QStringLiteral("LISTMGMT"), QString::fromLatin1(e.buttonKey))->setText(text);
    }
}
