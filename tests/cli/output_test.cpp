#include "cli/output.h"

#include <gtest/gtest.h>

#include "cli/exit_status.h"
#include "cli/trace.h"

namespace tessel::cli {
namespace {

TEST(CliOutput, CommandJsonHasTheFixedShape) {
    CommandOutcome outcome;
    outcome.ok = true;
    outcome.code = -111004;
    outcome.message = "Registration mode error: PLU code was not found";
    outcome.fields = {"-111004", "", "Хлеб \"1\"\t"};
    outcome.status = {0x80, 0x0A, 0xFF, 0x00};
    EXPECT_EQ(commandJson(outcome),
              "{\"ok\": true, \"code\": -111004, \"message\": \"Registration mode error: PLU code "
              "was not found\", \"fields\": [\"-111004\", \"\", \"Хлеб \\\"1\\\"\\t\"], "
              "\"status\": \"80 0A FF 00\"}");

    const CommandOutcome empty;
    EXPECT_EQ(commandJson(empty),
              "{\"ok\": false, \"code\": 0, \"message\": \"\", \"fields\": [], \"status\": \"\"}");
}

TEST(CliOutput, MalformedUtf8IsReplacedNotRefused) {
    nlohmann::ordered_json json;
    json["text"] = std::string(
        "a\xff"
        "b");
    EXPECT_EQ(oneLineJson(json),
              "{\"text\": \"a\xEF\xBF\xBD"
              "b\"}");
}

TEST(CliOutput, CommandTextAndErrorLines) {
    CommandOutcome outcome;
    outcome.code = 0;
    outcome.message = "No error";
    outcome.fields = {"0", "", "12"};
    EXPECT_EQ(commandText(outcome), "0: No error\n0\n\n12\n");
    EXPECT_EQ(errorLine(-6, "Time out"), "error -6: Time out");
    EXPECT_EQ(usageErrorLine("no connection given"), "error 2: no connection given");
}

TEST(CliOutput, ExitStatusOfACommand) {
    struct Case {
        bool completed;
        std::int32_t code;
        bool statusError;
        ExitStatus expected;
    };
    const Case cases[] = {
        {true, 0, false, ExitStatus::success},
        {true, -111004, false, ExitStatus::deviceError},
        {false, -100001, true, ExitStatus::deviceError},      // a status bit counted as an error
        {false, -6, false, ExitStatus::connectionError},      // silence
        {false, -10524, false, ExitStatus::connectionError},  // no answer at all
    };
    for (const auto& c : cases) {
        EXPECT_EQ(commandExitStatus(c.completed, c.code, c.statusError), c.expected) << c.code;
    }
}

TEST(CliTrace, OneLinePerFrameWithControlBytesEscaped) {
    TraceFrame request{true,        true,           3,
                       "1",         "01 2E 20 5A ", "52 09 31 09 ",
                       "05 30 33 ", "R\t1\t\x1b\\", "11.12.2026 10:00:00:007",
                       "107"};
    EXPECT_EQ(traceLine(request),
              "TX #3 try 1 cmd 107 ok 11.12.2026 10:00:00:007 | 01 2E 20 5A | 52 09 31 09 | "
              "05 30 33 | \"R\\t1\\t\\x1B\\\\\"");

    TraceFrame answer;
    answer.toDevice = false;
    answer.text = "line\r\nnext";
    const std::string line = traceLine(answer);
    EXPECT_EQ(line.find('\n'), std::string::npos);
    EXPECT_TRUE(line.starts_with("RX #0 try  cmd  failed "));
    EXPECT_TRUE(line.ends_with("|  |  |  | \"line\\r\\nnext\"")) << line;
}

}  // namespace
}  // namespace tessel::cli
