#include "AppFixture.h"

#include "app/frmMain.h"
#include "common/HelpViewer.h"
#include "common/ProgramEnv.h"
#include "common/clsSystem.h"
#include "common/ui/HelpBrowser.h"
#include "common/ui/HelpContext.h"
#include "common/ui/frmMessage.h"
#include "data/ui/frmLogin.h"
#include "data/ui/frmUnderEditMsg.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

namespace {

const QString kNoApplication = QStringLiteral("'! No application may be associated with this file type.");

// The anchors of the page the viewer shows, as Qt read them.
QStringList anchorsShown()
{
    QStringList names;
    const QTextDocument* doc = HelpBrowser::current()->txtPage->document();
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it)
            names += it.fragment().charFormat().anchorNames();
    }
    return names;
}

QString pageShown() { return HelpBrowser::current()->address().adjusted(QUrl::RemoveFragment).toLocalFile(); }

QString anchorShown() { return HelpBrowser::current()->address().fragment(); }

// The real viewer and F1 handling over the help pages the build put into the
// program folder.
class HelpTest : public AppFixture {
protected:
    HelpTest()
    {
        HelpBrowser::install();
        HelpContext::installF1Handler();
    }
    ~HelpTest() override
    {
        HelpContext::removeF1Handler();
        HelpBrowser::uninstall();
    }

    QString programFile(const QString& name) const { return QDir(ProgramEnv::programFolder()).filePath(name); }

    void showMain()
    {
        m_main.SetUI();
        m_main.setWindowState(Qt::WindowNoState);
        m_main.resize(800, 600);
        m_main.show();
        m_main.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_main));
    }

    frmMain m_main;
};

TEST_F(HelpTest, EveryHelpContextOfTheProgramHasItsAnchor)
{
    const int contexts[] = {1000, 1030, 1040, 1050, 1060, 1070, 1080, 1090, 1210, 1220, 1230,
                            1300, 1310, 1320, 1335, 1400, 1410, 1500, 1510, 1600, 1610, 2000};
    for (int context : contexts) {
        Sys().ShowHelpTopic(context);
        ASSERT_NE(HelpBrowser::current(), nullptr);
        EXPECT_EQ(anchorShown(), QString::number(context));
        EXPECT_NE(pageShown(), programFile(QStringLiteral("userman.html"))) << context;
        EXPECT_TRUE(anchorsShown().contains(QString::number(context))) << context;
        EXPECT_TRUE(HelpBrowser::current()->isVisible());
    }
    EXPECT_TRUE(m_prompts.shown().isEmpty());
}

TEST_F(HelpTest, HelpMenuItemsOpenTheirTopics)
{
    const struct {
        const char* item;
        const char* page;
        const char* anchor;
    } cases[] = {
        {"mnuHelpQuickTour", "userman_start.html", "1000"},
        {"mnuHelpTutorial", "userman_start.html", "2000"},
        {"mnuHelpUserManual", "userman.html", ""},
    };
    for (const auto& c : cases) {
        m_main.findChild<QAction*>(QString::fromLatin1(c.item))->trigger();
        ASSERT_NE(HelpBrowser::current(), nullptr);
        EXPECT_EQ(pageShown(), programFile(QString::fromLatin1(c.page))) << c.item;
        EXPECT_EQ(anchorShown(), QString::fromLatin1(c.anchor)) << c.item;
    }
    EXPECT_EQ(HelpBrowser::current()->windowTitle(), QStringLiteral("Brindlemark User Manual"));
}

TEST_F(HelpTest, F1OpensTheTopicOfTheWindowItIsPressedIn)
{
    showMain();
    QTest::keyClick(&m_main, Qt::Key_F1);
    ASSERT_NE(HelpBrowser::current(), nullptr);
    EXPECT_EQ(pageShown(), programFile(QStringLiteral("userman.html")));
    EXPECT_EQ(anchorShown(), QString());

    auto* form = new QWidget;
    auto* field = new QLineEdit(form);
    (new QVBoxLayout(form))->addWidget(field);
    HelpContext::set(form, 1300);
    m_main.addMdiChild(form);
    form->show();
    QTest::keyClick(field, Qt::Key_F1);
    EXPECT_EQ(pageShown(), programFile(QStringLiteral("userman_customers.html")));
    EXPECT_EQ(anchorShown(), QStringLiteral("1300"));

    // A dialog that the window owns has its own topic, or none.
    QDialog plain(form);
    QTest::keyClick(&plain, Qt::Key_F1);
    EXPECT_EQ(pageShown(), programFile(QStringLiteral("userman.html")));
    frmMessage notice(form);
    notice.Init(QStringLiteral("created"), 1, 1610);
    QTest::keyClick(&notice, Qt::Key_F1);
    EXPECT_EQ(anchorShown(), QStringLiteral("1610"));
    notice.Init(QStringLiteral("plain"), 1, -1);
    QTest::keyClick(&notice, Qt::Key_F1);
    EXPECT_EQ(anchorShown(), QString());

    frmLogin login;
    QTest::keyClick(login.txtPassword, Qt::Key_F1);
    EXPECT_EQ(anchorShown(), QStringLiteral("1040"));
    HelpBrowser::current()->cmdContents->click();
    login.cmdHelp->click();
    EXPECT_EQ(anchorShown(), QStringLiteral("1040"));
    frmUnderEditMsg underEdit;
    QTest::keyClick(&underEdit, Qt::Key_F1);
    EXPECT_EQ(anchorShown(), QStringLiteral("1050"));
    EXPECT_TRUE(m_prompts.shown().isEmpty());
}

TEST_F(HelpTest, F1InAWindowWithATopicDoesNotAlsoOpenTheContents)
{
    showMain();
    QList<long> topics;
    HelpViewer::set([&topics](const QString&, long topic, QString&) {
        topics.append(topic);
        return true;
    });
    auto* form = new QLineEdit;
    HelpContext::set(form, 1320);
    m_main.addMdiChild(form);
    form->show();
    form->setFocus();
    QTest::keyClick(form, Qt::Key_F1);
    QTest::keyClick(&m_main, Qt::Key_F1);
    EXPECT_EQ(topics, (QList<long>{1320, 0}));
}

TEST_F(HelpTest, OpenedFromAModalDialogTheViewerTakesInputToo)
{
    QDialog dialog;
    dialog.setModal(true);
    dialog.show();
    ASSERT_EQ(QApplication::activeModalWidget(), &dialog);
    Sys().ShowHelpTopic(1040);
    EXPECT_EQ(HelpBrowser::current()->windowModality(), Qt::ApplicationModal);
    dialog.close();
    Sys().ShowHelpContents();
    EXPECT_EQ(HelpBrowser::current()->windowModality(), Qt::NonModal);
    EXPECT_TRUE(HelpBrowser::current()->isVisible());
}

TEST_F(HelpTest, TheViewerGoesBackAndToTheContents)
{
    Sys().ShowHelpTopic(1310);
    HelpBrowser* viewer = HelpBrowser::current();
    EXPECT_FALSE(viewer->cmdBack->isEnabled());
    viewer->cmdContents->click();
    EXPECT_EQ(pageShown(), programFile(QStringLiteral("userman.html")));
    ASSERT_TRUE(viewer->cmdBack->isEnabled());
    viewer->cmdBack->click();
    EXPECT_EQ(anchorShown(), QStringLiteral("1310"));
    EXPECT_TRUE(viewer->cmdForward->isEnabled());
    viewer->cmdClose->click();
    EXPECT_FALSE(viewer->isVisible());
    for (QPushButton* b : viewer->findChildren<QPushButton*>())
        EXPECT_FALSE(b->text().isEmpty());
}

TEST_F(HelpTest, MissingPagesCannotBeLaunched)
{
    const QByteArray oldProgramDir = qgetenv("BM_PROGRAM_DIR");
    const QString builtContents = programFile(QStringLiteral("userman.html"));
    const QString folder = m_temp.file(QStringLiteral("program"));
    ASSERT_TRUE(QDir().mkpath(folder));
    qputenv("BM_PROGRAM_DIR", folder.toLocal8Bit());

    Sys().ShowHelpContents();
    ASSERT_TRUE(QFile::copy(builtContents, folder + QStringLiteral("/userman.html")));
    Sys().ShowHelpTopic(1300);
    // A number the contents do not list shows the contents.
    Sys().ShowHelpTopic(4242);
    qputenv("BM_PROGRAM_DIR", oldProgramDir);

    EXPECT_EQ(shownTexts(ShownPrompt::Kind::MessageBox),
              (QStringList{QStringLiteral("Unable to launch '") + folder + QStringLiteral("/userman.html") + kNoApplication,
                           QStringLiteral("Unable to launch '") + folder + QStringLiteral("/userman_customers.html")
                               + kNoApplication}));
    ASSERT_NE(HelpBrowser::current(), nullptr);
    EXPECT_EQ(pageShown(), folder + QStringLiteral("/userman.html"));
}

TEST_F(HelpTest, TheSpecificationsSheetIsLaunchedAndNamesTheProductAndVersion)
{
    const QString sheet = programFile(QStringLiteral("brindlemark_specs.pdf"));
    m_main.findChild<QAction*>(QStringLiteral("mnuHelpSpecSheet"))->trigger();
    EXPECT_EQ(m_launched, QList<QStringList>{(QStringList{QStringLiteral("xdg-open"), sheet})});
    EXPECT_TRUE(m_prompts.shown().isEmpty());

    if (!QFile::exists(QStringLiteral("/usr/bin/pdftotext")))
        GTEST_SKIP() << "pdftotext is not installed";
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("/usr/bin/pdftotext"), {sheet, QStringLiteral("-")});
    ASSERT_TRUE(pdftotext.waitForFinished(30000));
    ASSERT_EQ(pdftotext.exitCode(), 0);
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
    EXPECT_TRUE(text.startsWith(QStringLiteral("Brindlemark\n"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Specifications Sheet")));
    EXPECT_TRUE(text.contains(QStringLiteral("Version 1.0 Rev. 0")));
    EXPECT_TRUE(text.contains(QStringLiteral("FoxPro-compatible xBase tables")));
}

TEST_F(HelpTest, AMissingSpecificationsSheetCannotBeLaunched)
{
    const QByteArray oldProgramDir = qgetenv("BM_PROGRAM_DIR");
    qputenv("BM_PROGRAM_DIR", m_temp.path().toLocal8Bit());
    m_main.mnuHelpSpecSheet_Click();
    qputenv("BM_PROGRAM_DIR", oldProgramDir);
    EXPECT_TRUE(m_launched.isEmpty());
    EXPECT_EQ(shownTexts(ShownPrompt::Kind::MessageBox),
              QStringList{QStringLiteral("Unable to launch '") + m_temp.path() + QStringLiteral("/brindlemark_specs.pdf")
                          + kNoApplication});
}

} // namespace
