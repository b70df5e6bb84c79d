#pragma once

#include <QLabel>

// A picture that reports a click, as the banners and chat buttons need.
class TClickableImage : public QLabel
{
    Q_OBJECT

public:
    explicit TClickableImage(QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool pressed = false;
};
