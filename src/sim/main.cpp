// tessel-sim: the register simulator as a program. Serves TCP and/or a
// pseudo-terminal until SIGINT or SIGTERM.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>

#include "sim/sim_simulator.h"
#include "sim/sim_state_file.h"

namespace {

using tessel::sim::Simulator;
using tessel::sim::SimulatorOptions;

// How long --stop waits for the simulator to end after SIGTERM.
constexpr int kStopWaitMs = 10000;

struct ProgramOptions {
    SimulatorOptions sim;
    int port = tessel::sim::kDefaultTcpPort;
    bool noTcp = false;
    int protocol = 2;
    std::string faults;
    std::string portFile;
    std::string pidFile;
    bool detach = false;
    std::string stopPidFile;
};

bool writeFile(const std::string& path, const std::string& text) {
    if (path.empty()) return true;
    std::ofstream out(path, std::ios::trunc);
    out << text << '\n';
    return static_cast<bool>(out.flush());
}

// Ends the simulator whose pid the file holds and waits until it is gone.
int stopRunning(const std::string& pidFile) {
    std::ifstream in(pidFile);
    pid_t pid = 0;
    if (!(in >> pid) || pid <= 0) {
        std::cerr << "tessel-sim: no process id in " << pidFile << '\n';
        return 1;
    }
    const int pidFd = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
    if (pidFd < 0) {
        if (errno == ESRCH) return 0;  // already gone
        std::cerr << "tessel-sim: cannot watch process " << pid << ": " << std::strerror(errno)
                  << '\n';
        return 1;
    }
    kill(pid, SIGTERM);
    pollfd p{pidFd, POLLIN, 0};
    const int ended = poll(&p, 1, kStopWaitMs);
    close(pidFd);
    if (ended <= 0) {
        std::cerr << "tessel-sim: process " << pid << " did not end\n";
        return 1;
    }
    return 0;
}

void announce(const Simulator& sim, const SimulatorOptions& options, std::ostream& out) {
    if (options.tcpPort) out << "tcp:" << options.tcpHost << ':' << sim.tcpPort() << '\n';
    if (options.pty) out << "serial:" << sim.ptyPath() << '\n';
    out.flush();
}

// Runs until SIGINT or SIGTERM; both are blocked in every thread and taken here.
int serveUntilSignal(Simulator& sim) {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    int signal = 0;
    sigwait(&signals, &signal);
    sim.stop();
    return 0;
}

int runDetached(ProgramOptions& options) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) return 1;
    const pid_t child = fork();
    if (child < 0) return 1;
    if (child > 0) {
        // The parent returns once the child listens, with its first line.
        close(pipeFds[1]);
        std::string report;
        char c;
        while (read(pipeFds[0], &c, 1) == 1) report += c;
        if (report.rfind("ok ", 0) != 0) {
            std::cerr << "tessel-sim: " << (report.empty() ? "the simulator did not start" : report)
                      << '\n';
            return 1;
        }
        std::cout << report.substr(3);
        return 0;
    }
    close(pipeFds[0]);
    setsid();
    const int null = open("/dev/null", O_RDWR);
    dup2(null, STDIN_FILENO);
    dup2(null, STDOUT_FILENO);
    dup2(null, STDERR_FILENO);
    Simulator sim(options.sim);
    std::string report;
    try {
        sim.start();
        const bool written = writeFile(options.portFile, std::to_string(sim.tcpPort())) &&
                             writeFile(options.pidFile, std::to_string(getpid()));
        std::ostringstream lines;
        announce(sim, options.sim, lines);
        report = written ? "ok " + lines.str() : "cannot write the port or pid file";
    } catch (const std::exception& e) {
        report = e.what();
    }
    [[maybe_unused]] const auto n = write(pipeFds[1], report.data(), report.size());
    close(pipeFds[1]);
    if (report.rfind("ok ", 0) != 0) return 1;
    return serveUntilSignal(sim);
}

}  // namespace

int main(int argc, char** argv) {
    ProgramOptions options;
    CLI::App app{"Tessel SRB register simulator"};
    app.add_option("--port", options.port, "TCP port (0 picks a free one)")
        ->check(CLI::Range(0, 65535));
    app.add_option("--host", options.sim.tcpHost, "address to listen on")->capture_default_str();
    app.add_flag("--no-tcp", options.noTcp, "no TCP link");
    app.add_flag("--pty", options.sim.pty, "serve a pseudo-terminal too and print its path");
    app.add_option("--pty-link", options.sim.ptyLink, "make PATH a symlink to the pseudo-terminal");
    app.add_option("--model", options.sim.model, "model name the register reports")
        ->capture_default_str();
    app.add_option("--protocol", options.protocol, "frame variant, 1 or 2")
        ->check(CLI::Range(1, 2))
        ->capture_default_str();
    app.add_option("--state", options.sim.stateFile,
                   "JSON state file, loaded at start and saved on change");
    app.add_option("--baud", options.sim.baud, "send at serial speed (10 bits per byte)")
        ->check(CLI::Range(0, 10000000));
    app.add_option("--busy-ms", options.sim.busyMs, "every command works this long")
        ->check(CLI::Range(0, 3600000));
    app.add_option("--fault", options.faults,
                   "fault rates: nak=P,bcc=P,seq=P,drop=P,silence=P,disconnect=P");
    app.add_option("--seed", options.sim.seed, "seed of the fault rates");
    app.add_option("--port-file", options.portFile,
                   "write the TCP port into this file once listening");
    app.add_option("--pid-file", options.pidFile, "write the process id into this file");
    app.add_flag("--detach", options.detach, "run in the background once listening");
    app.add_option("--stop", options.stopPidFile,
                   "stop the simulator whose process id the file holds, and wait");
    CLI11_PARSE(app, argc, argv);

    if (!options.stopPidFile.empty()) return stopRunning(options.stopPidFile);
    if (!options.sim.ptyLink.empty()) options.sim.pty = true;
    options.sim.tcpPort = options.noTcp ? std::nullopt : std::optional<std::uint16_t>(options.port);
    options.sim.format = options.protocol == 1 ? tessel::TPacketFormat::protocol_Type1
                                               : tessel::TPacketFormat::protocol_Type2;
    if (!options.faults.empty()) {
        std::string error;
        const auto rates = tessel::sim::parseFaultRates(options.faults, error);
        if (!rates) {
            std::cerr << "tessel-sim: " << error << '\n';
            return 2;
        }
        options.sim.faultRates = *rates;
    }
    if (options.noTcp && !options.sim.pty) {
        std::cerr << "tessel-sim: nothing to serve (--no-tcp without --pty)\n";
        return 2;
    }
    options.sim.onSaveError = [](const std::string& message) {
        std::cerr << "tessel-sim: " << message << '\n';
    };

    // Blocked before any thread starts, so every thread inherits the mask.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    if (options.detach) return runDetached(options);
    Simulator sim(options.sim);
    try {
        sim.start();
    } catch (const std::exception& e) {
        std::cerr << "tessel-sim: " << e.what() << '\n';
        return 1;
    }
    if (!writeFile(options.portFile, std::to_string(sim.tcpPort())) ||
        !writeFile(options.pidFile, std::to_string(getpid()))) {
        std::cerr << "tessel-sim: cannot write the port or pid file\n";
        return 1;
    }
    announce(sim, options.sim, std::cout);
    return serveUntilSignal(sim);
}
