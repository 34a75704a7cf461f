// tessel cmd NUMBER [PARAMS]: any command, as the custom command console sends it.

#include <CLI/CLI.hpp>
#include <memory>
#include <ostream>

#include "cli/context.h"
#include "cli/output.h"
#include "cli/session.h"

namespace tessel::cli {

namespace {

struct CmdArguments {
    int number = 0;
    std::string parameters;
};

ExitStatus runCmd(Context& context, const CmdArguments& arguments) {
    Session session(context);
    if (const auto status = session.connect(); status != ExitStatus::success) return status;

    TFiscalDevice& device = session.device();
    const std::string input = TFDMisc::prepare_InputForSpecialSymbols(arguments.parameters);
    std::string answer;
    CommandOutcome outcome;
    outcome.ok =
        device.customCommand_cp1251(static_cast<std::uint16_t>(arguments.number), input, answer);
    outcome.code = session.lastErrorCode();
    outcome.message = session.lastErrorMessage();
    // After a time-out the fields and status bytes are still those of the
    // previous command; only a command that got an answer (completed, or
    // failed on a status bit) shows them.
    if (outcome.ok || device.errorInStatuses()) {
        outcome.fields = device.answerFieldsList;
        const TStatusBytes& statusBytes = device.dd().LowLevel().statusBytes();
        for (int i = 0; i < statusBytes.ByteCountInUse(); ++i) {
            outcome.status.push_back(statusBytes.Byte(i).Value());
        }
    }

    context.out << (context.options.json ? commandJson(outcome) + "\n" : commandText(outcome));
    const ExitStatus status = commandExitStatus(outcome.ok, outcome.code, device.errorInStatuses());
    if (status != ExitStatus::success)
        context.err << errorLine(outcome.code, outcome.message) << '\n';
    return status;
}

}  // namespace

void addCmdCommand(CLI::App& app, CommandRun& selected) {
    auto arguments = std::make_shared<CmdArguments>();
    auto* cmd = app.add_subcommand(
        "cmd", "Send any command; bracketed names such as [TAB] become their characters");
    cmd->add_option("NUMBER", arguments->number, "Command number")
        ->required()
        ->check(CLI::Range(0, 65535));
    cmd->add_option("PARAMS", arguments->parameters,
                    "Parameter text; end every parameter with [TAB]");
    cmd->callback([&selected, arguments] {
        selected = [arguments](Context& context) { return runCmd(context, *arguments); };
    });
}

}  // namespace tessel::cli
