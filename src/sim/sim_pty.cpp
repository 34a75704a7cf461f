#include "sim/sim_pty.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace tessel::sim {

PtyServer::~PtyServer() {
    if (!link_.empty()) unlink(link_.c_str());
    if (slave_ >= 0) close(slave_);
    if (master_ >= 0) close(master_);
}

void PtyServer::open(const std::string& link) {
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
        throw std::runtime_error(std::string("cannot create a pseudo-terminal: ") +
                                 std::strerror(errno));
    }
    char name[128];
    if (ptsname_r(master_, name, sizeof name) != 0) {
        throw std::runtime_error(std::string("ptsname: ") + std::strerror(errno));
    }
    path_ = name;
    slave_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave_ < 0) throw std::runtime_error("cannot open " + path_ + ": " + std::strerror(errno));
    // Raw from the start, so nothing is echoed or translated before a host
    // sets its own line settings.
    termios tio{};
    tcgetattr(slave_, &tio);
    cfmakeraw(&tio);
    tcsetattr(slave_, TCSANOW, &tio);
    if (!link.empty()) {
        unlink(link.c_str());
        if (symlink(path_.c_str(), link.c_str()) != 0) {
            throw std::runtime_error("cannot link " + link + " to " + path_ + ": " +
                                     std::strerror(errno));
        }
        link_ = link;
    }
}

void PtyServer::run() {
    FdStream stream(master_, stop_);
    // A disconnect fault cannot unplug a serial line: the engine just starts over.
    while (!stop_.triggered()) engine_.serve(stream);
}

}  // namespace tessel::sim
