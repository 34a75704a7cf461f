#include "device/i90.h"

#include "device/fiscal_device.h"

namespace tessel {
namespace {

// The bracketed name of a TAB, turned into the character by the special
// symbol preparation.
constexpr const char* kTabName = "[\\t]";

// Removes the text up to the delimiter, and the delimiter, from the front of
// rest; without the delimiter the whole rest is the piece.
std::string cutUpTo(std::string& rest, char delimiter) {
    const std::size_t at = rest.find(delimiter);
    std::string piece = rest.substr(0, at);
    rest = at == std::string::npos ? std::string() : rest.substr(at + 1);
    return piece;
}

void storeFields(const StringList& fields, std::size_t first,
                 std::initializer_list<std::string*> targets) {
    std::size_t index = first;
    for (std::string* target : targets) {
        if (index < fields.size()) *target = fields[index];
        ++index;
    }
}

}  // namespace

void TI90::Assign(const TI90& source) {
    if (&source == this) return;
    fSerialNumber = source.fSerialNumber;
    fDTP = source.fDTP;
    fIBV = source.fIBV;
    fOMV = source.fOMV;
    fOBV = source.fOBV;
    fBLV = source.fBLV;
    fFirmwareTime = source.fFirmwareTime;
    fDeviceName = source.fDeviceName;
    fSoftwareSwitches = source.fSoftwareSwitches;
    fNNNNNN = source.fNNNNNN;
    fFiscalMemoryNumber = source.fFiscalMemoryNumber;
    fFirmwareDate = source.fFirmwareDate;
    fFirmwareRevision = source.fFirmwareRevision;
    fCCC = source.fCCC;
    fDD = source.fDD;
    fCheckSum = source.fCheckSum;
    fSN = source.fSN;
    fHV = source.fHV;
    fSpecialParam = source.fSpecialParam;
    setGetAfterConnect(source.fgetAfterConnect);
}

void TI90::setGetAfterConnect(bool v) {
    fgetAfterConnect = v;
    if (fOwner) fOwner->wire_Identification();
}

bool TI90::set_FiscalMemoryNumber(const std::string& FM_Number) {
    fFiscalMemoryNumber = FM_Number;
    return true;
}

void TI90::clearReadFields() {
    for (std::string* field :
         {&fSerialNumber, &fDTP, &fIBV, &fOMV, &fOBV, &fBLV, &fFirmwareTime, &fDeviceName,
          &fSoftwareSwitches, &fNNNNNN, &fFiscalMemoryNumber, &fFirmwareDate, &fFirmwareRevision,
          &fCCC, &fDD, &fCheckSum, &fSN, &fHV}) {
        field->clear();
    }
}

bool TI90::getFromDevice() {
    if (!fOwner) return false;
    TFiscalDevice& device = *fOwner;
    bool result = false;
    // The read runs over the connection just opened; it must not open or
    // close one of its own.
    const bool ocoecMode = device.ocoecModeOn();
    try {
        clearReadFields();
        device.setOcoecModeOn(false);
        if (device.protocol() == TPacketFormat::protocol_Type1) {
            firstRead(device);
            result = secondRead(device);
        } else {
            result = firstRead(device) && secondRead(device);
        }
    } catch (...) {
        result = false;
    }
    device.setOcoecModeOn(ocoecMode);
    device.delimitersList.clear();
    device.delimitersList.push_back(device.defaultDelimiter());
    return result;
}

bool TI90::sendRead(TFiscalDevice& device, const std::string& parameter, std::string& answer) {
    device.answerFieldsList.clear();
    device.delimitersList.clear();
    device.delimitersList.push_back(device.defaultDelimiter());
    return device.customCommand(kIdentificationCommand,
                                TFDMisc::prepare_InputForSpecialSymbols(parameter), answer);
}

bool TI90::firstRead(TFiscalDevice& device) {
    const bool type2 = device.protocol() == TPacketFormat::protocol_Type2;
    std::string answer;
    if (!sendRead(device, type2 ? fSpecialParam + kTabName : fSpecialParam, answer)) return false;
    const StringList& fields = device.answerFieldsList;
    storeFields(fields, type2 ? 1 : 0,
                {&fDTP, &fCCC, &fNNNNNN, &fDD, &fOMV, &fOBV, &fIBV, &fSN, &fHV, &fBLV});
    return fields.size() >= (type2 ? 11u : 10u);
}

bool TI90::secondRead(TFiscalDevice& device) {
    const bool type2 = device.protocol() == TPacketFormat::protocol_Type2;
    std::string answer;
    if (!sendRead(device, type2 ? kTabName : "", answer)) return false;
    const StringList& fields = device.answerFieldsList;
    if (type2) {
        storeFields(fields, 1,
                    {&fDeviceName, &fFirmwareRevision, &fFirmwareDate, &fFirmwareTime, &fCheckSum,
                     &fSoftwareSwitches, &fSerialNumber, &fFiscalMemoryNumber});
    } else {
        std::string rest = answer;
        fDeviceName = cutUpTo(rest, ',');
        fFirmwareRevision = cutUpTo(rest, ' ');
        fFirmwareDate = cutUpTo(rest, ' ');
        fFirmwareTime = cutUpTo(rest, ',');
        fCheckSum = cutUpTo(rest, ',');
        fSoftwareSwitches = cutUpTo(rest, ',');
        fSerialNumber = cutUpTo(rest, ',');
        fFiscalMemoryNumber = rest;
    }
    return !fields.empty();
}

}  // namespace tessel
