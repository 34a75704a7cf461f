#pragma once

// The communication sniffer: human-readable views of the traffic of the
// command being executed, header strings and full rows composed from them, an
// optional log file and the header layout kept in "SnifferSettings.ini".

#include <cstdint>
#include <string>

namespace tessel {

enum class TSnifferFileFormats : std::uint8_t { snif_TXT = 0, snif_CSV = 1, snif_INI = 2 };
enum class TDataDirection : std::uint8_t { toDevice = 0, fromDevice = 1 };
// The packet part the next byte belongs to.
enum class TSnifferByteCursor : std::uint8_t { sbcHeader = 0, sbcData = 1, sbcFooter = 2 };

// Colours in the platform form: blue, green, red from the most significant end.
using TSnifferColor = std::int32_t;

struct TSnifferUIDRec {
    bool addToHeader = false;
    bool addDescriptionToHeader = false;
    std::string headerDescription;
    std::int64_t Value = 0;  // the command counter
    TSnifferColor cColor = 0;
};

struct TSnifferValueRec {
    bool addToHeader = false;
    bool addDescriptionToHeader = false;
    std::string headerDescription;
    std::string toDeviceValue;
    std::string fromDeviceValue;
    TSnifferColor cColor = 0;
};

struct TSnifferValues {
    TSnifferValueRec cRepeatIndex;
    TSnifferValueRec cCommand;
    TSnifferValueRec cDateTime;
    TSnifferValueRec cType;
    TSnifferValueRec cHEX;
    TSnifferValueRec cText;
};

struct TSnifferFull {
    std::string hex_ToDeviceRow;
    std::string hex_FromDeviceRow;
    std::string text_ToDeviceRow;
    std::string text_FromDeviceRow;
};

struct TPacketValueRec {
    std::string toDeviceValue;
    std::string fromDevceValue;  // spelled so throughout the component's interface
    TSnifferColor color = 0;
};

struct THexPacket {
    TPacketValueRec header;
    TPacketValueRec data;
    TPacketValueRec footer;
    TSnifferColor errorColor = 0;
    TSnifferColor reqwestColor = 0;
    TSnifferColor answerColor = 0;
};

struct TMyColors {
    TSnifferColor hexPacket_HeaderColor = 0;
    TSnifferColor hexPacket_DataColor = 0;
    TSnifferColor hexPacket_FooterColor = 0;
    TSnifferColor hexPacket_ErrorColor = 0;
    TSnifferColor hexPacket_ReqwestColor = 0;
    TSnifferColor hexPacket_AnswerColor = 0;
    TSnifferColor values_cTextColor = 0;
    TSnifferColor values_cHEXColor = 0;
    TSnifferColor values_cTypeColor = 0;
    TSnifferColor values_cDateTimeColor = 0;
    TSnifferColor values_cCommandColor = 0;
    TSnifferColor values_cRepeatIndexColor = 0;
    TSnifferColor unicID_Color = 0;
};

// Local date and time as "dd.mm.yyyy hh:mm:ss:zzz", the form of the sniffer's
// date-time values.
std::string sniffer_DateTimeText();

class TSniffer {
public:
    // Construction values: every flag off, texts empty, numbers and colours 0,
    // fileFormat snif_TXT. Only initSniffer sets the working defaults.
    TSniffer() = default;

    // Copies only Active.
    void Assign(const TSniffer& source) { fIsActive = source.fIsActive; }

    void initSniffer();
    void calculate_Headers(TDataDirection dataDirection);
    void calculate_FullRows(TDataDirection dataDirection);
    // Appends one line to the log file when file logging is on; never fails
    // loudly.
    void logThis(const std::string& targetText, bool withDateTime);
    // The settings file; only the snif_INI format has one.
    bool loadFromFile();
    bool saveToFile();
    void setColorsFromMyColors();

    bool Active() const { return fIsActive; }
    void setActive(bool v) { fIsActive = v; }
    bool saveToFile_isOn() const { return fSaveToFile_isOn; }
    void setSaveToFile_isOn(bool v);
    bool calc_Header_ToDevice() const { return fCalc_Header_ToDevice; }
    void setCalc_Header_ToDevice(bool v) { fCalc_Header_ToDevice = v; }
    bool calc_Header_FromDevice() const { return fCalc_Header_FromDevice; }
    void setCalc_Header_FromDevice(bool v) { fCalc_Header_FromDevice = v; }
    bool calc_FullRows() const { return fCalc_FullRows; }
    void setCalc_FullRows(bool v) { fCalc_FullRows = v; }
    const std::string& logFileName() const { return fLogFileName; }
    void setLogFileName(const std::string& v);
    // Folders end with the path separator.
    const std::string& logFolder() const { return fLogFolder; }
    void setLogFolder(const std::string& v);
    const std::string& settingsFolder() const { return fSettingsFolder; }
    void setSettingsFolder(const std::string& v);
    TSnifferFileFormats fileFormat() const { return fFileFormat; }
    void setFileFormat(TSnifferFileFormats v) { fFileFormat = v; }

    const std::string& toDevice_HumanHexHeader() const { return fToDevice_HumanHexHeader; }
    const std::string& toDevice_HumanTextHeader() const { return fToDevice_HumanTextHeader; }
    const std::string& fromDevice_HumanHexHeader() const { return fFromDevice_HumanHexHeader; }
    const std::string& fromDevice_HumanTextHeader() const { return fFromDevice_HumanTextHeader; }
    const std::string& settingsFileName() const { return fSettingsFileName; }

    TMyColors myColors;
    TSnifferUIDRec snifferUIDRec;
    TSnifferValues values;
    TSnifferFull full;
    THexPacket hexPacket;
    TSnifferByteCursor byteCursor = TSnifferByteCursor::sbcHeader;

private:
    bool headerSwitch(TDataDirection d) const;
    std::string headerPart(const TSnifferValueRec& item, TDataDirection d, bool withValue) const;
    std::string counterPart(TDataDirection d) const;
    void takeMyColorsFromCurrent();

    bool fCalc_Header_ToDevice = false;
    bool fCalc_Header_FromDevice = false;
    bool fCalc_FullRows = false;
    bool fSaveToFile_isOn = false;
    bool fIsActive = false;
    std::string fLogFileName;
    std::string fLogFolder;
    std::string fToDevice_HumanHexHeader;
    std::string fToDevice_HumanTextHeader;
    std::string fFromDevice_HumanHexHeader;
    std::string fFromDevice_HumanTextHeader;
    std::string fSettingsFolder;
    TSnifferFileFormats fFileFormat = TSnifferFileFormats::snif_TXT;
    std::string fSettingsFileName;
};

}  // namespace tessel
