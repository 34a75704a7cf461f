// Command 140: the buyer (client) database.

#include "sim/sim_commands.h"
#include "sim/sim_errors.h"

namespace tessel::sim {

namespace {

constexpr std::size_t kNameLength = 60;
constexpr std::size_t kTinLength = 20;
constexpr std::size_t kVatLength = 50;

std::optional<int> numberAt(const Fields& f, std::size_t index) {
    const auto n = parseInteger(fieldAt(f, index));
    if (!n || *n < kFirstClient || *n > kLastClient) return std::nullopt;
    return static_cast<int>(*n);
}

Reply clientReply(CommandContext& ctx, std::map<int, Client>::const_iterator found) {
    if (found == ctx.state.clients.end()) return Reply::error(err::kClientNotFound);
    ctx.session.clientCursor = found->first;
    const Client& c = found->second;
    return {0, {std::to_string(found->first), c.name, c.tin, c.vat}, std::nullopt};
}

Reply programClient(CommandContext& ctx, const Fields& f) {
    if (f.size() < 5) return Reply::error(err::syntaxOfField(f.size()));
    const auto number = numberAt(f, 1);
    if (!number) return Reply::error(err::badField(1));
    if (utf8Length(f[2]) > kNameLength) return Reply::error(err::badField(2));
    if (utf8Length(f[3]) > kTinLength) return Reply::error(err::badField(3));
    if (utf8Length(f[4]) > kVatLength) return Reply::error(err::badField(4));
    ctx.state.clients[*number] = Client{f[2], f[3], f[4]};
    ctx.changed = true;
    return {};
}

Reply deleteClients(CommandContext& ctx, const Fields& f) {
    auto& clients = ctx.state.clients;
    if (fieldAt(f, 1) == "A") {
        clients.clear();
    } else if (fieldAt(f, 2).empty()) {
        const auto number = numberAt(f, 1);
        if (!number) return Reply::error(err::badField(1));
        if (clients.erase(*number) == 0) return Reply::error(err::kClientNotFound);
    } else {
        const auto from = numberAt(f, 1);
        if (!from) return Reply::error(err::badField(1));
        const auto to = numberAt(f, 2);
        if (!to) return Reply::error(err::badField(2));
        if (*from <= *to) clients.erase(clients.lower_bound(*from), clients.upper_bound(*to));
    }
    ctx.changed = true;
    return {};
}

}  // namespace

Reply cmdClients(CommandContext& ctx, const Fields& f) {
    if (f.empty()) return Reply::error(err::syntaxOfField(0));
    const std::string& option = f[0];
    const auto& clients = ctx.state.clients;
    if (option == "F") return clientReply(ctx, clients.begin());
    if (option == "N") return clientReply(ctx, clients.upper_bound(ctx.session.clientCursor));
    if (option == "R") {
        const auto number = numberAt(f, 1);
        if (!number) return Reply::error(err::badField(1));
        return clientReply(ctx, clients.find(*number));
    }
    if (option == "P") return programClient(ctx, f);
    if (option == "D") return deleteClients(ctx, f);
    return Reply::error(err::badField(0));
}

}  // namespace tessel::sim
