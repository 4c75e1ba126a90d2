#include "AdminFixture.h"

#include "app/frmOptions.h"
#include "common/RunError.h"
#include "common/ShellRunner.h"
#include "common/mdlRegistry.h"
#include "common/ui/WidgetPrompts.h"

#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>

namespace {

const QString kSubject = QStringLiteral("<<Verify Email Address and Enter Subject>>");
const QString kNoProgramFirst = QStringLiteral("Unable to initiate your email software! ");
const QString kNoLinkFirst = QStringLiteral("Unable to initiate Microsoft Outlook!");
const QString kOptionsAdvice = QStringLiteral("Please choose View, Options menu to check or change your Email options.");

// The scripted prompts for everything but the mail hand-off, which goes the
// real way (through the recorded helper programs).
class RealHandOff final : public PromptService {
public:
    explicit RealHandOff(ScriptedPrompts& scripted) : m_scripted(scripted), m_previous(setPrompts(this)) {}
    ~RealHandOff() override { setPrompts(m_previous); }

    MsgAnswer messageBox(const MsgBoxRequest& r) override { return m_scripted.messageBox(r); }
    void messageWindow(const QString& t, int i, int h) override { m_scripted.messageWindow(t, i, h); }
    std::optional<QString> inputBox(const QString& p, const QString& t, const QString& d, int h) override
    {
        return m_scripted.inputBox(p, t, d, h);
    }
    std::optional<QString> fileDialog(const FileDialogRequest& r) override { return m_scripted.fileDialog(r); }
    QString folderDialog(const QString& t, const QString& s, bool f) override { return m_scripted.folderDialog(t, s, f); }
    bool printerDialog(QPrinter* p, const QString& t) override { return m_scripted.printerDialog(p, t); }
    std::optional<PrinterChoice> printerSelection(const QString& c) override { return m_scripted.printerSelection(c); }
    bool execDialog(QObject* d) override { return m_scripted.execDialog(d); }
    bool mailHandOff(const MailMessage& m, bool u, RunError& f) override { return m_widgets.mailHandOff(m, u, f); }
    void setWaitCursor(bool on) override { m_scripted.setWaitCursor(on); }

private:
    ScriptedPrompts& m_scripted;
    WidgetPrompts m_widgets;
    PromptService* m_previous;
};

// The desktop's own xdg-email with a stand-in mail program (MAILER) that
// records the mailto: link it is given and opens nothing: the hand-off
// meets the real argument rules, in the plain C locale.
class RealXdgEmail {
public:
    RealXdgEmail() : m_oldMailer(qgetenv("MAILER")), m_oldLocale(qgetenv("LC_ALL"))
    {
        qputenv("LC_ALL", "C");
        const QString mailer = m_temp.file(QStringLiteral("mailer"));
        QFile script(mailer);
        if (script.open(QIODevice::WriteOnly))
            script.write("#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" + m_log.toLocal8Bit() + "'\n");
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("MAILER", mailer.toLocal8Bit());
        ShellRunner::setRunner({});
    }
    ~RealXdgEmail()
    {
        restore("MAILER", m_oldMailer);
        restore("LC_ALL", m_oldLocale);
    }
    RealXdgEmail(const RealXdgEmail&) = delete;
    RealXdgEmail& operator=(const RealXdgEmail&) = delete;

    static bool installed() { return !QStandardPaths::findExecutable(QStringLiteral("xdg-email")).isEmpty(); }

    QStringList links() const
    {
        QFile f(m_log);
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

private:
    static void restore(const char* name, const QByteArray& value)
    {
        if (value.isEmpty())
            qunsetenv(name);
        else
            qputenv(name, value);
    }

    bmtest::TempFolder m_temp;
    QString m_log = m_temp.file(QStringLiteral("links.log"));
    QByteArray m_oldMailer;
    QByteArray m_oldLocale;
};

frmOptions& options(QDialog& d) { return static_cast<frmOptions&>(d); }

class MailTest : public AdminFixture {
protected:
    static QString storedHandler() { return GetPrefString(QStringLiteral("emailhandler")); }
    static void storeHandler(const char* value) { SavePrefString(QStringLiteral("emailhandler"), QString::fromLatin1(value)); }
};

TEST_F(MailTest, WithoutAChoiceTheOptionsComeFirstAndClosingThemSendsThroughTheMailProgram)
{
    for (const char* stored : {"", "7", "0"}) {
        storeHandler(stored);
        m_prompts.clear();
        m_prompts.accept();
        m_dialogs.then([](QDialog& d) {
            EXPECT_FALSE(options(d).optEmail[0]->isChecked());
            EXPECT_FALSE(options(d).optEmail[1]->isChecked());
            options(d).CancelButton->click();
        });
        EXPECT_TRUE(m_main.SendMail(QStringLiteral("ann@x.example"), kSubject, QStringLiteral("Body")));
        EXPECT_EQ(m_dialogs.captions.last(), QStringLiteral("Options"));
        ASSERT_EQ(m_prompts.shown().size(), 1) << stored;
        EXPECT_EQ(m_prompts.last().kind, ShownPrompt::Kind::Mail);
        EXPECT_FALSE(m_prompts.last().mailAsUrl);
        EXPECT_EQ(storedHandler(), QString::fromLatin1(stored));
    }
    EXPECT_EQ(m_dialogs.captions.size(), 3);
}

TEST_F(MailTest, TheMailProgramGetsAddressSubjectAndBodyAsTheyAre)
{
    storeHandler("1");
    RealHandOff handOff(m_prompts);
    const QString body = QStringLiteral("Line 1\r\nLine 2 & ?");
    EXPECT_TRUE(m_main.SendMail(QStringLiteral("a@x, b@y"), kSubject, body));
    EXPECT_TRUE(m_dialogs.captions.isEmpty());
    ASSERT_EQ(m_launched.size(), 1);
    EXPECT_EQ(m_launched.first(), (QStringList{QStringLiteral("xdg-email"), QStringLiteral("--utf8"),
                                               QStringLiteral("--subject"), kSubject, QStringLiteral("--body"), body,
                                               QStringLiteral("a@x, b@y")}));
    EXPECT_TRUE(m_prompts.shown().isEmpty());
}

TEST_F(MailTest, TheRealMailHelperTakesAMessageWithoutAddressOrBodyAndAnAddressWithoutAt)
{
    if (!RealXdgEmail::installed())
        GTEST_SKIP() << "xdg-email is not installed";
    storeHandler("1");
    RealHandOff handOff(m_prompts);
    RealXdgEmail helper;
    const struct {
        const char* to;
        const char* body;
    } cases[] = {
        {"", "Customer: Ann"},                  // a record without an address
        {"a@x.example,b@y.example", ""},        // a report's customers: no body
        {"ann.x.example", "B"},                 // a typo the user puts right there
        {" ", ""},
        {"jörg@x.example", "Grüße aus Köln"},   // accents, whatever the locale
    };
    for (const auto& c : cases) {
        m_prompts.clear();
        EXPECT_TRUE(m_main.SendMail(QString::fromUtf8(c.to), kSubject, QString::fromUtf8(c.body))) << c.to;
        EXPECT_TRUE(m_prompts.shown().isEmpty()) << c.to;
    }
    const QString subject = QStringLiteral("subject=%3C%3CVerify%20Email%20Address%20and%20Enter%20Subject%3E%3E");
    EXPECT_EQ(helper.links(),
              (QStringList{QStringLiteral("mailto:?") + subject + QStringLiteral("&body=Customer%3A%20Ann"),
                           QStringLiteral("mailto:a@x.example%2Cb@y.example?") + subject,
                           QStringLiteral("mailto:?") + subject + QStringLiteral("&body=B&to=ann.x.example"),
                           QStringLiteral("mailto:?") + subject,
                           QStringLiteral("mailto:j%C3%B6rg@x.example?") + subject
                               + QStringLiteral("&body=Gr%C3%BC%C3%9Fe%20aus%20K%C3%B6ln")}));
}

TEST_F(MailTest, TheLinkSplitsRecipientsEncodesAndEndsTheBodyWithTwoLineBreaks)
{
    storeHandler("2");
    RealHandOff handOff(m_prompts);
    EXPECT_TRUE(m_main.SendMail(QStringLiteral("a@x,b@y"), QStringLiteral("Why?"), QStringLiteral("Tom & Ann")));
    EXPECT_TRUE(m_main.SendMail(QString(), QStringLiteral("S"), QStringLiteral("B")));
    ASSERT_EQ(m_launched.size(), 2);
    EXPECT_EQ(m_launched.at(0), (QStringList{QStringLiteral("xdg-open"),
                                             QStringLiteral("mailto:a@x,b@y?subject=Why%3F&body=Tom%20%26%20Ann%0D%0A%0D%0A")}));
    EXPECT_EQ(m_launched.at(1),
              (QStringList{QStringLiteral("xdg-open"), QStringLiteral("mailto:?subject=S&body=B%0D%0A%0D%0A")}));
    EXPECT_TRUE(m_prompts.shown().isEmpty());
}

TEST_F(MailTest, AMissingOrFailingHelperGivesTheErrorBoxThenTheFailureMessage)
{
    const struct {
        const char* handler;
        int exitCode;
        const char* label;
        const char* reason;
        QString first;
    } cases[] = {
        {"1", -1, "frmMain_SendMailMAPI", "xdg-email could not be started", kNoProgramFirst},
        {"1", 3, "frmMain_SendMailMAPI", "xdg-email ended with exit code 3.", kNoProgramFirst},
        {"2", -1, "frmMain_SendMailOutlook", "xdg-open could not be started", kNoLinkFirst},
        {"2", 4, "frmMain_SendMailOutlook", "xdg-open ended with exit code 4.", kNoLinkFirst},
    };
    RealHandOff handOff(m_prompts);
    for (const auto& c : cases) {
        storeHandler(c.handler);
        ShellRunner::setRunner([&](const QString&, const QStringList&) { return c.exitCode; });
        m_prompts.clear();
        EXPECT_FALSE(m_main.SendMail(QStringLiteral("a@x"), kSubject, QStringLiteral("B")));
        ASSERT_EQ(m_prompts.shown().size(), 2) << c.label;
        const ShownPrompt box = m_prompts.shown().at(0);
        EXPECT_EQ(box.kind, ShownPrompt::Kind::MessageBox);
        EXPECT_EQ(box.title, QStringLiteral("Error"));
        EXPECT_TRUE(box.text.contains(QLatin1String(c.reason))) << box.text.toStdString();
        EXPECT_TRUE(box.text.endsWith(QLatin1String(c.label))) << box.text.toStdString();
        const ShownPrompt message = m_prompts.shown().at(1);
        EXPECT_EQ(message.kind, ShownPrompt::Kind::MessageWindow);
        EXPECT_EQ(message.style, 3);
        EXPECT_TRUE(message.text.startsWith(c.first + QStringLiteral("\r\n\r\n"))) << message.text.toStdString();
        EXPECT_TRUE(message.text.endsWith(QStringLiteral("\r\n\r\n") + kOptionsAdvice + QStringLiteral("\r\n\r\n")));
        EXPECT_FALSE(message.text.contains(QLatin1String("sent")));
    }
}

TEST_F(MailTest, AMessageTooLongToHandOverIsRefusedBeforeAnythingRuns)
{
    const struct {
        const char* handler;
        QString body;
        const char* reason;
        QString first;
    } cases[] = {
        {"1", QString(200 * 1024, QLatin1Char('x')), "204800 bytes", kNoProgramFirst},
        // Each blank becomes three characters in the link.
        {"2", QString(50 * 1024, QLatin1Char(' ')), "The mailto: link is 153638 characters long", kNoLinkFirst},
    };
    RealHandOff handOff(m_prompts);
    for (const auto& c : cases) {
        storeHandler(c.handler);
        m_prompts.clear();
        EXPECT_FALSE(m_main.SendMail(QStringLiteral("a@x"), QStringLiteral("S"), c.body));
        ASSERT_EQ(m_prompts.shown().size(), 2);
        EXPECT_TRUE(m_prompts.shown().at(0).text.contains(QLatin1String(c.reason))) << m_prompts.shown().at(0).text.toStdString();
        EXPECT_TRUE(m_prompts.shown().at(1).text.startsWith(c.first));
    }
    EXPECT_TRUE(m_launched.isEmpty());
}

TEST_F(MailTest, OptionsStoreTheMarkedChoiceOnApplyAndOkOnly)
{
    // Apply, then Cancel: the applied choice stays.
    m_dialogs.then([](QDialog& d) {
        options(d).optEmail[1]->setChecked(true);
        options(d).cmdApply->click();
        options(d).CancelButton->click();
    });
    m_main.EmailHandlerDlg();
    EXPECT_EQ(storedHandler(), QStringLiteral("2"));
    // The stored choice is marked; OK stores the new one.
    m_dialogs.then([](QDialog& d) {
        EXPECT_TRUE(options(d).optEmail[1]->isChecked());
        options(d).optEmail[0]->setChecked(true);
        options(d).OKButton->click();
    });
    m_main.EmailHandlerDlg();
    EXPECT_EQ(storedHandler(), QStringLiteral("1"));
    // OK without a choice writes nothing.
    storeHandler("");
    m_dialogs.then([](QDialog& d) { options(d).OKButton->click(); });
    m_main.EmailHandlerDlg();
    EXPECT_EQ(storedHandler(), QString());
    EXPECT_EQ(m_dialogs.unscripted, 0);
}

TEST_F(MailTest, OptionCaptionsSayWhatEachHandlerUses)
{
    frmOptions dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Options"));
    EXPECT_EQ(dialog.tabs->tabText(0), QStringLiteral("Email"));
    EXPECT_TRUE(dialog.optEmail[0]->text().contains(QLatin1String("the desktop's mail program")));
    EXPECT_TRUE(dialog.optEmail[1]->text().contains(QLatin1String("mailto: link")));
}

} // namespace
