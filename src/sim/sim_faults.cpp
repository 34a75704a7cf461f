#include "sim/sim_faults.h"

#include <charconv>

namespace tessel::sim {

namespace {

// Bytes of the answer sent before a drop drawn by rate; answers are longer.
constexpr std::uint64_t kDropWindow = 16;

double unitDraw(std::mt19937_64& random) {
    // 53 random bits give every double in [0, 1) the same chance on any platform.
    return static_cast<double>(random() >> 11) * 0x1.0p-53;
}

}  // namespace

std::optional<FaultRates> parseFaultRates(std::string_view text, std::string& error) {
    FaultRates rates;
    for (bool more = !text.empty(); more;) {
        const std::size_t comma = text.find(',');
        const std::string_view item = text.substr(0, comma);
        more = comma != std::string_view::npos;
        text = more ? text.substr(comma + 1) : std::string_view{};
        const std::size_t eq = item.find('=');
        const std::string_view name = item.substr(0, eq);
        double value = -1;
        if (eq != std::string_view::npos) {
            const std::string_view number = item.substr(eq + 1);
            const auto [end, ec] =
                std::from_chars(number.data(), number.data() + number.size(), value);
            if (ec != std::errc{} || end != number.data() + number.size()) value = -1;
        }
        if (value < 0 || value > 1) {
            error = "fault rate \"" + std::string(item) + "\" is not NAME=P with P from 0 to 1";
            return std::nullopt;
        }
        if (name == "nak")
            rates.nak = value;
        else if (name == "bcc")
            rates.bcc = value;
        else if (name == "seq")
            rates.seq = value;
        else if (name == "drop")
            rates.drop = value;
        else if (name == "silence")
            rates.silence = value;
        else if (name == "disconnect")
            rates.disconnect = value;
        else {
            error = "unknown fault \"" + std::string(name) +
                    "\" (known: nak, bcc, seq, drop, silence, disconnect)";
            return std::nullopt;
        }
    }
    return rates;
}

FaultPlan::FaultPlan(FaultRates rates, std::uint64_t seed) : rates_(rates), random_(seed) {}

void FaultPlan::queue(Fault fault) {
    std::lock_guard lock(mutex_);
    queued_.push_back(fault);
}

std::optional<Fault> FaultPlan::next() {
    std::lock_guard lock(mutex_);
    if (!queued_.empty()) {
        const Fault fault = queued_.front();
        queued_.pop_front();
        return fault;
    }
    double draw = unitDraw(random_);
    const std::pair<double, FaultKind> bands[] = {
        {rates_.nak, FaultKind::nak},           {rates_.bcc, FaultKind::wrongChecksum},
        {rates_.seq, FaultKind::wrongSequence}, {rates_.drop, FaultKind::dropAfter},
        {rates_.silence, FaultKind::silence},   {rates_.disconnect, FaultKind::disconnect}};
    for (const auto& [rate, kind] : bands) {
        if (draw < rate) {
            const std::int64_t value = kind == FaultKind::dropAfter
                                           ? static_cast<std::int64_t>(random_() % kDropWindow)
                                           : 0;
            return Fault{kind, value};
        }
        draw -= rate;
    }
    return std::nullopt;
}

}  // namespace tessel::sim
