#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <mutex>
#include <string>
#include <vector>

#include "device/device_dependent.h"
#include "device/device_observer.h"
#include "device/fd_common.h"
#include "device/opos_store.h"
#include "link/packet_exchange.h"
#include "link/serial_connector.h"
#include "link/tcp_connector.h"
#include "util/fd_misc.h"

namespace tessel {

class TErrContainer;

// The component every command to the register runs through. It owns the
// packet exchange, both transports, the device description and the OPOS
// store; it refers to the error container and the utility component, which
// the caller owns. Each command holds the component's re-entrant lock for its
// whole length, so commands from several threads never interleave on the wire.
class TFiscalDevice {
public:
    using TCommunicationEvent = std::function<void(
        TFiscalDevice& Sender, bool success, std::int64_t ID, const std::string& repeatIndex,
        const std::string& hexPacketHeader, const std::string& hexPacketData,
        const std::string& hexPacketFooter, const std::string& textValue,
        const std::string& dateTimeValue, const std::string& command)>;
    using TWaitEvent = std::function<void(TFiscalDevice& Sender, std::uint8_t waitMessage)>;
    using TStatusChangeEvent = std::function<void(TFiscalDevice& Sender)>;

    TFiscalDevice();
    // Observers hear of it first; the transports then close their connections.
    ~TFiscalDevice();
    TFiscalDevice(const TFiscalDevice&) = delete;
    TFiscalDevice& operator=(const TFiscalDevice&) = delete;

    // Siblings, not owned. Clearing one makes every later operation fail its
    // component check.
    TFDMisc* Misc() const { return fExchange.Misc(); }
    void setMisc(TFDMisc* misc);
    TErrContainer* errContainer() const { return fExchange.errContainer(); }
    void setErrContainer(TErrContainer* container);

    TRS232Connector& RS232() { return fRS232; }
    TTCPIPConnector& TCPIP() { return fTCPIP; }
    TDeviceDependent& dd() { return fDD; }
    const TDeviceDependent& dd() const { return fDD; }
    // Copies the values of the given description into the component's own.
    void setDd(const TDeviceDependent& source) { fDD.Assign(source); }
    TROPOS& OPOS() { return fOPOS; }

    const std::string& VersionS() const { return fVersionS; }
    std::int32_t VersionI() const { return fVersionI; }
    TCommunicationType CommunicationType() const { return fExchange.CommunicationType(); }
    // Serial and TCP/IP are kept; any other value becomes ct_Unknown.
    void setCommunicationType(TCommunicationType type) { fExchange.setCommunicationType(type); }
    TErrorStyle ErrorStyle() const { return fErrorStyle; }
    // A value outside the enumeration is ignored.
    void setErrorStyle(TErrorStyle style);
    const std::string& ModelName() const { return fModelName; }
    void setModelName(std::string name) { fModelName = std::move(name); }

    bool errorInStatuses() const { return fExchange.errorInStatuses(); }
    void setErrorInStatuses(bool v) { fExchange.setErrorInStatuses(v); }
    bool ocoecModeOn() const { return fExchange.ocoecModeOn(); }
    void setOcoecModeOn(bool v) { fExchange.setOcoecModeOn(v); }
    std::int32_t repeatCount() const { return fExchange.repeatCount(); }
    void setRepeatCount(std::int32_t v) { fExchange.setRepeatCount(v); }
    bool firstCommand() const { return fFirstCommand; }
    void setFirstCommand(bool v) { fFirstCommand = v; }

    // The last answer as text: decoded with dd.CodePage, or as Windows-1251
    // for the last customCommand_cp1251. Empty when the component check fails.
    std::string text_Output();
    std::string text_Output_1251();

    // Runs one command. True when the exchange completed; LastErrorCode then
    // holds the register's own code from answer field 0 (protocol_Type2).
    bool customCommand(std::uint16_t CommandValue, const std::string& inputText,
                       std::string& outputText);
    // The same with the text carried as Windows-1251 both ways.
    bool customCommand_cp1251(std::uint16_t CommandValue, const std::string& inputText,
                              std::string& outputText);

    // 0, -33017 (no error container) or -33016 (no utility component).
    std::int32_t check_Components();
    // Adds "," (protocol_Type1) or TAB (protocol_Type2) unless present.
    bool add_DefaultDelimiters();
    bool set_PacketFormat(TPacketFormat packetFormat);

    // Command descriptions by name (-10526 when absent) or by number, variant
    // and version (-10527 when absent).
    const TCommandsItem* find(const std::string& command_Name);
    const TCommandsItem* findBy_HumanName_1(const std::string& command_Name);
    const TCommandsItem* findBy_HumanName_2(const std::string& command_Name);
    const TCommandsItem* findBy_HumanName_3(const std::string& command_Name);
    const TCommandsItem* find(std::int32_t command_Value, std::uint16_t command_Variant,
                              std::uint16_t command_Version);
    bool findAndExecute(const std::string& command_Name);
    bool findAndExecute(std::int32_t command_Value, std::uint16_t command_Variant,
                        std::uint16_t command_Version);
    // Empties the command descriptions and resets the parameter-command indices.
    void clear_DDCommands();

    bool add_PCR(const std::string& t_UnicCode, const std::string& t_Name, TMorvik_ItIsType t_ItIs,
                 TMayUseAfter t_MayUseAfter, TRWType t_ReadWriteType, TPacValueType t_ValueType,
                 const std::string& t_Value, std::int32_t t_SourceIndex_1,
                 std::int32_t t_SourceIndex_2, const std::string& t_Version);
    void clear_PCRs();

    // Observers are told when this component is destroyed.
    void FreeNotification(TDeviceObserver* observer);
    void RemoveFreeNotification(TDeviceObserver* observer);

    TCommunicationEvent OnSendCommand;
    TCommunicationEvent OnReceiveAnswer;
    TWaitEvent OnWait;
    TStatusChangeEvent OnStatusChange;

    // The fields of the last answer, and the one-character delimiters they
    // were split at.
    StringList answerFieldsList;
    StringList delimitersList;

private:
    friend class TI90;

    enum class TTextForm : std::uint8_t { DeviceCodePage, Windows1251 };

    bool runCommand(std::uint16_t command, const std::string& inputText, std::string& outputText,
                    TTextForm form);
    // Text conversion, the exchange and the answer text; False on any failure.
    bool exchangeText(std::uint16_t command, const std::string& inputText, std::string& outputText,
                      TTextForm form);
    Bytes inputBytes(const std::string& inputText, TTextForm form) const;
    std::string answerText(TTextForm form) const;
    void takeErrorCodeFromField0();
    void setCode(std::int32_t code);
    std::int32_t code() const;
    TPacketFormat protocol() const { return fDD.LowLevel().ProtocolType(); }
    std::string defaultDelimiter() const;
    using TNameOf = const std::string& (TCommandsItem::*)() const;
    // The first description one of whose given names equals name exactly.
    const TCommandsItem* findByName(const std::string& name, std::initializer_list<TNameOf> names);
    bool executeFound(const TCommandsItem* item);
    // Installs or removes the identification read after a transport opens,
    // following i90.getAfterConnect.
    void wire_Identification();
    void forwardEvents();

    std::recursive_mutex fCommandLock;
    std::string fVersionS = "1.0.0.0";
    std::int32_t fVersionI = 1;
    TErrorStyle fErrorStyle = TErrorStyle::errorCode;
    bool fFirstCommand = true;
    std::string fModelName;
    TDeviceDependent fDD;
    TPacketExchange fExchange;
    TROPOS fOPOS;
    TRS232Connector fRS232;
    TTCPIPConnector fTCPIP;
    std::vector<TDeviceObserver*> fObservers;
};

}  // namespace tessel
