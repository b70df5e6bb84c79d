#include "UKeyUpNotifier.h"

#include <QKeyEvent>

TKeyUpNotifier::TKeyUpNotifier(QObject* watched) : QObject(watched)
{
    watched->installEventFilter(this);
}

bool TKeyUpNotifier::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        pressed.insert(static_cast<QKeyEvent*>(event)->key());
        break;
    case QEvent::KeyRelease: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!key->isAutoRepeat() && pressed.remove(key->key()))
            emit KeyUp(watched, key->key(), key->modifiers());
        break;
    }
    case QEvent::FocusOut:
        pressed.clear();
        break;
    default:
        break;
    }
    return false;
}
