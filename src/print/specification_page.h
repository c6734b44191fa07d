#pragma once
// The printed specification as prepared pages: the layout step that turns the rows of the calculation
// sheet into positioned text boxes, page by page. Nothing here draws; page_renderer.h draws what this
// step produced, on paper, in a PDF file or in the preview.
//
// Every place and size is in the grid unit of the page template, 1/91.626 inch, measured from the
// paper's top left corner.

#include <QString>

#include <optional>
#include <vector>

#include "calc/sheet.h"

class QLocale;

namespace print {

// Grid units per inch.
inline constexpr double kUnitsPerInch = 91.626;
inline constexpr double kUnitsPerMm = kUnitsPerInch / 25.4;

// A4 portrait.
inline constexpr double kA4WidthUnits = 210.0 * kUnitsPerMm;
inline constexpr double kA4HeightUnits = 297.0 * kUnitsPerMm;

// The top margin the flow starts at, and the distance kept free at the bottom, on a device that has no
// unprintable margins of its own (a PDF file).
inline constexpr double kDefaultMarginUnits = 18;

// Band heights and the height of every text box.
inline constexpr double kTitleBandHeight = 40;   // ReportTitle1
inline constexpr double kCaptionBandHeight = 32; // Band1
inline constexpr double kRowBandHeight = 20;     // Band2
inline constexpr double kSummaryBandHeight = 32; // ReportSummary1
inline constexpr double kBoxHeight = 20;

// Inner gap of every box between its edges and its text, and the extra space between wrapped lines.
inline constexpr double kBoxGapLeft = 2;
inline constexpr double kBoxGapTop = 1;
inline constexpr double kExtraLineSpacing = 2;

// The template's font family; the renderer substitutes what is installed.
inline const QString kTemplateFontFamily = QStringLiteral("Times New Roman");

struct BoxFont {
    QString family = kTemplateFontFamily;
    int pointSize = 10;
    bool bold = false;
    bool operator==(const BoxFont&) const = default;
};

struct TextBox {
    QString name; // the template's box name: "Memo11", "Memo2", ...
    double x = 0;
    double y = 0;
    double width = 0;
    double height = kBoxHeight;
    BoxFont font;
    QString text;
    bool operator==(const TextBox&) const = default;
};

struct PreparedPage {
    double width = kA4WidthUnits;
    double height = kA4HeightUnits;
    std::vector<TextBox> boxes; // in the order they were printed
};

using PreparedPages = std::vector<PreparedPage>;

// Where the flow of bands may run on a page.
struct PageGeometry {
    double width = kA4WidthUnits;
    double height = kA4HeightUnits;
    double topMargin = kDefaultMarginUnits;    // the flow starts here
    double bottomMargin = kDefaultMarginUnits; // bands must end above height - bottomMargin

    double PrintableBottom() const { return height - bottomMargin; }
};

// Texts of the page.
QString TitleText();
// A row field that may be empty: 0 when empty, else the shortest decimal form.
QString RowNumberText(const std::optional<double>& value, char decimalSeparator);
// Totals: the sum of Summa as 0.00, the sum of Weight as 0.000 (empty fields count 0).
QString TotalSummaText(const std::vector<calc::SheetRow>& rows, char decimalSeparator);
QString TotalWeightText(const std::vector<calc::SheetRow>& rows, char decimalSeparator);

// Builds the pages for the rows in their order: the title line and the title space on the first page,
// the column captions at the top of every page, one row band per row and the totals after the last.
PreparedPages BuildSpecificationPages(const std::vector<calc::SheetRow>& rows, char decimalSeparator,
                                      const PageGeometry& geometry = {});

// The sheet's rows as the report reads them: a row still in edit is posted first, then the sheet is
// walked with its own cursor from the first row to the end, which leaves the last row current.
std::vector<calc::SheetRow> SheetRows(calc::DsMaterial& sheet);

// Where a text was found in prepared pages.
struct FoundText {
    int page = -1;
    int box = -1;
    bool operator==(const FoundText&) const = default;
};

// The first box after `after` (in page and box order, wrapping round to the start) whose text contains
// `text`, ignoring case; page -1 when no box does. Start with the default `after` to search from the
// first box.
FoundText FindText(const PreparedPages& pages, const QString& text, FoundText after = {});

} // namespace print
