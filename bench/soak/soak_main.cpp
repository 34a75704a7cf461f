// Fault soak: a fiscal device component over TCP/IP against the simulator
// with seeded wire faults. It programs distinct articles, reads them back at
// random, and checks that no accepted answer carries wrong data, that every
// failed command carries a code with a text in the error catalogue and that no
// command hangs.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "../common/catalogue_code.h"
#include "device/fiscal_device.h"
#include "errors/err_container.h"
#include "sim/sim_simulator.h"
#include "soak_articles.h"
#include "support/temp_user_folders.h"
#include "util/device_text.h"
#include "util/fd_misc.h"

using namespace tessel;
using Clock = std::chrono::steady_clock;

namespace {

constexpr std::uint16_t kArticlesCommand = 107;
constexpr const char* kDefaultFaults =
    "nak=0.02,bcc=0.02,seq=0.01,drop=0.01,silence=0.002,disconnect=0.001";
// Over loopback a whole answer arrives within milliseconds, so a short
// per-byte deadline keeps the silence and drop faults from dominating the run.
constexpr std::uint32_t kByteDeadlineMs = 300;
constexpr std::chrono::milliseconds kReadTimeout{100};
// No single command (three attempts and a reconnect) may take longer.
constexpr std::chrono::seconds kHangLimit{60};
constexpr int kReconnectTries = 50;

struct Options {
    int commands = 10000;
    int articles = 2000;
    std::uint64_t seed = 1;
    std::string faults = kDefaultFaults;
};

[[noreturn]] void usage() {
    std::fprintf(stderr,
                 "usage: tessel-soak [--commands N] [--articles N] [--seed S] [--fault RATES]\n");
    std::exit(2);
}

Options parseOptions(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (i + 1 >= argc) usage();
        const std::string value = argv[++i];
        if (arg == "--commands") {
            o.commands = std::stoi(value);
        } else if (arg == "--articles") {
            o.articles = std::stoi(value);
        } else if (arg == "--seed") {
            o.seed = std::stoull(value);
        } else if (arg == "--fault") {
            o.faults = value;
        } else {
            usage();
        }
    }
    if (o.articles < 1 || o.articles > 24000 || o.commands < o.articles) usage();
    return o;
}

std::vector<std::string> splitAtTab(const std::string& text) {
    StringList items;
    TFDMisc::fillAnswerList(text, {"\t"}, items);
    return items;
}

// Tally of one run and the violations found.
struct Tally {
    int accepted = 0;
    int failed = 0;
    // Connections reopened after the register dropped one.
    int reconnects = 0;
    std::map<std::int32_t, int> failures;  // code -> count
    std::vector<std::string> violations;

    void violation(std::string text) {
        if (violations.size() < 20) std::fprintf(stderr, "VIOLATION: %s\n", text.c_str());
        violations.push_back(std::move(text));
    }
};

class Soak {
public:
    Soak(const Options& options, sim::Simulator& simulator)
        : fOptions(options), fSimulator(simulator) {
        fDevice.setErrContainer(&fErrors);
        fDevice.setMisc(&fMisc);
        fDevice.dd().LowLevel().setProtocolType(TPacketFormat::protocol_Type2);
        fDevice.add_DefaultDelimiters();
        fDevice.setCommunicationType(TCommunicationType::ct_TCPIP);
        fDevice.setRepeatCount(3);
        fDevice.setOcoecModeOn(false);
        TTCPIPConnector& tcp = fDevice.TCPIP();
        tcp.setAddress("127.0.0.1");
        tcp.setPort(simulator.tcpPort());
        tcp.setExitByTimeValue(kByteDeadlineMs);
        tcp.setReadTimeout(kReadTimeout);
    }

    Tally run() {
        std::mt19937_64 random(fOptions.seed);
        std::vector<int> plus(24000);
        for (int i = 0; i < 24000; ++i) plus[static_cast<std::size_t>(i)] = i + 1;
        std::shuffle(plus.begin(), plus.end(), random);
        plus.resize(static_cast<std::size_t>(fOptions.articles));

        for (int plu : plus) program(plu);
        std::uniform_int_distribution<std::size_t> pick(0, plus.size() - 1);
        for (int i = fOptions.articles; i < fOptions.commands; ++i) read(plus[pick(random)]);
        return std::move(fTally);
    }

    // Milliseconds the current command has run, for the watchdog.
    std::int64_t busyMs() const {
        const auto start = fCommandStart.load();
        if (start == 0) return 0;
        return nowMs() - start;
    }

private:
    static std::int64_t nowMs() {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   Clock::now().time_since_epoch())
            .count();
    }

    // Opens the connection before the first command and reopens one the
    // register dropped, as the tool does before its next command.
    void ensureConnected() {
        const bool dropped = fTally.accepted + fTally.failed > 0;
        for (int attempt = 0; attempt < kReconnectTries && !fDevice.TCPIP().Active(); ++attempt) {
            if (fDevice.TCPIP().openConnection() == 0) {
                if (dropped) ++fTally.reconnects;
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        if (!fDevice.TCPIP().Active()) fTally.violation("could not reconnect to the simulator");
    }

    // One command; true when it was accepted (exchange done, register code 0).
    bool command(const std::string& input, std::string& output) {
        fCommandStart = nowMs();
        ensureConnected();
        const bool done = fDevice.customCommand_cp1251(kArticlesCommand, input, output);
        fCommandStart = 0;
        const std::int32_t code = fErrors.LastErrorCode();
        if (done && code == 0) {
            ++fTally.accepted;
            return true;
        }
        ++fTally.failed;
        ++fTally.failures[code];
        if (!bench::hasCatalogueText(code)) {
            fTally.violation("failed command with code " + std::to_string(code) +
                             ", which has no catalogue text: " + input.substr(0, 12));
        }
        return false;
    }

    std::optional<sim::Article> stored(int plu) {
        std::optional<sim::Article> article;
        fSimulator.registerState().inspect([&](const sim::RegisterState& state) {
            const auto found = state.articles.find(plu);
            if (found != state.articles.end()) article = found->second;
        });
        return article;
    }

    void program(int plu) {
        const sim::Article sent = soak::articleFor(plu);
        std::string output;
        if (!command(soak::programText(plu, sent), output)) return;
        const auto now = stored(plu);
        if (!now || !soak::sameProgrammedContent(*now, sent))
            fTally.violation("accepted P " + std::to_string(plu) + " not in the register");
    }

    void read(int plu) {
        std::string output;
        if (!command(soak::readText(plu), output)) return;
        const auto now = stored(plu);
        if (!now) {
            fTally.violation("accepted R " + std::to_string(plu) + " of an absent article");
            return;
        }
        const auto fields = splitAtTab(output);
        if (fields != soak::expectedReadFields(plu, *now)) {
            fTally.violation("R " + std::to_string(plu) + " differs from the register: " + output);
            return;
        }
        // The name decodes back to what was programmed.
        if (soak::sameProgrammedContent(*now, soak::articleFor(plu)) &&
            nameFromDeviceText(fields.back()) != soak::articleFor(plu).name) {
            fTally.violation("R " + std::to_string(plu) + " name decodes wrongly");
        }
    }

    const Options& fOptions;
    sim::Simulator& fSimulator;
    TErrContainer fErrors;
    TFDMisc fMisc;
    TFiscalDevice fDevice;
    Tally fTally;
    std::atomic<std::int64_t> fCommandStart{0};
};

}  // namespace

int main(int argc, char** argv) {
    const Options options = parseOptions(argc, argv);
    std::string error;
    const auto rates = sim::parseFaultRates(options.faults, error);
    if (!rates) {
        std::fprintf(stderr, "tessel-soak: --fault: %s\n", error.c_str());
        return 2;
    }
    // The error container's working folders go to a scratch folder.
    const TempUserFolders userFolders;

    sim::SimulatorOptions simOptions;
    simOptions.faultRates = *rates;
    simOptions.seed = options.seed;
    sim::Simulator simulator(simOptions);
    simulator.start();

    Soak soak(options, simulator);
    std::atomic<bool> finished{false};
    std::thread watchdog([&] {
        while (!finished) {
            if (soak.busyMs() > std::chrono::milliseconds(kHangLimit).count()) {
                std::fprintf(stderr, "VIOLATION: a command hangs for over %llds\n",
                             static_cast<long long>(kHangLimit.count()));
                std::_Exit(3);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
        }
    });
    const auto start = Clock::now();
    const Tally tally = soak.run();
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    finished = true;
    watchdog.join();
    simulator.stop();

    std::printf("soak: %d commands (%d articles programmed, then read at random), seed %llu\n",
                options.commands, options.articles, static_cast<unsigned long long>(options.seed));
    std::printf("faults: %s, repeatCount 3\n", options.faults.c_str());
    std::printf("accepted %d, failed %d, reconnects %d, %.1f s\n", tally.accepted, tally.failed,
                tally.reconnects, seconds);
    for (const auto& [code, count] : tally.failures)
        std::printf("  failed with %d: %d\n", code, count);
    std::printf("violations: %zu\n", tally.violations.size());
    return tally.violations.empty() ? 0 : 1;
}
