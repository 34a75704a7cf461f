#include "cli/exit_status.h"

namespace tessel::cli {

ExitStatus commandExitStatus(bool completed, std::int32_t code, bool statusError) {
    if (completed) return code == 0 ? ExitStatus::success : ExitStatus::deviceError;
    return statusError ? ExitStatus::deviceError : ExitStatus::connectionError;
}

}  // namespace tessel::cli
