#include "app/exception_report.h"

namespace tessel {

std::string exceptionReport(std::string_view label, std::string_view message) {
    std::string report = "Exception in method \"";
    report += label;
    report += "\":";
    report += message;
    return report;
}

ELabelled::ELabelled(std::string_view label, std::string_view message)
    : std::runtime_error(std::string(label) + std::string(message)) {}

}  // namespace tessel
