#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "util/bytes.h"

namespace tessel::cli {

// One JSON value on one line, members in insertion order, written as
// {"a": 1, "b": [2, 3]}. Text that is not valid UTF-8 is replaced, never
// refused.
std::string oneLineJson(const nlohmann::ordered_json& value);

// Status bytes as two upper-case hexadecimal digits each, separated by blanks.
std::string statusHex(ByteView status);

// The outcome of a raw command, as printed by `cmd`.
struct CommandOutcome {
    bool ok = false;        // the command's Boolean result
    std::int32_t code = 0;  // LastErrorCode
    std::string message;    // LastErrorMessage
    std::vector<std::string> fields;
    Bytes status;
};

// {"ok": BOOL, "code": INT, "message": STR, "fields": [STR, ...], "status": "HEX HEX ..."}
std::string commandJson(const CommandOutcome& outcome);
// "CODE: MESSAGE" on the first line, then every answer field on its own line.
std::string commandText(const CommandOutcome& outcome);

// The form every error takes on stderr.
std::string errorLine(std::int32_t code, const std::string& message);
// A usage error has no device code; it carries the exit status, 2, instead.
std::string usageErrorLine(const std::string& message);

}  // namespace tessel::cli
