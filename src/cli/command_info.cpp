// tessel info: the register's identification and its model.

#include <CLI/CLI.hpp>
#include <array>
#include <ostream>
#include <utility>

#include "cli/context.h"
#include "cli/output.h"
#include "cli/session.h"
#include "records/ecr_model.h"

namespace tessel::cli {

namespace {

using I90Field = const std::string& (TI90::*)() const;

// The identification record's fields by their published names, in record order.
constexpr std::array<std::pair<const char*, I90Field>, 18> kI90Fields{{
    {"SerialNumber", &TI90::SerialNumber},
    {"shDTP", &TI90::shDTP},
    {"shIBV", &TI90::shIBV},
    {"shOMV", &TI90::shOMV},
    {"shOBV", &TI90::shOBV},
    {"shBLV", &TI90::shBLV},
    {"FirmwareTime", &TI90::FirmwareTime},
    {"DeviceName", &TI90::DeviceName},
    {"SoftwareSwitches", &TI90::SoftwareSwitches},
    {"shNNNNNN", &TI90::shNNNNNN},
    {"FiscalMemoryNumber", &TI90::FiscalMemoryNumber},
    {"FirmwareDate", &TI90::FirmwareDate},
    {"FirmwareRevision", &TI90::FirmwareRevision},
    {"shCCC", &TI90::shCCC},
    {"shDD", &TI90::shDD},
    {"CheckSum", &TI90::CheckSum},
    {"shSN", &TI90::shSN},
    {"shHV", &TI90::shHV},
}};

ExitStatus runInfo(Context& context) {
    Session session(context);
    if (const auto status = session.connect(); status != ExitStatus::success) return status;

    const TI90& i90 = session.device().dd().i90();
    const int ecrModel = ecrModelOf(i90.shNNNNNN());
    const std::string model =
        ecrModel == kUnknownEcrModel ? "unknown" : std::string(kKnownEcrModels[ecrModel]);
    if (context.options.json) {
        nlohmann::ordered_json json;
        json["connection"] = session.connectionText();
        json["model"] = model;
        json["ecrModel"] = ecrModel;
        auto& record = json["identification"] = nlohmann::ordered_json::object();
        for (const auto& [name, field] : kI90Fields) record[name] = (i90.*field)();
        context.out << oneLineJson(json) << '\n';
    } else {
        for (const auto& [name, field] : kI90Fields)
            context.out << name << ": " << (i90.*field)() << '\n';
        context.out << "model: " << model << '\n';
    }
    return ExitStatus::success;
}

}  // namespace

void addInfoCommand(CLI::App& app, CommandRun& selected) {
    app.add_subcommand("info", "Show the register's identification record and its model")
        ->callback([&selected] { selected = runInfo; });
}

}  // namespace tessel::cli
