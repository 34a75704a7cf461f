#include "app/wheel_to_keys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWheelEvent>
#include <QWidget>

namespace tessel {

bool TWheelToArrowKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Wheel) return QObject::eventFilter(watched, event);
    const int delta = static_cast<QWheelEvent*>(event)->angleDelta().y();
    // Sideways scrolling has no arrow key of its own; it is swallowed too, as
    // no control may scroll by the wheel.
    if (delta == 0) return true;
    QObject* target = QApplication::focusWidget();
    if (target == nullptr) target = watched;
    const int key = delta > 0 ? Qt::Key_Up : Qt::Key_Down;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    return true;
}

}  // namespace tessel
