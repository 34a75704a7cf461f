#include "cli/session.h"

#include <cstdlib>
#include <ostream>

#include "cli/connection_source.h"
#include "cli/output.h"
#include "cli/trace.h"

namespace tessel::cli {

namespace {

std::optional<std::string> environmentConnection() {
    const char* text = std::getenv("TESSEL_CONNECT");
    return text ? std::optional<std::string>(text) : std::nullopt;
}

}  // namespace

Session::Session(Context& context) : fContext(context) {}

ExitStatus Session::connect() {
    const auto chosen = chooseConnection({fContext.options.connect, environmentConnection()});
    if (!chosen.spec) {
        fContext.err << usageErrorLine(chosen.error) << '\n';
        return ExitStatus::usageError;
    }
    fConnectionText = formatConnectionText(*chosen.spec);
    device().setRepeatCount(fContext.options.repeatCount);
    if (fContext.options.trace) {
        TConnector& transport = chosen.spec->kind == ConnectionSpec::Kind::tcp
                                    ? static_cast<TConnector&>(device().TCPIP())
                                    : static_cast<TConnector&>(device().RS232());
        transport.Sniffer()->setActive(true);
        traceFrames();
    }

    const std::int32_t code = fModule.openConnection(*chosen.spec);
    if (code != 0 || !fModule.currentConnector().Active()) {
        reportFailure(code, lastErrorMessage());
        return ExitStatus::connectionError;
    }
    const bool completed = fModule.identify();
    if (completed && lastErrorCode() == 0) return ExitStatus::success;
    reportFailure(lastErrorCode(), lastErrorMessage());
    return commandExitStatus(completed, lastErrorCode(), device().errorInStatuses());
}

void Session::reportFailure(std::int32_t code, const std::string& message) {
    fContext.err << errorLine(code, message) << '\n';
    if (fContext.options.json) {
        nlohmann::ordered_json json;
        json["ok"] = false;
        json["code"] = code;
        json["message"] = message;
        fContext.out << oneLineJson(json) << '\n';
    }
}

void Session::traceFrames() {
    auto handler = [this](bool toDevice) {
        return [this, toDevice](TFiscalDevice&, bool success, std::int64_t id,
                                const std::string& repeatIndex, const std::string& header,
                                const std::string& data, const std::string& footer,
                                const std::string& text, const std::string& dateTime,
                                const std::string& command) {
            fContext.err << traceLine({toDevice, success, id, repeatIndex, header, data, footer,
                                       text, dateTime, command})
                         << std::endl;
        };
    };
    device().OnSendCommand = handler(true);
    device().OnReceiveAnswer = handler(false);
}

}  // namespace tessel::cli
