// Command 140: the buyer (client) database.

#include "sim/sim_commands.h"
#include "sim/sim_errors.h"
#include "util/utf8.h"

namespace tessel::sim {

namespace {

constexpr std::size_t kNameLength = 60;
constexpr std::size_t kTinLength = 20;
constexpr std::size_t kVatLength = 50;

Reply clientReply(CommandContext& ctx, std::map<int, Client>::const_iterator found) {
    if (found == ctx.state.clients.end()) return Reply::error(err::kClientNotFound);
    ctx.session.clientCursor = found->first;
    const Client& c = found->second;
    return {0, {std::to_string(found->first), c.name, c.tin, c.vat}, std::nullopt};
}

Reply programClient(CommandContext& ctx, const Fields& f) {
    if (f.size() < 5) return Reply::error(err::syntaxOfField(f.size()));
    const auto number = integerAt(f, 1, kFirstClient, kLastClient);
    if (!number) return Reply::error(err::badField(1));
    if (codePointCount(f[2]) > kNameLength) return Reply::error(err::badField(2));
    if (codePointCount(f[3]) > kTinLength) return Reply::error(err::badField(3));
    if (codePointCount(f[4]) > kVatLength) return Reply::error(err::badField(4));
    ctx.state.clients[*number] = Client{f[2], f[3], f[4]};
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
        const auto number = integerAt(f, 1, kFirstClient, kLastClient);
        if (!number) return Reply::error(err::badField(1));
        return clientReply(ctx, clients.find(*number));
    }
    if (option == "P") return programClient(ctx, f);
    if (option == "D") {
        return deleteRecords(ctx, ctx.state.clients, f, kFirstClient, kLastClient,
                             err::kClientNotFound);
    }
    return Reply::error(err::badField(0));
}

}  // namespace tessel::sim
