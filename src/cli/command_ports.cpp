// tessel ports: the serial ports of this computer.

#include <CLI/CLI.hpp>
#include <ostream>

#include "cli/context.h"
#include "cli/output.h"
#include "util/com_ports_usage.h"

namespace tessel::cli {

namespace {

ExitStatus runPorts(Context& context) {
    StringList ports;
    TComPortsUsage().fill_List(ports);
    if (context.options.json) {
        nlohmann::ordered_json json;
        json["ports"] = ports;
        context.out << oneLineJson(json) << '\n';
    } else {
        for (const auto& port : ports) context.out << port << '\n';
    }
    return ExitStatus::success;
}

}  // namespace

void addPortsCommand(CLI::App& app, CommandRun& selected) {
    app.add_subcommand("ports", "List the serial ports of this computer, one per line")
        ->callback([&selected] { selected = runPorts; });
}

}  // namespace tessel::cli
