#pragma once

#include <cstdint>
#include <string>

#include "device/custom_commands.h"
#include "device/fd_common.h"
#include "device/i90.h"
#include "device/pcr.h"
#include "device/sales_limitations.h"
#include "link/low_level.h"

namespace tessel {

class TFiscalDevice;

// What kind of device is attached and how to talk to it. Owns every
// sub-object outright; Assign copies values into them, never references.
class TDeviceDependent {
public:
    explicit TDeviceDependent(TFiscalDevice* owner = nullptr);
    TDeviceDependent(const TDeviceDependent&) = delete;
    TDeviceDependent& operator=(const TDeviceDependent&) = delete;
    virtual ~TDeviceDependent() = default;

    // Copies the collections item by item, the code page switches, the device
    // type, the values of the owned settings objects, and last the country
    // through SetCountry, so a country with a code page rule overrides the
    // copied code page.
    virtual void Assign(const TDeviceDependent& source);
    // Stores the country and applies its code page rule: Unknown 1252,
    // Bulgaria 1251, Georgia 1251 with custom mapping 16; others change nothing.
    virtual void SetCountry(TSCountries country);

    TFiscalDevice* Owner() const { return fOwner; }
    const std::string& Version() const { return fVersion; }
    std::int32_t DVersion() const { return fDVersion; }

    TCustomCommands& cmds() { return fCustomCommands; }
    const TCustomCommands& cmds() const { return fCustomCommands; }
    void setCmds(const TCustomCommands& v) { fCustomCommands.Assign(v); }
    TPCR& pcrs() { return fPCRs; }
    const TPCR& pcrs() const { return fPCRs; }
    void setPcrs(const TPCR& v) { fPCRs.Assign(v); }
    TI90& i90() { return fI90; }
    const TI90& i90() const { return fI90; }
    TLowLevel& LowLevel() { return fLowLevel; }
    const TLowLevel& LowLevel() const { return fLowLevel; }
    TSalesLimitations& SalesLimitations() { return fSalesLimitations; }
    const TSalesLimitations& SalesLimitations() const { return fSalesLimitations; }
    TTransportSupport& TransportSupport() { return fTransportSupport; }
    const TTransportSupport& TransportSupport() const { return fTransportSupport; }

    std::uint32_t CodePage() const { return fCodePage; }
    void setCodePage(std::uint32_t v) { fCodePage = v; }
    bool CustomCodePage() const { return fCustomCodePage; }
    void setCustomCodePage(bool v) { fCustomCodePage = v; }
    std::int32_t CustomCodePageCode() const { return fCCPCode; }
    void setCustomCodePageCode(std::int32_t v) { fCCPCode = v; }
    TFiscalDeviceType DeviceType() const { return fDeviceType; }
    void setDeviceType(TFiscalDeviceType v) { fDeviceType = v; }
    TSCountries Country() const { return fCountry; }
    void setCountry(TSCountries v) { SetCountry(v); }

private:
    void assignLowLevel(const TLowLevel& source);

    TFiscalDevice* fOwner;
    TCustomCommands fCustomCommands;
    std::string fVersion = "1.0.0.0";
    std::int32_t fDVersion = 1;
    std::uint32_t fCodePage = 1252;
    bool fCustomCodePage = false;
    std::int32_t fCCPCode = 0;
    TFiscalDeviceType fDeviceType = TFiscalDeviceType::FiscalPrinter;
    TSalesLimitations fSalesLimitations;
    TTransportSupport fTransportSupport;
    TSCountries fCountry = TSCountries::Unknown;
    TLowLevel fLowLevel;
    TPCR fPCRs;
    TI90 fI90;
};

}  // namespace tessel
