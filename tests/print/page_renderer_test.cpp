// The renderer on paper-like devices: the specification written as a PDF and read back with the
// poppler tools (text, page count and size, fonts, word places), printing prepared pages as the print
// dialog sets them up, and the errors of an unwritable output.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <map>
#include <string>
#include <vector>

#include "calc/catalog.h"
#include "print/page_renderer.h"
#include "print/specification_page.h"
#include "prices/main_form_model.h"

namespace {

using print::PreparedPage;
using print::PreparedPages;
using print::TextBox;

// Runs a poppler tool and gives its standard output; fails the test when the tool is missing or fails.
QString RunTool(const QString& tool, const QStringList& args) {
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty()) {
        ADD_FAILURE() << tool.toStdString() << " was not found on PATH; install poppler-utils";
        return {};
    }
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        ADD_FAILURE() << tool.toStdString() << " failed: " << process.readAllStandardError().toStdString();
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The calculation window's model after opening with stored inputs and prices: several rows filled.
std::vector<calc::SheetRow> FilledSheetRows() {
    prices::MainFormModel model(',');
    model.Restore({
        {"EdRoofL.Text", "1800"},
        {"EdRoofW.Text", "1200"},
        {"EdHoodL.Text", "1400"},
        {"EdHoodW.Text", "1100"},
        {"EdFloorL.Text", "3000"},
        {"EdFloorW.Text", "1500"},
        {"CbRoofVibro.Text", "КД plus 2"},
        {"CbRoofNoise.Text", "ГВ 5"},
        {"CbHoodNoise.Text", "ФН ЛМ 15"},
        {"CbFloorVibro.Text", "КД plus 3"},
        {"CbDoorVibro.Text", "КД plus 2"},
        {"SpNumDoors.Value", "4"},
        {"ChSeal.Checked", "true"},
        {"StStorePrice.Caption", "0:350;0:420;0:260;0:300;0:340;0:380;0:290;0:410;0:640;0:720;210:0;390:0;"},
    });
    model.Timer1Timer();
    return print::SheetRows(model.Sheet());
}

std::vector<calc::SheetRow> NumberedRows(int count) {
    std::vector<calc::SheetRow> rows(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        rows[static_cast<std::size_t>(i)].Name = "Строка " + std::to_string(i + 1);
    return rows;
}

class PdfOutput : public ::testing::Test {
  protected:
    QString Write(const PreparedPages& pages, const QString& name = QStringLiteral("specification.pdf")) {
        const QString file = dir.filePath(name);
        QString error;
        EXPECT_TRUE(print::WriteSpecificationPdf(pages, file, &error)) << error.toStdString();
        return file;
    }
    QTemporaryDir dir;
};

TEST_F(PdfOutput, HoldsTheTitleEveryRowAndTheTotalsOnOneA4Page) {
    const std::vector<calc::SheetRow> rows = FilledSheetRows();
    const QString file = Write(print::BuildSpecificationPages(rows, ','));

    const QString text = RunTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), file, QStringLiteral("-")});
    EXPECT_TRUE(text.contains(QStringLiteral("Стоимость материалов ООО 'ТОРМЕЛЬ' на ваш автомобиль")));
    for (const char* caption : {"Наименование", "Размер", "Кол-во М2", "Кол-во листов"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(caption))) << caption;

    // Every catalog row is printed, also the rows of materials nobody chose.
    std::map<std::string, int> names;
    for (const calc::MaterialRecord& material : calc::MaterialCatalog)
        ++names[std::string(material.name)];
    ASSERT_EQ(rows.size(), 18u);
    for (const auto& [name, count] : names)
        EXPECT_EQ(text.count(QString::fromStdString(name)), count) << name;

    const QString summa = print::TotalSummaText(rows, ',');
    const QString weight = print::TotalWeightText(rows, ',');
    ASSERT_NE(summa, QStringLiteral("0,00"));
    ASSERT_NE(weight, QStringLiteral("0,000"));
    const QRegularExpression totals(QStringLiteral("Итого:\\s+Вес\\s+%1\\s+Сумма\\s+%2")
                                        .arg(QRegularExpression::escape(weight), QRegularExpression::escape(summa)));
    EXPECT_TRUE(totals.match(text).hasMatch()) << text.toStdString();

    const QString info = RunTool(QStringLiteral("pdfinfo"), {file});
    EXPECT_TRUE(QRegularExpression(QStringLiteral("Pages:\\s+1\\n")).match(info).hasMatch()) << info.toStdString();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("Page size:\\s+595(\\.\\d+)? x 84[12](\\.\\d+)? pts \\(A4\\)"))
                    .match(info)
                    .hasMatch())
        << info.toStdString();
}

TEST_F(PdfOutput, UsesTheSerifSubstituteRegularAndBold) {
    const QString file = Write(print::BuildSpecificationPages(FilledSheetRows(), ','));
    const QString fonts = RunTool(QStringLiteral("pdffonts"), {file});
    EXPECT_TRUE(QRegularExpression(QStringLiteral("LiberationSerif\\s")).match(fonts).hasMatch()) << fonts.toStdString();
    EXPECT_TRUE(fonts.contains(QStringLiteral("LiberationSerif-Bold"))) << fonts.toStdString();

    const QFontInfo resolved(print::RenderFont({QStringLiteral("Times New Roman"), 10, false}));
    EXPECT_EQ(resolved.family(), QStringLiteral("Liberation Serif"));
    EXPECT_EQ(resolved.pointSize(), 10);
}

// Word places read back from the PDF, in points.
struct Word {
    QString text;
    double xMin, yMin, xMax, yMax;
};

std::vector<Word> Words(const QString& bboxHtml) {
    std::vector<Word> words;
    const QRegularExpression re(QStringLiteral(
        "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    for (auto it = re.globalMatch(bboxHtml); it.hasNext();) {
        const auto m = it.next();
        words.push_back({m.captured(5), m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
                         m.captured(4).toDouble()});
    }
    return words;
}

constexpr double kPointsPerUnit = 72.0 / print::kUnitsPerInch;

TEST_F(PdfOutput, WrapsTextAtWordsWithinTheBoxAndKeepsTheBoxHeight) {
    PreparedPage page;
    TextBox tall{QStringLiteral("Tall"), 100, 100, 70, 60, {QStringLiteral("Times New Roman"), 10, false},
                 QStringLiteral("первое второе третье")};
    TextBox row = tall;
    row.name = QStringLiteral("Row");
    row.y = 300;
    row.height = 20;
    row.text = QStringLiteral("верхнее нижнее");
    page.boxes = {tall, row};
    const QString file = Write({page});

    const std::vector<Word> words =
        Words(RunTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), file, QStringLiteral("-")}));
    std::map<QString, Word> byText;
    for (const Word& w : words)
        byText[w.text] = w;

    ASSERT_EQ(byText.count(QStringLiteral("первое")), 1u);
    ASSERT_EQ(byText.count(QStringLiteral("второе")), 1u);
    const Word& first = byText[QStringLiteral("первое")];
    const Word& second = byText[QStringLiteral("второе")];
    // The inner gap: 2 units from the left edge, 1 from the top.
    EXPECT_NEAR(first.xMin, (100 + 2) * kPointsPerUnit, 0.6);
    EXPECT_NEAR(first.yMin, (100 + 1) * kPointsPerUnit, 0.6);
    // The second word did not fit beside the first: it starts the next line at the same left edge.
    EXPECT_NEAR(second.xMin, first.xMin, 0.6);
    EXPECT_GT(second.yMin, first.yMax - 1);
    for (const Word& w : words) {
        if (w.text == QStringLiteral("верхнее") || w.text == QStringLiteral("нижнее"))
            continue;
        EXPECT_LE(w.xMax, (100 + 70) * kPointsPerUnit) << w.text.toStdString();
        EXPECT_LE(w.yMax, (100 + 60) * kPointsPerUnit) << w.text.toStdString();
    }

    // In a 20-unit band a second line would run into the next band: it is left out.
    EXPECT_EQ(byText.count(QStringLiteral("верхнее")), 1u);
    EXPECT_EQ(byText.count(QStringLiteral("нижнее")), 0u);
}

struct BadOutputCase {
    const char* name;
    const char* relativePath; // inside the test's temporary folder
};

void PrintTo(const BadOutputCase& c, std::ostream* os) { *os << c.name; }

class UnwritablePdf : public ::testing::TestWithParam<BadOutputCase> {};

TEST_P(UnwritablePdf, FailsWithAMessageNamingTheFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    const QString file = dir.filePath(QString::fromUtf8(GetParam().relativePath));
    QString error;
    EXPECT_FALSE(print::WriteSpecificationPdf(print::BuildSpecificationPages({}, ','), file, &error));
    EXPECT_TRUE(error.contains(file)) << error.toStdString();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 0) << "a partial file was left";
}

INSTANTIATE_TEST_SUITE_P(Outputs, UnwritablePdf,
                         ::testing::Values(BadOutputCase{"MissingFolder", "missing/specification.pdf"},
                                           BadOutputCase{"AFolder", "folder"}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------------------------
// Printing prepared pages as the print dialog leaves the printer. A PDF printer stands in for paper;
// its pages are recognised by their text: T the first page (title), S the second (totals).

struct PrintCase {
    const char* name;
    QPrinter::PrintRange range;
    int from;
    int to;
    int currentPage;
    int copies;
    bool collate;
    const char* expected;
};

void PrintTo(const PrintCase& c, std::ostream* os) { *os << c.name; }

class PrintPages : public ::testing::TestWithParam<PrintCase> {};

TEST_P(PrintPages, PrintsTheChosenPagesAndCopies) {
    const PrintCase& c = GetParam();
    const PreparedPages pages = print::BuildSpecificationPages(NumberedRows(60), ',');
    ASSERT_EQ(pages.size(), 2u);

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("printed.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPrintRange(c.range);
    printer.setFromTo(c.from, c.to);
    printer.setCopyCount(c.copies);
    printer.setCollateCopies(c.collate);
    ASSERT_TRUE(print::PrintPreparedPages(printer, pages, c.currentPage));

    const QString info = RunTool(QStringLiteral("pdfinfo"), {file});
    const auto pagesMatch = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    ASSERT_TRUE(pagesMatch.hasMatch()) << info.toStdString();
    const int printed = pagesMatch.captured(1).toInt();
    std::string sequence;
    for (int p = 1; p <= printed; ++p) {
        const QString n = QString::number(p);
        const QString text = RunTool(QStringLiteral("pdftotext"),
                                     {QStringLiteral("-f"), n, QStringLiteral("-l"), n, file, QStringLiteral("-")});
        sequence += text.contains(QStringLiteral("Стоимость материалов")) ? 'T'
                    : text.contains(QStringLiteral("Итого:"))              ? 'S'
                                                                            : '?';
    }
    EXPECT_EQ(sequence, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Dialog, PrintPages,
    ::testing::Values(PrintCase{"AllPages", QPrinter::AllPages, 0, 0, 0, 1, true, "TS"},
                      PrintCase{"RangeOfTheSecond", QPrinter::PageRange, 2, 2, 0, 1, true, "S"},
                      PrintCase{"RangeOfBoth", QPrinter::PageRange, 1, 2, 0, 1, true, "TS"},
                      PrintCase{"RangePastTheEnd", QPrinter::PageRange, 2, 9, 0, 1, true, "S"},
                      PrintCase{"CurrentFirst", QPrinter::CurrentPage, 0, 0, 0, 1, true, "T"},
                      PrintCase{"CurrentSecond", QPrinter::CurrentPage, 0, 0, 1, 1, true, "S"},
                      PrintCase{"TwoCopiesCollated", QPrinter::AllPages, 0, 0, 0, 2, true, "TSTS"},
                      PrintCase{"TwoCopiesUncollated", QPrinter::AllPages, 0, 0, 0, 2, false, "TTSS"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
