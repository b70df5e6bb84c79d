#pragma once

#include <QObject>
#include <QSet>

// Reports the release of a key in a control, as a page's key-up handlers want
// it. Only a key pressed in the control counts: the release of an Enter that
// closed a message box or chose a menu entry elsewhere must not calculate.
// Auto-repeat produces no release of its own: a held key is released once.
class TKeyUpNotifier : public QObject
{
    Q_OBJECT

public:
    explicit TKeyUpNotifier(QObject* watched);

signals:
    void KeyUp(QObject* sender, int key, Qt::KeyboardModifiers shift);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QSet<int> pressed;
};
