#include "support/sim_fixture.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "app/pages/connect_page.h"

namespace tessel::testing {

namespace {

std::unique_ptr<sim::Simulator> startedSimulator(const std::string& model) {
    sim::SimulatorOptions options;
    options.model = model;
    options.tcpPort = 0;
    auto simulator = std::make_unique<sim::Simulator>(options);
    simulator->start();
    return simulator;
}

}  // namespace

TSimAppFixture::TSimAppFixture(const std::string& model) : simulator(startedSimulator(model)) {}

TSimAppFixture::~TSimAppFixture() {
    window.reset();
    simulator->stop();
}

void TSimAppFixture::pointAtSimulator() {
    TConnectPage& page = *window->connectPage;
    page.chbxTCP->setChecked(true);
    page.edIPaddr->setText(QStringLiteral("127.0.0.1"));
    page.edPort->setText(QString::number(simulator->tcpPort()));
}

void TSimAppFixture::connect() {
    pointAtSimulator();
    window->connectPage->btnConnect->click();
}

}  // namespace tessel::testing
