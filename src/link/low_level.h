#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "link/protocol_types.h"
#include "link/status_bytes.h"

namespace tessel {

// The low-level protocol settings of a device description: the frame variant,
// the checking case, and the status bytes with their table. Everything but the
// status bytes reference lives in the status table; this class forwards to it
// and keeps the eight status byte objects in step.
class TLowLevel {
public:
    TLowLevel();

    // Shared so that Assign can hand the same status bytes to another
    // description without either outliving them.
    TStatusBytes& statusBytes() { return *fStatusBytes; }
    const TStatusBytes& statusBytes() const { return *fStatusBytes; }
    const std::shared_ptr<TStatusBytes>& statusBytesRef() const { return fStatusBytes; }
    // A null reference is ignored.
    void setStatusBytes(std::shared_ptr<TStatusBytes> statusBytes);

    TTargetSize commandSize() const { return table().commandSize(); }
    TTargetSize dataLengthSize() const { return table().dataLengthSize(); }
    TPacketFormat ProtocolType() const { return table().packetFormat(); }
    void setProtocolType(TPacketFormat format);
    TErrorChecking errorCheckType() const { return table().currentSBytesCase(); }
    void setErrorCheckType(TErrorChecking c) { table().setCurrentSBytesCase(c); }
    const std::string& descriptionsFolder() const { return table().descriptionsFolder(); }
    void setDescriptionsFolder(const std::string& folder) { table().setDescriptionsFolder(folder); }
    TStatusFileFormats fileFormat() const { return table().fileFormat(); }
    void setFileFormat(TStatusFileFormats format) { table().setFileFormat(format); }

    // Copies the status bytes reference, ProtocolType and errorCheckType.
    void Assign(const TLowLevel& source);

    void init_Statuses();

    bool get_sBytesState(int byteIndex, int bitIndex) const;
    bool get_sBytesBitInUse(int byteIndex, int bitIndex) const;
    bool get_sBytesCheckingFor(int byteIndex, int bitIndex,
                               TErrorChecking targetErrorCheckType) const;
    std::string get_sBytesDescription(int byteIndex, int bitIndex) const;
    std::string get_sBytesDescription(int byteIndex, int bitIndex, int languageIndex) const;

    // Also sets CurrentState of the mirror bit.
    bool set_sBytesState(int byteIndex, int bitIndex, bool toValue);
    bool set_sBytesBitInUse(int byteIndex, int bitIndex, bool toValue);
    bool set_sBytesChecking(int byteIndex, int bitIndex, TErrorChecking errorCheckType,
                            bool toValue);
    // Production, development and test, service, end user, in that order;
    // False at the first refusal.
    bool set_sBytesCheckingForAll(int byteIndex, int bitIndex, bool toValue);
    bool set_sBytesDescription(int byteIndex, int bitIndex, const std::string& toValue);
    bool set_sBytesDescription(int byteIndex, int bitIndex, int languageIndex,
                               const std::string& toValue);
    // Variant, byte count and field sizes, without refreshing the mirror.
    bool set_sBytesStatusPacketFormat(TPacketFormat targetPacketFormat);

private:
    TFPStatuses& table() { return fStatusBytes->sBytes; }
    const TFPStatuses& table() const { return fStatusBytes->sBytes; }
    void refresh_StatusBytes();

    std::shared_ptr<TStatusBytes> fStatusBytes;
};

}  // namespace tessel
