#include "ReadBack.h"
#include "RecordingSurface.h"
#include "common/ScriptedPrompts.h"
#include "common/ui/clsSystemUI.h"
#include "common/ui/frmRichEdit.h"

#include "TestSupport.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QPushButton>
#include <QPointer>
#include <QRegularExpression>
#include <QTest>
#include <QTextEdit>
#include <gtest/gtest.h>

namespace {

using Kind = PrintStep::Kind;

const QString kSample = QStringLiteral("Caf\u00e9 {open} C:\\Data\\\r\nSecond line \u20ac5");

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QString manyLines(int count)
{
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines.append(QStringLiteral("Line %1 of the text").arg(i));
    return lines.join(u'\n');
}

class RichText : public ::testing::Test {
protected:
    RichText() { box.setPlainText(kSample); }
    QTextEdit box;
    bmtest::TempFolder temp;
    ScriptedPrompts prompts;
};

TEST_F(RichText, RichTextAndOpenDocumentFilesReadBackWithOtherTools)
{
    const QString rtf = temp.file(QStringLiteral("note.rtf"));
    SysUI().SaveRTB(&box, rtf);
    const QString fromRtf = readback::unrtfText(rtf);
    EXPECT_TRUE(fromRtf.contains(QStringLiteral("Caf\u00e9 {open} C:\\Data\\"))) << fromRtf.toStdString();
    EXPECT_TRUE(fromRtf.contains(QStringLiteral("Second line"))) << fromRtf.toStdString();
    EXPECT_TRUE(fileBytes(rtf).contains("\\'80")); // the euro sign's Windows-1252 byte
    QTextEdit greek;
    greek.setPlainText(QStringLiteral("\u03a9"));
    const QString omega = temp.file(QStringLiteral("omega.rtf"));
    SysUI().SaveRTB(&greek, omega);
    EXPECT_TRUE(fileBytes(omega).contains("\\u937?"));
    EXPECT_TRUE(prompts.shown().isEmpty());

    const QString odt = temp.file(QStringLiteral("note.odt"));
    SysUI().SaveRTB(&box, odt);
    const QString fromOdt = readback::odtText(odt);
    EXPECT_TRUE(fromOdt.contains(QStringLiteral("Caf\u00e9 {open} C:\\Data\\"))) << fromOdt.toStdString();
    EXPECT_TRUE(fromOdt.contains(QStringLiteral("Second line \u20ac5"))) << fromOdt.toStdString();
    ASSERT_EQ(prompts.shown().size(), 1);
    EXPECT_EQ(prompts.last().text, odt + QStringLiteral(" has been saved as OpenDocument Text document."));
    EXPECT_EQ(prompts.last().style, MsgStyle::Information);
}

TEST_F(RichText, OtherEndingsArePlainTextAndDocGivesTheRichTextFile)
{
    for (const char* name : {"note.txt", "note.dat", "notes"}) {
        const QString path = temp.file(QString::fromLatin1(name));
        SysUI().SaveRTB(&box, path);
        EXPECT_EQ(fileBytes(path), QByteArray("Caf\xe9 {open} C:\\Data\\\r\nSecond line \x80" "5")) << name;
    }
    EXPECT_TRUE(prompts.shown().isEmpty());
    for (const char* name : {"a.doc", "b.DOC", "c.Doc"}) {
        prompts.clear();
        const QString path = temp.file(QString::fromLatin1(name));
        SysUI().SaveRTB(&box, path);
        const QString rtf = path.left(path.size() - 3) + QStringLiteral("RTF");
        EXPECT_TRUE(readback::unrtfText(rtf).contains(QStringLiteral("Second line"))) << name;
        EXPECT_FALSE(QFile::exists(path)) << name;
        ASSERT_EQ(prompts.shown().size(), 1) << name;
        EXPECT_EQ(prompts.last().text, QStringLiteral("MS Word must be installed to use this option!"));
        EXPECT_EQ(prompts.last().style, MsgStyle::Information);
    }
}

TEST_F(RichText, AFileThatCannotBeWrittenIsShownAndLeftAlone)
{
    const QString folder = temp.file(QStringLiteral("taken.rtf"));
    ASSERT_TRUE(QDir().mkdir(folder));
    SysUI().SaveRTB(&box, folder);
    EXPECT_TRUE(QFileInfo(folder).isDir());
    SysUI().SaveRTB(&box, temp.file(QStringLiteral("missing/note.txt")));
    ASSERT_EQ(prompts.shown().size(), 2);
    for (const ShownPrompt& p : prompts.shown()) {
        EXPECT_EQ(p.title, QStringLiteral("Error"));
        EXPECT_TRUE(p.text.endsWith(QStringLiteral("\rSaveRTB"))) << p.text.toStdString();
    }
    EXPECT_EQ(QDir(temp.path()).entryList(QDir::Files).size(), 0);
}

TEST_F(RichText, SaveAsProposesTheNextUntitledNameAndOffersOpenDocument)
{
    prompts.cancel().text(temp.file(QStringLiteral("x.rtf")));
    SysUI().SaveRTB_GetFileName(&box);
    SysUI().SaveRTB_GetFileName(&box);
    ASSERT_EQ(prompts.shown().size(), 2);
    const FileDialogRequest first = prompts.shown().at(0).file;
    EXPECT_EQ(first.title, QStringLiteral("Save As"));
    EXPECT_EQ(first.filter, QStringLiteral("OpenDocument Text (*.odt)|*.odt|Rich Text Format (*.rtf)|*.rtf|"
                                           "Text Document (*.txt)|*.txt|All Files (*.*)|*.*"));
    EXPECT_EQ(first.defaultExt, QStringLiteral("rtf"));
    // The counter runs for the whole program, so other tests in this run
    // may have used the first numbers.
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("^Untitled (\\d+)$")).match(first.fileName);
    ASSERT_TRUE(m.hasMatch()) << first.fileName.toStdString();
    const int n = m.captured(1).toInt();
    EXPECT_GE(n, 1);
    EXPECT_EQ(prompts.shown().at(1).file.fileName, QStringLiteral("Untitled %1").arg(n + 1));
    EXPECT_TRUE(QFile::exists(temp.file(QStringLiteral("x.rtf"))));
}

TEST_F(RichText, EachPageIsNumberedAndTitledOnTheRecordingSurface)
{
    for (const auto& [text, minPages] : {std::pair{QString(), 1}, {manyLines(200), 3}}) {
        box.setPlainText(text);
        QList<PrintStep> log;
        RecordingSurface surface(&log);
        SysUI().RTBPrint(surface, &box, 1000, 1000, 1000, 1000, QStringLiteral("Issue 1004"));
        QStringList numbers;
        QList<int> drawn;
        int titles = 0;
        for (const PrintStep& s : log) {
            if (s.kind == Kind::Text && s.y == 15120 - 250)
                numbers.append(s.text);
            if (s.kind == Kind::Text && s.y == 250 && s.text == QStringLiteral("Issue 1004"))
                ++titles;
            if (s.kind == Kind::DocumentPage) {
                drawn.append(s.page);
                EXPECT_EQ(s.x, 640);
                EXPECT_EQ(s.y, 640);
            }
        }
        const int pages = int(drawn.size());
        EXPECT_GE(pages, minPages);
        if (text.isEmpty()) {
            EXPECT_EQ(pages, 1);
        }
        for (int i = 0; i < pages; ++i) {
            EXPECT_EQ(drawn.value(i), i);
            EXPECT_EQ(numbers.value(i), QStringLiteral(" %1").arg(i + 1));
        }
        EXPECT_EQ(titles, pages);
        EXPECT_EQ(log.last().kind, Kind::End);
    }
}

TEST_F(RichText, AnErrorAbortsThePrintAndIsShown)
{
    RecordingPrinter printer;
    printer.failAt = 2;
    prompts.printer({QString(), QString(), 2});
    SysUI().RTBPrint_GetPrinter(&box, QStringLiteral("Note"));
    EXPECT_EQ(printer.count(Kind::Begin), 2);
    EXPECT_EQ(printer.count(Kind::Abort), 2);
    EXPECT_EQ(printer.count(Kind::End), 0);
    ASSERT_EQ(prompts.shown().size(), 3);
    EXPECT_TRUE(prompts.last().text.endsWith(QStringLiteral("\rRTBPrint")));
    EXPECT_FALSE(prompts.waitCursor());
}

TEST_F(RichText, PrintedToPdfEveryPageShowsTitleAndNumber)
{
    for (const auto& [text, name] : {std::pair{manyLines(150), "long.pdf"}, {QString(), "empty.pdf"}}) {
        const QString pdf = temp.file(QString::fromLatin1(name));
        box.setPlainText(text);
        box.document()->setDefaultFont(QFont(QStringLiteral("DejaVu Sans Mono"), 10));
        prompts.printer({QString(), pdf, 1});
        SysUI().RTBPrint_GetPrinter(&box, QStringLiteral("Customer 1004"));
        const QStringList pages = readback::pdfPages(pdf);
        if (text.isEmpty()) {
            ASSERT_EQ(pages.size(), 1);
        } else {
            ASSERT_GE(pages.size(), 2);
            EXPECT_TRUE(pages.first().contains(QStringLiteral("Line 1 of the text")));
            EXPECT_TRUE(pages.last().contains(QStringLiteral("Line 150 of the text")));
        }
        for (int i = 0; i < pages.size(); ++i) {
            EXPECT_TRUE(pages[i].contains(QStringLiteral("Customer 1004"))) << name << i;
            EXPECT_TRUE(QRegularExpression(QStringLiteral("(^|\\n)\\s*%1\\s*(\\n|$)").arg(i + 1)).match(pages[i]).hasMatch())
                << name << " page " << i + 1;
        }
    }
}

TEST(RichEdit, PreviewsOpenSideBySideAndCopyPrintAndClose)
{
    ScriptedPrompts prompts;
    RecordingPrinter printer;
    QPointer<frmRichEdit> first = new frmRichEdit;
    QPointer<frmRichEdit> second = new frmRichEdit;
    first->Init(QStringLiteral("Customer: Anna Berg"), QStringLiteral("Anna Berg\nMain St 1"));
    second->Init(QStringLiteral("Issue 1004"), QStringLiteral("Printer jams"));
    first->show();
    second->show();
    EXPECT_TRUE(first->isVisible() && second->isVisible());
    EXPECT_FALSE(first->isModal());
    EXPECT_EQ(first->windowTitle(), QStringLiteral("Customer: Anna Berg"));
    EXPECT_EQ(first->RTB->toPlainText(), QStringLiteral("Anna Berg\nMain St 1"));
    const QFont font = first->RTB->document()->defaultFont();
    EXPECT_EQ(font.pointSize(), 10);
    EXPECT_TRUE(font.family() == QStringLiteral("Courier New") || QFontInfo(font).fixedPitch()) << font.family().toStdString();

    QTest::mouseClick(first->cmdCopyToClipboard, Qt::LeftButton);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("Anna Berg\nMain St 1"));
    prompts.accept();
    QTest::mouseClick(first->cmdPrint, Qt::LeftButton);
    ASSERT_FALSE(printer.log.isEmpty());
    EXPECT_EQ(printer.log.first().text, QStringLiteral("Customer: Anna Berg"));

    QTest::mouseClick(first->CancelButton, Qt::LeftButton);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());
    EXPECT_TRUE(second->isVisible());
    delete second;
}

} // namespace
