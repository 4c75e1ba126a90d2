#pragma once

#include "common/PromptService.h"
#include "common/RunError.h"

#include <QFont>
#include <QRect>
#include <QString>

#include <functional>
#include <memory>

class QTextDocument;

// Where printing goes: pages measured in twips (1440 to the inch). x and y
// are printable-area coordinates (0, 0 is the top left corner of what the
// device can print); paper sizes include the margin the device cannot print.
//
// A job runs beginJob, then text and pages, then endJob; abortJob ends a job
// that failed and leaves nothing open. A failing call records the first error
// in error() and the calls after it do nothing, so a printing routine checks
// error() where it can stop.
class PrintSurface {
public:
    virtual ~PrintSurface() = default;

    struct Metrics {
        int pageWidth = 0;        // the paper
        int pageHeight = 0;
        int printableWidth = 0;   // the area the device prints on
        int printableHeight = 0;
        int offsetX = 0;          // the printable area's distance from the paper edges
        int offsetY = 0;
    };

    // Opens the document and its first page; `landscape` turns the paper.
    virtual void beginJob(const QString& documentName, bool landscape) = 0;
    virtual Metrics metrics() const = 0;
    virtual QFont font() const = 0;
    virtual void setFont(const QFont& font) = 0;
    virtual int textWidth(const QString& text) const = 0;
    virtual int textHeight(const QString& text) const = 0;
    // One line of text whose top left corner is at (x, y).
    virtual void drawText(int x, int y, const QString& text) = 0;
    // Lays `document` (a copy the caller owns) out in pages of `size`
    // twips for this device; the number of pages, at least 1.
    virtual int layoutDocument(QTextDocument& document, const QSize& size) = 0;
    // Draws page `page` (from 0) of a document laid out by layoutDocument
    // into `rect`.
    virtual void drawDocumentPage(QTextDocument& document, int page, const QRect& rect) = 0;
    virtual void newPage() = 0;
    // Ends the document; it goes to the printer or the file.
    virtual void endJob() = 0;
    // Ends a job without printing what it holds; does nothing outside a job.
    virtual void abortJob() = 0;

    virtual bool jobOpen() const = 0;
    virtual RunError error() const = 0;
};

namespace PrintSurfaces {

// The program's current printer: the last choice made in the printer
// dialog; the system's default printer before any.
PrinterChoice current();
void setCurrent(const PrinterChoice& choice);

// A new surface on the current printer.
std::unique_ptr<PrintSurface> open();

// Replaces how open() makes surfaces (tests); an empty function restores
// the printer surface.
using Factory = std::function<std::unique_ptr<PrintSurface>(const PrinterChoice&)>;
void setFactory(Factory factory);

// The surface over QPrinter for a choice.
std::unique_ptr<PrintSurface> printerSurface(const PrinterChoice& choice);

} // namespace PrintSurfaces
