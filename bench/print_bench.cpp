// The printed specification: building the prepared pages from a filled sheet, and rendering them into
// a PDF document in memory (the same renderer draws on the printer and in the preview).

#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <vector>

#include "print/page_renderer.h"
#include "print/specification_page.h"
#include "prices/main_form_model.h"

namespace {

std::vector<calc::SheetRow> FilledRows() {
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
        {"CbFloorHeat.Text", "СН 3008"},
        {"SpNumDoors.Value", "4"},
        {"CbDoorNoise.Text", "ГВ 10"},
        {"ChSeal.Checked", "true"},
        {"StStorePrice.Caption", "0:350;0:420;0:260;0:300;0:340;0:380;0:290;0:410;0:640;0:720;210:0;390:0;95:0;"},
    });
    model.Timer1Timer();
    return print::SheetRows(model.Sheet());
}

// The print button's first half: the sheet's 18 rows into one prepared page.
void BM_BuildPages(benchmark::State& state) {
    const std::vector<calc::SheetRow> rows = FilledRows();
    for (auto _ : state) {
        print::PreparedPages pages = print::BuildSpecificationPages(rows, ',');
        benchmark::DoNotOptimize(pages.data());
    }
}
BENCHMARK(BM_BuildPages);

// Walking the sheet with its cursor as the report does, then building.
void BM_SheetToPages(benchmark::State& state) {
    prices::MainFormModel model(',');
    model.Restore({{"EdRoofL.Text", "1800"}, {"EdRoofW.Text", "1200"}, {"CbRoofVibro.Text", "КД plus 2"}});
    model.Timer1Timer();
    for (auto _ : state) {
        print::PreparedPages pages = print::BuildSpecificationPages(print::SheetRows(model.Sheet()), ',');
        benchmark::DoNotOptimize(pages.data());
    }
}
BENCHMARK(BM_SheetToPages);

// The whole PDF of the one-page specification, written into memory.
void BM_RenderPdf(benchmark::State& state) {
    const print::PreparedPages pages = print::BuildSpecificationPages(FilledRows(), ',');
    qint64 bytes = 0;
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QString error;
        if (!print::WriteSpecificationPdf(pages, buffer, &error)) {
            state.SkipWithError(error.toStdString().c_str());
            break;
        }
        bytes = buffer.size();
    }
    state.counters["pdf_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_RenderPdf)->Unit(benchmark::kMillisecond);

// One page drawn by the renderer on a 96 dpi image: what the preview does at 100 %.
void BM_RenderPageOnScreenImage(benchmark::State& state) {
    const print::PreparedPages pages = print::BuildSpecificationPages(FilledRows(), ',');
    QImage image(794, 1123, QImage::Format_ARGB32_Premultiplied);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        print::RenderPage(painter, pages[0]);
    }
}
BENCHMARK(BM_RenderPageOnScreenImage)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    // Fonts need the GUI application; no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
