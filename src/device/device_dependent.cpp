#include "device/device_dependent.h"

namespace tessel {

TDeviceDependent::TDeviceDependent(TFiscalDevice* owner)
    : fOwner(owner), fCustomCommands(owner), fPCRs(owner), fI90(owner) {
    fLowLevel.setProtocolType(TPacketFormat::protocol_Type1);
    fLowLevel.setErrorCheckType(TErrorChecking::ccEndUser);
}

void TDeviceDependent::SetCountry(TSCountries country) {
    fCountry = country;
    switch (country) {
        case TSCountries::Unknown:
            fCodePage = 1252;
            break;
        case TSCountries::Bulgaria:
            fCodePage = 1251;
            break;
        case TSCountries::Georgia:
            fCodePage = 1251;
            fCustomCodePage = true;
            fCCPCode = 16;
            break;
        default:
            break;
    }
}

void TDeviceDependent::Assign(const TDeviceDependent& source) {
    if (&source == this) return;
    fCustomCommands.Assign(source.fCustomCommands);
    fPCRs.Assign(source.fPCRs);
    fCodePage = source.fCodePage;
    fCustomCodePage = source.fCustomCodePage;
    fCCPCode = source.fCCPCode;
    fDeviceType = source.fDeviceType;
    fSalesLimitations.Assign(source.fSalesLimitations);
    fSalesLimitations.setNumberOfSignificantDigits(
        source.fSalesLimitations.numberOfSignificantDigits());
    fTransportSupport.Assign(source.fTransportSupport);
    assignLowLevel(source.fLowLevel);
    fI90.Assign(source.fI90);
    SetCountry(source.fCountry);
}

// The status table is copied by value so that each description keeps its
// own; sharing it would let one description's edits change the other's.
void TDeviceDependent::assignLowLevel(const TLowLevel& source) {
    fLowLevel.statusBytes().table() = source.statusBytes().table();
    fLowLevel.statusBytes().Assign(source.statusBytes());
    fLowLevel.setProtocolType(source.ProtocolType());
    fLowLevel.setErrorCheckType(source.errorCheckType());
}

}  // namespace tessel
