#pragma once

class QApplication;

namespace tessel {

// The start-up steps every run of tessel-config takes before its window is
// made: the application's name, one look on every desktop (and under xvfb for
// the screenshots), and mouse-wheel turns as arrow keys.
void prepareApplication(QApplication& app);

}  // namespace tessel
