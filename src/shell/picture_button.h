#pragma once
// A button that shows only a picture, larger than itself, centred in it (the word plates of the start
// window). It presses on a click, on Space, and on Enter while it has the focus.

#include <QAbstractButton>
#include <QPixmap>

class TPictureButton : public QAbstractButton {
    Q_OBJECT
  public:
    explicit TPictureButton(const QPixmap& picture, QWidget* parent = nullptr);

    const QPixmap& Picture() const { return m_picture; }
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QPixmap m_picture;
};
