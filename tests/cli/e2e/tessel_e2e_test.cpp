// The tessel program end to end against tessel-sim processes started by the
// CTest fixtures (a TK-81 R register with a state file, and a QN 12).

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>

#include "errors/error_text.h"
#include "run_tessel.h"

namespace tessel::cli::test {
namespace {

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) result.push_back(line);
    return result;
}

std::string catalogue(std::int32_t code) {
    return errorText_ByCode(code, TErrorLanguages::English);
}

class TesselProgram : public ::testing::Test {
protected:
    void SetUp() override { std::filesystem::create_directories(folder); }
    void TearDown() override { std::filesystem::remove_all(folder); }

    static std::string connection(const std::string& simulator) {
        return "tcp:127.0.0.1:" + std::to_string(simulatorPort(simulator));
    }
    RunResult run(const std::string& simulator, std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), {"--connect", connection(simulator)});
        return runTessel(arguments, folder);
    }
    // The article as the simulator stored it.
    static nlohmann::json storedArticle(int plu) {
        std::ifstream in(simulatorStateFile("tk81r"));
        const auto state = nlohmann::json::parse(in);
        for (const auto& article : state.at("articles")) {
            if (article.at("plu") == plu) return article;
        }
        return nullptr;
    }

    std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("tessel_e2e_" + std::to_string(::getpid()));
};

TEST_F(TesselProgram, InfoShowsTheIdentificationAndTheModel) {
    struct Case {
        const char* simulator;
        const char* model;
        int ecrModel;
    };
    for (const Case c : {Case{"tk81r", "TK-81 R", 0}, Case{"qn12", "QN 12", 3}}) {
        const RunResult text = run(c.simulator, {"info"});
        ASSERT_EQ(text.exitStatus, 0) << text.err;
        const auto shown = lines(text.out);
        ASSERT_EQ(shown.size(), 19u) << text.out;
        EXPECT_TRUE(shown.front().starts_with("SerialNumber: "));
        EXPECT_EQ(shown[9], std::string("shNNNNNN: ") + c.model);
        EXPECT_EQ(shown.back(), std::string("model: ") + c.model);

        const RunResult json = run(c.simulator, {"--json", "info"});
        ASSERT_EQ(json.exitStatus, 0) << json.err;
        const auto object = nlohmann::json::parse(json.out);
        EXPECT_EQ(object.at("model"), c.model);
        EXPECT_EQ(object.at("ecrModel"), c.ecrModel);
        EXPECT_EQ(object.at("identification").size(), 18u);
        EXPECT_EQ(object.at("identification").at("shNNNNNN"), c.model);
        EXPECT_FALSE(object.at("identification").at("DeviceName").get<std::string>().empty());
    }
}

TEST_F(TesselProgram, InfoOverASerialLine) {
    const std::string line =
        "serial:" + (std::filesystem::path(TESSEL_SIM_DIR) / "serial").string();
    const RunResult result = runTessel({"--connect", line + "?baud=115200", "info"}, folder);
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(lines(result.out).back(), "model: LS 90");
}

TEST_F(TesselProgram, CmdPrintsTheCodeItsTextAndTheFields) {
    const RunResult status = run("tk81r", {"cmd", "90", "[TAB]"});
    ASSERT_EQ(status.exitStatus, 0) << status.err;
    const auto shown = lines(status.out);
    ASSERT_GE(shown.size(), 3u);
    EXPECT_EQ(shown[0], "0: " + catalogue(0));
    EXPECT_EQ(shown[1], "0") << "field 0 is the register's code";
    EXPECT_TRUE(status.err.empty()) << status.err;

    const RunResult json = run("tk81r", {"--json", "cmd", "74"});
    ASSERT_EQ(json.exitStatus, 0) << json.err;
    EXPECT_TRUE(std::regex_match(
        json.out,
        std::regex(R"(\{"ok": true, "code": 0, "message": "[^"]*", "fields": \["0"(, "[^"]*")*\], )"
                   R"("status": "([0-9A-F]{2} ){7}[0-9A-F]{2}"\}\n)")))
        << json.out;
}

TEST_F(TesselProgram, ARegisterErrorExitsWithOneAndItsText) {
    run("tk81r", {"cmd", "107", "D[TAB]23999[TAB]"});  // absent either way afterwards
    const std::string expected = "error -111004: " + catalogue(-111004) + "\n";

    const RunResult text = run("tk81r", {"cmd", "107", "R[TAB]23999[TAB]"});
    EXPECT_EQ(text.exitStatus, 1);
    EXPECT_EQ(text.err, expected);
    EXPECT_EQ(lines(text.out).at(0), "-111004: " + catalogue(-111004));

    const RunResult json = run("tk81r", {"--json", "cmd", "107", "R[TAB]23999[TAB]"});
    EXPECT_EQ(json.exitStatus, 1);
    EXPECT_EQ(json.err, expected);
    const auto object = nlohmann::json::parse(json.out);
    EXPECT_EQ(object.at("ok"), true) << "the exchange itself completed";
    EXPECT_EQ(object.at("code"), -111004);
    EXPECT_EQ(object.at("message"), catalogue(-111004));
    EXPECT_EQ(object.at("fields"), nlohmann::json::array({"-111004"}));
}

TEST_F(TesselProgram, TraceWritesOneLinePerFrameToStderr) {
    const RunResult result = run("tk81r", {"--trace", "cmd", "74"});
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(lines(result.out).at(0), "0: " + catalogue(0)) << "stdout is not touched";

    const std::regex frame(
        R"((TX|RX) #\d+ try \d+ cmd (\d+) (ok|failed) \S+ \S+ \| ([0-9A-F]{2}( [0-9A-F]{2})*)? \| )"
        R"(([0-9A-F]{2}( [0-9A-F]{2})*)? \| ([0-9A-F]{2}( [0-9A-F]{2})*)? \| ".*")");
    std::vector<std::string> commands;
    for (const auto& line : lines(result.err)) {
        std::smatch match;
        ASSERT_TRUE(std::regex_match(line, match, frame)) << line;
        commands.push_back(match[1].str() + " " + match[2].str());
    }
    // The identification reads (command 74 goes first), the tool's own
    // command 90, then the command asked for.
    const std::vector<std::string> expected{"TX 74", "RX 74", "TX 90", "RX 90", "TX 90",
                                            "RX 90", "TX 90", "RX 90", "TX 74", "RX 74"};
    EXPECT_EQ(commands, expected) << result.err;
}

TEST_F(TesselProgram, BracketedNamesReachTheWireAsTheirBytes) {
    const RunResult result =
        run("tk81r", {"--trace", "cmd", "107",
                      "P[TAB]77[TAB]A[TAB]1[TAB]0[TAB]1.00[TAB][TAB]0[TAB]0[TAB][TAB][TAB][TAB]"
                      "[TAB]Esc[1B!08]x[TAB]"});
    ASSERT_EQ(result.exitStatus, 0) << result.out << result.err;
    EXPECT_NE(result.err.find("| 50 09 37 37 09 41 09"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("45 73 63 1B 21 08 78 09 |"), std::string::npos) << result.err;
    EXPECT_EQ(storedArticle(77).at("name"), "Esc\x1b!\x08x");
}

TEST_F(TesselProgram, CyrillicTextTravelsInCodePage1251) {
    const RunResult program =
        run("tk81r", {"--trace", "cmd", "107",
                      "P[TAB]78[TAB]A[TAB]1[TAB]0[TAB]2.50[TAB][TAB]0[TAB]0[TAB][TAB][TAB][TAB]"
                      "[TAB]Хлеб бели[TAB]"});
    ASSERT_EQ(program.exitStatus, 0) << program.out << program.err;
    EXPECT_NE(program.err.find("09 D5 EB E5 E1 20 E1 E5 EB E8 09"), std::string::npos)
        << program.err;
    EXPECT_EQ(storedArticle(78).at("name"), "Хлеб бели");

    const RunResult read = run("tk81r", {"--json", "cmd", "107", "R[TAB]78[TAB]"});
    ASSERT_EQ(read.exitStatus, 0) << read.err;
    EXPECT_EQ(nlohmann::json::parse(read.out).at("fields").back(), "Хлеб бели");
}

TEST_F(TesselProgram, ARefusedConnectionExitsWithThree) {
    for (const bool json : {false, true}) {
        std::vector<std::string> arguments{"--connect",
                                           "tcp:127.0.0.1:" + std::to_string(closedPort())};
        if (json) arguments.push_back("--json");
        arguments.push_back("info");
        const RunResult result = runTessel(arguments, folder);
        EXPECT_EQ(result.exitStatus, 3);
        EXPECT_TRUE(std::regex_match(result.err, std::regex("error -\\d+: .+\n"))) << result.err;
        if (json) {
            EXPECT_EQ(nlohmann::json::parse(result.out).at("ok"), false);
        }
    }
}

TEST_F(TesselProgram, UsageErrorsExitWithTwo) {
    const std::vector<std::vector<std::string>> cases{
        {},
        {"info"},  // no connection anywhere
        {"--connect", "tcp:host", "info"},
        {"--connect", "tcp:127.0.0.1:1", "cmd"},
        {"--connect", "tcp:127.0.0.1:1", "cmd", "65536"},
        {"--connect", "tcp:127.0.0.1:1", "--repeat-count", "0", "cmd", "74"},
        {"--connect", "tcp:127.0.0.1:1", "reboot"},
    };
    for (const auto& arguments : cases) {
        const RunResult result = runTessel(arguments, folder);
        EXPECT_EQ(result.exitStatus, 2) << testing::PrintToString(arguments) << result.err;
        EXPECT_TRUE(result.err.starts_with("error 2: ")) << result.err;
        EXPECT_TRUE(result.out.empty()) << result.out;
    }
    const RunResult environment =
        runTessel({"info"}, folder, {{"TESSEL_CONNECT", "udp:127.0.0.1:1"}});
    EXPECT_EQ(environment.exitStatus, 2);
    EXPECT_TRUE(environment.err.starts_with("error 2: TESSEL_CONNECT: ")) << environment.err;
}

TEST_F(TesselProgram, ConnectionFromTheEnvironmentOrTheSettingsFile) {
    const RunResult environment =
        runTessel({"info"}, folder, {{"TESSEL_CONNECT", connection("qn12")}});
    ASSERT_EQ(environment.exitStatus, 0) << environment.err;
    EXPECT_EQ(lines(environment.out).back(), "model: QN 12");

    std::filesystem::create_directories(folder / "Settings");
    std::ofstream(folder / "Settings" / "settings.ini")
        << "[Program]\r\nCommunicationType=TCPIP\r\nPort=" << simulatorPort("tk81r")
        << "\r\nIPAddress=127.0.0.1\r\n";
    const RunResult settings = runTessel({"info"}, folder);
    ASSERT_EQ(settings.exitStatus, 0) << settings.err;
    EXPECT_EQ(lines(settings.out).back(), "model: TK-81 R");
}

}  // namespace
}  // namespace tessel::cli::test
