#include "UClickableImage.h"

#include <QMouseEvent>

TClickableImage::TClickableImage(QWidget* parent) : QLabel(parent)
{
    setFocusPolicy(Qt::NoFocus);
}

void TClickableImage::mousePressEvent(QMouseEvent* event)
{
    pressed = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

// A click is a press and release of the left button over the picture, as with a button.
void TClickableImage::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = pressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed = false;
    QLabel::mouseReleaseEvent(event);
    if (click)
        emit clicked();
}
