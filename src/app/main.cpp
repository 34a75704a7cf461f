// tessel-config: the configuration tool for the TK-81R register family.
#include <QApplication>
#include <QCommandLineParser>
#include <iostream>
#include <memory>

#include "app/app_startup.h"
#include "app/dm.h"
#include "app/main_window.h"
#include "app/pages/connect_page.h"
#include "app/qt_dialogs.h"
#include "app/screenshot_tour.h"
#include "app/scripted_dialogs.h"
#include "sim/sim_simulator.h"

namespace {

// A register on a free loopback port, so a new user sees one working at once.
std::unique_ptr<tessel::sim::Simulator> startSimulator() {
    tessel::sim::SimulatorOptions options;
    options.tcpPort = 0;
    auto simulator = std::make_unique<tessel::sim::Simulator>(options);
    simulator->start();
    return simulator;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    tessel::prepareApplication(app);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Tessel SRB configuration tool"));
    parser.addHelpOption();
    const QCommandLineOption simulatorOption(
        QStringLiteral("simulator"),
        QStringLiteral("Start a simulated register on a free loopback port and point the "
                       "TCP/IP connection at it."));
    const QCommandLineOption screenshotsOption(
        QStringLiteral("screenshots"),
        QStringLiteral("Connect, save a PNG of every page into <folder> and quit."),
        QStringLiteral("folder"));
    parser.addOption(simulatorOption);
    parser.addOption(screenshotsOption);
    parser.process(app);

    std::unique_ptr<tessel::sim::Simulator> simulator;
    if (parser.isSet(simulatorOption)) {
        try {
            simulator = startSimulator();
        } catch (const std::exception& e) {
            std::cerr << "tessel-config: the simulator did not start: " << e.what() << '\n';
            return 1;
        }
    }

    // An unattended run must never stop at a message box.
    const bool unattended = parser.isSet(screenshotsOption);
    tessel::TQtDialogs realDialogs;
    tessel::TScriptedDialogs scriptedDialogs;
    tessel::TAppDialogs& dialogs =
        unattended ? static_cast<tessel::TAppDialogs&>(scriptedDialogs) : realDialogs;

    tessel::Tdm dm;
    dm.misc.setDialogPresenter(&dialogs);
    tessel::TfmMainSRB window(dm, dialogs);
    window.show();
    if (simulator) window.connectPage->useTcp(QStringLiteral("127.0.0.1"), simulator->tcpPort());

    if (unattended) {
        return tessel::runScreenshotTour(window, parser.value(screenshotsOption)) ? 0 : 1;
    }
    return QApplication::exec();
}
