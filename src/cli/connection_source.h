#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "records/app_settings.h"
#include "records/connection_text.h"

namespace tessel::cli {

// Where the connection comes from, first found wins: the --connect option,
// the TESSEL_CONNECT environment variable, the application's settings file.
struct ConnectionSources {
    std::optional<std::string> option;
    std::optional<std::string> environment;
    std::filesystem::path settingsFolder{kSettingsFolder};
};

// A usage error (spec empty, error set) when the chosen text is malformed or
// no source gives a connection.
ConnectionParseResult chooseConnection(const ConnectionSources& sources);

// The connection the application would open from its settings.
ConnectionSpec connectionFromSettings(const AppSettings& settings);

}  // namespace tessel::cli
