#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace tessel::cli::test {

struct RunResult {
    int exitStatus = -1;
    std::string out;
    std::string err;
};

// Runs the tessel program with the arguments, in the working folder, with
// HOME and XDG_DATA_HOME inside that folder, TESSEL_CONNECT unset unless
// `environment` sets it, and the given variables added. Waits for it to end.
RunResult runTessel(const std::vector<std::string>& arguments,
                    const std::filesystem::path& workingFolder,
                    const std::map<std::string, std::string>& environment = {});

// The TCP port of a simulator the CTest fixture started ("tk81r", "qn12").
int simulatorPort(const std::string& name);
// Its state file, which it rewrites after every change.
std::filesystem::path simulatorStateFile(const std::string& name);

// A loopback port nothing listens on.
int closedPort();

}  // namespace tessel::cli::test
