#include "app/frmMain.h"

#include "app/frmSplash.h"
#include "app/frmTip.h"
#include "common/Product.h"
#include "common/ProgramEnv.h"
#include "common/PromptService.h"
#include "common/clsSystem.h"
#include "common/ui/clsSystemUI.h"
#include "common/ui/frmProgress.h"
#include "data/clsDB.h"

// The Help menu: help topics, the maker's pages, the tip, the backup advice
// and the About box.

void frmMain::mnuHelpFAQs_Click() { GotoWebsite(Sys().cTvWebsite() + QStringLiteral("products/bmk/faqs/")); }

void frmMain::mnuHelpQuickTour_Click() { Sys().ShowHelpTopic(1000); }

void frmMain::mnuHelpTutorial_Click() { Sys().ShowHelpTopic(2000); }

void frmMain::mnuHelpUserManual_Click() { Sys().ShowHelpContents(); }

void frmMain::mnuHelpSpecSheet_Click()
{
    Sys().LaunchFile(Sys().MakePath(ProgramEnv::programFolder(), QStringLiteral("brindlemark_specs.pdf")));
}

void frmMain::mnuHelpTip_Click()
{
    if (m_tip) {
        m_tip->showNormal();
        m_tip->raise();
        m_tip->activateWindow();
        return;
    }
    m_tip = new frmTip(this);
    m_tip->show();
}

void frmMain::mnuHelpSupport_Click()
{
    const QString text = QStringLiteral("Support for ") + Product::name()
        + QStringLiteral(" can be obtained online at ") + Sys().cTvWebsite() + Sys().LF(2)
        + QStringLiteral("Would you like to go to this website?");
    if (MsgBox(text, MsgStyle::YesNoCancel + MsgStyle::Question, Sys().GetAppTitle()) == MsgAnswer::Yes)
        Sys().GotoTVWebsite();
}

void frmMain::mnuHelpBackup_Click() { Sys().ShowMsg(BackupMsg(DB().DBPath()), 1, 1610); }

void frmMain::mnuHelpAbout_Click()
{
    frmSplash about(this);
    about.exec();
}

void frmMain::mnuHelpBulkIssues_Click()
{
    frmProgress* wait = nullptr;
    SysUI().WaitDlgShow(wait, QStringLiteral("Adding issues"), QStringLiteral("Please wait..."), true, true);
    DB().AddBulkIssues(*wait);
    SysUI().WaitDlgRemove(wait);
}

void frmMain::GotoWebsite(const QString& url) { Sys().GotoWebsite(url); }
