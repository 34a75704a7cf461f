#pragma once

// The register's commands. Each handler reads the parameter fields, works on
// the register state and gives the answer: an error code for field 0 and the
// data fields after it.

#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "link/protocol_types.h"
#include "sim/sim_errors.h"
#include "sim/sim_state.h"
#include "sim/sim_text.h"
#include "util/bytes.h"

namespace tessel::sim {

struct Reply {
    std::int32_t code = 0;
    Fields fields;
    // An answer not in the "code TAB fields" form (identification without TAB).
    std::optional<std::string> raw;

    static Reply error(std::int32_t code) { return Reply{code, {}, std::nullopt}; }
};

// Working state that is not kept across a restart.
struct SessionState {
    int clientCursor = 0;      // last client given by "F"/"N"
    int journalDocument = -1;  // index into the journal of the selected document
    std::size_t journalLine = 0;
    bool logoUploading = false;  // between START and STOPP
    bool logoReady = false;      // between STOPP and UPDATE
    Bytes logoUpload;
    std::uint32_t logoSum = 0;
};

struct CommandContext {
    RegisterState& state;
    SessionState& session;
    const std::string& model;
    TPacketFormat format;
    LocalSeconds now;  // the register's clock
    std::size_t journalCapacity;
    bool changed = false;  // set by handlers that change the state
};

Reply cmdStatus(CommandContext& ctx, const Fields& f);            // 74
Reply cmdIdentification(CommandContext& ctx, const Fields& f);    // 90
Reply cmdArticles(CommandContext& ctx, const Fields& f);          // 107
Reply cmdClients(CommandContext& ctx, const Fields& f);           // 140
Reply cmdParameter(CommandContext& ctx, const Fields& f);         // 255
Reply cmdOperatorPassword(CommandContext& ctx, const Fields& f);  // 101
Reply cmdSetClock(CommandContext& ctx, const Fields& f);          // 61
Reply cmdReadClock(CommandContext& ctx, const Fields& f);         // 62
Reply cmdSerialNumber(CommandContext& ctx, const Fields& f);      // 91
Reply cmdFiscalize(CommandContext& ctx, const Fields& f);         // 72
Reply cmdJournalPeriod(CommandContext& ctx, const Fields& f);     // 124
Reply cmdJournal(CommandContext& ctx, const Fields& f);           // 125
Reply cmdOpenReclamation(CommandContext& ctx, const Fields& f);   // 43
Reply cmdOpenSale(CommandContext& ctx, const Fields& f);          // 48
Reply cmdPayment(CommandContext& ctx, const Fields& f);           // 53
Reply cmdCloseReceipt(CommandContext& ctx, const Fields& f);      // 56
Reply cmdSaleLine(CommandContext& ctx, const Fields& f);          // 58
Reply cmdReceiptAmounts(CommandContext& ctx, const Fields& f);    // 76
Reply cmdCashInOut(CommandContext& ctx, const Fields& f);         // 70
Reply cmdDiagnostic(CommandContext& ctx, const Fields& f);        // 71
Reply cmdLogo(CommandContext& ctx, const Fields& f);              // 202

// Option "D" of a numbered table: "A" in field 1 deletes every record, a
// number in field 1 that one (notFound when there is none), numbers in
// fields 1 and 2 the records from the one to the other (a reversed range
// deletes nothing). Numbers run from first to last.
template <typename Record>
Reply deleteRecords(CommandContext& ctx, std::map<int, Record>& records, const Fields& f, int first,
                    int last, std::int32_t notFound) {
    if (fieldAt(f, 1) == "A") {
        records.clear();
    } else if (fieldAt(f, 2).empty()) {
        const auto number = integerAt(f, 1, first, last);
        if (!number) return Reply::error(err::badField(1));
        if (records.erase(*number) == 0) return Reply::error(notFound);
    } else {
        const auto from = integerAt(f, 1, first, last);
        if (!from) return Reply::error(err::badField(1));
        const auto to = integerAt(f, 2, first, last);
        if (!to) return Reply::error(err::badField(2));
        if (*from <= *to) records.erase(records.lower_bound(*from), records.upper_bound(*to));
    }
    ctx.changed = true;
    return {};
}

// Adds a document to the journal, numbered and dated by the register.
// Callers check journalFull first.
void addJournalDocument(CommandContext& ctx, std::vector<std::string> lines);
bool journalFull(const CommandContext& ctx);
// A journal line of columns: each column after a 0x1D byte.
std::string columnsLine(const Fields& columns);
// Sample documents a new register shows in its journal.
void addSampleJournal(RegisterState& state, LocalSeconds now);

}  // namespace tessel::sim
