// tessel-config's start-up as its main() runs it, printing "shown" once the
// main window is first exposed and leaving at once; bench_summary times it
// from the outside.
#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWindow>
#include <cstdio>

#include "app/app_startup.h"
#include "app/dm.h"
#include "app/main_window.h"
#include "app/qt_dialogs.h"

namespace {

// A window that never shows is a failure, not a wait.
constexpr int kGiveUpMs = 30000;

class FirstExpose : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose && !fSeen) {
            fSeen = true;
            std::puts("shown");
            std::fflush(stdout);
            QCoreApplication::exit(0);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool fSeen = false;
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    tessel::prepareApplication(app);

    tessel::TQtDialogs dialogs;
    tessel::Tdm dm;
    dm.misc.setDialogPresenter(&dialogs);
    tessel::TfmMainSRB window(dm, dialogs);
    FirstExpose probe;
    window.show();
    // Expose goes to the platform window, which exists once shown.
    window.windowHandle()->installEventFilter(&probe);
    QTimer::singleShot(kGiveUpMs, [] { QCoreApplication::exit(1); });
    return QApplication::exec();
}
