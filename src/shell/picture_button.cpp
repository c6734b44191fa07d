#include "shell/picture_button.h"

#include <QKeyEvent>
#include <QPainter>

TPictureButton::TPictureButton(const QPixmap& picture, QWidget* parent)
    : QAbstractButton(parent), m_picture(picture) {
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
}

QSize TPictureButton::sizeHint() const {
    return m_picture.isNull() ? QSize(161, 49) : m_picture.size();
}

void TPictureButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect area = rect();
    // Pressed, the picture sinks by a pixel as a push button's face does.
    const QPoint sunk = isDown() ? QPoint(1, 1) : QPoint(0, 0);
    if (m_picture.isNull()) {
        painter.fillRect(area, QColor(0, 0, 128));
    } else {
        QRect place(QPoint(0, 0), m_picture.size() / m_picture.devicePixelRatio());
        place.moveCenter(area.center());
        painter.drawPixmap(place.topLeft() + sunk, m_picture);
    }
    if (hasFocus()) {
        QPen pen(Qt::white, 1, Qt::DotLine);
        painter.setPen(pen);
        painter.drawRect(area.adjusted(4, 4, -5, -5));
    }
}

void TPictureButton::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !event->isAutoRepeat()) {
        click();
        event->accept();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}
