#pragma once

#include <QObject>

namespace tessel {

// Installed on the application: every mouse-wheel turn becomes an Up (forward)
// or Down (backward) arrow key for the focused control before any control
// sees the wheel, so a grid moves its current row as with the arrow keys.
class TWheelToArrowKeys : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace tessel
