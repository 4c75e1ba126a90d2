#include "common/ui/clsSystemUI.h"

#include "common/Product.h"
#include "common/PromptService.h"
#include "common/RtfWriter.h"
#include "common/WaitCursor.h"
#include "common/Win1252.h"
#include "common/clsSystem.h"
#include "common/ui/PrintLayout.h"
#include "common/ui/PrintSurface.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextDocument>
#include <QTextDocumentWriter>
#include <QTextEdit>

#include <cmath>
#include <memory>
#include <optional>

namespace {

constexpr int kRichTextMargin = 1000;

// The whole file or nothing: written beside it and renamed into place.
bool writeFile(const QString& fileName, const QByteArray& bytes)
{
    QSaveFile file(fileName);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

QByteArray richText(const QTextEdit* rtb)
{
    const QFont font = rtb->document()->defaultFont();
    return rtfDocument(rtb->toPlainText(), font.family(), std::max(1, int(std::nearbyint(font.pointSizeF()))));
}

QByteArray plainText(const QTextEdit* rtb)
{
    QString text = rtb->toPlainText();
    text.replace(u'\n', Sys().CRLF());
    const std::string bytes = toWin1252(text);
    return QByteArray(bytes.data(), qsizetype(bytes.size()));
}

std::optional<QByteArray> openDocumentText(const QTextEdit* rtb)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QTextDocumentWriter writer(&buffer, "odf");
    if (!writer.write(rtb->document()))
        return std::nullopt;
    return buffer.data();
}

QString withEnding(const QString& fileName, const QString& ending)
{
    return fileName.left(fileName.size() - 3) + ending;
}

bool saveOrShow(const QString& fileName, const std::optional<QByteArray>& bytes)
{
    if (bytes && writeFile(fileName, *bytes))
        return true;
    const QFileInfo info(fileName);
    Sys().ShowError(QStringLiteral("SaveRTB"),
                    info.absoluteDir().exists() ? RunError::pathFileAccess() : RunError::pathNotFound());
    return false;
}

} // namespace

void clsSystemUI::RTBPrint_GetPrinter(QTextEdit* rtb, const QString& title) const
{
    int copies = 0;
    if (!SetPrinter(copies))
        return;
    QCoreApplication::processEvents();
    for (int i = 0; i < std::max(1, copies); ++i)
        RTBPrint(rtb, kRichTextMargin, kRichTextMargin, kRichTextMargin, kRichTextMargin, title);
}

void clsSystemUI::RTBPrint(QTextEdit* rtb, int left, int top, int right, int bottom, const QString& title) const
{
    const std::unique_ptr<PrintSurface> surface = PrintSurfaces::open();
    RTBPrint(*surface, rtb, left, top, right, bottom, title);
}

void clsSystemUI::RTBPrint(PrintSurface& surface, QTextEdit* rtb, int left, int top, int right, int bottom,
                           const QString& title) const
{
    WaitCursor busy;
    const QFont saved = surface.font();
    surface.beginJob(title, false);
    if (!surface.error().isError()) {
        const PrintLayout::Area a = PrintLayout::area(surface, left, top, right, bottom);
        const QRect rect(a.left, a.top, a.width(), a.bottom - a.top);
        // A copy is laid out for the printer; the box keeps its own layout.
        const std::unique_ptr<QTextDocument> document(rtb->document()->clone());
        const int pages = surface.layoutDocument(*document, rect.size());
        for (int page = 0; page < pages && !surface.error().isError(); ++page) {
            if (page > 0)
                surface.newPage();
            PrintLayout::pageNumber(surface, page + 1, bottom);
            PrintLayout::title(surface, title, top);
            surface.drawDocumentPage(*document, page, rect);
        }
    }
    PrintLayout::finish(surface, saved, QStringLiteral("RTBPrint"), busy);
}

void clsSystemUI::SaveRTB_GetFileName(QTextEdit* rtb) const
{
    const QString name = Sys().GetSaveFileName(
        QStringLiteral("Save As"),
        QStringLiteral("OpenDocument Text (*.odt)|*.odt|Rich Text Format (*.rtf)|*.rtf|Text Document (*.txt)|*.txt"
                       "|All Files (*.*)|*.*"),
        QStringLiteral("rtf"), QStringLiteral("Untitled ") + QString::number(Sys().NextDocNum()));
    if (!name.isEmpty())
        SaveRTB(rtb, name);
}

void clsSystemUI::SaveRTB(QTextEdit* rtb, const QString& fileName) const
{
    if (fileName.isEmpty())
        return;
    const QString ending = fileName.right(3).toUpper();
    if (ending == QLatin1String("RTF")) {
        saveOrShow(fileName, richText(rtb));
    } else if (ending == QLatin1String("ODT")) {
        if (saveOrShow(fileName, openDocumentText(rtb)))
            MsgBox(fileName + QStringLiteral(" has been saved as OpenDocument Text document."),
                   MsgStyle::Information);
    } else if (ending == QLatin1String("DOC")) {
        // No word processor to convert with: the rich text file stays, and
        // the user is told what the document needs.
        if (saveOrShow(withEnding(fileName, QStringLiteral("RTF")), richText(rtb)))
            MsgBox(QStringLiteral("MS Word must be installed to use this option!"), MsgStyle::Information);
    } else {
        saveOrShow(fileName, plainText(rtb));
    }
}
