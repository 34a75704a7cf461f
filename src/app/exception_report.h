#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace tessel {

// How a handler names a failure: Exception in method "LABEL": followed at
// once by the exception's message. Inner operations raise ELabelled with
// their label in front, so the outermost report shows the chain.
std::string exceptionReport(std::string_view label, std::string_view message);

class ELabelled : public std::runtime_error {
public:
    ELabelled(std::string_view label, std::string_view message);
};

}  // namespace tessel
