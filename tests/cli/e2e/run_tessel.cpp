#include "run_tessel.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace tessel::cli::test {

namespace {

void readBoth(int outFd, int errFd, RunResult& result) {
    pollfd fds[2] = {{outFd, POLLIN, 0}, {errFd, POLLIN, 0}};
    std::string* targets[2] = {&result.out, &result.err};
    int open = 2;
    while (open > 0) {
        if (poll(fds, 2, -1) < 0) break;
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0) continue;
            char buffer[4096];
            const auto n = read(fds[i].fd, buffer, sizeof buffer);
            if (n > 0) {
                targets[i]->append(buffer, static_cast<std::size_t>(n));
            } else {
                close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            }
        }
    }
}

}  // namespace

RunResult runTessel(const std::vector<std::string>& arguments,
                    const std::filesystem::path& workingFolder,
                    const std::map<std::string, std::string>& environment) {
    int outPipe[2];
    int errPipe[2];
    if (pipe(outPipe) != 0 || pipe(errPipe) != 0) throw std::runtime_error("pipe failed");
    const pid_t child = fork();
    if (child < 0) throw std::runtime_error("fork failed");
    if (child == 0) {
        dup2(outPipe[1], STDOUT_FILENO);
        dup2(errPipe[1], STDERR_FILENO);
        close(outPipe[0]);
        close(errPipe[0]);
        close(outPipe[1]);
        close(errPipe[1]);
        if (chdir(workingFolder.c_str()) != 0) _exit(126);
        unsetenv("TESSEL_CONNECT");
        setenv("HOME", (workingFolder / "home").c_str(), 1);
        setenv("XDG_DATA_HOME", (workingFolder / "data").c_str(), 1);
        for (const auto& [name, value] : environment) setenv(name.c_str(), value.c_str(), 1);
        std::vector<char*> argv{const_cast<char*>(TESSEL_CLI_PATH)};
        for (const auto& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        execv(TESSEL_CLI_PATH, argv.data());
        _exit(127);
    }
    close(outPipe[1]);
    close(errPipe[1]);
    RunResult result;
    readBoth(outPipe[0], errPipe[0], result);
    int status = 0;
    waitpid(child, &status, 0);
    result.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

int simulatorPort(const std::string& name) {
    std::ifstream in(std::filesystem::path(TESSEL_SIM_DIR) / (name + ".port"));
    int port = 0;
    in >> port;
    return port;
}

std::filesystem::path simulatorStateFile(const std::string& name) {
    return std::filesystem::path(TESSEL_SIM_DIR) / (name + ".json");
}

int closedPort() {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    close(fd);  // bound but never listening: a connect is refused
    return ntohs(address.sin_port);
}

}  // namespace tessel::cli::test
