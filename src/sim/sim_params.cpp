#include "sim/sim_params.h"

#include "sim/sim_text.h"
#include "util/ini_file.h"
#include "util/utf8.h"

namespace tessel::sim {

namespace {

ParamDef flag(std::string name, std::string factory, int count = 1) {
    return {std::move(name), count, ParamKind::flag, 0, 1, 0, {}, std::move(factory)};
}

ParamDef integer(std::string name, std::int64_t low, std::int64_t high, std::string factory,
                 int count = 1) {
    return {std::move(name), count, ParamKind::integer, low, high, 0, {}, std::move(factory)};
}

ParamDef text(std::string name, std::size_t maxLength, std::string factory, int count = 1) {
    return {std::move(name), count, ParamKind::text, 0, 0, maxLength, {}, std::move(factory)};
}

ParamDef readOnly(std::string name, std::string factory, int count = 1) {
    return {std::move(name), count, ParamKind::readOnly, 0, 0, 0, {}, std::move(factory)};
}

std::vector<ParamDef> buildCatalogue() {
    return {
        // Operators, index = operator number - 1. Passwords change only
        // through command 101, never by name.
        text("OperName", 30, "", kOperatorCount),
        readOnly("OperPasw", "", kOperatorCount),
        flag("OperXreportMode", "1", kOperatorCount),
        flag("OperZreportMode", "0", kOperatorCount),
        flag("OperProgramming", "0", kOperatorCount),
        flag("OperEJ", "0", kOperatorCount),
        // Department keys: index = key - 1, value = the PLU the key sells.
        integer("DPxx_PluCode", 0, kLastPlu, "0", 8),
        // Operating options.
        integer("PrintColumns", 32, 64, "40"),
        flag("SDC_Buyer_checks", "0"),
        integer("DaylightSavingMinutes", 0, 120, "60"),
        flag("ManualDstStayOnSummerTime", "0"),
        integer("NetInterfaceToUse", 0, 2, "0"),
        integer("PrnQuality", 0, 20, "1"),
        flag("EcrPluTurnRepShort", "0"),
        flag("EcrReceivedAmount", "0"),
        flag("STLobligation", "0"),
        flag("EcrPrintNonFiscalPrintouts", "1"),
        flag("EcrPluStockControl", "0"),
        flag("EcrControlCashInSafe", "0"),
        flag("AutoPowerOffAfterZ", "0"),
        flag("PrintOperatorName", "1"),
        integer("RegModeOnIdle", 0, 2147483647, "0"),
        integer("EcrNumberBarcode", 1, 4, "1"),
        flag("BarcodePrint", "0"),
        flag("EcrAskForPassword", "0"),
        flag("EcrConnectedOperReport", "0"),
        flag("EcrConnectedPluSalesReport", "0"),
        flag("EcrPluDailyClearing", "0"),
        integer("EcrLogNumber", 0, 9999, "1"),
        flag("EcrWithPasswords", "1"),
        flag("EcrSafeOpening", "0"),
        integer("AutoPowerOff", 0, 15, "0"),
        integer("BkLight_AutoOff", 0, 5, "1"),
        flag("FlushAtEndOnly", "0"),
        // Communication.
        integer("MainInterfaceType", 0, 4, "0"),
        integer("FpComBaudRate", 0, 9, "9"),
        integer("FpComPort", 0, 5, "1"),
        integer("ComPortDevice", 0, 3, "0", 2),
        {"ComPortBaudRate",
         2,
         ParamKind::choice,
         0,
         0,
         0,
         {"1200", "2400", "4800", "9600", "14400", "19200", "38400", "56000", "57600", "115200"},
         "9600"},
        integer("ComPortProtocol", 0, 9, "0", 2),
        flag("DHCPenable", "1"),
        text("LAN_IP", 15, "192.168.0.100"),
        text("LAN_NetMask", 15, "255.255.255.0"),
        text("LAN_Gateway", 15, "192.168.0.1"),
        text("LAN_PriDNS", 15, "192.168.0.1"),
        text("LAN_SecDNS", 15, " "),
        integer("LANport_fpCommands", 0, 65535, "3999"),
        readOnly("LanMAC", "00A0C8000001"),
        flag("BthEnable", "0"),
        flag("BthDiscoverability", "0"),
        integer("BthPairing", 0, 2, "0"),
        text("BthPinCode", 16, "1234"),
        readOnly("BthVersion", "2.1.0"),
        readOnly("BthAddress", "00A0C8000002"),
        text("APN", 32, "", 2),
        text("APN_User", 32, "", 2),
        text("APN_Pass", 32, "", 2),
        flag("WLAN_DHCPenable", "1"),
        text("WLAN_IP", 15, " "),
        text("WLAN_NetMask", 15, " "),
        text("WLAN_Gateway", 15, " "),
        text("WLAN_PriDNS", 15, " "),
        text("WLAN_SecDNS", 15, " "),
        readOnly("WLAN_MAC", "00A0C8000003"),
        text("WLAN_AP_SSID", 32, " ", 10),
        text("WLAN_AP_Password", 64, " ", 10),
        // Discount and surcharge keys; amounts and percentages in hundredths.
        flag("KeyNDB_forbidden", "0"),
        flag("KeyOTS_forbidden", "0"),
        integer("KeyNDB_value", 0, 99999999, "0"),
        integer("KeyNDB_percentage", 0, 9999, "0"),
        integer("KeyOTS_value", 0, 99999999, "0"),
        integer("KeyOTS_percentage", 0, 9999, "0"),
    };
}

}  // namespace

const std::vector<ParamDef>& parameterCatalogue() {
    static const std::vector<ParamDef> catalogue = buildCatalogue();
    return catalogue;
}

const ParamDef* findParameter(std::string_view name) {
    for (const ParamDef& def : parameterCatalogue()) {
        if (iniNamesEqual(def.name, name)) return &def;
    }
    return nullptr;
}

bool acceptsValue(const ParamDef& def, std::string_view value) {
    switch (def.kind) {
        case ParamKind::flag:
            return value == "0" || value == "1";
        case ParamKind::integer: {
            const auto n = parseInteger(value);
            return n && *n >= def.low && *n <= def.high;
        }
        case ParamKind::choice:
            for (const std::string& c : def.choices) {
                if (c == value) return true;
            }
            return false;
        case ParamKind::text:
            return codePointCount(value) <= def.maxLength;
        case ParamKind::readOnly:
            return false;
    }
    return false;
}

std::string defaultOperatorPassword(std::string_view model, int n) {
    if (iniNamesEqual(model, "QN 12")) {
        const std::string digits = std::to_string(n);
        return std::string(4 - digits.size(), '0') + digits;
    }
    return std::to_string(n);
}

ParameterValues factoryParameters(std::string_view model) {
    ParameterValues values;
    for (const ParamDef& def : parameterCatalogue()) {
        values[def.name] =
            std::vector<std::string>(static_cast<std::size_t>(def.count), def.factory);
    }
    auto& names = values["OperName"];
    auto& passwords = values["OperPasw"];
    for (int n = 1; n <= kOperatorCount; ++n) {
        names[n - 1] = "Operator " + std::to_string(n);
        passwords[n - 1] = defaultOperatorPassword(model, n);
    }
    auto& keys = values["DPxx_PluCode"];
    for (std::size_t i = 0; i < keys.size(); ++i) keys[i] = std::to_string(i + 1);
    return values;
}

}  // namespace tessel::sim
