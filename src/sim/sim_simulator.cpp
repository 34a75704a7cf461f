#include "sim/sim_simulator.h"

#include <filesystem>

#include "sim/sim_pty.h"
#include "sim/sim_state_file.h"
#include "sim/sim_tcp.h"
#include "sim/sim_wire.h"

namespace tessel::sim {

// Each link has its own engine: a retry cache belongs to one host.
struct Simulator::Links {
    std::unique_ptr<WireEngine> tcpEngine;
    std::unique_ptr<TcpServer> tcp;
    std::unique_ptr<WireEngine> ptyEngine;
    std::unique_ptr<PtyServer> pty;
};

Simulator::Simulator(SimulatorOptions options)
    : options_(std::move(options)), faults_(options_.faultRates, options_.seed) {}

Simulator::~Simulator() {
    stop();
}

void Simulator::start() {
    const RegisterConfig config{options_.model, options_.format, options_.journalCapacity};
    const std::string& path = options_.stateFile;
    RegisterState state = !path.empty() && std::filesystem::exists(path)
                              ? loadStateFile(path, options_.model)
                              : SimRegister::factoryState(options_.model, hostLocalNow());
    if (!path.empty()) saveStateFile(path, state);
    register_ = std::make_unique<SimRegister>(config, std::move(state));
    if (!path.empty()) {
        saver_ = std::make_unique<StateSaver>(path, *register_, options_.onSaveError);
        register_->setOnChange(
            [saver = saver_.get()](const RegisterState& s) { saver->changed(s); });
    }
    const WireOptions wire{options_.baud, options_.busyMs};
    links_ = std::make_unique<Links>();
    if (options_.tcpPort) {
        links_->tcpEngine = std::make_unique<WireEngine>(*register_, faults_, wire);
        links_->tcp = std::make_unique<TcpServer>(*links_->tcpEngine, stop_);
        links_->tcp->listen(options_.tcpHost, *options_.tcpPort);
    }
    if (options_.pty) {
        links_->ptyEngine = std::make_unique<WireEngine>(*register_, faults_, wire);
        links_->pty = std::make_unique<PtyServer>(*links_->ptyEngine, stop_);
        links_->pty->open(options_.ptyLink);
    }
    if (links_->tcp) threads_.emplace_back([this] { links_->tcp->run(); });
    if (links_->pty) threads_.emplace_back([this] { links_->pty->run(); });
}

void Simulator::stop() {
    stop_.trigger();
    for (std::thread& t : threads_) t.join();
    threads_.clear();
    links_.reset();
}

std::uint16_t Simulator::tcpPort() const {
    return links_ && links_->tcp ? links_->tcp->port() : 0;
}

const std::string& Simulator::ptyPath() const {
    static const std::string none;
    return links_ && links_->pty ? links_->pty->path() : none;
}

}  // namespace tessel::sim
