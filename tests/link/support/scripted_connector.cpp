#include "scripted_connector.h"

#include "errors/error_exception.h"
#include "util/fd_misc.h"

namespace tessel {

namespace {
constexpr std::int32_t kIOError = -10;
}

ScriptedConnector& ScriptedConnector::reply(Reply chunks) {
    fReplies.push_back(std::move(chunks));
    return *this;
}

std::int32_t ScriptedConnector::openConnection() {
    ++fOpenCount;
    if (fOpenResult != 0) return fOpenResult;
    fActive = true;
    if (fOnOpen) fOnOpen();
    return 0;
}

std::int32_t ScriptedConnector::closeConnection() {
    ++fCloseCount;
    if (!fActive) return -1;
    if (fCloseResult != 0) return fCloseResult;
    fActive = false;
    fPending.clear();
    return 0;
}

std::int32_t ScriptedConnector::clearIOBuffers() {
    ++fClearCount;
    fPending.clear();
    if (fClearResults.empty()) return 0;
    const std::int32_t code = fClearResults.front();
    fClearResults.pop_front();
    return code;
}

std::uint32_t ScriptedConnector::writeBuffer(const std::uint8_t* buffer, std::uint32_t buffLength) {
    if (fThrowOnWrite) throw ETesselError(kIOError, "Input/Output error");
    const Bytes request(buffer, buffer + buffLength);
    fWrites.push_back(request);
    if (fSniffer && fSniffer->Active()) {
        for (std::uint8_t b : request)
            TFDMisc::putByteToHEX(b, fSniffer->values.cHEX.toDeviceValue);
    }

    Reply next;
    if (!fReplies.empty()) {
        next = std::move(fReplies.front());
        fReplies.pop_front();
    } else if (fResponder) {
        next = Reply{{fResponder(request), 0}};
    }
    std::uint64_t at = fNow;
    for (const Chunk& chunk : next) {
        at += chunk.delayMs;
        for (std::uint8_t b : chunk.bytes) fPending.push_back({at, b});
    }
    return fShortWrite && buffLength > 0 ? buffLength - 1 : buffLength;
}

bool ScriptedConnector::readByte(std::uint8_t& b, std::uint32_t& bytesCount) {
    bytesCount = 0;
    if (fThrowOnRead) {
        fNow += fReadTimeout;
        throw ETesselError(kIOError, "Input/Output error");
    }
    if (fPending.empty() || fPending.front().at > fNow + fReadTimeout) {
        fNow += fReadTimeout;
        return false;
    }
    if (fPending.front().at > fNow) fNow = fPending.front().at;
    b = fPending.front().value;
    fPending.pop_front();
    bytesCount = 1;
    if (fSniffer && fSniffer->Active()) {
        TFDMisc::putByteToHEX(b, fSniffer->values.cHEX.fromDeviceValue);
    }
    return true;
}

}  // namespace tessel
