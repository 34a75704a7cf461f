#include "cli/connection_source.h"

namespace tessel::cli {

ConnectionSpec connectionFromSettings(const AppSettings& settings) {
    ConnectionSpec spec;
    if (settings.communicationType == TCommunicationType::ct_TCPIP) {
        spec.kind = ConnectionSpec::Kind::tcp;
        spec.host = settings.ipAddress;
        spec.port = settings.port;
    } else {
        spec.kind = ConnectionSpec::Kind::serial;
        spec.path = settings.comPortName;
        spec.portNumber = settings.comPort;
        spec.baudRate = settings.baudRate;
    }
    return spec;
}

ConnectionParseResult chooseConnection(const ConnectionSources& sources) {
    auto fromText = [](const std::string& text, const std::string& origin) {
        auto result = parseConnectionText(text);
        if (!result.spec) result.error = origin + ": " + result.error;
        return result;
    };
    if (sources.option) return fromText(*sources.option, "--connect");
    if (sources.environment && !sources.environment->empty()) {
        return fromText(*sources.environment, "TESSEL_CONNECT");
    }
    const auto file = sources.settingsFolder / kSettingsFileName;
    AppSettings settings;
    if (settings_Load_FromFile(sources.settingsFolder, settings)) {
        return {connectionFromSettings(settings), {}};
    }
    return {std::nullopt,
            "no connection given: use --connect tcp:HOST:PORT or serial:PATH[?baud=N], set "
            "TESSEL_CONNECT, or run where " +
                file.string() + " exists"};
}

}  // namespace tessel::cli
