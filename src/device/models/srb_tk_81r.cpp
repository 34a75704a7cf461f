#include "device/models/srb_tk_81r.h"

#include <string>

#include "device/fiscal_device.h"
#include "device/models/srb_tk_81r_pcrs.h"
#include "link/status_model_table.h"

namespace tessel {
namespace {

constexpr std::int32_t kNoCustomMapping = 26;
// The Romanian column of the model's status texts goes into description slot 1.
constexpr int kStatusTextColumn = 1;

}  // namespace

TSRB_TK_81R::~TSRB_TK_81R() {
    if (fiscalDevice) fiscalDevice->RemoveFreeNotification(this);
}

void TSRB_TK_81R::setFCore(TFiscalDevice* device) {
    if (fiscalDevice && fiscalDevice != device) fiscalDevice->RemoveFreeNotification(this);
    fiscalDevice = device;
    if (!fiscalDevice) return;
    fiscalDevice->FreeNotification(this);
    init_fCore();
}

void TSRB_TK_81R::Notification(TFiscalDevice& component) {
    if (&component != fiscalDevice) return;
    fiscalDevice->clear_DDCommands();
    fiscalDevice->RemoveFreeNotification(this);
    fiscalDevice = nullptr;
}

// A failing step stops the sequence; the steps already done stay done.
bool TSRB_TK_81R::init_fCore() {
    if (!fiscalDevice) return false;
    try {
        TFiscalDevice& device = *fiscalDevice;
        device.setCommunicationType(TCommunicationType::ct_RS232);
        device.setModelName("TK-81R");
        device.setErrorStyle(TErrorStyle::errorCode);

        TDeviceDependent& dd = device.dd();
        dd.setCountry(TSCountries::Serbia);
        dd.setCodePage(1251);
        dd.setCustomCodePage(false);
        dd.setCustomCodePageCode(kNoCustomMapping);
        dd.setDeviceType(TFiscalDeviceType::ElectronicCashRegister);
        dd.LowLevel().setProtocolType(TPacketFormat::protocol_Type2);
        dd.LowLevel().setErrorCheckType(TErrorChecking::ccEndUser);

        init_StatusBits();
        add_DDCommands();
        clear_PCRs();
        add_PCRs();
        return true;
    } catch (...) {
        return false;
    }
}

// Every bit gets the model's text and starts unused, clear and counting as
// an error in no case.
void TSRB_TK_81R::init_StatusBits() {
    TLowLevel& lowLevel = fiscalDevice->dd().LowLevel();
    const int byteCount = lowLevel.statusBytes().ByteCountInUse();
    for (int byteIndex = 0; byteIndex < byteCount; ++byteIndex) {
        for (int bitIndex = kStatusBitsPerByte - 1; bitIndex >= 0; --bitIndex) {
            lowLevel.set_sBytesDescription(
                byteIndex, bitIndex, kStatusTextColumn,
                get_StatusBitText(byteIndex, bitIndex, kStatusTextColumn));
        }
        for (int bitIndex = 0; bitIndex < kStatusBitsPerByte; ++bitIndex) {
            lowLevel.set_sBytesState(byteIndex, bitIndex, false);
            lowLevel.set_sBytesCheckingForAll(byteIndex, bitIndex, false);
            lowLevel.set_sBytesBitInUse(byteIndex, bitIndex, false);
        }
    }
}

void TSRB_TK_81R::clear_DDCommands() {
    if (fiscalDevice) fiscalDevice->clear_DDCommands();
}

// The TK-81R is driven by raw commands only; it has no command descriptions.
void TSRB_TK_81R::add_DDCommands() {}

void TSRB_TK_81R::clear_PCRs() {
    if (fiscalDevice) fiscalDevice->clear_PCRs();
}

void TSRB_TK_81R::add_PCRs() {
    if (!fiscalDevice) return;
    for (const TPCRCatalogueEntry& entry : srb_TK_81R_PCRCatalogue()) {
        const bool added = fiscalDevice->add_PCR(
            std::string(entry.code), std::string(entry.name), TMorvik_ItIsType::st_Constant,
            TMayUseAfter::mua_OpenClaimEnable, TRWType::rwt_ReadOnly, TPacValueType::pvt_String, {},
            -1, -1, "1.0.0");
        if (!added) return;
    }
}

void TSRB_TK_81R::set_sByteErrors(int byteIndex) {
    if (fiscalDevice) tessel::set_sByteErrors(fiscalDevice->dd().LowLevel(), byteIndex);
}

}  // namespace tessel
