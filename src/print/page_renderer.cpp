#include "print/page_renderer.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>
#include <QTextLayout>

#include <algorithm>

namespace print {

namespace {

// High enough that glyph placement in the PDF does not depend on rounding to device pixels.
constexpr int kPdfResolution = 1200;

struct Substitute {
    const char* family;
    const char* substitute;
};
// Families of the template and the metric-compatible families that stand in for them.
constexpr Substitute kSubstitutes[] = {
    {"Times New Roman", "Liberation Serif"},
    {"Arial", "Liberation Sans"},
};

void DrawBoxText(QPainter& painter, const TextBox& box, double ppu) {
    if (box.text.isEmpty())
        return;
    const QFont font = RenderFont(box.font);
    QTextLayout layout(box.text, font, painter.device());
    QTextOption option(Qt::AlignLeft | Qt::AlignTop);
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);

    const double lineWidth = std::max(0.0, (box.width - kBoxGapLeft) * ppu);
    const double available = (box.height - kBoxGapTop) * ppu;
    const double extra = kExtraLineSpacing * ppu;
    layout.beginLayout();
    double y = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(lineWidth);
        line.setPosition(QPointF(0, y));
        y += line.height() + extra;
    }
    layout.endLayout();

    // Boxes keep their height: a line that would reach below the box is left out rather than drawn
    // over the next band. The first line is always drawn.
    const QPointF origin((box.x + kBoxGapLeft) * ppu, (box.y + kBoxGapTop) * ppu);
    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        if (i > 0 && line.position().y() + line.height() > available)
            break;
        line.draw(&painter, origin);
    }
}

} // namespace

double PixelsPerUnit(const QPaintDevice& device) { return device.logicalDpiX() / kUnitsPerInch; }

QString RenderFamily(const QString& templateFamily) {
    if (QFontDatabase::hasFamily(templateFamily))
        return templateFamily;
    for (const Substitute& s : kSubstitutes)
        if (templateFamily.compare(QLatin1String(s.family), Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(s.substitute);
    return templateFamily;
}

QFont RenderFont(const BoxFont& style) {
    QFont font(RenderFamily(style.family));
    font.setPointSize(style.pointSize);
    font.setBold(style.bold);
    // The same line breaks and glyph places at every zoom and on every device.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(true);
    return font;
}

QRectF BoxRect(const TextBox& box, double pixelsPerUnit) {
    return QRectF(box.x * pixelsPerUnit, box.y * pixelsPerUnit, box.width * pixelsPerUnit,
                  box.height * pixelsPerUnit);
}

void RenderPage(QPainter& painter, const PreparedPage& page) {
    const double ppu = PixelsPerUnit(*painter.device());
    painter.save();
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    for (const TextBox& box : page.boxes)
        DrawBoxText(painter, box, ppu);
    painter.restore();
}

PageGeometry GeometryFor(const QPageLayout& deviceLayout) {
    PageGeometry geometry;
    const QMarginsF minimum = deviceLayout.minimumMargins();
    if (minimum.top() <= 0 && minimum.bottom() <= 0)
        return geometry;
    // Minimum margins come in the layout's own unit; the full rect in both units gives the factor.
    const double layoutHeight = deviceLayout.fullRect().height();
    if (layoutHeight <= 0)
        return geometry;
    const double mmPerLayoutUnit = deviceLayout.fullRect(QPageLayout::Millimeter).height() / layoutHeight;
    geometry.topMargin = minimum.top() * mmPerLayoutUnit * kUnitsPerMm;
    geometry.bottomMargin = minimum.bottom() * mmPerLayoutUnit * kUnitsPerMm;
    return geometry;
}

PageGeometry DefaultPrinterGeometry() {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return {};
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    return GeometryFor(printer.pageLayout());
}

bool PrintPreparedPages(QPrinter& printer, const PreparedPages& pages, int currentPage) {
    const int count = static_cast<int>(pages.size());
    if (count == 0)
        return true;
    std::vector<int> chosen;
    switch (printer.printRange()) {
    case QPrinter::CurrentPage:
        chosen.push_back(std::clamp(currentPage, 0, count - 1));
        break;
    case QPrinter::PageRange:
        if (printer.fromPage() > 0) {
            const int from = std::clamp(printer.fromPage(), 1, count);
            const int to = std::clamp(printer.toPage() > 0 ? printer.toPage() : count, from, count);
            for (int p = from; p <= to; ++p)
                chosen.push_back(p - 1);
            break;
        }
        [[fallthrough]];
    case QPrinter::AllPages:
    case QPrinter::Selection:
        for (int p = 0; p < count; ++p)
            chosen.push_back(p);
        break;
    }

    // A printer that makes copies itself gets one; otherwise the copies are drawn here, in the order
    // collation asks for.
    const int copies = printer.supportsMultipleCopies() ? 1 : std::max(1, printer.copyCount());
    std::vector<int> sequence;
    if (printer.collateCopies()) {
        for (int c = 0; c < copies; ++c)
            sequence.insert(sequence.end(), chosen.begin(), chosen.end());
    } else {
        for (int p : chosen)
            sequence.insert(sequence.end(), static_cast<std::size_t>(copies), p);
    }

    // Places are measured from the paper's edge.
    printer.setFullPage(true);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    for (std::size_t i = 0; i < sequence.size(); ++i) {
        if (i > 0 && !printer.newPage())
            return false;
        RenderPage(painter, pages[static_cast<std::size_t>(sequence[i])]);
    }
    return painter.end();
}

bool WriteSpecificationPdf(const PreparedPages& pages, QIODevice& output, QString* error) {
    auto fail = [error](const QString& message) {
        if (error)
            *error = message;
        return false;
    };
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr)
        return fail(QStringLiteral("Для записи PDF нужен графический объект приложения (QGuiApplication)"));

    QPdfWriter writer(&output);
    writer.setResolution(kPdfResolution);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    writer.setTitle(TitleText());
    writer.setCreator(QStringLiteral("Расчет материалов"));

    QPainter painter;
    if (!painter.begin(&writer))
        return fail(QStringLiteral("Не удается начать запись PDF: %1").arg(output.errorString()));
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (i > 0)
            writer.newPage();
        RenderPage(painter, pages[i]);
    }
    if (!painter.end())
        return fail(QStringLiteral("Ошибка записи PDF: %1").arg(output.errorString()));
    return true;
}

bool WriteSpecificationPdf(const PreparedPages& pages, const QString& fileName, QString* error) {
    // Written aside and renamed at the end, so a failed run leaves no half-written file behind.
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = QStringLiteral("Не удается открыть файл '%1' для записи: %2").arg(fileName, file.errorString());
        return false;
    }
    if (!WriteSpecificationPdf(pages, file, error)) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (error)
            *error = QStringLiteral("Не удается записать файл '%1': %2").arg(fileName, file.errorString());
        return false;
    }
    return true;
}

} // namespace print
