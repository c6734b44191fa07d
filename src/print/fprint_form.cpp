#include "print/fprint_form.h"

#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>

#include "print/page_renderer.h"

TFPrintForm* FPrintForm = nullptr;

namespace {
// The client area as designed (870 x 597 with the frame of the desktop it was drawn on).
constexpr QSize kClientSize(862, 563);
} // namespace

TFPrintForm::TFPrintForm(QWidget* startWindow) : QDialog(nullptr), m_startWindow(startWindow) {
    setObjectName(QStringLiteral("FPrintForm"));
    setWindowTitle(QStringLiteral("Предварительный просмотр"));
    setWindowIcon(print::PrinterIcon());
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
    QFont formFont(QStringLiteral("MS Sans Serif"));
    formFont.setPixelSize(11);
    setFont(formFont);

    m_frPreview = new print::PreviewControl(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_frPreview);
    resize(kClientSize);

    if (FPrintForm == nullptr)
        FPrintForm = this;
}

TFPrintForm::~TFPrintForm() {
    if (FPrintForm == this)
        FPrintForm = nullptr;
}

void TFPrintForm::ShowPreparedPages(print::PreparedPages pages) { m_frPreview->SetPages(std::move(pages)); }

void TFPrintForm::CentreOnStartWindow() {
    QRect reference;
    if (m_startWindow)
        reference = m_startWindow->frameGeometry();
    else if (const QScreen* screen = QGuiApplication::primaryScreen())
        reference = screen->availableGeometry();
    if (!reference.isValid())
        return;
    // move() places the frame; before the first show the frame is not known and the client size stands
    // in for it, so the window is centred again once it is shown.
    const QSize outer = frameGeometry().size();
    move(reference.center() - QPoint(outer.width() / 2, outer.height() / 2));
}

void TFPrintForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    CentreOnStartWindow();
}

void TFPrintForm::ShowModal() {
    CentreOnStartWindow();
    exec();
}

void PreviewSpecification(calc::DsMaterial& sheet, TFPrintForm& preview, char decimalSeparator) {
    const std::vector<calc::SheetRow> rows = print::SheetRows(sheet);
    preview.ShowPreparedPages(
        print::BuildSpecificationPages(rows, decimalSeparator, print::DefaultPrinterGeometry()));
    preview.ShowModal();
}
