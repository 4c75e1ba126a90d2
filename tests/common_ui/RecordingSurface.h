#pragma once

#include "common/ui/PrintSurface.h"

#include <QAbstractTextDocumentLayout>
#include <QImage>
#include <QList>
#include <QTextDocument>

#include <memory>

// What a recording surface was asked to do, in order.
struct PrintStep {
    enum class Kind { Begin, Text, DocumentPage, NewPage, End, Abort };
    Kind kind;
    int x = 0;
    int y = 0;
    QString text;     // the text; Begin: the document name
    bool bold = false;
    int page = 0;     // DocumentPage: the page drawn
};

// A print surface for tests: fixed metrics, every character 100 twips wide
// and every line 240 high, each step appended to a log that may be shared by
// several surfaces (one per job). failAtText(n) makes the n-th text (from 1)
// fail as a printer would.
class RecordingSurface final : public PrintSurface {
public:
    explicit RecordingSurface(QList<PrintStep>* log) : m_log(log) {}
    ~RecordingSurface() override { abortJob(); }

    Metrics m{12240, 15840, 11520, 15120, 360, 360}; // Letter, 0.25 inch unprintable
    int failAt = 0;

    void beginJob(const QString& name, bool) override
    {
        m_open = true;
        add(PrintStep::Kind::Begin, 0, 0, name);
    }
    Metrics metrics() const override { return m; }
    QFont font() const override { return m_font; }
    void setFont(const QFont& font) override { m_font = font; }
    int textWidth(const QString& text) const override { return int(text.size()) * 100; }
    int textHeight(const QString&) const override { return 240; }
    void drawText(int x, int y, const QString& text) override
    {
        if (m_error.isError())
            return;
        if (++m_texts == failAt) {
            m_error = RunError::make(482, QStringLiteral("Printer error"));
            return;
        }
        add(PrintStep::Kind::Text, x, y, text, m_font.bold());
    }
    int layoutDocument(QTextDocument& document, const QSize& size) override
    {
        // Laid out at 1440 dots to the inch: one unit is one twip.
        m_device = QImage(1, 1, QImage::Format_RGB32);
        m_device.setDotsPerMeterX(56693);
        m_device.setDotsPerMeterY(56693);
        document.documentLayout()->setPaintDevice(&m_device);
        document.setPageSize(QSizeF(size));
        return std::max(1, document.pageCount());
    }
    void drawDocumentPage(QTextDocument&, int page, const QRect& rect) override
    {
        if (!m_error.isError())
            add(PrintStep::Kind::DocumentPage, rect.left(), rect.top(), {}, false, page);
    }
    void newPage() override
    {
        if (!m_error.isError())
            add(PrintStep::Kind::NewPage);
    }
    void endJob() override
    {
        m_open = false;
        add(PrintStep::Kind::End);
    }
    void abortJob() override
    {
        if (!m_open)
            return;
        m_open = false;
        add(PrintStep::Kind::Abort);
    }
    bool jobOpen() const override { return m_open; }
    RunError error() const override { return m_error; }

private:
    void add(PrintStep::Kind kind, int x = 0, int y = 0, const QString& text = {}, bool bold = false, int page = 0)
    {
        m_log->append(PrintStep{kind, x, y, text, bold, page});
    }

    QList<PrintStep>* m_log;
    QFont m_font{QStringLiteral("Arial"), 9};
    QImage m_device;
    RunError m_error;
    int m_texts = 0;
    bool m_open = false;
};

// Makes every surface that PrintSurfaces::open() hands out a recording one
// writing to `log`, for the life of the object.
class RecordingPrinter {
public:
    RecordingPrinter()
    {
        PrintSurfaces::setFactory([this](const PrinterChoice& choice) {
            choices.append(choice);
            auto surface = std::make_unique<RecordingSurface>(&log);
            surface->failAt = failAt;
            return surface;
        });
    }
    ~RecordingPrinter() { PrintSurfaces::setFactory({}); }

    QList<PrintStep> texts() const
    {
        QList<PrintStep> out;
        for (const PrintStep& s : log)
            if (s.kind == PrintStep::Kind::Text)
                out.append(s);
        return out;
    }
    int count(PrintStep::Kind kind) const
    {
        return int(std::count_if(log.begin(), log.end(), [kind](const PrintStep& s) { return s.kind == kind; }));
    }

    QList<PrintStep> log;
    QList<PrinterChoice> choices;
    int failAt = 0;
};
