#include "device/i90.h"

namespace tessel {

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
    fgetAfterConnect = source.fgetAfterConnect;
    fSpecialParam = source.fSpecialParam;
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

}  // namespace tessel
