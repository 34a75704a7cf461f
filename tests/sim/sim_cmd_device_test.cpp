#include <gtest/gtest.h>

#include "register_fixture.h"
#include "sim/sim_base64.h"

namespace tessel::sim::test {
namespace {

using DeviceTest = RegisterTest;

TEST_F(DeviceTest, IdentificationReadsOfTheHost) {
    const Fields first = run(90, "#\t");
    ASSERT_EQ(first.size(), 11u);
    EXPECT_EQ(first[0], "0");
    EXPECT_EQ(first[3], "TK-81 R");
    const Fields second = run(90, "\t");
    ASSERT_EQ(second.size(), 9u);
    EXPECT_EQ(second[1], "TK-81 R");
    // Without a TAB the host splits at TAB, comma and blank and reads no code.
    const std::string plain = decodeCodePage(execute(90, "").data, kCodePage1251);
    EXPECT_EQ(plain.rfind("TK-81 R,", 0), 0u) << plain;
    EXPECT_EQ(plain.find('\t'), std::string::npos);
}

class ModelTest : public RegisterTest {
protected:
    ModelTest() : RegisterTest(RegisterConfig{"QN 12"}) {}
};

TEST_F(ModelTest, ReportsTheConfiguredModelAndItsOperatorPasswords) {
    EXPECT_EQ(run(90, "#\t").at(3), "QN 12");
    EXPECT_EQ(run(255, "OperPasw\t0\t\t").at(1), "0001");
}

TEST_F(DeviceTest, UnknownCommandRaisesTheInvalidCommandBits) {
    const Execution e = execute(99, "");
    EXPECT_EQ(e.code, -112000);
    EXPECT_TRUE((e.status[0] >> 1) & 1) << "# Command code is invalid";
    EXPECT_TRUE((e.status[0] >> 5) & 1) << "general error";
    for (std::uint8_t b : e.status) EXPECT_TRUE(b & 0x80) << "bit 7 is always 1";
    EXPECT_EQ(execute(74, "").status[0], 0x80) << "the next answer is clean again";
}

TEST_F(DeviceTest, NamedParametersReadWriteAndRefuse) {
    EXPECT_EQ(run(255, "DaylightSavingMinutes\t\t\t"), (Fields{"0", "60"}));
    EXPECT_EQ(code(255, "DaylightSavingMinutes\t\t0\t"), 0);
    EXPECT_EQ(run(255, "daylightsavingminutes\t\t\t").at(1), "0") << "names are case-insensitive";
    EXPECT_EQ(code(255, "APN\t1\tinternet\t"), 0);
    EXPECT_EQ(run(255, "APN\t1\t\t").at(1), "internet");
    EXPECT_EQ(run(255, "APN\t0\t\t").at(1), "");
    EXPECT_EQ(code(255, "LAN_IP\t\t \t"), 0) << "one blank is a value";
    EXPECT_EQ(run(255, "LAN_IP\t\t\t").at(1), " ");
    EXPECT_EQ(code(255, "ComPortBaudRate\t0\t9600\t"), 0);
    EXPECT_EQ(code(255, "KeyNDB_forbidden\t0\t1\t"), 0);
    EXPECT_EQ(run(255, "KeyNDB_forbidden\t\t\t").at(1), "1") << "no index is index 0";
    EXPECT_EQ(run(255, "DPxx_PluCode\t7\t\t").at(1), "8");

    struct Case {
        const char* parameters;
        std::int32_t code;
    };
    const Case refused[] = {
        {"NoSuchParameter\t\t\t", -100004},
        {"\t\t\t", -112101},
        {"APN\t2\t\t", -112202},  // index past the last
        {"APN\tx\t\t", -112202},
        {"PrnQuality\t\t21\t", -112203},  // out of range
        {"SDC_Buyer_checks\t\t2\t", -112203},
        {"ComPortBaudRate\t0\t9601\t", -112203},
        {"LAN_IP\t\t1234567890123456\t", -112203},
        {"BthVersion\t\t9\t", -104003},    // the register's own values
        {"OperPasw\t0\t1234\t", -104003},  // passwords change through 101 only
        {"IDnumber\t\tAB1234\t", -104003},
    };
    for (const Case& c : refused) EXPECT_EQ(code(255, c.parameters), c.code) << c.parameters;
    EXPECT_EQ(run(255, "PrnQuality\t\t\t").at(1), "1");
}

TEST_F(DeviceTest, OperatorPasswordChangeChecksOldAndUniqueness) {
    EXPECT_EQ(code(101, "3\t3\t4711\t"), 0);
    EXPECT_EQ(run(255, "OperPasw\t2\t\t").at(1), "4711");
    EXPECT_EQ(code(101, "3\t3\t5\t"), -102002) << "the old password changed";
    EXPECT_EQ(code(101, "4\t4\t4711\t"), -120001) << "operator 3 has it";
    EXPECT_EQ(code(101, "4\t4\t123456789\t"), -112203);
    EXPECT_EQ(code(101, "4\t4\t12a\t"), -112203);
    EXPECT_EQ(code(101, "31\t1\t2\t"), -112201);
    EXPECT_EQ(code(101, "4\t4\t"), -112103);
    EXPECT_EQ(run(255, "OperPasw\t3\t\t").at(1), "4");
}

TEST_F(DeviceTest, ClockSetAndReadWithSummerTimeSuffix) {
    EXPECT_EQ(run(62, ""), (Fields{"0", "05-07-24 14:03:09 DST"}));
    ASSERT_EQ(code(61, "31-12-23 23:59:58\t"), 0);
    EXPECT_EQ(run(62, "").at(1), "31-12-23 23:59:58");
    ASSERT_EQ(code(61, "26-03-23 03:00:00 DST\t"), 0);
    EXPECT_EQ(run(62, "").at(1), "26-03-23 03:00:00 DST");
    ASSERT_EQ(code(255, "DaylightSavingMinutes\t\t0\t"), 0);
    EXPECT_EQ(run(62, "").at(1), "26-03-23 03:00:00") << "no suffix without automatic summer time";
    EXPECT_EQ(code(61, "30-02-23 10:00:00\t"), -112201);
    EXPECT_EQ(code(61, ""), -112101);
}

TEST_F(DeviceTest, SerialNumberOnceThenFiscalization) {
    EXPECT_EQ(code(72, "AB1234\t1234\t"), -102003) << "no serial number yet";
    EXPECT_FALSE(statusBit(4, 2));
    EXPECT_EQ(code(91, "AB12\t"), -102016);
    EXPECT_EQ(code(91, "\t"), -102003);
    ASSERT_EQ(code(91, "AB1234\t"), 0);
    EXPECT_TRUE(statusBit(4, 2)) << "Serial number and number of FM are set";
    EXPECT_EQ(code(91, "ZZ9999\t"), -104003) << "accepted once only";
    EXPECT_EQ(run(255, "IDnumber\t\t\t").at(1), "AB1234");
    EXPECT_EQ(run(90, "\t").at(7), "AB1234");

    EXPECT_EQ(code(72, "ZZ9999\t1234\t"), -102018);
    EXPECT_EQ(code(72, "AB1234\t\t"), -112202) << "an empty SAM PIN";
    EXPECT_FALSE(statusBit(5, 3));
    EXPECT_EQ(run(255, "Fiscalized\t\t\t").at(1), "0");
    ASSERT_EQ(code(72, "AB1234\t1234\t"), 0);
    EXPECT_TRUE(statusBit(5, 3)) << "Device is fiscalized";
    EXPECT_EQ(run(255, "Fiscalized\t\t\t").at(1), "1");
    EXPECT_EQ(code(72, "AB1234\t1234\t"), -110105);
}

TEST_F(DeviceTest, DiagnosticReportNeedsPaper) {
    const std::size_t before = reg_.snapshot().journal.size();
    EXPECT_EQ(code(71, "0\t"), 0);
    EXPECT_EQ(reg_.snapshot().journal.size(), before + 1);
    EXPECT_EQ(code(71, "1\t"), -112201);
    reg_.update([](RegisterState& s) { s.paperEnd = true; });
    EXPECT_TRUE(statusBit(2, 0)) << "# End of paper";
    EXPECT_TRUE(statusBit(0, 5)) << "general error";
    EXPECT_EQ(code(71, "0\t"), -112006);
}

TEST_F(DeviceTest, LogoUploadKeepsARunningChecksumAndStoresTheBitmap) {
    Bytes bmp(110, 0x11);
    bmp[0] = 'B';
    bmp[1] = 'M';
    ASSERT_EQ(code(202, "START\t"), 0);
    std::uint32_t sum = 0;
    for (std::size_t at = 0; at < bmp.size(); at += 54) {
        const ByteView piece =
            ByteView(bmp).subspan(at, std::min<std::size_t>(54, bmp.size() - at));
        for (auto b : piece) sum += b;
        const Fields answer = run(202, encodeBase64(piece) + "\t");
        ASSERT_EQ(answer.at(0), "0");
        EXPECT_EQ(std::stoul(answer.at(1), nullptr, 16), sum) << "sum of every byte so far";
    }
    EXPECT_EQ(std::stoul(run(202, "STOPP\t").at(1), nullptr, 16), sum);
    EXPECT_TRUE(reg_.snapshot().logo.empty()) << "stored only on UPDATE";
    ASSERT_EQ(code(202, "UPDATE\t"), 0);
    EXPECT_EQ(reg_.snapshot().logo, bmp);
    EXPECT_EQ(code(202, "RESTART\t"), 0);
}

TEST_F(DeviceTest, LogoUploadRefusals) {
    EXPECT_EQ(code(202, "QUJD\t"), -101003) << "a piece before START";
    EXPECT_EQ(code(202, "STOPP\t"), -101003);
    ASSERT_EQ(code(202, "START\t"), 0);
    EXPECT_EQ(code(202, "QU=D\t"), -101010) << "not Base64";
    EXPECT_EQ(code(202, "QUJD\t"), 0);  // "ABC": no bitmap header
    EXPECT_EQ(code(202, "STOPP\t"), 0);
    EXPECT_EQ(code(202, "UPDATE\t"), -101010);
    EXPECT_EQ(code(202, "UPDATE\t"), -101003);
    EXPECT_TRUE(reg_.snapshot().logo.empty());
}

}  // namespace
}  // namespace tessel::sim::test
