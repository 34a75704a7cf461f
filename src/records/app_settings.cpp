#include "records/app_settings.h"

#include <array>
#include <optional>
#include <string_view>
#include <system_error>

#include "util/com_ports_usage.h"
#include "util/int_text.h"

namespace tessel {

namespace {

constexpr std::string_view kDevice = "DeviceDepended";
constexpr std::string_view kProgram = "Program";
constexpr std::string_view kTabName = "[TAB]";
constexpr std::int32_t kHighestPort = 65535;

using Value = std::optional<std::string>;

// Decimal, optionally signed, blanks around it allowed; anything else is
// unreadable and gives the default.
std::int32_t integerOr(const Value& value, std::int32_t fallback) {
    return value ? textToInt32(trimBlanks(*value)).value_or(fallback) : fallback;
}

// Stored as 1 or 0; any readable non-zero number is true.
bool booleanOr(const Value& value, bool fallback) {
    return integerOr(value, fallback ? 1 : 0) != 0;
}

std::string textOr(const Value& value, std::string_view fallback) {
    return std::string(value ? trimBlanks(*value) : fallback);
}

// "[TAB]" and an empty text stand for the TAB character; the text is taken
// verbatim otherwise, so a blank stays a blank.
std::string delimiterOr(const Value& value, std::string_view fallback) {
    if (!value) return std::string(fallback);
    if (value->empty() || *value == kTabName) return "\t";
    return *value;
}

std::string delimiterText(const std::string& delimiter) {
    return delimiter == "\t" ? std::string(kTabName) : delimiter;
}

std::string flag(bool value) {
    return value ? "1" : "0";
}

struct SettingsKey {
    IniKeyRef ref;
    void (*read)(const Value& value, AppSettings& s);
    std::string (*write)(const AppSettings& s);
};

const std::array<SettingsKey, 18> kKeys{{
    {{kDevice, "ProtocolType"},
     [](const Value& v, AppSettings& s) {
         s.protocolType =
             integerOr(v, 1) == 1 ? TPacketFormat::protocol_Type1 : TPacketFormat::protocol_Type2;
     },
     [](const AppSettings& s) {
         return std::string(s.protocolType == TPacketFormat::protocol_Type2 ? "2" : "1");
     }},
    {{kDevice, "CodePage"},
     [](const Value& v, AppSettings& s) { s.codePage = integerOr(v, 1251); },
     [](const AppSettings& s) { return std::to_string(s.codePage); }},
    {{kDevice, "SendDelimiter"},
     [](const Value& v, AppSettings& s) { s.sendDelimiter = delimiterOr(v, ","); },
     [](const AppSettings& s) { return delimiterText(s.sendDelimiter); }},
    {{kDevice, "RecieveDelimiter"},
     [](const Value& v, AppSettings& s) { s.recieveDelimiter = delimiterOr(v, "\t"); },
     [](const AppSettings& s) { return delimiterText(s.recieveDelimiter); }},
    {{kDevice, "ErrorStyle"},
     [](const Value& v, AppSettings& s) {
         s.errorStyle = iniNamesEqual(textOr(v, "errorCode"), "pfStyle") ? TErrorStyle::pfStyle
                                                                         : TErrorStyle::errorCode;
     },
     [](const AppSettings& s) {
         return std::string(s.errorStyle == TErrorStyle::pfStyle ? "pfStyle" : "errorCode");
     }},
    {{kDevice, "UploadCommand"},
     [](const Value& v, AppSettings& s) { s.uploadCommand = integerOr(v, 202); },
     [](const AppSettings& s) { return std::to_string(s.uploadCommand); }},
    {{kDevice, "DownloadCommand"},
     [](const Value& v, AppSettings& s) { s.downloadCommand = integerOr(v, 121); },
     [](const AppSettings& s) { return std::to_string(s.downloadCommand); }},
    {{kProgram, "CommunicationType"},
     [](const Value& v, AppSettings& s) {
         s.communicationType = iniNamesEqual(textOr(v, "RS232"), "TCPIP")
                                   ? TCommunicationType::ct_TCPIP
                                   : TCommunicationType::ct_RS232;
     },
     [](const AppSettings& s) {
         return std::string(s.communicationType == TCommunicationType::ct_TCPIP ? "TCPIP"
                                                                                : "RS232");
     }},
    {{kProgram, "COMPort"},
     [](const Value& v, AppSettings& s) {
         const std::string text = v.value_or("COM 1");
         s.comPort = TComPortsUsage::calculate_FromText(text);
         s.comPortName = trimBlanks(text).starts_with('/') ? std::string(trimBlanks(text)) : "";
     },
     [](const AppSettings& s) {
         return s.comPortName.empty() ? "COM " + std::to_string(s.comPort) : s.comPortName;
     }},
    {{kProgram, "BaudRate"},
     [](const Value& v, AppSettings& s) { s.baudRate = integerOr(v, 115200); },
     [](const AppSettings& s) { return std::to_string(s.baudRate); }},
    {{kProgram, "Port"},
     [](const Value& v, AppSettings& s) { s.port = integerOr(v, 3999); },
     [](const AppSettings& s) { return std::to_string(s.port); }},
    {{kProgram, "IPAddress"},
     [](const Value& v, AppSettings& s) { s.ipAddress = textOr(v, "192.168.0.1"); },
     [](const AppSettings& s) { return s.ipAddress; }},
    {{kProgram, "defaultLoadFolder"},
     [](const Value& v, AppSettings& s) { s.defaultLoadFolder = textOr(v, "./NewLogo"); },
     [](const AppSettings& s) { return s.defaultLoadFolder; }},
    {{kProgram, "defaultSaveFolder"},
     [](const Value& v, AppSettings& s) { s.defaultSaveFolder = textOr(v, "./DeviceLogo"); },
     [](const AppSettings& s) { return s.defaultSaveFolder; }},
    {{kProgram, "EventsSettings.ActiveSniffer"},
     [](const Value& v, AppSettings& s) { s.activeSniffer = booleanOr(v, true); },
     [](const AppSettings& s) { return flag(s.activeSniffer); }},
    {{kProgram, "EventsSettings.ActivePorgress"},
     [](const Value& v, AppSettings& s) { s.activeProgress = booleanOr(v, true); },
     [](const AppSettings& s) { return flag(s.activeProgress); }},
    {{kProgram, "EventsSettings.ActiveProcessMessages"},
     [](const Value& v, AppSettings& s) { s.activeProcessMessages = booleanOr(v, true); },
     [](const AppSettings& s) { return flag(s.activeProcessMessages); }},
    {{kProgram, "EventsSettings.PorgressStep"},
     [](const Value& v, AppSettings& s) { s.progressStep = integerOr(v, 100); },
     [](const AppSettings& s) { return std::to_string(s.progressStep); }},
}};

std::array<IniKeyRef, kKeys.size()> keyOrder() {
    std::array<IniKeyRef, kKeys.size()> order{};
    for (std::size_t i = 0; i < kKeys.size(); ++i) order[i] = kKeys[i].ref;
    return order;
}

bool ensureFolder(const std::filesystem::path& folder) {
    std::error_code ec;
    if (std::filesystem::is_directory(folder, ec)) return true;
    std::filesystem::create_directories(folder, ec);
    return !ec && std::filesystem::is_directory(folder, ec);
}

}  // namespace

void readAppSettings(const IniFile& ini, AppSettings& settings) {
    for (const auto& key : kKeys) {
        const Value value = ini.value(key.ref.section, key.ref.key);
        // A port the connector cannot hold ends the reading, as it always has.
        if (key.ref.key == "Port" && integerOr(value, 0) > kHighestPort) return;
        key.read(value, settings);
    }
}

void writeAppSettings(const AppSettings& settings, IniFile& ini) {
    static const auto order = keyOrder();
    for (const auto& key : kKeys) {
        ini.setValue(key.ref.section, key.ref.key, key.write(settings), order);
    }
}

bool settings_Load_FromFile(const std::filesystem::path& folder, AppSettings& settings) {
    const auto ini = IniFile::load(folder / kSettingsFileName);
    if (!ini) return false;
    readAppSettings(*ini, settings);
    return true;
}

bool settings_Save_ToFile(const std::filesystem::path& folder, const AppSettings& settings) {
    if (!ensureFolder(folder)) return false;
    const auto file = folder / kSettingsFileName;
    std::error_code ec;
    // A file that exists but cannot be read is not replaced: its keys would be lost.
    auto ini = std::filesystem::exists(file, ec) ? IniFile::load(file) : IniFile{};
    if (!ini || ec) return false;
    writeAppSettings(settings, *ini);
    return ini->save(file);
}

}  // namespace tessel
