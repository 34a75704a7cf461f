#include "sim/sim_register.h"

#include <map>

#include "link/frame.h"
#include "sim/sim_errors.h"
#include "sim/sim_params.h"
#include "util/code_page.h"

namespace tessel::sim {

namespace {

constexpr int kCodePage = kCodePage1251;

using Handler = Reply (*)(CommandContext&, const Fields&);

const std::map<std::uint16_t, Handler>& commandTable() {
    static const std::map<std::uint16_t, Handler> table = {
        {43, cmdOpenReclamation}, {48, cmdOpenSale},       {53, cmdPayment},
        {56, cmdCloseReceipt},    {58, cmdSaleLine},       {61, cmdSetClock},
        {62, cmdReadClock},       {70, cmdCashInOut},      {71, cmdDiagnostic},
        {72, cmdFiscalize},       {74, cmdStatus},         {76, cmdReceiptAmounts},
        {90, cmdIdentification},  {91, cmdSerialNumber},   {101, cmdOperatorPassword},
        {107, cmdArticles},       {124, cmdJournalPeriod}, {125, cmdJournal},
        {140, cmdClients},        {202, cmdLogo},          {255, cmdParameter},
    };
    return table;
}

std::string answerText(const Reply& reply) {
    if (reply.raw) return *reply.raw;
    std::string text = std::to_string(reply.code) + '\t';
    for (const std::string& field : reply.fields) text += field + '\t';
    return text;
}

// Status bit positions (byte, bit).
constexpr std::uint8_t bit(int n) {
    return static_cast<std::uint8_t>(1u << n);
}

}  // namespace

RegisterState SimRegister::factoryState(const std::string& model, LocalSeconds now) {
    RegisterState state;
    state.parameters = factoryParameters(model);
    addSampleJournal(state, now);
    return state;
}

SimRegister::SimRegister(RegisterConfig config, RegisterState state)
    : config_(std::move(config)), state_(std::move(state)), hostClock_(hostLocalNow) {}

void SimRegister::setHostClock(std::function<LocalSeconds()> clock) {
    std::lock_guard lock(mutex_);
    hostClock_ = std::move(clock);
}

void SimRegister::setOnChange(std::function<void(const RegisterState&)> onChange) {
    std::lock_guard lock(mutex_);
    onChange_ = std::move(onChange);
}

RegisterState SimRegister::snapshot() const {
    std::lock_guard lock(mutex_);
    return state_;
}

void SimRegister::inspect(const std::function<void(const RegisterState&)>& look) const {
    std::lock_guard lock(mutex_);
    look(state_);
}

void SimRegister::update(const std::function<void(RegisterState&)>& change) {
    std::lock_guard lock(mutex_);
    change(state_);
    if (onChange_) onChange_(state_);
}

Bytes SimRegister::status() const {
    std::lock_guard lock(mutex_);
    return statusLocked(0, false);
}

Execution SimRegister::execute(std::uint16_t command, ByteView data) {
    std::lock_guard lock(mutex_);
    const Fields fields = splitFields(decodeCodePage(data, kCodePage));
    CommandContext ctx{state_,
                       session_,
                       config_.model,
                       config_.format,
                       hostClock_() + state_.clockOffset,
                       config_.journalCapacity};
    const auto found = commandTable().find(command);
    const bool known = found != commandTable().end();
    const Reply reply = known ? found->second(ctx, fields) : Reply::error(err::kInvalidCommand);
    if (ctx.changed && onChange_) onChange_(state_);
    return {reply.code, encodeCodePage(answerText(reply), kCodePage),
            statusLocked(reply.code, !known)};
}

Bytes SimRegister::statusLocked(std::int32_t code, bool unknownCommand) const {
    Bytes s(frame::statusByteCount(config_.format), 0x80);  // bit 7 is always 1
    if (err::isSyntaxError(code)) s[0] |= bit(0);
    if (unknownCommand) s[0] |= bit(1);
    if (state_.paperEnd) s[2] |= bit(0);
    if (state_.paperNearEnd) s[2] |= bit(1);
    const std::size_t documents = state_.journal.size();
    if (documents >= config_.journalCapacity) s[2] |= bit(2);
    if (state_.receipt.open) s[2] |= bit(3);
    if (documents * 10 >= config_.journalCapacity * 9) s[2] |= bit(4);
    // General error: the OR of the bits marked "#".
    if ((s[0] & (bit(0) | bit(1) | bit(4))) || (s[1] & (bit(0) | bit(1))) || (s[2] & bit(0))) {
        s[0] |= bit(5);
    }
    if (!state_.serialNumber.empty()) s[4] |= bit(2);
    if (state_.fiscalized) {
        s[4] |= bit(1);
        s[5] |= bit(1) | bit(3) | bit(4);
    }
    return s;
}

}  // namespace tessel::sim
