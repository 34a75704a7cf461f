#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace tessel {

// Raised by components working in RaiseMode; carries the code and its text.
class ETesselError : public std::runtime_error {
public:
    ETesselError(std::int32_t code, const std::string& message)
        : std::runtime_error(message), code_(code) {}
    std::int32_t code() const noexcept { return code_; }

private:
    std::int32_t code_;
};

}  // namespace tessel
