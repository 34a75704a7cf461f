#include "sim/sim_state_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "sim/sim_register.h"
#include "sim/sim_simulator.h"
#include "sim/sim_state_saver.h"
#include "sim_test_client.h"

namespace tessel::sim::test {
namespace {

namespace fs = std::filesystem;

class StateFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::path(::testing::TempDir()) /
               ("tessel-sim-state-" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        path_ = (dir_ / "register.json").string();
    }
    void TearDown() override { fs::remove_all(dir_); }

    static std::string read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    void write(const std::string& text) { std::ofstream(path_, std::ios::binary) << text; }

    fs::path dir_;
    std::string path_;
};

RegisterState everything() {
    RegisterState s = SimRegister::factoryState(kDefaultModel, makeLocalTime(2024, 7, 5, 12, 0, 0));
    Article a;
    a.taxGroup = "Ђ";
    a.stockGroup = 7;
    a.priceType = 1;
    a.price = 12345;
    a.turnover = 99;
    a.soldQty = 1500;
    a.stockQty = -250;
    a.singleSale = true;
    a.barcodes = {"1", "", "3", "4444444444444"};
    a.name = "Šećer \"fini\"";
    s.articles[24000] = a;
    s.clients[100000] = {"Đak", "101", "RS101"};
    s.parameters["APN"][1] = "internet";
    s.serialNumber = "AB1234";
    s.fiscalized = true;
    s.clockOffset = -3600;
    s.journal.back().lines.push_back(
        "\x1D"
        "a\x1D"
        "b");
    s.cashInDrawer = 1;
    s.cashInSum = 2;
    s.cashOutSum = 3;
    s.receipt.open = true;
    s.receipt.operatorNumber = 2;
    s.receipt.iosa = "12";
    s.receipt.lines.push_back({1, "x", "А", 1000, 250, 250});
    s.receipt.total = 250;
    s.logo = {'B', 'M', 0, 1, 2, 255};
    s.paperNearEnd = true;
    return s;
}

TEST_F(StateFileTest, EveryPartOfTheStateRoundTrips) {
    const RegisterState original = everything();
    saveStateFile(path_, original);
    const RegisterState loaded = loadStateFile(path_, kDefaultModel);
    saveStateFile(path_ + ".again", loaded);
    EXPECT_EQ(read(path_ + ".again"), read(path_));
    EXPECT_EQ(loaded.articles.at(24000).name, "Šećer \"fini\"");
    EXPECT_EQ(loaded.articles.at(24000).stockQty, -250);
    EXPECT_EQ(loaded.receipt.lines.at(0).amount, 250);
    EXPECT_EQ(loaded.logo, original.logo);
    EXPECT_EQ(loaded.journal.size(), original.journal.size());
    EXPECT_EQ(loaded.parameters, original.parameters);
    EXPECT_FALSE(fs::exists(path_ + ".tmp")) << "the temporary file was renamed";
}

TEST_F(StateFileTest, MissingParametersGetFactoryValuesAndUnknownOnesAreDropped) {
    write(R"({"parameters": {"APN": ["a", "b", "c"], "Gone": ["1"]}, "nextDocument": 3})");
    const RegisterState s = loadStateFile(path_, kDefaultModel);
    EXPECT_EQ(s.parameters.at("APN"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(s.parameters.at("PrnQuality"), std::vector<std::string>{"1"});
    EXPECT_EQ(s.parameters.count("Gone"), 0u);
    EXPECT_EQ(s.nextDocument, 3);
}

TEST_F(StateFileTest, BrokenFileNamesItsLineAndTheSimulatorRefusesToStart) {
    const std::string broken = "{\n  \"serialNumber\": \"AB1234\",\n  \"fiscalized\": tru\n}\n";
    write(broken);
    try {
        loadStateFile(path_, kDefaultModel);
        FAIL() << "a broken file was accepted";
    } catch (const StateFileError& e) {
        EXPECT_NE(std::string(e.what()).find("line 3"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find(path_), std::string::npos) << e.what();
    }
    SimulatorOptions options;
    options.stateFile = path_;
    Simulator sim(options);
    EXPECT_THROW(sim.start(), StateFileError);
    EXPECT_EQ(read(path_), broken) << "the file is left as it was";
}

TEST_F(StateFileTest, ContentErrorsAreRefusedToo) {
    for (const char* text :
         {R"([1, 2])", R"({"articles": [{"plu": 0}]})", R"({"cashInSum": "1,5"})",
          R"({"serialNumber": 5})", R"({"logo": "***"})"}) {
        write(text);
        EXPECT_THROW(loadStateFile(path_, kDefaultModel), StateFileError) << text;
    }
}

TEST_F(StateFileTest, SimulatorSavesEveryChangeAndComesBackWithIt) {
    SimulatorOptions options;
    options.stateFile = path_;
    {
        Simulator sim(options);
        sim.start();
        EXPECT_TRUE(fs::exists(path_)) << "written at start";
        TestClient client = TestClient::tcp(sim.tcpPort());
        ASSERT_EQ(client.exchange(107, "P\t42\tА\t1\t0\t9.99\t\t0\t0\t\t\t\t\tЧај\t").code(), 0);
        ASSERT_EQ(client.exchange(70, "0\t5.00\t").code(), 0);
    }
    Simulator again(options);
    again.start();
    TestClient client = TestClient::tcp(again.tcpPort());
    EXPECT_EQ(client.exchange(107, "R\t42\t").fields().at(14), "Чај");
    EXPECT_EQ(client.exchange(70, "0\t5.00\t").fields().at(2), "10.00");
}

TEST_F(StateFileTest, SaverLeavesTheLastOfABurstOfChangesOnDisk) {
    SimRegister reg({}, SimRegister::factoryState(kDefaultModel, hostLocalNow()));
    {
        StateSaver saver(path_, reg, nullptr);
        reg.setOnChange([&saver](const RegisterState& s) { saver.changed(s); });
        for (int plu = 1; plu <= 500; ++plu) {
            reg.update(
                [plu](RegisterState& s) { s.articles[plu].name = "A" + std::to_string(plu); });
        }
        reg.setOnChange(nullptr);
    }
    const RegisterState saved = loadStateFile(path_, kDefaultModel);
    EXPECT_EQ(saved.articles.size(), 500u);
    EXPECT_EQ(saved.articles.at(500).name, "A500");
}

}  // namespace
}  // namespace tessel::sim::test
