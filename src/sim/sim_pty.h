#pragma once

// The serial link: a pseudo-terminal whose slave side a host opens as a
// serial port. The simulator keeps the slave open itself so that the link
// survives hosts coming and going.

#include <string>

#include "sim/sim_stop.h"
#include "sim/sim_wire.h"

namespace tessel::sim {

class PtyServer {
public:
    PtyServer(WireEngine& engine, const StopSignal& stop) : engine_(engine), stop_(stop) {}
    ~PtyServer();
    PtyServer(const PtyServer&) = delete;
    PtyServer& operator=(const PtyServer&) = delete;

    // Creates the pseudo-terminal, and the symlink when link is not empty.
    // Throws std::runtime_error.
    void open(const std::string& link);
    const std::string& path() const { return path_; }

    void run();

private:
    WireEngine& engine_;
    const StopSignal& stop_;
    int master_ = -1;
    int slave_ = -1;
    std::string path_;
    std::string link_;
};

}  // namespace tessel::sim
