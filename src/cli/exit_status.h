#pragma once

#include <cstdint>

namespace tessel::cli {

// What a script sees of a run.
enum class ExitStatus : int {
    success = 0,
    deviceError = 1,      // the register answered a non-zero code or a status error
    usageError = 2,       // bad arguments or no connection given
    connectionError = 3,  // open failed, time-out, no valid answer
};

// The status of one command: `completed` is the command's Boolean result,
// `code` the last error code and `statusError` whether a status bit counted
// as an error. A command that did not complete for any other reason never
// got a valid answer.
ExitStatus commandExitStatus(bool completed, std::int32_t code, bool statusError);

}  // namespace tessel::cli
