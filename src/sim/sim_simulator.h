#pragma once

// The simulator as one object: the register, its links and their threads.
// Tests and programs start it, talk to it over TCP or the pseudo-terminal,
// queue faults and look at the register state, and stop it.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "link/protocol_types.h"
#include "sim/sim_faults.h"
#include "sim/sim_register.h"
#include "sim/sim_state_saver.h"
#include "sim/sim_stop.h"

namespace tessel::sim {

inline constexpr std::uint16_t kDefaultTcpPort = 3999;

struct SimulatorOptions {
    std::string model = kDefaultModel;
    TPacketFormat format = TPacketFormat::protocol_Type2;
    std::optional<std::uint16_t> tcpPort = 0;  // 0: any free port; nullopt: no TCP link
    std::string tcpHost = "127.0.0.1";
    bool pty = false;
    std::string ptyLink;    // symlink to the pseudo-terminal, when not empty
    std::string stateFile;  // JSON state, when not empty
    int baud = 0;
    int busyMs = 0;
    FaultRates faultRates;
    std::uint64_t seed = 0;
    std::size_t journalCapacity = RegisterConfig{}.journalCapacity;
    // Told when the state file cannot be written; the register keeps working.
    std::function<void(const std::string&)> onSaveError;
};

class Simulator {
public:
    explicit Simulator(SimulatorOptions options);
    ~Simulator();
    Simulator(const Simulator&) = delete;
    Simulator& operator=(const Simulator&) = delete;

    // Loads the state, opens the links and starts serving in background
    // threads. Throws std::runtime_error (StateFileError for the state file)
    // before anything is served.
    void start();
    // Stops serving and joins the threads; safe to call twice.
    void stop();

    std::uint16_t tcpPort() const;
    const std::string& ptyPath() const;

    SimRegister& registerState() { return *register_; }
    FaultPlan& faults() { return faults_; }

private:
    struct Links;

    SimulatorOptions options_;
    FaultPlan faults_;
    StopSignal stop_;
    std::unique_ptr<SimRegister> register_;
    std::unique_ptr<StateSaver> saver_;  // ends before the register it reads
    std::unique_ptr<Links> links_;
    std::vector<std::thread> threads_;
};

}  // namespace tessel::sim
