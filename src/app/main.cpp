// tessel-config: the configuration tool for the TK-81R register family.
#include <QApplication>

#include "app/dm.h"
#include "app/main_window.h"
#include "app/qt_dialogs.h"
#include "app/wheel_to_keys.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tessel-config"));
    tessel::TWheelToArrowKeys wheel;
    app.installEventFilter(&wheel);

    tessel::TQtDialogs dialogs;
    tessel::Tdm dm;
    dm.misc.setDialogPresenter(&dialogs);
    tessel::TfmMainSRB window(dm, dialogs);
    window.show();
    return QApplication::exec();
}
