#include "common/HelpViewer.h"
#include "common/ScriptedPrompts.h"
#include "common/SettingsFile.h"
#include "common/ShellRunner.h"
#include "common/clsSystem.h"
#include "common/ui/HelpContext.h"
#include "common/ui/WidgetPrompts.h"
#include "common/ui/clsSystemUI.h"
#include "common/ui/frmMessage.h"
#include "common/ui/frmPrinterSelectionDlg.h"
#include "common/ui/frmProgress.h"
#include "common/ui/frmRptOption.h"

#include "ReadBack.h"
#include "RecordingSurface.h"
#include "TestSupport.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QRadioButton>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

// Runs `act` on the modal window once it is up, from the event loop.
void whenModalShows(std::function<void(QWidget*)> act)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            act(modal);
        }
    });
    timer->start();
}

// Keeps the help topics asked for instead of showing them.
void recordHelpTopics(QList<long>& topics)
{
    HelpViewer::set([&topics](const QString&, long topic, QString&) {
        topics.append(topic);
        return true;
    });
}

TEST(WaitDialog, CancelFlagIsClearAtEachShowAndSetByCancel)
{
    ScriptedPrompts prompts;
    frmProgress* wait = nullptr;
    SysUI().WaitDlgShow(wait, QStringLiteral("Brindlemark"), QStringLiteral("Listing Customers. Please wait..."),
                        true, true);
    ASSERT_NE(wait, nullptr);
    EXPECT_TRUE(prompts.waitCursor());
    EXPECT_TRUE(wait->isVisible());
    EXPECT_FALSE(wait->isModal());
    EXPECT_EQ(wait->windowTitle(), QStringLiteral("Brindlemark"));
    EXPECT_EQ(wait->lblMsg->text(), QStringLiteral("Listing Customers. Please wait..."));
    EXPECT_FALSE(wait->m_bCancel);
    EXPECT_TRUE(wait->report(10));

    QTest::mouseClick(wait->cmdCancel, Qt::LeftButton);
    QTest::mouseClick(wait->cmdCancel, Qt::LeftButton);
    EXPECT_TRUE(wait->m_bCancel);
    EXPECT_FALSE(wait->report(20));
    EXPECT_TRUE(wait->isVisible());
    wait->Display();
    EXPECT_FALSE(wait->m_bCancel);

    for (const auto& [percent, expected] : {std::pair{50, 50}, {101, 50}, {-1, 50}, {0, 0}, {100, 100}}) {
        SysUI().WaitDlgUpdate(wait, percent);
        EXPECT_EQ(wait->pbar->value(), expected) << percent;
    }
    SysUI().WaitDlgRemove(wait);
    EXPECT_EQ(wait, nullptr);
    EXPECT_FALSE(prompts.waitCursor());
}

// Work that reports after every row lets pending events run as the bar
// moves; a report without a percent always lets them run.
TEST(WaitDialog, PendingEventsRunWhenTheBarMovesAndWhenNoPercentIsGiven)
{
    ScriptedPrompts prompts;
    frmProgress* wait = nullptr;
    SysUI().WaitDlgShow(wait, QStringLiteral("Import Data"), QStringLiteral("Importing Data. Please wait..."), true,
                        true);
    ASSERT_NE(wait, nullptr);
    int served = 0;
    for (int percent : {0, 1, 2, 50, 100, -1, -1, 101}) {
        QMetaObject::invokeMethod(wait, [&served] { ++served; }, Qt::QueuedConnection);
        const int before = served;
        EXPECT_TRUE(wait->report(percent));
        EXPECT_EQ(served, before + 1) << percent;
    }
    EXPECT_EQ(wait->pbar->value(), 100);
    SysUI().WaitDlgRemove(wait);
}

TEST(WaitDialog, BarAndCancelShowAsAsked)
{
    ScriptedPrompts prompts;
    frmProgress* wait = nullptr;
    SysUI().WaitDlgShow(wait, QStringLiteral("T"), QStringLiteral("Counting records. Please wait..."), false, false);
    EXPECT_FALSE(wait->pbar->isVisible());
    EXPECT_FALSE(wait->cmdCancel->isVisible());
    wait->close(); // stays up until removed
    EXPECT_TRUE(wait->isVisible());
    EXPECT_FALSE(wait->m_bCancel);
    SysUI().WaitDlgRemove(wait);
}

TEST(MessageWindow, ShowsOneIconAndKeepsAHelpContextAboveZero)
{
    const struct {
        int icon;
        const char* visible;
    } cases[] = {{0, ""}, {1, "ImageInfo"}, {2, "imgWarn"}, {3, "imageCritical"}, {4, "imgLocked"}, {5, ""}};
    for (const auto& c : cases) {
        frmMessage window;
        window.Init(QStringLiteral("line one\rline two"), c.icon, -1);
        window.show();
        QStringList visible;
        for (QLabel* l : {window.ImageInfo, window.imgWarn, window.imageCritical, window.imgLocked}) {
            if (l->isVisible())
                visible.append(l->objectName());
        }
        EXPECT_EQ(visible.join(QLatin1Char(',')), QString::fromLatin1(c.visible)) << c.icon;
        EXPECT_EQ(window.helpContextId(), 0);
        EXPECT_EQ(window.txtMsg->toPlainText(), QStringLiteral("line one\nline two"));
        EXPECT_EQ(window.windowTitle(), QStringLiteral("Brindlemark"));
    }
    frmMessage window;
    window.Init(QStringLiteral("x"), 1, 1310);
    EXPECT_EQ(window.helpContextId(), 1310);
}

TEST(MessageWindow, PrintAndSaveAsGoThroughTheRichTextServices)
{
    ScriptedPrompts prompts;
    RecordingPrinter printer;
    bmtest::TempFolder temp;
    const QString saved = temp.file(QStringLiteral("msg.rtf"));
    prompts.cancel().cancel();
    frmMessage window;
    window.Init(QStringLiteral("Login failed {user}"), 3, 0);
    window.show();
    QTest::mouseClick(window.cmdPrint, Qt::LeftButton);
    QTest::mouseClick(window.cmdSaveAs, Qt::LeftButton);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.txtMsg->toPlainText(), QStringLiteral("Login failed {user}"));
    EXPECT_TRUE(printer.log.isEmpty());
    EXPECT_TRUE(QDir(temp.path()).isEmpty());
    ASSERT_EQ(prompts.shown().size(), 2);
    EXPECT_EQ(prompts.shown().at(0).kind, ShownPrompt::Kind::PrinterSelection);
    EXPECT_EQ(prompts.shown().at(1).kind, ShownPrompt::Kind::FileDialog);
    EXPECT_EQ(prompts.shown().at(1).file.title, QStringLiteral("Save As"));

    prompts.clear();
    prompts.accept().text(saved);
    QTest::mouseClick(window.cmdPrint, Qt::LeftButton);
    ASSERT_FALSE(printer.log.isEmpty());
    EXPECT_EQ(printer.log.first().text, QStringLiteral("Brindlemark"));
    const QList<PrintStep> texts = printer.texts();
    EXPECT_TRUE(std::any_of(texts.begin(), texts.end(),
                            [](const PrintStep& s) { return s.text == QStringLiteral("Brindlemark"); }));
    QTest::mouseClick(window.cmdSaveAs, Qt::LeftButton);
    EXPECT_TRUE(readback::unrtfText(saved).contains(QStringLiteral("Login failed {user}")));
    QTest::mouseClick(window.cmdEmail, Qt::LeftButton);
    EXPECT_EQ(prompts.last().text, QStringLiteral("EmailMsg"));
    QTest::mouseClick(window.cmdClose, Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
}

TEST(WidgetPrompts, TheMessageWindowIsModalAndClosesWithOk)
{
    WidgetPrompts widgets;
    PromptService* previous = setPrompts(&widgets);
    QString shownText;
    whenModalShows([&shownText](QWidget* modal) {
        auto* window = qobject_cast<frmMessage*>(modal);
        ASSERT_NE(window, nullptr);
        shownText = window->txtMsg->toPlainText();
        QTest::mouseClick(window->cmdClose, Qt::LeftButton);
    });
    widgets.setWaitCursor(true);
    Sys().ShowMsg(QStringLiteral("ROWID NOT FOUND"), 2, 0);
    EXPECT_EQ(shownText, QStringLiteral("ROWID NOT FOUND"));
    EXPECT_FALSE(widgets.waitCursor());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    whenModalShows([](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        box->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(MsgBox(QStringLiteral("Discard?"), MsgStyle::YesNo | MsgStyle::Question), MsgAnswer::No);
    setPrompts(previous);
}

TEST(WidgetPrompts, PrinterChoiceAndProgramDialogsAreModal)
{
    bmtest::TempFolder temp;
    SettingsFile::Override settings(temp.file(QStringLiteral("prefs.ini")));
    WidgetPrompts widgets;
    PromptService* previous = setPrompts(&widgets);
    QString title;
    whenModalShows([&title](QWidget* modal) {
        auto* dlg = qobject_cast<frmPrinterSelectionDlg*>(modal);
        ASSERT_NE(dlg, nullptr);
        title = dlg->windowTitle();
        dlg->CancelButton->click();
    });
    EXPECT_FALSE(widgets.printerSelection(QString()).has_value());
    EXPECT_EQ(title, QStringLiteral("Printer Selection"));

    frmRptOption options;
    whenModalShows([](QWidget* modal) {
        auto* dlg = qobject_cast<frmRptOption*>(modal);
        ASSERT_NE(dlg, nullptr);
        dlg->optPortrait->setChecked(true);
        dlg->OKButton->click();
    });
    EXPECT_TRUE(widgets.execDialog(&options));
    EXPECT_TRUE(options.m_bOK);
    EXPECT_EQ(options.m_nPageOrientation, 1);
    setPrompts(previous);
}

TEST(WidgetPrompts, F1InAnInputBoxOpensItsHelpContext)
{
    WidgetPrompts widgets;
    PromptService* previous = setPrompts(&widgets);
    QList<long> topics;
    recordHelpTopics(topics);
    HelpContext::installF1Handler();
    for (const int context : {1210, 0}) {
        whenModalShows([](QWidget* modal) {
            auto* box = qobject_cast<QInputDialog*>(modal);
            ASSERT_NE(box, nullptr);
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : box, Qt::Key_F1);
            box->reject();
        });
        EXPECT_FALSE(widgets.inputBox(QStringLiteral("Enter Customer ID"), QStringLiteral("Brindlemark"), QString(),
                                      context));
    }
    EXPECT_EQ(topics, (QList<long>{1210, 0}));
    HelpContext::removeF1Handler();
    HelpViewer::set({});
    setPrompts(previous);
}

// A message with a help context shows Help; Help opens the topic and the
// question stays until it is answered. Without a context there is no Help.
TEST(WidgetPrompts, HelpInAMessageBoxOpensItsTopicAndKeepsTheQuestion)
{
    WidgetPrompts widgets;
    PromptService* previous = setPrompts(&widgets);
    QList<long> topics;
    recordHelpTopics(topics);
    const QString text = QStringLiteral(
        "This report cannot be re-sorted because the report definition 'Suppresses repeating values' in the first "
        "column of the report!");
    bool openAfterHelp = false;
    whenModalShows([&openAfterHelp](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        QAbstractButton* help = box->button(QMessageBox::Help);
        ASSERT_NE(help, nullptr);
        EXPECT_EQ(help->text().remove(QLatin1Char('&')), QStringLiteral("Help"));
        help->click();
        openAfterHelp = box->isVisible();
        box->button(QMessageBox::Ok)->click();
    });
    MsgBoxRequest request{text, QStringLiteral("Brindlemark"), MsgStyle::OkOnly | MsgStyle::Information, {}, 1400};
    EXPECT_EQ(widgets.messageBox(request), MsgAnswer::Ok);
    EXPECT_TRUE(openAfterHelp);
    EXPECT_EQ(topics, QList<long>{1400});

    bool hasHelp = true;
    whenModalShows([&hasHelp](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        hasHelp = box->button(QMessageBox::Help) != nullptr;
        box->button(QMessageBox::Ok)->click();
    });
    request.helpContext = 0;
    EXPECT_EQ(widgets.messageBox(request), MsgAnswer::Ok);
    EXPECT_FALSE(hasHelp);
    HelpViewer::set({});
    setPrompts(previous);
}

TEST(WidgetPrompts, FiltersBecomeQtNameFilters)
{
    EXPECT_EQ(WidgetPrompts::nameFilters(
                  QStringLiteral("MS Excel Comma Delimited File (*.csv)|*.csv|Text Files|*.txt;*.log|All Files (*.*)|*.*")),
              (QStringList{QStringLiteral("MS Excel Comma Delimited File (*.csv)"),
                           QStringLiteral("Text Files (*.txt *.log)"), QStringLiteral("All Files (*)")}));
}

TEST(WidgetPrompts, MailGoesToTheMailProgramAsSeparateArgumentsOrAsOneEncodedUrl)
{
    QString program;
    QStringList arguments;
    ShellRunner::setRunner([&](const QString& p, const QStringList& a) {
        program = p, arguments = a;
        return 0;
    });
    WidgetPrompts widgets;
    const MailMessage message{{QStringLiteral("anna@x.example"), QStringLiteral("bo b@y.example")},
                              QStringLiteral("Issue 1004 & more"), QStringLiteral("Line 1\r\nLine 2?")};
    RunError failure;
    EXPECT_TRUE(widgets.mailHandOff(message, false, failure));
    ShellRunner::setRunner({});
    EXPECT_EQ(program, QStringLiteral("xdg-email"));
    EXPECT_EQ(arguments, (QStringList{QStringLiteral("--utf8"), QStringLiteral("--subject"), message.subject,
                                      QStringLiteral("--body"), message.body, QStringLiteral("anna@x.example"),
                                      QStringLiteral("bo b@y.example")}));
    EXPECT_EQ(WidgetPrompts::mailtoUrl(message).toEncoded(),
              QByteArray("mailto:anna@x.example,bo%20b@y.example?subject=Issue%201004%20%26%20more"
                         "&body=Line%201%0D%0ALine%202%3F"));
}

// An address that begins with "-" would pass as an option of the mail
// program: the hand-off is refused and nothing runs.
TEST(WidgetPrompts, AnAddressThatLooksLikeAnOptionIsNeverHandedOver)
{
    int runs = 0;
    ShellRunner::setRunner([&](const QString&, const QStringList&) {
        ++runs;
        return 0;
    });
    WidgetPrompts widgets;
    for (const QString& bad : {QStringLiteral("--utf8"), QStringLiteral(" -x@y.example")}) {
        const MailMessage message{{QStringLiteral("anna@x.example"), bad}, QStringLiteral("S"), QStringLiteral("B")};
        RunError failure;
        EXPECT_FALSE(widgets.mailHandOff(message, false, failure)) << bad.toStdString();
        EXPECT_EQ(failure.description, QStringLiteral("'") + bad.trimmed() + QStringLiteral("' is not a valid e-mail address."));
    }
    ShellRunner::setRunner({});
    EXPECT_EQ(runs, 0);
}

} // namespace
