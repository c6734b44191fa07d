#pragma once
// The one renderer of prepared pages: it draws them with QPainter on any paint device (a printer, a PDF
// writer, the preview), so that the preview shows exactly what is printed. Also the printing of
// prepared pages as the print dialog set it up, and the PDF file.

#include <QFont>
#include <QRectF>
#include <QString>

#include "print/specification_page.h"

class QIODevice;
class QPageLayout;
class QPaintDevice;
class QPainter;
class QPrinter;

namespace print {

// Device pixels per grid unit at the device's logical resolution.
double PixelsPerUnit(const QPaintDevice& device);

// The installed family that a template family is drawn with: "Times New Roman" is drawn with its
// metric-compatible substitute when it is not installed itself.
QString RenderFamily(const QString& templateFamily);
QFont RenderFont(const BoxFont& style);

// A box's place in pixels of `pixelsPerUnit`.
QRectF BoxRect(const TextBox& box, double pixelsPerUnit);

// Draws one page with its top left corner at the painter's origin, one grid unit being
// PixelsPerUnit(device) in the painter's coordinates (the caller's transform may zoom it). Text is
// black on a transparent background; nothing is filled.
void RenderPage(QPainter& painter, const PreparedPage& page);

// A4 portrait with the device's unprintable margins; a device without any (PDF) gets the default ones.
PageGeometry GeometryFor(const QPageLayout& deviceLayout);
// The geometry on the system's default printer, or the default margins when no printer is installed.
PageGeometry DefaultPrinterGeometry();

// Prints the pages on `printer` as its dialog left it: all pages, a page range or the current page
// (`currentPage`, 0-based), the copy count and collation. The pages are drawn as they are, not
// rebuilt for the printer. False when the printer could not be started.
bool PrintPreparedPages(QPrinter& printer, const PreparedPages& pages, int currentPage);

// Writes the pages as an A4 PDF document. False with a message for the user in `error` when the
// output cannot be written. Needs a QGuiApplication (fonts).
bool WriteSpecificationPdf(const PreparedPages& pages, QIODevice& output, QString* error = nullptr);
bool WriteSpecificationPdf(const PreparedPages& pages, const QString& fileName, QString* error = nullptr);

} // namespace print
