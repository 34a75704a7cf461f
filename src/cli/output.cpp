#include "cli/output.h"

#include "cli/exit_status.h"
#include "util/fd_misc.h"

namespace tessel::cli {

namespace {

void append(std::string& out, const nlohmann::ordered_json& value) {
    if (value.is_object()) {
        out += '{';
        bool first = true;
        for (const auto& [key, member] : value.items()) {
            if (!first) out += ", ";
            first = false;
            append(out, key);
            out += ": ";
            append(out, member);
        }
        out += '}';
    } else if (value.is_array()) {
        out += '[';
        for (std::size_t i = 0; i < value.size(); ++i) {
            if (i > 0) out += ", ";
            append(out, value[i]);
        }
        out += ']';
    } else {
        out += value.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
    }
}

}  // namespace

std::string oneLineJson(const nlohmann::ordered_json& value) {
    std::string out;
    append(out, value);
    return out;
}

std::string statusHex(ByteView status) {
    std::string out;
    for (const auto byte : status) TFDMisc::putByteToHEX(byte, out);
    if (!out.empty()) out.pop_back();  // the blank after the last byte
    return out;
}

std::string commandJson(const CommandOutcome& outcome) {
    nlohmann::ordered_json json;
    json["ok"] = outcome.ok;
    json["code"] = outcome.code;
    json["message"] = outcome.message;
    json["fields"] = outcome.fields;
    json["status"] = statusHex(outcome.status);
    return oneLineJson(json);
}

std::string commandText(const CommandOutcome& outcome) {
    std::string out = std::to_string(outcome.code) + ": " + outcome.message + "\n";
    for (const auto& field : outcome.fields) out += field + "\n";
    return out;
}

std::string errorLine(std::int32_t code, const std::string& message) {
    return "error " + std::to_string(code) + ": " + message;
}

std::string usageErrorLine(const std::string& message) {
    return errorLine(static_cast<std::int32_t>(ExitStatus::usageError), message);
}

}  // namespace tessel::cli
