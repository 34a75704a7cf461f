#include "sim/sim_state_saver.h"

#include "sim/sim_state_file.h"

namespace tessel::sim {

StateSaver::StateSaver(std::string path, const SimRegister& reg,
                       std::function<void(const std::string&)> onError)
    : path_(std::move(path)),
      register_(reg),
      onError_(std::move(onError)),
      thread_([this] { run(); }) {}

StateSaver::~StateSaver() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

void StateSaver::changed(const RegisterState& state) {
    const std::uint64_t version = ++version_;
    {
        std::lock_guard lock(mutex_);
        if (std::chrono::steady_clock::now() < quietUntil_) {
            pending_ = true;
            wake_.notify_one();
            return;
        }
    }
    write(state, version);
}

void StateSaver::write(const RegisterState& state, std::uint64_t version) {
    std::lock_guard lock(writeMutex_);
    if (version <= written_) return;  // a newer state is already on disk
    const auto start = std::chrono::steady_clock::now();
    try {
        saveStateFile(path_, state);
    } catch (const StateFileError& e) {
        if (onError_) onError_(e.what());
    }
    written_ = version;
    const auto end = std::chrono::steady_clock::now();
    std::lock_guard quiet(mutex_);
    quietUntil_ = end + (end - start) * kQuietFactor;
}

void StateSaver::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return pending_ || stopping_; });
        if (!pending_) return;
        while (!stopping_ && std::chrono::steady_clock::now() < quietUntil_) {
            wake_.wait_until(lock, quietUntil_);
        }
        pending_ = false;
        lock.unlock();
        RegisterState copy;
        std::uint64_t version = 0;
        register_.inspect([&](const RegisterState& s) {
            copy = s;
            version = version_;
        });
        write(copy, version);
        lock.lock();
    }
}

}  // namespace tessel::sim
