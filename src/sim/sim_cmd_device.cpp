// Status, identification, clock, serial number, fiscalization and the
// diagnostic report.

#include "sim/sim_commands.h"
#include "sim/sim_errors.h"
#include "sim/sim_params.h"

namespace tessel::sim {

namespace {

// What the register reports about itself beyond its model and serial number.
constexpr const char* kDeviceType = "ECR";
constexpr const char* kCountryCode = "RS";
constexpr const char* kModification = "01";
constexpr const char* kFirmwareVersion = "1.0.3";
constexpr const char* kFirmwareDate = "15.03.2024";
constexpr const char* kFirmwareTime = "10:30";
constexpr const char* kFirmwareChecksum = "5A3C";
constexpr const char* kSoftwareSwitches = "00000000";
constexpr const char* kFiscalMemoryNumber = "TS000001";

Fields firstIdentification(const CommandContext& ctx) {
    return {kDeviceType, kCountryCode, ctx.model, kModification, "1.00",
            "1.00",      "1.00",       "1",       "1.0",         "1.00"};
}

Fields secondIdentification(const CommandContext& ctx) {
    return {ctx.model,         kFirmwareVersion,  kFirmwareDate,          kFirmwareTime,
            kFirmwareChecksum, kSoftwareSwitches, ctx.state.serialNumber, kFiscalMemoryNumber};
}

std::string join(const Fields& fields, const char* separator) {
    std::string text;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) text += separator;
        text += fields[i];
    }
    return text;
}

// The comma form: name, revision, date and time separated by blanks, then
// the rest separated by commas.
std::string identificationText(const CommandContext& ctx) {
    const Fields f = secondIdentification(ctx);
    return f[0] + ',' + f[1] + ' ' + f[2] + ' ' + f[3] + ',' + f[4] + ',' + f[5] + ',' + f[6] +
           ',' + f[7];
}

bool summerTimeShown(const CommandContext& ctx) {
    const auto minutes = parseInteger(ctx.state.parameters.at("DaylightSavingMinutes").at(0));
    return minutes && *minutes > 0 && isSummerTime(ctx.now);
}

bool isSerialNumber(const std::string& text) {
    if (text.size() != 6) return false;
    for (char c : text) {
        const bool alnum =
            (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        if (!alnum) return false;
    }
    return true;
}

}  // namespace

Reply cmdStatus(CommandContext&, const Fields&) {
    return {};
}

Reply cmdIdentification(CommandContext& ctx, const Fields& f) {
    const bool diagnostic = !f.empty() && f[0] == "#";
    if (ctx.format == TPacketFormat::protocol_Type1) {
        return {0, {}, diagnostic ? join(firstIdentification(ctx), ",") : identificationText(ctx)};
    }
    if (f.empty()) return {0, {}, identificationText(ctx)};
    return {0, diagnostic ? firstIdentification(ctx) : secondIdentification(ctx), std::nullopt};
}

Reply cmdReadClock(CommandContext& ctx, const Fields&) {
    return {0, {formatRegisterTime(ctx.now, summerTimeShown(ctx))}, std::nullopt};
}

Reply cmdSetClock(CommandContext& ctx, const Fields& f) {
    if (f.empty()) return Reply::error(err::syntaxOfField(0));
    const auto time = parseRegisterTime(f[0]);
    if (!time) return Reply::error(err::badField(0));
    if (ctx.state.receipt.open) return Reply::error(err::kReceiptOpened);
    ctx.state.clockOffset += *time - ctx.now;
    ctx.changed = true;
    return {};
}

Reply cmdSerialNumber(CommandContext& ctx, const Fields& f) {
    const std::string& serial = fieldAt(f, 0);
    if (serial.empty()) return Reply::error(err::kIdNumberEmpty);
    if (!ctx.state.serialNumber.empty()) return Reply::error(err::kOperationForbidden);
    if (!isSerialNumber(serial)) return Reply::error(err::kWrongFormat);
    ctx.state.serialNumber = serial;
    ctx.changed = true;
    return {};
}

Reply cmdFiscalize(CommandContext& ctx, const Fields& f) {
    if (ctx.state.serialNumber.empty()) return Reply::error(err::kIdNumberEmpty);
    if (ctx.state.fiscalized) return Reply::error(err::kAlreadyFiscalized);
    if (fieldAt(f, 0) != ctx.state.serialNumber) return Reply::error(err::kIdNumberWrong);
    if (fieldAt(f, 1).empty()) return Reply::error(err::badField(1));
    if (ctx.state.paperEnd) return Reply::error(err::kNoPaper);
    if (journalFull(ctx)) return Reply::error(err::kJournalFull);
    ctx.state.fiscalized = true;
    addJournalDocument(ctx,
                       {"      ^F^I^S^C^A^L^I^Z^A^T^I^O^N", "ID number: " + ctx.state.serialNumber,
                        "Fiscal memory: " + std::string(kFiscalMemoryNumber)});
    return {};
}

Reply cmdDiagnostic(CommandContext& ctx, const Fields& f) {
    if (fieldAt(f, 0) != "0") return Reply::error(err::badField(0));
    if (ctx.state.paperEnd) return Reply::error(err::kNoPaper);
    if (journalFull(ctx)) return Reply::error(err::kJournalFull);
    addJournalDocument(ctx, {"   ^D^I^A^G^N^O^S^T^I^C^S", "Model: " + ctx.model,
                             std::string("Firmware: ") + kFirmwareVersion + ' ' + kFirmwareDate,
                             "ID number: " + ctx.state.serialNumber,
                             "Clock: " + formatRegisterTime(ctx.now, false)});
    return {};
}

}  // namespace tessel::sim
