#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

#include "link/connector.h"
#include "link/sniffer.h"
#include "util/bytes.h"

namespace tessel {

// An in-memory register line for tests. What the register sends is scripted
// per request: each write releases the next scripted reply (or, when none is
// queued, whatever the responder makes of the request). Time runs on a
// virtual clock that reads advance, so deadlines are exercised without
// waiting: a read waits at most readTimeout for the next byte, as a real
// transport's read does. Every write and call is recorded.
class ScriptedConnector : public TConnector {
public:
    // Bytes that arrive delayMs after the previous chunk (or after the write).
    struct Chunk {
        Bytes bytes;
        std::uint32_t delayMs = 0;
    };
    using Reply = std::vector<Chunk>;
    using Responder = std::function<Bytes(ByteView request)>;

    // --- script ---
    ScriptedConnector& reply(Reply chunks);
    ScriptedConnector& reply(Bytes bytes) { return reply(Reply{{std::move(bytes), 0}}); }
    // A request that gets no answer at all.
    ScriptedConnector& silence() { return reply(Reply{}); }
    // Answers every request for which no reply is queued.
    void setResponder(Responder responder) { fResponder = std::move(responder); }

    // --- virtual clock ---
    std::uint64_t now() const { return fNow; }
    std::uint32_t readTimeout() const { return fReadTimeout; }
    void setReadTimeout(std::uint32_t ms) { fReadTimeout = ms; }

    // --- behaviour ---
    void setActive(bool active) { fActive = active; }
    void setOpenResult(std::int32_t code) { fOpenResult = code; }
    void setCloseResult(std::int32_t code) { fCloseResult = code; }
    // Answers of clearIOBuffers, one per call; 0 once they are used up.
    void setClearResults(std::deque<std::int32_t> codes) { fClearResults = std::move(codes); }
    void setShortWrite(bool on) { fShortWrite = on; }
    // Reads and writes raise ETesselError, as a transport in RaiseMode does.
    void setThrowOnRead(bool on) { fThrowOnRead = on; }
    void setThrowOnWrite(bool on) { fThrowOnWrite = on; }
    // Runs inside openConnection once the line is up.
    void setOnOpen(std::function<void()> hook) { fOnOpen = std::move(hook); }
    void setSniffer(TSniffer* sniffer) { fSniffer = sniffer; }

    // --- records ---
    const std::vector<Bytes>& writes() const { return fWrites; }
    int openCount() const { return fOpenCount; }
    int closeCount() const { return fCloseCount; }
    int clearCount() const { return fClearCount; }
    std::size_t pendingBytes() const { return fPending.size(); }

    // --- TConnector ---
    bool Active() const override { return fActive; }
    std::int32_t openConnection() override;
    std::int32_t closeConnection() override;
    std::int32_t clearIOBuffers() override;
    std::uint32_t writeBuffer(const std::uint8_t* buffer, std::uint32_t buffLength) override;
    bool readByte(std::uint8_t& b, std::uint32_t& bytesCount) override;
    TSniffer* Sniffer() const override { return fSniffer; }

private:
    struct TimedByte {
        std::uint64_t at;
        std::uint8_t value;
    };

    std::uint64_t fNow = 0;
    std::uint32_t fReadTimeout = 100;
    std::deque<Reply> fReplies;
    Responder fResponder;
    std::deque<TimedByte> fPending;

    bool fActive = true;
    std::int32_t fOpenResult = 0;
    std::int32_t fCloseResult = 0;
    std::deque<std::int32_t> fClearResults;
    bool fShortWrite = false;
    bool fThrowOnRead = false;
    bool fThrowOnWrite = false;
    std::function<void()> fOnOpen;
    TSniffer* fSniffer = nullptr;

    std::vector<Bytes> fWrites;
    int fOpenCount = 0;
    int fCloseCount = 0;
    int fClearCount = 0;
};

}  // namespace tessel
