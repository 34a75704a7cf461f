#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "link/frame.h"
#include "link/low_level.h"
#include "link/protocol_types.h"
#include "link/sniffer.h"
#include "util/bytes.h"

namespace tessel {

class TConnector;
class TErrContainer;
class TFDMisc;

// How the answer's data bytes are kept: as received (decoded later with the
// device code page) or as Windows-1251 text for the cp1251 command variant.
enum class TTextVariant : std::uint8_t { tv_AsReceived = 0, tv_cp1251 = 1 };

// A register that stays silent is given up after this long even when the
// transport's own per-byte deadline (exitByTime) is switched off, so a dead
// line can never hang a command for good.
constexpr std::chrono::milliseconds kSilentRegisterLimit{60000};

// Command 74 reads the status; its answer's status bits never fail it.
constexpr std::uint16_t kStatusCommand = 74;

// One request/answer exchange with the register: builds the framed request,
// writes it in one piece, reads the answer byte by byte with per-byte
// deadlines, checks it and turns its status bytes into bit states. The
// fiscal device component owns one and publishes its settings and events.
class TPacketExchange {
public:
    using TWaitEvent = std::function<void(TPacketExchange& Sender, std::uint8_t waitMessage)>;
    using TStatusChangeEvent = std::function<void(TPacketExchange& Sender)>;
    using TCommunicationEvent = std::function<void(
        TPacketExchange& Sender, bool success, std::int64_t ID, const std::string& repeatIndex,
        const std::string& hexPacketHeader, const std::string& hexPacketData,
        const std::string& hexPacketFooter, const std::string& textValue,
        const std::string& dateTimeValue, const std::string& command)>;
    // Milliseconds of a monotonic clock; the per-byte deadlines are measured on it.
    using TTickSource = std::function<std::uint64_t()>;

    explicit TPacketExchange(TLowLevel& lowLevel);
    TPacketExchange(const TPacketExchange&) = delete;
    TPacketExchange& operator=(const TPacketExchange&) = delete;

    // Runs one command: True when an attempt got a well-formed answer whose
    // status bits report no error. The outcome code is left in the error
    // container.
    bool execute_Exchange(std::uint16_t command, ByteView data,
                          TTextVariant variant = TTextVariant::tv_AsReceived);

    // 0, -33017 (no error container) or -33016 (no utility component).
    std::int32_t check_Components();
    // Copies one received status byte into its status byte object and sets the
    // state of every bit that is 1 in it.
    void calculate_StatusBits(int byteIndex);
    // True when a status bit that counts as an error in the current checking
    // case is set (-23), or the check failed (-1); also sets errorInStatuses.
    bool check_DeviceForStatusErrors();

    std::int32_t repeatCount() const { return fRepeatCount; }
    void setRepeatCount(std::int32_t count) { fRepeatCount = count; }
    bool ocoecModeOn() const { return fOCOEC_Mode; }
    void setOcoecModeOn(bool on) { fOCOEC_Mode = on; }
    bool errorInStatuses() const { return fErrorInStatuses; }
    void setErrorInStatuses(bool value) { fErrorInStatuses = value; }

    TCommunicationType CommunicationType() const { return fCommunicationType; }
    // Serial and TCP/IP are kept; anything else becomes ct_Unknown.
    void setCommunicationType(TCommunicationType type);
    // The transports are owned by the component; these are references to them.
    TConnector* RS232() const { return fRS232; }
    void setRS232(TConnector* connector) { fRS232 = connector; }
    TConnector* TCPIP() const { return fTCPIP; }
    void setTCPIP(TConnector* connector) { fTCPIP = connector; }
    // The transport of the current communication type, or null.
    TConnector* currentConnector() const;

    TErrContainer* errContainer() const { return fErrContainer; }
    void setErrContainer(TErrContainer* container) { fErrContainer = container; }
    TFDMisc* Misc() const { return fMisc; }
    void setMisc(TFDMisc* misc) { fMisc = misc; }
    TLowLevel& lowLevel() const { return *fLowLevel; }
    void setLowLevel(TLowLevel& lowLevel) { fLowLevel = &lowLevel; }
    // Code page of the device's text, used for the sniffer's text views.
    int codePage() const { return fCodePage; }
    void setCodePage(int codePage) { fCodePage = codePage; }
    void setTickSource(TTickSource source) { fTickSource = std::move(source); }

    TWaitEvent OnWait;
    TStatusChangeEvent OnStatusChange;
    TCommunicationEvent OnSendCommand;
    TCommunicationEvent OnReceiveAnswer;

    // State left by the last exchange.
    std::uint8_t seqNumber() const { return fSeqNumber; }
    ByteView message() const { return ByteView(fMessage.data(), fMessage_Position); }
    ByteView requestData() const;
    ByteView answer() const { return ByteView(fAnswer.data(), fAnswer_Position); }
    std::uint8_t f_S(int index) const { return fStatus.at(static_cast<std::size_t>(index)); }
    bool hardExitByTime() const { return fHardExitByTime; }
    // The answer's data bytes for the as-received variant; empty after a failure.
    const Bytes& AnsiTextOutput() const { return fAnsiTextOutput; }
    // The answer's data bytes, code page 1251, for the cp1251 variant.
    const Bytes& AnsiTextOutput_cp1251() const { return fAnsiTextOutput_cp1251; }
    // The answer texts decoded: with the device code page, and as Windows-1251.
    // Empty while the error container or the utility component is missing.
    std::string text_Output() const;
    std::string text_Output_1251() const;

private:
    struct RequestState {
        frame::RequestLayout layout{0, 0, 0};
        std::uint16_t command = 0;
        std::uint8_t expectedSeq = 0;
        TTextVariant variant = TTextVariant::tv_AsReceived;
    };
    class NestingGuard;

    std::int32_t code() const;
    void setCode(std::int32_t code);
    std::uint64_t tickCount() const;
    TPacketFormat format() const { return fLowLevel->ProtocolType(); }
    TSniffer* activeSniffer() const;

    void build_Request(std::uint16_t command, ByteView data);
    bool run_Attempt(std::int32_t attempt);
    bool prepare_Connection();
    void clear_StatusBits();
    bool send_Request(std::int32_t attempt);
    bool read_Answer();
    bool wait_ForSOH();
    bool read_ByteInTime(std::uint8_t& b);
    // A checked read inside the answer: a missed deadline becomes -6.
    bool read_AnswerByte(std::uint8_t& b, bool addToBcc);
    bool read_Word(std::uint16_t& value, bool addToBcc);
    bool read_Expected(std::uint8_t expected, bool addToBcc);
    void evaluate_Status();
    // A read that ran past its deadline: -6 after the buffers are cleared.
    void note_Timeout();
    void release_Connection();

    // Sniffer steps; each does nothing while the sniffer is absent or inactive.
    void sniffer_StartExchange();
    void sniffer_RecordRequest();
    void sniffer_SetCursor(TSnifferByteCursor part);
    void sniffer_BeforeSend(std::int32_t attempt);
    void sniffer_AfterSend(bool sent);
    void sniffer_BeforeRead(std::int32_t attempt);
    void sniffer_RecordAnswerByte(std::uint8_t b);
    void sniffer_AfterRead(bool readOk);
    void sniffer_Log(const std::string& text);
    void fire_Communication(const TCommunicationEvent& event, bool success, bool toDevice);

    TLowLevel* fLowLevel;
    TErrContainer* fErrContainer = nullptr;
    TFDMisc* fMisc = nullptr;
    TConnector* fRS232 = nullptr;
    TConnector* fTCPIP = nullptr;
    TCommunicationType fCommunicationType = TCommunicationType::ct_RS232;
    std::int32_t fRepeatCount = 2;
    bool fOCOEC_Mode = false;
    bool fErrorInStatuses = false;
    int fCodePage = 1251;
    TTickSource fTickSource;
    int fNesting = 0;

    std::uint8_t fSeqNumber = frame::kFirstSeq;
    std::vector<std::uint8_t> fMessage;
    std::uint32_t fMessage_Position = 0;
    std::vector<std::uint8_t> fAnswer;
    std::uint32_t fAnswer_Position = 0;
    RequestState fRequest;
    std::uint16_t fCalculated_BCC = 0;
    std::uint8_t fByte_LEN = 0;
    std::uint16_t fWord_LEN = 0;
    bool fHardExitByTime = false;
    std::array<std::uint8_t, kStatusByteSlots> fStatus{};
    Bytes fAnsiTextOutput;
    Bytes fAnsiTextOutput_cp1251;
};

}  // namespace tessel
