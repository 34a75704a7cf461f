#pragma once

#include <memory>
#include <string>

#include "sim/sim_simulator.h"
#include "support/app_fixture.h"

namespace tessel::testing {

// The window together with an in-process register on a free loopback port.
class TSimAppFixture : public TAppFixture {
public:
    explicit TSimAppFixture(const std::string& model = sim::kDefaultModel);
    ~TSimAppFixture();

    // Ticks TCP/IP and points the connection page at the simulator.
    void pointAtSimulator();
    // pointAtSimulator, then the Connect button.
    void connect();

    std::unique_ptr<sim::Simulator> simulator;
};

}  // namespace tessel::testing
