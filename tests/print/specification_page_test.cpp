// The prepared pages of the printed specification: every box's place, font and text, the number texts
// under both decimal separators, the totals, the page-break rule, the walk over the sheet and finding
// a text in the pages.

#include <gtest/gtest.h>

#include <QString>

#include <optional>
#include <string>
#include <vector>

#include "calc/catalog.h"
#include "calc/sheet.h"
#include "print/specification_page.h"

namespace {

using print::BuildSpecificationPages;
using print::BoxFont;
using print::PageGeometry;
using print::PreparedPage;
using print::PreparedPages;
using print::TextBox;

const BoxFont kTitle{QStringLiteral("Times New Roman"), 12, true};
const BoxFont kCaption{QStringLiteral("Times New Roman"), 10, true};
const BoxFont kRow{QStringLiteral("Times New Roman"), 10, false};
const BoxFont kTotals{QStringLiteral("Times New Roman"), 12, true};

// The 18 seeded rows, some of them filled the way a recalculation and the price rules leave them.
std::vector<calc::SheetRow> FilledRows() {
    calc::DsMaterial sheet;
    sheet.SeedSheet();
    std::vector<calc::SheetRow> rows;
    for (int i = 0; i < sheet.RecordCount(); ++i)
        rows.push_back(sheet.Row(i));
    rows[0].AmountS = 3.33;
    rows[0].AmountN = 8.325;
    rows[0].PriceN = 350;
    rows[0].Summa = 2913.75;
    rows[0].Weight = 9.1575;
    rows[1].AmountS = 1.8;
    rows[1].AmountN = 4.5;
    rows[1].PriceN = 420;
    rows[1].Summa = 1890;
    rows[1].Weight = 6.75;
    rows[17].AmountS = 0.2;
    rows[17].AmountN = 0.16;
    rows[17].PriceS = 45.5;
    rows[17].Summa = 9.1;
    rows[17].Weight = 0.048;
    return rows;
}

// The `occurrence`-th box of that name on the page (0-based), or none.
const TextBox* FindBox(const PreparedPage& page, const QString& name, int occurrence = 0) {
    for (const TextBox& box : page.boxes)
        if (box.name == name && occurrence-- == 0)
            return &box;
    return nullptr;
}

int CountBoxes(const PreparedPage& page, const QString& name) {
    int count = 0;
    for (const TextBox& box : page.boxes)
        count += box.name == name ? 1 : 0;
    return count;
}

// ---------------------------------------------------------------------------------------------------
// Every box of the filled one-page specification (A4, flow from the 18-unit default top margin).

struct BoxCase {
    const char* name; // test name
    const char* box;
    int occurrence;
    double x;
    double y;
    double width;
    BoxFont font;
    QString text;
};

void PrintTo(const BoxCase& c, std::ostream* os) { *os << c.name; }

class FilledPageBox : public ::testing::TestWithParam<BoxCase> {};

TEST_P(FilledPageBox, HasItsPlaceFontAndText) {
    const BoxCase& c = GetParam();
    const PreparedPages pages = BuildSpecificationPages(FilledRows(), ',');
    ASSERT_EQ(pages.size(), 1u);
    const TextBox* box = FindBox(pages[0], QString::fromLatin1(c.box), c.occurrence);
    ASSERT_NE(box, nullptr) << c.box << " #" << c.occurrence;
    EXPECT_DOUBLE_EQ(box->x, c.x);
    EXPECT_DOUBLE_EQ(box->y, c.y);
    EXPECT_DOUBLE_EQ(box->width, c.width);
    EXPECT_DOUBLE_EQ(box->height, 20);
    EXPECT_EQ(box->font, c.font);
    EXPECT_EQ(box->text.toStdString(), c.text.toStdString());
}

// Title band from 18, captions from 58, rows from 90 (row i at 90 + 20 i), totals band from 450.
INSTANTIATE_TEST_SUITE_P(
    A4, FilledPageBox,
    ::testing::Values(
        BoxCase{"Title", "Memo11", 0, 28, 16, 676, kTitle,
                QStringLiteral("Стоимость материалов ООО 'ТОРМЕЛЬ' на ваш автомобиль")},
        BoxCase{"CaptionName", "Memo1", 0, 26, 58, 108, kCaption, QStringLiteral("Наименование")},
        BoxCase{"CaptionSize", "Memo3", 0, 202, 58, 64, kCaption, QStringLiteral("Размер")},
        BoxCase{"CaptionSquareMetres", "Memo9", 0, 356, 59, 76, kCaption, QStringLiteral("Кол-во М2")},
        BoxCase{"CaptionSheets", "Memo10", 0, 472, 59, 104, kCaption, QStringLiteral("Кол-во листов")},
        BoxCase{"CaptionSumma", "Memo5", 0, 622, 58, 58, kCaption, QStringLiteral("Сумма")},
        BoxCase{"FirstRowName", "Memo2", 0, 22, 90, 166, kRow, QStringLiteral("Кордилат 'Тормель plus'")},
        BoxCase{"FirstRowSize", "Memo4", 0, 206, 90, 129, kRow, QStringLiteral("530*750*1,6")},
        BoxCase{"FirstRowSquareMetres", "Memo7", 0, 356, 91, 96, kRow, QStringLiteral("3,33")},
        BoxCase{"FirstRowSheets", "Memo8", 0, 476, 91, 96, kRow, QStringLiteral("8,325")},
        BoxCase{"FirstRowSumma", "Memo6", 0, 626, 90, 58, kRow, QStringLiteral("2913,75")},
        BoxCase{"SecondRowSquareMetres", "Memo7", 1, 356, 111, 96, kRow, QStringLiteral("1,8")},
        BoxCase{"SecondRowSheets", "Memo8", 1, 476, 111, 96, kRow, QStringLiteral("4,5")},
        BoxCase{"SecondRowWholeSumma", "Memo6", 1, 626, 110, 58, kRow, QStringLiteral("1890")},
        BoxCase{"EmptyRowName", "Memo2", 8, 22, 250, 166, kRow, QStringLiteral("Фенсалин ЛМ 12,5")},
        BoxCase{"EmptyRowSize", "Memo4", 8, 206, 250, 129, kRow, QStringLiteral("1200*2000*12,5")},
        BoxCase{"EmptyRowSquareMetres", "Memo7", 8, 356, 251, 96, kRow, QStringLiteral("0")},
        BoxCase{"EmptyRowSheets", "Memo8", 8, 476, 251, 96, kRow, QStringLiteral("0")},
        BoxCase{"EmptyRowSumma", "Memo6", 8, 626, 250, 58, kRow, QStringLiteral("0")},
        BoxCase{"LastRowName", "Memo2", 17, 22, 430, 166, kRow, QStringLiteral("Рузелин")},
        BoxCase{"LastRowSquareMetres", "Memo7", 17, 356, 431, 96, kRow, QStringLiteral("0,2")},
        BoxCase{"LastRowSheets", "Memo8", 17, 476, 431, 96, kRow, QStringLiteral("0,16")},
        BoxCase{"LastRowSumma", "Memo6", 17, 626, 430, 58, kRow, QStringLiteral("9,1")},
        BoxCase{"TotalsLabel", "Memo13", 0, 156, 458, 68, kTotals, QStringLiteral("Итого:")},
        BoxCase{"WeightLabel", "Memo15", 0, 300, 458, 40, kTotals, QStringLiteral("Вес")},
        BoxCase{"TotalWeight", "Memo14", 0, 352, 458, 106, kTotals, QStringLiteral("15,956")},
        BoxCase{"SummaLabel", "Memo16", 0, 540, 458, 64, kTotals, QStringLiteral("Сумма")},
        BoxCase{"TotalSumma", "Memo12", 0, 624, 458, 106, kTotals, QStringLiteral("4812,85")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FilledPage, PrintsEveryRowInSheetOrderAndNothingElse) {
    const std::vector<calc::SheetRow> rows = FilledRows();
    const PreparedPages pages = BuildSpecificationPages(rows, ',');
    ASSERT_EQ(pages.size(), 1u);
    const PreparedPage& page = pages[0];
    EXPECT_NEAR(page.width, 757.5, 0.1);
    EXPECT_NEAR(page.height, 1071.4, 0.1);

    // Title, five captions, five boxes per row, five totals, in the order they were printed.
    std::vector<QString> expected{QStringLiteral("Memo11"), QStringLiteral("Memo1"), QStringLiteral("Memo3"),
                                  QStringLiteral("Memo9"),  QStringLiteral("Memo10"), QStringLiteral("Memo5")};
    for (std::size_t i = 0; i < rows.size(); ++i)
        for (const char* name : {"Memo2", "Memo4", "Memo7", "Memo8", "Memo6"})
            expected.push_back(QString::fromLatin1(name));
    for (const char* name : {"Memo13", "Memo15", "Memo14", "Memo16", "Memo12"})
        expected.push_back(QString::fromLatin1(name));
    std::vector<QString> actual;
    for (const TextBox& box : page.boxes)
        actual.push_back(box.name);
    EXPECT_EQ(actual, expected);

    for (std::size_t i = 0; i < rows.size(); ++i) {
        const TextBox* name = FindBox(page, QStringLiteral("Memo2"), static_cast<int>(i));
        const TextBox* size = FindBox(page, QStringLiteral("Memo4"), static_cast<int>(i));
        ASSERT_NE(name, nullptr);
        ASSERT_NE(size, nullptr);
        EXPECT_EQ(name->text.toStdString(), rows[i].Name) << "row " << i;
        EXPECT_EQ(size->text.toStdString(), rows[i].Size) << "row " << i;
        EXPECT_DOUBLE_EQ(name->y, 90 + 20.0 * static_cast<double>(i)) << "row " << i;
    }
}

TEST(FilledPage, PricesIdsAndRowMassesAreNotPrinted) {
    std::vector<calc::SheetRow> rows = FilledRows();
    for (calc::SheetRow& row : rows) {
        row.PriceS = 777.77;
        row.PriceN = 888.88;
        row.Weight = 5.4321;
        row.Id = 4242;
    }
    const PreparedPages pages = BuildSpecificationPages(rows, ',');
    ASSERT_EQ(pages.size(), 1u);
    for (const TextBox& box : pages[0].boxes) {
        for (const char* price : {"777", "888", "4242", "5,4321"})
            EXPECT_FALSE(box.text.contains(QLatin1String(price))) << box.name.toStdString() << ": " << box.text.toStdString();
    }
    // The masses are summed all the same.
    const TextBox* weight = FindBox(pages[0], QStringLiteral("Memo14"));
    ASSERT_NE(weight, nullptr);
    EXPECT_EQ(weight->text, QStringLiteral("97,778"));
}

// ---------------------------------------------------------------------------------------------------
// Number texts under both separators.

struct NumberCase {
    const char* name;
    char separator;
    std::optional<double> value;
    const char* text;
};

void PrintTo(const NumberCase& c, std::ostream* os) { *os << c.name; }

class RowNumber : public ::testing::TestWithParam<NumberCase> {};

TEST_P(RowNumber, PrintsShortestFormWithTheSeparator) {
    const NumberCase& c = GetParam();
    EXPECT_EQ(print::RowNumberText(c.value, c.separator).toStdString(), c.text);
}

INSTANTIATE_TEST_SUITE_P(Separators, RowNumber,
                         ::testing::Values(NumberCase{"EmptyComma", ',', std::nullopt, "0"},
                                           NumberCase{"EmptyPoint", '.', std::nullopt, "0"},
                                           NumberCase{"FractionComma", ',', 1.8, "1,8"},
                                           NumberCase{"FractionPoint", '.', 1.8, "1.8"},
                                           NumberCase{"HalfComma", ',', 12.5, "12,5"},
                                           NumberCase{"WholeComma", ',', 30.0, "30"},
                                           NumberCase{"ThreeDecimalsPoint", '.', 22.125, "22.125"},
                                           NumberCase{"StoredZeroComma", ',', 0.0, "0"},
                                           NumberCase{"NoGroupingComma", ',', 1234567.25, "1234567,25"}),
                         [](const auto& info) { return std::string(info.param.name); });

struct TotalsCase {
    const char* name;
    char separator;
    std::vector<std::optional<double>> sums;
    std::vector<std::optional<double>> masses;
    const char* summa;
    const char* weight;
};

void PrintTo(const TotalsCase& c, std::ostream* os) { *os << c.name; }

class Totals : public ::testing::TestWithParam<TotalsCase> {};

TEST_P(Totals, AreSummedAndPrintedWithFixedDecimals) {
    const TotalsCase& c = GetParam();
    calc::DsMaterial sheet;
    sheet.SeedSheet();
    std::vector<calc::SheetRow> rows;
    for (int i = 0; i < sheet.RecordCount(); ++i)
        rows.push_back(sheet.Row(i));
    for (std::size_t i = 0; i < c.sums.size(); ++i)
        rows[i].Summa = c.sums[i];
    for (std::size_t i = 0; i < c.masses.size(); ++i)
        rows[i + 5].Weight = c.masses[i];

    const PreparedPages pages = BuildSpecificationPages(rows, c.separator);
    ASSERT_EQ(pages.size(), 1u);
    const TextBox* summa = FindBox(pages[0], QStringLiteral("Memo12"));
    const TextBox* weight = FindBox(pages[0], QStringLiteral("Memo14"));
    ASSERT_NE(summa, nullptr);
    ASSERT_NE(weight, nullptr);
    EXPECT_EQ(summa->text.toStdString(), c.summa);
    EXPECT_EQ(weight->text.toStdString(), c.weight);
}

INSTANTIATE_TEST_SUITE_P(
    Separators, Totals,
    ::testing::Values(TotalsCase{"NothingChosenComma", ',', {}, {}, "0,00", "0,000"},
                      TotalsCase{"NothingChosenPoint", '.', {}, {}, "0.00", "0.000"},
                      TotalsCase{"SumsComma", ',', {100.1, 200.25, 0.15}, {}, "300,50", "0,000"},
                      TotalsCase{"SumsPoint", '.', {100.1, 200.25, 0.15}, {}, "300.50", "0.000"},
                      TotalsCase{"MassesComma", ',', {}, {1.25, 2.1}, "0,00", "3,350"},
                      TotalsCase{"MassesPoint", '.', {}, {1.25, 2.1}, "0.00", "3.350"},
                      TotalsCase{"EmptyFieldsCountZero", ',', {std::nullopt, 12.0, std::nullopt},
                                 {std::nullopt, 0.0005}, "12,00", "0,001"},
                      TotalsCase{"LargeSumHasNoGrouping", ',', {1234567.8, 0.2}, {}, "1234568,00", "0,000"}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------------------------
// Page breaks.

std::vector<calc::SheetRow> NumberedRows(int count) {
    std::vector<calc::SheetRow> rows(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        rows[static_cast<std::size_t>(i)].Name = "Строка " + std::to_string(i + 1);
        rows[static_cast<std::size_t>(i)].Summa = 1;
    }
    return rows;
}

struct BreakCase {
    const char* name;
    int rows;
    PageGeometry geometry;
    std::vector<int> rowsPerPage;
};

void PrintTo(const BreakCase& c, std::ostream* os) { *os << c.name; }

class PageBreak : public ::testing::TestWithParam<BreakCase> {};

TEST_P(PageBreak, RepeatsCaptionsTitleOnceTotalsAfterTheLastRow) {
    const BreakCase& c = GetParam();
    const PreparedPages pages = BuildSpecificationPages(NumberedRows(c.rows), ',', c.geometry);
    ASSERT_EQ(pages.size(), c.rowsPerPage.size());

    int nextRow = 1;
    for (std::size_t p = 0; p < pages.size(); ++p) {
        SCOPED_TRACE("page " + std::to_string(p + 1));
        const PreparedPage& page = pages[p];
        const bool first = p == 0;
        const bool last = p + 1 == pages.size();
        EXPECT_EQ(CountBoxes(page, QStringLiteral("Memo11")), first ? 1 : 0);

        // The captions start the flow: after the title space on the first page, at the top margin after.
        const double captionTop = c.geometry.topMargin + (first ? 40 : 0);
        for (const char* caption : {"Memo1", "Memo3", "Memo5"}) {
            const TextBox* box = FindBox(page, QString::fromLatin1(caption));
            ASSERT_NE(box, nullptr) << caption;
            EXPECT_DOUBLE_EQ(box->y, captionTop) << caption;
            EXPECT_EQ(CountBoxes(page, QString::fromLatin1(caption)), 1) << caption;
        }

        // Rows continue in order, each band fully above the printable bottom.
        ASSERT_EQ(CountBoxes(page, QStringLiteral("Memo2")), c.rowsPerPage[p]);
        double bottom = captionTop + 32;
        for (int i = 0; i < c.rowsPerPage[p]; ++i) {
            const TextBox* name = FindBox(page, QStringLiteral("Memo2"), i);
            EXPECT_EQ(name->text, QStringLiteral("Строка %1").arg(nextRow++));
            EXPECT_DOUBLE_EQ(name->y, bottom);
            bottom += 20;
            EXPECT_LE(bottom, c.geometry.PrintableBottom());
        }

        EXPECT_EQ(CountBoxes(page, QStringLiteral("Memo12")), last ? 1 : 0);
        if (last) {
            const TextBox* summa = FindBox(page, QStringLiteral("Memo12"));
            EXPECT_DOUBLE_EQ(summa->y, bottom + 8);
            EXPECT_LE(bottom + 32, c.geometry.PrintableBottom());
            EXPECT_EQ(summa->text, QStringLiteral("%1,00").arg(c.rows));
        }
    }
    EXPECT_EQ(nextRow, c.rows + 1);
}

// A page whose printable bottom lies at 150: title space and captions end at 90, so three rows fit
// exactly (the third ends at 150).
constexpr PageGeometry kThreeRowPage{757.5, 168, 18, 18};

INSTANTIATE_TEST_SUITE_P(
    Flow, PageBreak,
    ::testing::Values(BreakCase{"EighteenRowsOnA4", 18, PageGeometry{}, {18}},
                      BreakCase{"NoRows", 0, PageGeometry{}, {0}},
                      // A4 from 18 to 1053.4: 48 rows after the title, 50 on a following page.
                      BreakCase{"SixtyRowsOnA4", 60, PageGeometry{}, {48, 12}},
                      BreakCase{"HundredRowsOnA4", 100, PageGeometry{}, {48, 50, 2}},
                      BreakCase{"DeviceMarginsMoveTheFlow", 60, PageGeometry{757.5, 1071.4, 30, 40}, {46, 14}},
                      BreakCase{"RowThatEndsAtTheBottomStays", 4, kThreeRowPage, {3, 1}},
                      BreakCase{"TotalsThatDoNotFitGoOn", 3, kThreeRowPage, {3, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------------------------
// The walk over the sheet.

class SheetWalk : public ::testing::Test {
  protected:
    void SetUp() override {
        sheet.SeedSheet();
        sheet.BeforePost = [this](calc::DsMaterial& ds) {
            ++posts;
            // The row-sum rule stands in here: the sum follows the price.
            ds.SetFloat(calc::Field::Summa, ds.AsFloat(calc::Field::PriceS) * 2);
        };
    }
    calc::DsMaterial sheet;
    int posts = 0;
};

TEST_F(SheetWalk, PostsTheRowInEditAndLeavesTheLastRowCurrent) {
    sheet.MoveTo(4);
    sheet.Edit();
    sheet.SetFloat(calc::Field::PriceS, 12.5);
    ASSERT_EQ(posts, 0);

    const std::vector<calc::SheetRow> rows = print::SheetRows(sheet);

    EXPECT_EQ(posts, 1);
    EXPECT_EQ(sheet.GetState(), calc::DsMaterial::State::Browse);
    EXPECT_EQ(sheet.RecNo(), 17);
    ASSERT_EQ(rows.size(), 18u);
    EXPECT_EQ(rows[4].Summa, 25.0);
    for (std::size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(rows[i].Id, calc::MaterialCatalog[i].id) << "row " << i;

    // The page shows the posted sum.
    const PreparedPages pages = BuildSpecificationPages(rows, ',');
    EXPECT_EQ(FindBox(pages[0], QStringLiteral("Memo6"), 4)->text, QStringLiteral("25"));
}

TEST_F(SheetWalk, GivesTheViewSwitchBackAsItWas) {
    print::SheetRows(sheet);
    EXPECT_TRUE(sheet.ViewEnabled());
    sheet.SetViewEnabled(false);
    print::SheetRows(sheet);
    EXPECT_FALSE(sheet.ViewEnabled());
}

TEST_F(SheetWalk, AnUnchangedEditIsNotPosted) {
    sheet.MoveTo(2);
    sheet.Edit();
    print::SheetRows(sheet);
    EXPECT_EQ(posts, 0);
    EXPECT_EQ(sheet.GetState(), calc::DsMaterial::State::Browse);
    EXPECT_EQ(sheet.RecNo(), 17);
}

// ---------------------------------------------------------------------------------------------------
// Finding a text.

struct FindCase {
    const char* name;
    QString text;
    print::FoundText after;
    const char* box; // nullptr: not found
    int occurrence;
};

void PrintTo(const FindCase& c, std::ostream* os) { *os << c.name; }

class FindInPages : public ::testing::TestWithParam<FindCase> {};

TEST_P(FindInPages, FindsTheNextBoxContainingTheText) {
    const FindCase& c = GetParam();
    const PreparedPages pages = BuildSpecificationPages(FilledRows(), ',');
    const print::FoundText found = print::FindText(pages, c.text, c.after);
    if (c.box == nullptr) {
        EXPECT_EQ(found.page, -1);
        return;
    }
    ASSERT_EQ(found.page, 0);
    const TextBox* expected = FindBox(pages[0], QString::fromLatin1(c.box), c.occurrence);
    ASSERT_NE(expected, nullptr);
    EXPECT_EQ(&pages[0].boxes[static_cast<std::size_t>(found.box)], expected);
}

// Box 6 is the first row's name, 11 the second row's; the totals label is box 96.
INSTANTIATE_TEST_SUITE_P(
    Texts, FindInPages,
    ::testing::Values(FindCase{"FromTheStart", QStringLiteral("Кордилат"), {}, "Memo2", 0},
                      FindCase{"AfterAFoundOne", QStringLiteral("Кордилат"), {0, 6}, "Memo2", 1},
                      FindCase{"IgnoresCase", QStringLiteral("итого"), {}, "Memo13", 0},
                      FindCase{"PartOfANumber", QStringLiteral("8,32"), {}, "Memo8", 0},
                      FindCase{"WrapsRound", QStringLiteral("Стоимость"), {0, 96}, "Memo11", 0},
                      FindCase{"Absent", QStringLiteral("Мастика"), {}, nullptr, 0},
                      FindCase{"EmptyText", QString(), {}, nullptr, 0}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
