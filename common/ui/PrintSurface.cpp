#include "common/ui/PrintSurface.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QTextDocument>

#include <cmath>

namespace {

constexpr int kTwipsPerInch = 1440;
constexpr int kTwipsPerPoint = 20;
constexpr long kPrinterError = 482;

// Printing through QPrinter: twips are turned into device pixels at the
// printer's resolution; a PDF choice prints to its file.
class QPrinterSurface final : public PrintSurface {
public:
    explicit QPrinterSurface(const PrinterChoice& choice)
        : m_printer(QPrinter::HighResolution)
    {
        if (!choice.fileName.isEmpty()) {
            m_printer.setOutputFormat(QPrinter::PdfFormat);
            m_printer.setOutputFileName(choice.fileName);
        } else if (!choice.printerName.isEmpty()) {
            m_printer.setPrinterName(choice.printerName);
        }
    }

    ~QPrinterSurface() override { abortJob(); }

    void beginJob(const QString& documentName, bool landscape) override
    {
        if (m_error.isError())
            return;
        m_printer.setDocName(documentName);
        m_printer.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
        if (!m_painter.begin(&m_printer))
            return fail(QStringLiteral("The printer could not start the document."));
        m_open = true;
        m_painter.setFont(m_font);
    }

    Metrics metrics() const override
    {
        const QPageLayout layout = m_printer.pageLayout();
        const QRectF paper = layout.fullRectPoints();
        const QRectF printable = layout.paintRectPoints();
        return {points(paper.width()),     points(paper.height()),  points(printable.width()),
                points(printable.height()), points(printable.left()), points(printable.top())};
    }

    QFont font() const override { return m_font; }

    void setFont(const QFont& font) override
    {
        m_font = font;
        if (m_open)
            m_painter.setFont(font);
    }

    int textWidth(const QString& text) const override { return twips(metricsF().horizontalAdvance(text)); }
    int textHeight(const QString&) const override { return twips(metricsF().height()); }

    void drawText(int x, int y, const QString& text) override
    {
        if (!ready())
            return;
        const QRectF at(device(x), device(y), device(kTwipsPerInch * 100), device(kTwipsPerInch * 100));
        m_painter.drawText(at, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip, text);
    }

    int layoutDocument(QTextDocument& document, const QSize& size) override
    {
        document.documentLayout()->setPaintDevice(&m_printer);
        document.setPageSize(QSizeF(device(size.width()), device(size.height())));
        return std::max(1, document.pageCount());
    }

    void drawDocumentPage(QTextDocument& document, int page, const QRect& rect) override
    {
        if (!ready())
            return;
        const QSizeF pageSize = document.pageSize();
        m_painter.save();
        m_painter.translate(device(rect.left()), device(rect.top()));
        m_painter.setClipRect(QRectF(QPointF(0, 0), pageSize));
        m_painter.translate(0, -page * pageSize.height());
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = QRectF(QPointF(0, page * pageSize.height()), pageSize);
        document.documentLayout()->draw(&m_painter, context);
        m_painter.restore();
    }

    void newPage() override
    {
        if (ready() && !m_printer.newPage())
            fail(QStringLiteral("The printer could not start a new page."));
    }

    void endJob() override
    {
        if (!ready())
            return;
        m_open = false;
        if (!m_painter.end())
            fail(QStringLiteral("The printer could not finish the document."));
    }

    void abortJob() override
    {
        if (!m_open)
            return;
        m_open = false;
        m_printer.abort();
        m_painter.end();
        // A file printer cannot take a document back: remove what it wrote.
        if (!m_printer.outputFileName().isEmpty())
            QFile::remove(m_printer.outputFileName());
    }

    bool jobOpen() const override { return m_open; }
    RunError error() const override { return m_error; }

private:
    bool ready() const { return m_open && !m_error.isError(); }
    void fail(const QString& description)
    {
        if (!m_error.isError())
            m_error = RunError::make(kPrinterError, description);
    }
    QFontMetricsF metricsF() const { return QFontMetricsF(m_font, &m_printer); }
    double device(int twips) const { return double(twips) * m_printer.resolution() / kTwipsPerInch; }
    int twips(double pixels) const { return int(std::lround(pixels * kTwipsPerInch / m_printer.resolution())); }
    static int points(double value) { return int(std::lround(value * kTwipsPerPoint)); }

    mutable QPrinter m_printer;
    QPainter m_painter;
    QFont m_font;
    RunError m_error;
    bool m_open = false;
};

PrinterChoice& currentChoice()
{
    static PrinterChoice choice;
    return choice;
}

PrintSurfaces::Factory& factory()
{
    static PrintSurfaces::Factory f;
    return f;
}

} // namespace

namespace PrintSurfaces {

PrinterChoice current() { return currentChoice(); }
void setCurrent(const PrinterChoice& choice) { currentChoice() = choice; }

std::unique_ptr<PrintSurface> open()
{
    return factory() ? factory()(currentChoice()) : printerSurface(currentChoice());
}

void setFactory(Factory f) { factory() = std::move(f); }

std::unique_ptr<PrintSurface> printerSurface(const PrinterChoice& choice)
{
    return std::make_unique<QPrinterSurface>(choice);
}

} // namespace PrintSurfaces
