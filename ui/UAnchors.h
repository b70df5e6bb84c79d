#pragma once

#include <QObject>
#include <QRect>
#include <QSize>
#include <QVector>

class QWidget;

// Keeps chosen children of a page's body at their distance from its right (and
// bottom) edge when the body is larger or smaller than designed.
class TAnchors : public QObject
{
    Q_OBJECT

public:
    TAnchors(QWidget* body, QSize designSize);

    void AnchorRight(QWidget* child);
    void AnchorRightBottom(QWidget* child);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Anchored
    {
        QWidget* widget;
        QRect design;
        bool bottom;
    };

    void Place(const Anchored& a) const;

    QWidget* body;
    QSize designSize;
    QVector<Anchored> anchored;
};
