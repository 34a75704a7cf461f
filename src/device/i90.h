#pragma once

#include <cstdint>
#include <string>

namespace tessel {

// The command that reads the register's identification.
inline constexpr std::uint16_t kIdentificationCommand = 90;

class TFiscalDevice;

// The register's identification, read with command 90 right after a
// transport has opened its port.
class TI90 {
public:
    explicit TI90(TFiscalDevice* owner = nullptr) : fOwner(owner) {}
    TI90(const TI90&) = delete;
    TI90& operator=(const TI90&) = delete;

    // Copies the read values and both settings.
    void Assign(const TI90& source);

    // Reads the identification through the owner with command 90; False
    // without an owner or when a read fails, and never raises. Afterwards the
    // owner's delimiter list holds exactly the protocol's delimiter.
    bool getFromDevice();
    bool set_FiscalMemoryNumber(const std::string& FM_Number);

    const std::string& SerialNumber() const { return fSerialNumber; }
    const std::string& shDTP() const { return fDTP; }
    const std::string& shIBV() const { return fIBV; }
    const std::string& shOMV() const { return fOMV; }
    const std::string& shOBV() const { return fOBV; }
    const std::string& shBLV() const { return fBLV; }
    const std::string& FirmwareTime() const { return fFirmwareTime; }
    const std::string& DeviceName() const { return fDeviceName; }
    const std::string& SoftwareSwitches() const { return fSoftwareSwitches; }
    const std::string& shNNNNNN() const { return fNNNNNN; }
    const std::string& FiscalMemoryNumber() const { return fFiscalMemoryNumber; }
    const std::string& FirmwareDate() const { return fFirmwareDate; }
    const std::string& FirmwareRevision() const { return fFirmwareRevision; }
    const std::string& shCCC() const { return fCCC; }
    const std::string& shDD() const { return fDD; }
    const std::string& CheckSum() const { return fCheckSum; }
    const std::string& shSN() const { return fSN; }
    const std::string& shHV() const { return fHV; }

    // When on, opening either transport of the owner reads the identification.
    bool getAfterConnect() const { return fgetAfterConnect; }
    void setGetAfterConnect(bool v);
    const std::string& specialParam() const { return fSpecialParam; }
    void setSpecialParam(std::string v) { fSpecialParam = std::move(v); }

    TFiscalDevice* Owner() const { return fOwner; }

private:
    void clearReadFields();
    bool firstRead(TFiscalDevice& device);
    bool secondRead(TFiscalDevice& device);
    // Sends command 90 with the prepared parameter; the answer fields are
    // left in the owner's answerFieldsList.
    bool sendRead(TFiscalDevice& device, const std::string& parameter, std::string& answer);

    TFiscalDevice* fOwner;
    std::string fSerialNumber;
    std::string fDTP;
    std::string fIBV;
    std::string fOMV;
    std::string fOBV;
    std::string fBLV;
    std::string fFirmwareTime;
    std::string fDeviceName;
    std::string fSoftwareSwitches;
    std::string fNNNNNN;
    std::string fFiscalMemoryNumber;
    std::string fFirmwareDate;
    std::string fFirmwareRevision;
    std::string fCCC;
    std::string fDD;
    std::string fCheckSum;
    std::string fSN;
    std::string fHV;
    bool fgetAfterConnect = false;
    std::string fSpecialParam = "#";
};

}  // namespace tessel
