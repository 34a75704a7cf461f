#pragma once

// A register on a fixed clock, driven without the wire: the command tests
// give the parameter text and look at the answer fields.

#include <gtest/gtest.h>

#include <string_view>

#include "sim/sim_register.h"
#include "sim/sim_text.h"
#include "util/code_page.h"

namespace tessel::sim::test {

// 5 July 2024 14:03:09, a summer day.
inline const LocalSeconds kTestNow = makeLocalTime(2024, 7, 5, 14, 3, 9);

class RegisterTest : public ::testing::Test {
protected:
    explicit RegisterTest(RegisterConfig config = {})
        : reg_(config, SimRegister::factoryState(config.model, kTestNow)) {
        reg_.setHostClock([] { return kTestNow; });
    }

    Execution execute(std::uint16_t command, std::string_view parameters) {
        return reg_.execute(command, encodeCodePage(parameters, kCodePage1251));
    }
    // The answer fields, field 0 being the error code.
    Fields run(std::uint16_t command, std::string_view parameters) {
        return splitFields(decodeCodePage(execute(command, parameters).data, kCodePage1251));
    }
    std::int32_t code(std::uint16_t command, std::string_view parameters) {
        return execute(command, parameters).code;
    }
    bool statusBit(int byte, int bit) const { return (reg_.status().at(byte) >> bit) & 1; }

    SimRegister reg_;
};

}  // namespace tessel::sim::test
