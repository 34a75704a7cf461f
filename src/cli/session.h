#pragma once

#include <cstdint>
#include <string>

#include "cli/context.h"
#include "records/device_module.h"

namespace tessel::cli {

// The device components of one run, connected the way the application
// connects. Failures are reported on the context's streams.
class Session {
public:
    explicit Session(Context& context);

    // Chooses the connection, opens it with --repeat-count and --trace
    // applied, and runs the identification command. On failure the error is
    // already reported and the result is the exit status; on success
    // ExitStatus::success.
    ExitStatus connect();

    TFiscalDevice& device() { return fModule.fDevice; }
    std::int32_t lastErrorCode() const { return fModule.err_.LastErrorCode(); }
    const std::string& lastErrorMessage() const { return fModule.err_.LastErrorMessage(); }
    const std::string& connectionText() const { return fConnectionText; }

    // Writes "error CODE: MESSAGE" to stderr and, with --json, a failure
    // object to stdout.
    void reportFailure(std::int32_t code, const std::string& message);

private:
    void traceFrames();

    Context& fContext;
    DeviceModule fModule;
    std::string fConnectionText;
};

}  // namespace tessel::cli
