#include "UAnchors.h"

#include <QEvent>
#include <QWidget>

TAnchors::TAnchors(QWidget* body, QSize designSize)
    : QObject(body), body(body), designSize(designSize)
{
    body->installEventFilter(this);
}

void TAnchors::AnchorRight(QWidget* child)
{
    anchored.append({child, child->geometry(), false});
    Place(anchored.back());
}

void TAnchors::AnchorRightBottom(QWidget* child)
{
    anchored.append({child, child->geometry(), true});
    Place(anchored.back());
}

bool TAnchors::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == body && event->type() == QEvent::Resize)
        for (const Anchored& a : anchored)
            Place(a);
    return false;
}

void TAnchors::Place(const Anchored& a) const
{
    const int dx = body->width() - designSize.width();
    const int dy = body->height() - designSize.height();
    QRect r = a.design.translated(dx, 0);
    if (a.bottom)
        r.setHeight(a.design.height() + dy);
    a.widget->setGeometry(r);
}
