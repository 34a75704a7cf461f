#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "device/fd_common.h"
#include "link/protocol_types.h"
#include "util/ini_file.h"

namespace tessel {

// The settings file "settings.ini" in "./Settings": the connection and the
// logo loader's settings, remembered between runs. A fresh object holds the
// values a file without any key gives.
struct AppSettings {
    // [DeviceDepended]
    TPacketFormat protocolType = TPacketFormat::protocol_Type1;
    std::int32_t codePage = 1251;
    std::string sendDelimiter = ",";
    std::string recieveDelimiter = "\t";
    TErrorStyle errorStyle = TErrorStyle::errorCode;
    std::int32_t uploadCommand = 202;
    std::int32_t downloadCommand = 121;
    // [Program]
    TCommunicationType communicationType = TCommunicationType::ct_RS232;
    std::int32_t comPort = 1;
    std::string comPortName;  // a device path when the file names one, else empty
    std::int32_t baudRate = 115200;
    std::int32_t port = 3999;
    std::string ipAddress = "192.168.0.1";
    std::string defaultLoadFolder = "./NewLogo";
    std::string defaultSaveFolder = "./DeviceLogo";
    bool activeSniffer = true;
    bool activeProgress = true;
    bool activeProcessMessages = true;
    std::int32_t progressStep = 100;

    bool operator==(const AppSettings&) const = default;
};

inline constexpr std::string_view kSettingsFolder = "./Settings";
inline constexpr std::string_view kSettingsFileName = "settings.ini";

// Reads every key into settings, key by key: a missing or unreadable value
// gives that key's default and leaves the other keys alone. A TCP port above
// 65535 ends the reading there; the keys after it keep their values.
void readAppSettings(const IniFile& ini, AppSettings& settings);
// Writes every key, each in place or, when new, in the order of the table.
void writeAppSettings(const AppSettings& settings, IniFile& ini);

// The file operations of the application. Loading reads the file and creates
// nothing: a missing folder or file is a failure. Saving creates the folder
// when missing and rewrites the file, keeping the keys and sections it does
// not know. False on any failure.
bool settings_Load_FromFile(const std::filesystem::path& folder, AppSettings& settings);
bool settings_Save_ToFile(const std::filesystem::path& folder, const AppSettings& settings);

}  // namespace tessel
