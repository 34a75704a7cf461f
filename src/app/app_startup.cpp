#include "app/app_startup.h"

#include <QApplication>

#include "app/wheel_to_keys.h"

namespace tessel {

void prepareApplication(QApplication& app) {
    QApplication::setApplicationName(QStringLiteral("tessel-config"));
    QApplication::setStyle(QStringLiteral("Fusion"));
    app.installEventFilter(new TWheelToArrowKeys(&app));
}

}  // namespace tessel
