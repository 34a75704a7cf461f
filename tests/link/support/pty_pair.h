#pragma once

#include <chrono>
#include <cstdint>
#include <string>

#include "util/bytes.h"

namespace tessel::test {

// A pseudo-terminal pair standing in for a serial line: the connector opens
// slavePath(), the test plays the register on the master side. The test's own
// slave descriptor stays open so the line never hangs up under the connector.
class PtyPair {
public:
    PtyPair();
    ~PtyPair();
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    const std::string& slavePath() const { return fSlavePath; }
    int master() const { return fMaster; }
    // The test's descriptor of the port side, for reading the line settings.
    int slave() const { return fSlave; }

    void send(const Bytes& bytes) const;
    // Collects up to count bytes, waiting at most timeout for each burst.
    Bytes receive(std::size_t count, std::chrono::milliseconds timeout) const;

private:
    int fMaster = -1;
    int fSlave = -1;
    std::string fSlavePath;
};

// Waits until fd has input (at most timeout); true when it has.
bool waitReadable(int fd, std::chrono::milliseconds timeout);

}  // namespace tessel::test
