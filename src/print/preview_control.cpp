#include "print/preview_control.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QActionGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScrollBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <cmath>

#include "print/page_renderer.h"

namespace print {

namespace {

// Grey desk around and between the pages, in screen pixels.
constexpr int kDeskGap = 12;
constexpr double kMinZoom = 0.05;

constexpr std::array<double, 7> kPercentZooms{2.0, 1.5, 1.0, 0.75, 0.5, 0.25, 0.1};

const QColor kDeskColour(0x80, 0x80, 0x80);
const QColor kShadowColour(0x40, 0x40, 0x40);
const QColor kFoundColour(0xFF, 0xD8, 0x00, 0x90);

bool IsFitMode(ZoomMode mode) {
    return mode == ZoomMode::PageWidth || mode == ZoomMode::WholePage || mode == ZoomMode::TwoPages;
}

QPixmap DrawPrinter(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    const double pen = std::max(1.0, s / 32);
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), pen));
    // paper going in
    p.setBrush(Qt::white);
    p.drawRect(QRectF(0.27 * s, 0.06 * s, 0.46 * s, 0.36 * s));
    // body
    QLinearGradient body(0, 0.34 * s, 0, 0.78 * s);
    body.setColorAt(0, QColor(0xB8, 0xBE, 0xC8));
    body.setColorAt(1, QColor(0x6A, 0x72, 0x80));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(0.06 * s, 0.34 * s, 0.88 * s, 0.42 * s), 0.08 * s, 0.08 * s);
    // lamp
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x20, 0xC0, 0x40));
    p.drawEllipse(QRectF(0.78 * s, 0.43 * s, 0.08 * s, 0.08 * s));
    // printed sheet coming out, with lines of text
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), pen));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(0.22 * s, 0.6 * s, 0.56 * s, 0.34 * s));
    if (size >= 24) {
        p.setPen(QPen(QColor(0x40, 0x40, 0x90), pen));
        for (double y : {0.7, 0.78, 0.86})
            p.drawLine(QPointF(0.3 * s, y * s), QPointF(0.7 * s, y * s));
    }
    return pixmap;
}

QIcon MagnifierIcon() {
    QIcon icon;
    for (int size : {16, 24, 32}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        const double s = size;
        p.setPen(QPen(QColor(0x30, 0x30, 0x30), std::max(1.5, s / 10), Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(0.6 * s, 0.6 * s), QPointF(0.9 * s, 0.9 * s));
        p.setPen(QPen(QColor(0x30, 0x30, 0x30), std::max(1.0, s / 16)));
        p.setBrush(QColor(0xD0, 0xE8, 0xFF));
        p.drawEllipse(QRectF(0.1 * s, 0.1 * s, 0.55 * s, 0.55 * s));
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace

QString ZoomModeText(ZoomMode mode) {
    switch (mode) {
    case ZoomMode::Percent200:
        return QStringLiteral("200 %");
    case ZoomMode::Percent150:
        return QStringLiteral("150 %");
    case ZoomMode::Percent100:
        return QStringLiteral("100 %");
    case ZoomMode::Percent75:
        return QStringLiteral("75 %");
    case ZoomMode::Percent50:
        return QStringLiteral("50 %");
    case ZoomMode::Percent25:
        return QStringLiteral("25 %");
    case ZoomMode::Percent10:
        return QStringLiteral("10 %");
    case ZoomMode::PageWidth:
        return QStringLiteral("По ширине страницы");
    case ZoomMode::WholePage:
        return QStringLiteral("Страница целиком");
    case ZoomMode::TwoPages:
        return QStringLiteral("Две страницы");
    }
    return {};
}

QIcon PrinterIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(DrawPrinter(size));
    return icon;
}

// The desk with the pages. It scrolls itself: the desk is drawn at an offset given by the scroll bars,
// centred in the view when it is smaller than the view.
class PagesView : public QAbstractScrollArea {
  public:
    explicit PagesView(PreviewControl* owner) : QAbstractScrollArea(owner), m_owner(owner) {
        setFocusPolicy(Qt::StrongFocus);
        setFrameStyle(QFrame::StyledPanel | QFrame::Sunken); // the lowered bevel
        viewport()->setAutoFillBackground(false);
        viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    }

    void SetDeskSize(QSize size) {
        m_desk = size;
        UpdateScrollBars();
        viewport()->update();
    }

    // Desk pixel of the view's top left corner.
    QPoint DeskOrigin() const {
        const QSize view = viewport()->size();
        const int x = m_desk.width() < view.width() ? -(view.width() - m_desk.width()) / 2
                                                    : horizontalScrollBar()->value();
        const int y = m_desk.height() < view.height() ? -(view.height() - m_desk.height()) / 2
                                                      : verticalScrollBar()->value();
        return {x, y};
    }

    QRect VisibleDesk() const {
        return QRect(DeskOrigin(), viewport()->size()).intersected(QRect(QPoint(0, 0), m_desk));
    }

    // Scrolls `rect` of the desk to the middle of the view unless it is wholly in view already.
    void EnsureVisible(const QRect& rect) {
        if (VisibleDesk().contains(rect))
            return;
        const QSize view = viewport()->size();
        horizontalScrollBar()->setValue(rect.center().x() - view.width() / 2);
        verticalScrollBar()->setValue(rect.center().y() - view.height() / 2);
    }

  protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(viewport());
        painter.fillRect(event->rect(), kDeskColour);
        const QPoint origin = DeskOrigin();
        painter.translate(-origin);
        const QRect dirty = event->rect().translated(origin);
        const double ppu = PixelsPerUnit(*viewport());
        const FoundText found = m_owner->m_found;
        for (int i = 0; i < static_cast<int>(m_owner->m_pages.size()); ++i) {
            const QRectF place = m_owner->PageOnDesk(i);
            if (!place.adjusted(0, 0, 4, 4).intersects(dirty))
                continue;
            painter.fillRect(place.translated(3, 3), kShadowColour);
            painter.fillRect(place, Qt::white);
            painter.save();
            painter.setClipRect(place);
            painter.translate(place.topLeft());
            painter.scale(m_owner->m_zoom, m_owner->m_zoom);
            const PreparedPage& page = m_owner->m_pages[static_cast<std::size_t>(i)];
            if (found.page == i)
                painter.fillRect(BoxRect(page.boxes[static_cast<std::size_t>(found.box)], ppu), kFoundColour);
            RenderPage(painter, page);
            painter.restore();
        }
    }

    void resizeEvent(QResizeEvent* event) override {
        QAbstractScrollArea::resizeEvent(event);
        UpdateScrollBars();
        if (IsFitMode(m_owner->m_zoomMode))
            m_owner->ApplyZoom();
    }

    void scrollContentsBy(int, int) override { viewport()->update(); }

  private:
    void UpdateScrollBars() {
        const QSize view = viewport()->size();
        horizontalScrollBar()->setRange(0, std::max(0, m_desk.width() - view.width()));
        horizontalScrollBar()->setPageStep(view.width());
        horizontalScrollBar()->setSingleStep(20);
        verticalScrollBar()->setRange(0, std::max(0, m_desk.height() - view.height()));
        verticalScrollBar()->setPageStep(view.height());
        verticalScrollBar()->setSingleStep(20);
    }

    PreviewControl* m_owner;
    QSize m_desk;
};

PreviewControl::PreviewControl(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frPreview"));
    QFont controlFont(QStringLiteral("Arial"));
    controlFont.setPixelSize(11);
    setFont(controlFont);

    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(QStringLiteral("PreviewToolBar"));
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_toolBar->setIconSize(QSize(16, 16));

    m_zoomButton = new QToolButton(m_toolBar);
    m_zoomButton->setObjectName(QStringLiteral("ZoomButton"));
    m_zoomButton->setPopupMode(QToolButton::InstantPopup);
    m_zoomButton->setToolTip(QStringLiteral("Масштаб"));
    auto* zoomMenu = new QMenu(m_zoomButton);
    m_zoomGroup = new QActionGroup(this);
    m_zoomGroup->setExclusive(true);
    for (int i = 0; i < kZoomModeCount; ++i) {
        const auto mode = static_cast<ZoomMode>(i);
        if (mode == ZoomMode::PageWidth)
            zoomMenu->addSeparator();
        QAction* action = zoomMenu->addAction(ZoomModeText(mode));
        action->setCheckable(true);
        action->setData(i);
        m_zoomGroup->addAction(action);
        connect(action, &QAction::triggered, this, [this, mode] { SetZoomMode(mode); });
    }
    m_zoomButton->setMenu(zoomMenu);
    // Wide enough for every mode's text, so the toolbar does not shift when the zoom changes.
    int zoomWidth = 0;
    for (int i = 0; i < kZoomModeCount; ++i) {
        m_zoomButton->setText(ZoomModeText(static_cast<ZoomMode>(i)));
        zoomWidth = std::max(zoomWidth, m_zoomButton->sizeHint().width());
    }
    m_zoomButton->setMinimumWidth(zoomWidth);
    m_toolBar->addWidget(m_zoomButton);
    m_toolBar->addSeparator();

    m_printAction = m_toolBar->addAction(PrinterIcon(), QStringLiteral("Печать"));
    m_printAction->setObjectName(QStringLiteral("PrintAction"));
    m_printAction->setShortcut(QKeySequence::Print);
    m_printAction->setToolTip(QStringLiteral("Печать (Ctrl+P)"));
    connect(m_printAction, &QAction::triggered, this, &PreviewControl::Print);
    m_toolBar->addSeparator();

    m_findEdit = new QLineEdit(m_toolBar);
    m_findEdit->setObjectName(QStringLiteral("FindEdit"));
    m_findEdit->setPlaceholderText(QStringLiteral("Текст для поиска"));
    m_findEdit->setClearButtonEnabled(true);
    m_findEdit->setMaximumWidth(220);
    m_toolBar->addWidget(m_findEdit);
    m_findAction = m_toolBar->addAction(MagnifierIcon(), QStringLiteral("Найти"));
    m_findAction->setObjectName(QStringLiteral("FindAction"));
    m_findAction->setShortcut(QKeySequence::FindNext);
    m_findAction->setToolTip(QStringLiteral("Найти текст на страницах (F3 - следующее место)"));
    auto* focusFind = new QAction(this);
    focusFind->setShortcut(QKeySequence::Find);
    addAction(focusFind);
    connect(focusFind, &QAction::triggered, this, [this] {
        m_findEdit->setFocus(Qt::ShortcutFocusReason);
        m_findEdit->selectAll();
    });
    connect(m_findAction, &QAction::triggered, this, &PreviewControl::OnFindTriggered);
    connect(m_findEdit, &QLineEdit::returnPressed, this, &PreviewControl::OnFindTriggered);
    // A new text is searched from the start.
    connect(m_findEdit, &QLineEdit::textEdited, this, [this] {
        m_found = {};
        m_findStatus->clear();
        m_view->viewport()->update();
    });
    m_findStatus = new QLabel(m_toolBar);
    m_findStatus->setObjectName(QStringLiteral("FindStatus"));
    m_findStatus->setContentsMargins(8, 0, 0, 0);
    m_toolBar->addWidget(m_findStatus);

    m_view = new PagesView(this);
    m_view->setObjectName(QStringLiteral("PagesView"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_toolBar);
    layout->addWidget(m_view, 1);

    SetZoomMode(ZoomMode::Percent100);
    UpdatePrintAvailability();
}

PreviewControl::~PreviewControl() = default;

void PreviewControl::SetPages(PreparedPages pages) {
    m_pages = std::move(pages);
    m_found = {};
    m_findStatus->clear();
    UpdatePrintAvailability();
    ApplyZoom();
    ShowPage(0);
}

QAction* PreviewControl::ZoomAction(ZoomMode mode) const {
    const QList<QAction*> actions = m_zoomGroup->actions();
    return actions.value(static_cast<int>(mode));
}

void PreviewControl::SetZoomMode(ZoomMode mode) {
    const bool changed = mode != m_zoomMode;
    m_zoomMode = mode;
    if (QAction* action = ZoomAction(mode))
        action->setChecked(true);
    m_zoomButton->setText(ZoomModeText(mode));
    ApplyZoom();
    if (changed)
        emit zoomModeChanged(mode);
}

double PreviewControl::ScreenPixelsPerUnit() const { return PixelsPerUnit(*m_view->viewport()); }

int PreviewControl::Columns() const { return m_zoomMode == ZoomMode::TwoPages ? 2 : 1; }

QSizeF PreviewControl::PageSizeOnDesk() const {
    double width = kA4WidthUnits;
    double height = kA4HeightUnits;
    for (const PreparedPage& page : m_pages) {
        width = std::max(width, page.width);
        height = std::max(height, page.height);
    }
    const double scale = ScreenPixelsPerUnit() * m_zoom;
    return {std::round(width * scale), std::round(height * scale)};
}

QRectF PreviewControl::PageOnDesk(int page) const {
    const QSizeF size = PageSizeOnDesk();
    const int columns = Columns();
    const int column = page % columns;
    const int row = page / columns;
    return {kDeskGap + column * (size.width() + kDeskGap), kDeskGap + row * (size.height() + kDeskGap), size.width(),
            size.height()};
}

double PreviewControl::FitZoom(QSize viewport) const {
    const double ppu = ScreenPixelsPerUnit();
    const double pageWidth = kA4WidthUnits * ppu;
    const double pageHeight = kA4HeightUnits * ppu;
    const int pages = std::max<int>(1, static_cast<int>(m_pages.size()));
    const int scrollBar = m_view->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_view);
    const double width = viewport.width();
    const double height = viewport.height();
    switch (m_zoomMode) {
    case ZoomMode::PageWidth:
        // Taller than the view: the vertical scroll bar takes its share of the width.
        return (width - scrollBar - 2.0 * kDeskGap) / pageWidth;
    case ZoomMode::WholePage: {
        const double w = width - (pages > 1 ? scrollBar : 0) - 2.0 * kDeskGap;
        return std::min(w / pageWidth, (height - 2.0 * kDeskGap) / pageHeight);
    }
    case ZoomMode::TwoPages: {
        const double w = width - (pages > 2 ? scrollBar : 0) - 3.0 * kDeskGap;
        return std::min(w / (2 * pageWidth), (height - 2.0 * kDeskGap) / pageHeight);
    }
    default:
        return 1;
    }
}

void PreviewControl::ApplyZoom() {
    const int before = m_pages.empty() ? 0 : CurrentPage();
    if (IsFitMode(m_zoomMode))
        m_zoom = std::max(kMinZoom, FitZoom(m_view->maximumViewportSize()));
    else
        m_zoom = kPercentZooms[static_cast<std::size_t>(m_zoomMode)];

    const int columns = Columns();
    const int count = std::max<int>(1, static_cast<int>(m_pages.size()));
    const int rows = (count + columns - 1) / columns;
    const QSizeF page = PageSizeOnDesk();
    const int usedColumns = std::min(columns, count);
    m_view->SetDeskSize(QSize(static_cast<int>(kDeskGap + usedColumns * (page.width() + kDeskGap)),
                              static_cast<int>(kDeskGap + rows * (page.height() + kDeskGap))));
    if (before > 0)
        ShowPage(before);
}

int PreviewControl::CurrentPage() const {
    const QRect visible = m_view->VisibleDesk();
    const double middle = visible.top() + visible.height() / 2.0;
    // The first page of the last row of pages that begins above the middle.
    int current = 0;
    for (int i = 1; i < static_cast<int>(m_pages.size()); ++i) {
        const double top = PageOnDesk(i).top();
        if (top - kDeskGap <= middle && top > PageOnDesk(current).top())
            current = i;
    }
    return current;
}

void PreviewControl::ShowPage(int page) {
    if (m_pages.empty())
        return;
    page = std::clamp(page, 0, static_cast<int>(m_pages.size()) - 1);
    m_view->verticalScrollBar()->setValue(static_cast<int>(PageOnDesk(page).top()) - kDeskGap);
    m_view->horizontalScrollBar()->setValue(0);
    m_view->viewport()->update();
}

QRect PreviewControl::BoxOnDesk(FoundText at) const {
    if (at.page < 0 || at.page >= static_cast<int>(m_pages.size()))
        return {};
    const PreparedPage& page = m_pages[static_cast<std::size_t>(at.page)];
    if (at.box < 0 || at.box >= static_cast<int>(page.boxes.size()))
        return {};
    const QRectF box = BoxRect(page.boxes[static_cast<std::size_t>(at.box)], ScreenPixelsPerUnit() * m_zoom);
    return box.translated(PageOnDesk(at.page).topLeft()).toAlignedRect();
}

QRect PreviewControl::VisibleDesk() const { return m_view->VisibleDesk(); }

QPoint PreviewControl::DeskOrigin() const { return m_view->DeskOrigin(); }

QWidget* PreviewControl::View() const { return m_view->viewport(); }

bool PreviewControl::FindNext(const QString& text) {
    m_found = FindText(m_pages, text, m_found);
    m_view->viewport()->update();
    if (m_found.page < 0) {
        m_findStatus->setText(text.isEmpty() ? QString() : QStringLiteral("Текст не найден"));
        return false;
    }
    m_findStatus->clear();
    m_view->EnsureVisible(BoxOnDesk(m_found));
    return true;
}

void PreviewControl::OnFindTriggered() {
    const QString text = m_findEdit->text();
    if (text.isEmpty()) {
        m_findEdit->setFocus(Qt::ShortcutFocusReason);
        return;
    }
    FindNext(text);
}

void PreviewControl::UpdatePrintAvailability() {
    m_printAction->setEnabled(!m_pages.empty() && !QPrinterInfo::availablePrinters().isEmpty());
}

void PreviewControl::Print() {
    UpdatePrintAvailability();
    if (!m_printAction->isEnabled())
        return;
    const int count = static_cast<int>(m_pages.size());
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setCopyCount(1);
    printer.setCollateCopies(true);
    printer.setDocName(TitleText());

    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Печать"));
    dialog.setOptions(QAbstractPrintDialog::PrintPageRange | QAbstractPrintDialog::PrintCurrentPage |
                      QAbstractPrintDialog::PrintCollateCopies | QAbstractPrintDialog::PrintShowPageSize);
    dialog.setMinMax(1, count);
    printer.setFromTo(1, count);
    printer.setPrintRange(QPrinter::AllPages);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!PrintPreparedPages(printer, m_pages, CurrentPage()))
        QMessageBox::warning(this, windowTitle(), QStringLiteral("Не удалось напечатать страницы на принтере %1.")
                                                      .arg(printer.printerName()));
}

} // namespace print
