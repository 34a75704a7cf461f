#include "link/sniffer.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>

namespace tessel {
namespace {

constexpr TSnifferColor kValueColor = 38144;
constexpr TSnifferColor kHexValueColor = 1572747;
constexpr TSnifferColor kPacketFrameColor = 16756834;
constexpr TSnifferColor kErrorColor = 987135;

// Drops control characters and blanks at both ends, as the platform's trim.
std::string trimmed(const std::string& s) {
    std::size_t first = 0;
    std::size_t last = s.size();
    while (first < last && static_cast<unsigned char>(s[first]) <= ' ') ++first;
    while (last > first && static_cast<unsigned char>(s[last - 1]) <= ' ') --last;
    return s.substr(first, last - first);
}

bool isFolder(const std::string& path) {
    std::error_code ec;
    return !path.empty() && std::filesystem::is_directory(path, ec);
}

// The folder with a trailing separator when it exists or could be created
// (with every missing level); empty otherwise.
std::string usableFolder(const std::string& requested) {
    std::string folder = trimmed(requested);
    if (folder.empty()) return {};
    if (folder.back() != '/') folder += '/';
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    return isFolder(folder) ? folder : std::string();
}

std::string dateTimeText(bool withMilliseconds) {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[32];
    int n = std::snprintf(text, sizeof text, "%02d.%02d.%04d %02d:%02d:%02d", local.tm_mday,
                          local.tm_mon + 1, local.tm_year + 1900, local.tm_hour, local.tm_min,
                          local.tm_sec);
    if (withMilliseconds) {
        const auto ms =
            std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() %
            1000;
        std::snprintf(text + n, sizeof text - static_cast<std::size_t>(n), ":%03d",
                      static_cast<int>(ms));
    }
    return text;
}

}  // namespace

std::string sniffer_DateTimeText() {
    return dateTimeText(true);
}

void TSniffer::initSniffer() {
    snifferUIDRec.addToHeader = true;
    snifferUIDRec.headerDescription = "UnicID = ";
    snifferUIDRec.Value = -1;  // the first command counts as 0
    snifferUIDRec.cColor = kValueColor;

    const std::string now = sniffer_DateTimeText();
    struct Default {
        TSnifferValueRec& item;
        const char* description;
        std::string toDevice;
        std::string fromDevice;
        TSnifferColor color;
    };
    const Default defaults[] = {
        {values.cRepeatIndex, "Repeat count = ", "0", "0", kValueColor},
        {values.cCommand, "Command = ", "0", "0", kValueColor},
        {values.cDateTime, "Date time = ", now, now, kValueColor},
        {values.cType, "Type = ", "Request", "Answer ", kValueColor},
        {values.cHEX, "hex ", "", "", kHexValueColor},
        {values.cText, "text", "", "", kValueColor},
    };
    for (const auto& d : defaults) {
        d.item.addToHeader = true;
        d.item.addDescriptionToHeader = true;
        d.item.headerDescription = d.description;
        d.item.toDeviceValue = d.toDevice;
        d.item.fromDeviceValue = d.fromDevice;
        d.item.cColor = d.color;
    }

    fIsActive = false;
    fCalc_Header_ToDevice = false;
    fCalc_Header_FromDevice = false;
    fCalc_FullRows = false;
    fSaveToFile_isOn = false;
    fLogFolder.clear();
    fLogFileName.clear();
    fSettingsFolder.clear();
    fFileFormat = TSnifferFileFormats::snif_INI;
    fSettingsFileName = "SnifferSettings.ini";
    full = TSnifferFull{};
    hexPacket = THexPacket{};
    hexPacket.header.color = kPacketFrameColor;
    hexPacket.data.color = kValueColor;
    hexPacket.footer.color = kPacketFrameColor;
    hexPacket.errorColor = kErrorColor;
    hexPacket.reqwestColor = kPacketFrameColor;
    hexPacket.answerColor = kValueColor;
    takeMyColorsFromCurrent();
}

bool TSniffer::headerSwitch(TDataDirection d) const {
    return d == TDataDirection::toDevice ? fCalc_Header_ToDevice : fCalc_Header_FromDevice;
}

std::string TSniffer::headerPart(const TSnifferValueRec& item, TDataDirection d,
                                 bool withValue) const {
    if (!headerSwitch(d) || !item.addToHeader) return {};
    std::string part = "[";
    if (item.addDescriptionToHeader) part += item.headerDescription;
    if (withValue)
        part += d == TDataDirection::toDevice ? item.toDeviceValue : item.fromDeviceValue;
    return part + "]";
}

std::string TSniffer::counterPart(TDataDirection d) const {
    if (!headerSwitch(d) || !snifferUIDRec.addToHeader) return {};
    std::string part = "[";
    if (snifferUIDRec.addDescriptionToHeader) part += snifferUIDRec.headerDescription;
    return part + std::to_string(snifferUIDRec.Value) + "]";
}

void TSniffer::calculate_Headers(TDataDirection d) {
    const bool toDevice = d == TDataDirection::toDevice;
    std::string& hexHeader = toDevice ? fToDevice_HumanHexHeader : fFromDevice_HumanHexHeader;
    std::string& textHeader = toDevice ? fToDevice_HumanTextHeader : fFromDevice_HumanTextHeader;
    hexHeader.clear();
    textHeader.clear();
    if (!headerSwitch(d)) return;
    hexHeader = counterPart(d) + headerPart(values.cRepeatIndex, d, true) +
                headerPart(values.cCommand, d, true) + headerPart(values.cDateTime, d, true) +
                headerPart(values.cType, d, true);
    textHeader = hexHeader;
    hexHeader += headerPart(values.cHEX, d, false);
    textHeader += headerPart(values.cText, d, false);
}

void TSniffer::calculate_FullRows(TDataDirection d) {
    const bool toDevice = d == TDataDirection::toDevice;
    std::string& hexRow = toDevice ? full.hex_ToDeviceRow : full.hex_FromDeviceRow;
    std::string& textRow = toDevice ? full.text_ToDeviceRow : full.text_FromDeviceRow;
    hexRow.clear();
    textRow.clear();
    if (!fCalc_FullRows) return;
    if (toDevice) {
        hexRow = fToDevice_HumanHexHeader + values.cHEX.toDeviceValue;
        textRow = fToDevice_HumanTextHeader + values.cText.toDeviceValue;
    } else {
        hexRow = fFromDevice_HumanHexHeader + values.cHEX.fromDeviceValue;
        textRow = fFromDevice_HumanTextHeader + values.cText.fromDeviceValue;
    }
}

void TSniffer::logThis(const std::string& targetText, bool withDateTime) {
    if (!fSaveToFile_isOn || !isFolder(fLogFolder)) return;
    try {
        std::ofstream log(fLogFolder + fLogFileName, std::ios::app | std::ios::binary);
        if (!log) return;
        if (withDateTime) log << dateTimeText(false) << ':';
        log << targetText << '\n';
    } catch (...) {
        // A log line that cannot be written is dropped; logging never fails a command.
    }
}

void TSniffer::setColorsFromMyColors() {
    hexPacket.header.color = myColors.hexPacket_HeaderColor;
    hexPacket.data.color = myColors.hexPacket_DataColor;
    hexPacket.footer.color = myColors.hexPacket_FooterColor;
    hexPacket.errorColor = myColors.hexPacket_ErrorColor;
    hexPacket.reqwestColor = myColors.hexPacket_ReqwestColor;
    hexPacket.answerColor = myColors.hexPacket_AnswerColor;
    values.cText.cColor = myColors.values_cTextColor;
    values.cHEX.cColor = myColors.values_cHEXColor;
    values.cType.cColor = myColors.values_cTypeColor;
    values.cDateTime.cColor = myColors.values_cDateTimeColor;
    values.cCommand.cColor = myColors.values_cCommandColor;
    values.cRepeatIndex.cColor = myColors.values_cRepeatIndexColor;
    snifferUIDRec.cColor = myColors.unicID_Color;
}

void TSniffer::takeMyColorsFromCurrent() {
    myColors.hexPacket_HeaderColor = hexPacket.header.color;
    myColors.hexPacket_DataColor = hexPacket.data.color;
    myColors.hexPacket_FooterColor = hexPacket.footer.color;
    myColors.hexPacket_ErrorColor = hexPacket.errorColor;
    myColors.hexPacket_ReqwestColor = hexPacket.reqwestColor;
    myColors.hexPacket_AnswerColor = hexPacket.answerColor;
    myColors.values_cTextColor = values.cText.cColor;
    myColors.values_cHEXColor = values.cHEX.cColor;
    myColors.values_cTypeColor = values.cType.cColor;
    myColors.values_cDateTimeColor = values.cDateTime.cColor;
    myColors.values_cCommandColor = values.cCommand.cColor;
    myColors.values_cRepeatIndexColor = values.cRepeatIndex.cColor;
    myColors.unicID_Color = snifferUIDRec.cColor;
}

void TSniffer::setSaveToFile_isOn(bool v) {
    fSaveToFile_isOn = v;
    if (!v) return;
    // Logging stays on only when there is a folder to log into.
    fSaveToFile_isOn = isFolder(fLogFolder);
    if (fSaveToFile_isOn) {
        fCalc_Header_ToDevice = true;
        fCalc_Header_FromDevice = true;
        fCalc_FullRows = true;
    }
}

void TSniffer::setLogFileName(const std::string& v) {
    const std::string name = trimmed(v);
    if (name.empty()) {
        fLogFileName = "connector_log.txt";
    } else if (name.find(".txt") != std::string::npos) {
        fLogFileName = name;
    } else {
        fLogFileName = name + ".txt";
    }
}

void TSniffer::setLogFolder(const std::string& v) {
    fLogFolder = usableFolder(v);
}

void TSniffer::setSettingsFolder(const std::string& v) {
    if (trimmed(v).empty()) return;
    fSettingsFolder = usableFolder(v);
}

}  // namespace tessel
