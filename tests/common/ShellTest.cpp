#include "common/HelpViewer.h"
#include "common/ProgramEnv.h"
#include "common/ScriptedPrompts.h"
#include "common/clsSystem.h"

#include "TestSupport.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

// Puts recording stand-ins for xdg-open and xdg-email first on PATH. Each
// writes its name and arguments to a log; a target containing "fail" makes
// it exit with an error, as the real helpers do when nothing can open it.
class ShellTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const QString& name : {QStringLiteral("xdg-open"), QStringLiteral("xdg-email")})
            writeFake(name);
        m_oldPath = qgetenv("PATH");
        qputenv("PATH", m_temp.path().toLocal8Bit() + ':' + m_oldPath);
    }
    void TearDown() override { qputenv("PATH", m_oldPath); }

    void writeFake(const QString& name)
    {
        QFile script(m_temp.file(name));
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nfor a in \"$@\"; do printf '%s %s\\n' \"$(basename \"$0\")\" \"$a\" >> '"
                     + m_log.toLocal8Bit() + "'; done\ncase \"$1\" in *fail*) exit 4;; esac\nexit 0\n");
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    QStringList launched() const
    {
        QFile f(m_log);
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QString::fromLocal8Bit(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    bmtest::TempFolder m_temp;
    QString m_log = m_temp.file(QStringLiteral("launched.log"));
    QByteArray m_oldPath;
    ScriptedPrompts m_prompts;
};

TEST_F(ShellTest, LaunchesHandTheirTargetToTheDesktop)
{
    const QString file = m_temp.file(QStringLiteral("report.csv"));
    QFile(file).open(QIODevice::WriteOnly);
    Sys().ShowFolder(m_temp.path());
    Sys().GotoWebsite(QStringLiteral("https://www.tarvelon.example/support?a=1&b=2"));
    Sys().GotoWebsite(QStringLiteral("www.tarvelon.example"));
    Sys().LaunchFile(file, QStringLiteral("report"));
    EXPECT_EQ(launched(), (QStringList{QStringLiteral("xdg-open ") + m_temp.path(),
                                       QStringLiteral("xdg-open https://www.tarvelon.example/support?a=1&b=2"),
                                       QStringLiteral("xdg-open http://www.tarvelon.example"),
                                       QStringLiteral("xdg-open ") + file}));
    EXPECT_TRUE(m_prompts.shown().isEmpty());
}

TEST_F(ShellTest, FailedLaunchesShowTheirMessages)
{
    const QString missing = m_temp.file(QStringLiteral("gone.pdf"));
    const QString failing = m_temp.file(QStringLiteral("fail"));
    QFile(failing).open(QIODevice::WriteOnly);
    Sys().LaunchFile(missing, QStringLiteral("Contract scan"));
    Sys().LaunchFile(missing);
    Sys().LaunchFile(failing);
    Sys().GotoWebsite(QStringLiteral("https://fail.example/"));
    Sys().ShowFolder(m_temp.file(QStringLiteral("nofolder")));
    const QString tail = QStringLiteral("'! No application may be associated with this file type.");
    const QStringList expected{QStringLiteral("Unable to launch 'Contract scan") + tail,
                               QStringLiteral("Unable to launch '") + missing + tail,
                               QStringLiteral("Unable to launch '") + failing + tail,
                               QStringLiteral("Unable to launch 'https://fail.example/") + tail,
                               QStringLiteral("Unable to open folder '") + m_temp.file(QStringLiteral("nofolder"))
                                   + QLatin1Char('\'')};
    ASSERT_EQ(m_prompts.shown().size(), expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(m_prompts.shown().at(i).text, expected.at(i));
        EXPECT_EQ(m_prompts.shown().at(i).style, 48);
        EXPECT_EQ(m_prompts.shown().at(i).title, QStringLiteral("Brindlemark"));
    }
}

TEST_F(ShellTest, SendEmailPercentEncodesTheAddressAndFailsSilently)
{
    Sys().SendEmail(QStringLiteral("anna smith@x.example?cc=boss@x.example&body=hi"));
    Sys().SendEmail(QString());
    Sys().SendEmail(QStringLiteral("fail@x.example"));
    EXPECT_EQ(launched(), (QStringList{QStringLiteral("xdg-email mailto:anna%20smith@x.example%3Fcc%3Dboss@x.example%26body%3Dhi"),
                                       QStringLiteral("xdg-email mailto:"),
                                       QStringLiteral("xdg-email mailto:fail@x.example")}));
    EXPECT_TRUE(m_prompts.shown().isEmpty());
}

TEST(Environment, TitleVersionAndComputerName)
{
    EXPECT_EQ(Sys().GetVersionString(), QStringLiteral("1.0"));
    EXPECT_EQ(Sys().GetAppTitle(), QStringLiteral("Brindlemark - v1.0"));
    ProgramEnv::setComputerName(QString(300, QLatin1Char('s')));
    EXPECT_EQ(Sys().GetLocalComputerName(), QString(255, QLatin1Char('s')));
    ProgramEnv::setComputerName(std::nullopt);
    EXPECT_FALSE(Sys().GetLocalComputerName().isEmpty());
}

TEST(Help, TopicsGoToTheViewerOrSayNoHelpIsAvailable)
{
    ScriptedPrompts prompts;
    Sys().ShowHelpTopic(1310);
    ASSERT_EQ(prompts.shown().size(), 1);
    EXPECT_EQ(prompts.last().text, QStringLiteral("No help is available."));

    QString file;
    long topic = -1;
    HelpViewer::set([&](const QString& f, long t, QString&) {
        file = f, topic = t;
        return true;
    });
    Sys().ShowHelpTopic(1310);
    EXPECT_EQ(topic, 1310);
    EXPECT_EQ(file, Sys().HelpFilename());
    Sys().ShowHelpContents();
    EXPECT_EQ(topic, 0);
    EXPECT_EQ(prompts.shown().size(), 1);

    // A page the viewer cannot read is reported as a file that cannot be launched.
    HelpViewer::set([](const QString&, long, QString& missing) {
        missing = QStringLiteral("/opt/bm/userman_issues.html");
        return false;
    });
    Sys().ShowHelpTopic(1310);
    HelpViewer::set({});
    ASSERT_EQ(prompts.shown().size(), 2);
    EXPECT_EQ(prompts.last().text, QStringLiteral("Unable to launch '/opt/bm/userman_issues.html'! No application may "
                                                  "be associated with this file type."));
    EXPECT_EQ(prompts.last().style, MsgStyle::Exclamation);
}

} // namespace
