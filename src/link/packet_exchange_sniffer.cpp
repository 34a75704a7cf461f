// The exchange's side of the traffic recorder: the transport's sniffer gets
// the packet texts and per-attempt values here, the transport itself adds
// the raw bytes it writes and reads.

#include <string>

#include "link/connector.h"
#include "link/packet_exchange.h"
#include "util/fd_misc.h"

namespace tessel {

namespace {

void appendHex(ByteView bytes, std::string& text) {
    for (std::uint8_t b : bytes) TFDMisc::putByteToHEX(b, text);
}

std::string& packetText(TSniffer& s, TSnifferByteCursor part, bool toDevice) {
    TPacketValueRec& rec = part == TSnifferByteCursor::sbcHeader ? s.hexPacket.header
                           : part == TSnifferByteCursor::sbcData ? s.hexPacket.data
                                                                 : s.hexPacket.footer;
    return toDevice ? rec.toDeviceValue : rec.fromDevceValue;
}

// After a send or a read: the saved colours on success, the error colour on
// the text views and the packet data otherwise.
void markOutcome(TSniffer& s, bool success) {
    if (success) {
        s.setColorsFromMyColors();
        return;
    }
    s.values.cHEX.cColor = s.hexPacket.errorColor;
    s.values.cText.cColor = s.hexPacket.errorColor;
    s.hexPacket.data.color = s.hexPacket.errorColor;
}

void composeRows(TSniffer& s, TDataDirection d) {
    const bool toDevice = d == TDataDirection::toDevice;
    s.calculate_FullRows(d);
    if (!s.saveToFile_isOn()) return;
    s.logThis(toDevice ? s.full.text_ToDeviceRow : s.full.text_FromDeviceRow, true);
    s.logThis(toDevice ? s.full.hex_ToDeviceRow : s.full.hex_FromDeviceRow, true);
}

}  // namespace

TSniffer* TPacketExchange::activeSniffer() const {
    TConnector* connector = currentConnector();
    TSniffer* s = connector ? connector->Sniffer() : nullptr;
    return s && s->Active() ? s : nullptr;
}

void TPacketExchange::sniffer_StartExchange() {
    TConnector* connector = currentConnector();
    TSniffer* s = connector ? connector->Sniffer() : nullptr;
    if (!s) return;
    if (s->Active()) {
        s->setColorsFromMyColors();
        ++s->snifferUIDRec.Value;
    }
    s->values.cHEX.toDeviceValue.clear();
    s->values.cText.toDeviceValue.clear();
    s->values.cHEX.fromDeviceValue.clear();
    s->values.cText.fromDeviceValue.clear();
    s->full = TSnifferFull{};
}

void TPacketExchange::sniffer_RecordRequest() {
    TSniffer* s = activeSniffer();
    if (!s) return;
    const frame::RequestLayout& layout = fRequest.layout;
    const std::uint8_t* at = fMessage.data();
    const std::size_t sizes[] = {layout.header, layout.data, layout.footer};
    const TSnifferByteCursor parts[] = {TSnifferByteCursor::sbcHeader, TSnifferByteCursor::sbcData,
                                        TSnifferByteCursor::sbcFooter};
    for (int i = 0; i < 3; ++i) {
        s->byteCursor = parts[i];
        std::string& text = packetText(*s, parts[i], true);
        text.clear();
        appendHex(ByteView(at, sizes[i]), text);
        at += sizes[i];
    }
}

void TPacketExchange::sniffer_SetCursor(TSnifferByteCursor part) {
    if (TSniffer* s = activeSniffer()) s->byteCursor = part;
}

void TPacketExchange::sniffer_BeforeSend(std::int32_t attempt) {
    TSniffer* s = activeSniffer();
    if (!s) return;
    s->values.cRepeatIndex.toDeviceValue = std::to_string(attempt);
    s->values.cCommand.toDeviceValue = std::to_string(fRequest.command & 0xFF);
    s->values.cDateTime.toDeviceValue = sniffer_DateTimeText();
    s->values.cText.toDeviceValue =
        TFDMisc::convert_AnsiString_ToWideString(requestData(), fCodePage);
    // The transport adds what it writes; each attempt's row shows its own write.
    s->values.cHEX.toDeviceValue.clear();
}

void TPacketExchange::sniffer_AfterSend(bool sent) {
    TSniffer* s = activeSniffer();
    if (!s) return;
    s->calculate_Headers(TDataDirection::toDevice);
    if (s->calc_FullRows()) composeRows(*s, TDataDirection::toDevice);
    markOutcome(*s, sent);
}

void TPacketExchange::sniffer_BeforeRead(std::int32_t attempt) {
    TSniffer* s = activeSniffer();
    if (!s) return;
    s->values.cHEX.fromDeviceValue.clear();
    s->values.cText.fromDeviceValue.clear();
    s->hexPacket.header.fromDevceValue.clear();
    s->hexPacket.data.fromDevceValue.clear();
    s->hexPacket.footer.fromDevceValue.clear();
    s->full.hex_FromDeviceRow.clear();
    s->full.text_FromDeviceRow.clear();
    s->values.cRepeatIndex.fromDeviceValue = std::to_string(attempt);
    s->values.cCommand.fromDeviceValue = std::to_string(fRequest.command & 0xFF);
    s->values.cDateTime.fromDeviceValue = sniffer_DateTimeText();
}

void TPacketExchange::sniffer_RecordAnswerByte(std::uint8_t b) {
    TSniffer* s = activeSniffer();
    if (!s) return;
    // Busy and reject signals are not part of any answer's header.
    if (s->byteCursor == TSnifferByteCursor::sbcHeader && (b == frame::kSyn || b == frame::kNak)) {
        return;
    }
    TFDMisc::putByteToHEX(b, packetText(*s, s->byteCursor, false));
}

void TPacketExchange::sniffer_AfterRead(bool readOk) {
    TSniffer* s = activeSniffer();
    if (!s) return;
    s->values.cText.fromDeviceValue =
        fRequest.variant == TTextVariant::tv_cp1251 ? text_Output_1251() : text_Output();
    if (s->calc_FullRows()) {
        s->calculate_Headers(TDataDirection::fromDevice);
        composeRows(*s, TDataDirection::fromDevice);
    }
    markOutcome(*s, readOk);
}

void TPacketExchange::sniffer_Log(const std::string& text) {
    TSniffer* s = activeSniffer();
    if (s && s->saveToFile_isOn()) s->logThis(text, true);
}

void TPacketExchange::fire_Communication(const TCommunicationEvent& event, bool success,
                                         bool toDevice) {
    TSniffer* s = activeSniffer();
    if (!event || !s) return;
    const TSnifferValues& v = s->values;
    if (toDevice) {
        event(*this, success, s->snifferUIDRec.Value, v.cRepeatIndex.toDeviceValue,
              s->hexPacket.header.toDeviceValue, s->hexPacket.data.toDeviceValue,
              s->hexPacket.footer.toDeviceValue, v.cText.toDeviceValue, v.cDateTime.toDeviceValue,
              v.cCommand.toDeviceValue);
        return;
    }
    s->values.cDateTime.fromDeviceValue = sniffer_DateTimeText();
    event(*this, success, s->snifferUIDRec.Value, v.cRepeatIndex.fromDeviceValue,
          s->hexPacket.header.fromDevceValue, s->hexPacket.data.fromDevceValue,
          s->hexPacket.footer.fromDevceValue, v.cText.fromDeviceValue, v.cDateTime.fromDeviceValue,
          v.cCommand.fromDeviceValue);
}

}  // namespace tessel
