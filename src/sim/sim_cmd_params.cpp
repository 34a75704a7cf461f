// Command 255 (named parameters) and command 101 (operator password).

#include "sim/sim_commands.h"
#include "sim/sim_errors.h"
#include "sim/sim_params.h"
#include "util/ini_file.h"

namespace tessel::sim {

namespace {

constexpr std::size_t kPasswordLength = 8;

// Parameters the register computes from its state; they cannot be written.
std::optional<std::string> computedParameter(const CommandContext& ctx, const std::string& name) {
    if (iniNamesEqual(name, "IDnumber")) return ctx.state.serialNumber;
    if (iniNamesEqual(name, "Fiscalized")) return std::string(ctx.state.fiscalized ? "1" : "0");
    return std::nullopt;
}

bool isPassword(const std::string& text) {
    if (text.empty() || text.size() > kPasswordLength) return false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

}  // namespace

Reply cmdParameter(CommandContext& ctx, const Fields& f) {
    const std::string& name = fieldAt(f, 0);
    const std::string& indexText = fieldAt(f, 1);
    const std::string& value = fieldAt(f, 2);
    if (name.empty()) return Reply::error(err::syntaxOfField(0));
    if (const auto computed = computedParameter(ctx, name)) {
        if (!indexText.empty() && indexText != "0") return Reply::error(err::badField(1));
        if (!value.empty()) return Reply::error(err::kOperationForbidden);
        return {0, {*computed}, std::nullopt};
    }
    const ParamDef* def = findParameter(name);
    if (!def) return Reply::error(err::kElementNotFound);
    int index = 0;
    if (!indexText.empty()) {
        const auto parsed = integerAt(f, 1, 0, def->count - 1);
        if (!parsed) return Reply::error(err::badField(1));
        index = *parsed;
    }
    std::string& stored = ctx.state.parameters[def->name].at(static_cast<std::size_t>(index));
    // An empty value reads, any other writes.
    if (value.empty()) return {0, {stored}, std::nullopt};
    if (def->kind == ParamKind::readOnly) return Reply::error(err::kOperationForbidden);
    if (!acceptsValue(*def, value)) return Reply::error(err::badField(2));
    stored = value;
    ctx.changed = true;
    return {};
}

Reply cmdOperatorPassword(CommandContext& ctx, const Fields& f) {
    if (f.size() < 3) return Reply::error(err::syntaxOfField(f.size()));
    const auto number = integerAt(f, 0, 1, kOperatorCount);
    if (!number) return Reply::error(err::badField(0));
    auto& passwords = ctx.state.parameters["OperPasw"];
    const auto self = static_cast<std::size_t>(*number - 1);
    if (passwords.at(self) != f[1]) return Reply::error(err::kWrongOperatorPassword);
    if (!isPassword(f[2])) return Reply::error(err::badField(2));
    for (std::size_t i = 0; i < passwords.size(); ++i) {
        if (i != self && passwords[i] == f[2]) return Reply::error(err::kPasswordNotUnique);
    }
    passwords[self] = f[2];
    ctx.changed = true;
    return {};
}

}  // namespace tessel::sim
