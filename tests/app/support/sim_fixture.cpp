#include "support/sim_fixture.h"

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
    window->connectPage->useTcp(QStringLiteral("127.0.0.1"), simulator->tcpPort());
}

void TSimAppFixture::connect() {
    pointAtSimulator();
    window->connectPage->btnConnect->click();
}

}  // namespace tessel::testing
