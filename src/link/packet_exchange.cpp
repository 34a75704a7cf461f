#include "link/packet_exchange.h"

#include <algorithm>

#include "errors/err_container.h"
#include "link/connector.h"
#include "util/fd_misc.h"

namespace tessel {

namespace {

constexpr std::int32_t kGeneralError = -1;
constexpr std::int32_t kOpenError = -3;
constexpr std::int32_t kTimeoutExpired = -6;
constexpr std::int32_t kInvalidParameter = -9;
constexpr std::int32_t kStatusBitsRaised = -23;
constexpr std::int32_t kMissingSoh = -33002;
constexpr std::int32_t kAnswerNotByProtocol = -33028;
constexpr std::int32_t kMiscNotAssigned = -33016;
constexpr std::int32_t kErrContainerNotAssigned = -33017;
constexpr std::int32_t kConnectorNotAssigned = -33019;

// On the 28,000th byte that is neither an answer start nor SYN/NAK the other
// end is taken not to speak this protocol.
constexpr std::uint16_t kForeignByteLimit = 28000;

std::uint64_t steadyMilliseconds() {
    return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                          std::chrono::steady_clock::now().time_since_epoch())
                                          .count());
}

}  // namespace

// Opening a transport per command may run a command of its own (the
// identification read after connecting) in the middle of an outer one. The
// guard keeps the outer request intact across it, and only the outermost
// command closes the transport it opened.
class TPacketExchange::NestingGuard {
public:
    explicit NestingGuard(TPacketExchange& exchange) : fExchange(exchange) {
        if (fExchange.fNesting++ == 0) return;
        fNested = true;
        fRequest = fExchange.fRequest;
        fMessage.assign(fExchange.fMessage.begin(),
                        fExchange.fMessage.begin() + fExchange.fMessage_Position);
    }
    ~NestingGuard() {
        --fExchange.fNesting;
        if (!fNested) return;
        fExchange.fRequest = fRequest;
        std::copy(fMessage.begin(), fMessage.end(), fExchange.fMessage.begin());
        fExchange.fMessage_Position = static_cast<std::uint32_t>(fMessage.size());
    }
    NestingGuard(const NestingGuard&) = delete;
    NestingGuard& operator=(const NestingGuard&) = delete;

private:
    TPacketExchange& fExchange;
    bool fNested = false;
    RequestState fRequest;
    Bytes fMessage;
};

TPacketExchange::TPacketExchange(TLowLevel& lowLevel)
    : fLowLevel(&lowLevel), fMessage(frame::kBufferSize), fAnswer(frame::kBufferSize) {
    // The answer text never outgrows the answer buffer, so keeping it never allocates.
    fAnsiTextOutput.reserve(frame::kBufferSize);
    fAnsiTextOutput_cp1251.reserve(frame::kBufferSize);
}

void TPacketExchange::setCommunicationType(TCommunicationType type) {
    const bool known = type == TCommunicationType::ct_RS232 || type == TCommunicationType::ct_TCPIP;
    fCommunicationType = known ? type : TCommunicationType::ct_Unknown;
}

TConnector* TPacketExchange::currentConnector() const {
    switch (fCommunicationType) {
        case TCommunicationType::ct_RS232:
            return fRS232;
        case TCommunicationType::ct_TCPIP:
            return fTCPIP;
        default:
            return nullptr;
    }
}

ByteView TPacketExchange::requestData() const {
    return ByteView(fMessage.data() + fRequest.layout.header, fRequest.layout.data);
}

std::string TPacketExchange::text_Output() const {
    if (!fErrContainer || !fMisc) return {};
    return TFDMisc::convert_AnsiString_ToWideString(fAnsiTextOutput, fCodePage);
}

std::string TPacketExchange::text_Output_1251() const {
    if (!fErrContainer || !fMisc) return {};
    return TFDMisc::convert_Ansi1251_ToWideString(fAnsiTextOutput_cp1251);
}

std::int32_t TPacketExchange::code() const {
    return fErrContainer ? fErrContainer->LastErrorCode() : 0;
}

void TPacketExchange::setCode(std::int32_t code) {
    if (fErrContainer) fErrContainer->setLastErrorCode(code);
}

std::uint64_t TPacketExchange::tickCount() const {
    return fTickSource ? fTickSource() : steadyMilliseconds();
}

std::int32_t TPacketExchange::check_Components() {
    if (!fErrContainer) {
        // Without the container the utility component is the only way to say so.
        if (fMisc) {
            fMisc->show_MyAlert(
                "Error container component not assigned. Please assign this component!");
        }
        return kErrContainerNotAssigned;
    }
    if (!fMisc) {
        setCode(kMiscNotAssigned);
        return kMiscNotAssigned;
    }
    return 0;
}

bool TPacketExchange::execute_Exchange(std::uint16_t command, ByteView data, TTextVariant variant) {
    if (check_Components() != 0) return false;
    NestingGuard nesting(*this);
    setCode(kGeneralError);
    sniffer_StartExchange();
    fAnsiTextOutput.clear();
    fAnsiTextOutput_cp1251.clear();
    if (data.size() > frame::maxRequestData(format())) {
        setCode(kInvalidParameter);
        return false;
    }
    fRequest.variant = variant;
    build_Request(command, data);

    bool ok = false;
    try {
        for (std::int32_t attempt = 1; attempt <= fRepeatCount && !ok; ++attempt) {
            ok = run_Attempt(attempt);
        }
    } catch (...) {
        // A throwing event handler ends the command like a failing transport.
        setCode(kGeneralError);
        ok = false;
    }
    release_Connection();
    return ok;
}

void TPacketExchange::build_Request(std::uint16_t command, ByteView data) {
    std::fill(fMessage.begin(), fMessage.begin() + fMessage_Position, 0);
    fRequest.layout = frame::requestLayout(format(), data.size());
    fRequest.command = command;
    fMessage_Position = static_cast<std::uint32_t>(
        frame::buildRequest(format(), fSeqNumber, command, data, fMessage));
    fSeqNumber = frame::nextSeq(format(), fSeqNumber);
    fRequest.expectedSeq = frame::expectedAnswerSeq(format(), fSeqNumber);
    sniffer_RecordRequest();
}

bool TPacketExchange::run_Attempt(std::int32_t attempt) {
    if (!prepare_Connection()) return false;
    clear_StatusBits();
    const bool sent = send_Request(attempt);
    fire_Communication(OnSendCommand, sent, true);
    if (!sent) return false;

    sniffer_BeforeRead(attempt);
    const bool readOk = read_Answer();
    // A NAK or a malformed answer leaves no code of its own; a failed
    // command must never read as success to its caller.
    if (!readOk && code() == 0) setCode(kAnswerNotByProtocol);
    sniffer_AfterRead(readOk);
    if (!readOk && format() == TPacketFormat::protocol_Type1) {
        fire_Communication(OnReceiveAnswer, false, false);
        return false;
    }
    evaluate_Status();
    bool ok = readOk;
    if (ok && fRequest.command != kStatusCommand && code() == 0) {
        ok = !check_DeviceForStatusErrors();
    }
    fire_Communication(OnReceiveAnswer, ok, false);
    if (ok) setCode(0);
    return ok;
}

bool TPacketExchange::prepare_Connection() {
    TConnector* connector = currentConnector();
    if (!connector) {
        setCode(kConnectorNotAssigned);
        return false;
    }
    try {
        if (!connector->Active()) {
            setCode(fOCOEC_Mode ? connector->openConnection() : kOpenError);
            if (code() != 0) return false;
        }
        return connector->clearIOBuffers() == 0;
    } catch (...) {
        setCode(kGeneralError);
        return false;
    }
}

void TPacketExchange::clear_StatusBits() {
    const TFPStatuses& table = fLowLevel->statusBytes().table();
    for (int byteIndex = 0; byteIndex < kStatusByteSlots; ++byteIndex) {
        if (!table.get_ByteInUse(byteIndex)) continue;
        for (int bitIndex = 0; bitIndex < kStatusBitsPerByte; ++bitIndex) {
            fLowLevel->set_sBytesState(byteIndex, bitIndex, false);
        }
    }
}

bool TPacketExchange::send_Request(std::int32_t attempt) {
    TConnector* connector = currentConnector();
    sniffer_BeforeSend(attempt);
    bool sent = false;
    try {
        sent = connector->writeBuffer(fMessage.data(), fMessage_Position) == fMessage_Position;
    } catch (...) {
        sent = false;
    }
    sniffer_AfterSend(sent);
    setCode(sent ? 0 : kGeneralError);
    return sent;
}

bool TPacketExchange::read_ByteInTime(std::uint8_t& b) {
    fHardExitByTime = false;
    TConnector* connector = currentConnector();
    if (!connector) {
        setCode(kConnectorNotAssigned);
        return false;
    }
    const std::uint64_t start = tickCount();
    for (;;) {
        std::uint32_t count = 0;
        bool got = false;
        try {
            got = connector->readByte(b, count);
        } catch (...) {
            got = false;  // a transport in RaiseMode reports "nothing yet" by raising
        }
        if (got) {
            sniffer_RecordAnswerByte(b);
            return true;
        }
        b = 0;
        const std::uint64_t limit = connector->exitByTime()
                                        ? connector->exitByTimeValue()
                                        : static_cast<std::uint64_t>(kSilentRegisterLimit.count());
        if (tickCount() - start >= limit) {
            fHardExitByTime = true;
            return false;
        }
    }
}

bool TPacketExchange::wait_ForSOH() {
    fHardExitByTime = false;
    std::uint16_t foreignBytes = 0;
    for (;;) {
        std::uint8_t b = 0;
        if (!read_ByteInTime(b)) return false;
        switch (b) {
            case frame::kPreamble:
                return true;
            case frame::kNak:
                if (OnWait) OnWait(*this, frame::kNak);
                return false;
            case frame::kSyn:
                if (OnWait) OnWait(*this, frame::kSyn);
                break;
            default:
                if (++foreignBytes >= kForeignByteLimit) {
                    setCode(kMissingSoh);
                    return false;
                }
                break;
        }
    }
}

void TPacketExchange::note_Timeout() {
    if (!fHardExitByTime) return;
    currentConnector()->clearIOBuffers();
    setCode(kTimeoutExpired);
}

bool TPacketExchange::read_AnswerByte(std::uint8_t& b, bool addToBcc) {
    if (!read_ByteInTime(b)) {
        note_Timeout();
        return false;
    }
    if (addToBcc) fCalculated_BCC = static_cast<std::uint16_t>(fCalculated_BCC + b);
    return true;
}

bool TPacketExchange::read_Word(std::uint16_t& value, bool addToBcc) {
    std::uint8_t word[frame::kWordSize];
    for (std::uint8_t& b : word) {
        if (!read_AnswerByte(b, addToBcc)) return false;
    }
    value = frame::decodeWord(word);
    return true;
}

bool TPacketExchange::read_Expected(std::uint8_t expected, bool addToBcc) {
    std::uint8_t b = 0;
    return read_AnswerByte(b, addToBcc) && b == expected;
}

bool TPacketExchange::read_Answer() {
    std::fill(fAnswer.begin(), fAnswer.begin() + fAnswer_Position, 0);
    fAnswer_Position = 0;
    fStatus.fill(0);
    for (int i = 0; i < kStatusByteSlots; ++i) fLowLevel->statusBytes().Byte(i).set_Value(0);
    fCalculated_BCC = 0;
    setCode(0);
    fAnsiTextOutput.clear();
    fAnsiTextOutput_cp1251.clear();
    sniffer_SetCursor(TSnifferByteCursor::sbcHeader);
    try {
        if (!wait_ForSOH()) {
            note_Timeout();
            return false;
        }
        const bool wide = format() == TPacketFormat::protocol_Type2;
        // The LEN field counts everything after the preamble up to the postamble.
        std::uint16_t dataLength = 0;
        if (wide) {
            std::uint16_t len = 0;
            if (!read_Word(len, true)) return false;
            fWord_LEN = static_cast<std::uint16_t>(len - frame::kLengthOffset - 19);
            dataLength = fWord_LEN;
        } else {
            std::uint8_t len = 0;
            if (!read_AnswerByte(len, true)) return false;
            fByte_LEN = static_cast<std::uint8_t>(len - frame::kLengthOffset - 11);
            dataLength = fByte_LEN;
        }
        if (!read_Expected(fRequest.expectedSeq, true)) return false;
        if (wide) {
            std::uint16_t command = 0;
            if (!read_Word(command, true) || command != fRequest.command) return false;
        } else if (!read_Expected(static_cast<std::uint8_t>(fRequest.command), true)) {
            return false;
        }

        sniffer_SetCursor(TSnifferByteCursor::sbcData);
        for (std::uint32_t i = 0; i < dataLength; ++i) {
            if (!read_AnswerByte(fAnswer[fAnswer_Position], true)) return false;
            ++fAnswer_Position;
        }

        sniffer_SetCursor(TSnifferByteCursor::sbcFooter);
        if (!read_Expected(frame::kSeparator, true)) return false;
        const std::size_t statusCount = frame::statusByteCount(format());
        for (std::size_t i = 0; i < statusCount; ++i) {
            if (!read_AnswerByte(fStatus[i], true)) return false;
        }
        if (!read_Expected(frame::kPostamble, true)) return false;
        // BCC and terminator are outside the sum.
        const std::uint16_t sum = fCalculated_BCC;
        std::uint16_t bcc = 0;
        if (!read_Word(bcc, false) || bcc != sum) return false;
        if (!read_Expected(frame::kTerminator, false)) return false;

        Bytes& text =
            fRequest.variant == TTextVariant::tv_cp1251 ? fAnsiTextOutput_cp1251 : fAnsiTextOutput;
        text.assign(fAnswer.begin(), fAnswer.begin() + fAnswer_Position);
        return true;
    } catch (...) {
        return false;
    }
}

void TPacketExchange::evaluate_Status() {
    const int count = fLowLevel->statusBytes().ByteCountInUse();
    for (int byteIndex = 0; byteIndex < count; ++byteIndex) calculate_StatusBits(byteIndex);
    if (OnStatusChange) OnStatusChange(*this);
}

void TPacketExchange::calculate_StatusBits(int byteIndex) {
    if (check_Components() != 0) return;
    try {
        const std::uint8_t value = fStatus.at(static_cast<std::size_t>(byteIndex));
        fLowLevel->statusBytes().Byte(byteIndex).set_Value(value);
        for (int bitIndex = kStatusBitsPerByte - 1; bitIndex >= 0; --bitIndex) {
            if ((value >> bitIndex) & 1) fLowLevel->set_sBytesState(byteIndex, bitIndex, true);
        }
    } catch (const std::exception& e) {
        setCode(kGeneralError);
        sniffer_Log(std::string("TFiscalDevice.calculate_StatusBits: ") + e.what());
    }
}

bool TPacketExchange::check_DeviceForStatusErrors() {
    if (check_Components() != 0) return true;
    setCode(0);
    fErrorInStatuses = false;
    try {
        const int count = fLowLevel->statusBytes().ByteCountInUse();
        const TErrorChecking checking = fLowLevel->errorCheckType();
        for (int byteIndex = 0; byteIndex < count; ++byteIndex) {
            for (int bitIndex = kStatusBitsPerByte - 1; bitIndex >= 0; --bitIndex) {
                if (!fLowLevel->get_sBytesCheckingFor(byteIndex, bitIndex, checking) ||
                    !fLowLevel->get_sBytesState(byteIndex, bitIndex)) {
                    continue;
                }
                if (!fErrorInStatuses) setCode(kStatusBitsRaised);
                fErrorInStatuses = true;
            }
        }
    } catch (...) {
        setCode(kGeneralError);
    }
    return code() != 0;
}

void TPacketExchange::release_Connection() {
    const std::int32_t remembered = code();
    try {
        TConnector* connector = currentConnector();
        if (connector && connector->Active()) {
            if (connector->clearIOBuffers() != 0) return;
            // A command nested in an opening leaves the transport to the outer one.
            if (fOCOEC_Mode && fNesting == 1) {
                setCode(connector->closeConnection());
                if (code() != 0) return;
            }
        } else {
            setCode(0);
        }
        if (remembered != 0) setCode(remembered);
    } catch (...) {
        setCode(kGeneralError);
    }
}

}  // namespace tessel
