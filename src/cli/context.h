#pragma once

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>

#include "cli/exit_status.h"

namespace CLI {
class App;
}

namespace tessel::cli {

struct GlobalOptions {
    std::optional<std::string> connect;
    bool json = false;
    int repeatCount = 1;
    bool trace = false;
};

// What every subcommand runs with: the global options and the two streams.
struct Context {
    GlobalOptions options;
    std::ostream& out;
    std::ostream& err;
};

// The chosen subcommand, set while the arguments are parsed.
using CommandRun = std::function<ExitStatus(Context&)>;

// One per subcommand file: registers the subcommand and its arguments.
void addPortsCommand(CLI::App& app, CommandRun& selected);
void addInfoCommand(CLI::App& app, CommandRun& selected);
void addCmdCommand(CLI::App& app, CommandRun& selected);

}  // namespace tessel::cli
