#pragma once

// The simulated register: its state and the execution of one command, as the
// wire engine hands it over (command number and parameter bytes in code page
// 1251) and gets back (answer data and status bytes). Thread-safe: the TCP
// and pseudo-terminal links may run commands at the same time.

#include <cstdint>
#include <functional>
#include <mutex>
#include <string>

#include "link/protocol_types.h"
#include "sim/sim_commands.h"
#include "sim/sim_state.h"
#include "util/bytes.h"

namespace tessel::sim {

inline constexpr const char* kDefaultModel = "TK-81 R";

struct RegisterConfig {
    std::string model = kDefaultModel;
    TPacketFormat format = TPacketFormat::protocol_Type2;
    // Journal documents the register holds; "EJ nearly full" from 90 %.
    std::size_t journalCapacity = 50000;
};

struct Execution {
    std::int32_t code = 0;  // field 0 of the answer
    Bytes data;
    Bytes status;
};

class SimRegister {
public:
    // A register fresh from the factory: default parameters and operators,
    // no articles or clients, a sample journal.
    static RegisterState factoryState(const std::string& model, LocalSeconds now);

    SimRegister(RegisterConfig config, RegisterState state);

    Execution execute(std::uint16_t command, ByteView data);
    // Status bytes as the register would report them now.
    Bytes status() const;

    RegisterState snapshot() const;
    // Looks at the state under the register's lock.
    void inspect(const std::function<void(const RegisterState&)>& look) const;
    // Changes the state from outside the wire (tests, paper sensor); the
    // change is saved like one made by a command.
    void update(const std::function<void(RegisterState&)>& change);

    // The host clock the register runs on (host local time by default).
    void setHostClock(std::function<LocalSeconds()> clock);
    // Called, under the register's lock, after every change of the state.
    void setOnChange(std::function<void(const RegisterState&)> onChange);

    const RegisterConfig& config() const { return config_; }

private:
    Bytes statusLocked(std::int32_t code, bool unknownCommand) const;

    RegisterConfig config_;
    mutable std::mutex mutex_;
    RegisterState state_;
    SessionState session_;
    std::function<LocalSeconds()> hostClock_;
    std::function<void(const RegisterState&)> onChange_;
};

}  // namespace tessel::sim
