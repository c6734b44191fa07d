#pragma once
// The preview control frPreview: prepared pages on a scrolling grey desk, drawn by the page renderer,
// with a toolbar for the zoom, printing and finding a text. The pages are only shown, never edited.

#include <QIcon>
#include <QWidget>

#include "print/specification_page.h"

class QAction;
class QActionGroup;
class QLabel;
class QLineEdit;
class QToolBar;
class QToolButton;

namespace print {

enum class ZoomMode { Percent200, Percent150, Percent100, Percent75, Percent50, Percent25, Percent10, PageWidth, WholePage, TwoPages };
inline constexpr int kZoomModeCount = 10;

// The menu text of a zoom mode ("75 %", "По ширине страницы").
QString ZoomModeText(ZoomMode mode);

// The printer picture of the preview window and its print button, drawn in the sizes 16 to 256.
QIcon PrinterIcon();

class PagesView;

class PreviewControl : public QWidget {
    Q_OBJECT
  public:
    explicit PreviewControl(QWidget* parent = nullptr);
    ~PreviewControl() override;

    // Replaces the pages shown, forgets the last find and shows the first page. The zoom stays.
    void SetPages(PreparedPages pages);
    const PreparedPages& Pages() const { return m_pages; }

    ZoomMode GetZoomMode() const { return m_zoomMode; }
    void SetZoomMode(ZoomMode mode);
    // The zoom factor in force, 1 being 100 % (what the fit modes give depends on the window's size).
    double Zoom() const { return m_zoom; }

    // The page in the middle of the view (0-based), and scrolling a page to the top of the view.
    int CurrentPage() const;
    void ShowPage(int page);

    // Finds the next box containing `text` after the last one found, wrapping round, marks it and
    // scrolls it to the middle of the view unless it is in view already. False, with nothing marked, when no box contains it.
    bool FindNext(const QString& text);
    FoundText Found() const { return m_found; }
    // Where a page and a box stand on the desk, in the desk's pixels, and the part of the desk in view.
    QRectF PageOnDesk(int page) const;
    QRect BoxOnDesk(FoundText at) const;
    QRect VisibleDesk() const;
    // The desk pixel at the view's top left corner; negative where a small desk is centred in the view.
    QPoint DeskOrigin() const;
    // The widget the pages are drawn on.
    QWidget* View() const;

    // The print dialog, then the pages as they are. Disabled while no printer is installed.
    void Print();
    // Enables printing when a printer is installed; called whenever new pages come.
    void UpdatePrintAvailability();

    QAction* PrintAction() const { return m_printAction; }
    QAction* FindAction() const { return m_findAction; }
    QAction* ZoomAction(ZoomMode mode) const;
    QLineEdit* FindEdit() const { return m_findEdit; }
    QToolBar* ToolBar() const { return m_toolBar; }

  signals:
    void zoomModeChanged(print::ZoomMode mode);

  private:
    friend class PagesView;
    void ApplyZoom();
    QSizeF PageSizeOnDesk() const;
    int Columns() const;
    double ScreenPixelsPerUnit() const;
    double FitZoom(QSize viewport) const;
    void OnFindTriggered();

    PreparedPages m_pages;
    ZoomMode m_zoomMode = ZoomMode::Percent100;
    double m_zoom = 1;
    FoundText m_found;

    QToolBar* m_toolBar = nullptr;
    QToolButton* m_zoomButton = nullptr;
    QActionGroup* m_zoomGroup = nullptr;
    QAction* m_printAction = nullptr;
    QAction* m_findAction = nullptr;
    QLineEdit* m_findEdit = nullptr;
    QLabel* m_findStatus = nullptr;
    PagesView* m_view = nullptr;
};

} // namespace print
