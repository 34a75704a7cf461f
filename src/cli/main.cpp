// tessel: the register from the command line, for dealers and scripts.

#include <CLI/CLI.hpp>
#include <iostream>

#include "cli/context.h"
#include "cli/output.h"

using tessel::cli::CommandRun;
using tessel::cli::Context;
using tessel::cli::ExitStatus;

int main(int argc, char** argv) {
    CLI::App app{
        "Reads and programs a Tessel SRB cash register.\n"
        "CONN is tcp:HOST:PORT or serial:PATH[?baud=N] (speed 115200 when not given); "
        "without --connect it comes from $TESSEL_CONNECT or ./Settings/settings.ini.",
        "tessel"};
    Context context{{}, std::cout, std::cerr};
    auto& options = context.options;
    app.add_option("--connect", options.connect, "Where the register is")->type_name("CONN");
    app.add_flag("--json", options.json, "Print one JSON object");
    app.add_option("--repeat-count", options.repeatCount, "Attempts per command")
        ->check(CLI::Range(1, 1000))
        ->capture_default_str();
    app.add_flag("--trace", options.trace, "Print every request and answer frame to stderr");
    app.require_subcommand(1);

    CommandRun selected;
    tessel::cli::addPortsCommand(app, selected);
    tessel::cli::addInfoCommand(app, selected);
    tessel::cli::addCmdCommand(app, selected);

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& help) {
        return app.exit(help);
    } catch (const CLI::CallForAllHelp& help) {
        return app.exit(help);
    } catch (const CLI::ParseError& error) {
        std::cerr << tessel::cli::usageErrorLine(error.what())
                  << "\nRun 'tessel --help' for usage.\n";
        return static_cast<int>(ExitStatus::usageError);
    }
    return static_cast<int>(selected(context));
}
