#include "print/specification_page.h"

#include <QLocale>

#include <array>
#include <string>

#include "calc/number_format.h"

namespace print {

namespace {

struct BoxTemplate {
    const char* name;
    double x;
    double y; // from the top of the band
    double width;
};

const BoxFont kTitleFont{kTemplateFontFamily, 12, true};
const BoxFont kCaptionFont{kTemplateFontFamily, 10, true};
const BoxFont kRowFont{kTemplateFontFamily, 10, false};
const BoxFont kTotalsFont{kTemplateFontFamily, 12, true};

// Memo11 stands on the paper itself, not in a band.
constexpr BoxTemplate kTitleBox{"Memo11", 28, 16, 676};

constexpr std::array<BoxTemplate, 5> kCaptionBoxes{{
    {"Memo1", 26, 0, 108},
    {"Memo3", 202, 0, 64},
    {"Memo9", 356, 1, 76},
    {"Memo10", 472, 1, 104},
    {"Memo5", 622, 0, 58},
}};
const std::array<QString, 5> kCaptionTexts{
    QStringLiteral("Наименование"), QStringLiteral("Размер"), QStringLiteral("Кол-во М2"),
    QStringLiteral("Кол-во листов"), QStringLiteral("Сумма"),
};

// Name, Size, AmountS, AmountN, Summa.
constexpr std::array<BoxTemplate, 5> kRowBoxes{{
    {"Memo2", 22, 0, 166},
    {"Memo4", 206, 0, 129},
    {"Memo7", 356, 1, 96},
    {"Memo8", 476, 1, 96},
    {"Memo6", 626, 0, 58},
}};

constexpr double kTotalsY = 8;
// "Итого:", "Вес", the mass, "Сумма", the sum.
constexpr std::array<BoxTemplate, 5> kTotalsBoxes{{
    {"Memo13", 156, kTotalsY, 68},
    {"Memo15", 300, kTotalsY, 40},
    {"Memo14", 352, kTotalsY, 106},
    {"Memo16", 540, kTotalsY, 64},
    {"Memo12", 624, kTotalsY, 106},
}};

TextBox MakeBox(const BoxTemplate& t, double bandTop, const BoxFont& font, QString text) {
    TextBox box;
    box.name = QString::fromLatin1(t.name);
    box.x = t.x;
    box.y = bandTop + t.y;
    box.width = t.width;
    box.height = kBoxHeight;
    box.font = font;
    box.text = std::move(text);
    return box;
}

QString WithSeparator(std::string text, char decimalSeparator) {
    for (char& c : text)
        if (c == '.')
            c = decimalSeparator;
    return QString::fromStdString(text);
}

// Adds up a field the way the report's SUM does: every row, empty as 0.
double SumOf(const std::vector<calc::SheetRow>& rows, std::optional<double> calc::SheetRow::*field) {
    double sum = 0;
    for (const calc::SheetRow& row : rows)
        sum += (row.*field).value_or(0.0);
    return sum;
}

// The flow of bands down the pages.
class PageFlow {
  public:
    PageFlow(PreparedPages& pages, const PageGeometry& geometry) : m_pages(pages), m_geometry(geometry) {}

    void StartPage(bool first) {
        PreparedPage page;
        page.width = m_geometry.width;
        page.height = m_geometry.height;
        m_pages.push_back(std::move(page));
        m_y = m_geometry.topMargin;
        if (first) {
            // The title line has its own place on the paper; only the title band moves the flow.
            Add(MakeBox(kTitleBox, 0, kTitleFont, TitleText()));
            m_y += kTitleBandHeight;
        }
        for (std::size_t i = 0; i < kCaptionBoxes.size(); ++i)
            Add(MakeBox(kCaptionBoxes[i], m_y, kCaptionFont, kCaptionTexts[i]));
        m_y += kCaptionBandHeight;
    }

    // The top of a band of `height`, on a new page when it no longer fits above the printable bottom.
    double PlaceBand(double height) {
        if (m_y + height > m_geometry.PrintableBottom())
            StartPage(false);
        const double top = m_y;
        m_y += height;
        return top;
    }

    void Add(TextBox box) { m_pages.back().boxes.push_back(std::move(box)); }

  private:
    PreparedPages& m_pages;
    const PageGeometry& m_geometry;
    double m_y = 0;
};

} // namespace

QString TitleText() { return QStringLiteral("Стоимость материалов ООО 'ТОРМЕЛЬ' на ваш автомобиль"); }

QString RowNumberText(const std::optional<double>& value, char decimalSeparator) {
    return QString::fromStdString(calc::FormatGeneral(value.value_or(0.0), decimalSeparator));
}

QString TotalSummaText(const std::vector<calc::SheetRow>& rows, char decimalSeparator) {
    return WithSeparator(calc::FormatFixed(SumOf(rows, &calc::SheetRow::Summa), 2), decimalSeparator);
}

QString TotalWeightText(const std::vector<calc::SheetRow>& rows, char decimalSeparator) {
    return WithSeparator(calc::FormatFixed(SumOf(rows, &calc::SheetRow::Weight), 3), decimalSeparator);
}

PreparedPages BuildSpecificationPages(const std::vector<calc::SheetRow>& rows, char decimalSeparator,
                                      const PageGeometry& geometry) {
    PreparedPages pages;
    PageFlow flow(pages, geometry);
    flow.StartPage(true);

    for (const calc::SheetRow& row : rows) {
        const double top = flow.PlaceBand(kRowBandHeight);
        const std::array<QString, 5> texts{
            QString::fromStdString(row.Name),
            QString::fromStdString(row.Size),
            RowNumberText(row.AmountS, decimalSeparator),
            RowNumberText(row.AmountN, decimalSeparator),
            RowNumberText(row.Summa, decimalSeparator),
        };
        for (std::size_t i = 0; i < kRowBoxes.size(); ++i)
            flow.Add(MakeBox(kRowBoxes[i], top, kRowFont, texts[i]));
    }

    const double top = flow.PlaceBand(kSummaryBandHeight);
    const std::array<QString, 5> totals{
        QStringLiteral("Итого:"),
        QStringLiteral("Вес"),
        TotalWeightText(rows, decimalSeparator),
        QStringLiteral("Сумма"),
        TotalSummaText(rows, decimalSeparator),
    };
    for (std::size_t i = 0; i < kTotalsBoxes.size(); ++i)
        flow.Add(MakeBox(kTotalsBoxes[i], top, kTotalsFont, totals[i]));
    return pages;
}

std::vector<calc::SheetRow> SheetRows(calc::DsMaterial& sheet) {
    // Posting first lets the row-sum rule run for a row the user is still typing in, with the grid
    // following as it would for any post.
    sheet.CheckBrowseMode();
    std::vector<calc::SheetRow> rows;
    rows.reserve(static_cast<std::size_t>(sheet.RecordCount()));
    calc::ViewSuspension view(sheet);
    for (sheet.First(); !sheet.Eof(); sheet.Next())
        rows.push_back(sheet.Row(sheet.RecNo()));
    return rows;
}

FoundText FindText(const PreparedPages& pages, const QString& text, FoundText after) {
    if (text.isEmpty())
        return {};
    // Box positions in reading order; the search starts right after `after` and wraps round once.
    std::vector<FoundText> order;
    for (std::size_t p = 0; p < pages.size(); ++p)
        for (std::size_t b = 0; b < pages[p].boxes.size(); ++b)
            order.push_back({static_cast<int>(p), static_cast<int>(b)});
    if (order.empty())
        return {};
    std::size_t start = 0;
    for (std::size_t i = 0; i < order.size(); ++i)
        if (order[i] == after)
            start = i + 1;
    for (std::size_t n = 0; n < order.size(); ++n) {
        const FoundText& at = order[(start + n) % order.size()];
        const TextBox& box = pages[static_cast<std::size_t>(at.page)].boxes[static_cast<std::size_t>(at.box)];
        if (box.text.contains(text, Qt::CaseInsensitive))
            return at;
    }
    return {};
}

} // namespace print
