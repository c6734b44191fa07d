// The preview window and the print button's flow: one hidden window reused for every preview, showing
// the sheet as it is at the request, centred on the start window; the zoom that stays between previews,
// the zoom modes, finding a text, and the page as the preview paints it.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QColor>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QTimer>
#include <QToolButton>

#include <cmath>
#include <functional>
#include <optional>
#include <string>

#include "calc/number_format.h"
#include "print/fprint_form.h"
#include "print/page_renderer.h"
#include "prices/main_form_model.h"

namespace {

using print::FoundText;
using print::PreparedPages;
using print::ZoomMode;

// The start window's place as designed.
const QRect kStartWindowPlace(307, 105, 797, 597);

// Row of "КД plus 2" in the sheet; the roof's vibration layer puts square metres and sheets on it.
constexpr int kRoofRow = 1;

class PreviewWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        startWindow.setGeometry(kStartWindowPlace);
        model.Restore({
            {"EdRoofL.Text", "1800"},
            {"EdRoofW.Text", "1200"},
            {"EdHoodL.Text", "1400"},
            {"EdHoodW.Text", "1100"},
            {"EdTailGateL.Text", "1100"},
            {"EdTailGateW.Text", "900"},
            {"EdFloorL.Text", "3000"},
            {"EdFloorW.Text", "1500"},
            {"CbRoofVibro.Text", "КД plus 2"},
            {"CbRoofNoise.Text", "ГВ 5"},
            {"CbRoofHeat.Text", "СН 3004"},
            {"CbHoodVibro.Text", "КД plus 1.6"},
            {"CbHoodNoise.Text", "ФН ЛМ 15"},
            {"CbTailGateVibro.Text", "КД plus 1.6"},
            {"CbFloorVibro.Text", "КД plus 3"},
            {"CbFloorHeat.Text", "СН 3008"},
            {"SpNumDoors.Value", "4"},
            {"CbDoorNoise.Text", "ГВ 10"},
            {"ChSeal.Checked", "true"},
            {"StStorePrice.Caption",
             "0:350;0:420;0:260;0:300;0:340;0:380;0:290;0:410;0:640;0:720;210:0;390:0;95:0;120:0;170:0;130:0;180:0;45.5:0;"},
        });
        model.Timer1Timer();
        ASSERT_TRUE(model.Sheet().Row(kRoofRow).AmountN.has_value());
    }

    // Runs `during` once the modal window is up, then closes it with its close box.
    void WhileShown(std::function<void()> during) {
        QTimer::singleShot(0, &form, [this, during] {
            ranDuring = true;
            during();
            form.close();
        });
    }

    // The print button's call, with the checks to run while the preview is shown.
    void Preview(std::function<void()> during = [] {}) {
        ranDuring = false;
        WhileShown(std::move(during));
        PreviewSpecification(model.Sheet(), form, ',');
        EXPECT_TRUE(ranDuring);
    }

    void ShowPages(PreparedPages pages, std::function<void()> during) {
        ranDuring = false;
        form.ShowPreparedPages(std::move(pages));
        WhileShown(std::move(during));
        form.ShowModal();
        EXPECT_TRUE(ranDuring);
    }

    QString Shown(const char* box, int occurrence = 0) const {
        for (const print::TextBox& b : form.frPreview()->Pages().at(0).boxes)
            if (b.name == QLatin1String(box) && occurrence-- == 0)
                return b.text;
        return QStringLiteral("<none>");
    }

    // A modal window left open by a failing check must not block the rest of the run.
    QTimer watchdog;
    QWidget startWindow;
    TFPrintForm form{&startWindow};
    prices::MainFormModel model{','};
    bool ranDuring = false;

    void TearDown() override {}

  public:
    PreviewWindow() {
        watchdog.setInterval(15000);
        QObject::connect(&watchdog, &QTimer::timeout, [] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                ADD_FAILURE() << "a modal window was still open";
                modal->close();
            }
        });
        watchdog.start();
    }
};

std::vector<calc::SheetRow> NumberedRows(int count) {
    std::vector<calc::SheetRow> rows(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        rows[static_cast<std::size_t>(i)].Name = "Строка " + std::to_string(i + 1);
    return rows;
}

TEST_F(PreviewWindow, ShowsTheSheetModallyCentredOnTheHiddenStartWindow) {
    EXPECT_EQ(FPrintForm, &form);
    EXPECT_FALSE(form.isVisible());
    Preview([this] {
        EXPECT_TRUE(form.isVisible());
        EXPECT_EQ(QApplication::activeModalWidget(), &form);
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Предварительный просмотр"));
        EXPECT_EQ(form.size(), QSize(862, 563));
        EXPECT_NE(form.minimumSize(), form.maximumSize()) << "the window can be resized";
        const QPointF offset = QRectF(form.frameGeometry()).center() - QRectF(startWindow.frameGeometry()).center();
        EXPECT_LE(std::abs(offset.x()), 1.0);
        EXPECT_LE(std::abs(offset.y()), 1.0);
        EXPECT_EQ(form.frPreview()->geometry(), form.rect());
        EXPECT_EQ(form.frPreview()->objectName(), QStringLiteral("frPreview"));

        ASSERT_EQ(form.frPreview()->Pages().size(), 1u);
        EXPECT_EQ(form.frPreview()->CurrentPage(), 0);
        // The printed total is the window's total, with the user's separator.
        EXPECT_EQ(Shown("Memo12"), QString::fromStdString(model.StSumma()).replace(QLatin1Char('.'), QLatin1Char(',')));
        EXPECT_EQ(Shown("Memo14"),
                  QString::fromStdString(model.StAllWeight()).replace(QLatin1Char('.'), QLatin1Char(',')));
    });
    EXPECT_FALSE(form.isVisible()) << "closing hides the window";
    EXPECT_EQ(FPrintForm, &form);
}

TEST_F(PreviewWindow, PostsTheRowInEditAndLeavesTheLastRowCurrent) {
    model.EditPrice(kRoofRow, calc::Field::PriceN, 500.0);
    ASSERT_EQ(model.Sheet().GetState(), calc::DsMaterial::State::Edit);
    const double sheets = *model.Sheet().Row(kRoofRow).AmountN;
    const QString expected = QString::fromStdString(calc::FormatGeneral(calc::RoundTo(sheets * 500, 2), ','));

    Preview([this, expected] { EXPECT_EQ(Shown("Memo6", kRoofRow), expected); });

    EXPECT_EQ(model.Sheet().GetState(), calc::DsMaterial::State::Browse);
    EXPECT_EQ(model.Sheet().RecNo(), model.Sheet().RecordCount() - 1);
    ASSERT_TRUE(model.Sheet().Row(kRoofRow).Summa.has_value());
    EXPECT_EQ(*model.Sheet().Row(kRoofRow).PriceN, 500.0);
}

TEST_F(PreviewWindow, EveryPreviewReusesTheWindowWithTheSheetOfTheMoment) {
    QString first;
    Preview([&] { first = Shown("Memo6", kRoofRow); });

    model.EditPrice(kRoofRow, calc::Field::PriceN, 999.0);
    model.PostPendingEdit();
    // Pages already built stay as they were.
    EXPECT_EQ(Shown("Memo6", kRoofRow), first);

    const double sheets = *model.Sheet().Row(kRoofRow).AmountN;
    const QString expected = QString::fromStdString(calc::FormatGeneral(calc::RoundTo(sheets * 999, 2), ','));
    ASSERT_NE(first, expected);
    Preview([&] {
        EXPECT_EQ(QApplication::activeModalWidget(), &form);
        EXPECT_EQ(Shown("Memo6", kRoofRow), expected);
    });

    int previews = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        previews += qobject_cast<TFPrintForm*>(w) != nullptr ? 1 : 0;
    EXPECT_EQ(previews, 1);
    EXPECT_EQ(FPrintForm, &form);
}

TEST_F(PreviewWindow, TheZoomChosenStaysForTheNextPreview) {
    Preview([this] {
        EXPECT_EQ(form.frPreview()->GetZoomMode(), ZoomMode::Percent100);
        EXPECT_DOUBLE_EQ(form.frPreview()->Zoom(), 1.0);
        form.frPreview()->ZoomAction(ZoomMode::Percent50)->trigger();
    });
    Preview([this] {
        EXPECT_EQ(form.frPreview()->GetZoomMode(), ZoomMode::Percent50);
        EXPECT_DOUBLE_EQ(form.frPreview()->Zoom(), 0.5);
        EXPECT_TRUE(form.frPreview()->ZoomAction(ZoomMode::Percent50)->isChecked());
        EXPECT_EQ(form.frPreview()->findChild<QToolButton*>(QStringLiteral("ZoomButton"))->text(),
                  QStringLiteral("50 %"));
        // A new preview starts from its first page.
        EXPECT_EQ(form.frPreview()->VisibleDesk().top(), 0);
    });
}

// ---------------------------------------------------------------------------------------------------
// Zoom modes, on a document of two pages.

struct ZoomCase {
    const char* name;
    ZoomMode mode;
    std::optional<double> factor; // the percent modes
    std::function<void(const print::PreviewControl&)> check;
};

void PrintTo(const ZoomCase& c, std::ostream* os) { *os << c.name; }

class ZoomModes : public PreviewWindow, public ::testing::WithParamInterface<ZoomCase> {};

TEST_P(ZoomModes, ScaleThePagesAsNamed) {
    const ZoomCase& c = GetParam();
    const PreparedPages pages = print::BuildSpecificationPages(NumberedRows(60), ',');
    ASSERT_EQ(pages.size(), 2u);
    ShowPages(pages, [this, &c] {
        print::PreviewControl& preview = *form.frPreview();
        preview.ZoomAction(c.mode)->trigger();
        EXPECT_EQ(preview.GetZoomMode(), c.mode);
        const double ppu = print::PixelsPerUnit(*preview.View());
        const QRectF page = preview.PageOnDesk(0);
        if (c.factor) {
            EXPECT_DOUBLE_EQ(preview.Zoom(), *c.factor);
            EXPECT_NEAR(page.width(), print::kA4WidthUnits * ppu * *c.factor, 1.0);
        }
        if (c.check)
            c.check(preview);
    });
}

INSTANTIATE_TEST_SUITE_P(
    Modes, ZoomModes,
    ::testing::Values(
        ZoomCase{"Percent200", ZoomMode::Percent200, 2.0, {}},
        ZoomCase{"Percent150", ZoomMode::Percent150, 1.5, {}},
        ZoomCase{"Percent100", ZoomMode::Percent100, 1.0, {}},
        ZoomCase{"Percent75", ZoomMode::Percent75, 0.75, {}},
        ZoomCase{"Percent50", ZoomMode::Percent50, 0.5, {}},
        ZoomCase{"Percent25", ZoomMode::Percent25, 0.25, {}},
        ZoomCase{"Percent10", ZoomMode::Percent10, 0.1, {}},
        ZoomCase{"PageWidth", ZoomMode::PageWidth, std::nullopt,
                 [](const print::PreviewControl& p) {
                     const QRectF page = p.PageOnDesk(0);
                     const QRect visible = p.VisibleDesk();
                     // The page spans the view's width, leaving only the desk's edges.
                     EXPECT_GE(page.left(), visible.left());
                     EXPECT_LE(page.right(), visible.right() + 1);
                     EXPECT_LE(visible.width() - page.width(), 2 * 12 + 2);
                     EXPECT_GT(page.height(), visible.height());
                 }},
        ZoomCase{"WholePage", ZoomMode::WholePage, std::nullopt,
                 [](const print::PreviewControl& p) {
                     EXPECT_TRUE(QRectF(p.VisibleDesk()).contains(p.PageOnDesk(0)));
                     EXPECT_FALSE(QRectF(p.VisibleDesk()).contains(p.PageOnDesk(1)));
                 }},
        ZoomCase{"TwoPages", ZoomMode::TwoPages, std::nullopt,
                 [](const print::PreviewControl& p) {
                     const QRectF first = p.PageOnDesk(0);
                     const QRectF second = p.PageOnDesk(1);
                     EXPECT_DOUBLE_EQ(first.top(), second.top());
                     EXPECT_GT(second.left(), first.right());
                     EXPECT_TRUE(QRectF(p.VisibleDesk()).contains(first));
                     EXPECT_TRUE(QRectF(p.VisibleDesk()).contains(second));
                 }}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------------------------
// Finding a text.

TEST_F(PreviewWindow, FindMarksTheBoxAndScrollsItIntoView) {
    form.frPreview()->SetZoomMode(ZoomMode::Percent200);
    Preview([this] {
        print::PreviewControl& preview = *form.frPreview();
        // The totals are below the view at 200 %.
        const FoundText totals = print::FindText(preview.Pages(), QStringLiteral("Итого:"));
        ASSERT_EQ(totals.page, 0);
        EXPECT_FALSE(preview.VisibleDesk().contains(preview.BoxOnDesk(totals)));

        // Through the toolbar, as the user does it.
        preview.FindEdit()->setText(QStringLiteral("итого"));
        preview.FindAction()->trigger();
        EXPECT_EQ(preview.Found(), totals);
        EXPECT_TRUE(preview.VisibleDesk().contains(preview.BoxOnDesk(totals)));

        EXPECT_FALSE(preview.FindNext(QStringLiteral("Мастика")));
        EXPECT_EQ(preview.Found().page, -1);
        EXPECT_EQ(preview.findChild<QLabel*>(QStringLiteral("FindStatus"))->text(),
                  QStringLiteral("Текст не найден"));
    });
    EXPECT_EQ(form.frPreview()->GetZoomMode(), ZoomMode::Percent200);
}

TEST_F(PreviewWindow, FindGoesOnToLaterPagesAndBackToTheStart) {
    ShowPages(print::BuildSpecificationPages(NumberedRows(60), ','), [this] {
        print::PreviewControl& preview = *form.frPreview();
        ASSERT_TRUE(preview.FindNext(QStringLiteral("Строка 55")));
        EXPECT_EQ(preview.Found().page, 1);
        EXPECT_EQ(preview.CurrentPage(), 1);
        EXPECT_TRUE(preview.VisibleDesk().contains(preview.BoxOnDesk(preview.Found())));

        // The only other match comes round again.
        ASSERT_TRUE(preview.FindNext(QStringLiteral("Строка 55")));
        EXPECT_EQ(preview.Found().page, 1);
        ASSERT_TRUE(preview.FindNext(QStringLiteral("Стоимость")));
        EXPECT_EQ(preview.Found(), (FoundText{0, 0}));
        EXPECT_EQ(preview.CurrentPage(), 0);
    });
}

TEST_F(PreviewWindow, PrintingNeedsAnInstalledPrinter) {
    Preview([this] {
        EXPECT_EQ(form.frPreview()->PrintAction()->isEnabled(), !QPrinterInfo::availablePrinters().isEmpty());
    });
}

// ---------------------------------------------------------------------------------------------------
// The page as the preview paints it.

TEST_F(PreviewWindow, PaintsTheWhitePageWithItsTextOnTheDesk) {
    QImage shot;
    QRect pageInWindow;
    Preview([&] {
        print::PreviewControl& preview = *form.frPreview();
        pageInWindow = preview.PageOnDesk(0)
                           .toRect()
                           .translated(-preview.DeskOrigin())
                           .translated(preview.View()->mapTo(&form, QPoint()));
        shot = form.grab().toImage();
    });
    ASSERT_FALSE(shot.isNull());

    const qreal dpr = shot.devicePixelRatio();
    auto at = [&](int x, int y) { return shot.pixelColor(QPoint(qRound(x * dpr), qRound(y * dpr))); };
    // The grey desk left of the page, the white paper inside its left margin.
    EXPECT_EQ(at(pageInWindow.left() - 6, pageInWindow.top() + 50), QColor(0x80, 0x80, 0x80));
    EXPECT_EQ(at(pageInWindow.left() + 3, pageInWindow.top() + 300), QColor(Qt::white));

    // Dark text pixels along the title line and the first row, none in the empty lower half of the page.
    const double ppu = print::PixelsPerUnit(form);
    auto darkIn = [&](const QRectF& units) {
        int dark = 0;
        const QRect r = QRectF(units.x() * ppu, units.y() * ppu, units.width() * ppu, units.height() * ppu)
                            .toRect()
                            .translated(pageInWindow.topLeft())
                            .intersected(QRect(QPoint(), form.size()));
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                dark += at(x, y).lightness() < 100 ? 1 : 0;
        return dark;
    };
    EXPECT_GT(darkIn({28, 16, 676, 20}), 200) << "title";
    EXPECT_GT(darkIn({22, 90, 166, 20}), 100) << "first row's name";
    EXPECT_EQ(darkIn({0, 200 + 500, 757, 20}), 0) << "below the totals";
}

} // namespace
