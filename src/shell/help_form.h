#pragma once
// Unit Help: the help window THelpForm — how to measure the car and use the calculation window, drawn
// as text on white from the top-left corner of a fixed window. It is destroyed whenever it is closed.
// The start window shows a new one modally on every press of справка; the calculation window keeps at
// most one modeless one through ShowHelpModeless.

#include <QDialog>
#include <QPointer>

class QTextDocument;

class THelpForm : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kClientWidth = 753;
    static constexpr int kClientHeight = 568;
    // The instructions were laid out on a page wider than the window; its right edge is cut off.
    static constexpr int kPageWidth = 762;

    explicit THelpForm(QWidget* owner);
    ~THelpForm() override;

    // The instructions as laid out on the page (for checking that they fit the window).
    const QTextDocument& Page() const { return *m_page; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QTextDocument* m_page;
};

// The calculation window's help button: brings `helpForm` to the front if it exists, otherwise makes a
// new help window owned by `mainWindow`, points `helpForm` at it and shows it modeless. The pointer
// empties itself when the window is closed or destroyed with its owner.
void ShowHelpModeless(QWidget* mainWindow, QPointer<THelpForm>& helpForm);
