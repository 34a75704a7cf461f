#pragma once

// Writes the state file after every change of the register. A small state
// is written before the answer goes out; when writing takes long (tens of
// thousands of articles), a burst of changes is written once it pauses, by a
// background thread, so that saving never takes more than a tenth of the
// time. Whatever is pending is written when the saver ends.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "sim/sim_register.h"

namespace tessel::sim {

class StateSaver {
public:
    StateSaver(std::string path, const SimRegister& reg,
               std::function<void(const std::string&)> onError);
    ~StateSaver();
    StateSaver(const StateSaver&) = delete;
    StateSaver& operator=(const StateSaver&) = delete;

    // Called under the register's lock after every change.
    void changed(const RegisterState& state);

private:
    void run();
    void write(const RegisterState& state, std::uint64_t version);

    // Quiet time after a write, as a multiple of the time the write took.
    static constexpr int kQuietFactor = 9;

    std::string path_;
    const SimRegister& register_;
    std::function<void(const std::string&)> onError_;
    std::atomic<std::uint64_t> version_{0};
    std::mutex writeMutex_;
    std::uint64_t written_ = 0;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool pending_ = false;
    bool stopping_ = false;
    std::chrono::steady_clock::time_point quietUntil_{};
    std::thread thread_;
};

}  // namespace tessel::sim
